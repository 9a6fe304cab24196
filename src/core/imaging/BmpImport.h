#pragma once

#include "imaging/BmpReader.h"
#include "imaging/BmpTarget.h"
#include "imaging/ColorMatch.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"

#include <filesystem>
#include <span>

namespace zentrik {

// The import job: reads the bitmap or PNG, asks how to fit it when its size differs from the
// chunk's, converts every pixel to the nearest palette colour and only then writes the chunk,
// inside the device's undo record, so a Cancel or failure leaves the chunk as it was.
int ImportBmpWorker(std::span<const uint8_t> file, BmpTarget& target, NearestColorTable& colors,
                    Prompter& prompter, Progress& progress);

// Opens the file and runs the job; after success the device's afterImport() is called.
bool ImportBMP(BmpTarget& target, const std::filesystem::path& path, NearestColorTable& colors,
               Prompter& prompter, JobRunner& jobs);

// Whether a picture and a chunk differ by one whole factor (32 x 32 into 64 x 64, 256 x 256
// into 64 x 64): such pictures are scaled pixel for pixel unless the user says otherwise.
bool integerRatio(int pictureWidth, int pictureHeight, int chunkWidth, int chunkHeight);

// Nearest-neighbour scaling: each chunk pixel takes the source pixel under its centre, so a
// picture of few colours keeps exactly those colours.
std::vector<uint8_t> scaleNearest(const BmpPicture& pic, int w, int h, NearestColorTable& colors,
                                  bool transparency = false);

// The bilinear resampling of the import: the picture's colours at the chunk's size, as
// palette indices, row 0 at the top.
std::vector<uint8_t> resampleBmp(const BmpPicture& pic, int w, int h, NearestColorTable& colors,
                                 Progress* progress = nullptr, bool transparency = false);

} // namespace zentrik
