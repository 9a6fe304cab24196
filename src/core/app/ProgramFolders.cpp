#include "app/ProgramFolders.h"

#include "app/Settings.h"

#include <cstdlib>
#include <system_error>

namespace zentrik {

namespace fs = std::filesystem;

namespace {

bool holdsData(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / kProgramDataMarker, ec);
}

// Copies what the target lacks; files the user already has are never overwritten.
void seedMissing(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::create_directories(to, ec);
    for (fs::recursive_directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path target = to / fs::relative(it->path(), from, ec);
        if (ec)
            return;
        std::error_code step;
        if (it->is_directory(step))
            fs::create_directories(target, step);
        else if (it->is_regular_file(step) && !fs::exists(target, step))
            fs::copy_file(it->path(), target, step);
    }
}

} // namespace

fs::path findDataFolder(const fs::path& exeDir) {
    if (holdsData(exeDir))
        return exeDir;
    std::error_code ec;
    const fs::path installed = fs::weakly_canonical(exeDir / kInstalledDataFolder, ec);
    if (!ec && holdsData(installed))
        return installed;
    return exeDir;
}

ProgramFolders resolveProgramFolders(const fs::path& exeDir, const fs::path& userDir) {
    if (holdsData(exeDir) && folderIsWritable(exeDir))
        return {exeDir, exeDir};
    const fs::path data = findDataFolder(exeDir);
    if (userDir.empty())
        return {data, data};
    seedMissing(data, userDir);
    return {data, userDir};
}

fs::path executableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path(ec) : exe.parent_path();
}

std::filesystem::path userCacheFolder() {
    constexpr const char* kFolderName = "Zentrik";
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache && *cache && std::filesystem::path(cache).is_absolute())
        return std::filesystem::path(cache) / kFolderName;
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::filesystem::path(home) / ".cache" / kFolderName;
    std::error_code ec;
    return std::filesystem::temp_directory_path(ec) / kFolderName;
}

} // namespace zentrik
