#include "io/ByteWriter.h"
#include "pagefile/SpriteEncoder.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace zentrik {

using namespace sprite_detail;

namespace {

constexpr int kNone = -1;

struct SharedPost {
    Post post;
    std::vector<uint8_t> pixels;
    int container = kNone; // index (in sorted order) of the post that holds these pixels
    int position = 0;      // where inside the container
    int next = kNone, prev = kNone;
    int overlapWithNext = 0;
    size_t stringStart = 0;
    bool written = false;
};

// Largest k, 0 < k < min(|a|, |b|), with the last k bytes of a equal to the first k of b.
int overlapOf(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    const size_t most = std::min(a.size(), b.size());
    for (size_t k = most - 1; k > 0; --k)
        if (std::memcmp(a.data() + a.size() - k, b.data(), k) == 0)
            return int(k);
    return 0;
}

void findContainers(std::vector<SharedPost>& posts) {
    for (size_t k = 1; k < posts.size(); ++k) {
        const auto& needle = posts[k].pixels;
        for (size_t j = 0; j < k && posts[k].container == kNone; ++j) {
            if (posts[j].container != kNone)
                continue;
            const auto& hay = posts[j].pixels;
            auto it = std::search(hay.begin(), hay.end(), needle.begin(), needle.end());
            if (it != hay.end()) {
                posts[k].container = int(j);
                posts[k].position = int(it - hay.begin());
            }
        }
    }
}

int chainEnd(const std::vector<SharedPost>& posts, int i) {
    while (posts[size_t(i)].next != kNone)
        i = posts[size_t(i)].next;
    return i;
}

// Greedy linking by largest overlap. A pair that cannot be linked now never can be later
// (successors, predecessors and chains only grow), so one pass over the pairs sorted by
// (overlap desc, b asc, a asc) makes the same choices as picking the best pair again and again.
void linkChains(std::vector<SharedPost>& posts) {
    std::vector<std::tuple<int, int, int>> pairs; // (-overlap, b, a)
    for (size_t a = 0; a < posts.size(); ++a) {
        if (posts[a].container != kNone)
            continue;
        for (size_t b = 0; b < posts.size(); ++b)
            if (a != b && posts[b].container == kNone)
                if (int k = overlapOf(posts[a].pixels, posts[b].pixels); k > 0)
                    pairs.emplace_back(-k, int(b), int(a));
    }
    std::sort(pairs.begin(), pairs.end());
    for (const auto& [negK, b, a] : pairs) {
        auto& pa = posts[size_t(a)];
        auto& pb = posts[size_t(b)];
        if (pa.next != kNone || pb.prev != kNone || chainEnd(posts, b) == a)
            continue;
        pa.next = b;
        pa.overlapWithNext = -negK;
        pb.prev = a;
    }
}

void writePixels(std::vector<SharedPost>& posts, ByteWriter& w) {
    for (size_t i = 0; i < posts.size(); ++i) {
        if (posts[i].container != kNone || posts[i].written)
            continue;
        int p = int(i);
        while (posts[size_t(p)].prev != kNone)
            p = posts[size_t(p)].prev;
        for (; p != kNone; p = posts[size_t(p)].next) {
            SharedPost& sp = posts[size_t(p)];
            sp.stringStart = w.size();
            sp.written = true;
            const size_t keep =
                sp.pixels.size() - size_t(sp.next != kNone ? sp.overlapWithNext : 0);
            w.bytes(std::span(sp.pixels).first(keep));
        }
    }
    for (auto& sp : posts)
        if (sp.container != kNone)
            sp.stringStart = posts[size_t(sp.container)].stringStart + size_t(sp.position);
}

// Finds the records followed by a terminator anywhere in the list area (any byte position),
// else appends them. Returns the list's offset in the chunk.
size_t placeList(std::vector<uint8_t>& area, const std::vector<uint8_t>& list, size_t areaStart) {
    if (area.size() >= list.size())
        for (size_t p = 0; p + list.size() <= area.size(); ++p)
            if (std::memcmp(area.data() + p, list.data(), list.size()) == 0)
                return areaStart + p;
    const size_t at = area.size();
    area.insert(area.end(), list.begin(), list.end());
    return areaStart + at;
}

} // namespace

std::vector<uint8_t> CompressSpriteShared(const IndexedImage& image) {
    int left = 0, right = 0;
    opaqueColumns(image, left, right);
    const int columns = right - left + 1;
    std::vector<std::vector<int>> columnPostIds(static_cast<size_t>(columns));
    std::vector<SharedPost> posts;
    for (int x = left; x <= right; ++x)
        for (const Post& p : columnPosts(image, x)) {
            SharedPost sp{p, {}};
            for (int y = p.start; y < p.end; ++y)
                sp.pixels.push_back(image.at(x, y));
            posts.push_back(std::move(sp));
        }
    std::stable_sort(posts.begin(), posts.end(), [](const SharedPost& a, const SharedPost& b) {
        return a.post.length() > b.post.length();
    });
    findContainers(posts);
    linkChains(posts);

    ByteWriter w;
    w.u16(uint16_t(left));
    w.u16(uint16_t(right));
    const size_t table = w.size();
    w.fill(size_t(columns) * 2);
    writePixels(posts, w);

    for (size_t i = 0; i < posts.size(); ++i)
        columnPostIds[size_t(posts[i].post.column - left)].push_back(int(i));
    std::vector<int> order(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c)
        order[size_t(c)] = c;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return columnPostIds[size_t(a)].size() > columnPostIds[size_t(b)].size();
    });

    const size_t areaStart = w.size();
    std::vector<uint8_t> area;
    std::vector<size_t> offsets(static_cast<size_t>(columns));
    for (int c : order) {
        auto ids = columnPostIds[size_t(c)];
        std::sort(ids.begin(), ids.end(), [&](int a, int b) {
            return posts[size_t(a)].post.start < posts[size_t(b)].post.start;
        });
        ByteWriter list;
        for (int id : ids) {
            const SharedPost& sp = posts[size_t(id)];
            list.u16(uint16_t(sp.post.end * 2));
            list.u16(uint16_t(int(sp.stringStart) - sp.post.start));
            list.u16(uint16_t(sp.post.start * 2));
        }
        list.u16(0);
        offsets[size_t(c)] = placeList(area, list.bytes(), areaStart);
    }
    w.bytes(area);
    std::vector<uint8_t> out = w.take();
    for (int c = 0; c < columns; ++c) {
        out[table + size_t(c) * 2] = uint8_t(offsets[size_t(c)]);
        out[table + size_t(c) * 2 + 1] = uint8_t(offsets[size_t(c)] >> 8);
    }
    return out;
}

} // namespace zentrik
