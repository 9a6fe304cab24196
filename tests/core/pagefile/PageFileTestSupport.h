#pragma once

#include "TestSupport.h"

#include "io/ByteWriter.h"
#include "pagefile/PageFile.h"
#include "pagefile/PageFileReader.h"
#include "pagefile/PageFiles.h"
#include "pagefile/PageFileWriter.h"

#include <gtest/gtest.h>

namespace zentrik::test {

// A page file built by hand: the chunks in order, nullopt for an absent one.
inline std::vector<uint8_t>
craftPageFile(uint16_t spriteStart, uint16_t soundStart,
              const std::vector<std::optional<std::vector<uint8_t>>>& chunks) {
    ByteWriter w;
    w.u16(uint16_t(chunks.size()));
    w.u16(spriteStart);
    w.u16(soundStart);
    size_t offset = kPageHeaderBytes + chunks.size() * kPageEntryBytes;
    for (const auto& c : chunks) {
        w.u32(c ? uint32_t(offset) : 0);
        offset += c ? c->size() : 0;
    }
    for (const auto& c : chunks)
        w.u16(uint16_t(c ? c->size() : 0));
    for (const auto& c : chunks)
        if (c)
            w.bytes(*c);
    return w.take();
}

// Loads with an inline job and a strict prompter; returns the job's code.
template <class Set, class Worker>
int runLoad(Worker worker, const std::vector<uint8_t>& file, Set& out, ScriptedPrompter& prompter) {
    InlineProgress progress;
    return worker(file, progress, prompter, out);
}

struct PageFilesFixture {
    StrictPrompter prompter;
    InlineJobRunner jobs;
    FakeClock clock;
    QuietTime quiet;
    std::filesystem::path folder;
    PageFiles files{PageFileServices{prompter, jobs, quiet, clock,
                                     [this](const std::filesystem::path& f) { folder = f; }}};
};

} // namespace zentrik::test
