// TCanvas: lazy selection of font, pen and brush into the current DC, and the drawing calls over GDI.
#include <toolkit/Canvas.h>

#include <toolkit/Graphic.h>

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
    // A changed object is only deselected; the next call that needs it selects the new handle.
    FFont->OnChange = [this](TObject*) {
        if (FState & csFontValid) {
            FState &= ~csFontValid;
            SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
        }
    };
    FPen->OnChange = [this](TObject*) {
        if (FState & csPenValid) {
            FState &= ~csPenValid;
            SelectObject(FHandle, GetStockObject(BLACK_PEN));
        }
    };
    FBrush->OnChange = [this](TObject*) {
        if (FState & csBrushValid) {
            FState &= ~csBrushValid;
            SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
        }
    };
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
    FFont->OnChange = nullptr;
    FPen->OnChange = nullptr;
    FBrush->OnChange = nullptr;
}

HDC TCanvas::Handle() {
    Changing();
    RequiredState(csAllValid);
    return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == FHandle) return;
    if (FHandle) {
        DeselectHandles();
        POINT pos;
        if (GetCurrentPositionEx(FHandle, &pos)) FPenPos = pos;
        FHandle = nullptr;
        FState &= ~csHandleValid;
    }
    if (dc) {
        FHandle = dc;
        FState |= csHandleValid;
        MoveToEx(FHandle, FPenPos.x, FPenPos.y, nullptr);
    }
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::DeselectHandles() {
    if (!FHandle || !(FState & (csPenValid | csBrushValid | csFontValid))) return;
    SelectObject(FHandle, GetStockObject(BLACK_PEN));
    SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
    SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
    FState &= ~(csPenValid | csBrushValid | csFontValid);
}

void TCanvas::RequiredState(unsigned state) {
    unsigned needed = state & ~FState;
    if (!needed) return;
    if (needed & csHandleValid) {
        CreateHandle();
        if (!FHandle) throw EInvalidGraphicOperation("Canvas does not allow drawing");
    }
    if (needed & csFontValid) SelectFont();
    if (needed & csPenValid) SelectPen();
    if (needed & csBrushValid) SelectBrush();
}

void TCanvas::SelectFont() {
    SelectObject(FHandle, FFont->Handle());
    SetTextColor(FHandle, ColorToRGB(FFont->Color()));
    FState |= csFontValid;
}

void TCanvas::SelectPen() {
    SelectObject(FHandle, FPen->Handle());
    SetROP2(FHandle, TPen::Rop2(FPen->Mode()));
    FState |= csPenValid;
}

void TCanvas::SelectBrush() {
    SelectObject(FHandle, FBrush->Handle());
    // Hatches are drawn over what is there; only a solid brush paints behind text and hatch gaps.
    if (FBrush->Style() == bsSolid) {
        SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
        SetBkMode(FHandle, OPAQUE);
    } else {
        SetBkColor(FHandle, ~ColorToRGB(FBrush->Color()) & 0x00FFFFFF);
        SetBkMode(FHandle, TRANSPARENT);
    }
    FState |= csBrushValid;
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

void TCanvas::Lock() {
    FLock.lock();
    ++FLockCount;
}

void TCanvas::Unlock() {
    --FLockCount;
    FLock.unlock();
}

bool TCanvas::TryLock() {
    if (!FLock.try_lock()) return false;
    ++FLockCount;
    return true;
}

POINT TCanvas::PenPos() {
    if (!FHandle) return FPenPos;
    POINT pos{0, 0};
    GetCurrentPositionEx(FHandle, &pos);
    return pos;
}

void TCanvas::SetPenPos(POINT pos) { MoveTo(pos.x, pos.y); }

void TCanvas::MoveTo(int x, int y) {
    RequiredState(csHandleValid);
    MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::LineTo(FHandle, x, y);
    Changed();
}

void TCanvas::Polyline(const std::vector<POINT>& points) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Polyline(FHandle, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Polygon(const std::vector<POINT>& points) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Polygon(FHandle, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Rectangle(FHandle, left, top, right, bottom);
    Changed();
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::RoundRect(FHandle, left, top, right, bottom, cornerWidth, cornerHeight);
    Changed();
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Ellipse(FHandle, left, top, right, bottom);
    Changed();
}

void TCanvas::FillRect(const RECT& rect) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ::FillRect(FHandle, &rect, FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const RECT& rect) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ::FrameRect(FHandle, &rect, FBrush->Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const RECT& rect) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ::DrawFocusRect(FHandle, &rect);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    ExtTextOutA(FHandle, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
    MoveTo(x + TextWidth(text), y);
    Changed();
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    UINT options = ETO_CLIPPED;
    if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
    ExtTextOutA(FHandle, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
    Changed();
}

SIZE TCanvas::TextExtent(const std::string& text) { return FFont->TextExtent(text); }

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
    if (graphic.Empty()) return;
    StretchDraw(RECT{x, y, x + graphic.Width(), y + graphic.Height()}, graphic);
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic& graphic) {
    if (graphic.Empty()) return;
    Changing();
    RequiredState(csHandleValid);
    // Monochrome pictures take these two colours.
    SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
    SetTextColor(FHandle, ColorToRGB(FFont->Color()));
    graphic.Draw(*this, rect);
    Changed();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& canvas, const RECT& source) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    canvas.RequiredState(csHandleValid | csBrushValid);
    StretchBlt(FHandle, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, canvas.FHandle,
               source.left, source.top, source.right - source.left, source.bottom - source.top,
               static_cast<DWORD>(FCopyMode));
    Changed();
}

TColor TCanvas::Pixels(int x, int y) {
    RequiredState(csHandleValid);
    return static_cast<TColor>(GetPixel(FHandle, x, y));
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    Changing();
    RequiredState(csHandleValid | csPenValid);
    SetPixel(FHandle, x, y, ColorToRGB(color));
    Changed();
}

RECT TCanvas::ClipRect() {
    RequiredState(csHandleValid);
    RECT rect{0, 0, 0, 0};
    GetClipBox(FHandle, &rect);
    return rect;
}
