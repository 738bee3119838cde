// TFont: face name, height, style, colour, character set and pitch, with the HFONT made from them on demand.
#pragma once

#include <toolkit/Graphics.h>
#include <toolkit/GraphicsObject.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

class TFont : public TGraphicsObject {
    TOOLKIT_CLASS(TFont, TGraphicsObject)

public:
    // "MS Sans Serif", 8 points (Height -11), clWindowText, no style, DEFAULT_CHARSET, fpDefault.
    TFont();

    // The HFONT for the current values, made now if needed; a change of anything but Color replaces it.
    HFONT Handle() { return static_cast<HFONT>(HandleNeeded()); }
    // Takes the font's values and ownership of the handle.
    void SetHandle(HFONT handle);

    const std::string& Name() const { return FName; }
    void SetName(const std::string& name);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return FHeight; }
    void SetHeight(int height);
    // Points at PixelsPerInch: Size = -MulDiv(Height, 72, PixelsPerInch), Height = -MulDiv(Size, PixelsPerInch, 72).
    int Size() const;
    void SetSize(int size);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch pitch);
    // 96 for screen fonts; Size converts through it.
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int pixelsPerInch);

    // Copies every value, with one OnChange when anything differed.
    void Assign(const TFont& source);
    // A TFont is copied as above; anything else goes to the base, which raises EConvertError.
    void Assign(const TPersistent* source) override;
    std::unique_ptr<TFont> Clone() const;

    // The LOGFONT the handle is made from.
    LOGFONTA LogFont() const;

    // Measuring through the font, on the toolkit's one measuring DC. The metrics are read once per handle and
    // forgotten when a value that shapes the glyphs changes.
    const TEXTMETRICA& Metrics();
    int TextHeight() { return Metrics().tmHeight; }
    // GetTextExtentPoint32A: no prefix or line handling.
    SIZE TextExtent(std::string_view text);
    // DrawTextA with DT_CALCRECT added: rect's width bounds word-broken lines, '&' marks an accelerator unless
    // DT_NOPREFIX; answers the rectangle DrawTextA makes.
    RECT MeasureText(const std::string& text, RECT rect, UINT flags);

protected:
    HGDIOBJ CreateHandle() const override;

private:
    bool SameValues(const TFont& other) const;
    // Changed, after dropping the cached metrics when the glyphs change.
    void ValuesChanged(bool resource = true);

    std::string FName;
    int FHeight;
    TFontStyles FStyle;
    TColor FColor;
    TFontCharset FCharset;
    TFontPitch FPitch;
    int FPixelsPerInch;
    std::optional<TEXTMETRICA> FMetrics;
};
