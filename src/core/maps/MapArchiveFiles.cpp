#include "maps/MapArchiveFiles.h"

#include "app/JobProtocol.h"
#include "io/CompanionFile.h"
#include "io/FileOps.h"
#include "io/SafeFile.h"
#include "maps/MapArchiveReader.h"
#include "maps/MapArchiveWriter.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace fs = std::filesystem;

namespace zentrik {

namespace {

constexpr int kCarmackAuto = 0;
constexpr int kCarmackEnable = 1;
constexpr int kCarmackDisable = 2;

std::string upper(std::string s) {
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The replacement base name when only GAMEMAPS and MAPTEMP are accepted.
void replaceBase(MapFileName& name, int expand, bool& carmack) {
    name.base = expand == kCarmackDisable ? kMaptempBase : kGamemapsBase;
    if (expand == kCarmackAuto)
        carmack = true;
}

std::string hex4(uint16_t v) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", unsigned(v));
    return text;
}

} // namespace

bool equalsNoCase(const std::string& a, const std::string& b) {
    return upper(a) == upper(b);
}

MapFileName MapFileName::split(const fs::path& path) {
    MapFileName n;
    n.folder = path.parent_path();
    n.base = path.stem().string();
    n.ext = path.extension().string();
    if (!n.ext.empty() && n.ext[0] == '.')
        n.ext.erase(0, 1);
    return n;
}

fs::path MapFileName::full() const {
    return folder / (base + "." + ext);
}

fs::path MapFileName::sibling(const std::string& otherBase) const {
    return companionFile(folder, otherBase, ext);
}

bool MapArchiveFiles::openMap(MapFileName& name, bool& carmack, std::vector<uint8_t>& bytes) {
    const int expand = m_settings.carmackExpand;
    const bool onlyKnownNames = m_settings.chkMaps != 0;
    carmack = expand != kCarmackDisable;
    if (onlyKnownNames && !equalsNoCase(name.base, kGamemapsBase) &&
        !equalsNoCase(name.base, kMaptempBase))
        replaceBase(name, expand, carmack);
    if (expand == kCarmackAuto) {
        if (equalsNoCase(name.base, kGamemapsBase))
            carmack = true;
        else if (equalsNoCase(name.base, kMaptempBase))
            carmack = false;
    }
    auto path = [&] { return onlyKnownNames ? name.sibling(name.base) : name.full(); };
    auto file = readWholeFile(path());
    if (!file && onlyKnownNames) {
        replaceBase(name, expand, carmack);
        file = readWholeFile(path());
    }
    if (!file) {
        m_services.prompter.message(file.error().text, file.error().caption,
                                    MessageIcon::Exclamation);
        return false;
    }
    name = MapFileName::split(path());
    bytes = std::move(*file);
    return true;
}

std::optional<std::vector<uint8_t>>
MapArchiveFiles::openHeader(const MapFileName& name, const std::optional<fs::path>& given,
                            fs::path& used) {
    if (given) {
        if (auto f = readWholeFile(*given)) {
            used = *given;
            return std::move(*f);
        }
    }
    if (m_settings.chkMaphead) {
        used = name.sibling(kMapheadBase);
        if (auto f = readWholeFile(used))
            return std::move(*f);
    }
    FileDialogRequest request{"", kMapheadFilter, "", (name.folder / "Maphead.*").string()};
    if (auto chosen = m_services.prompter.openFile(request)) {
        used = *chosen;
        auto f = readWholeFile(used);
        if (f)
            return std::move(*f);
        m_services.prompter.message(*chosen, "Cannot Open", MessageIcon::Exclamation);
    }
    return std::nullopt;
}

bool MapArchiveFiles::loadMaps(const MapFileName& chosen, std::optional<fs::path> given) {
    Prompter& prompter = m_services.prompter;
    LevelSet& set = m_editor.set();
    MapReadOptions o;
    o.farTag = set.farTag = m_settings.farTagByte();
    o.nearTag = set.nearTag = m_settings.nearTagByte();
    o.rlewTag = set.rlewTag = m_settings.rlewTagWord();
    o.skipHeaderTag = m_settings.dontLoadRlew != 0;

    MapFileName name = chosen;
    std::vector<uint8_t> map;
    if (!openMap(name, o.carmack, map))
        return false;
    o.detectRlewOnly = m_settings.carmackExpand == kCarmackAuto;
    o.fileName = name.full().string();
    fs::path headerPath = name.sibling(kMapheadBase);
    auto header = openHeader(name, given, headerPath);
    if (!header) {
        if (prompter.ask("Should I try to restore the maphead-file ?", "Zentrik", Buttons::YesNo) !=
            Answer::Yes)
            return false;
        o.restoreHeader = true;
    }

    // Built aside: a failed or cancelled load keeps the levels that are loaded now.
    LevelSet fresh;
    fresh.carmackMode = m_settings.carmackMode;
    const std::vector<uint8_t> noHeader;
    m_damaged.clear();
    const int code = m_services.jobs.run([&](Progress& progress) {
        const int c = LoadMapsWorker(progress, header ? *header : noHeader, map, o, fresh, prompter,
                                     &m_damaged);
        return finishJob(m_services.quiet, m_services.clock, c);
    });
    checkJobResult(code, prompter, "CZentrikDlg::LoadMaps()");
    m_settings.rlewTag = hex4(fresh.rlewTag);
    set.rlewTag = fresh.rlewTag;
    if (code != JobResult::Done)
        return false;

    m_editor.freeLevels();
    fresh.mapsLoaded = true;
    fresh.mapsModified = false;
    fresh.currentLevel = 0;
    set = std::move(fresh);
    m_mapPath = name.full();
    m_headerPath = headerPath;
    if (!set.thirdPlane)
        m_editor.setThirdPlaneEditing(false);
    if (m_services.selectExtensionByName)
        m_services.selectExtensionByName(name.ext);
    m_editor.setCurrentMap(0);
    return true;
}

bool MapArchiveFiles::saveMaps(const fs::path& chosen, std::optional<fs::path> header) {
    LevelSet& set = m_editor.set();
    if (set.nearTag == set.farTag) {
        m_services.prompter.message("ERROR !\nYou can't use the same values for neartag and "
                                    "fartag !",
                                    "Zentrik");
        return false;
    }
    const bool carmack = m_settings.carmackCompress == kCarmackEnable    ? true
                         : m_settings.carmackCompress == kCarmackDisable ? false
                                                                         : set.carmack;
    fs::path mapFile = chosen;
    if (!carmack && !askRlewOnlyName(mapFile))
        return false;
    const fs::path headerFile =
        header ? *header : MapFileName::split(mapFile).sibling(kMapheadBase);
    // A save killed half-way is finished before its .tmp files are overwritten; the .bak files
    // stay until this save succeeds.
    finishInterruptedReplacement(mapFile);
    finishInterruptedReplacement(headerFile);
    if (!writeSet(mapFile, headerFile, carmack))
        return false;
    m_mapPath = mapFile;
    m_headerPath = headerFile;
    return true;
}

// Every reader takes a file named GAMEMAPS as Carmack-compressed (the game stops on anything
// else), and one named MAPTEMP as RLEW only.
bool MapArchiveFiles::askRlewOnlyName(fs::path& mapFile) {
    MapFileName name = MapFileName::split(mapFile);
    if (!equalsNoCase(name.base, kGamemapsBase))
        return true;
    MapFileName maptemp = name;
    maptemp.base = kMaptempBase;
    const std::string text =
        "Carmack compression is off, but the game and the editors read every file named " +
        mapFile.filename().string() +
        " as Carmack-compressed: the game cannot load it.\n\nSave the maps as " +
        maptemp.full().filename().string() +
        " instead (the name for maps without Carmack compression)?\n\nYes: save as " +
        maptemp.full().filename().string() + "\nNo: save as " + mapFile.filename().string() +
        " all the same\nCancel: do not save";
    switch (m_services.prompter.ask(text, "Save maps", Buttons::YesNoCancel,
                                    MessageIcon::Exclamation)) {
    case Answer::Yes:
        mapFile = maptemp.full();
        return true;
    case Answer::No:
        return true;
    default:
        return false;
    }
}

bool MapArchiveFiles::writeSet(const fs::path& mapFile, const fs::path& headerFile, bool carmack) {
    Prompter& prompter = m_services.prompter;
    // The .tmp files are created before the job so that an unwritable folder is said at once.
    if (auto st = writeWholeFile(tmpPathOf(headerFile), {}); !st) {
        prompter.message(saveFailure({headerFile}, st.error()).text,
                         "Error while saving maps: Cannot open header file for writing");
        return false;
    }
    if (auto st = writeWholeFile(tmpPathOf(mapFile), {}); !st) {
        fileOps().remove(tmpPathOf(headerFile));
        prompter.message(saveFailure({mapFile}, st.error()).text,
                         "Error while saving maps: Cannot open data file for writing:");
        return false;
    }
    LevelSet& set = m_editor.set();
    const bool remembered = set.carmack;
    set.carmack = carmack;
    set.carmackMode = m_settings.carmackMode;

    MapArchiveBytes bytes;
    const int code = m_services.jobs.run([&](Progress& progress) {
        return finishJob(m_services.quiet, m_services.clock, SaveMapsWorker(progress, set, bytes));
    });
    checkJobResult(code, prompter, "CZentrikDlg::SaveMaps()");
    FileReplacement files;
    Status st = code == JobResult::Done ? files.stage(mapFile, bytes.map) : Status{};
    if (code == JobResult::Done && st)
        st = files.stage(headerFile, bytes.header);
    if (code == JobResult::Done && st)
        st = files.commit();
    if (code != JobResult::Done || !st) {
        if (!st)
            prompter.message(st.error().text, st.error().caption, MessageIcon::Exclamation);
        set.carmack = remembered;
        return false;
    }
    m_editor.setMapsModified(false);
    return true;
}

} // namespace zentrik
