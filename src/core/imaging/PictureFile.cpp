#include "imaging/PictureFile.h"

#include "imaging/BmpWriter.h"
#include "imaging/PngCodec.h"
#include "io/SafeFile.h"

#include <algorithm>
#include <cctype>

namespace zentrik {

bool isPngPath(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext == ".png";
}

Result<BmpPicture> readPicture(std::span<const uint8_t> file) {
    return isPng(file) ? readPng(file) : readBmp(file);
}

bool ExportPicture(const BmpTarget& picture, const std::filesystem::path& path,
                   const GamePalette& palette, Prompter& prompter, bool sprite) {
    if (!isPngPath(path))
        return ExportBMP(picture, path, palette, prompter);
    auto bytes = png8Bytes(picture, palette, sprite);
    if (!bytes) {
        prompter.message(bytes.error().text, bytes.error().caption, MessageIcon::Exclamation);
        return false;
    }
    if (auto st = replaceFile(path, *bytes); !st) {
        prompter.message(failureText(path, st.error()),
                         "CDrawDevice::ExportBMP: Cannot open file:", MessageIcon::Exclamation);
        return false;
    }
    return true;
}

} // namespace zentrik
