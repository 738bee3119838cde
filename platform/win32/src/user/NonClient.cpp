// Default frame geometry and hit testing. The outer frame is what AdjustWindowRectEx adds for the styles (so
// windows made from a client size get that client size back); scroll bars are inside it.
#include "user/NonClient.h"

#include "user/ClassicFrame.h"
#include "user/ScrollBar.h"

namespace win32::user {
namespace {

RECT FrameInsets(const Window& window) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, window.Style, FALSE, window.ExStyle & ~WS_EX_CLIENTEDGE);
    return RECT{-frame.left, -frame.top, frame.right, frame.bottom};
}

bool HasCaption(const Window& window) { return (window.Style & WS_CAPTION) == WS_CAPTION; }

void Deflate(RECT& rect, const RECT& insets) {
    rect.left += insets.left;
    rect.top += insets.top;
    rect.right -= insets.right;
    rect.bottom -= insets.bottom;
}

}  // namespace

RECT DefaultClientRect(const Window& window, const RECT& windowRect) {
    RECT client = windowRect;
    if (window.Style & WS_MINIMIZE) {
        client.right = client.left;
        client.bottom = client.top;
        return client;
    }
    Deflate(client, FrameInsets(window));
    if (window.ExStyle & WS_EX_CLIENTEDGE)
        InflateRect(&client, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    RemoveScrollBars(window, client);
    // Never inside out, however small the window.
    if (client.right < client.left) client.right = client.left;
    if (client.bottom < client.top) client.bottom = client.top;
    return client;
}

int DefaultHitTest(const Window& window, POINT pt) {
    RECT rect = window.ScreenWindowRect();
    if (!PtInRect(&rect, pt)) return HTNOWHERE;
    if (window.Style & WS_MINIMIZE) return HTCAPTION;
    RECT client = window.ScreenClientRect();
    if (PtInRect(&client, pt)) return HTCLIENT;

    // The outer frame: sizing borders (with corners as long as a caption button) or a plain border.
    DWORD style = window.Style;
    RECT insets = FrameInsets(window);
    if (HasCaption(window))
        insets.top -= GetSystemMetrics((window.ExStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    RECT inner = rect;
    Deflate(inner, insets);
    if (!PtInRect(&inner, pt)) {
        if ((style & WS_THICKFRAME) && !(window.ExStyle & WS_EX_DLGMODALFRAME)) {
            int cornerX = GetSystemMetrics(SM_CXSIZE) + GetSystemMetrics(SM_CXFRAME);
            int cornerY = GetSystemMetrics(SM_CYSIZE) + GetSystemMetrics(SM_CYFRAME);
            bool left = pt.x < rect.left + cornerX, right = pt.x >= rect.right - cornerX;
            bool top = pt.y < rect.top + cornerY, bottom = pt.y >= rect.bottom - cornerY;
            if (pt.y < inner.top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
            if (pt.y >= inner.bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
            if (pt.x < inner.left) return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
            return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
        }
        return HTBORDER;
    }

    // The caption, its icon and its buttons.
    if (HasCaption(window)) {
        RECT windowRect = window.ScreenWindowRect();
        int captionHit = CaptionHitTest(window, POINT{pt.x - windowRect.left, pt.y - windowRect.top});
        if (captionHit != HTNOWHERE) return captionHit;
    }

    // Inside the frame, outside the client area: the scroll bars or the client edge.
    if (style & (WS_HSCROLL | WS_VSCROLL)) {
        int barHit = ScrollBarHitTest(window.Handle, pt);
        if (barHit != HTNOWHERE) return barHit;
        // The corner between two bars of a fixed window is nowhere.
        if ((style & WS_HSCROLL) && (style & WS_VSCROLL) && PtInRect(&rect, pt)) {
            RECT vertical, horizontal;
            if (ScrollBarRect(window, SB_VERT, vertical) && ScrollBarRect(window, SB_HORZ, horizontal)) {
                POINT inWindow{pt.x - rect.left, pt.y - rect.top};
                if (inWindow.x >= vertical.left && inWindow.x < vertical.right && inWindow.y >= horizontal.top &&
                    inWindow.y < horizontal.bottom)
                    return HTNOWHERE;
            }
        }
    }
    return HTBORDER;
}

}  // namespace win32::user
