// TskBitmap conversions with the toolkit's pictures: another TskBitmap, TBitmap (32-bit DIB rows copied with
// their alpha, any other kind blitted opaque), TPicture and any other TGraphic rendered over magenta.
#include <skin/PixelOps.h>
#include <skin/SkinBitmap.h>
#include <toolkit/Bitmap.h>
#include <toolkit/Picture.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

}  // namespace

void TskBitmap::Assign(const TPersistent* source) {
    if (auto bitmap = dynamic_cast<const TskBitmap*>(source)) {
        if (bitmap == this) return;
        SetSize(bitmap->Empty() ? 0 : bitmap->Width(), bitmap->Empty() ? 0 : bitmap->Height());
        if (Empty()) return;
        if (!bitmap->Empty() && FWidth == bitmap->FWidth && FHeight == bitmap->FHeight)
            std::memcpy(FBits, bitmap->FBits, static_cast<size_t>(FWidth) * FHeight * sizeof(TskColor));
        FName = bitmap->FName;
        FTransparent = bitmap->FTransparent;
        FAlphaBlend = bitmap->FAlphaBlend;
        return;
    }
    const TGraphic* graphic = nullptr;
    const TBitmap* toolkitBitmap = nullptr;
    if (auto picture = dynamic_cast<const TPicture*>(source)) {
        graphic = picture->Graphic();
        // A picture's bitmap goes through the DC whatever its pixel format.
        if (auto held = dynamic_cast<const TBitmap*>(graphic)) {
            SetSize(held->Width(), held->Height());
            if (Empty() || held->Empty()) return;
            BitBlt(FDC, 0, 0, FWidth, FHeight, const_cast<TBitmap*>(held)->Canvas().Handle(), 0, 0, SRCCOPY);
            SetAlpha(255);
            return;
        }
    } else if ((toolkitBitmap = dynamic_cast<const TBitmap*>(source))) {
        auto* bitmap = const_cast<TBitmap*>(toolkitBitmap);
        SetSize(bitmap->Width(), bitmap->Height());
        if (Empty() || bitmap->Empty()) return;
        if (bitmap->PixelFormat() == pf32bit && bitmap->HandleType() == bmDIB) {
            for (int y = 0; y < FHeight; ++y)
                std::memcpy(ScanLine(y), bitmap->ScanLine(y), static_cast<size_t>(FWidth) * 4);
            CheckingAlphaBlend();
        } else {
            BitBlt(FDC, 0, 0, FWidth, FHeight, bitmap->Canvas().Handle(), 0, 0, SRCCOPY);
            SetAlpha(255);
        }
        return;
    } else {
        graphic = dynamic_cast<const TGraphic*>(source);
        if (!graphic) {
            inherited::Assign(source);
            return;
        }
    }
    if (!graphic) return;
    SetSize(graphic->Width(), graphic->Height());
    if (Empty()) return;
    // The graphic is drawn over magenta; whatever stays exactly magenta was not painted and keeps this
    // bitmap's pixel.
    TBitmap rendered;
    rendered.SetPixelFormat(pf32bit);
    rendered.SetSize(FWidth, FHeight);
    TCanvas& canvas = rendered.Canvas();
    canvas.Brush().SetColor(static_cast<TColor>(kMagenta));
    canvas.Pen().SetColor(static_cast<TColor>(kMagenta));
    canvas.Rectangle(-1, -1, FWidth + 1, FHeight + 1);
    canvas.StretchDraw(RECT{0, 0, FWidth, FHeight}, *const_cast<TGraphic*>(graphic));
    for (int y = 0; y < FHeight; ++y) {
        const auto* row = static_cast<const TskColor*>(rendered.ScanLine(y));
        TskColor* out = ScanLine(y);
        for (int x = 0; x < FWidth; ++x)
            if ((row[x] & 0x00FFFFFF) != 0x00FF00FF) out[x] = row[x];
    }
    SetAlpha(255);
}

void TskBitmap::AssignTo(TPersistent* dest) const {
    TBitmap* target = dynamic_cast<TBitmap*>(dest);
    if (auto picture = dynamic_cast<TPicture*>(dest)) target = &picture->Bitmap();
    if (!target) {
        inherited::AssignTo(dest);
        return;
    }
    target->SetPixelFormat(pf32bit);
    const int width = Empty() ? 0 : FWidth, height = Empty() ? 0 : FHeight;
    target->SetSize(width, height);
    if (width > 0 && height > 0) Draw(target->Canvas().Handle(), 0, 0);
}
