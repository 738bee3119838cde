// picture-maker: draws the main window's two pictures with the toolkit's canvas and writes them as 8-bit BMP
// files (the character-grid diagram and the logo); scripts/embed-pictures puts them into the window's description.
#include <toolkit/Bitmap.h>
#include <toolkit/Canvas.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr TColor kKey = 0x00FF00FF;  // bottom-left pixel: the transparent colour of both pictures

void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// A bottom-up 8-bit BMP with the picture's own palette; false when it has more than 256 colours.
bool EncodeBmp8(TBitmap& bitmap, std::string& out) {
    int width = bitmap.Width();
    int height = bitmap.Height();
    std::map<COLORREF, uint8_t> palette;
    std::vector<COLORREF> colours;
    std::vector<uint8_t> indices(static_cast<size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF colour = bitmap.PixelColor(x, y);
            auto found = palette.find(colour);
            if (found == palette.end()) {
                if (colours.size() == 256) return false;
                found = palette.emplace(colour, static_cast<uint8_t>(colours.size())).first;
                colours.push_back(colour);
            }
            indices[static_cast<size_t>(y * width + x)] = found->second;
        }
    }
    uint32_t stride = (static_cast<uint32_t>(width) + 3) & ~3u;
    uint32_t offset = 14 + 40 + 4 * static_cast<uint32_t>(colours.size());
    uint32_t size = offset + stride * static_cast<uint32_t>(height);
    out = "BM";
    Put32(out, size);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, 8);
    for (int i = 0; i < 4; ++i) Put32(out, 0);  // BI_RGB, image size, resolutions
    Put32(out, static_cast<uint32_t>(colours.size()));
    Put32(out, 0);
    for (COLORREF c : colours) {
        out += static_cast<char>(GetBValue(c));
        out += static_cast<char>(GetGValue(c));
        out += static_cast<char>(GetRValue(c));
        out += '\0';
    }
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) out += static_cast<char>(indices[static_cast<size_t>(y * width + x)]);
        out.append(stride - static_cast<uint32_t>(width), '\0');
    }
    return true;
}

void Arrow(TCanvas& canvas, POINT from, POINT to) {
    canvas.MoveTo(from.x, from.y);
    canvas.LineTo(to.x, to.y);
    if (to.x != from.x)
        canvas.Polygon({{to.x, to.y}, {to.x - 6, to.y - 3}, {to.x - 6, to.y + 3}});
    else
        canvas.Polygon({{to.x, to.y}, {to.x - 3, to.y - 6}, {to.x + 3, to.y - 6}});
}

// The screen's character grid: the origin (0,0) at the top left, X to the right, Y downwards.
void DrawGrid(TBitmap& bitmap) {
    bitmap.SetSize(139, 133);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(kKey);
    canvas.FillRect(RECT{0, 0, 139, 133});
    // The picture area: a screen with faint character cells.
    RECT screen{14, 18, 128, 112};
    canvas.Brush().SetColor(0x00F8F0E8);
    canvas.Pen().SetColor(0x00806040);
    canvas.Rectangle(screen);
    canvas.Pen().SetColor(0x00E0D0C0);
    for (int x = screen.left + 8; x < screen.right - 1; x += 8) {
        canvas.MoveTo(x, screen.top + 1);
        canvas.LineTo(x, screen.bottom - 1);
    }
    for (int y = screen.top + 8; y < screen.bottom - 1; y += 8) {
        canvas.MoveTo(screen.left + 1, y);
        canvas.LineTo(screen.right - 1, y);
    }
    // The first cell, where both counts start.
    canvas.Brush().SetColor(0x003060C0);
    canvas.FillRect(RECT{screen.left + 1, screen.top + 1, screen.left + 8, screen.top + 8});

    canvas.Pen().SetColor(0x00202020);
    canvas.Brush().SetColor(0x00202020);
    Arrow(canvas, {screen.left, screen.top - 6}, {screen.right + 6, screen.top - 6});
    Arrow(canvas, {screen.left - 6, screen.top}, {screen.left - 6, screen.bottom + 6});

    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetName("宋体");
    canvas.Font().SetHeight(-12);
    canvas.Font().SetColor(0x00202020);
    canvas.TextOut(screen.left + 10, screen.top + 10, "(0,0)");
    canvas.TextOut(screen.left + 40, screen.top - 18 + 2, "X(0-31)");
    canvas.TextOut(screen.left + 2, screen.bottom + 6, "Y(0-29)");
}

// The logo: an emblem of three stacked text lines over a picture, and the name.
void DrawLogo(TBitmap& bitmap) {
    bitmap.SetSize(134, 43);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(kKey);
    canvas.FillRect(RECT{0, 0, 134, 43});
    canvas.Pen().SetColor(0x00804010);
    canvas.Brush().SetColor(0x00C07020);
    canvas.RoundRect(2, 4, 38, 39, 8, 8);
    canvas.Brush().SetColor(0x00FFFFFF);
    canvas.FillRect(RECT{8, 11, 32, 14});
    canvas.FillRect(RECT{8, 19, 28, 22});
    canvas.FillRect(RECT{8, 27, 24, 30});
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetName("DejaVu Sans");
    canvas.Font().SetHeight(-17);
    canvas.Font().SetStyle(TFontStyles{fsBold});
    canvas.Font().SetColor(0x00804010);
    canvas.TextOut(44, 3, "Orvane");
    canvas.Font().SetName("宋体");
    canvas.Font().SetHeight(-12);
    canvas.Font().SetStyle(TFontStyles{});
    canvas.Font().SetColor(0x00404040);
    canvas.TextOut(45, 25, "字符叠加分配器");
}

bool Write(const std::string& path, TBitmap& bitmap) {
    std::string bytes;
    if (!EncodeBmp8(bitmap, bytes)) {
        std::fprintf(stderr, "picture-maker: %s has more than 256 colours\n", path.c_str());
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: picture-maker DIRECTORY\n");
        return 2;
    }
    std::string directory = argv[1];
    TBitmap grid;
    DrawGrid(grid);
    TBitmap logo;
    DrawLogo(logo);
    return Write(directory + "/Image1.bmp", grid) && Write(directory + "/Image2.bmp", logo) ? 0 : 1;
}
