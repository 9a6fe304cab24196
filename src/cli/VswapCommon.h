#pragma once

#include "CliArea.h"

#include "app/JobProtocol.h"
#include "pagefile/PageFileReader.h"
#include "pagefile/PageFiles.h"

#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

namespace zentrik::cli {

// FNV-1a, 64 bits: a fingerprint of chunk and image bytes that scripts can recompute.
inline std::string fnv1aHex(std::span<const uint8_t> bytes) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint8_t b : bytes) {
        h ^= b;
        h *= 0x100000001b3ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

// The folder of this executable, where the program's data (palette/, ...) lies.
inline std::filesystem::path programDir() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

// The CLI's prompter, with the resample question answered by --resample (Yes) or --copy
// (No); every other question goes on to the stream prompter (--yes).
class ScriptedAnswers : public Prompter {
public:
    ScriptedAnswers(StreamPrompter& inner, bool resample, bool copy)
        : m_inner(inner), m_resample(resample), m_copy(copy) {}
    void message(const std::string& t, const std::string& c, MessageIcon i) override {
        m_inner.message(t, c, i);
    }
    Answer ask(const std::string& t, const std::string& c, Buttons b, MessageIcon i) override {
        if (c == "Resample picture?" && (m_resample || m_copy))
            return m_resample ? Answer::Yes : Answer::No;
        return m_inner.ask(t, c, b, i);
    }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> chooseFolder(const std::string&, const std::string&) override {
        return {};
    }

private:
    StreamPrompter& m_inner;
    bool m_resample, m_copy;
};

// The page file's collections with inline jobs and the CLI's prompter.
struct Session {
    explicit Session(Context& c) : files(PageFileServices{c.prompter, jobs, quiet, clock, {}}) {}
    InlineJobRunner jobs;
    SteadyClock clock;
    QuietTime quiet;
    PageFiles files;
};

} // namespace zentrik::cli
