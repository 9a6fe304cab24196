#pragma once

#include "Result.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace zentrik {

// Whole-file reading and the safe replacement that every writer goes through: the new content
// is written to NAME.tmp; only when every file of a set is complete is NAME renamed to
// NAME.bak and NAME.tmp to NAME. On any failure the old files stay untouched.

// Reads a whole file. Failure: Error{path, "Cannot Open"}. Files longer than maxBytes are
// refused the same way, so a stray huge file cannot exhaust memory.
Result<std::vector<uint8_t>> readWholeFile(const std::filesystem::path& path,
                                           uint64_t maxBytes = 256u * 1024 * 1024);

// Writes bytes to exactly this path (no replacement logic). Failure: Error{path, "Cannot Write"}.
Status writeWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);

std::filesystem::path tmpPathOf(const std::filesystem::path& path);
std::filesystem::path bakPathOf(const std::filesystem::path& path);

// A set of files replaced together.
class FileReplacement {
public:
    FileReplacement() = default;
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    // Removes the .tmp files of an uncommitted set.
    ~FileReplacement();

    // Writes NAME.tmp for this target. On failure the .tmp files written so far are removed.
    Status stage(const std::filesystem::path& target, std::span<const uint8_t> bytes);

    // Moves every target to .bak (a missing target is fine) and every .tmp into place.
    Status commit();

    // Removes the staged .tmp files without touching the targets.
    void abandon();

    const std::vector<std::filesystem::path>& targets() const { return m_targets; }

private:
    std::vector<std::filesystem::path> m_targets;
    bool m_committed = false;
};

// One file replaced on its own.
Status replaceFile(const std::filesystem::path& target, std::span<const uint8_t> bytes);

} // namespace zentrik
