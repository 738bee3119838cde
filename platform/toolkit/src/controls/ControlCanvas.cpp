// TControlCanvas: DCs on a control's window, released explicitly or when the window is destroyed.
#include <toolkit/ControlCanvas.h>
#include <toolkit/WinControl.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<TControlCanvas*>& CanvasesHoldingDCs() {
    static std::vector<TControlCanvas*> canvases;
    return canvases;
}

}  // namespace

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* control) {
    if (FControl == control) return;
    FreeHandle();
    FControl = control;
}

void TControlCanvas::CreateHandle() {
    if (!FControl) return;
    auto* windowed = dynamic_cast<TWinControl*>(FControl);
    TWinControl* holder = windowed ? windowed : FControl->Parent();
    if (!holder) throw EInvalidOperation("Control '" + FControl->Name() + "' has no parent window");
    FWindowHandle = holder->Handle();
    FDeviceContext = GetDC(FWindowHandle);
    if (!FDeviceContext) throw EInvalidGraphicOperation("Canvas does not allow drawing");
    if (!windowed) {
        SetViewportOrgEx(FDeviceContext, FControl->Left(), FControl->Top(), nullptr);
        IntersectClipRect(FDeviceContext, 0, 0, FControl->Width(), FControl->Height());
    }
    CanvasesHoldingDCs().push_back(this);
    SetHandle(FDeviceContext);
}

void TControlCanvas::FreeHandle() {
    if (!FDeviceContext) return;
    auto& canvases = CanvasesHoldingDCs();
    canvases.erase(std::remove(canvases.begin(), canvases.end(), this), canvases.end());
    HDC dc = FDeviceContext;
    FDeviceContext = nullptr;
    if (HandleAllocated()) SetHandle(nullptr);
    ReleaseDC(FWindowHandle, dc);
    FWindowHandle = nullptr;
}

void TControlCanvas::FreeDeviceContexts(HWND window) {
    std::vector<TControlCanvas*> canvases = CanvasesHoldingDCs();
    for (TControlCanvas* canvas : canvases)
        if (canvas->FWindowHandle == window) canvas->FreeHandle();
}

void TControlCanvas::PaintOn(HDC dc, const std::function<void()>& paint) {
    Lock();
    FreeHandle();
    SetHandle(dc);
    try {
        paint();
    } catch (...) {
        SetHandle(nullptr);
        Unlock();
        throw;
    }
    SetHandle(nullptr);
    Unlock();
}
