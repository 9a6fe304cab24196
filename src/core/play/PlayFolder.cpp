#include "play/PlayFolder.h"

#include "io/CompanionFile.h"
#include "io/SafeFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <set>

namespace zentrik {

namespace fs = std::filesystem;

namespace {

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

// Files the game only ever reads: a second name of them costs nothing and cannot be written
// through by the game.
bool isReadOnlyGameFile(const fs::path& name) {
    static constexpr std::array<const char*, 10> kStems = {
        "GAMEMAPS", "MAPTEMP", "MAPHEAD", "VSWAP",  "GFXTILES",
        "VGAGRAPH", "VGAHEAD", "VGADICT", "AUDIOT", "AUDIOHED"};
    const std::string stem = upper(name.stem().string());
    const std::string ext = upper(name.extension().string());
    if (ext == ".EXE" || ext == ".COM")
        return true;
    return std::find(kStems.begin(), kStems.end(), stem) != kStems.end();
}

bool isLeftover(const fs::path& name) {
    const std::string ext = upper(name.extension().string());
    return ext == ".TMP" || ext == ".BAK" || ext == ".COMMIT";
}

// True when one folder is the other or lies somewhere inside it.
bool nested(const fs::path& a, const fs::path& b) {
    auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return ia == a.end() || ib == b.end();
}

Error folderError(const std::string& text) {
    return Error{text, "Play level"};
}

// Copies or links every file of the game folder into `into`.
Result<PlayFolderReport> mirror(const fs::path& game, const fs::path& into) {
    PlayFolderReport report;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(game, ec)) {
        std::error_code fileEc;
        if (!entry.is_regular_file(fileEc))
            continue; // folders and devices stay out: the game reads its own folder only
        const fs::path source = fs::canonical(entry.path(), fileEc);
        const fs::path name = entry.path().filename();
        if (fileEc)
            return folderError(entry.path().string() + ": " + fileEc.message());
        if (isReadOnlyGameFile(name)) {
            fs::create_hard_link(source, into / name, fileEc);
            if (!fileEc) {
                report.linked.push_back(name.string());
                continue;
            }
            fileEc.clear();
        }
        fs::copy_file(source, into / name, fs::copy_options::overwrite_existing, fileEc);
        if (fileEc)
            return folderError((into / name).string() + ": " + fileEc.message());
        report.copied.push_back(name.string());
    }
    if (ec)
        return folderError(game.string() + ": " + ec.message());
    return report;
}

} // namespace

fs::path playRootFrom(const char* xdgCacheHome, const char* home) {
    if (xdgCacheHome && *xdgCacheHome && fs::path(xdgCacheHome).is_absolute())
        return fs::path(xdgCacheHome) / "Zentrik" / "play";
    if (home && *home)
        return fs::path(home) / ".cache" / "Zentrik" / "play";
    return {};
}

fs::path playRoot() {
    return playRootFrom(std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"));
}

fs::path playFolderOf(const fs::path& root, const std::string& suffix) {
    std::string name = upper(suffix);
    name.erase(
        std::remove_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }),
        name.end());
    return root / (name.empty() ? std::string("GAME") : name);
}

std::string playFileName(const fs::path& folder, const std::string& stem, const std::string& ext) {
    return companionFile(folder, upper(stem), upper(ext)).filename().string();
}

bool writePlayFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::error_code ec;
    fs::remove(path, ec);
    return !ec && writeWholeFile(path, bytes).ok();
}

Result<PlayFolderReport> buildPlayFolder(const PlayFolderRequest& request) {
    std::error_code ec;
    if (!fs::is_directory(request.gameFolder, ec))
        return folderError("The game folder does not exist: " + request.gameFolder.string());
    if (request.playFolder.empty())
        return folderError("No folder for the play folder: neither XDG_CACHE_HOME nor HOME is "
                           "set.");
    const fs::path game = fs::canonical(request.gameFolder, ec);
    const fs::path play = fs::weakly_canonical(fs::absolute(request.playFolder), ec);
    if (ec || nested(game, play))
        return folderError("The game folder and the play folder overlap: " + game.string() +
                           " and " + play.string());
    fs::path staging = play;
    staging += ".partial";
    fs::remove_all(staging, ec);
    fs::create_directories(staging, ec);
    if (ec)
        return folderError(staging.string() + ": " + ec.message());
    auto fail = [&](Error e) -> Result<PlayFolderReport> {
        std::error_code ignored;
        fs::remove_all(staging, ignored);
        return e;
    };

    auto report = mirror(game, staging);
    if (!report)
        return fail(report.error());
    for (const PlayWriter& write : request.writers)
        if (!write(staging))
            return fail(folderError("The play folder was not built: " + play.string()));
    // The savers keep backups and journals beside what they replace; the game needs none.
    std::set<std::string> own(report->linked.begin(), report->linked.end());
    own.insert(report->copied.begin(), report->copied.end());
    std::vector<fs::path> leftovers;
    for (const fs::directory_entry& entry : fs::directory_iterator(staging, ec)) {
        const std::string name = entry.path().filename().string();
        if (isLeftover(name) && !own.count(name))
            leftovers.push_back(entry.path());
    }
    for (const fs::path& p : leftovers)
        fs::remove(p, ec);
    fs::remove_all(play, ec);
    if (!ec)
        fs::rename(staging, play, ec);
    if (ec)
        return fail(folderError(play.string() + ": " + ec.message()));
    return report;
}

} // namespace zentrik
