// Drawing, measuring and shortening wide text.
#include <skin/TextUtils.h>

#include <skin/CodePage.h>
#include <skin/Common.h>

#include <win32/windows.h>

#include <climits>

namespace {

// DT_MODIFYSTRING may write the text plus four characters back; a copy with that room keeps the caller's
// string (and our memory) intact.
template <typename Text>
Text WithRoom(const Text& text) {
    Text buffer = text;
    buffer.resize(text.size() + 4, 0);
    return buffer;
}

int Clamped(size_t length) {
    return length > static_cast<size_t>(INT_MAX - 8) ? INT_MAX - 8 : static_cast<int>(length);
}

SIZE WideExtent(HDC dc, const std::u16string& text, size_t count) {
    SIZE size{0, 0};
    if (!GetTextExtentPoint32W(dc, text.data(), Clamped(count), &size)) return SIZE{0, 0};
    return size;
}

}  // namespace

int DrawTextEx2(HDC dc, const std::u16string& text, RECT& rect, UINT flags) {
    SetBkMode(dc, TRANSPARENT);
    if (IsNT()) {
        std::u16string buffer = WithRoom(text);
        return DrawTextW(dc, buffer.data(), Clamped(text.size()), &rect, flags);
    }
    std::string ansi = WideToAnsi(text);
    std::string buffer = WithRoom(ansi);
    return DrawTextA(dc, buffer.data(), Clamped(ansi.size()), &rect, flags);
}

int DrawTextEx2(TCanvas& canvas, const std::u16string& text, RECT& rect, UINT flags) {
    return DrawTextEx2(canvas.Handle(), text, rect, flags);
}

int TextWidthEx(TCanvas& canvas, const std::u16string& text, UINT flags) {
    HDC dc = canvas.Handle();
    if (flags == 0) return WideExtent(dc, text, text.size()).cx;
    std::string buffer = WithRoom(WideToAnsi(text));
    RECT box{0, 0, 0, 0};
    if (!DrawTextA(dc, buffer.data(), Clamped(buffer.size() - 4), &box, flags | DT_CALCRECT)) return 0;
    return box.right;
}

int TextHeightEx(TCanvas& canvas, const std::u16string& text) {
    return WideExtent(canvas.Handle(), text, text.size()).cy;
}

std::u16string EllipsisText(HDC dc, const std::u16string& text, int maxWidth) {
    if (text.empty() || WideExtent(dc, text, text.size()).cx <= maxWidth) return text;
    static const std::u16string dots = u"...";
    std::u16string result;
    size_t i = 0;
    while (i < text.size()) {
        size_t step = 1;
        if (i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            step = 2;
        std::u16string trial = result + text.substr(i, step) + dots;
        if (WideExtent(dc, trial, trial.size()).cx > maxWidth) break;
        result.append(text, i, step);
        i += step;
    }
    return result + dots;
}
