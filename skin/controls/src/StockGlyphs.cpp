// The stock kinds' glyphs as bitmap resources of the program (SK_BTN_OK ... SK_BTN_ALL): each a 32 × 16 picture of
// 16 colours, the normal image and its disabled twin side by side on dark cyan, which is also the bottom-left
// pixel and so the key colour.
#include "StockGlyphs.h"

#include <win32/modules.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// The 16 colours of the pictures, by index (the VGA order): 6 is the dark cyan background, 7 the disabled shape's
// grey, 15 its white relief.
const RGBQUAD Palette[16] = {{0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
                             {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
                             {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
                             {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0}};
constexpr std::uint8_t Background = 6;
constexpr std::uint8_t DisabledShape = 8;
constexpr std::uint8_t DisabledRelief = 15;

using Shape = const char* [16];

// '#' marks the shape; the rest is background.
const Shape Check = {"................", "................", "............##..", "...........###..",
                     "..........###...", ".........###....", "##......###.....", "###....###......",
                     ".###..###.......", "..######........", "...####.........", "....##..........",
                     "................", "................", "................", "................"};
const Shape Cross = {"................", "................", "..##.......##...", "..###.....###...",
                     "...###...###....", "....###.###.....", ".....#####......", "......###.......",
                     ".....#####......", "....###.###.....", "...###...###....", "..###.....###...",
                     "..##.......##...", "................", "................", "................"};
const Shape Question = {"................", ".....#####......", "....##...##.....", "...##.....##....",
                        "...........##...", "..........##....", ".........##.....", "........##......",
                        ".......##.......", ".......##.......", "................", ".......##.......",
                        ".......##.......", "................", "................", "................"};
const Shape Circle = {"................", "......####......", "....##....##.#..", "...#........##..",
                      "..#........###..", "..#.............", ".#..............", ".#..............",
                      ".#..............", ".#............#.", "..#..........#..", "..#..........#..",
                      "...#........#...", "....##....##....", "......####......", "................"};
const Shape Skip = {"................", "................", "................", "................",
                    "...#......#.....", "...##.....##....", "...###....###...", "...####...####..",
                    "...###....###...", "...##.....##....", "...#......#.....", "................",
                    "................", "................", "................", "................"};
const Shape Door = {"................", "...##########...", "...#........#...", "...#.######.#...",
                    "...#.#....#.#...", "...#.#....#.#...", "...#.#....#.#...", "...#.#..#.#.#...",
                    "...#.#....#.#...", "...#.#....#.#...", "...#.#....#.#...", "...#.######.#...",
                    "...#........#...", "...##########...", "................", "................"};

struct TStockGlyph {
    const char* Name;
    const Shape* Picture;
    std::uint8_t Colour;
};

const TStockGlyph Glyphs[] = {
    {"SK_BTN_OK", &Check, 2},    {"SK_BTN_CANCEL", &Cross, 1}, {"SK_BTN_HELP", &Question, 4},
    {"SK_BTN_YES", &Check, 2},   {"SK_BTN_NO", &Cross, 1},     {"SK_BTN_CLOSE", &Door, 3},
    {"SK_BTN_ABORT", &Cross, 9}, {"SK_BTN_RETRY", &Circle, 2}, {"SK_BTN_IGNORE", &Skip, 4},
    {"SK_BTN_ALL", &Check, 10},
};

bool Inked(const Shape& shape, int x, int y) { return x >= 0 && y >= 0 && x < 16 && y < 16 && shape[y][x] == '#'; }

// The picture as a BMP file of 4 bits per pixel: the shape in its colour on the left, on the right the shape in
// grey over its white relief one pixel down and right.
std::vector<std::uint8_t> Picture(const Shape& shape, std::uint8_t colour) {
    constexpr int width = 32;
    constexpr int height = 16;
    constexpr int stride = width / 2;  // 16 bytes, already a multiple of 4
    std::vector<std::uint8_t> pixels(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
        // Rows bottom-up.
        std::uint8_t* row = &pixels[static_cast<size_t>(height - 1 - y) * stride];
        for (int x = 0; x < width; ++x) {
            std::uint8_t index = Background;
            if (x < 16) {
                if (Inked(shape, x, y)) index = colour;
            } else if (Inked(shape, x - 16, y)) {
                index = DisabledShape;
            } else if (Inked(shape, x - 17, y - 1)) {
                index = DisabledRelief;
            }
            row[x / 2] |= static_cast<std::uint8_t>(x % 2 ? index : index << 4);
        }
    }
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 4;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(pixels.size());
    info.biClrUsed = 16;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = static_cast<DWORD>(sizeof(file) + sizeof(info) + sizeof(Palette));
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::vector<std::uint8_t> bytes;
    auto append = [&bytes](const void* data, size_t size) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + size);
    };
    append(&file, sizeof(file));
    append(&info, sizeof(info));
    append(Palette, sizeof(Palette));
    append(pixels.data(), pixels.size());
    return bytes;
}

}  // namespace

void RegisterStockGlyphs() {
    HMODULE program = GetModuleHandleA(nullptr);
    for (const TStockGlyph& glyph : Glyphs) {
        const std::vector<std::uint8_t> bytes = Picture(*glyph.Picture, glyph.Colour);
        win32::RegisterBitmapResource(program, glyph.Name, bytes.data(), bytes.size());
    }
}
