// TSpinEdit: the value kept as text, clamped when set by code and when the focus leaves; digits and '-' only;
// Up/Down and the spin buttons step it.
#include <toolkit/PropertyRegistry.h>
#include <toolkit/SpinEdit.h>
#include <toolkit/SysUtils.h>

#include <algorithm>

namespace {

[[maybe_unused]] const auto published =
    Publish<TSpinEdit>()
        .Integer("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue, 0)
        .Integer("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue, 0)
        .Integer("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement, 1)
        .Integer("Value", &TSpinEdit::Value, &TSpinEdit::SetValue, 0)
        .Boolean("EditorEnabled", &TSpinEdit::EditorEnabled, &TSpinEdit::SetEditorEnabled, true);

}  // namespace

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner), FButton(new TSpinButton(this)) {
    FButton->SetFocusControl(this);
    FButton->SetVisible(true);
    FButton->SetParent(this);
    FButton->OnUpClick = [this](TObject*) { UpClick(); };
    FButton->OnDownClick = [this](TObject*) { DownClick(); };
    SetText("0");
}

TSpinEdit::~TSpinEdit() = default;

void TSpinEdit::SetMinValue(int value) { FMinValue = value; }

void TSpinEdit::SetMaxValue(int value) { FMaxValue = value; }

int TSpinEdit::CheckValue(int value) const {
    if (FMinValue == 0 && FMaxValue == 0) return value;
    // A range given the wrong way round still has its lower end win.
    return std::max(FMinValue, std::min(value, FMaxValue));
}

int TSpinEdit::Value() const { return StrToIntDef(Text(), 0); }

void TSpinEdit::SetValue(int value) { SetText(IntToStr(CheckValue(value))); }

void TSpinEdit::UpClick() {
    if (ReadOnly()) {
        MessageBeep(MB_OK);
        return;
    }
    SetValue(Value() + FIncrement);
}

void TSpinEdit::DownClick() {
    if (ReadOnly()) {
        MessageBeep(MB_OK);
        return;
    }
    SetValue(Value() - FIncrement);
}

void TSpinEdit::KeyDown(WORD& key, TShiftState shift) {
    if (key != VK_UP && key != VK_DOWN) {
        inherited::KeyDown(key, shift);
        return;
    }
    bool up = key == VK_UP;
    if (OnKeyDown) OnKeyDown(this, key, shift);
    if (key == 0) return;
    if (up)
        UpClick();
    else
        DownClick();
    key = 0;
}

void TSpinEdit::KeyPress(char& key) {
    auto byte = static_cast<unsigned char>(key);
    // Control characters (Backspace, the clipboard keys) pass; of the rest only digits and the sign.
    bool valid = byte < 0x20 || byte == 0x7F || (byte >= '0' && byte <= '9') || byte == '-';
    if (!valid || (byte >= 0x20 && byte != 0x7F && !FEditorEnabled)) {
        key = 0;
        MessageBeep(MB_OK);
        return;
    }
    inherited::KeyPress(key);
}

void TSpinEdit::CreateParams(TCreateParams& params) {
    inherited::CreateParams(params);
    // The buttons are a child window that the edit's painting must leave alone.
    params.Style |= WS_CLIPCHILDREN;
}

void TSpinEdit::CreateWnd() {
    inherited::CreateWnd();
    PlaceButton();
}

void TSpinEdit::PlaceButton() {
    if (!HandleAllocated()) return;
    RECT client = ClientRect();
    FButton->SetBounds(client.right - FButton->Width(), 0, FButton->Width(), client.bottom);
}

RECT TSpinEdit::EditRect() {
    RECT rect = inherited::EditRect();
    rect.right = std::max<LONG>(rect.left, rect.right - FButton->Width());
    return rect;
}

void TSpinEdit::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_SIZE:
        inherited::WndProc(message);
        PlaceButton();
        return;
    case CM_EXIT: {
        // Leaving the field brings what was typed into the range; text that is no number becomes one.
        int value = Value();
        int parsed = 0;
        if (!TryStrToInt(Text(), parsed) || CheckValue(value) != value) SetValue(value);
        break;
    }
    case CM_ENABLEDCHANGED: FButton->SetEnabled(Enabled()); break;
    default: break;
    }
    inherited::WndProc(message);
}
