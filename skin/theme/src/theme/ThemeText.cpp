// Text through a theme: the text-info record built from DrawText flags, and TskTheme::DrawText, which places the
// measured text nine ways in its rectangle, upright or turned a quarter.
#include <skin/Theme.h>

#include <skin/RectUtils.h>
#include <skin/RotatedText.h>
#include <skin/TextUtils.h>

namespace {

UINT DrawTextFlags(std::uint8_t textFlags) {
    UINT flags = 0;
    if (textFlags & tfRtlReading) flags |= DT_RTLREADING;
    if (textFlags & tfNoPrefix) flags |= DT_NOPREFIX;
    if (textFlags & tfWordWrap) flags |= DT_WORDBREAK;
    if (textFlags & tfSingleLine) flags |= DT_SINGLELINE;
    return flags;
}

// Right-to-left reading starts at the right: the left column's alignments become the right column's.
std::uint8_t ReadingAlignment(const TskTextInfo& info) {
    if ((info.TextFlags & tfRtlReading) && info.Alignment <= txaBottomLeft)
        return static_cast<std::uint8_t>(info.Alignment + txaTopRight);
    return info.Alignment;
}

}  // namespace

void MakeTextInfo(const RECT& rect, const std::u16string& text, UINT drawTextFlags, TskTextInfo& info) {
    const int row = (drawTextFlags & DT_VCENTER) ? 1 : (drawTextFlags & DT_BOTTOM) ? 2 : 0;
    const int column = (drawTextFlags & DT_CENTER) ? 1 : (drawTextFlags & DT_RIGHT) ? 2 : 0;
    info = TskTextInfo{};
    info.Rect = rect;
    info.Text = text;
    info.Alignment = static_cast<std::uint8_t>(column * 3 + row);
    if (drawTextFlags & DT_RTLREADING) info.TextFlags |= tfRtlReading;
    if (drawTextFlags & DT_NOPREFIX) info.TextFlags |= tfNoPrefix;
    if (drawTextFlags & DT_WORDBREAK) info.TextFlags |= tfWordWrap;
    if (drawTextFlags & DT_SINGLELINE) info.TextFlags |= tfSingleLine;
}

void TskTheme::DrawText(TCanvas& canvas, const TskTextInfo& info) {
    const UINT flags = DrawTextFlags(info.TextFlags);
    const std::uint8_t alignment = ReadingAlignment(info);
    const RECT& rect = info.Rect;
    const int width = RectWidth(rect);
    const int height = RectHeight(rect);

    if (info.Rotation == trClockwise || info.Rotation == trCounterClockwise) {
        const bool clockwise = info.Rotation == trClockwise;
        if (alignment == txaTopLeft) {
            DrawRotatedText(canvas, info.Text, rect, clockwise, flags);
        } else if (alignment == txaCenter) {
            // The upright text is laid out across the rectangle's height; measuring it in a box of the
            // rectangle's own size at its top-left keeps the wrap width right wherever the rectangle lies.
            RECT extent{rect.left, rect.top, rect.left + height, rect.top + width};
            DrawTextEx2(canvas, info.Text, extent, flags | DT_CALCRECT);
            const int w = RectWidth(extent);
            const int h = RectHeight(extent);
            RECT box{rect.left, rect.top, rect.left + h, rect.top + w};
            OffsetRect(&box, (width - h) / 2, (height - w) / 2);
            box.top -= 2;
            box.bottom += 2;
            DrawRotatedText(canvas, info.Text, box, clockwise, flags);
        }
        return;
    }

    // An alignment outside the nine has no place: nothing is drawn, as for a turned text.
    if (alignment > txaBottomRight) return;
    if (alignment == txaTopLeft) {
        RECT box = rect;
        DrawTextEx2(canvas, info.Text, box, flags);
        return;
    }
    RECT box = rect;
    DrawTextEx2(canvas, info.Text, box, flags | DT_CALCRECT);
    const int w = RectWidth(box);
    const int h = RectHeight(box);
    const int column = alignment / 3;
    const int row = alignment % 3;
    const int dx = column == 0 ? 0 : column == 1 ? (width - w) / 2 : width - w;
    const int dy = row == 0 ? 0 : row == 1 ? (height - h) / 2 : height - h;
    OffsetRect(&box, dx, dy);
    DrawTextEx2(canvas, info.Text, box, flags);
}
