// DefWindowProc's frame in the visual style: the Window class's caption, frame and caption-button parts drawn over
// the classic frame's layout, so the caption height and border widths that hit testing and WM_NCCALCSIZE use are
// the ones drawn.
#include "user/ClassicFrame.h"

#include "geometry/Rects.h"
#include "theme/SystemStyle.h"

#include <win32/vssym32.h>

namespace win32::user {
namespace {

struct FrameParts {
    int Caption, Left, Right, Bottom, Close;
};

FrameParts PartsFor(const Window& window) {
    bool maximized = (window.Style & WS_MAXIMIZE) != 0;
    if (window.ExStyle & WS_EX_TOOLWINDOW)
        return {maximized ? WP_SMALLMAXCAPTION : WP_SMALLCAPTION, WP_SMALLFRAMELEFT, WP_SMALLFRAMERIGHT,
                WP_SMALLFRAMEBOTTOM, WP_SMALLCLOSEBUTTON};
    return {maximized ? WP_MAXCAPTION : WP_CAPTION, WP_FRAMELEFT, WP_FRAMERIGHT, WP_FRAMEBOTTOM, WP_CLOSEBUTTON};
}

// Caption buttons have four looks, and the same four again on an inactive window.
int ButtonState(bool pushed, bool hot, bool disabled, bool active) {
    int look = disabled ? CBS_DISABLED : pushed ? CBS_PUSHED : hot ? CBS_HOT : CBS_NORMAL;
    return active ? look : look + CBS_DISABLED;
}

}  // namespace

bool PaintStyledFrame(HDC dc, HWND hwnd, const Window& window, const FrameLayout& layout, bool active) {
    if ((window.Style & WS_CAPTION) != WS_CAPTION) return false;
    const theme::ClassStyle* style = theme::SystemStyle(hwnd, u"Window", true);
    if (!style) return false;
    FrameParts parts = PartsFor(window);
    const RECT& bounds = layout.Bounds;
    const RECT& inner = layout.Inner;
    // The caption part takes the top border and the caption's bottom line as well.
    RECT caption{bounds.left, bounds.top, bounds.right, layout.Caption.bottom + 1};
    // No window region cuts the caption's rounded corners away: what shows beside them is the face colour.
    FillRect(dc, &caption, GetSysColorBrush(COLOR_3DFACE));
    theme::DrawSystemPart(dc, *style, parts.Caption, active ? CS_ACTIVE : CS_INACTIVE, caption);
    int frameState = active ? FS_ACTIVE : FS_INACTIVE;
    theme::DrawSystemPart(dc, *style, parts.Left, frameState,
                          RECT{bounds.left, caption.bottom, inner.left, inner.bottom});
    theme::DrawSystemPart(dc, *style, parts.Right, frameState,
                          RECT{inner.right, caption.bottom, bounds.right, inner.bottom});
    theme::DrawSystemPart(dc, *style, parts.Bottom, frameState,
                          RECT{bounds.left, inner.bottom, bounds.right, bounds.bottom});

    PaintCaptionTitle(dc, hwnd, window, layout, style->Colors(parts.Caption, active ? CS_ACTIVE : CS_INACTIVE).text);

    int pushed = PushedCaptionButton(hwnd), hot = HotCaptionButton(hwnd);
    bool zoomed = (window.Style & WS_MAXIMIZE) != 0, iconic = (window.Style & WS_MINIMIZE) != 0;
    struct Button {
        const RECT& Rect;
        int Part, Hit;
        bool Disabled;
    } buttons[] = {
        {layout.Close, parts.Close, HTCLOSE, CloseDisabled(window)},
        {layout.Max, zoomed ? WP_RESTOREBUTTON : WP_MAXBUTTON, HTMAXBUTTON, !(window.Style & WS_MAXIMIZEBOX)},
        {layout.Min, iconic ? WP_RESTOREBUTTON : WP_MINBUTTON, HTMINBUTTON, !(window.Style & WS_MINIMIZEBOX)},
        {layout.Help, WP_HELPBUTTON, HTHELP, false},
    };
    for (const Button& button : buttons) {
        if (EmptyRect(button.Rect)) continue;
        theme::DrawSystemPart(dc, *style, button.Part,
                              ButtonState(pushed == button.Hit, hot == button.Hit, button.Disabled, active),
                              button.Rect);
    }
    return true;
}

}  // namespace win32::user
