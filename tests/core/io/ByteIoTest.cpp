#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "io/SafeFile.h"
#include "io/TextNumbers.h"
#include "platform/Prompter.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;
namespace fs = std::filesystem;

TEST(ByteReader, ReadsLittleEndianAndRefusesToPassTheEnd) {
    const std::vector<uint8_t> b{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
    ByteReader r(b);
    EXPECT_EQ(*r.u16(), 0x0201);
    EXPECT_EQ(*r.u32(), 0x06050403u);
    EXPECT_FALSE(r.u16()); // one byte left
    EXPECT_EQ(r.position(), 6u);
    EXPECT_EQ(*r.u8(), 0x07);
    EXPECT_FALSE(r.u8());
    EXPECT_TRUE(r.seek(7));
    EXPECT_FALSE(r.seek(8));
    EXPECT_FALSE(r.skip(1));
    r.seek(1);
    EXPECT_EQ(*r.u24(), 0x040302u);
    EXPECT_FALSE(r.bytes(size_t(-1))); // a huge count cannot wrap the check
    auto sub = r.sub(2);
    ASSERT_TRUE(sub);
    EXPECT_EQ(*sub->u16(), 0x0605);
    EXPECT_TRUE(sub->atEnd());
    EXPECT_EQ(*r.u8(), 0x07);
    EXPECT_EQ(ByteReader(b).i32().value(), 0x04030201);
}

TEST(TextNumbers, ReadLikeTheCLibrary) {
    EXPECT_EQ(parseDecimal("42"), 42);
    EXPECT_EQ(parseDecimal("  -7x"), -7);
    EXPECT_EQ(parseDecimal("x7"), 0);
    EXPECT_EQ(parseDecimal(""), 0);
    EXPECT_EQ(parseDecimal("99999999999999"), 2147483647);
    EXPECT_EQ(parseHex("0xABCD"), 0xABCDu);
    EXPECT_EQ(parseHex("a8"), 0xA8u);
    EXPECT_EQ(parseHex("0x"), 0u);
    EXPECT_EQ(parseHex("12G4"), 0x12u);
}

TEST(SafeFile, AFailedStageLeavesEveryTargetUntouched) {
    TempDir dir;
    const auto a = dir / "VGAHEAD.WL1";
    writeBytes(a, {1});
    {
        FileReplacement set;
        ASSERT_TRUE(set.stage(a, std::vector<uint8_t>{2}));
        auto st = set.stage(dir / "no-such-folder" / "VGAGRAPH.WL1", std::vector<uint8_t>{3});
        ASSERT_FALSE(st);
        EXPECT_EQ(st.error().caption, "Cannot Write");
    }
    EXPECT_EQ(readBytes(a), std::vector<uint8_t>{1});
    EXPECT_FALSE(fs::exists(tmpPathOf(a)));
    EXPECT_FALSE(fs::exists(bakPathOf(a)));
    // An abandoned (never committed) set leaves no .tmp either.
    {
        FileReplacement set;
        ASSERT_TRUE(set.stage(a, std::vector<uint8_t>{2}));
    }
    EXPECT_FALSE(fs::exists(tmpPathOf(a)));
    EXPECT_EQ(readBytes(a), std::vector<uint8_t>{1});
}
