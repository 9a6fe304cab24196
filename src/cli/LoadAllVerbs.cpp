// loadall: a whole game folder at once, as the editor's Load All does.
#include "CliArea.h"
#include "CliCommon.h"

#include "app/LoadAllFiles.h"
#include "app/LoadAllPlan.h"
#include "app/LoadAllRunner.h"

#include <ostream>

namespace zentrik::cli {

namespace {

namespace fs = std::filesystem;

std::optional<LoadAllScan> scanArg(Context& c, fs::path& folder) {
    folder = fs::absolute(c.args.positional()[0]).lexically_normal();
    auto scan = scanFolder(folder);
    if (!scan) {
        c.prompter.message(scan.error().text, scan.error().caption, MessageIcon::Exclamation);
        return std::nullopt;
    }
    return std::move(*scan);
}

// The folder's scan and the suffix to use: --suffix, else the proposal.
struct FolderArg {
    fs::path folder;
    LoadAllScan scan;
    std::optional<std::string> suffix;
};

std::optional<FolderArg> folderArg(Context& c) {
    FolderArg a;
    auto scan = scanArg(c, a.folder);
    if (!scan)
        return std::nullopt;
    a.scan = std::move(*scan);
    a.suffix = c.args.option("suffix") ? c.args.option("suffix") : proposeSuffix(a.scan, "WL6");
    return a;
}

void printPlan(Context& c, const LoadAllScan& scan, const std::optional<std::string>& proposal,
               const LoadAllNames& names) {
    if (c.json) {
        c.out << "{\"suffixes\":[";
        for (size_t i = 0; i < scan.suffixes.size(); ++i)
            c.out << (i ? "," : "") << "{\"suffix\":" << jsonText(scan.suffixes[i])
                  << ",\"files\":" << countSuffix(scan, scan.suffixes[i]) << "}";
        c.out << "],\"proposal\":" << (proposal ? jsonText(*proposal) : "null") << ",\"roles\":{";
        for (int r = 0; r < kLoadAllRoleCount; ++r) {
            c.out << (r ? "," : "") << jsonText(roleName(LoadAllRole(r))) << ":[";
            const auto& list = scan.of(LoadAllRole(r));
            for (size_t i = 0; i < list.size(); ++i)
                c.out << (i ? "," : "") << jsonText(list[i]);
            c.out << "]";
        }
        c.out << "},\"fields\":{";
        for (int f = 0; f < kLoadAllFieldCount; ++f)
            c.out << (f ? "," : "") << jsonText(kLoadAllFieldLabels[size_t(f)]) << ":"
                  << jsonText(names[size_t(f)].string());
        c.out << "}}\n";
        return;
    }
    c.out << "Extension:";
    for (const auto& s : scan.suffixes)
        c.out << " " << s << " (" << countSuffix(scan, s) << ")";
    c.out << "\nproposed: " << proposal.value_or("-") << "\n";
    for (int f = 0; f < kLoadAllFieldCount; ++f)
        c.out << kLoadAllFieldLabels[size_t(f)] << ": " << names[size_t(f)].string() << "\n";
}

int plan(Context& c) {
    if (c.args.positional().size() != 1)
        return c.usage("zentrik-cli loadall plan FOLDER [--suffix S] [--json]");
    const auto a = folderArg(c);
    if (!a)
        return kExitNotDone;
    printPlan(c, a->scan, a->suffix,
              a->suffix ? selectForSuffix(a->scan, *a->suffix, a->folder) : LoadAllNames{});
    return kExitDone;
}

int compress(Context& c) {
    if (c.args.positional().size() != 1)
        return c.usage("zentrik-cli loadall compress FOLDER [--suffix S] --yes");
    const auto a = folderArg(c);
    if (!a)
        return kExitNotDone;
    const fs::path& folder = a->folder;
    const auto& suffix = a->suffix;
    if (!suffix) {
        c.prompter.message(folder.string(), "No game files in this folder",
                           MessageIcon::Exclamation);
        return kExitNotDone;
    }
    if (c.prompter.ask("Rewrite every file of " + *suffix + " in " + folder.string() +
                           " with the current compression settings?",
                       "Compress all", Buttons::YesNo, MessageIcon::Question) != Answer::Yes)
        return kExitNotDone;
    Settings settings;
    InlineJobRunner jobs;
    SteadyClock clock;
    LoadAllFiles files(settings, c.prompter, jobs, clock);
    LoadAllSession session;
    const auto loaded = session.load(files, selectForSuffix(a->scan, *suffix, folder));
    const auto saved = session.compressAll(files);
    c.out << summarize(loaded) << summarize(saved);
    for (const auto* list : {&loaded, &saved})
        for (const auto& o : *list)
            if (!o.ok && !o.skipped)
                return kExitNotDone;
    return kExitDone;
}

const AreaRegistration kLoadAll{
    Area{"loadall",
         "a whole game folder at once",
         {
             {"plan",
              "FOLDER [--suffix S] [--json]",
              "the folder's files by role, its suffixes with their file counts, the proposed "
              "suffix and the file each field of Load All would take",
              plan,
              {"suffix"}},
             {"compress",
              "FOLDER [--suffix S] --yes",
              "load every data set of the suffix and write maps and the page file back with the "
              "current compression settings (music is never written)",
              compress,
              {"suffix"}},
         }}};

} // namespace

} // namespace zentrik::cli
