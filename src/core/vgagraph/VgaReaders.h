#pragma once

#include "platform/Progress.h"
#include "platform/Prompter.h"
#include "vgagraph/VgaModels.h"

#include <filesystem>
#include <optional>

namespace zentrik {

// Reads the dictionary at path (on failure the user may pick another file). A dictionary that
// is short, points outside its table or loops is refused and the old one stays.
bool LoadHuffman(VgaGraphState& state, const std::filesystem::path& path, Prompter& prompter);

// The readers of the four kinds. graphPath defaults to the file set's VGAGRAPH; the dictionary
// is read first when rereadDictionary is set or none is loaded. Each builds its model anew and
// swaps it in only on success.
bool LoadGraphics(VgaGraphState& state, const VgaFileSet& files,
                  std::optional<std::filesystem::path> graphPath, bool rereadDictionary,
                  Prompter& prompter, JobRunner& runner);
bool LoadFonts(VgaGraphState& state, const VgaFileSet& files,
               std::optional<std::filesystem::path> graphPath, bool rereadDictionary,
               Prompter& prompter);
// False without a message when the archive holds no screen.
bool LoadScreens(VgaGraphState& state, const VgaFileSet& files,
                 std::optional<std::filesystem::path> graphPath, bool rereadDictionary,
                 Prompter& prompter);
bool LoadTile8s(VgaGraphState& state, const VgaFileSet& files,
                std::optional<std::filesystem::path> graphPath, bool rereadDictionary,
                Prompter& prompter);

// Frees the four models and reads them in the order graphics, screens, fonts, tile8s with the
// archive's own dictionary, stopping at the first failure. An archive without screens is not
// a failure here: the fonts and tile8s are read all the same.
bool LoadAllGraphics(VgaGraphState& state, const VgaFileSet& files, Prompter& prompter,
                     JobRunner& runner,
                     std::optional<std::filesystem::path> graphPath = std::nullopt);

// The pictures job on an open archive, for callers that have already read the files.
int loadGraphicsJob(const VgaArchive& archive, const HuffmanDict& dict, GraphicsSet& out,
                    Prompter& prompter, Progress& progress);

} // namespace zentrik
