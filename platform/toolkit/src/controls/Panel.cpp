// TCustomPanel: bevels drawn with DrawEdge, the caption on the face, the client area shrunk by the frame.
#include <toolkit/Panel.h>
#include <toolkit/PropertyRegistry.h>

#include <algorithm>

namespace {

[[maybe_unused]] const auto publishedCustomPanel =
    Publish<TCustomPanel>()
        .Enumeration("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TCustomPanel::Alignment,
                     &TCustomPanel::SetAlignment, taCenter)
        .Enumeration("BevelInner", {"bvNone", "bvLowered", "bvRaised"}, &TCustomPanel::BevelInner,
                     &TCustomPanel::SetBevelInner, bvNone)
        .Enumeration("BevelOuter", {"bvNone", "bvLowered", "bvRaised"}, &TCustomPanel::BevelOuter,
                     &TCustomPanel::SetBevelOuter, bvRaised)
        .Integer("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1)
        .Integer("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth, 0)
        .Enumeration("BorderStyle", {"bsNone", "bsSingle"}, &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle,
                     bsNone);

[[maybe_unused]] const auto publishedPanel = Publish<TPanel>();

int BevelDepth(TBevelCut cut, int width) { return cut == bvNone ? 0 : width; }

// One bevel, width lines deep; rect shrinks past it.
void DrawBevel(HDC dc, RECT& rect, TBevelCut cut, int width) {
    if (cut == bvNone) return;
    // The single-line edges: raised is highlight over shadow, lowered the reverse.
    UINT edge = cut == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER;
    for (int i = 0; i < width; ++i) DrawEdge(dc, &rect, edge, BF_RECT | BF_ADJUST);
}

}  // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                  csDoubleClicks, csReplicatable});
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetAlignment(TAlignment value) {
    if (value == FAlignment) return;
    FAlignment = value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    if (value == FBevelInner) return;
    FBevelInner = value;
    FrameChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    if (value == FBevelOuter) return;
    FBevelOuter = value;
    FrameChanged();
}

void TCustomPanel::SetBevelWidth(int value) {
    value = std::max(value, 1);
    if (value == FBevelWidth) return;
    FBevelWidth = value;
    FrameChanged();
}

void TCustomPanel::SetBorderWidth(int value) {
    value = std::max(value, 0);
    if (value == FBorderWidth) return;
    FBorderWidth = value;
    FrameChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
    if (value != bsNone) value = bsSingle;
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomPanel::FrameChanged() {
    Realign();
    Invalidate();
}

void TCustomPanel::CreateParams(TCreateParams& params) {
    inherited::CreateParams(params);
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomPanel::AdjustClientRect(RECT& rect) {
    inherited::AdjustClientRect(rect);
    int inset = BevelDepth(FBevelOuter, FBevelWidth) + FBorderWidth + BevelDepth(FBevelInner, FBevelWidth);
    InflateRect(&rect, -inset, -inset);
}

void TCustomPanel::WndProc(TMessage& message) {
    // The caption is painted on the face, so a new one needs a repaint.
    inherited::WndProc(message);
    if (message.Msg == CM_TEXTCHANGED) Invalidate();
}

void TCustomPanel::Paint() {
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    RECT rect = ClientRect();
    DrawBevel(dc, rect, FBevelOuter, FBevelWidth);
    // The border between the bevels is face; filling the whole inside at once covers it.
    canvas->Brush().SetColor(Color());
    canvas->FillRect(rect);
    InflateRect(&rect, -FBorderWidth, -FBorderWidth);
    DrawBevel(dc, rect, FBevelInner, FBevelWidth);

    std::string caption = Caption();
    if (caption.empty()) return;
    canvas->SetFont(*Font());
    static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    SetBkMode(canvas->Handle(), TRANSPARENT);
    DrawTextA(canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &rect,
              DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | alignments[FAlignment]);
}
