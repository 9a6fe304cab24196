#pragma once

#include "CliArea.h"

#include "app/JobProtocol.h"
#include "pagefile/PageFileReader.h"
#include "pagefile/PageFiles.h"

#include <cstdio>
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

// The page file's collections with inline jobs and the CLI's prompter.
struct Session {
    explicit Session(Context& c) : files(PageFileServices{c.prompter, jobs, quiet, clock}) {}
    InlineJobRunner jobs;
    SteadyClock clock;
    QuietTime quiet;
    PageFiles files;
};

} // namespace zentrik::cli
