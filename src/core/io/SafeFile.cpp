#include "io/SafeFile.h"

#include <fstream>
#include <system_error>

namespace zentrik {

namespace fs = std::filesystem;

Result<std::vector<uint8_t>> readWholeFile(const fs::path& path, uint64_t maxBytes) {
    const Error cannotOpen{path.string(), "Cannot Open"};
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return cannotOpen;
    const auto size = fs::file_size(path, ec);
    if (ec || size > maxBytes)
        return cannotOpen;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return cannotOpen;
    std::vector<uint8_t> bytes(size);
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size)))
        return cannotOpen;
    return bytes;
}

Status writeWholeFile(const fs::path& path, std::span<const uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return Error{path.string(), "Cannot Write"};
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.flush();
    if (!out)
        return Error{path.string(), "Cannot Write"};
    out.close();
    if (out.fail())
        return Error{path.string(), "Cannot Write"};
    return {};
}

fs::path tmpPathOf(const fs::path& path) {
    return fs::path(path.string() + ".tmp");
}
fs::path bakPathOf(const fs::path& path) {
    return fs::path(path.string() + ".bak");
}

FileReplacement::~FileReplacement() {
    if (!m_committed)
        abandon();
}

Status FileReplacement::stage(const fs::path& target, std::span<const uint8_t> bytes) {
    const auto tmp = tmpPathOf(target);
    m_targets.push_back(target);
    if (auto st = writeWholeFile(tmp, bytes); !st) {
        abandon();
        return st;
    }
    return {};
}

Status FileReplacement::commit() {
    std::error_code ec;
    // Every .tmp must still be there before any target is touched.
    for (const auto& t : m_targets) {
        if (!fs::is_regular_file(tmpPathOf(t), ec)) {
            abandon();
            return Error{tmpPathOf(t).string(), "Cannot Open"};
        }
    }
    for (const auto& t : m_targets) {
        if (fs::exists(t, ec)) {
            fs::remove(bakPathOf(t), ec);
            fs::rename(t, bakPathOf(t), ec);
            if (ec)
                return Error{t.string(), "Cannot Write"};
        }
        fs::rename(tmpPathOf(t), t, ec);
        if (ec)
            return Error{t.string(), "Cannot Write"};
    }
    m_committed = true;
    return {};
}

void FileReplacement::abandon() {
    std::error_code ec;
    for (const auto& t : m_targets)
        fs::remove(tmpPathOf(t), ec);
    m_targets.clear();
}

Status replaceFile(const fs::path& target, std::span<const uint8_t> bytes) {
    FileReplacement r;
    if (auto st = r.stage(target, bytes); !st)
        return st;
    return r.commit();
}

} // namespace zentrik
