// TScrollBox: its border as a window style, and its published properties.
#include <toolkit/PropertyRegistry.h>
#include <toolkit/ScrollBox.h>

namespace {

[[maybe_unused]] const auto published = Publish<TScrollBox>().Enumeration(
    "BorderStyle", {"bsNone", "bsSingle"}, &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle, bsSingle);

}  // namespace

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 185, 41);
}

void TScrollBox::SetBorderStyle(TBorderStyle value) {
    if (value != bsNone) value = bsSingle;
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    if (HandleAllocated()) RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& params) {
    inherited::CreateParams(params);
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}
