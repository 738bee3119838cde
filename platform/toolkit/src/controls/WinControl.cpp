// TWinControl: the window behind the control (class registration, creation, destruction, the window procedure
// that routes to WndProc), the child lists, showing and bounds.
#include <toolkit/ControlCanvas.h>
#include <toolkit/List.h>
#include <toolkit/PropertyRegistry.h>
#include <toolkit/WinControl.h>

#include "ControlsInternal.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace {

[[maybe_unused]] const auto published =
    Publish<TWinControl>()
        .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
        .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1)
        .Boolean("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnKeyUp", &TWinControl::OnKeyUp);

std::unordered_map<HWND, TWinControl*>& ControlWindows() {
    static std::unordered_map<HWND, TWinControl*> windows;
    return windows;
}

// The control whose CreateWindowEx is running: the first message to the new window binds the two.
TWinControl* GCreationControl = nullptr;

TExceptionHandler& ExceptionHandler() {
    static TExceptionHandler handler;
    return handler;
}

[[noreturn]] void RaiseLastOSError() {
    throw Exception("System Error.  Code: " + std::to_string(GetLastError()) + ".");
}

}  // namespace

LRESULT ToolkitWindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = FindControl(hwnd);
    if (!control && GCreationControl) {
        control = GCreationControl;
        GCreationControl = nullptr;
        control->FHandle = hwnd;
        ControlWindows()[hwnd] = control;
    }
    if (!control) return DefWindowProcA(hwnd, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    try {
        // A copy: the handler may replace the control's WindowProc while it runs.
        TControl::TWndMethod windowProc = control->WindowProc();
        windowProc(message);
    } catch (...) {
        // An exception must not unwind through the window manager's frames.
        try {
            if (ExceptionHandler()) {
                ExceptionHandler()(control);
            } else {
                try {
                    throw;
                } catch (const std::exception& error) {
                    std::fprintf(stderr, "%s\n", error.what());
                }
            }
        } catch (...) {}
    }
    return message.Result;
}

void ForgetControlWindow(HWND handle) { ControlWindows().erase(handle); }

TWinControl* FindControl(HWND handle) {
    if (!handle) return nullptr;
    auto& windows = ControlWindows();
    auto it = windows.find(handle);
    return it == windows.end() ? nullptr : it->second;
}

void SetControlExceptionHandler(TExceptionHandler handler) { ExceptionHandler() = std::move(handler); }

TWinControl::TWinControl(TComponent* owner) : TControl(owner), FBrush(std::make_unique<TBrush>()) {
    FBrush->SetColor(Color());
}

TWinControl::~TWinControl() {
    Destroying();
    SetParent(nullptr);
    while (ControlCount() > 0) {
        TControl* child = Controls(ControlCount() - 1);
        // The focus root must not keep pointing into a child that is going: its window's destruction moves the
        // focus to this window, whose WM_SETFOCUS would send CM_EXIT to the dead control.
        if (auto* windowed = dynamic_cast<TWinControl*>(child)) windowed->RemoveFocus(true);
        Remove(child);
        delete child;
    }
    DestroyHandle();
    if (GCreationControl == this) GCreationControl = nullptr;
}

// --- the window ---

HWND TWinControl::Handle() {
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded() {
    if (FHandle) return;
    if (FParent) FParent->HandleNeeded();
    CreateHandle();
}

void TWinControl::SetParentWindow(HWND value) {
    if (FParent || FParentWindow == value) return;
    if (FHandle && FParentWindow && value) {
        FParentWindow = value;
        ::SetParent(FHandle, value);
    } else {
        DestroyHandle();
        FParentWindow = value;
    }
    UpdateControlState();
}

void TWinControl::CreateParams(TCreateParams& params) {
    params = TCreateParams{};
    params.Caption = FText;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle().Contains(csAcceptsControls)) {
        params.Style |= WS_CLIPCHILDREN;
        params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!Enabled()) params.Style |= WS_DISABLED;
    if (FTabStop) params.Style |= WS_TABSTOP;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    params.WndParent = FParent ? FParent->Handle() : FParentWindow;
    params.WindowClass.cbSize = sizeof(WNDCLASSEXA);
    params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    params.WindowClass.lpfnWndProc = DefWindowProcA;
    params.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    params.WindowClass.hbrBackground = nullptr;
    params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* controlClassName) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExA(nullptr, controlClassName, &existing)) RaiseLastOSError();
    // Keep the toolkit's own class styles that make sense for any control, the rest comes from the base class.
    UINT keep = params.WindowClass.style & (CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
    params.WindowClass = existing;
    params.WindowClass.style = (existing.style & ~(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW)) | keep;
}

void TWinControl::CreateHandle() {
    if (FHandle) return;
    CreateWnd();
    if (FParent)
        SetWindowPos(FHandle, FParent->PrecedingWindow(this), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->UpdateAnchorRules();
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if (!params.WndParent && (params.Style & WS_CHILD))
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    FDefWndProc = params.WindowClass.lpfnWndProc;
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    bool registered = GetClassInfoExA(params.WindowClass.hInstance, params.WinClassName.c_str(), &existing) != FALSE;
    if (!registered || existing.lpfnWndProc != &ToolkitWindowProcedure) {
        if (registered) UnregisterClassA(params.WinClassName.c_str(), params.WindowClass.hInstance);
        WNDCLASSEXA windowClass = params.WindowClass;
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &ToolkitWindowProcedure;
        windowClass.lpszClassName = params.WinClassName.c_str();
        if (!RegisterClassExA(&windowClass)) RaiseLastOSError();
    }
    CreateWindowHandle(params);
    if (!FHandle) RaiseLastOSError();
    if ((GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD) && GetWindowLongPtrA(FHandle, GWLP_ID) == 0)
        SetWindowLongPtrA(FHandle, GWLP_ID, reinterpret_cast<LONG_PTR>(FHandle));
    // From now on the window holds the text.
    FText.clear();
    UpdateBounds();
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 1);
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
    GCreationControl = this;
    HWND handle = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                                  params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr,
                                  params.WindowClass.hInstance, params.Param);
    DWORD error = GetLastError();
    if (GCreationControl == this) GCreationControl = nullptr;
    if (!handle) {
        // The window may have been bound and destroyed again (WM_NCCREATE or WM_CREATE refused).
        if (FHandle) ControlWindows().erase(FHandle);
        FHandle = nullptr;
        SetLastError(error);
        return;
    }
    FHandle = handle;
    ControlWindows()[handle] = this;
}

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    for (TWinControl* child : FWinControls) child->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    // The text lives on without the window.
    FText = GetText();
    TControlCanvas::FreeDeviceContexts(FHandle);
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    SetControlState(ControlState() + TControlState{csDestroyingHandle});
    BOOL destroyed = DestroyWindow(FHandle);
    SetControlState(ControlState() - TControlState{csDestroyingHandle});
    if (!destroyed && IsWindow(FHandle)) RaiseLastOSError();
    if (FHandle) ControlWindows().erase(FHandle);
    FHandle = nullptr;
    FShowing = false;
}

void TWinControl::RecreateWnd() {
    if (FHandle) Perform(CM_RECREATEWND);
}

std::string TWinControl::GetText() const {
    if (!FHandle) return inherited::GetText();
    // Through the window procedure, so that whoever subclassed the window sees the question.
    int length = GetWindowTextLengthA(FHandle);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(FHandle, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(0, std::min(copied, length))));
    return text;
}

// --- showing ---

void TWinControl::UpdateControlState() {
    TWinControl* control = this;
    while (control->FParent) {
        control = control->FParent;
        if (!control->Showing()) return;
    }
    if (control->IsShowingRoot()) UpdateShowing();
}

void TWinControl::UpdateShowing() {
    bool show = Visible() && !ControlState().Contains(csReadingState);
    if (show) {
        if (!FHandle) CreateHandle();
        // The list may change under us when a handler reparents a control.
        std::vector<TWinControl*> children = FWinControls;
        for (TWinControl* child : children) child->UpdateShowing();
    }
    if (FHandle && FShowing != show) {
        FShowing = show;
        try {
            Perform(CM_SHOWINGCHANGED);
        } catch (...) {
            FShowing = !show;
            throw;
        }
    }
}

// --- bounds ---

void TWinControl::SetBounds(int left, int top, int width, int height) {
    CheckNewSize(width, height);
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    if (FHandle && !IsIconic(FHandle)) {
        SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        bool resized = width != Width() || height != Height();
        FLeft = left;
        FTop = top;
        FWidth = width;
        FHeight = height;
        if (resized) {
            Realign();
            if (!ComponentState().Contains(csLoading)) Resize();
        }
    }
    UpdateAnchorRules();
    RequestAlign();
}

void TWinControl::UpdateBounds() {
    RECT rect;
    GetWindowRect(FHandle, &rect);
    if (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD) {
        if (HWND parent = GetParent(FHandle)) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    FLeft = rect.left;
    FTop = rect.top;
    FWidth = rect.right - rect.left;
    FHeight = rect.bottom - rect.top;
    UpdateAnchorRules();
}

RECT TWinControl::ClientRect() {
    if (!FHandle) return inherited::ClientRect();
    RECT rect{};
    ::GetClientRect(FHandle, &rect);
    return rect;
}

POINT TWinControl::ClientOrigin() {
    POINT origin{0, 0};
    if (FHandle) {
        ::ClientToScreen(FHandle, &origin);
        return origin;
    }
    if (FParent) return inherited::ClientOrigin();
    origin = POINT{Left(), Top()};
    if (FParentWindow) ::ClientToScreen(FParentWindow, &origin);
    return origin;
}

// --- children ---

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    auto graphic = static_cast<int>(FControls.size());
    return index < graphic ? FControls[index] : FWinControls[index - graphic];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    while (control && control != this) control = control->Parent();
    return control != nullptr;
}

TControl* TWinControl::ControlAtPos(POINT pos, bool allowDisabled, bool allowWinControls) {
    auto hits = [&](TControl* control) {
        if (!control->Visible() || !(control->Enabled() || allowDisabled)) return false;
        RECT bounds = control->BoundsRect();
        if (!PtInRect(&bounds, pos)) return false;
        POINT local{pos.x - control->Left(), pos.y - control->Top()};
        return control->Perform(CM_HITTEST, 0, MAKELPARAM(local.x, local.y)) != 0;
    };
    if (allowWinControls)
        for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
            if (hits(*it)) return *it;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (hits(*it)) return *it;
    return nullptr;
}

void TWinControl::Insert(TControl* control) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        FWinControls.push_back(windowed);
        FTabList.push_back(windowed);
    } else {
        FControls.push_back(control);
    }
    control->FParent = this;
}

void TWinControl::Remove(TControl* control) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), windowed), FTabList.end());
        FWinControls.erase(std::remove(FWinControls.begin(), FWinControls.end(), windowed), FWinControls.end());
    } else {
        FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
    }
    control->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* control) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && windowed->ContainsControl(this))
        throw EInvalidOperation("A control cannot contain its own parent");
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), TRUE);
    Insert(control);
    if (!control->ComponentState().Contains(csReading)) {
        control->Perform(CM_PARENTCOLORCHANGED);
        control->Perform(CM_PARENTFONTCHANGED);
        control->Perform(CM_PARENTSHOWHINTCHANGED);
        if (auto* windowed = dynamic_cast<TWinControl*>(control))
            windowed->UpdateControlState();
        else if (FHandle)
            control->Invalidate();
        AlignControl(control);
    }
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), TRUE);
}

void TWinControl::RemoveControl(TControl* control) {
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), FALSE);
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        windowed->RemoveFocus(true);
        windowed->DestroyHandle();
    } else if (FHandle) {
        control->InvalidateControl(control->Visible(), false);
    }
    Remove(control);
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), FALSE);
    Realign();
}

HWND TWinControl::PrecedingWindow(TWinControl* control) const {
    auto it = std::find(FWinControls.begin(), FWinControls.end(), control);
    if (it != FWinControls.end())
        for (++it; it != FWinControls.end(); ++it)
            if ((*it)->FHandle) return (*it)->FHandle;
    return HWND_TOP;
}

void TWinControl::MoveInZOrder(TControl* control, bool toFront) {
    auto move = [toFront](auto& list, auto* item) {
        auto it = std::find(list.begin(), list.end(), item);
        if (it == list.end()) return false;
        list.erase(it);
        if (toFront)
            list.push_back(item);
        else
            list.insert(list.begin(), item);
        return true;
    };
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        if (move(FWinControls, windowed) && windowed->FHandle)
            SetWindowPos(windowed->FHandle, toFront ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else if (move(FControls, control)) {
        control->Invalidate();
    }
}

void TWinControl::Broadcast(TMessage& message) {
    for (int i = 0; i < ControlCount(); ++i) {
        Controls(i)->WindowProc()(message);
        if (message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT msg) {
    TMessage message{msg, 0, 0, 0};
    Broadcast(message);
}

void TWinControl::Loaded() {
    inherited::Loaded();
    if (FParent || FParentWindow) UpdateControlState();
    Realign();
}

// --- invalidation ---

void TWinControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, ControlStyle().Contains(csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}
