// TCustomEdit's keyboard and mouse: caret keys, deletion, the clipboard keys, typed bytes (a Chinese character as a
// lead byte and a trail byte), clicks, drags, Shift+click and double clicks; the focus brings the caret.
#include <toolkit/CustomEdit.h>

#include "EditText.h"

void TCustomEdit::KeyDown(WORD& key, TShiftState shift) {
    inherited::KeyDown(key, shift);
    if (key != 0 && HandleEditKey(key, shift)) key = 0;
}

bool TCustomEdit::HandleEditKey(WORD key, TShiftState shift) {
    bool extend = shift.Contains(ssShift);
    bool control = shift.Contains(ssCtrl);
    const std::string& text = FEditText;
    switch (key) {
    // A single-line edit takes Up and Down as Left and Right.
    case VK_LEFT:
    case VK_UP:
        MoveCaret(control ? edittext::PreviousWord(text, FCaret) : edittext::Previous(text, FCaret), extend);
        return true;
    case VK_RIGHT:
    case VK_DOWN:
        MoveCaret(control ? edittext::NextWord(text, FCaret) : edittext::Next(text, FCaret), extend);
        return true;
    case VK_HOME: MoveCaret(0, extend); return true;
    case VK_END: MoveCaret(static_cast<int>(text.size()), extend); return true;
    case VK_DELETE:
        if (SelLength() > 0) {
            if (extend)
                CutToClipboard();
            else
                ClearSelection();
        } else if (CanEditText()) {
            if (extend)
                DeleteRange(edittext::Previous(text, FCaret), FCaret);
            else if (control)
                DeleteRange(FCaret, static_cast<int>(text.size()));
            else
                DeleteRange(FCaret, edittext::Next(text, FCaret));
        }
        return true;
    case VK_INSERT:
        if (control)
            CopyToClipboard();
        else if (extend)
            PasteFromClipboard();
        else
            return false;
        return true;
    default: return false;
    }
}

void TCustomEdit::KeyPress(char& key) {
    inherited::KeyPress(key);
    if (key == 0) return;
    HandleChar(static_cast<unsigned char>(key));
    key = 0;
}

void TCustomEdit::HandleChar(unsigned char byte) {
    if (FPendingLead) {
        std::string character{static_cast<char>(FPendingLead), static_cast<char>(byte)};
        FPendingLead = 0;
        TypeCharacter(character);
        return;
    }
    if (IsDBCSLeadByte(byte)) {
        FPendingLead = byte;
        return;
    }
    if (byte < 0x20 || byte == 0x7F) {
        HandleControlChar(byte);
        return;
    }
    TypeCharacter(std::string(1, static_cast<char>(byte)));
}

void TCustomEdit::TypeCharacter(const std::string& character) {
    if (!CanEditText()) {
        MessageBeep(MB_OK);
        return;
    }
    std::string converted = Converted(character);
    int length = static_cast<int>(FEditText.size()) - SelLength() + static_cast<int>(converted.size());
    if (FMaxLength > 0 && length > FMaxLength) {
        MessageBeep(MB_OK);
        return;
    }
    ReplaceSelection(converted, true);
}

bool TCustomEdit::HandleControlChar(unsigned char key) {
    switch (key) {
    case 0x01:  // Ctrl+A
        SelectAll();
        return true;
    case 0x03:  // Ctrl+C
        CopyToClipboard();
        return true;
    case 0x16:  // Ctrl+V
        PasteFromClipboard();
        return true;
    case 0x18:  // Ctrl+X
        CutToClipboard();
        return true;
    case 0x1A:  // Ctrl+Z
        Undo();
        return true;
    case 0x08:  // Backspace
    case 0x7F:  // Ctrl+Backspace: the word before the caret
        if (!CanEditText()) {
            MessageBeep(MB_OK);
        } else if (SelLength() > 0) {
            ClearSelection();
        } else {
            int start = key == 0x08 ? edittext::Previous(FEditText, FCaret) : edittext::PreviousWord(FEditText, FCaret);
            DeleteRange(start, FCaret);
        }
        return true;
    default:
        // Enter, Esc, Tab and the rest type nothing.
        return false;
    }
}

void TCustomEdit::HandleMouseDown(TMessage& message, bool doubleClick) {
    FPendingLead = 0;
    if (!Focused() && CanFocus()) {
        // A focus that arrives by a click does not select everything.
        SetControlState(ControlState() + TControlState{csLButtonDown});
        SetFocus();
    }
    POINT pos = message.Pos();
    int at = PositionAt(pos.x);
    if (doubleClick) {
        int start = 0, end = 0;
        edittext::WordAt(FEditText, at, start, end);
        SetSelection(start, end);
        FSelecting = false;
        return;
    }
    MoveCaret(at, (message.WParam & MK_SHIFT) != 0);
    FSelecting = true;
}

void TCustomEdit::HandleMouseMove(TMessage& message) {
    if (!FSelecting || !(message.WParam & MK_LBUTTON)) return;
    MoveCaret(PositionAt(message.Pos().x), true);
}

void TCustomEdit::HandleSetFocus() {
    if (!HandleAllocated() || GetFocus() != Handle()) return;
    CreateEditCaret();
    Invalidate();
}

void TCustomEdit::HandleKillFocus() {
    FPendingLead = 0;
    FSelecting = false;
    if (FHasCaret) {
        DestroyCaret();
        FHasCaret = false;
    }
    Invalidate();
}

void TCustomEdit::DoEnter() {
    if (FAutoSelect && !ControlState().Contains(csLButtonDown)) SelectAll();
    inherited::DoEnter();
}
