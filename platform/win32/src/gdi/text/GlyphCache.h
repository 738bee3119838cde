// Rendered glyphs of one font instance, keyed by face slot and glyph index, the least recently used dropped
// beyond a bound. Glyphs are shared, so a text run keeps the ones it holds even when the cache drops them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace win32::gdi {

// A glyph image as coverage bytes (0 or 255 when rendered without antialiasing), placed relative to the pen
// position on the baseline: its top-left pixel is at (pen + Left, baseline - Top).
struct Glyph {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Advance = 0;
    std::vector<uint8_t> Coverage;  // Width * Height, row by row
};

using GlyphRef = std::shared_ptr<const Glyph>;

class GlyphCache {
public:
    // Enough for every character of a few screens of Chinese text at the sizes the windows use.
    static constexpr size_t DefaultCapacity = 1024;

    explicit GlyphCache(size_t capacity = DefaultCapacity) : FCapacity(capacity) {}

    static uint32_t Key(int slot, uint32_t glyphIndex) { return (static_cast<uint32_t>(slot) << 24) | glyphIndex; }
    static int Slot(uint32_t key) { return static_cast<int>(key >> 24); }
    static uint32_t GlyphIndex(uint32_t key) { return key & 0xFFFFFF; }

    // The cached glyph, now the most recently used; null when it is not (or no longer) cached.
    GlyphRef Find(uint32_t key) {
        auto found = FIndex.find(key);
        if (found == FIndex.end()) return nullptr;
        FOrder.splice(FOrder.begin(), FOrder, found->second);
        return found->second->second;
    }
    GlyphRef Insert(uint32_t key, Glyph glyph) {
        auto shared = std::make_shared<const Glyph>(std::move(glyph));
        auto found = FIndex.find(key);
        if (found != FIndex.end()) {
            FOrder.erase(found->second);
            FIndex.erase(found);
        }
        FOrder.emplace_front(key, shared);
        FIndex[key] = FOrder.begin();
        while (FOrder.size() > FCapacity) {
            FIndex.erase(FOrder.back().first);
            FOrder.pop_back();
        }
        return shared;
    }
    size_t Size() const { return FOrder.size(); }

private:
    using Entry = std::pair<uint32_t, GlyphRef>;
    size_t FCapacity;
    std::list<Entry> FOrder;  // most recently used first
    std::unordered_map<uint32_t, std::list<Entry>::iterator> FIndex;
};

}  // namespace win32::gdi
