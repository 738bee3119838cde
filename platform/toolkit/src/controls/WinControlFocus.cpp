// TWinControl's focus: CanFocus and SetFocus, the top-level control's bookkeeping of the focused control with
// CM_EXIT / CM_ENTER along the chains, and Tab order.
#include <toolkit/WinControl.h>

#include <algorithm>

TWinControl* TWinControl::TopLevelControl() {
    TWinControl* control = this;
    while (control->FParent) control = control->FParent;
    return control;
}

bool TWinControl::CanFocus() {
    TWinControl* root = TopLevelControl();
    for (TControl* control = this; control != root; control = control->Parent())
        if (!control->Visible() || !control->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    TopLevelControl()->FocusControl(this);
}

void TWinControl::FocusControl(TWinControl* control) { ::SetFocus(control->Handle()); }

bool TWinControl::Focused() { return FHandle && GetFocus() == FHandle; }

namespace {

// Sends a focus message; false when the focus moved again while it was handled.
bool SendFocusMessage(TWinControl* control, UINT msg, const int& focusCount) {
    int before = focusCount;
    control->Perform(msg);
    return focusCount == before;
}

}  // namespace

bool TWinControl::SetFocusedControl(TWinControl* control) {
    if (control->ControlState().Contains(csFocusing)) return false;
    ++FFocusCount;
    control->SetControlState(control->ControlState() + TControlState{csFocusing});
    bool completed = false;
    try {
        if (!FFocusedControl) FFocusedControl = this;
        if (FFocusedControl != control) {
            // Leave every control of the old chain that does not also hold the new one, innermost first.
            while (FFocusedControl && !FFocusedControl->ContainsControl(control)) {
                TWinControl* leaving = FFocusedControl;
                FFocusedControl = FFocusedControl->FParent;
                if (!SendFocusMessage(leaving, CM_EXIT, FFocusCount)) throw 0;
            }
            // Enter every control of the new chain, outermost first.
            while (FFocusedControl != control) {
                TWinControl* entering = control;
                while (entering->FParent != FFocusedControl) entering = entering->FParent;
                FFocusedControl = entering;
                if (!SendFocusMessage(entering, CM_ENTER, FFocusCount)) throw 0;
            }
            Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
        }
        completed = true;
    } catch (int) {
        completed = false;
    } catch (...) {
        control->SetControlState(control->ControlState() - TControlState{csFocusing});
        throw;
    }
    control->SetControlState(control->ControlState() - TControlState{csFocusing});
    return completed;
}

void TWinControl::DefocusControl(TWinControl* control, bool removing) {
    if (!FFocusedControl || !control->ContainsControl(FFocusedControl)) return;
    if (removing) {
        FFocusedControl = control->FParent;
        return;
    }
    // A hidden or disabled control gives the focus back to the top-level control.
    if (FHandle && control->FHandle && (GetFocus() == control->FHandle || IsChild(control->FHandle, GetFocus())))
        ::SetFocus(FHandle);
}

void TWinControl::RemoveFocus(bool removing) {
    TWinControl* root = TopLevelControl();
    if (root != this) root->DefocusControl(this, removing);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

// --- Tab order ---

void TWinControl::SetTabStop(bool value) {
    if (FTabStop == value) return;
    FTabStop = value;
    if (FHandle) {
        LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE);
        SetWindowLongPtrA(FHandle, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP)));
    }
    Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const {
    if (!FParent) return -1;
    const auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (!FParent) return;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    int count = static_cast<int>(list.size());
    if (value < 0 || value >= count) value = count - 1;
    list.erase(it);
    list.insert(list.begin() + value, this);
}

void TWinControl::ListTabOrder(std::vector<TWinControl*>& list) {
    for (TWinControl* child : FTabList) {
        list.push_back(child);
        child->ListTabOrder(list);
    }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) { ListTabOrder(list); }

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    auto count = static_cast<int>(list.size());
    auto it = std::find(list.begin(), list.end(), current);
    int start = it == list.end() ? (goForward ? count - 1 : 0) : static_cast<int>(it - list.begin());
    int index = start;
    for (int step = 0; step < count; ++step) {
        index = goForward ? (index + 1) % count : (index - 1 + count) % count;
        TWinControl* candidate = list[static_cast<size_t>(index)];
        if (candidate == current) break;
        if ((!checkTabStop || candidate->TabStop()) && (!checkParent || candidate->FParent == this) &&
            candidate->CanFocus())
            return candidate;
    }
    return nullptr;
}

void TWinControl::SelectFirst() {
    TWinControl* first = FindNextControl(nullptr, true, true, false);
    if (!first) first = FindNextControl(nullptr, true, false, false);
    if (first) first->SetFocus();
}
