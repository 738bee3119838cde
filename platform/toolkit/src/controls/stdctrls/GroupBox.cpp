// TCustomGroupBox: the etched frame, the caption over its top line, the client area below the caption, and the
// accelerator that focuses the first child.
#include <toolkit/Form.h>
#include <toolkit/GroupBox.h>
#include <toolkit/PropertyRegistry.h>

#include "ControlText.h"

namespace {

[[maybe_unused]] const auto publishedCustomGroupBox = Publish<TCustomGroupBox>();
[[maybe_unused]] const auto publishedGroupBox = Publish<TGroupBox>();

// Where the caption starts, from the left edge.
constexpr int kCaptionIndent = 8;

}  // namespace

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                  csDoubleClicks, csReplicatable});
    SetBounds(0, 0, 185, 105);
}

int TCustomGroupBox::CaptionHeight() { return Font()->MeasureText("0", RECT{0, 0, 0, 0}, DT_SINGLELINE).bottom; }

void TCustomGroupBox::AdjustClientRect(RECT& rect) {
    inherited::AdjustClientRect(rect);
    rect.top += CaptionHeight();
    // The etched line is two pixels wide on every side.
    InflateRect(&rect, -2, -2);
}

void TCustomGroupBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<WORD>(message.WParam), Caption()) && CanFocus()) {
            SelectFirst();
            message.Result = 1;
            return;
        }
        break;
    case CM_TEXTCHANGED:
        inherited::WndProc(message);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        inherited::WndProc(message);
        Realign();
        Invalidate();
        return;
    default: break;
    }
    inherited::WndProc(message);
}

void TCustomGroupBox::Paint() {
    TCanvas* canvas = Canvas();
    RECT client = ClientRect();
    HDC dc = BeginCaptionPaint(*canvas, client, Color(), *Font());
    int height = CaptionHeight();
    RECT frame{0, height / 2 - 1, client.right, client.bottom};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    std::string caption = Caption();
    if (caption.empty()) return;
    UINT flags = DT_LEFT | DT_SINGLELINE;
    RECT text = Font()->MeasureText(caption, RECT{kCaptionIndent, 0, client.right - kCaptionIndent, height}, flags);
    if (text.right > client.right - kCaptionIndent) text.right = client.right - kCaptionIndent;
    // The caption interrupts the frame's top line.
    canvas->FillRect(text);
    DrawControlText(dc, caption, text, flags, Enabled(), Font()->Color());
}
