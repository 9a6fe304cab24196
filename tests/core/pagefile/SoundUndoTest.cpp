// The sound page's edits as undo steps: every edit undone and redone gives back exactly the
// set it started from, and a history back at its clean mark is clean.
#include "TestSupport.h"

#include "io/ByteWriter.h"
#include "pagefile/SoundUndo.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

std::vector<std::vector<uint8_t>> samplesOf(const SoundSet& set) {
    std::vector<std::vector<uint8_t>> out;
    for (const Sound& s : set.sounds)
        out.push_back(s.samples);
    return out;
}

std::vector<uint8_t> wav8(std::vector<uint8_t> data) {
    ByteWriter w;
    w.text("RIFF");
    w.u32(uint32_t(36 + data.size()));
    w.text("WAVEfmt ");
    for (uint32_t v : {16u, 0x10001u, 7042u, 7042u, 0x80001u})
        w.u32(v);
    w.text("data");
    w.u32(uint32_t(data.size()));
    w.bytes(data);
    return w.take();
}

TEST(SoundUndo, EveryEditUndoesAndRedoesExactly) {
    SoundSet set;
    set.sounds = {Sound::fromSamples({1, 2}), Sound::fromSamples({3})};
    UndoHistory history;
    StrictPrompter p;
    const auto start = samplesOf(set);

    using Edit = std::function<void()>;
    const std::pair<const char*, Edit> edits[] = {
        {"insert", [&] { EXPECT_EQ(insertSoundStep(set, 0, history, &p), 1); }},
        {"remove", [&] { EXPECT_EQ(removeSoundStep(set, 1, history), 1); }},
        {"import",
         [&] {
             EXPECT_TRUE(importSoundStep(set, 1, wav8({9, 9, 9}), 7042, p, history));
         }},
    };
    for (const auto& [what, edit] : edits) {
        const auto before = samplesOf(set);
        edit();
        const auto after = samplesOf(set);
        EXPECT_NE(after, before) << what;
        ASSERT_TRUE(history.undo()) << what;
        EXPECT_EQ(samplesOf(set), before) << what;
        ASSERT_TRUE(history.redo()) << what;
        EXPECT_EQ(samplesOf(set), after) << what;
    }
    while (history.undo()) {
    }
    EXPECT_EQ(samplesOf(set), start);
    EXPECT_TRUE(history.isClean());

    // An import into an empty set makes its first sound; undone, the set is empty again. A
    // refused import records nothing.
    SoundSet empty;
    UndoHistory h2;
    EXPECT_FALSE(importSoundStep(empty, 0, std::vector<uint8_t>{1, 2, 3}, 7042, p, h2));
    EXPECT_EQ(h2.size(), 0u);
    p.messages.clear();
    ASSERT_TRUE(importSoundStep(empty, 0, wav8({5, 6}), 7042, p, h2));
    ASSERT_TRUE(h2.undo());
    EXPECT_TRUE(empty.sounds.empty());
}

} // namespace
} // namespace zentrik::test
