// Every kind of button in the look of each paint. Classic: DrawFrameControl faces, the default button's black
// frame, the flat pressed default button, check and radio marks beside the caption, the etched group frame,
// embossed disabled text and the focus rectangle. In the visual style: the Button class's parts with the same
// placement of mark, caption and focus rectangle.
#include "user/Button.h"

#include "theme/SystemStyle.h"
#include "user/Window.h"

#include <win32/vssym32.h>

#include <algorithm>
#include <string>

namespace win32::user::button {
namespace {

// The classic 13-pixel check box and radio button, 4 pixels from their caption.
constexpr int MarkSize = 13;
constexpr int MarkGap = 4;
// A group box's caption starts 8 pixels in from its left edge.
constexpr int CaptionIndent = 8;

struct Look {
    DWORD Style;
    LONG_PTR State;
    bool Enabled;
    std::u16string Text;
    RECT Client;
};

// The caption with the flags given, in color, or embossed as Windows draws disabled text: the highlight one pixel
// down and right, the shadow on top.
void DrawLabel(HDC hdc, const std::u16string& text, RECT rect, UINT flags, bool enabled, COLORREF color) {
    auto length = static_cast<int>(text.size());
    if (enabled) {
        SetTextColor(hdc, color);
        DrawTextW(hdc, text.c_str(), length, &rect, flags);
        return;
    }
    RECT shifted = rect;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextW(hdc, text.c_str(), length, &shifted, flags);
    SetTextColor(hdc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextW(hdc, text.c_str(), length, &rect, flags);
}

// Single-line captions are centred by DrawText itself; a multi-line one is measured and placed in the middle.
UINT PlaceLabel(HDC hdc, const Look& look, RECT& rect, UINT horizontal) {
    if (!(look.Style & BS_MULTILINE)) return horizontal | DT_VCENTER | DT_SINGLELINE;
    UINT flags = horizontal | DT_WORDBREAK;
    RECT measured = rect;
    DrawTextW(hdc, look.Text.c_str(), static_cast<int>(look.Text.size()), &measured, flags | DT_CALCRECT);
    int height = measured.bottom - measured.top;
    rect.top += std::max(0, static_cast<int>(rect.bottom - rect.top) - height) / 2;
    return flags;
}

// The brush the parent paints check boxes, radio buttons and group boxes with; it sets the DC's text colour too.
HBRUSH ParentBrush(HWND hwnd, HDC hdc) {
    HWND parent = GetParent(hwnd);
    if (!parent) parent = hwnd;
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hwnd)));
    if (!brush)
        brush = reinterpret_cast<HBRUSH>(
            DefWindowProcW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hwnd)));
    return brush;
}

void PaintPushButton(HDC hdc, const Look& look) {
    RECT rect = look.Client;
    bool pushed = look.State & BST_PUSHED;
    bool isDefault = (look.Style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (isDefault) {
        FrameRect(hdc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&rect, -1, -1);
    }
    // Pressed, the default button is flat (a shadow line inside the black frame), any other one sunken.
    UINT face = DFCS_BUTTONPUSH | (pushed ? (isDefault ? DFCS_PUSHED | DFCS_FLAT : DFCS_PUSHED) : 0);
    RECT faceRect = rect;
    DrawFrameControl(hdc, &faceRect, DFC_BUTTON, face);

    RECT text = rect;
    InflateRect(&text, -2, -2);
    if (pushed) OffsetRect(&text, 1, 1);
    UINT flags = PlaceLabel(hdc, look, text, DT_CENTER);
    DrawLabel(hdc, look.Text, text, flags, look.Enabled, GetSysColor(COLOR_BTNTEXT));

    if (look.State & BST_FOCUS) {
        RECT focus = rect;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(hdc, &focus);
    }
}

void PaintStyledPushButton(HWND hwnd, HDC hdc, const Look& look, const theme::ClassStyle& style) {
    FillRect(hdc, &look.Client, ParentBrush(hwnd, hdc));
    int state = !look.Enabled                                    ? PBS_DISABLED
                : (look.State & BST_PUSHED)                      ? PBS_PRESSED
                : (look.Style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? PBS_DEFAULTED
                                                                 : PBS_NORMAL;
    theme::DrawSystemPart(hdc, style, BP_PUSHBUTTON, state, look.Client);
    theme::PartMetrics metrics;
    style.Metrics(BP_PUSHBUTTON, metrics);
    const MARGINS& margins = metrics.content;
    RECT content{look.Client.left + margins.cxLeftWidth, look.Client.top + margins.cyTopHeight,
                 look.Client.right - margins.cxRightWidth, look.Client.bottom - margins.cyBottomHeight};
    RECT text = content;
    UINT flags = PlaceLabel(hdc, look, text, DT_CENTER);
    SetTextColor(hdc, style.Colors(BP_PUSHBUTTON, state).text);
    DrawTextW(hdc, look.Text.c_str(), static_cast<int>(look.Text.size()), &text, flags);
    if (look.State & BST_FOCUS) DrawFocusRect(hdc, &content);
}

// The mark's state: runs of four (normal, hot, pressed, disabled), unchecked then checked.
int MarkState(const Look& look) {
    int checked = (look.State & BST_CHECKED) ? 1 : 0;
    int press = !look.Enabled ? 3 : (look.State & BST_PUSHED) ? 2 : 0;
    return 1 + checked * 4 + press;
}

void PaintCheckMark(HWND hwnd, HDC hdc, const Look& look, const theme::ClassStyle* style) {
    FillRect(hdc, &look.Client, ParentBrush(hwnd, hdc));
    COLORREF color = GetTextColor(hdc);
    const RECT& client = look.Client;
    bool textLeft = look.Style & BS_LEFTTEXT;
    RECT mark;
    mark.left = textLeft ? client.right - MarkSize : client.left;
    mark.top = client.top + (client.bottom - client.top - MarkSize) / 2;
    mark.right = mark.left + MarkSize;
    mark.bottom = mark.top + MarkSize;
    UINT kind = look.Style & BS_TYPEMASK;
    UINT state = (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (look.State & BST_CHECKED) state |= DFCS_CHECKED;
    if (look.State & BST_PUSHED) state |= DFCS_PUSHED;
    if (!look.Enabled) state |= DFCS_INACTIVE;
    RECT frame = mark;
    if (style)
        theme::DrawSystemPart(hdc, *style, state & DFCS_BUTTONRADIO ? BP_RADIOBUTTON : BP_CHECKBOX, MarkState(look),
                              frame);
    else
        DrawFrameControl(hdc, &frame, DFC_BUTTON, state);

    RECT text = textLeft ? RECT{client.left, client.top, mark.left - MarkGap, client.bottom}
                         : RECT{mark.right + MarkGap, client.top, client.right, client.bottom};
    RECT placed = text;
    UINT flags = PlaceLabel(hdc, look, placed, DT_LEFT);
    if (!look.Text.empty()) {
        // The style's disabled text is flat, in the colour its group boxes use.
        if (style && !look.Enabled)
            DrawLabel(hdc, look.Text, placed, flags, true, style->Colors(BP_GROUPBOX, GBS_DISABLED).text);
        else
            DrawLabel(hdc, look.Text, placed, flags, look.Enabled, color);
    }
    if (!(look.State & BST_FOCUS)) return;

    // The focus rectangle hugs the caption, or the mark when there is none.
    RECT focus;
    if (look.Text.empty()) {
        focus = mark;
        InflateRect(&focus, 1, 1);
    } else {
        RECT measured = placed;
        DrawTextW(hdc, look.Text.c_str(), static_cast<int>(look.Text.size()), &measured, flags | DT_CALCRECT);
        int height = measured.bottom - measured.top;
        int top = (look.Style & BS_MULTILINE) ? placed.top : client.top + (client.bottom - client.top - height) / 2;
        focus = RECT{text.left - 1, top - 1, std::min(measured.right, text.right) + 1, top + height + 1};
    }
    IntersectRect(&focus, &focus, &client);
    DrawFocusRect(hdc, &focus);
}

void PaintGroupBox(HWND hwnd, HDC hdc, const Look& look) {
    HBRUSH brush = ParentBrush(hwnd, hdc);
    COLORREF color = GetTextColor(hdc);
    TEXTMETRICW metrics{};
    GetTextMetricsW(hdc, &metrics);
    int height = metrics.tmHeight;
    // The frame's top line runs through the middle of the caption; inside, the parent shows through.
    RECT frame = look.Client;
    frame.top += height / 2 - 1;
    DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
    if (look.Text.empty()) return;
    UINT flags = DT_LEFT | DT_SINGLELINE;
    RECT text{look.Client.left + CaptionIndent, look.Client.top, look.Client.right - CaptionIndent,
              look.Client.top + height};
    DrawTextW(hdc, look.Text.c_str(), static_cast<int>(look.Text.size()), &text, flags | DT_CALCRECT);
    text.right = std::min(text.right, look.Client.right - CaptionIndent);
    FillRect(hdc, &text, brush);
    DrawLabel(hdc, look.Text, text, flags, look.Enabled, color);
}

}  // namespace

void Paint(HWND hwnd, HDC hdc) {
    Look look;
    look.Style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    look.State = GetWindowLongPtrW(hwnd, StateOffset);
    look.Enabled = IsWindowEnabled(hwnd) != FALSE;
    // The window's own text, as the class keeps it, whatever character set its subclass speaks.
    if (const Window* window = FromHandleQuiet(hwnd)) look.Text = window->Text;
    GetClientRect(hwnd, &look.Client);

    auto font = reinterpret_cast<HGDIOBJ>(GetWindowLongPtrW(hwnd, FontOffset));
    HGDIOBJ oldFont = SelectObject(hdc, font ? font : GetStockObject(SYSTEM_FONT));
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    COLORREF oldColor = GetTextColor(hdc);
    const theme::ClassStyle* style = theme::SystemStyle(hwnd, u"Button", false);
    switch (look.Style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        if (style)
            PaintStyledPushButton(hwnd, hdc, look, *style);
        else
            PaintPushButton(hdc, look);
        break;
    case BS_GROUPBOX: PaintGroupBox(hwnd, hdc, look); break;
    default: PaintCheckMark(hwnd, hdc, look, style); break;
    }
    SetTextColor(hdc, oldColor);
    SetBkMode(hdc, oldMode);
    SelectObject(hdc, oldFont);
}

}  // namespace win32::user::button
