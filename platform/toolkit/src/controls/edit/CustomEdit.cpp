// TCustomEdit: its properties, the text and selection model, undo, the clipboard and the message switch.
#include <toolkit/CustomEdit.h>
#include <toolkit/PropertyRegistry.h>
#include <toolkit/SysUtils.h>

#include "ClipboardText.h"
#include "EditText.h"

#include <algorithm>
#include <cstring>

namespace {

std::string PasswordCharString(const TCustomEdit& edit) {
    return edit.PasswordChar() ? std::string(1, edit.PasswordChar()) : std::string();
}

void SetPasswordCharString(TCustomEdit& edit, const std::string& value) {
    edit.SetPasswordChar(value.empty() ? '\0' : value[0]);
}

[[maybe_unused]] const auto published =
    Publish<TCustomEdit>()
        .Integer("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0)
        .Boolean("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false)
        .Boolean("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect, true)
        .Boolean("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize, true)
        .Enumeration("BorderStyle", {"bsNone", "bsSingle"}, &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle,
                     bsSingle)
        .Enumeration("CharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"}, &TCustomEdit::CharCase,
                     &TCustomEdit::SetCharCase, ecNormal)
        .String("PasswordChar", &PasswordCharString, &SetPasswordCharString)
        .Boolean("ParentColor", &TCustomEdit::ParentColor, &TCustomEdit::SetParentColor, false)
        .Boolean("TabStop", &TCustomEdit::TabStop, &TCustomEdit::SetTabStop, true)
        .Event("OnChange", &TCustomEdit::OnChange);

}  // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(
        TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight, csOpaque});
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
    SetAutoSize(true);
}

TCustomEdit::~TCustomEdit() = default;

// --- properties ---

void TCustomEdit::SetMaxLength(int value) {
    // Like EM_LIMITTEXT: the text already there stays as it is.
    FMaxLength = std::max(value, 0);
}

void TCustomEdit::SetReadOnly(bool value) {
    if (FReadOnly == value) return;
    FReadOnly = value;
    Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    if (value != bsNone) value = bsSingle;
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    if (HandleAllocated()) RecreateWnd();
    if (AutoSize()) AdjustSize();
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    if (FCharCase == value) return;
    FCharCase = value;
    std::string converted = Converted(FEditText);
    if (converted == FEditText) return;
    int anchor = FAnchor, caret = FCaret;
    StoreText(converted, false);
    SetSelection(anchor, caret);
    Change();
}

void TCustomEdit::SetPasswordChar(char value) {
    if (FPasswordChar == value) return;
    FPasswordChar = value;
    TextChangedVisually();
}

std::string TCustomEdit::Converted(const std::string& text) const {
    switch (FCharCase) {
    case ecUpperCase: return UpperCase(text);
    case ecLowerCase: return LowerCase(text);
    default: return text;
    }
}

// --- text ---

std::string TCustomEdit::GetText() const {
    // Through the message path, so that whoever replaced WindowProc sees the question.
    return TControl::GetText();
}

void TCustomEdit::SetText(const std::string& value) {
    if (Converted(value) == FEditText) return;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
    Perform(CM_TEXTCHANGED);
}

void TCustomEdit::StoreText(std::string text, bool byUser) {
    FEditText = std::move(text);
    FAnchor = edittext::Snap(FEditText, FAnchor);
    FCaret = edittext::Snap(FEditText, FCaret);
    if (byUser) FModified = true;
    TextChangedVisually();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::ReplaceSelection(const std::string& text, bool typing) {
    int start = SelStart(), end = start + SelLength();
    if (text.empty() && start == end) return;
    // Consecutive typed characters make one undo step.
    bool continuesTyping = typing && FUndo.Valid && FUndo.Typing && start == end && FCaret == FUndo.TypingEnd;
    if (!continuesTyping) FUndo = TUndoRecord{true, FEditText, FAnchor, FCaret, false, 0};
    std::string replaced =
        FEditText.substr(0, static_cast<size_t>(start)) + text + FEditText.substr(static_cast<size_t>(end));
    int caret = start + static_cast<int>(text.size());
    bool changed = replaced != FEditText;
    StoreText(std::move(replaced), true);
    SetSelection(caret, caret);
    FUndo.Typing = typing;
    FUndo.TypingEnd = caret;
    if (changed) Change();
}

std::string TCustomEdit::FitToLimit(const std::string& text) const {
    if (FMaxLength <= 0) return text;
    int room = FMaxLength - (static_cast<int>(FEditText.size()) - SelLength());
    return edittext::FitPrefix(text, room);
}

void TCustomEdit::DeleteRange(int start, int end) {
    if (start == end) return;
    SetSelection(start, end);
    ReplaceSelection(std::string(), false);
}

// --- selection ---

int TCustomEdit::SelStart() const { return std::min(FAnchor, FCaret); }

int TCustomEdit::SelLength() const { return std::abs(FCaret - FAnchor); }

void TCustomEdit::SetSelStart(int value) { SetSelection(value, value); }

void TCustomEdit::SetSelLength(int value) {
    int start = SelStart();
    SetSelection(start, start + std::max(value, 0));
}

std::string TCustomEdit::SelText() const {
    return FEditText.substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength()));
}

void TCustomEdit::SetSelText(const std::string& value) {
    // As EM_REPLACESEL: the first line, within the limit, whether or not the edit is read-only.
    ReplaceSelection(FitToLimit(Converted(edittext::FirstLine(value))), false);
}

void TCustomEdit::SelectAll() { SetSelection(0, static_cast<int>(FEditText.size())); }

void TCustomEdit::ClearSelection() {
    if (CanEditText()) ReplaceSelection(std::string(), false);
}

void TCustomEdit::SetSelection(int anchor, int caret) {
    anchor = edittext::Snap(FEditText, anchor);
    caret = edittext::Snap(FEditText, caret);
    if (anchor == FAnchor && caret == FCaret) return;
    bool selectionShown = FAnchor != FCaret || anchor != caret;
    FAnchor = anchor;
    FCaret = caret;
    UpdateCaret();
    if (selectionShown) Invalidate();
}

void TCustomEdit::MoveCaret(int pos, bool extend) { SetSelection(extend ? FAnchor : pos, pos); }

// --- undo and clipboard ---

void TCustomEdit::Undo() {
    if (!FUndo.Valid || !CanEditText()) return;
    TUndoRecord redo{true, FEditText, FAnchor, FCaret, false, 0};
    TUndoRecord undo = FUndo;
    bool changed = undo.Text != FEditText;
    StoreText(undo.Text, true);
    SetSelection(undo.Anchor, undo.Caret);
    FUndo = redo;
    Invalidate();
    if (changed) Change();
}

void TCustomEdit::CopyToClipboard() {
    // A password never leaves the edit.
    if (FPasswordChar || SelLength() == 0) return;
    edittext::PutClipboardText(Handle(), SelText());
}

void TCustomEdit::CutToClipboard() {
    if (FPasswordChar || SelLength() == 0) return;
    CopyToClipboard();
    ClearSelection();
}

void TCustomEdit::PasteFromClipboard() {
    if (!CanEditText()) return;
    std::string text;
    if (!edittext::GetClipboardText(Handle(), text)) return;
    text = Converted(edittext::FirstLine(text));
    std::string fitting = FitToLimit(text);
    if (fitting.size() < text.size()) MessageBeep(MB_OK);
    if (fitting.empty() && SelLength() == 0) return;
    ReplaceSelection(fitting, false);
}

// --- messages ---

void TCustomEdit::CreateParams(TCreateParams& params) {
    inherited::CreateParams(params);
    // The control keeps its text itself, so bytes that are not valid code page 936 survive.
    params.Caption.clear();
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
    params.WindowClass.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
}

void TCustomEdit::Loaded() {
    inherited::Loaded();
    if (AutoSize()) AdjustSize();
}

void TCustomEdit::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_GETTEXTLENGTH: message.Result = static_cast<LRESULT>(FEditText.size()); return;
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<char*>(message.LParam);
        size_t room = message.WParam;
        if (!buffer || room == 0) {
            message.Result = 0;
            return;
        }
        size_t count = std::min(room - 1, FEditText.size());
        std::memcpy(buffer, FEditText.data(), count);
        buffer[count] = '\0';
        message.Result = static_cast<LRESULT>(count);
        return;
    }
    case WM_SETTEXT: {
        const auto* text = reinterpret_cast<const char*>(message.LParam);
        std::string value = Converted(text ? text : "");
        bool changed = value != FEditText;
        FUndo = TUndoRecord{};
        FModified = false;
        FAnchor = FCaret = 0;
        FScrollX = 0;
        StoreText(std::move(value), false);
        message.Result = TRUE;
        if (changed) Change();
        return;
    }
    case WM_GETDLGCODE: message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS; return;
    case WM_ERASEBKGND:
        // Paint covers the whole client area.
        message.Result = 1;
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: HandleMouseDown(message, message.Msg == WM_LBUTTONDBLCLK); break;
    case WM_MOUSEMOVE: HandleMouseMove(message); break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE: FSelecting = false; break;
    case WM_SETFOCUS:
        inherited::WndProc(message);
        HandleSetFocus();
        return;
    case WM_KILLFOCUS: HandleKillFocus(); break;
    case WM_DESTROY: FHasCaret = false; break;
    case WM_SIZE:
        inherited::WndProc(message);
        UpdateCaret();
        return;
    case WM_IME_CHAR: {
        // Both bytes of a double-byte character at once: they go the way two WM_CHAR bytes would.
        auto lead = static_cast<unsigned char>(message.WParam >> 8);
        auto trail = static_cast<unsigned char>(message.WParam & 0xFF);
        if (lead) Perform(WM_CHAR, lead, message.LParam);
        Perform(WM_CHAR, trail, message.LParam);
        return;
    }
    case CM_FONTCHANGED:
        inherited::WndProc(message);
        FLineHeight = 0;
        if (AutoSize()) AdjustSize();
        if (FHasCaret) CreateEditCaret();
        TextChangedVisually();
        return;
    case WM_COPY: CopyToClipboard(); return;
    case WM_CUT: CutToClipboard(); return;
    case WM_PASTE: PasteFromClipboard(); return;
    case WM_CLEAR: ClearSelection(); return;
    case WM_UNDO:
    case EM_UNDO:
        message.Result = FUndo.Valid && CanEditText() ? TRUE : FALSE;
        Undo();
        return;
    case EM_CANUNDO: message.Result = CanUndo() ? TRUE : FALSE; return;
    case EM_EMPTYUNDOBUFFER: ClearUndo(); return;
    case EM_GETSEL: {
        auto start = static_cast<DWORD>(SelStart());
        auto end = static_cast<DWORD>(SelStart() + SelLength());
        if (auto* startOut = reinterpret_cast<DWORD*>(message.WParam)) *startOut = start;
        if (auto* endOut = reinterpret_cast<DWORD*>(message.LParam)) *endOut = end;
        message.Result = (start > 0xFFFF || end > 0xFFFF) ? -1 : static_cast<LRESULT>(MAKELONG(start, end));
        return;
    }
    case EM_SETSEL: {
        auto start = static_cast<int>(static_cast<LONG>(message.WParam));
        auto end = static_cast<int>(static_cast<LONG>(message.LParam));
        int length = static_cast<int>(FEditText.size());
        if (start < 0) {
            // -1 removes the selection and leaves the caret where it is.
            SetSelection(FCaret, FCaret);
            return;
        }
        if (end < 0 || end > length) end = length;
        SetSelection(std::min(start, length), end);
        return;
    }
    case EM_REPLACESEL:
        SetSelText(message.LParam ? reinterpret_cast<const char*>(message.LParam) : "");
        if (!message.WParam) ClearUndo();
        return;
    case EM_LIMITTEXT: SetMaxLength(static_cast<int>(std::min<WPARAM>(message.WParam, 0x7FFFFFFE))); return;
    case EM_GETLIMITTEXT: message.Result = FMaxLength > 0 ? FMaxLength : 0x7FFFFFFE; return;
    case EM_GETMODIFY: message.Result = FModified ? TRUE : FALSE; return;
    case EM_SETMODIFY: FModified = message.WParam != 0; return;
    case EM_SETREADONLY:
        SetReadOnly(message.WParam != 0);
        message.Result = TRUE;
        return;
    case EM_SETPASSWORDCHAR: SetPasswordChar(static_cast<char>(message.WParam)); return;
    case EM_GETPASSWORDCHAR: message.Result = static_cast<unsigned char>(FPasswordChar); return;
    default: break;
    }
    inherited::WndProc(message);
}
