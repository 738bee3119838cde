// TComboListWindow: placement, painting, hot-tracking and scrolling of the open list; choosing and cancelling are
// passed back to the combo box.
#include "ComboListWindow.h"

#include "ComboBoxStrings.h"

#include <toolkit/CustomComboBox.h>

#include <algorithm>

namespace {

const char* const ListClassName = "ToolkitComboList";

bool RegisterListClass(WNDPROC procedure) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(nullptr, ListClassName, &existing)) return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = procedure;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = ListClassName;
    return RegisterClassExA(&wc) != 0;
}

}  // namespace

TComboListWindow::~TComboListWindow() { Close(); }

bool TComboListWindow::Open(int hot) {
    if (FHandle) return true;
    if (!RegisterListClass(&WindowProcedure)) return false;
    HWND comboWindow = FCombo.Handle();
    HWND owner = GetAncestor(comboWindow, GA_ROOT);
    FHot = hot;
    FTop = 0;
    FHandle = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, ListClassName, "",
                              WS_POPUP | WS_BORDER | WS_VSCROLL, 0, 0, 1, 1, owner, nullptr, nullptr, this);
    if (!FHandle) return false;
    Layout();
    SetHotIndex(hot);
    SetWindowPos(FHandle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetCapture(FHandle);
    return true;
}

void TComboListWindow::Close() {
    if (!FHandle || FClosing) return;
    FClosing = true;
    HWND handle = FHandle;
    if (GetCapture() == handle) ReleaseCapture();
    DestroyWindow(handle);
    FHandle = nullptr;
    FClosing = false;
}

void TComboListWindow::Layout() {
    int count = FCombo.Items()->Count();
    int itemHeight = FCombo.ItemHeight();
    FRows = std::max(1, std::min(count, FCombo.DropDownCount()));
    RECT field{};
    GetWindowRect(FCombo.Handle(), &field);
    int width = field.right - field.left;
    int height = FRows * itemHeight + 2 * GetSystemMetrics(SM_CYBORDER);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int y = field.bottom;
    // Above the field only when it fits there and not below.
    if (y + height > work.bottom && field.top - height >= work.top) y = field.top - height;
    int x = std::max<int>(work.left, std::min<int>(field.left, work.right - width));
    SetWindowPos(FHandle, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateScrollBar();
}

void TComboListWindow::UpdateScrollBar() {
    int count = FCombo.Items()->Count();
    FTop = std::max(0, std::min(FTop, count - FRows));
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, count - 1);
    // A page as large as the range hides the bar: short lists have none.
    info.nPage = static_cast<UINT>(FRows);
    info.nPos = FTop;
    SetScrollInfo(FHandle, SB_VERT, &info, TRUE);
}

void TComboListWindow::ItemsChanged() {
    if (!FHandle) return;
    int count = FCombo.Items()->Count();
    if (FHot >= count) FHot = count - 1;
    Layout();
    InvalidateRect(FHandle, nullptr, FALSE);
}

void TComboListWindow::SetHotIndex(int index) {
    int count = FCombo.Items()->Count();
    index = index >= count ? count - 1 : std::max(-1, index);
    if (index >= 0) {
        if (index < FTop)
            SetTopIndex(index);
        else if (index >= FTop + FRows)
            SetTopIndex(index - FRows + 1);
    }
    if (index == FHot) return;
    FHot = index;
    if (FHandle) InvalidateRect(FHandle, nullptr, FALSE);
}

void TComboListWindow::SetTopIndex(int index) {
    int count = FCombo.Items()->Count();
    index = std::max(0, std::min(index, count - FRows));
    if (index == FTop) return;
    FTop = index;
    if (!FHandle) return;
    UpdateScrollBar();
    InvalidateRect(FHandle, nullptr, FALSE);
}

int TComboListWindow::RowAt(POINT client) const {
    RECT rect{};
    GetClientRect(FHandle, &rect);
    if (!PtInRect(&rect, client)) return -1;
    int row = FTop + client.y / std::max(1, FCombo.ItemHeight());
    return row < FCombo.Items()->Count() ? row : -1;
}

void TComboListWindow::Paint(HDC dc) {
    RECT client{};
    GetClientRect(FHandle, &client);
    int itemHeight = FCombo.ItemHeight();
    HGDIOBJ oldFont = SelectObject(dc, FCombo.Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    COLORREF back = ColorToRGB(FCombo.Color());
    COLORREF text = ColorToRGB(FCombo.Font()->Color());
    HBRUSH backBrush = CreateSolidBrush(back);
    int count = FCombo.Items()->Count();
    RECT row{client.left, client.top, client.right, client.top + itemHeight};
    for (int i = FTop; i < count && row.top < client.bottom; ++i) {
        bool hot = i == FHot;
        FillRect(dc, &row, hot ? GetSysColorBrush(COLOR_HIGHLIGHT) : backBrush);
        SetTextColor(dc, hot ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
        std::string item = FCombo.Items()->Strings(i);
        RECT textRect{row.left + 2, row.top, row.right - 2, row.bottom};
        DrawTextA(dc, item.c_str(), static_cast<int>(item.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        OffsetRect(&row, 0, itemHeight);
    }
    if (row.top < client.bottom) {
        row.bottom = client.bottom;
        FillRect(dc, &row, backBrush);
    }
    DeleteObject(backBrush);
    SelectObject(dc, oldFont);
}

void TComboListWindow::ButtonDown(POINT client) {
    RECT clientRect{};
    GetClientRect(FHandle, &clientRect);
    if (PtInRect(&clientRect, client)) return;
    POINT screen = client;
    ClientToScreen(FHandle, &screen);
    LRESULT hit = SendMessageA(FHandle, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hit == HTVSCROLL) {
        // The scroll bar tracks the mouse with a capture of its own; the list takes it back afterwards.
        HWND handle = FHandle;
        FScrollTracking = true;
        DefWindowProcA(handle, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(screen.x, screen.y));
        FScrollTracking = false;
        if (FHandle == handle && GetCapture() != handle) SetCapture(handle);
        return;
    }
    RECT window{};
    GetWindowRect(FHandle, &window);
    if (PtInRect(&window, screen)) return;  // the border
    FCombo.CloseList(false);
}

void TComboListWindow::ButtonUp(POINT client) {
    if (FCombo.FButtonPushed) {
        FCombo.FButtonPushed = false;
        FCombo.Invalidate();
    }
    int row = RowAt(client);
    if (row < 0) return;
    FHot = row;
    FCombo.CloseList(true);
}

void TComboListWindow::Scrolled(WORD code) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(FHandle, SB_VERT, &info);
    switch (code) {
    case SB_LINEUP: SetTopIndex(FTop - 1); break;
    case SB_LINEDOWN: SetTopIndex(FTop + 1); break;
    case SB_PAGEUP: SetTopIndex(FTop - FRows); break;
    case SB_PAGEDOWN: SetTopIndex(FTop + FRows); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: SetTopIndex(info.nTrackPos); break;
    case SB_TOP: SetTopIndex(0); break;
    case SB_BOTTOM: SetTopIndex(FCombo.Items()->Count()); break;
    default: break;
    }
}

LRESULT TComboListWindow::WindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TComboListWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        if (self && self->FHandle == hwnd) self->FHandle = nullptr;
        self = nullptr;
    }
    if (!self || self->FHandle != hwnd) return DefWindowProcA(hwnd, msg, wParam, lParam);
    return self->Message(msg, wParam, lParam);
}

LRESULT TComboListWindow::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT pos{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(FHandle, &ps);
        Paint(dc);
        EndPaint(FHandle, &ps);
        return 0;
    }
    case WM_MOUSEMOVE: {
        int row = RowAt(pos);
        if (row >= 0) SetHotIndex(row);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: ButtonDown(pos); return 0;
    case WM_LBUTTONUP: ButtonUp(pos); return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        POINT screen = pos;
        ClientToScreen(FHandle, &screen);
        RECT window{};
        GetWindowRect(FHandle, &window);
        if (!PtInRect(&window, screen)) FCombo.CloseList(false);
        return 0;
    }
    case WM_VSCROLL: Scrolled(LOWORD(wParam)); return 0;
    case WM_CAPTURECHANGED:
        if (!FScrollTracking && !FClosing && reinterpret_cast<HWND>(lParam) != FHandle) FCombo.CloseList(false);
        return 0;
    default: return DefWindowProcA(FHandle, msg, wParam, lParam);
    }
}
