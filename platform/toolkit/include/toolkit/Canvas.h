// TCanvas: drawing through a device context with a font, pen and brush that are selected into it lazily.
#pragma once

#include <toolkit/Brush.h>
#include <toolkit/Font.h>
#include <toolkit/Graphics.h>
#include <toolkit/Pen.h>
#include <toolkit/Persistent.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class TGraphic;

class TCanvas : public TPersistent {
    TOOLKIT_CLASS(TCanvas, TPersistent)

public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The DC with font, pen and brush selected. A canvas without a DC asks CreateHandle for one and raises
    // EInvalidGraphicOperation when there is none.
    HDC Handle();
    // Points the canvas at another DC (or none): the old DC gets the stock objects back and the pen position
    // moves over; the new DC receives font, pen and brush only when a drawing call needs them.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Deselects font, pen and brush so the next drawing call selects them again.
    void Refresh();

    TFont& Font() { return *FFont; }
    void SetFont(const TFont& font) { FFont->Assign(font); }
    TPen& Pen() { return *FPen; }
    void SetPen(const TPen& pen) { FPen->Assign(pen); }
    TBrush& Brush() { return *FBrush; }
    void SetBrush(const TBrush& brush) { FBrush->Assign(brush); }
    // The raster operation of Draw, StretchDraw and CopyRect; cmSrcCopy unless set.
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode mode) { FCopyMode = mode; }

    // Serialises painting from several threads; nests.
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return FLockCount; }

    POINT PenPos();
    void SetPenPos(POINT pos);
    void MoveTo(int x, int y);
    // Leaves out the end point, as LineTo does.
    void LineTo(int x, int y);
    void Polyline(const std::vector<POINT>& points);
    void Polygon(const std::vector<POINT>& points);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const RECT& rect) { Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
    // Fills and frames with the brush, without the pen.
    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    // XOR, so a second call takes it away.
    void DrawFocusRect(const RECT& rect);

    // Draws with the font over the brush colour (nothing behind the text with bsClear) and moves PenPos to the
    // end of the text on the same line.
    void TextOut(int x, int y, const std::string& text);
    // Like TextOut, clipped to rect; a brush that is not clear fills rect first.
    void TextRect(const RECT& rect, int x, int y, const std::string& text);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    // The graphic at its own size, or stretched to rect; an empty graphic draws nothing.
    void Draw(int x, int y, TGraphic& graphic);
    void StretchDraw(const RECT& rect, TGraphic& graphic);
    // source of canvas stretched onto dest, with CopyMode.
    void CopyRect(const RECT& dest, TCanvas& canvas, const RECT& source);

    // GetPixel's colour; CLR_INVALID outside the clip area.
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);
    RECT ClipRect();

    // Around each drawing call: OnChanging before, OnChange after.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    enum : unsigned { csHandleValid = 1, csFontValid = 2, csPenValid = 4, csBrushValid = 8, csAllValid = 15 };

    // Called when a drawing call needs a DC and there is none; a subclass that owns one sets it here.
    virtual void CreateHandle() {}
    void RequiredState(unsigned state);
    virtual void Changing();
    virtual void Changed();

private:
    void DeselectHandles();
    void SelectFont();
    void SelectPen();
    void SelectBrush();

    HDC FHandle = nullptr;
    unsigned FState = 0;
    POINT FPenPos{0, 0};
    TCopyMode FCopyMode = cmSrcCopy;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    std::recursive_mutex FLock;
    int FLockCount = 0;
};
