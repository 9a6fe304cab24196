#include "io/SafeFile.h"

#include "io/FileOps.h"

#include <fstream>
#include <set>
#include <system_error>

namespace zentrik {

namespace fs = std::filesystem;

namespace {

// The targets replaced so far in this run, by absolute path.
std::set<fs::path>& runRecord() {
    static std::set<fs::path> record;
    return record;
}

void noteReplaced(const fs::path& target) {
    runRecord().insert(fs::absolute(target));
}

Result<std::vector<uint8_t>> readPlain(const fs::path& path, uint64_t maxBytes) {
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

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

Status writeFlushed(FileOps& ops, const fs::path& path, std::span<const uint8_t> bytes) {
    if (auto st = ops.write(path, bytes); !st)
        return st;
    return ops.flush(path);
}

Status copyFlushed(FileOps& ops, const fs::path& from, const fs::path& to) {
    auto bytes = readPlain(from, UINT64_MAX);
    if (!bytes)
        return bytes.error();
    return writeFlushed(ops, to, *bytes);
}

// A second name `to` for `from`: a hard link, or a flushed copy where the file system has none.
Status linkOrCopy(FileOps& ops, const fs::path& from, const fs::path& to) {
    if (ops.link(from, to))
        return {};
    return copyFlushed(ops, from, to);
}

std::set<fs::path> foldersOf(const std::vector<fs::path>& paths) {
    std::set<fs::path> folders;
    for (const auto& p : paths)
        folders.insert(p.parent_path());
    return folders;
}

Status flushFolders(FileOps& ops, const std::vector<fs::path>& paths) {
    for (const auto& folder : foldersOf(paths))
        if (auto st = ops.flushFolder(folder); !st)
            return st;
    return {};
}

std::vector<fs::path> readJournal(const fs::path& journal) {
    std::vector<fs::path> targets;
    std::ifstream in(journal);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            targets.emplace_back(line);
    return targets;
}

// The journal goes beside every target, so reading any file of the set finds it. Each copy is
// complete before it takes its name.
Status writeJournals(FileOps& ops, const std::vector<fs::path>& targets) {
    std::string text;
    for (const auto& t : targets)
        text += fs::absolute(t).string() + "\n";
    const fs::path first = journalPathOf(targets.front());
    const auto bytes = std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    if (auto st = writeFlushed(ops, tmpPathOf(first), bytes); !st)
        return st;
    if (auto st = ops.rename(tmpPathOf(first), first); !st)
        return st;
    for (size_t i = 1; i < targets.size(); ++i) {
        const fs::path journal = journalPathOf(targets[i]);
        if (auto st = ops.remove(journal); !st)
            return st;
        if (auto st = linkOrCopy(ops, first, journal); !st)
            return st;
    }
    return flushFolders(ops, targets);
}

void removeJournals(FileOps& ops, const std::vector<fs::path>& targets) {
    for (const auto& t : targets)
        ops.remove(journalPathOf(t));
}

} // namespace

Result<std::vector<uint8_t>> readWholeFile(const fs::path& path, uint64_t maxBytes) {
    finishInterruptedReplacement(path);
    return readPlain(path, maxBytes);
}

Status writeWholeFile(const fs::path& path, std::span<const uint8_t> bytes) {
    return fileOps().write(path, bytes);
}

Error saveFailure(const std::vector<fs::path>& targets, const Error& cause) {
    const size_t lineEnd = cause.text.find('\n');
    const std::string first = cause.text.substr(0, lineEnd);
    std::string meant = first;
    for (const auto& t : targets)
        if (first.rfind(t.string(), 0) == 0)
            meant = t.string();
    const std::string rest = lineEnd == std::string::npos ? "" : cause.text.substr(lineEnd + 1);
    std::string text = meant + "\nSaving failed";
    if (!rest.empty())
        text += ": " + rest;
    return Error{text, cause.caption};
}

fs::path tmpPathOf(const fs::path& path) {
    return fs::path(path.string() + ".tmp");
}
fs::path bakPathOf(const fs::path& path) {
    return fs::path(path.string() + ".bak");
}
fs::path journalPathOf(const fs::path& path) {
    return fs::path(path.string() + ".commit");
}

bool finishInterruptedReplacement(const fs::path& target) {
    const fs::path journal = journalPathOf(target);
    if (!isFile(journal))
        return true;
    FileOps& ops = fileOps();
    const auto targets = readJournal(journal);
    // The journal was written after every .tmp of the set was complete: the ones still there
    // are the renames the interrupted save did not get to.
    for (const auto& t : targets)
        if (isFile(tmpPathOf(t)) && !ops.rename(tmpPathOf(t), t))
            return false;
    if (!targets.empty() && !flushFolders(ops, targets))
        return false;
    removeJournals(ops, targets);
    return bool(ops.remove(journal));
}

// What a commit needs to go back: per target whether it existed and where its old content is
// kept meanwhile (NAME.bak, or NAME.bak.tmp after the first replacement of the run, since
// NAME.bak then holds an older file).
struct FileReplacement::Plan {
    struct Item {
        fs::path target;
        bool hadOld = false;
        fs::path oldCopy;
        bool oldCopyIsScratch = false;
    };
    std::vector<Item> items;
};

FileReplacement::~FileReplacement() {
    if (!m_committed)
        abandon();
}

Status FileReplacement::stage(const fs::path& target, std::span<const uint8_t> bytes) {
    // A journal left by a killed save names this target's .tmp: settle it before writing one.
    finishInterruptedReplacement(target);
    m_targets.push_back(target);
    if (auto st = writeFlushed(fileOps(), tmpPathOf(target), bytes); !st) {
        abandon();
        return saveFailure({target}, st.error());
    }
    return {};
}

Status FileReplacement::backUp(Plan& plan) {
    FileOps& ops = fileOps();
    for (auto& item : plan.items) {
        if (!item.hadOld)
            continue;
        const fs::path scratch = tmpPathOf(bakPathOf(item.target));
        if (auto st = ops.remove(scratch); !st)
            return st;
        if (auto st = linkOrCopy(ops, item.target, scratch); !st)
            return st;
        item.oldCopy = scratch;
        item.oldCopyIsScratch = true;
        if (replacedInThisRun(item.target))
            continue;
        // Replaces the previous .bak only now that the old file is safely held twice.
        if (auto st = ops.rename(scratch, bakPathOf(item.target)); !st)
            return st;
        item.oldCopy = bakPathOf(item.target);
        item.oldCopyIsScratch = false;
    }
    return {};
}

Status FileReplacement::rename(Plan& plan) {
    FileOps& ops = fileOps();
    const bool journal = plan.items.size() > 1;
    if (journal) {
        if (auto st = writeJournals(ops, m_targets); !st)
            return rollBack(plan, 0, st.error());
    }
    for (size_t i = 0; i < plan.items.size(); ++i) {
        const fs::path& t = plan.items[i].target;
        if (auto st = ops.rename(tmpPathOf(t), t); !st)
            return rollBack(plan, i, st.error());
    }
    if (auto st = flushFolders(ops, m_targets); !st)
        return rollBack(plan, plan.items.size(), st.error());
    if (journal)
        removeJournals(ops, m_targets);
    return {};
}

Status FileReplacement::commit() {
    const std::vector<fs::path> targets = m_targets;
    Status st = commitSet();
    if (!st)
        return saveFailure(targets, st.error());
    return st;
}

Status FileReplacement::commitSet() {
    // Every .tmp must still be there before any target is touched.
    for (const auto& t : m_targets) {
        if (!isFile(tmpPathOf(t))) {
            const fs::path missing = tmpPathOf(t);
            abandon();
            return Error{missing.string() + "\nthe new file is gone", "Cannot Write"};
        }
    }
    Plan plan;
    for (const auto& t : m_targets)
        plan.items.push_back({t, isFile(t), {}, false});
    if (auto st = backUp(plan); !st)
        return rollBack(plan, 0, st.error());
    if (auto st = rename(plan); !st)
        return st;
    FileOps& ops = fileOps();
    for (const auto& item : plan.items) {
        if (item.oldCopyIsScratch)
            ops.remove(item.oldCopy);
    }
    for (const auto& t : m_targets)
        noteReplaced(t);
    m_committed = true;
    return {};
}

// Puts the first `replaced` targets back from their old copies and drops the rest of the set.
// The .tmp files go first and the journal next, so that a later read cannot roll the set
// forward into a mix. Returns the cause, plus what could not be put back.
Status FileReplacement::rollBack(const Plan& plan, size_t replaced, Error cause) {
    FileOps& ops = fileOps();
    bool restored = true;
    for (size_t i = replaced; i < plan.items.size(); ++i)
        ops.remove(tmpPathOf(plan.items[i].target));
    removeJournals(ops, m_targets);
    for (size_t i = 0; i < plan.items.size(); ++i) {
        const auto& item = plan.items[i];
        if (i < replaced && !item.hadOld) {
            restored &= bool(ops.remove(item.target));
        } else if (i < replaced && item.oldCopyIsScratch) {
            restored &= bool(ops.rename(item.oldCopy, item.target));
        } else if (i < replaced) {
            // NAME.bak stays, and as a copy rather than a link, so that a program writing
            // NAME in place later cannot change the backup with it.
            restored &= copyFlushed(ops, item.oldCopy, tmpPathOf(item.target)) &&
                        ops.rename(tmpPathOf(item.target), item.target);
        } else if (item.oldCopyIsScratch) {
            ops.remove(item.oldCopy);
        }
    }
    flushFolders(ops, m_targets);
    m_targets.clear();
    if (!restored)
        cause.text += "\nThe files replaced so far could not all be put back; their old "
                      "content is in the .bak files.";
    return cause;
}

void FileReplacement::abandon() {
    for (const auto& t : m_targets)
        fileOps().remove(tmpPathOf(t));
    m_targets.clear();
}

std::string failureText(const fs::path& chosen, const Error& failure) {
    const size_t lineEnd = failure.text.find('\n');
    if (lineEnd == std::string::npos)
        return failure.text == chosen.string() ? failure.text
                                               : chosen.string() + "\n" + failure.text;
    return chosen.string() + failure.text.substr(lineEnd);
}

Status replaceFile(const fs::path& target, std::span<const uint8_t> bytes) {
    FileReplacement r;
    if (auto st = r.stage(target, bytes); !st)
        return st;
    return r.commit();
}

bool replacedInThisRun(const fs::path& target) {
    return runRecord().count(fs::absolute(target)) > 0;
}

void forgetReplacementsOfThisRun() {
    runRecord().clear();
}

} // namespace zentrik
