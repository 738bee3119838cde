// The classic frame: layout from the styles and system metrics, painting through the window DC, the caption's
// active state, and what clicks on the frame and WM_SYSCOMMAND start.
#include "user/ClassicFrame.h"
#include "geometry/Rects.h"
#include "theme/SystemStyle.h"
#include "user/Menu.h"

#include "user/ScrollBar.h"

#include <array>
#include <cstring>
#include <vector>

namespace win32::user {
namespace {

bool HasCaption(const Window& window) { return (window.Style & WS_CAPTION) == WS_CAPTION; }
bool IsTool(const Window& window) { return (window.ExStyle & WS_EX_TOOLWINDOW) != 0; }
bool ThickFrame(const Window& window) {
    return (window.Style & WS_THICKFRAME) && !(window.ExStyle & WS_EX_DLGMODALFRAME);
}

// The outer border's width: what AdjustWindowRectEx adds on each side without the client edge.
int BorderWidth(const Window& window) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, window.Style, FALSE, window.ExStyle & ~WS_EX_CLIENTEDGE);
    return -frame.left;
}

void FillColor(HDC dc, const RECT& rect, COLORREF color) {
    if (EmptyRect(rect)) return;
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// The band between two nested rectangles.
void FillRing(HDC dc, const RECT& outer, const RECT& inner, COLORREF color) {
    FillColor(dc, RECT{outer.left, outer.top, outer.right, inner.top}, color);
    FillColor(dc, RECT{outer.left, inner.bottom, outer.right, outer.bottom}, color);
    FillColor(dc, RECT{outer.left, inner.top, inner.left, inner.bottom}, color);
    FillColor(dc, RECT{inner.right, inner.top, outer.right, inner.bottom}, color);
}

COLORREF Blend(COLORREF from, COLORREF to, int step, int steps) {
    auto mix = [&](int a, int b) { return steps <= 0 ? a : a + (b - a) * step / steps; };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

// One row of a caption's gradient as 32-bit DIB pixels, made again only when the caption's width or colours change
// (one for active captions, one for inactive ones, as activation flips between the two).
class GradientRow {
public:
    const std::vector<uint32_t>& Get(COLORREF left, COLORREF right, int width) {
        if (width == static_cast<int>(FPixels.size()) && left == FLeft && right == FRight) return FPixels;
        FLeft = left;
        FRight = right;
        FPixels.resize(static_cast<size_t>(width));
        for (int x = 0; x < width; ++x)
            FPixels[static_cast<size_t>(x)] = gdi::ColorToPixel(Blend(left, right, x, width - 1));
        return FPixels;
    }

private:
    COLORREF FLeft = CLR_INVALID, FRight = CLR_INVALID;
    std::vector<uint32_t> FPixels;
};

std::array<GradientRow, 2>& GradientRows() {
    static std::array<GradientRow, 2> rows;
    return rows;
}

// The row stretched down the caption's height in one blit.
void PaintGradient(HDC dc, const RECT& caption, const std::vector<uint32_t>& row) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(row.size());
    info.bmiHeader.biHeight = -1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, caption.left, caption.top, caption.right - caption.left, caption.bottom - caption.top, 0, 0,
                  static_cast<int>(row.size()), 1, row.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

// The caption fonts, made again only when the non-client metrics name other ones. They live as long as the
// process: a handle stays valid for every window that draws a caption.
HFONT CaptionFont(bool small) {
    struct Cached {
        LOGFONTW Wanted{};
        HFONT Font = nullptr;
    };
    static Cached fonts[2];
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    const LOGFONTW& wanted = small ? metrics.lfSmCaptionFont : metrics.lfCaptionFont;
    Cached& cached = fonts[small ? 1 : 0];
    if (!cached.Font || std::memcmp(&cached.Wanted, &wanted, sizeof(wanted)) != 0) {
        if (cached.Font) DeleteObject(cached.Font);
        cached.Font = CreateFontIndirectW(&wanted);
        cached.Wanted = wanted;
    }
    return cached.Font;
}

void PaintButton(HDC dc, RECT rect, UINT kind, bool pushed, bool inactive) {
    if (EmptyRect(rect)) return;
    DrawFrameControl(dc, &rect, DFC_CAPTION, kind | (pushed ? DFCS_PUSHED : 0) | (inactive ? DFCS_INACTIVE : 0));
}

void PaintCaption(HDC dc, HWND hwnd, const Window& window, const FrameLayout& layout, bool active) {
    const RECT& caption = layout.Caption;
    // Gradient captions are on (SPI_GETGRADIENTCAPTIONS): the caption colour on the left shades into the
    // gradient colour on the right, one column at a time.
    BOOL gradient = FALSE;
    SystemParametersInfoW(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
    COLORREF left = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    COLORREF right = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    int width = caption.right - caption.left;
    if (gradient && width > 1) {
        PaintGradient(dc, caption, GradientRows()[active ? 1 : 0].Get(left, right, width));
    } else {
        FillColor(dc, caption, left);
    }
    FillColor(dc, RECT{caption.left, caption.bottom, caption.right, caption.bottom + 1}, GetSysColor(COLOR_3DFACE));

    PaintCaptionTitle(dc, hwnd, window, layout, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));

    int pushed = PushedCaptionButton(hwnd);
    bool zoomed = (window.Style & WS_MAXIMIZE) != 0, iconic = (window.Style & WS_MINIMIZE) != 0;
    PaintButton(dc, layout.Close, DFCS_CAPTIONCLOSE, pushed == HTCLOSE, CloseDisabled(window));
    PaintButton(dc, layout.Max, zoomed ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX, pushed == HTMAXBUTTON,
                !(window.Style & WS_MAXIMIZEBOX));
    PaintButton(dc, layout.Min, iconic ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN, pushed == HTMINBUTTON,
                !(window.Style & WS_MINIMIZEBOX));
    PaintButton(dc, layout.Help, DFCS_CAPTIONHELP, pushed == HTHELP, false);
}

void PaintBorder(HDC dc, const Window& window, const FrameLayout& layout) {
    RECT outer = layout.Bounds;
    if (ThickFrame(window) || (window.Style & WS_DLGFRAME) || (window.ExStyle & WS_EX_DLGMODALFRAME)) {
        DrawEdge(dc, &outer, EDGE_RAISED, BF_RECT | BF_ADJUST);
        int color = ThickFrame(window) ? (FrameActive(window.Handle) ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER)
                                       : COLOR_3DFACE;
        FillRing(dc, outer, layout.Inner, GetSysColor(color));
        return;
    }
    if (window.ExStyle & WS_EX_STATICEDGE) DrawEdge(dc, &outer, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    if (window.Style & WS_BORDER) FillRing(dc, outer, layout.Inner, GetSysColor(COLOR_WINDOWFRAME));
}

// The border and the caption in the look of this paint.
void PaintBorderAndCaption(HDC dc, HWND hwnd, const Window& window, const FrameLayout& layout, bool active) {
    if (PaintStyledFrame(dc, hwnd, window, layout, active)) return;
    PaintBorder(dc, window, layout);
    if (!EmptyRect(layout.Caption)) PaintCaption(dc, hwnd, window, layout, active);
}

void PaintWholeFrame(HDC dc, HWND hwnd, const Window& window, bool active) {
    FrameLayout layout = LayOutFrame(window);
    PaintBorderAndCaption(dc, hwnd, window, layout, active);
    if (!EmptyRect(layout.ClientEdge)) {
        RECT edge = layout.ClientEdge;
        DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    }
    if (window.Style & (WS_HSCROLL | WS_VSCROLL)) PaintScrollBars(hwnd, dc);
}

}  // namespace

HICON CaptionIcon(HWND hwnd, const Window& window) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon && window.Class) icon = window.Class->SmallIcon;
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0));
    if (!icon && window.Class) icon = window.Class->Icon;
    // A modal dialog frame shows no icon unless it was given one.
    if (!icon && !(window.ExStyle & WS_EX_DLGMODALFRAME)) icon = LoadIconA(nullptr, IDI_APPLICATION);
    return icon;
}

bool CloseDisabled(const Window& window) { return window.Class && (window.Class->Style & CS_NOCLOSE); }

void PaintCaptionTitle(HDC dc, HWND hwnd, const Window& window, const FrameLayout& layout, COLORREF color) {
    const RECT& caption = layout.Caption;
    int textLeft = caption.left + 2;
    if (!EmptyRect(layout.Icon)) {
        if (HICON icon = CaptionIcon(hwnd, window)) {
            DrawIconEx(dc, layout.Icon.left, layout.Icon.top, icon, layout.Icon.right - layout.Icon.left,
                       layout.Icon.bottom - layout.Icon.top, 0, nullptr, DI_NORMAL);
            textLeft = layout.Icon.right + 2;
        }
    }
    int textRight = caption.right - 2;
    for (const RECT* button : {&layout.Close, &layout.Max, &layout.Min, &layout.Help})
        if (!EmptyRect(*button) && button->left - 2 < textRight) textRight = button->left - 2;
    if (window.Text.empty() || textRight <= textLeft) return;

    HGDIOBJ oldFont = SelectObject(dc, CaptionFont(IsTool(window)));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(dc, color);
    RECT text{textLeft, caption.top, textRight, caption.bottom};
    DrawTextW(dc, window.Text.c_str(), static_cast<int>(window.Text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

FrameLayout LayOutFrame(const Window& window) {
    FrameLayout layout;
    const RECT& rect = window.WindowRect;
    layout.Bounds = RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    layout.Inner = layout.Bounds;
    int border = BorderWidth(window);
    InflateRect(&layout.Inner, -border, -border);
    RECT area = layout.Inner;
    if (HasCaption(window)) {
        bool tool = IsTool(window);
        int height = GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION);
        // The caption's last row is the line under it.
        layout.Caption = RECT{area.left, area.top, area.right, area.top + height - 1};
        area.top += height;
        if (window.Style & WS_SYSMENU) {
            // Buttons are inset in their SM_CXSIZE x SM_CYSIZE cells: 2 pixels narrower, 4 lower than the
            // cell, 2 pixels from the caption's top and right; the close button stands 2 pixels apart.
            int width = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE) - 2;
            int buttonHeight = GetSystemMetrics(tool ? SM_CYSMSIZE : SM_CYSIZE) - 4;
            int top = layout.Caption.top + 2;
            int right = layout.Caption.right - 2;
            auto place = [&](RECT& button) {
                button = RECT{right - width, top, right, top + buttonHeight};
                right -= width;
            };
            place(layout.Close);
            right -= 2;
            if (!tool && (window.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
                place(layout.Max);
                place(layout.Min);
            } else if (!tool && (window.ExStyle & WS_EX_CONTEXTHELP)) {
                place(layout.Help);
            }
            if (!tool) {
                int icon = GetSystemMetrics(SM_CXSMICON), iconHeight = GetSystemMetrics(SM_CYSMICON);
                int iconTop = layout.Caption.top + (layout.Caption.bottom - layout.Caption.top - iconHeight) / 2;
                layout.Icon =
                    RECT{layout.Caption.left + 2, iconTop, layout.Caption.left + 2 + icon, iconTop + iconHeight};
            }
        }
    }
    if ((window.ExStyle & WS_EX_CLIENTEDGE) && !(window.Style & WS_MINIMIZE)) layout.ClientEdge = area;
    return layout;
}

int CaptionHitTest(const Window& window, POINT pt) {
    FrameLayout layout = LayOutFrame(window);
    if (!PtInRect(&layout.Caption, pt) &&
        !(pt.y == layout.Caption.bottom && pt.x >= layout.Caption.left && pt.x < layout.Caption.right))
        return HTNOWHERE;
    if ((window.Style & WS_SYSMENU) && !IsTool(window) &&
        pt.x < layout.Caption.left + GetSystemMetrics(SM_CXSMICON) + 2)
        return HTSYSMENU;
    struct Part {
        const RECT* Rect;
        int Hit;
    } parts[] = {
        {&layout.Close, HTCLOSE}, {&layout.Max, HTMAXBUTTON}, {&layout.Min, HTMINBUTTON}, {&layout.Help, HTHELP}};
    for (const Part& part : parts)
        if (!EmptyRect(*part.Rect) && pt.x >= part.Rect->left && pt.x < part.Rect->right) return part.Hit;
    return HTCAPTION;
}

bool FrameActive(HWND hwnd) {
    Window* window = FromHandleQuiet(hwnd);
    return window && window->FrameActive ? *window->FrameActive : GetActiveWindow() == hwnd;
}

int HotCaptionButton(HWND hwnd) {
    Window* window = FromHandleQuiet(hwnd);
    return window ? window->HotCaptionButton : HTNOWHERE;
}

void FrameMouseMove(HWND hwnd, int hit) {
    Window* window = FromHandleQuiet(hwnd);
    if (!window) return;
    bool button = hit == HTCLOSE || hit == HTMAXBUTTON || hit == HTMINBUTTON || hit == HTHELP;
    int hot = button && theme::SystemStyle(hwnd, u"Window", true) ? hit : HTNOWHERE;
    if (hot == window->HotCaptionButton) return;
    window->HotCaptionButton = hot;
    if (hot != HTNOWHERE) {
        // WM_NCMOUSELEAVE takes the hot look away when the pointer leaves the frame.
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_NONCLIENT, hwnd, 0};
        TrackMouseEvent(&track);
    }
    RepaintCaption(hwnd);
}

void PaintFrame(HWND hwnd, HRGN region) {
    Window* window = FromHandle(hwnd);
    if (!window || !window->Visible()) return;
    DWORD flags = DCX_WINDOW | DCX_INTERSECTRGN | ((window->Style & WS_CLIPSIBLINGS) ? DCX_CLIPSIBLINGS : 0);
    HDC dc = GetDCEx(hwnd, region, flags);
    if (!dc) return;
    PaintWholeFrame(dc, hwnd, *window, FrameActive(hwnd));
    ReleaseDC(hwnd, dc);
}

void RepaintCaption(HWND hwnd) {
    Window* window = FromHandleQuiet(hwnd);
    if (!window || !window->Visible() || !HasCaption(*window)) return;
    HDC dc = GetWindowDC(hwnd);
    if (!dc) return;
    PaintBorderAndCaption(dc, hwnd, *window, LayOutFrame(*window), FrameActive(hwnd));
    ReleaseDC(hwnd, dc);
}

LRESULT ActivateFrame(HWND hwnd, bool active) {
    if (Window* window = FromHandleQuiet(hwnd)) window->FrameActive = active;
    RepaintCaption(hwnd);
    return TRUE;
}

void FrameButtonDown(HWND hwnd, int hit, POINT screen) {
    Window* window = FromHandle(hwnd);
    if (!window) return;
    LPARAM point = MAKELPARAM(screen.x, screen.y);
    switch (hit) {
    case HTCAPTION: SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, point); return;
    case HTSYSMENU:
        if (window->Style & WS_SYSMENU) SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU + HTSYSMENU, point);
        return;
    case HTHSCROLL: SendMessageW(hwnd, WM_SYSCOMMAND, SC_HSCROLL + HTHSCROLL, point); return;
    case HTVSCROLL: SendMessageW(hwnd, WM_SYSCOMMAND, SC_VSCROLL + HTVSCROLL, point); return;
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP: {
        bool usable = hit == HTMINBUTTON   ? (window->Style & WS_MINIMIZEBOX) != 0
                      : hit == HTMAXBUTTON ? (window->Style & WS_MAXIMIZEBOX) != 0
                      : hit == HTCLOSE     ? !CloseDisabled(*window)
                                           : true;
        if (!usable || !TrackCaptionButton(hwnd, hit)) return;
        if (!(window = FromHandleQuiet(hwnd))) return;
        WPARAM command = hit == HTCLOSE       ? SC_CLOSE
                         : hit == HTHELP      ? SC_CONTEXTHELP
                         : hit == HTMINBUTTON ? ((window->Style & WS_MINIMIZE) ? SC_RESTORE : SC_MINIMIZE)
                                              : ((window->Style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE);
        POINT at{0, 0};
        GetCursorPos(&at);
        SendMessageW(hwnd, WM_SYSCOMMAND, command, MAKELPARAM(at.x, at.y));
        return;
    }
    default:
        if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT && ThickFrame(*window))
            SendMessageW(hwnd, WM_SYSCOMMAND, SC_SIZE + (hit - HTLEFT + WMSZ_LEFT), point);
        return;
    }
}

void FrameDoubleClick(HWND hwnd, int hit, POINT screen) {
    Window* window = FromHandle(hwnd);
    if (!window) return;
    LPARAM point = MAKELPARAM(screen.x, screen.y);
    switch (hit) {
    case HTCAPTION:
        if (window->Style & WS_MINIMIZE)
            SendMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, point);
        else if (window->Style & WS_MAXIMIZEBOX)
            SendMessageW(hwnd, WM_SYSCOMMAND, (window->Style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, point);
        return;
    case HTSYSMENU:
        if ((window->Style & WS_SYSMENU) && !CloseDisabled(*window)) SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, point);
        return;
    case HTHSCROLL:
    case HTVSCROLL: FrameButtonDown(hwnd, hit, screen); return;
    default: return;
    }
}

namespace {

// Where the system menu opens: under the caption's icon (or the caption's left end), in screen coordinates.
POINT SystemMenuPoint(HWND hwnd) {
    Window* window = FromHandleQuiet(hwnd);
    if (!window) return POINT{0, 0};
    FrameLayout layout = LayOutFrame(*window);
    RECT screen = window->ScreenWindowRect();
    LONG left = IsRectEmpty(&layout.Icon) ? layout.Caption.left : layout.Icon.left;
    return POINT{screen.left + left, screen.top + layout.Caption.bottom + 1};
}

}  // namespace

bool FrameSysCommand(HWND hwnd, WPARAM command, LPARAM lParam) {
    switch (command & 0xFFF0) {
    case SC_MOVE:
    case SC_SIZE: TrackMoveSize(hwnd, command, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return true;
    case SC_HSCROLL:
    case SC_VSCROLL:
        TrackScrollBar(hwnd, static_cast<int>(command & 0x000F), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return true;
    case SC_MOUSEMENU: TrackSystemMenu(hwnd, SystemMenuPoint(hwnd), false); return true;
    case SC_KEYMENU:
        // Alt+Space opens the system menu from the keyboard; other characters would be a menu bar's mnemonics,
        // and these windows have no menu bar.
        if (lParam == ' ' && (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_SYSMENU))
            TrackSystemMenu(hwnd, SystemMenuPoint(hwnd), true);
        return true;
    default: return false;
    }
}

}  // namespace win32::user
