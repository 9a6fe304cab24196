#include "io/CompanionFile.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace zentrik {

namespace fs = std::filesystem;

namespace {
bool sameNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}
} // namespace

fs::path companionFile(const fs::path& folder, const std::string& stem, const std::string& ext) {
    const std::string wanted = ext.empty() ? stem : stem + "." + ext;
    std::error_code ec;
    if (fs::exists(folder / wanted, ec))
        return folder / wanted;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if (sameNoCase(file, wanted))
            return folder / file;
    }
    return folder / wanted;
}

fs::path companionOf(const fs::path& chosen, const std::string& stem) {
    std::string ext = chosen.extension().string();
    if (!ext.empty())
        ext.erase(0, 1);
    return companionFile(chosen.parent_path(), stem, ext);
}

} // namespace zentrik
