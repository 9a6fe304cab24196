#include "vga/VgaCommands.h"

#include "context/AppContext.h"
#include "io/SafeFile.h"
#include "pages/PixelData.h"
#include "vga/VgaData.h"
#include "vgagraph/EngineLimits.h"
#include "vgagraph/VgaReaders.h"
#include "vgagraph/VgaWriters.h"

#include <algorithm>
#include <array>

namespace fs = std::filesystem;

namespace zentrik::gui {

namespace {

constexpr const char* kArchiveFilter =
    "All VGAGRAPH files (VGAGRAPH.*)|VGAGRAPH.*|Wolf3D (*.WL6)|*.WL6|Wolf3D Demo (*.WL1)|*.WL1|"
    "Spear of Destiny (*.SOD)|*.SOD|Operation Zusammenkunft (*.OZ6)|*.OZ6|All files (*.*)|*.*||";
constexpr const char* kDictFilter =
    "Wolf3D(WL6)|*.WL6|Wolf3D Demo(WL1)|*.WL1|Spear of Destiny(SOD)|*.SOD|Operation "
    "Zusammenkunft(OZ6)|*.OZ6|All files|*.*||";

struct PartInfo {
    const char* question;
    const char* questionCaption;
    const char* loadTitle;
    const char* saveTitle;
};

const PartInfo& info(VgaPart part) {
    static const std::array<PartInfo, kVgaPartCount> table{{
        {"Do you really want to load a new VGAGRAPH set?", "VGAGRAPH changes unsaved!",
         "Load complete VGAGRAPH...", "Save graphics..."},
        {"Do you really want to load new graphics?", "Graphics changes unsaved!",
         "Load graphics...", "Save graphics..."},
        {"Do you really want to load new fonts?", "Font changes unsaved!", "Load fonts...",
         "Save fonts..."},
        {"Do you really want to load new screens?", "Screen changes unsaved!", "Load screens...",
         "Save screens..."},
        {"Do you really want to load new tile8s?", "Tile8s changes unsaved!", "Load tile8s...",
         "Save tile8s..."},
    }};
    return table[size_t(part)];
}

// The data sets a menu entry covers, in the order the savers run.
std::vector<DataSet> setsOf(VgaPart part) {
    switch (part) {
    case VgaPart::All:
        return {DataSet::Graphics, DataSet::Screens, DataSet::Fonts, DataSet::Tile8s};
    case VgaPart::Graphics:
        return {DataSet::Graphics};
    case VgaPart::Fonts:
        return {DataSet::Fonts};
    case VgaPart::Screens:
        return {DataSet::Screens};
    case VgaPart::Tile8s:
        break;
    }
    return {DataSet::Tile8s};
}

// The three files are found by the chosen name's suffix; without one there is no archive.
std::optional<VgaFileSet> fileSetOf(const std::string& path, Prompter& prompter) {
    const VgaFileSet files = VgaFileSet::fromGraphPath(path);
    if (files.extension.empty()) {
        prompter.message("The file name needs the suffix of its data set (like VGAGRAPH.WL6):\n"
                         "VGAHEAD and VGADICT are found by it.\n" +
                             path,
                         "No data set suffix!", MessageIcon::Exclamation);
        return std::nullopt;
    }
    return files;
}

bool callLoader(VgaData& d, VgaPart part, const VgaFileSet& files, const fs::path& graph) {
    VgaGraphState& s = d.state();
    Prompter& p = d.pixels().prompter();
    switch (part) {
    case VgaPart::All:
        return LoadAllGraphics(s, files, p, d.pixels().jobs(), graph);
    case VgaPart::Graphics:
        return LoadGraphics(s, files, graph, true, p, d.pixels().jobs());
    case VgaPart::Fonts:
        return LoadFonts(s, files, graph, true, p);
    case VgaPart::Screens:
        return LoadScreens(s, files, graph, true, p);
    case VgaPart::Tile8s:
        break;
    }
    return LoadTile8s(s, files, graph, true, p);
}

bool callSaver(VgaData& d, VgaPart part, const VgaFileSet& target) {
    VgaGraphState& s = d.state();
    Prompter& p = d.pixels().prompter();
    JobRunner& j = d.pixels().jobs();
    switch (part) {
    case VgaPart::All:
        return SaveAllGraphics(s, target, false, p, j);
    case VgaPart::Graphics:
        return SaveGraphics(s, target, p, j);
    case VgaPart::Fonts:
        return SaveFonts(s, target, p, j);
    case VgaPart::Screens:
        return SaveScreens(s, target, p, j);
    case VgaPart::Tile8s:
        break;
    }
    return SaveTile8s(s, target, p, j);
}

// The chunks a save copies from the target stay coded with the target's dictionary, which the
// save replaces by the one in use: a target with another dictionary would be left undecodable.
bool dictionaryFits(VgaData& d, const VgaFileSet& target) {
    if (!fs::exists(target.graphPath()) || !fs::exists(target.dictPath()) || !d.state().dictLoaded)
        return true;
    auto onDisk = readWholeFile(target.dictPath());
    auto theirs = onDisk ? readDictionary(*onDisk) : Result<HuffmanDict>(Error{""});
    const auto same = [](const HuffmanNode& a, const HuffmanNode& b) {
        return a.branch == b.branch;
    };
    if (theirs &&
        std::equal(theirs->nodes.begin(), theirs->nodes.end(), d.state().dict.nodes.begin(), same))
        return true;
    d.pixels().prompter().message(
        "The graphics dictionary of the target (" + target.dictPath().string() +
            ") differs from the one in use.\nThe chunks kept from the target would no longer "
            "decode, so nothing was saved.\nSave into a new folder, or load that archive first.",
        "Different graphics dictionary!", MessageIcon::Exclamation);
    return false;
}

// Pictures made from nothing would replace every picture of an existing archive.
bool confirmNewPictures(VgaData& d, VgaPart part, const VgaFileSet& target) {
    const GraphicsSet& g = d.state().graphics;
    if ((part != VgaPart::All && part != VgaPart::Graphics) || !g.loaded || !g.source.empty() ||
        !fs::exists(target.graphPath()))
        return true;
    const std::string text = "The " + std::to_string(g.pictureCount()) +
                             " picture(s) made here replace every picture of\n" +
                             target.graphPath().string() + ".\nDo you want to go on?";
    return d.pixels().prompter().ask(text, "Replace the pictures?", Buttons::YesNo,
                                     MessageIcon::Question) == Answer::Yes;
}

fs::path sourceOf(VgaGraphState& s, DataSet set) {
    switch (set) {
    case DataSet::Graphics:
        return s.graphics.source;
    case DataSet::Fonts:
        return s.fonts.source;
    case DataSet::Screens:
        return s.screens.source;
    default:
        return s.tile8s.source;
    }
}

void setSource(VgaGraphState& s, DataSet set, const fs::path& path) {
    switch (set) {
    case DataSet::Graphics:
        s.graphics.source = path;
        break;
    case DataSet::Fonts:
        s.fonts.source = path;
        break;
    case DataSet::Screens:
        s.screens.source = path;
        break;
    default:
        s.tile8s.source = path;
    }
}

} // namespace

bool loadVgaPart(AppContext& context, VgaPart part) {
    VgaData& d = VgaData::of(context);
    Prompter& p = d.pixels().prompter();
    const PartInfo& pi = info(part);
    const auto sets = setsOf(part);
    const bool unsaved =
        std::any_of(sets.begin(), sets.end(), [&](DataSet s) { return d.modified(s); });
    if (unsaved && p.ask(pi.question, pi.questionCaption, Buttons::YesNo, MessageIcon::Question) !=
                       Answer::Yes)
        return false;
    auto path = p.openFile({pi.loadTitle, kArchiveFilter, "", "VGAGRAPH.*"});
    if (!path)
        return false;
    auto files = fileSetOf(*path, p);
    if (!files)
        return false;
    context.saveStdPath(files->folder);
    d.state().dictLoaded = false;
    const bool ok = callLoader(d, part, *files, *path);
    // Load all frees every kind before it reads; a single reader keeps its old model on failure.
    if (ok || part == VgaPart::All)
        for (DataSet s : sets)
            d.announceReplaced(s);
    return ok;
}

// A picture the game cannot draw is saved only when the user says so.
bool confirmEngineLimits(VgaData& d, const std::vector<DataSet>& sets) {
    if (std::find(sets.begin(), sets.end(), DataSet::Graphics) == sets.end())
        return true;
    const std::optional<std::string> warning = pictureBeyondEngine(d.state().graphics);
    return !warning ||
           d.pixels().prompter().ask(*warning, "Picture too large for the game", Buttons::YesNo,
                                     MessageIcon::Exclamation) == Answer::Yes;
}

bool saveVgaPart(AppContext& context, VgaPart part) {
    VgaData& d = VgaData::of(context);
    Prompter& p = d.pixels().prompter();
    VgaGraphState& s = d.state();
    const auto sets = setsOf(part);
    const bool loaded = part == VgaPart::All ? s.anyLoaded() : *VgaData::loadedFlag(s, sets[0]);
    if (!loaded)
        return false; // nothing to write: a save would only remove the target's chunks
    fs::path start;
    for (DataSet set : sets)
        if (start.empty())
            start = sourceOf(s, set);
    auto path = p.saveFile({info(part).saveTitle, kArchiveFilter, "",
                            start.empty() ? std::string("VGAGRAPH.*") : start.string()});
    if (!path)
        return false;
    auto target = fileSetOf(*path, p);
    if (!target || !dictionaryFits(d, *target) || !confirmNewPictures(d, part, *target) ||
        !confirmEngineLimits(d, sets))
        return false;
    for (DataSet set : sets)
        if (context.workspace.isModified(set))
            *VgaData::modelFlag(s, set) = true;
    const bool ok = callSaver(d, part, *target);
    for (DataSet set : sets) {
        if (ok && *VgaData::loadedFlag(s, set))
            setSource(s, set, *path);
        d.syncFlag(set);
    }
    return ok;
}

bool loadVgaDictionary(AppContext& context) {
    VgaData& d = VgaData::of(context);
    Prompter& p = d.pixels().prompter();
    auto path = p.openFile({"Load graphics dictionary...", kDictFilter, "", "Vgadict.*"});
    return path && LoadHuffman(d.state(), *path, p);
}

bool vgaPartLoaded(AppContext& context, VgaPart part) {
    VgaGraphState& s = VgaData::of(context).state();
    return part == VgaPart::All ? s.anyLoaded() : *VgaData::loadedFlag(s, setsOf(part)[0]);
}

} // namespace zentrik::gui
