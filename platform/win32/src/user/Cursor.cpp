// The standard cursors and icons (LoadCursorA/LoadIconA with a null instance) as shared objects made once, and
// the cursor state: SetCursor, GetCursor, ShowCursor, which tell the display driver what to show.
#include "Window.h"
#include "user/AnsiConvert.h"

#include "gdi/classic/IconObject.h"

#include <backend/Driver.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>

namespace {

using win32::gdi::BitmapObject;
using win32::gdi::classic::IconObject;

constexpr int Size = 32;
constexpr uint32_t Transparent = 0xFF000000u;  // not a pixel value: the mask shows the screen there
constexpr uint32_t Black = 0x000000;
constexpr uint32_t White = 0xFFFFFF;

// A 32 x 32 picture drawn by a function from pixel to colour (or Transparent).
HICON MakePicture(bool icon, POINT hotspot, const std::function<uint32_t(int, int)>& paint) {
    auto mask = std::make_shared<BitmapObject>(Size, Size, 1, true, false);
    auto color = std::make_shared<BitmapObject>(Size, Size, 32, true, false);
    for (int y = 0; y < Size; ++y) {
        uint8_t* maskRow = mask->RowBytes(y);
        auto* colorRow = reinterpret_cast<uint32_t*>(color->RowBytes(y));
        std::memset(maskRow, 0, static_cast<size_t>(mask->Stride()));
        for (int x = 0; x < Size; ++x) {
            uint32_t pixel = paint(x, y);
            if (pixel == Transparent) {
                maskRow[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
                colorRow[x] = 0;
            } else {
                colorRow[x] = pixel;
            }
        }
    }
    return IconObject::Insert(std::make_shared<IconObject>(mask, color, icon, hotspot));
}

// 5 x 7 marks drawn at twice their size in the middle of an icon.
bool Mark(const char* const rows[7], int x, int y) {
    int column = (x - 11) / 2;
    int row = (y - 9) / 2;
    if (x < 11 || y < 9 || column >= 5 || row >= 7) return false;
    return rows[row][column] == '#';
}
const char* const Question[7] = {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."};
const char* const Exclamation[7] = {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."};
const char* const Information[7] = {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."};

double Distance(int x, int y) { return std::hypot(x - 15.5, y - 15.5); }

uint32_t Disc(int x, int y, uint32_t fill) {
    double d = Distance(x, y);
    if (d > 15) return Transparent;
    return d > 14 ? Black : fill;
}

uint32_t IconPixel(WORD id, int x, int y) {
    switch (id) {
    case 32513: {  // IDI_HAND: a red disc with a white cross
        uint32_t disc = Disc(x, y, 0xFF0000);
        bool cross = Distance(x, y) < 10 && (std::abs(x - y) <= 1 || std::abs(x + y - 31) <= 1);
        return disc != Transparent && cross ? White : disc;
    }
    case 32514: {  // IDI_QUESTION
        uint32_t disc = Disc(x, y, White);
        return disc != Transparent && Mark(Question, x, y) ? 0x0000FF : disc;
    }
    case 32515: {  // IDI_EXCLAMATION: a yellow triangle
        int half = (y - 2) / 2 + 1;
        if (y < 2 || y > 29 || std::abs(x * 2 - 31) > half * 2) return Transparent;
        if (y == 29 || std::abs(x * 2 - 31) > half * 2 - 3) return Black;
        return Mark(Exclamation, x, y + 3) ? Black : 0xFFFF00;
    }
    case 32516: {  // IDI_ASTERISK
        uint32_t disc = Disc(x, y, White);
        return disc != Transparent && Mark(Information, x, y) ? 0x0000FF : disc;
    }
    default: {  // IDI_APPLICATION: a window with a blue caption
        if (x < 2 || x > 29 || y < 4 || y > 27) return Transparent;
        if (x == 2 || x == 29 || y == 4 || y == 27) return Black;
        return y <= 8 ? 0x000080 : White;
    }
    }
}

bool OnSegment(int x, int y, int x0, int y0, int x1, int y1) {
    // A one-pixel line from (x0, y0) to (x1, y1): horizontal, vertical or diagonal.
    int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        int px = x0 + (steps ? (x1 - x0) * i / steps : 0);
        int py = y0 + (steps ? (y1 - y0) * i / steps : 0);
        if (px == x && py == y) return true;
    }
    return false;
}

uint32_t ArrowPixel(int x, int y) {
    if (y < 12) {
        if (x > y) return Transparent;
        return x == 0 || x == y || y == 11 ? (y == 11 && x > 0 && x < 5 ? White : Black) : White;
    }
    if (y < 18 && x >= 4 && x <= 7) return x == 4 || x == 7 || y == 17 ? Black : White;
    return Transparent;
}

struct CursorShape {
    POINT Hotspot;
    std::vector<RECT> Segments;  // (x0, y0)-(x1, y1) lines
};

uint32_t CursorPixel(WORD id, int x, int y) {
    static const std::map<WORD, CursorShape> shapes = {
        {32513, {{16, 16}, {{16, 6, 16, 26}, {13, 6, 19, 6}, {13, 26, 19, 26}}}},               // IDC_IBEAM
        {32514, {{16, 16}, {{8, 4, 24, 4}, {8, 28, 24, 28}, {8, 4, 24, 28}, {24, 4, 8, 28}}}},  // IDC_WAIT
        {32515, {{16, 16}, {{16, 4, 16, 28}, {4, 16, 28, 16}}}},                                // IDC_CROSS
        {32516, {{16, 4}, {{16, 4, 16, 28}, {16, 4, 11, 9}, {16, 4, 21, 9}}}},                  // IDC_UPARROW
        {32642, {{16, 16}, {{6, 6, 26, 26}, {6, 6, 6, 11}, {6, 6, 11, 6}, {26, 26, 26, 21}, {26, 26, 21, 26}}}},
        {32643, {{16, 16}, {{26, 6, 6, 26}, {26, 6, 26, 11}, {26, 6, 21, 6}, {6, 26, 6, 21}, {6, 26, 11, 26}}}},
        {32644, {{16, 16}, {{4, 16, 28, 16}, {4, 16, 9, 11}, {4, 16, 9, 21}, {28, 16, 23, 11}, {28, 16, 23, 21}}}},
        {32645, {{16, 16}, {{16, 4, 16, 28}, {16, 4, 11, 9}, {16, 4, 21, 9}, {16, 28, 11, 23}, {16, 28, 21, 23}}}},
        {32646,
         {{16, 16},
          {{16, 4, 16, 28},
           {4, 16, 28, 16},
           {16, 4, 12, 8},
           {16, 4, 20, 8},
           {16, 28, 12, 24},
           {16, 28, 20, 24},
           {4, 16, 8, 12},
           {4, 16, 8, 20},
           {28, 16, 24, 12},
           {28, 16, 24, 20}}}},
    };
    if (id == 32648) {  // IDC_NO: a ring with a bar
        double d = Distance(x, y);
        if (d <= 12 && (d >= 10 || std::abs(x - y) <= 1)) return Black;
        return Transparent;
    }
    auto found = shapes.find(id);
    if (found == shapes.end()) return ArrowPixel(x, y);  // the arrow, and the hand/help/app-starting pointers
    for (const RECT& segment : found->second.Segments) {
        if (OnSegment(x, y, segment.left, segment.top, segment.right, segment.bottom)) return Black;
    }
    return Transparent;
}

POINT CursorHotspot(WORD id) {
    switch (id) {
    case 32516:  // IDC_UPARROW
        return {16, 4};
    case 32512:  // IDC_ARROW
    case 32649:  // IDC_HAND
    case 32650:  // IDC_APPSTARTING
    case 32651:  // IDC_HELP
        return {0, 0};
    default: return {16, 16};
    }
}

bool IsStandardCursor(WORD id) {
    return (id >= 32512 && id <= 32516) || (id >= 32642 && id <= 32646) || (id >= 32648 && id <= 32651);
}

bool IsStandardIcon(WORD id) { return id >= 32512 && id <= 32516; }

struct SharedPictures {
    std::map<WORD, HICON> Cursors;
    std::map<WORD, HICON> Icons;
};

SharedPictures& Shared() {
    static SharedPictures shared;
    return shared;
}

bool Alive(HICON handle) {
    DWORD saved = GetLastError();
    bool alive = IconObject::Lookup(handle) != nullptr;
    SetLastError(saved);
    return alive;
}

// Shared pictures are made once; one destroyed by mistake is made again.
HICON SharedPicture(bool icon, WORD id) {
    auto& table = icon ? Shared().Icons : Shared().Cursors;
    auto found = table.find(id);
    if (found != table.end() && Alive(found->second)) return found->second;
    HICON made = icon ? MakePicture(true, {Size / 2, Size / 2}, [id](int x, int y) { return IconPixel(id, x, y); })
                      : MakePicture(false, CursorHotspot(id), [id](int x, int y) { return CursorPixel(id, x, y); });
    table[id] = made;
    return made;
}

HICON Load(HINSTANCE instance, LPCSTR name, bool icon) {
    auto value = reinterpret_cast<uintptr_t>(name);
    // Only the system's own pictures exist: the program carries no resources.
    if (instance || (value >> 16) != 0) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    WORD id = static_cast<WORD>(value);
    if (icon ? !IsStandardIcon(id) : !IsStandardCursor(id)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return SharedPicture(icon, id);
}

// The standard cursor id the driver shows for a cursor handle: its own id for a standard cursor, the arrow for
// a cursor the program made (the driver draws standard shapes only), 0 for none.
int DriverShape() {
    auto& state = win32::user::State();
    if (!state.Cursor || state.CursorShowCount < 0) return 0;
    for (const auto& [id, handle] : Shared().Cursors) {
        if (handle == state.Cursor) return id;
    }
    return 32512;
}

}  // namespace

HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) { return Load(hInstance, lpCursorName, false); }

HCURSOR LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName) {
    return Load(hInstance, win32::user::AnsiName(lpCursorName), false);
}

HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) { return Load(hInstance, lpIconName, true); }

HICON LoadIconW(HINSTANCE hInstance, LPCWSTR lpIconName) {
    return Load(hInstance, win32::user::AnsiName(lpIconName), true);
}

HCURSOR SetCursor(HCURSOR hCursor) {
    if (hCursor && !IconObject::Lookup(hCursor)) return nullptr;  // ERROR_INVALID_CURSOR_HANDLE
    auto& state = win32::user::State();
    HCURSOR previous = state.Cursor;
    state.Cursor = hCursor;
    if (previous != hCursor) backend::CurrentDriver().SetCursorShape(DriverShape());
    return previous;
}

HCURSOR GetCursor(void) { return win32::user::State().Cursor; }

int ShowCursor(BOOL bShow) {
    auto& state = win32::user::State();
    int before = DriverShape();
    state.CursorShowCount += bShow ? 1 : -1;
    if (DriverShape() != before) backend::CurrentDriver().SetCursorShape(DriverShape());
    return state.CursorShowCount;
}
