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

// The file dialogs' filters: walls and sprites (GFXTILES is the same format), sounds, and the
// picture and sound exchange files.
inline constexpr const char* kPageFileFilter =
    "All VSWAP/GFXTILES files|VSWAP.*;GFXTILES.*|All VSWAP files (VSWAP.*)|VSWAP.*|All GFXTILES "
    "files (GFXTILES.*)|GFXTILES.*|Wolf3D (*.WL6)|*.WL6|Wolf3D Demo (*.WL1)|*.WL1|Spear of "
    "Destiny (*.SOD)|*.SOD|Operation Zusammenkunft (*.OZ6)|*.OZ6|All files (*.*)|*.*||";
inline constexpr const char* kPageFileDefaultName = "VSWAP.*;GFXTILES.*";
inline constexpr const char* kSoundFileFilter =
    "All VSWAP files (VSWAP.*)|VSWAP.*|Wolf3D (*.WL6)|*.WL6|Wolf3D Demo (*.WL1)|*.WL1|Spear of "
    "Destiny (*.SOD)|*.SOD|Operation Zusammenkunft (*.OZ6)|*.OZ6|All files (*.*)|*.*||";
inline constexpr const char* kSoundFileDefaultName = "VSWAP.*";
inline constexpr const char* kBitmapFilter = "Bitmap|*.BMP|All files|*.*||";
inline constexpr const char* kWaveFilter = "Wavefile|*.WAV|All files|*.*||";

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
// job. A load builds the new collection aside and replaces the loaded one only when its job
// succeeds, so a failed or cancelled load keeps what was there (unsaved edits included); a save
// rebuilds the whole file with the other two parts carried over from the file at the target
// path, through NAME.tmp and NAME.bak.
class PageFiles {
public:
    explicit PageFiles(PageFileServices services) : m_services(services) {}

    // True when the collection was replaced.
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
    template <class Set, class Worker>
    bool load(const std::filesystem::path& path, const char* openCaption, const char* jobName,
              Worker worker, Set& target, bool& loaded, std::filesystem::path& source);
    bool
    save(const std::filesystem::path& path, const char* name,
         const std::function<int(std::span<const uint8_t>, Progress&, std::vector<uint8_t>&)>& job);

    PageFileServices m_services;
};

} // namespace zentrik
