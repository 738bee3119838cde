// TCustomControl: the window's paint goes to Paint through the canvas.
#include <toolkit/CustomControl.h>
#include <toolkit/PropertyRegistry.h>

namespace {

[[maybe_unused]] const auto published = Publish<TCustomControl>();

}  // namespace

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>()) {
    FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() { FCanvas->FreeHandle(); }

void TCustomControl::Dispatch(TMessage& message) {
    if (message.Msg != WM_PAINT) {
        inherited::Dispatch(message);
        return;
    }
    // Paint even without window-less children, and into WM_PAINT's DC when it brings one.
    SetControlState(ControlState() + TControlState{csCustomPaint});
    try {
        inherited::Dispatch(message);
    } catch (...) {
        SetControlState(ControlState() - TControlState{csCustomPaint});
        throw;
    }
    SetControlState(ControlState() - TControlState{csCustomPaint});
}

void TCustomControl::PaintWindow(HDC dc) {
    FCanvas->PaintOn(dc, [this] { Paint(); });
}
