#include "io/FileOps.h"

#include <cerrno>
#include <cstring>
#include <string>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define ZENTRIK_POSIX_FILES 1
#else
#include <fstream>
#endif

namespace zentrik {

namespace fs = std::filesystem;

namespace {

// "PATH\nSTEP: REASON", the step in words and the system's reason; a save turns it into a
// message about the user's file (saveFailure).
Error failure(const fs::path& path, const char* what) {
    return Error{path.string() + "\n" + what + ": " + std::strerror(errno), "Cannot Write"};
}

#ifdef ZENTRIK_POSIX_FILES

// Closes the descriptor on every path out.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    // close() reports write-back errors some file systems only see at this point.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

Status syncPath(const fs::path& path, int flags) {
    Descriptor fd(::open(path.c_str(), flags | O_CLOEXEC));
    if (fd.get() < 0)
        return failure(path, "opening the file failed");
    if (::fsync(fd.get()) != 0 && errno != EINVAL) // EINVAL: the file system cannot sync
        return failure(path, "putting the file on the disk failed");
    return {};
}

class SystemFileOps final : public FileOps {
public:
    Status write(const fs::path& path, std::span<const uint8_t> bytes) override {
        // A new file, never the one behind the name: a leftover .tmp may share it with a .bak.
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            return failure(path, "removing an old file failed");
        Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.get() < 0)
            return failure(path, "creating the file failed");
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return failure(path, "writing the file failed");
            done += size_t(n);
        }
        if (!fd.close())
            return failure(path, "closing the file failed");
        return {};
    }
    Status flush(const fs::path& path) override { return syncPath(path, O_RDONLY); }
    Status flushFolder(const fs::path& folder) override {
        return syncPath(folder.empty() ? fs::path(".") : folder, O_RDONLY | O_DIRECTORY);
    }
    Status link(const fs::path& from, const fs::path& to) override {
        if (::link(from.c_str(), to.c_str()) != 0)
            return failure(to, "keeping the old file failed");
        return {};
    }
    Status rename(const fs::path& from, const fs::path& to) override {
        if (::rename(from.c_str(), to.c_str()) != 0)
            return failure(to, "renaming failed");
        return {};
    }
    Status remove(const fs::path& path) override {
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            return failure(path, "removing an old file failed");
        return {};
    }
};

#else

// Without POSIX calls: the standard library's operations, with no way to flush.
class SystemFileOps final : public FileOps {
public:
    Status write(const fs::path& path, std::span<const uint8_t> bytes) override {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        out.close();
        if (!out)
            return Error{path.string(), "Cannot Write"};
        return {};
    }
    Status flush(const fs::path&) override { return {}; }
    Status flushFolder(const fs::path&) override { return {}; }
    Status link(const fs::path& from, const fs::path& to) override {
        std::error_code ec;
        fs::create_hard_link(from, to, ec);
        return ec ? Status{Error{to.string(), "Cannot Write"}} : Status{};
    }
    Status rename(const fs::path& from, const fs::path& to) override {
        std::error_code ec;
        fs::rename(from, to, ec);
        return ec ? Status{Error{to.string(), "Cannot Write"}} : Status{};
    }
    Status remove(const fs::path& path) override {
        std::error_code ec;
        fs::remove(path, ec);
        return ec ? Status{Error{path.string(), "Cannot Write"}} : Status{};
    }
};

#endif

FileOps* g_current = nullptr;

} // namespace

FileOps& systemFileOps() {
    static SystemFileOps ops;
    return ops;
}

FileOps& fileOps() {
    return g_current ? *g_current : systemFileOps();
}

ScopedFileOps::ScopedFileOps(FileOps& ops) : m_previous(g_current) {
    g_current = &ops;
}

ScopedFileOps::~ScopedFileOps() {
    g_current = m_previous;
}

} // namespace zentrik
