// TFont values and the HFONT made from them.
#include <toolkit/Font.h>
#include <toolkit/PropertyRegistry.h>

#include "TextMeasure.h"

#include <cstring>

namespace {
constexpr int kScreenPixelsPerInch = 96;

// The properties a description may give a font (Font.Name = ...).
[[maybe_unused]] const auto publishedFont =
    Publish<TFont>()
        .String("Name", &TFont::Name, &TFont::SetName, "MS Sans Serif")
        .Integer("Height", &TFont::Height, &TFont::SetHeight, -11)
        .Integer("Size", &TFont::Size, &TFont::SetSize, 8)
        .Color("Color", &TFont::Color, &TFont::SetColor, clWindowText)
        .Set<TFontStyle>("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, &TFont::Style, &TFont::SetStyle)
        .Integer("Charset", &TFont::Charset, &TFont::SetCharset, TFontCharset(DEFAULT_CHARSET))
        .Enumeration("Pitch", {"fpDefault", "fpVariable", "fpFixed"}, &TFont::Pitch, &TFont::SetPitch, fpDefault);
}  // namespace

TFont::TFont()
    : FName("MS Sans Serif"),
      FHeight(-GraphicsMulDiv(8, kScreenPixelsPerInch, 72)),
      FColor(clWindowText),
      FCharset(DEFAULT_CHARSET),
      FPitch(fpDefault),
      FPixelsPerInch(kScreenPixelsPerInch) {}

void TFont::SetName(const std::string& name) {
    if (name.empty() || name == FName) return;
    FName = name;
    ValuesChanged();
}

void TFont::SetHeight(int height) {
    if (height == FHeight) return;
    FHeight = height;
    ValuesChanged();
}

int TFont::Size() const { return -GraphicsMulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int size) { SetHeight(-GraphicsMulDiv(size, FPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles style) {
    if (style == FStyle) return;
    FStyle = style;
    ValuesChanged();
}

void TFont::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    ValuesChanged(false);
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == FCharset) return;
    FCharset = charset;
    ValuesChanged();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == FPitch) return;
    FPitch = pitch;
    ValuesChanged();
}

void TFont::SetPixelsPerInch(int pixelsPerInch) {
    // Only Size reads it; the handle keeps the height in pixels.
    if (pixelsPerInch <= 0) return;
    FPixelsPerInch = pixelsPerInch;
}

bool TFont::SameValues(const TFont& other) const {
    return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle && FCharset == other.FCharset &&
           FPitch == other.FPitch;
}

void TFont::Assign(const TPersistent* source) {
    if (auto same = dynamic_cast<const TFont*>(source))
        Assign(*same);
    else
        inherited::Assign(source);
}

void TFont::Assign(const TFont& source) {
    if (&source == this) return;
    bool resource = !SameValues(source);
    if (!resource && FColor == source.FColor && FPixelsPerInch == source.FPixelsPerInch) return;
    FName = source.FName;
    FHeight = source.FHeight;
    FStyle = source.FStyle;
    FCharset = source.FCharset;
    FPitch = source.FPitch;
    FColor = source.FColor;
    FPixelsPerInch = source.FPixelsPerInch;
    ValuesChanged(resource);
}

std::unique_ptr<TFont> TFont::Clone() const {
    auto copy = std::make_unique<TFont>();
    copy->Assign(*this);
    return copy;
}

LOGFONTA TFont::LogFont() const {
    LOGFONTA lf{};
    lf.lfHeight = FHeight;
    lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = FStyle.Contains(fsItalic);
    lf.lfUnderline = FStyle.Contains(fsUnderline);
    lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    lf.lfCharSet = FCharset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    std::strncpy(lf.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
    return lf;
}

HGDIOBJ TFont::CreateHandle() const {
    LOGFONTA lf = LogFont();
    HFONT font = CreateFontIndirectA(&lf);
    if (!font) throw EInvalidGraphicOperation("Cannot create the font \"" + FName + "\"");
    return font;
}

void TFont::SetHandle(HFONT handle) {
    LOGFONTA lf{};
    if (!handle || GetObjectA(handle, sizeof lf, &lf) != static_cast<int>(sizeof lf))
        throw EInvalidGraphicOperation("Not a font handle");
    FName = std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    FHeight = lf.lfHeight;
    TFontStyles style;
    if (lf.lfWeight >= FW_BOLD) style.Include(fsBold);
    if (lf.lfItalic) style.Include(fsItalic);
    if (lf.lfUnderline) style.Include(fsUnderline);
    if (lf.lfStrikeOut) style.Include(fsStrikeOut);
    FStyle = style;
    FCharset = lf.lfCharSet;
    int pitch = lf.lfPitchAndFamily & 0x03;
    FPitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    FMetrics.reset();
    AdoptHandle(handle);
}

void TFont::ValuesChanged(bool resource) {
    if (resource) FMetrics.reset();
    Changed(resource);
}

const TEXTMETRICA& TFont::Metrics() {
    if (!FMetrics) {
        TTextMeasure measure(Handle());
        TEXTMETRICA metrics{};
        // A failure is not kept, so the next call tries again.
        static const TEXTMETRICA none{};
        if (!measure.Handle() || !GetTextMetricsA(measure.Handle(), &metrics)) return none;
        FMetrics = metrics;
    }
    return *FMetrics;
}

SIZE TFont::TextExtent(std::string_view text) {
    TTextMeasure measure(Handle());
    SIZE size{0, 0};
    if (measure.Handle()) GetTextExtentPoint32A(measure.Handle(), text.data(), static_cast<int>(text.size()), &size);
    return size;
}

RECT TFont::MeasureText(const std::string& text, RECT rect, UINT flags) {
    TTextMeasure measure(Handle());
    if (!measure.Handle()) return RECT{rect.left, rect.top, rect.left, rect.top};
    DrawTextA(measure.Handle(), text.c_str(), static_cast<int>(text.size()), &rect, flags | DT_CALCRECT);
    return rect;
}
