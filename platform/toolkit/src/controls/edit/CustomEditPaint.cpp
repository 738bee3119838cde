// TCustomEdit's look and layout: measured character positions, horizontal scrolling that keeps the caret in
// view, the caret itself, and the classic painting with system colours.
#include <toolkit/CustomEdit.h>

#include "EditText.h"

#include <algorithm>
#include <cstdlib>

std::string TCustomEdit::DisplayText() const {
    if (!FPasswordChar) return FEditText;
    return std::string(static_cast<size_t>(edittext::CharCount(FEditText, static_cast<int>(FEditText.size()))),
                       FPasswordChar);
}

void TCustomEdit::InvalidateLayout() { FPositions.clear(); }

const std::vector<int>& TCustomEdit::Positions() {
    if (!FPositions.empty()) return FPositions;
    std::string display = DisplayText();
    int length = static_cast<int>(FEditText.size());
    FPositions.assign(static_cast<size_t>(length) + 1, 0);
    TFont* font = Font();
    int shown = 0;
    for (int i = 0; i < length;) {
        int bytes = edittext::CharLength(FEditText, i);
        shown += FPasswordChar ? 1 : bytes;
        SIZE size = font->TextExtent(std::string_view(display.data(), static_cast<size_t>(shown)));
        // A trail byte is never a caret position; it shares the x of its lead byte.
        for (int j = i + 1; j < i + bytes; ++j) FPositions[static_cast<size_t>(j)] = FPositions[static_cast<size_t>(i)];
        FPositions[static_cast<size_t>(i + bytes)] = size.cx;
        i += bytes;
    }
    return FPositions;
}

int TCustomEdit::LineHeight() {
    if (FLineHeight == 0) {
        FLineHeight = std::max(Font()->TextHeight(), 1);
    }
    return FLineHeight;
}

bool TCustomEdit::CanAutoSize(int& newWidth, int& newHeight) {
    (void)newWidth;
    // The sunken edge takes two pixels on each side and the text keeps two more above and below.
    newHeight = LineHeight() + (FBorderStyle == bsSingle ? 8 : 4);
    return true;
}

RECT TCustomEdit::EditRect() {
    RECT rect = ClientRect();
    rect.left += 1;
    rect.right -= 1;
    rect.top += 1;
    rect.right = std::max(rect.right, rect.left);
    return rect;
}

int TCustomEdit::TextTop() { return EditRect().top; }

int TCustomEdit::PositionAt(int x) {
    const std::vector<int>& positions = Positions();
    int target = x - EditRect().left + FScrollX;
    int best = 0;
    for (int i = 0; i < static_cast<int>(FEditText.size());) {
        i += edittext::CharLength(FEditText, i);
        int distance = std::abs(positions[static_cast<size_t>(i)] - target);
        if (distance < std::abs(positions[static_cast<size_t>(best)] - target)) best = i;
    }
    return best;
}

void TCustomEdit::ScrollToCaret() {
    RECT area = EditRect();
    int width = area.right - area.left;
    if (width <= 0) return;
    const std::vector<int>& positions = Positions();
    int caretX = positions[static_cast<size_t>(FCaret)];
    int textWidth = positions.back();
    int scroll = FScrollX;
    // Jump a quarter of the width at a time, as Windows' edit does, rather than one character.
    if (caretX < scroll)
        scroll = caretX - width / 4;
    else if (caretX >= scroll + width)
        scroll = caretX - width + 1 + width / 4;
    scroll = std::max(0, std::min(scroll, textWidth + 1 - width));
    if (scroll == FScrollX) return;
    FScrollX = scroll;
    Invalidate();
}

void TCustomEdit::UpdateCaret() {
    if (!HandleAllocated()) return;
    ScrollToCaret();
    if (!FHasCaret) return;
    SetCaretPos(EditRect().left + Positions()[static_cast<size_t>(FCaret)] - FScrollX, TextTop());
}

void TCustomEdit::CreateEditCaret() {
    if (FHasCaret) DestroyCaret();
    FHasCaret = CreateCaret(Handle(), nullptr, 1, LineHeight()) != FALSE;
    if (!FHasCaret) return;
    UpdateCaret();
    ShowCaret(Handle());
}

void TCustomEdit::TextChangedVisually() {
    InvalidateLayout();
    UpdateCaret();
    Invalidate();
}

void TCustomEdit::Paint() {
    TCanvas* canvas = Canvas();
    bool enabled = Enabled();
    RECT client = ClientRect();
    // A disabled edit shows grey text on the face colour, as Windows' does.
    canvas->Brush().SetStyle(bsSolid);
    canvas->Brush().SetColor(enabled ? Color() : clBtnFace);
    canvas->FillRect(client);

    RECT area = EditRect();
    if (area.right <= area.left || FEditText.empty()) return;
    canvas->SetFont(*Font());
    TColor textColor = enabled ? Font()->Color() : clGrayText;
    std::string display = DisplayText();
    const std::vector<int>& positions = Positions();
    int originX = area.left - FScrollX;
    int top = TextTop();
    RECT clip{area.left, top, area.right, std::min<int>(client.bottom, top + LineHeight())};
    clip.bottom = std::max(clip.bottom, clip.top);

    // Display offsets of the selection; with a password character each character shows as one byte.
    auto displayOffset = [&](int bytePos) { return FPasswordChar ? edittext::CharCount(FEditText, bytePos) : bytePos; };
    int selStart = SelStart(), selEnd = SelStart() + SelLength();
    bool showSelection = selEnd > selStart && Focused();
    auto drawRun = [&](int from, int to, bool selected) {
        if (to <= from) return;
        int x = originX + positions[static_cast<size_t>(from)];
        std::string run = display.substr(static_cast<size_t>(displayOffset(from)),
                                         static_cast<size_t>(displayOffset(to) - displayOffset(from)));
        if (selected) {
            RECT box{std::max<int>(x, clip.left), clip.top,
                     std::min<int>(originX + positions[static_cast<size_t>(to)], clip.right), clip.bottom};
            canvas->Brush().SetStyle(bsSolid);
            canvas->Brush().SetColor(clHighlight);
            canvas->Font().SetColor(clHighlightText);
            if (box.right > box.left) canvas->TextRect(box, x, top, run);
        } else {
            canvas->Brush().SetStyle(bsClear);
            canvas->Font().SetColor(textColor);
            canvas->TextRect(clip, x, top, run);
        }
    };
    int length = static_cast<int>(FEditText.size());
    if (!showSelection) {
        drawRun(0, length, false);
        return;
    }
    drawRun(0, selStart, false);
    drawRun(selStart, selEnd, true);
    drawRun(selEnd, length, false);
}
