#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>

namespace zentrik::test {

namespace fs = std::filesystem;

fs::path gamedataDir() {
    if (const char* env = std::getenv("ZENTRIK_GAMEDATA"); env && *env)
        return fs::is_directory(env) ? fs::path(env) : fs::path();
    const fs::path def = ZENTRIK_DEFAULT_GAMEDATA;
    return fs::is_directory(def) ? def : fs::path();
}

// One read of the whole file: byte-wise stream iterators cost seconds per megabyte under the
// sanitizers.
std::vector<uint8_t> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return {};
    std::vector<uint8_t> bytes(size_t(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    bytes.resize(size_t(in.gcount()));
    return bytes;
}

void writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> readGameFile(const std::string& relative) {
    return readBytes(gamedataDir() / relative);
}

TempDir::TempDir() {
    std::random_device rd;
    const auto base = fs::temp_directory_path();
    for (;;) {
        m_path = base / ("zentrik-test-" + std::to_string(rd()));
        if (fs::create_directory(m_path))
            break;
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

fs::path TempDir::copyGameFile(const std::string& relative) const {
    const fs::path src = gamedataDir() / relative;
    const fs::path dst = m_path / src.filename();
    fs::copy_file(src, dst, fs::copy_options::overwrite_existing);
    fs::permissions(dst, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);
    return dst;
}

StrictPrompter::StrictPrompter() {
    onUnexpected = [](const std::string& what) { ADD_FAILURE() << what; };
}

std::map<std::string, std::vector<uint8_t>> everyFile(const fs::path& folder) {
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& e : fs::directory_iterator(folder))
        files[e.path().filename().string()] = readBytes(e.path());
    return files;
}

} // namespace zentrik::test
