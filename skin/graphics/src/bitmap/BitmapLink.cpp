// TskBitmapLink: copying, validity and the scan for pixels that are not opaque, cell by cell of a nine-cell
// layout.
#include <skin/BitmapLink.h>
#include <toolkit/PropertyRegistry.h>

namespace {

[[maybe_unused]] const auto publishedBitmapLink =
    Publish<TskBitmapLink>()
        .Integer("Left", &TskBitmapLink::Left, &TskBitmapLink::SetLeft)
        .Integer("Top", &TskBitmapLink::Top, &TskBitmapLink::SetTop)
        .Integer("Right", &TskBitmapLink::Right, &TskBitmapLink::SetRight)
        .Integer("Bottom", &TskBitmapLink::Bottom, &TskBitmapLink::SetBottom)
        .String("Name", &TskBitmapLink::Name, &TskBitmapLink::SetName);

// 0x33333333 counts as opaque whatever its alpha: it is the value pictures use for solid filler.
bool NonOpaque(TskColor pixel) { return pixel != 0x33333333 && (pixel >> 24) != 255; }

bool Inside(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}

}  // namespace

void TskBitmapLink::SetRect(const RECT& rect) {
    FLeft = rect.left;
    FTop = rect.top;
    FRight = rect.right;
    FBottom = rect.bottom;
}

void TskBitmapLink::Assign(const TPersistent* source) {
    auto link = dynamic_cast<const TskBitmapLink*>(source);
    if (!link) {
        inherited::Assign(source);
        return;
    }
    FBitmap = link->FBitmap;
    SetRect(link->Rect());
    FName = link->FName;
    FMaskedBorder = link->FMaskedBorder;
    FMaskedCorner = link->FMaskedCorner;
    FMasked = link->FMasked;
}

bool TskBitmapLink::IsValid() const { return FBitmap && static_cast<long long>(FRight - FLeft) * (FBottom - FTop) > 0; }

void TskBitmapLink::CheckingMasked() { CheckingMasked(RECT{0, 0, 0, 0}); }

void TskBitmapLink::CheckingMasked(const RECT& margins) {
    FMaskedBorder = FMaskedCorner = FMasked = false;
    if (!FBitmap) return;
    const int w = FRight - FLeft, h = FBottom - FTop;
    const bool noMargins = margins.left == 0 && margins.top == 0 && margins.right == 0 && margins.bottom == 0;
    const int l = margins.left, t = margins.top, r = margins.right, b = margins.bottom;
    for (int py = 0; py < h; ++py) {
        for (int px = 0; px < w; ++px) {
            if (!NonOpaque(FBitmap->GetPixel(FLeft + px, FTop + py))) continue;
            if (noMargins) {
                FMasked = true;
                return;
            }
            if (Inside(px, py, 0, 0, l, t) || Inside(px, py, w - r, 0, w, t) || Inside(px, py, w - r, h - b, w, h) ||
                Inside(px, py, 0, h - b, l, h))
                FMaskedCorner = true;
            if (Inside(px, py, l, 0, w - r, t) || Inside(px, py, l, h - b, w - r, h) ||
                Inside(px, py, 0, t, l, h - b) || Inside(px, py, w - r, t, w, h - b))
                FMaskedBorder = true;
            if (Inside(px, py, l, t, w - r, h - b)) FMasked = true;
        }
    }
}
