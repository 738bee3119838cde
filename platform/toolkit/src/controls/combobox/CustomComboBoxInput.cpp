// TCustomComboBox's keyboard and mouse: opening and closing the list, moving the selection or the list's
// highlight, searching by typed characters, the wheel, and the small edit field of csDropDown.
#include <toolkit/CustomComboBox.h>
#include <toolkit/Form.h>

#include "ComboBoxStrings.h"
#include "ComboListWindow.h"

#include <algorithm>

namespace {

bool IsLead(char ch) { return IsDBCSLeadByte(static_cast<BYTE>(ch)) != FALSE; }

// Where the character before pos starts: code page 936 text is walked from the front, as a trail byte may look
// like a lead byte.
size_t PreviousCharStart(const std::string& text, size_t pos) {
    size_t i = 0, last = 0;
    while (i < pos) {
        last = i;
        i += IsLead(text[i]) && i + 1 < text.size() ? 2 : 1;
    }
    return last;
}

size_t NextCharEnd(const std::string& text, size_t pos) {
    if (pos >= text.size()) return text.size();
    return pos + (IsLead(text[pos]) && pos + 1 < text.size() ? 2 : 1);
}

}  // namespace

void TCustomComboBox::KeyDown(WORD& key, TShiftState shift) {
    inherited::KeyDown(key, shift);
    if (key == 0) return;
    if (HandleListKey(key, shift))
        key = 0;
    else if (FStyle == csDropDown && !shift.Contains(ssAlt))
        EditKeyDown(key);
}

bool TCustomComboBox::HandleListKey(WORD key, TShiftState shift) {
    bool alt = shift.Contains(ssAlt);
    if ((alt && (key == VK_UP || key == VK_DOWN)) || (key == VK_F4 && !alt)) {
        if (DroppedDown())
            CloseList(true);
        else
            OpenList();
        return true;
    }
    if (alt) return false;
    bool listStyle = FStyle == csDropDownList;
    int count = FItems->Count();
    int page = std::max(1, (DroppedDown() ? FList->VisibleRows() : FDropDownCount) - 1);
    int current = DroppedDown() ? FList->HotIndex() : FItemIndex;
    int target;
    switch (key) {
    case VK_ESCAPE:
    case VK_RETURN:
        if (!DroppedDown()) return false;
        CloseList(key == VK_RETURN);
        return true;
    case VK_TAB:
        // The open list holds the capture, so the form never saw the key: close with the highlighted item and
        // hand Tab to the form.
        if (!DroppedDown()) return false;
        CloseList(true);
        if (TCustomForm* form = GetParentForm(this)) form->Perform(CM_DIALOGKEY, VK_TAB, 0);
        return true;
    case VK_UP: target = current - 1; break;
    case VK_DOWN: target = current + 1; break;
    case VK_PRIOR: target = current - page; break;
    case VK_NEXT: target = current + page; break;
    // In the edit field these move the caret.
    case VK_LEFT:
        if (!listStyle) return false;
        target = current - 1;
        break;
    case VK_RIGHT:
        if (!listStyle) return false;
        target = current + 1;
        break;
    case VK_HOME:
        if (!listStyle) return false;
        target = 0;
        break;
    case VK_END:
        if (!listStyle) return false;
        target = count - 1;
        break;
    default: return false;
    }
    if (count == 0) return true;
    target = std::max(0, std::min(target, count - 1));
    if (DroppedDown())
        FList->SetHotIndex(target);
    else
        MoveSelection(target);
    return true;
}

void TCustomComboBox::MoveSelection(int index) { SelectByUser(index); }

void TCustomComboBox::KeyPress(char& key) {
    inherited::KeyPress(key);
    if (key == 0) return;
    if (FStyle == csDropDown)
        EditChar(key);
    else
        SearchByChar(key);
    key = 0;
}

bool TCustomComboBox::TakeTypedChar(char ch, std::string& character) {
    if (FPendingLead) {
        character = std::string{FPendingLead, ch};
        FPendingLead = 0;
        return true;
    }
    if (IsLead(ch)) {
        FPendingLead = ch;
        return false;
    }
    if (static_cast<unsigned char>(ch) < 0x20) return false;
    character = std::string(1, ch);
    return true;
}

void TCustomComboBox::SearchByChar(char ch) {
    std::string prefix;
    if (!TakeTypedChar(ch, prefix)) return;
    int count = FItems->Count();
    if (count == 0) return;
    int current = DroppedDown() ? FList->HotIndex() : FItemIndex;
    // The next item after the current one that starts with the character, round the end of the list.
    int index = FindItem(prefix, true, (current + 1) % count);
    if (index < 0) return;
    if (DroppedDown())
        FList->SetHotIndex(index);
    else
        MoveSelection(index);
}

void TCustomComboBox::MouseButtonDown(POINT pos) {
    if (!Enabled()) return;
    if (CanFocus() && !Focused()) {
        SetFocus();
        // A handler of the focus change may have taken it elsewhere.
        if (!Focused()) return;
    }
    RECT button = ButtonRect();
    bool onButton = PtInRect(&button, pos) != FALSE;
    if (!onButton && FStyle == csDropDown) {
        // A click in the edit field places the caret at the nearest character boundary.
        int x = kTextIndent;
        size_t caret = 0;
        std::string_view text = FEditText;
        while (caret < text.size()) {
            size_t next = NextCharEnd(FEditText, caret);
            SIZE size = Font()->TextExtent(text.substr(caret, next - caret));
            if (pos.x < x + size.cx / 2) break;
            x += size.cx;
            caret = next;
        }
        FCaret = caret;
        UpdateCaret();
        return;
    }
    FButtonPushed = onButton;
    OpenList();
    if (!DroppedDown()) FButtonPushed = false;
    Invalidate();
}

void TCustomComboBox::MouseWheel(int delta) {
    int notches = delta / WHEEL_DELTA;
    if (notches == 0) return;
    if (DroppedDown()) {
        UINT lines = 3;
        SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        int step = std::max(1, std::min<int>(static_cast<int>(lines), FList->VisibleRows() - 1));
        FList->SetTopIndex(FList->TopIndex() - notches * step);
        return;
    }
    if (!Focused() || FItems->Count() == 0) return;
    int target = std::max(0, std::min(FItemIndex - notches, FItems->Count() - 1));
    if (FItemIndex < 0) target = 0;
    MoveSelection(target);
}

// --- the edit field of csDropDown ---

void TCustomComboBox::EditKeyDown(WORD& key) {
    switch (key) {
    case VK_LEFT: FCaret = PreviousCharStart(FEditText, FCaret); break;
    case VK_RIGHT: FCaret = NextCharEnd(FEditText, FCaret); break;
    case VK_HOME: FCaret = 0; break;
    case VK_END: FCaret = FEditText.size(); break;
    case VK_DELETE:
        if (FCaret < FEditText.size()) {
            FEditText.erase(FCaret, NextCharEnd(FEditText, FCaret) - FCaret);
            EditTextChangedByUser();
        }
        break;
    default: return;
    }
    key = 0;
    UpdateCaret();
}

void TCustomComboBox::EditChar(char ch) {
    if (ch == '\b') {
        FPendingLead = 0;
        if (FCaret == 0) return;
        size_t start = PreviousCharStart(FEditText, FCaret);
        FEditText.erase(start, FCaret - start);
        FCaret = start;
        EditTextChangedByUser();
        return;
    }
    std::string insert;
    if (!TakeTypedChar(ch, insert)) return;
    FEditText.insert(FCaret, insert);
    FCaret += insert.size();
    EditTextChangedByUser();
}

void TCustomComboBox::EditTextChangedByUser() {
    FItemIndex = FindItem(FEditText, false, 0);
    // The open list follows what is typed, highlighting the first item that starts with it.
    if (DroppedDown() && !FEditText.empty()) FList->SetHotIndex(FindItem(FEditText, true, 0));
    TextChanged();
    Change();
}

int TCustomComboBox::CaretX() {
    if (!HandleAllocated()) return kTextIndent;
    return kTextIndent + Font()->TextExtent(std::string_view(FEditText).substr(0, FCaret)).cx;
}

void TCustomComboBox::UpdateCaret() {
    if (!FCaretShown || !HandleAllocated()) return;
    RECT field = FieldRect();
    int top = (field.bottom - field.top - FontHeight()) / 2;
    SetCaretPos(std::min<int>(CaretX(), field.right - 1), std::max(0, top));
}
