#pragma once

#include "pagefile/PageFile.h"
#include "platform/Clock.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"

#include <filesystem>
#include <functional>
#include <span>
#include <vector>

namespace zentrik {

// What loading and saving the page file need of the program around them.
struct PageFileServices {
    Prompter& prompter;
    JobRunner& jobs;
    QuietTime& quiet;
    const Clock& clock;
    // Told the folder of every file loaded successfully (the settings keep it as StdPath).
    std::function<void(const std::filesystem::path& folder)> rememberFolder;
};

// The page file's three collections with the commands that load and save them, each as one
// job. A load replaces its collection only when its job succeeds (a wall load that fails after
// the file has proved to hold walls, and any failed sprite or sound load, leave none); a save
// rebuilds the whole file with the other two parts carried over from the file at the target
// path, through NAME.tmp and NAME.bak.
class PageFiles {
public:
    explicit PageFiles(PageFileServices services) : m_services(services) {}

    bool LoadTextures(const std::filesystem::path& path);
    bool LoadSprites(const std::filesystem::path& path);
    bool LoadSounds(const std::filesystem::path& path);

    // True when the file was replaced. spriteCompression: 1 shares posts, anything else plain.
    bool SaveTextures(const std::filesystem::path& path);
    bool SaveSprites(const std::filesystem::path& path, int spriteCompression);
    bool SaveSounds(const std::filesystem::path& path);

    WallSet walls;
    SpriteSet sprites;
    SoundSet sounds;
    bool wallsLoaded = false, spritesLoaded = false, soundsLoaded = false;
    std::filesystem::path wallPath, spritePath, soundPath;

private:
    bool
    save(const std::filesystem::path& path, const char* name,
         const std::function<int(std::span<const uint8_t>, Progress&, std::vector<uint8_t>&)>& job);

    PageFileServices m_services;
};

} // namespace zentrik
