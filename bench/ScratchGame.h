#pragma once

// For the benchmarks that write: a scratch copy of the shareware game folder, removed again
// afterwards, so the shared game data is never touched.
#include <cstdlib>
#include <filesystem>
#include <string>

namespace zentrik::bench {

inline std::filesystem::path shareware() {
    const char* env = std::getenv("ZENTRIK_GAMEDATA");
    return std::filesystem::path(env && *env ? env : ZENTRIK_DEFAULT_GAMEDATA) / "wl1";
}

struct ScratchGame {
    std::filesystem::path dir;  // the scratch folder, for anything else a benchmark writes
    std::filesystem::path game; // the copy of the game folder inside it
    explicit ScratchGame(const std::string& name)
        : dir(std::filesystem::temp_directory_path() / name), game(dir / "game") {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(game);
        for (const auto& e : std::filesystem::directory_iterator(shareware()))
            std::filesystem::copy_file(e.path(), game / e.path().filename());
    }
    ~ScratchGame() { std::filesystem::remove_all(dir); }
    ScratchGame(const ScratchGame&) = delete;
    ScratchGame& operator=(const ScratchGame&) = delete;
};

} // namespace zentrik::bench
