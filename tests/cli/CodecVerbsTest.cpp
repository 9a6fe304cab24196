#include "CliRunner.h"
#include "maps/Carmack.h"
#include "maps/Rlew.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;

namespace {

std::vector<uint8_t> planeBytes() {
    std::vector<uint8_t> b;
    for (int i = 0; i < 4096; ++i) {
        const uint16_t w = uint16_t((i / 64) % 3 == 0 ? 0x006C : 0x0001 + (i % 5 == 0));
        b.push_back(uint8_t(w));
        b.push_back(uint8_t(w >> 8));
    }
    return b;
}

// Runs the tool in the folder and expects it to succeed.
CliResult ok(const TempDir& dir, const std::string& args) {
    CliResult r = runCli(args, dir.path());
    EXPECT_EQ(r.exitCode, 0) << args << "\n" << r.err;
    return r;
}

} // namespace

TEST(CliCodec, RoundTripThroughBothCodecs) {
    TempDir dir;
    const auto plane = planeBytes();
    writeBytes(dir / "plane.bin", plane);
    ok(dir, "codec rlew-compress " + q(dir / "plane.bin") + " " + q(dir / "plane.rlew"));
    const auto rlew = readBytes(dir / "plane.rlew");
    std::vector<uint16_t> words(4096);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = uint16_t(plane[2 * i] | (plane[2 * i + 1] << 8));
    EXPECT_EQ(rlew, CompressRlew(words, 0xABCD));

    for (const char* mode : {"0", "1"}) {
        SCOPED_TRACE(mode);
        const auto r = ok(dir, "codec carmack-compress " + q(dir / "plane.rlew") + " " +
                                   q(dir / "plane.car") + " --mode " + mode + " --json");
        EXPECT_EQ(r.out, "{\"in\":" + std::to_string(rlew.size()) + ",\"out\":" +
                             std::to_string(readBytes(dir / "plane.car").size()) + "}\n");
        ok(dir, "codec carmack-expand " + q(dir / "plane.car") + " " + q(dir / "back.rlew") +
                    " --length " + std::to_string(rlew.size()));
        EXPECT_EQ(readBytes(dir / "back.rlew"), rlew);
    }
    ok(dir,
       "codec rlew-expand " + q(dir / "plane.rlew") + " " + q(dir / "back.bin") + " --length 8192");
    EXPECT_EQ(readBytes(dir / "back.bin"), plane);
}

TEST(CliCodec, ExpandWritesExactlyTheRequestedLengthAndHonoursTags) {
    TempDir dir;
    // Tag 0x1234 run of five 7s, then a word.
    writeBytes(dir / "in", {0x34, 0x12, 0x05, 0x00, 0x07, 0x00, 0x09, 0x00});
    ok(dir,
       "codec rlew-expand " + q(dir / "in") + " " + q(dir / "out") + " --length 15 --tag 1234");
    EXPECT_EQ(readBytes(dir / "out"),
              (std::vector<uint8_t>{7, 0, 7, 0, 7, 0, 7, 0, 7, 0, 9, 0, 0, 0, 0}));
    // Near tag 0x11: count 2 at distance 1 after one literal.
    writeBytes(dir / "c", {0x05, 0x00, 0x02, 0x11, 0x01});
    ok(dir, "codec carmack-expand " + q(dir / "c") + " " + q(dir / "o") +
                " --length 6 --near 11 --far 22");
    EXPECT_EQ(readBytes(dir / "o"), (std::vector<uint8_t>{5, 0, 5, 0, 5, 0}));
}
