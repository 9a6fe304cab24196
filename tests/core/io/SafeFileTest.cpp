#include "FileFaults.h"

using namespace zentrik;
using namespace zentrik::test;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

bool replaceSet(const fs::path& dir) {
    FileReplacement set;
    return set.stage(dir / "VGADICT.WL6", Bytes{1, 1}) &&
           set.stage(dir / "VGAGRAPH.WL6", Bytes{2, 2}) &&
           set.stage(dir / "VGAHEAD.WL6", Bytes{3, 3}) && set.commit();
}

} // namespace

TEST(SafeFile, ASetIsReplacedWholeOrNotAtAllWhateverStepBreaks) {
    // One target is new, so undoing the set must also remove a file.
    expectNoLossAtAnyStep({"three files",
                           {"VGADICT.WL6", "VGAGRAPH.WL6", "VGAHEAD.WL6"},
                           [](const fs::path& d) {
                               writeBytes(d / "VGADICT.WL6", {7});
                               writeBytes(d / "VGAGRAPH.WL6", {8, 8, 8});
                           },
                           replaceSet});
}

TEST(SafeFile, AFailedRenameNamesTheFileAndPutsTheSetBack) {
    TempDir dir;
    writeBytes(dir / "GAMEMAPS.WL6", {1});
    writeBytes(dir / "MAPHEAD.WL6", {2});
    // Rename number 2 of the commit is MAPHEAD.WL6.tmp -> MAPHEAD.WL6 (after the two .bak).
    class FailSecondTarget final : public FileOps {
    public:
        Status write(const fs::path& p, std::span<const uint8_t> b) override {
            return systemFileOps().write(p, b);
        }
        Status flush(const fs::path& p) override { return systemFileOps().flush(p); }
        Status flushFolder(const fs::path& p) override { return systemFileOps().flushFolder(p); }
        Status link(const fs::path&, const fs::path& t) override {
            return Error{t.string(), "no links here"}; // the copy must stand in
        }
        Status rename(const fs::path& f, const fs::path& t) override {
            if (t.filename() == "MAPHEAD.WL6")
                return Error{t.string(), "Cannot Write"};
            return systemFileOps().rename(f, t);
        }
        Status remove(const fs::path& p) override { return systemFileOps().remove(p); }
    } ops;
    ScopedFileOps use(ops);
    FileReplacement set;
    ASSERT_TRUE(set.stage(dir / "GAMEMAPS.WL6", Bytes{9}));
    ASSERT_TRUE(set.stage(dir / "MAPHEAD.WL6", Bytes{9}));
    const auto st = set.commit();
    ASSERT_FALSE(st);
    EXPECT_EQ(st.error().text, (dir / "MAPHEAD.WL6").string() + "\nSaving failed");
    EXPECT_EQ(readBytes(dir / "GAMEMAPS.WL6"), Bytes{1});
    EXPECT_EQ(readBytes(dir / "MAPHEAD.WL6"), Bytes{2});
    EXPECT_EQ(readBytes(dir / "GAMEMAPS.WL6.bak"), Bytes{1});
    for (const char* leftover : {"GAMEMAPS.WL6.tmp", "MAPHEAD.WL6.tmp", "GAMEMAPS.WL6.commit",
                                 "MAPHEAD.WL6.commit", "GAMEMAPS.WL6.bak.tmp"})
        EXPECT_FALSE(fs::exists(dir / leftover)) << leftover;
}

TEST(SafeFile, TheBackupIsTheFileAsItWasBeforeTheRunFirstReplacedIt) {
    TempDir dir;
    const auto target = dir / "VSWAP.WL6";
    const auto fresh = dir / "VGAHEAD.WL6";
    writeBytes(target, {1});
    writeBytes(bakPathOf(target), {0}); // from an earlier run
    ASSERT_TRUE(replaceFile(target, Bytes{2}));
    ASSERT_TRUE(replaceFile(target, Bytes{3}));
    EXPECT_EQ(readBytes(bakPathOf(target)), Bytes{1});
    // A later save that fails goes back to the file the run made so far.
    {
        FaultyFileOps faulty(4); // the rename of the .tmp
        ScopedFileOps use(faulty);
        EXPECT_FALSE(replaceFile(target, Bytes{4}));
    }
    EXPECT_EQ(readBytes(target), Bytes{3});
    EXPECT_EQ(readBytes(bakPathOf(target)), Bytes{1});
    EXPECT_FALSE(fs::exists(tmpPathOf(bakPathOf(target))));
    // A file the run created has no earlier state to keep.
    ASSERT_TRUE(replaceFile(fresh, Bytes{5}));
    ASSERT_TRUE(replaceFile(fresh, Bytes{6}));
    EXPECT_FALSE(fs::exists(bakPathOf(fresh)));
    // The next run keeps what it finds.
    forgetReplacementsOfThisRun();
    ASSERT_TRUE(replaceFile(target, Bytes{7}));
    EXPECT_EQ(readBytes(bakPathOf(target)), Bytes{3});
}

// The message names the file the user saved and the system's reason, never the .tmp.
TEST(SafeFile, AFailedSaveSaysWhatFailedAndWhy) {
    TempDir dir;
    const auto target = dir / "missing" / "GAMEMAPS.WL6";
    const auto st = replaceFile(target, Bytes{1});
    ASSERT_FALSE(st);
    EXPECT_EQ(st.error().text, target.string() +
                                   "\nSaving failed: creating the file failed: No such file "
                                   "or directory");
    EXPECT_EQ(st.error().caption, "Cannot Write");
    writeBytes(dir / "VSWAP.WL6", {1});
    FaultyFileOps faulty(4);
    ScopedFileOps use(faulty);
    const auto failed = replaceFile(dir / "VSWAP.WL6", Bytes{2});
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().text.rfind((dir / "VSWAP.WL6").string() + "\nSaving failed", 0), 0u)
        << failed.error().text;
}

TEST(SafeFile, LeftoversOfAKilledSaveAreHarmless) {
    TempDir dir;
    const auto target = dir / "GAMEMAPS.WL6";
    writeBytes(target, {1});
    // A .tmp without a journal was never complete: reading ignores it, the next save replaces it.
    writeBytes(tmpPathOf(target), {0xDE, 0xAD});
    EXPECT_EQ(*readWholeFile(target), Bytes{1});
    ASSERT_TRUE(replaceFile(target, Bytes{2}));
    EXPECT_EQ(readBytes(target), Bytes{2});
    EXPECT_FALSE(fs::exists(tmpPathOf(target)));
    // A .tmp left as a second name of the backup: staging must not write through it.
    fs::create_hard_link(bakPathOf(target), tmpPathOf(target));
    FaultyFileOps faulty(2); // fails the commit's first step, after the staging
    ScopedFileOps use(faulty);
    EXPECT_FALSE(replaceFile(target, Bytes{3}));
    EXPECT_EQ(readBytes(bakPathOf(target)), Bytes{1});
    EXPECT_EQ(readBytes(target), Bytes{2});
}
