// DrawParentBackground: the parent's picture under a control, from the painter registered for the parent's class
// or, without one, from the parent's own painting, with the recursion through the parent's children cut off by
// csPaintCopy.
#include <skin/ParentBackground.h>

#include <skin/ParentPainters.h>
#include <toolkit/Canvas.h>
#include <toolkit/CustomControl.h>

namespace {

// The parent paints itself into dc: a custom control through its canvas and Paint, anything else through
// WM_ERASEBKGND and WM_PAINT with the DC.
void LetParentPaint(TWinControl* parent, HDC dc) {
    if (auto* custom = dynamic_cast<TCustomControl*>(parent)) {
        TCanvas& canvas = *custom->Canvas();
        HDC previous = canvas.HandleAllocated() ? canvas.Handle() : nullptr;
        canvas.SetHandle(dc);
        try {
            custom->Paint();
        } catch (...) {
            canvas.SetHandle(previous);
            throw;
        }
        canvas.SetHandle(previous);
        return;
    }
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

// Puts back the control's state, the DC's origin and the DC's saved state, also when a painter fails.
class TBackgroundScope {
public:
    TBackgroundScope(TControl* control, HDC dc, POINT offset)
        : FControl(control), FState(control->ControlState()), FDC(dc), FSaved(SaveDC(dc)) {
        GetWindowOrgEx(dc, &FOrigin);
        SetWindowOrgEx(dc, FOrigin.x + offset.x, FOrigin.y + offset.y, nullptr);
        control->SetControlState(FState + TControlState{csPaintCopy});
    }
    ~TBackgroundScope() {
        FControl->SetControlState(FState);
        SetWindowOrgEx(FDC, FOrigin.x, FOrigin.y, nullptr);
        RestoreDC(FDC, FSaved);
    }
    TBackgroundScope(const TBackgroundScope&) = delete;
    TBackgroundScope& operator=(const TBackgroundScope&) = delete;

private:
    TControl* FControl;
    TControlState FState;
    HDC FDC;
    int FSaved;
    POINT FOrigin{0, 0};
};

}  // namespace

void DrawParentBackground(TControl* control, HDC dc) {
    if (!control || !control->Parent() || control->Width() <= 0 || control->Height() <= 0) return;
    if (control->ControlState().Contains(csPaintCopy)) return;
    TWinControl* parent = control->Parent();
    // Left and Top are already in the parent's client coordinates.
    const POINT offset{control->Left(), control->Top()};
    const int width = control->Width();
    const int height = control->Height();
    TBackgroundScope scope(control, dc, offset);

    if (TskParentPainter painter = FindParentPainter(parent)) {
        const RECT bounds = control->BoundsRect();
        TCanvas canvas;
        canvas.SetHandle(dc);
        try {
            painter(canvas, TskParentPaintInfo{bounds, bounds, control, parent});
        } catch (...) {
            canvas.SetHandle(nullptr);
            throw;
        }
        canvas.SetHandle(nullptr);
        return;
    }
    if (dynamic_cast<TWinControl*>(control)) {
        LetParentPaint(parent, dc);
        return;
    }
    // A window-less control shares its parent's surface: the parent paints into a bitmap of the control's size
    // first, so its own drawing of this area never lands in the DC.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SetWindowOrgEx(memory, offset.x, offset.y, nullptr);
    try {
        LetParentPaint(parent, memory);
    } catch (...) {
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(bitmap);
        throw;
    }
    SetWindowOrgEx(memory, 0, 0, nullptr);
    BitBlt(dc, offset.x, offset.y, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

void PaintSkControlBackground(TCanvas& canvas, const TskParentPaintInfo& info) {
    if (info.Parent) info.Parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Handle()), 1);
}
