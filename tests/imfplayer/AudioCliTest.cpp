// The audio verbs of the command-line tool, run as a user runs them.
#include "../cli/CliRunner.h"
#include "io/ByteReader.h"
#include "music/MusicDocument.h"
#include "music/OfflineRender.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;

namespace {

class AudioCli : public ::testing::Test {
protected:
    void SetUp() override {
        ZENTRIK_REQUIRE_GAMEDATA();
        audiot = dir.copyGameFile("wl1/AUDIOT.WL1");
        dir.copyGameFile("wl1/AUDIOHED.WL1");
    }
    CliResult run(const std::string& args) { return runCli(args, dir.path().string()); }

    TempDir dir;
    std::filesystem::path audiot;
};

int16_t peak(const std::vector<uint8_t>& wav) {
    int16_t p = 0;
    for (size_t i = 44; i + 1 < wav.size(); i += 2)
        p = std::max<int16_t>(p, int16_t(std::abs(int16_t(loadLe16(&wav[i])))));
    return p;
}

} // namespace

TEST_F(AudioCli, ExportWritesTheStoredChunkAndRebuildItsModel) {
    auto r = run("audio export-imf " + q(audiot) + " 3 " + q(dir / "song.imf"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    StrictPrompter prompter;
    MusicDocument doc;
    ASSERT_TRUE(doc.LoadMusic(audiot, prompter));
    doc.selectSong(3);
    const auto stored = readBytes(dir / "song.imf");
    EXPECT_TRUE(
        std::equal(stored.begin(), stored.end(), doc.songBytes().begin(), doc.songBytes().end()));
    EXPECT_EQ(loadLe16(stored.data()), 8428u);

    r = run("audio rebuild " + q(audiot) + " 3 " + q(dir / "rebuilt.imf"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto rebuilt = readBytes(dir / "rebuilt.imf");
    const SongModel again = buildSongModel(rebuilt, imfSpanOf(rebuilt));
    EXPECT_EQ(again.notes, doc.model().notes);
    EXPECT_EQ(again.channelRegisters, doc.model().channelRegisters);
    EXPECT_EQ(again.songLength, doc.model().songLength);
    EXPECT_FALSE(std::filesystem::exists(dir / "test.imf"));
}

TEST_F(AudioCli, ImportedSongIsSavedAndPlaysLikeTheSongItCameFrom) {
    ASSERT_EQ(run("audio export-imf " + q(audiot) + " 3 " + q(dir / "song3.wlf")).exitCode, 0);
    StrictPrompter prompter;
    MusicDocument before;
    ASSERT_TRUE(before.LoadMusic(audiot, prompter));
    const std::string slotName = before.songNameOf(5);
    ASSERT_FALSE(slotName.empty());

    auto r = run("audio import-imf " + q(audiot) + " 5 " + q(dir / "song3.wlf"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readBytes(dir / "AUDIOT.WL1.bak"), readGameFile("wl1/AUDIOT.WL1"));
    MusicDocument after;
    ASSERT_TRUE(after.LoadMusic(audiot, prompter));
    ASSERT_EQ(after.songCount(), before.songCount());
    EXPECT_EQ(after.songNameOf(5), slotName) << "the slot keeps its name block";
    EXPECT_EQ(after.songNameOf(3), before.songNameOf(3));

    // Song 5 now sounds exactly as song 3 does.
    for (const char* n : {"3", "5"})
        ASSERT_EQ(run("audio render " + q(audiot) + " " + n + " " +
                      q(dir / (n + std::string(".wav"))) + " --seconds 2")
                      .exitCode,
                  0);
    EXPECT_EQ(readBytes(dir / "5.wav"), readBytes(dir / "3.wav"));

    // A missing file, or no song, changes nothing.
    const auto saved = readBytes(audiot);
    EXPECT_EQ(run("audio import-imf " + q(audiot) + " 5 " + q(dir / "none.imf")).exitCode, 1);
    EXPECT_EQ(run("audio import-imf " + q(audiot) + " 5").exitCode, 2);
    writeBytes(dir / "empty.imf", {0, 0});
    EXPECT_EQ(run("audio import-imf " + q(audiot) + " 5 " + q(dir / "empty.imf")).exitCode, 1);
    EXPECT_EQ(readBytes(audiot), saved);
}

TEST_F(AudioCli, RenderWritesPcmAndMutesChannels) {
    auto r =
        run("audio render " + q(audiot) + " 8 " + q(dir / "s.wav") + " --seconds 2 --rate 22050");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto wav = readBytes(dir / "s.wav");
    ASSERT_EQ(wav.size(), 44u + 2 * 22050 * 2);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(loadLe32(&wav[4]), wav.size() - 8);
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(loadLe16(&wav[20]), 1u); // PCM
    EXPECT_EQ(loadLe16(&wav[22]), 1u); // mono
    EXPECT_EQ(loadLe32(&wav[24]), 22050u);
    EXPECT_EQ(loadLe16(&wav[34]), 16u); // bits
    EXPECT_GT(peak(wav), 1000);

    r = run("audio render " + q(audiot) + " 8 " + q(dir / "m.wav") +
            " --seconds 2 --rate 22050 --mute 0 1 2 3 4 5 6 7 8");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(peak(readBytes(dir / "m.wav")), 0);
    // The option given once per channel mutes the same.
    r = run("audio render " + q(audiot) + " 8 " + q(dir / "n.wav") +
            " --seconds 2 --rate 22050 --mute 0 --mute 1 --mute 2 --mute 3 --mute 4 --mute 5" +
            " --mute 6 --mute 7 --mute 8");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(peak(readBytes(dir / "n.wav")), 0);
}

TEST_F(AudioCli, BadInputsAreRefused) {
    struct Case {
        std::string args;
        int exit;
        std::string err;
    } cases[] = {
        {"audio info", 2, "usage: "},
        {"audio info " + q(dir / "AUDIOT.WL6"), 1,
         "CZentrikDlg::OnLoadMusic(): Unable to open audio head file:: "},
        {"audio export-imf " + q(audiot) + " 11 " + q(dir / "x.imf"), 1,
         "zentrik-cli: There is no song 11 (the archive has 11, counted from 0)"},
        {"audio export-imf " + q(audiot) + " one " + q(dir / "x.imf"), 1, "zentrik-cli: "},
        {"audio render " + q(audiot) + " 0 " + q(dir / "x.wav") + " --rate 10", 2, "usage: "},
        {"audio render " + q(audiot) + " 0 " + q(dir / "x.wav") + " --mute 9", 2, "usage: "},
        {"audio render " + q(audiot) + " 0 " + q(dir / "x.wav") + " 4", 2, "usage: "},
    };
    for (const auto& c : cases) {
        auto r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exit) << c.args;
        EXPECT_EQ(r.err.rfind(c.err, 0), 0u) << c.args << "\n" << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "x.imf"));
    EXPECT_FALSE(std::filesystem::exists(dir / "x.wav"));
}

// The music page renders through the same core steps as the verb: same bytes for the same song
// and mutes (here a solo on channel 3). A cancelled render gives nothing.
TEST_F(AudioCli, PageRenderMatchesTheVerbByteForByte) {
    auto r =
        run("audio render " + q(audiot) + " 9 " + q(dir / "cli.wav") + " --mute 0 1 2 4 5 6 7 8");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    StrictPrompter prompter;
    MusicDocument doc;
    ASSERT_TRUE(doc.LoadMusic(audiot, prompter));
    doc.selectSong(9); // the shortest song
    ImfPlayerBinding lib;
    ASSERT_TRUE(lib.load(prompter, {IMFLIB_FILE}));
    const RenderRequest request{
        kDefaultRenderRate, doc.model().songLength, {0, 1, 2, 4, 5, 6, 7, 8}};
    InlineProgress progress;
    const auto samples = renderImf(lib.functions(), doc.imfData(), request, &progress);
    ASSERT_TRUE(samples);
    EXPECT_EQ(waveFile16(*samples, request.rate), readBytes(dir / "cli.wav"));
    EXPECT_EQ(progress.position, 99);

    progress = InlineProgress{};
    progress.cancelAfter = 1;
    EXPECT_FALSE(renderImf(lib.functions(), doc.imfData(), request, &progress));
}
