// TGraphicControl: Paint runs with the canvas on the DC the parent hands over in WM_PAINT.
#include <toolkit/GraphicControl.h>
#include <toolkit/PropertyRegistry.h>

namespace {

[[maybe_unused]] const auto published = Publish<TGraphicControl>();

}  // namespace

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), FCanvas(std::make_unique<TControlCanvas>()) {
    FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() {
    if (CaptureControl() == this) SetCaptureControl(nullptr);
    // Leave the parent while the control is still whole: removal invalidates its rectangle.
    SetParent(nullptr);
}

void TGraphicControl::Dispatch(TMessage& message) {
    if (message.Msg != WM_PAINT) {
        inherited::Dispatch(message);
        return;
    }
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    if (!dc || ComponentState().Contains(csDestroying)) return;
    FCanvas->PaintOn(dc, [this] { Paint(); });
}
