// DrawText as Windows lays text out: lines split at CR/LF, words wrapped at spaces and between Chinese
// characters, '&' prefixes, tab stops in average character widths, ellipses, then one text run per line.
#include "DrawTextEngine.h"

#include "../DeviceContext.h"
#include "FontInstance.h"
#include "FontObject.h"
#include "TextRun.h"

#include <win32/winerror.h>

#include <algorithm>
#include <vector>

namespace win32::gdi {

namespace {

constexpr UINT KnownFlags = 0x003FFFFF;
constexpr char16_t Ellipsis[] = u"...";

struct Cell {
    char16_t Char;
    bool Prefixed;  // follows an '&': underlined
    int Source;     // index in the caller's text
};
using Cells = std::vector<Cell>;

bool IsWide(char16_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF);
}
// Closing punctuation stays with the character before it, opening punctuation with the one after it.
bool IsClosing(char16_t c) {
    return std::u16string_view(u"，。、；：？！）」』》〉】〕…％”’・ー,.;:?!)]}%").find(c) != std::u16string_view::npos;
}
bool IsOpening(char16_t c) { return std::u16string_view(u"（「『《〈【〔“‘([{").find(c) != std::u16string_view::npos; }

class Layout {
public:
    Layout(FontInstance& font, int extra, int tabWidth, bool expandTabs)
        : FFont(font), FExtra(extra), FTabWidth(std::max(1, tabWidth)), FExpandTabs(expandTabs) {}

    // The advance of each cell from the start of the line (tabs reach the next stop).
    std::vector<int> Advances(const Cells& cells) const {
        std::vector<int> advances;
        int x = 0;
        for (const Cell& cell : cells) {
            int advance = FExpandTabs && cell.Char == u'\t' ? (x / FTabWidth + 1) * FTabWidth - x
                                                            : FFont.CharAdvance(cell.Char) + FExtra;
            advances.push_back(advance);
            x += advance;
        }
        return advances;
    }
    int Width(const Cells& cells) const {
        int width = 0;
        for (int advance : Advances(cells)) width += advance;
        return width;
    }

private:
    FontInstance& FFont;
    int FExtra;
    int FTabWidth;
    bool FExpandTabs;
};

Cells Slice(const Cells& cells, size_t from, size_t to) {
    return Cells(cells.begin() + from, cells.begin() + std::min(to, cells.size()));
}

Cells EllipsisCells(int source) {
    Cells cells;
    for (const char16_t* c = Ellipsis; *c; ++c) cells.push_back(Cell{*c, false, source});
    return cells;
}

void TrimTrailingSpaces(Cells& cells) {
    while (!cells.empty() && cells.back().Char == u' ') cells.pop_back();
}

// Cuts the line so that what is kept and the ellipsis fit; atWords keeps whole words when any fits.
Cells EndEllipsis(const Layout& layout, const Cells& line, int maxWidth, bool atWords) {
    int source = line.empty() ? 0 : line.back().Source + 1;
    for (int keep = static_cast<int>(line.size()); keep >= 0; --keep) {
        if (atWords && keep > 0 && keep < static_cast<int>(line.size()) && line[keep].Char != u' ') continue;
        Cells candidate = Slice(line, 0, keep);
        TrimTrailingSpaces(candidate);
        Cells ellipsis = EllipsisCells(source);
        candidate.insert(candidate.end(), ellipsis.begin(), ellipsis.end());
        if (layout.Width(candidate) <= maxWidth) return candidate;
    }
    return atWords ? EndEllipsis(layout, line, maxWidth, false) : EllipsisCells(source);
}

// Keeps the last path component whole and shortens what comes before it.
Cells PathEllipsis(const Layout& layout, const Cells& line, int maxWidth) {
    int slash = -1;
    for (int i = 0; i < static_cast<int>(line.size()); ++i)
        if (line[i].Char == u'\\' || line[i].Char == u'/') slash = i;
    if (slash < 0) return EndEllipsis(layout, line, maxWidth, false);
    Cells tail = Slice(line, slash, line.size());
    for (int keep = slash; keep >= 0; --keep) {
        Cells candidate = Slice(line, 0, keep);
        Cells ellipsis = EllipsisCells(keep < slash ? line[keep].Source : line[slash].Source);
        candidate.insert(candidate.end(), ellipsis.begin(), ellipsis.end());
        candidate.insert(candidate.end(), tail.begin(), tail.end());
        if (layout.Width(candidate) <= maxWidth) return candidate;
    }
    Cells shortest = EllipsisCells(line[slash].Source);
    shortest.insert(shortest.end(), tail.begin(), tail.end());
    return EndEllipsis(layout, shortest, maxWidth, false);
}

struct Options {
    bool WordBreak, EditControl, BreakWide;
};

bool BreakBefore(const Cells& cells, size_t i, const Options& options) {
    if (i == 0 || i >= cells.size()) return false;
    char16_t before = cells[i - 1].Char, after = cells[i].Char;
    if (after == u' ' || before == u' ') return true;
    if (!options.BreakWide || !(IsWide(before) || IsWide(after))) return false;
    return !IsClosing(after) && !IsOpening(before);
}

// Splits one paragraph (no CR/LF inside) into lines no wider than maxWidth where words allow it.
std::vector<Cells> Wrap(const Layout& layout, const Cells& paragraph, int maxWidth, const Options& options) {
    std::vector<Cells> lines;
    size_t start = 0;
    do {
        Cells rest = Slice(paragraph, start, paragraph.size());
        std::vector<int> advances = layout.Advances(rest);
        size_t fit = 0;
        int width = 0;
        while (fit < rest.size() && (rest[fit].Char == u' ' || width + advances[fit] <= maxWidth))
            width += advances[fit++];
        if (fit == rest.size()) {
            lines.push_back(rest);
            break;
        }
        size_t end = 0;
        for (size_t i = fit; i > 0; --i)
            if (BreakBefore(rest, i, options)) {
                end = i;
                break;
            }
        if (end == 0) {
            // One word wider than the line: an edit control breaks it, DrawText leaves it whole.
            if (options.EditControl) {
                end = std::max<size_t>(fit, 1);
            } else {
                end = fit + 1;
                while (end < rest.size() && !BreakBefore(rest, end, options)) ++end;
            }
        }
        Cells line = Slice(rest, 0, end);
        TrimTrailingSpaces(line);
        lines.push_back(line);
        start += end;
        while (start < paragraph.size() && paragraph[start].Char == u' ') ++start;
    } while (start < paragraph.size());
    return lines;
}

// Turns the caller's text into paragraphs of cells, resolving '&' prefixes.
std::vector<Cells> Paragraphs(const std::u16string& text, UINT format) {
    std::vector<Cells> paragraphs(1);
    bool prefixes = !(format & DT_NOPREFIX);
    bool single = format & DT_SINGLELINE;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (!single && (c == u'\r' || c == u'\n')) {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            paragraphs.emplace_back();
            continue;
        }
        bool prefixed = false;
        if (prefixes && c == u'&') {
            if (i + 1 >= text.size()) break;  // a lone '&' at the end shows nothing
            ++i;
            c = text[i];
            prefixed = c != u'&';
            if (!single && (c == u'\r' || c == u'\n')) {
                --i;
                continue;
            }
        }
        paragraphs.back().push_back(Cell{c, prefixed, static_cast<int>(i)});
    }
    return paragraphs;
}

// Rebuilds the caller's text with an ellipsised line put in place of the original one.
std::u16string Splice(const std::u16string& text, const Cells& original, const Cells& shown, bool prefixes) {
    if (original.empty()) return text;
    int from = original.front().Source, to = original.back().Source + 1;
    if (prefixes && from > 0 && text[from - 1] == u'&') --from;
    std::u16string middle;
    for (const Cell& cell : shown) {
        // Prefixed characters and literal ampersands get their '&' back.
        if (prefixes && (cell.Prefixed || cell.Char == u'&')) middle += u'&';
        middle += cell.Char;
    }
    return text.substr(0, from) + middle + text.substr(to);
}

}  // namespace

int DrawTextEngine::Run(HDC hdc, const std::u16string& text, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params,
                        std::u16string* modified, bool* changed) {
    if (changed) *changed = false;
    auto dc = LookupDC(hdc);
    if (!dc) return 0;
    if (!rect || (params && params->cbSize != sizeof(DRAWTEXTPARAMS)) || (format & ~KnownFlags)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int tabLength = 8;
    if (format & DT_TABSTOP) {
        // The second byte is the tab length then, not flags.
        tabLength = (format >> 8) & 0xFF;
        format &= ~0xFF00u;
    }
    if (params && params->iTabLength > 0) tabLength = params->iTabLength;
    if (format & DT_SINGLELINE) format &= ~static_cast<UINT>(DT_WORDBREAK);

    std::shared_ptr<FontObject> fontObject =
        (format & DT_INTERNAL) ? std::static_pointer_cast<FontObject>(MakeStockFont(SYSTEM_FONT)) : SelectedFont(*dc);
    auto font = fontObject->Instance();
    const TEXTMETRICW& tm = font->Metrics();
    int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    int leftMargin = params ? params->iLeftMargin : 0, rightMargin = params ? params->iRightMargin : 0;
    if (params) params->uiLengthDrawn = 0;

    if (text.empty()) {
        if (format & DT_CALCRECT) {
            rect->right = rect->left;
            rect->bottom = rect->top + ((format & DT_SINGLELINE) ? lineHeight : 0);
        }
        return lineHeight;
    }

    Layout layout(*font, dc->State().CharExtra, tabLength * tm.tmAveCharWidth, (format & DT_EXPANDTABS) != 0);
    int maxWidth = rect->right - rect->left - leftMargin - rightMargin;
    Options options{(format & DT_WORDBREAK) != 0, (format & DT_EDITCONTROL) != 0, !(format & DT_NOFULLWIDTHCHARBREAK)};

    std::vector<Cells> lines;
    for (const Cells& paragraph : Paragraphs(text, format)) {
        if (options.WordBreak) {
            for (Cells& line : Wrap(layout, paragraph, maxWidth, options)) lines.push_back(std::move(line));
        } else {
            lines.push_back(paragraph);
        }
    }
    // Word ellipses cut every line too wide; end and path ellipses only the end of the text.
    for (size_t i = 0; i < lines.size(); ++i) {
        bool last = i + 1 == lines.size();
        if (layout.Width(lines[i]) <= maxWidth) continue;
        Cells shown;
        if ((format & DT_PATH_ELLIPSIS) && last)
            shown = PathEllipsis(layout, lines[i], maxWidth);
        else if ((format & DT_END_ELLIPSIS) && last)
            shown = EndEllipsis(layout, lines[i], maxWidth, false);
        else if (format & DT_WORD_ELLIPSIS)
            shown = EndEllipsis(layout, lines[i], maxWidth, true);
        else
            continue;
        if ((format & DT_MODIFYSTRING) && (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS)) && modified && changed) {
            *modified = Splice(*changed ? *modified : text, lines[i], shown, !(format & DT_NOPREFIX));
            *changed = true;
        }
        lines[i] = std::move(shown);
    }

    int y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect->top + (rect->bottom - rect->top) / 2 - lineHeight / 2;
        else if (format & DT_BOTTOM)
            y = rect->bottom - lineHeight;
    }
    int widest = 0;
    bool draw = !(format & DT_CALCRECT);
    DcState& state = dc->State();
    UINT savedAlign = state.TextAlign;
    state.TextAlign = TA_LEFT | TA_TOP;
    const RECT* clip = (format & DT_NOCLIP) ? nullptr : rect;
    UINT drawn = static_cast<UINT>(text.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const Cells& line = lines[i];
        std::vector<int> advances = layout.Advances(line);
        int width = 0;
        for (int advance : advances) width += advance;
        widest = std::max(widest, width);
        if (draw && (format & DT_EDITCONTROL) && i > 0 && y + lineHeight > rect->bottom) {
            // An edit control shows no partly visible last line.
            drawn = static_cast<UINT>(line.empty() ? text.size() : line.front().Source);
            draw = false;
        }
        if (draw) {
            int x = rect->left + leftMargin;
            if (format & DT_CENTER)
                x = (rect->left + leftMargin + rect->right - rightMargin - width) / 2;
            else if (format & DT_RIGHT)
                x = rect->right - rightMargin - width;
            std::u16string chars;
            for (const Cell& cell : line) chars += cell.Char == u'\t' && (format & DT_EXPANDTABS) ? u' ' : cell.Char;
            if (!(format & DT_PREFIXONLY)) {
                TextRun run(*font, chars.data(), static_cast<int>(chars.size()), advances.data(), 0, false);
                run.Paint(*dc, *fontObject, x, y, clip ? ETO_CLIPPED : 0, clip);
            }
            if (!(format & (DT_HIDEPREFIX | DT_NOPREFIX))) {
                // The underline of a prefixed character: one row under the baseline, one pixel short.
                int pen = x;
                for (size_t k = 0; k < line.size(); ++k) {
                    if (line[k].Prefixed && advances[k] > 1) {
                        RECT bar{pen, y + tm.tmAscent + 1, pen + advances[k] - 1, y + tm.tmAscent + 2};
                        RECT shown = bar;
                        if (clip) {
                            shown.left = std::max(bar.left, clip->left);
                            shown.right = std::min(bar.right, clip->right);
                            shown.top = std::max(bar.top, clip->top);
                            shown.bottom = std::min(bar.bottom, clip->bottom);
                        }
                        if (shown.left < shown.right && shown.top < shown.bottom) {
                            COLORREF back = state.BkColor;
                            state.BkColor = state.TextColor;
                            TextRun(*font, nullptr, 0, nullptr, 0, false)
                                .Paint(*dc, *fontObject, 0, 0, ETO_OPAQUE, &shown);
                            state.BkColor = back;
                        }
                    }
                    pen += advances[k];
                }
            }
        }
        y += lineHeight;
    }
    state.TextAlign = savedAlign;
    if (params) params->uiLengthDrawn = drawn;
    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest + leftMargin + rightMargin;
        rect->bottom = y;
    }
    return y - rect->top;
}

}  // namespace win32::gdi
