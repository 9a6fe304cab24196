#include "app/ProgramFolders.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace zentrik;
namespace fs = std::filesystem;

namespace {

void put(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

std::string text(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// An installed tree: bin/ with the executables, share/zentrik/ with the shipped data.
struct InstalledTree {
    test::TempDir root;
    fs::path bin = root / "usr/bin";
    fs::path data = root / "usr/share/zentrik";
    InstalledTree() {
        fs::create_directories(bin);
        put(data / kProgramDataMarker, "shipped table\n");
        put(data / "palette/Wolfenstein3D.pal", "shipped palette");
        put(data / "MapObjects/Wolfenstein 3D/Lists.txt", "shipped lists");
    }
};

} // namespace

TEST(ProgramFolders, DataIsFoundBesideTheExecutableFirstThenInShare) {
    InstalledTree tree;
    EXPECT_EQ(fs::weakly_canonical(findDataFolder(tree.bin)), fs::weakly_canonical(tree.data));
    put(tree.bin / kProgramDataMarker, "portable\n");
    EXPECT_EQ(findDataFolder(tree.bin), tree.bin);
    test::TempDir empty;
    EXPECT_EQ(findDataFolder(empty.path()), empty.path()); // nothing anywhere: the exe's folder
}

TEST(ProgramFolders, APortableCopyKeepsEverythingBesideTheExecutable) {
    test::TempDir portable, user;
    put(portable / kProgramDataMarker, "portable\n");
    const auto folders = resolveProgramFolders(portable.path(), user.path());
    EXPECT_EQ(folders.program, portable.path());
    EXPECT_FALSE(fs::exists(user / kProgramDataMarker)); // nothing copied needlessly
}

TEST(ProgramFolders, AnInstallationSeedsTheUserFolderWithoutOverwritingIt) {
    InstalledTree tree;
    test::TempDir user;
    put(user / "palette/Wolfenstein3D.pal", "the user's own edit");
    const auto folders = resolveProgramFolders(tree.bin, user.path());

    EXPECT_EQ(folders.program, user.path());
    EXPECT_EQ(text(user / kProgramDataMarker), "shipped table\n");
    EXPECT_EQ(text(user / "MapObjects/Wolfenstein 3D/Lists.txt"), "shipped lists");
    EXPECT_EQ(text(user / "palette/Wolfenstein3D.pal"), "the user's own edit");
}
