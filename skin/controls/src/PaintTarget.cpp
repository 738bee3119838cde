// The three paint targets: the window itself, the shared buffer (sized once, never shrunk) and a private buffer
// (a 32-bit bitmap, or one of the screen's own format below 24 bits per pixel).
#include "PaintTarget.h"

#include <skin/Common.h>
#include <skin/ControlsUnit.h>
#include <skin/SkinBitmap.h>
#include <toolkit/Canvas.h>

const std::initializer_list<const char*> PerformanceNames = {"vnpNoBuffer", "vnpSharedBuffer", "vnpDoubleBuffer"};

namespace {

// Set while a paint draws into the shared buffer, which holds one picture at a time.
bool GSharedBufferBusy = false;

}  // namespace

TskPaintTarget::TskPaintTarget(TCanvas& canvas, TSkPerformance performance, int width, int height, bool keyFill)
    : FCanvas(canvas), FWindowDC(canvas.Handle()), FWidth(width), FHeight(height) {
    TskBitmap* shared = SharedPaintBuffer();
    if (performance == vnpSharedBuffer && shared && !GSharedBufferBusy) {
        shared->SetTransparent(false);
        if (shared->Empty())
            shared->SetSize(GetSystemMetrics(SM_CXSCREEN) + SharedBufferMargin,
                            GetSystemMetrics(SM_CYSCREEN) + SharedBufferMargin);
        if (keyFill) shared->FillRect(RECT{0, 0, width, height}, TransparentKey);
        FShared = shared;
        GSharedBufferBusy = true;
        FCanvas.SetHandle(shared->DC());
    } else if (performance != vnpNoBuffer) {
        MakePrivateBuffer();
    }
}

void TskPaintTarget::MakePrivateBuffer() {
    const TPixelFormat format = ScreenPixelFormat();
    if (format == pf24bit || format == pf32bit) {
        FPrivate = std::make_unique<TskBitmap>();
        FPrivate->SetSize(FWidth, FHeight);
        FPrivate->SetTransparent(false);
        FCanvas.SetHandle(FPrivate->DC());
        return;
    }
    FDeviceDC = CreateCompatibleDC(FWindowDC);
    FDeviceBitmap = CreateCompatibleBitmap(FWindowDC, FWidth, FHeight);
    FDeviceOld = SelectObject(FDeviceDC, FDeviceBitmap);
    FCanvas.SetHandle(FDeviceDC);
}

TskPaintTarget::~TskPaintTarget() {
    if (FShared || FPrivate || FDeviceDC) FCanvas.SetHandle(FWindowDC);
    if (FShared) GSharedBufferBusy = false;
    if (FDeviceDC) {
        SelectObject(FDeviceDC, FDeviceOld);
        DeleteDC(FDeviceDC);
        DeleteObject(FDeviceBitmap);
    }
}

void TskPaintTarget::CopyOut() {
    if (FShared)
        FShared->DrawRect(FWindowDC, 0, 0, RECT{0, 0, FWidth, FHeight});
    else if (FPrivate)
        FPrivate->Draw(FWindowDC, 0, 0);
    else if (FDeviceDC)
        BitBlt(FWindowDC, 0, 0, FWidth, FHeight, FDeviceDC, 0, 0, SRCCOPY);
}
