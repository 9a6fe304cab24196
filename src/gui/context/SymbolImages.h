#pragma once

#include "Result.h"
#include "world/SymbolStrip.h"

#include <QImage>

#include <filesystem>

namespace zentrik::gui {

// The strip's 5-5-5 pixels as pictures for the screen, and back.
QImage symbolToImage(const Symbol& symbol);
Symbol imageToSymbol(const QImage& image);
QImage stripToImage(const SymbolStrip& strip);
QRgb rgbOf555(uint16_t pixel);
uint16_t pixel555Of(QRgb rgb);

// The "symbols.bmp" of a set's folder (its name in any case) as a strip.
Result<SymbolStrip> readSymbolStrip(const std::filesystem::path& setFolder);

} // namespace zentrik::gui
