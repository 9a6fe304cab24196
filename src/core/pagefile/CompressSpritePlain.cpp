#include "io/ByteWriter.h"
#include "pagefile/SpriteDecoder.h"
#include "pagefile/SpriteEncoder.h"

namespace zentrik {

namespace sprite_detail {

void opaqueColumns(const IndexedImage& image, int& left, int& right) {
    bool found = false;
    left = right = 0;
    for (int x = 0; x < image.side; ++x)
        for (int y = 0; y < image.side; ++y)
            if (image.at(x, y) != TransparentIndex) {
                if (!found)
                    left = x;
                right = x;
                found = true;
            }
    if (right < left)
        right = left;
}

std::vector<Post> columnPosts(const IndexedImage& image, int x) {
    std::vector<Post> posts;
    for (int y = 0; y < image.side;) {
        if (image.at(x, y) == TransparentIndex) {
            ++y;
            continue;
        }
        Post p{x, y, y};
        while (p.end < image.side && image.at(x, p.end) != TransparentIndex)
            ++p.end;
        posts.push_back(p);
        y = p.end;
    }
    return posts;
}

} // namespace sprite_detail

using namespace sprite_detail;

std::vector<uint8_t> CompressSpritePlain(const IndexedImage& image) {
    int left = 0, right = 0;
    opaqueColumns(image, left, right);
    ByteWriter w;
    w.u16(uint16_t(left));
    w.u16(uint16_t(right));
    const size_t table = w.size();
    w.fill(size_t(right - left + 1) * 2);
    size_t sharedTerminator = 0;
    bool listWritten = false;
    for (int x = left; x <= right; ++x) {
        const std::vector<Post> posts = columnPosts(image, x);
        std::vector<size_t> pixelStart;
        for (const Post& p : posts) {
            pixelStart.push_back(w.size());
            for (int y = p.start; y < p.end; ++y)
                w.u8(image.at(x, y));
        }
        const size_t entry = table + size_t(x - left) * 2;
        if (posts.empty() && listWritten) {
            w.patchU16(entry, uint16_t(sharedTerminator));
            continue;
        }
        w.patchU16(entry, uint16_t(w.size()));
        for (size_t i = 0; i < posts.size(); ++i) {
            w.u16(uint16_t(posts[i].end * 2));
            w.u16(uint16_t(int(pixelStart[i]) - posts[i].start));
            w.u16(uint16_t(posts[i].start * 2));
        }
        if (!listWritten)
            sharedTerminator = w.size();
        listWritten = true;
        w.u16(0);
    }
    return w.take();
}

std::vector<uint8_t> CompressSprite(const IndexedImage& image, int spriteCompression) {
    return spriteCompression == kSpriteCompressionGood ? CompressSpriteShared(image)
                                                       : CompressSpritePlain(image);
}

} // namespace zentrik
