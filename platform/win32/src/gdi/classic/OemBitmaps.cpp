// LoadBitmapA: a module's bitmaps come from its resources; without a module, the one system bitmap callers ask
// for, OBM_CHECKBOXES, painted with the classic painter so it always matches DrawFrameControl.
#include "ClassicPainter.h"
#include "loader/Resources.h"
#include "user/AnsiConvert.h"

#include <win32/winbase.h>
#include <win32/winuser.h>

namespace {

constexpr int Cell = 13;

// Columns: normal, checked, pushed, pushed and checked. Rows: check box, radio button, three-state box.
HBITMAP MakeCheckBoxes() {
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory) return nullptr;
    HBITMAP bitmap = CreateBitmap(4 * Cell, 3 * Cell, 1, 32, nullptr);
    if (!bitmap) {
        DeleteDC(memory);
        return nullptr;
    }
    HGDIOBJ previous = SelectObject(memory, bitmap);
    auto dc = win32::gdi::LookupDC(memory);
    win32::gdi::classic::ClassicPainter painter(*dc);
    const UINT kinds[3] = {DFCS_BUTTONCHECK, DFCS_BUTTONRADIO, DFCS_BUTTON3STATE};
    const UINT states[4] = {0, DFCS_CHECKED, DFCS_PUSHED, DFCS_PUSHED | DFCS_CHECKED};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            RECT cell{column * Cell, row * Cell, (column + 1) * Cell, (row + 1) * Cell};
            painter.Fill(cell, GetSysColor(COLOR_BTNFACE));
            painter.FrameControl(cell, DFC_BUTTON, kinds[row] | states[column]);
        }
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    return bitmap;
}

}  // namespace

HBITMAP LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
    // A module's own bitmaps are resources; without a module only the system's bitmaps exist.
    if (hInstance) return win32::loader::LoadResourceBitmap(hInstance, lpBitmapName);
    bool ordinal = (reinterpret_cast<ULONG_PTR>(lpBitmapName) >> 16) == 0;
    if (hInstance || !ordinal || reinterpret_cast<ULONG_PTR>(lpBitmapName) != OBM_CHECKBOXES) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return MakeCheckBoxes();
}

HBITMAP LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName) {
    return LoadBitmapA(hInstance, win32::user::AnsiName(lpBitmapName));
}
