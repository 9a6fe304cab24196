#include "pagefile/IndexedImage.h"

namespace zentrik {

IndexedImage imageFromColumns(std::span<const uint8_t> columns, int side) {
    IndexedImage image(side, 0);
    for (int x = 0; x < side; ++x)
        for (int y = 0; y < side; ++y)
            image.set(x, y, columns[size_t(x) * size_t(side) + size_t(y)]);
    return image;
}

void columnsFromImage(const IndexedImage& image, std::span<uint8_t> columns) {
    const int side = image.side;
    for (int x = 0; x < side; ++x)
        for (int y = 0; y < side; ++y)
            columns[size_t(x) * size_t(side) + size_t(y)] = image.at(x, y);
}

} // namespace zentrik
