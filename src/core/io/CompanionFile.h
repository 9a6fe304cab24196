#pragma once

#include <filesystem>
#include <string>

namespace zentrik {

// The file "STEM.EXT" in folder. Game folders copied from DOS often mix cases, so when the exact
// name does not exist an existing name that differs only in case is taken; when there is none
// either, the exact name (whose opening then fails with that name in the message).
std::filesystem::path companionFile(const std::filesystem::path& folder, const std::string& stem,
                                    const std::string& ext);

// The companion of a chosen file: the stem with the chosen file's suffix, in its folder.
std::filesystem::path companionOf(const std::filesystem::path& chosen, const std::string& stem);

} // namespace zentrik
