#pragma once

#include "Result.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace zentrik {

// Whole-file reading and the safe replacement that every writer goes through.
//
// A replacement writes NAME.tmp and puts it on the disk, keeps the old NAME as NAME.bak (a
// second name for the same file, or a flushed copy), and only then renames NAME.tmp over NAME:
// rename replaces in one step, so NAME is never missing. The files of a set are renamed one
// after the other under a journal (NAME.commit beside each of them): when a step fails the
// files already replaced are put back from their backups, and when the program dies in the
// middle, the next read of any file of the set finishes the renames. Either way a set is never
// half old and half new.

// Reads a whole file, first finishing a replacement of it that was interrupted. Failure:
// Error{path, "Cannot Open"}. Files longer than maxBytes are refused the same way, so a stray
// huge file cannot exhaust memory.
Result<std::vector<uint8_t>> readWholeFile(const std::filesystem::path& path,
                                           uint64_t maxBytes = 256u * 1024 * 1024);

// Writes bytes to exactly this path (no replacement logic). Failure: Error{"PATH\nSTEP: REASON",
// "Cannot Write"}.
Status writeWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);

std::filesystem::path tmpPathOf(const std::filesystem::path& path);
std::filesystem::path bakPathOf(const std::filesystem::path& path);
std::filesystem::path journalPathOf(const std::filesystem::path& path);

// When a journal lies beside `target`, completes the replacement it records (the .tmp files
// still there take their names) and removes the journal. False when that failed.
bool finishInterruptedReplacement(const std::filesystem::path& target);

// What a failed save tells the user: the file they meant (not the .tmp, .bak or journal beside
// it that a step worked on), then the step that failed and the system's reason as `cause`
// ("PATH\nSTEP: REASON") has them.
Error saveFailure(const std::vector<std::filesystem::path>& targets, const Error& cause);

// A set of files replaced together.
class FileReplacement {
public:
    FileReplacement() = default;
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    // Removes the .tmp files of an uncommitted set.
    ~FileReplacement();

    // Writes NAME.tmp for this target and flushes it. On failure the .tmp files written so far
    // are removed. Errors of stage() and commit() name the target (saveFailure).
    Status stage(const std::filesystem::path& target, std::span<const uint8_t> bytes);

    // Replaces every target by its .tmp, keeping the old ones as .bak (a missing target is
    // fine). All or nothing: on failure every target is as it was and the Error names the
    // file that failed.
    Status commit();

    // Removes the staged .tmp files without touching the targets.
    void abandon();

    const std::vector<std::filesystem::path>& targets() const { return m_targets; }

private:
    struct Plan;
    Status commitSet();
    Status backUp(Plan& plan);
    Status rename(Plan& plan);
    Status rollBack(const Plan& plan, size_t replaced, Error cause);

    std::vector<std::filesystem::path> m_targets;
    bool m_committed = false;
};

// One file replaced on its own.
Status replaceFile(const std::filesystem::path& target, std::span<const uint8_t> bytes);

// NAME.bak is the file as it was before this run of the program first replaced it: every
// replacement is noted for the rest of the run, and a later replacement of a noted file leaves
// its .bak alone (a file that did not exist then gets none). The record lives as long as the
// process; forgetting it starts a new run (for tests).
bool replacedInThisRun(const std::filesystem::path& target);
void forgetReplacementsOfThisRun();

// The text of a failed write for the user: the file they chose, then the system's reason
// (the failure may have named a scratch file such as NAME.tmp instead).
std::string failureText(const std::filesystem::path& chosen, const Error& failure);

} // namespace zentrik
