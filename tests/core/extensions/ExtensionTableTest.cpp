// "extensions.txt", choosing an extension and applying its symbol set and palette.
#include "app/ExtensionTable.h"
#include "imaging/PaletteLibrary.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;

void writeText(const fs::path& p, const std::string& s) {
    writeBytes(p, std::vector<uint8_t>(s.begin(), s.end()));
}

struct Table {
    TempDir dir;
    StrictPrompter prompter;
    ExtensionTable table{prompter};
    std::vector<std::string> sets, palettes;
    Table() {
        table.loadSymbolSet = [this](const std::string& s) { sets.push_back(s); };
        table.applyPalette = [this](const std::string& p) { palettes.push_back(p); };
    }
};

TEST(ExtensionTable, ParsesFieldsCommasAndTheEndLine) {
    const ParsedExtensions p = parseExtensions("WL6,Wolfenstein 3D,Wolfenstein3D\n"
                                               "SOD, N/A,Spear,with,commas\r\n"
                                               "X\n"
                                               "#\n"
                                               "OZ6,ignored,ignored\n");
    EXPECT_TRUE(p.complete);
    ASSERT_EQ(p.records.size(), 3u);
    EXPECT_EQ(p.records[0], (ExtensionRecord{"WL6", "Wolfenstein 3D", "Wolfenstein3D"}));
    EXPECT_EQ(p.records[1], (ExtensionRecord{"SOD", " N/A", "Spear,with,commas"}));
    EXPECT_EQ(p.records[2], (ExtensionRecord{"X", "", ""}));
    EXPECT_FALSE(parseExtensions("WL6,a,b\n").complete);

    std::string many;
    for (int i = 0; i < 120; ++i)
        many += "E" + std::to_string(i) + ",s,p\n";
    EXPECT_EQ(parseExtensions(many).records.size(), 100u);
    // A line past the read limit is taken in two pieces.
    const auto longLine = parseExtensions("WL6,s," + std::string(400, 'p') + "\n#\n");
    ASSERT_EQ(longLine.records.size(), 2u);
    EXPECT_EQ(longLine.records[0].palette.size(), 347u - 6);
}

TEST(ExtensionTable, LoadAppliesTheLastMatchingRecordElseFirstElseFallbacks) {
    Table t;
    writeText(t.dir / "extensions.txt", "WL6,A,PA\nSOD,B, No Change\nWL6,C,PC\n#\n");
    t.table.load(t.dir.path(), "WL6");
    EXPECT_EQ(t.sets, std::vector<std::string>{"C"});
    EXPECT_EQ(t.palettes, std::vector<std::string>{"PC"});
    t.table.load(t.dir.path(), "wl6"); // compared with regard to case
    EXPECT_EQ(t.sets.back(), "A");

    Table empty;
    empty.table.load(empty.dir.path(), "WL6");
    EXPECT_TRUE(empty.prompter.messages.empty());
    EXPECT_EQ(empty.sets, std::vector<std::string>{"Wolfenstein 3D"});
    EXPECT_EQ(empty.palettes, std::vector<std::string>{"Wolfenstein3D"});

    Table unended;
    writeText(unended.dir / "extensions.txt", "WL6,A,PA\nSOD,B,PB\n");
    unended.table.load(unended.dir.path(), "SOD");
    EXPECT_EQ(unended.table.records().size(), 2u);
    ASSERT_EQ(unended.prompter.messages.size(), 1u);
    EXPECT_EQ(unended.prompter.messages[0].text, "Can't load Extensions.txt");
    EXPECT_EQ(unended.prompter.messages[0].caption, "Zentrik");
    EXPECT_EQ(unended.sets, std::vector<std::string>{"B"});

    const auto before = readBytes(t.dir / "extensions.txt");
    ASSERT_TRUE(t.table.save(t.dir.path()));
    EXPECT_EQ(readBytes(t.dir / "extensions.txt"), before);
}

} // namespace
} // namespace zentrik::test
