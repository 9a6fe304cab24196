#pragma once

#include "Result.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace zentrik {

// The few file-system operations a save is made of. Every replacement of a file goes through
// them, so a test can make any one of them fail and check that no data was lost. Each returns
// Error{path, "Cannot Write"} (or similar) naming the file that failed.
class FileOps {
public:
    virtual ~FileOps() = default;
    // Writes the bytes to a new file `path`; a file of that name is replaced, not overwritten
    // (another name of it keeps its content).
    virtual Status write(const std::filesystem::path& path, std::span<const uint8_t> bytes) = 0;
    // Puts the content of `path` on the disk (fsync).
    virtual Status flush(const std::filesystem::path& path) = 0;
    // Puts the folder's entries (names created, renamed, removed) on the disk.
    virtual Status flushFolder(const std::filesystem::path& folder) = 0;
    // A second name `to` for the file `from`; `to` must not exist.
    virtual Status link(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Renames `from` to `to`, replacing `to` in one step.
    virtual Status rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Removes `path`; a path that is not there is no error.
    virtual Status remove(const std::filesystem::path& path) = 0;
};

// The operations of the running system.
FileOps& systemFileOps();

// The operations every file replacement uses: the system's, unless a ScopedFileOps is active.
FileOps& fileOps();

// Routes fileOps() to `ops` while alive, so tests can watch and break a saver's file steps.
class ScopedFileOps {
public:
    explicit ScopedFileOps(FileOps& ops);
    ~ScopedFileOps();
    ScopedFileOps(const ScopedFileOps&) = delete;
    ScopedFileOps& operator=(const ScopedFileOps&) = delete;

private:
    FileOps* m_previous;
};

} // namespace zentrik
