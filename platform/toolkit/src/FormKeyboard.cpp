// The form's side of the dialog keyboard: Tab and the arrows move the focus, other dialog keys and accelerator
// characters go to the controls until one takes them, and KeyPreview shows a child's keys to the form first.
#include <toolkit/Form.h>

namespace {

// Offers a dialog key or character to every control inside container, depth first, until one takes it: the
// default button may sit in a panel.
void BroadcastDeep(TWinControl* container, TMessage& message) {
    for (int i = 0; i < container->ControlCount() && message.Result == 0; ++i) {
        TControl* control = container->Controls(i);
        message.Result = control->Perform(message.Msg, message.WParam, message.LParam);
        if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && message.Result == 0)
            BroadcastDeep(windowed, message);
    }
}

}  // namespace

void TCustomForm::DialogChar(TMessage& message) {
    message.Result = 0;
    BroadcastDeep(this, message);
}

void TCustomForm::DialogKey(TMessage& message) {
    WORD key = static_cast<WORD>(message.WParam);
    // Alt with a dialog key belongs to the system (Alt+Tab, the menus).
    if (GetKeyState(VK_MENU) >= 0) {
        switch (key) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            // Arrows move among the siblings of the active control, Tab stops or not (radio groups).
            if (FActiveControl && FActiveControl->Parent()) {
                TWinControl* parent = FActiveControl->Parent();
                TWinControl* next = nullptr;
                std::vector<TWinControl*> list;
                parent->GetTabOrderList(list);
                bool forward = key == VK_RIGHT || key == VK_DOWN;
                auto count = static_cast<int>(list.size());
                int index = -1;
                for (int i = 0; i < count; ++i)
                    if (list[static_cast<size_t>(i)] == FActiveControl) index = i;
                for (int step = 1; index >= 0 && step < count && !next; ++step) {
                    TWinControl* candidate =
                        list[static_cast<size_t>((index + (forward ? step : count - step)) % count)];
                    if (candidate->Parent() == parent && candidate->CanFocus()) next = candidate;
                }
                if (next) next->SetFocus();
                message.Result = 1;
            }
            return;
        default: break;
        }
    }
    message.Result = 0;
    BroadcastDeep(this, message);
}

bool TCustomForm::PreviewKeyMessage(TMessage& message) {
    if (!FKeyPreview || !HandleAllocated() || GetFocus() == Handle()) return false;
    switch (message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(message.WParam);
        if (message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN)
            KeyDown(key, KeyboardShiftState());
        else
            KeyUp(key, KeyboardShiftState());
        message.WParam = key;
        return key == 0;
    }
    case WM_CHAR: {
        char key = static_cast<char>(message.WParam);
        KeyPress(key);
        message.WParam = static_cast<unsigned char>(key);
        return key == 0;
    }
    default: return false;
    }
}
