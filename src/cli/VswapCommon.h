#pragma once

#include "CliArea.h"
#include "CliCommon.h"

#include "app/JobProtocol.h"
#include "pagefile/PageFileReader.h"
#include "pagefile/PageFiles.h"

#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

namespace zentrik::cli {

// The CLI's prompter, with the resample question answered by the scaling options; every
// other question goes on to the stream prompter (--yes).
inline AnswerByCaption resampleAnswers(Context& c) {
    return AnswerByCaption(
        c.prompter, [](const std::string&) -> std::optional<Answer> { return std::nullopt; },
        scalingOption(c));
}

// The page file's collections with inline jobs and the CLI's prompter.
struct Session {
    explicit Session(Context& c) : files(PageFileServices{c.prompter, jobs, quiet, clock, {}}) {}
    InlineJobRunner jobs;
    SteadyClock clock;
    QuietTime quiet;
    PageFiles files;
};

} // namespace zentrik::cli
