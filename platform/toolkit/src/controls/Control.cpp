// TControl: properties, the message path and the mouse handling every control shares.
#include <toolkit/Control.h>
#include <toolkit/Form.h>
#include <toolkit/PropertyRegistry.h>
#include <toolkit/WinControl.h>

#include "ControlsInternal.h"

#include <algorithm>
#include <cstring>

namespace {

[[maybe_unused]] const auto published =
    Publish<TControl>()
        .Integer("Left", &TControl::Left, &TControl::SetLeft)
        .Integer("Top", &TControl::Top, &TControl::SetTop)
        .Integer("Width", &TControl::Width, &TControl::SetWidth)
        .Integer("Height", &TControl::Height, &TControl::SetHeight)
        .Enumeration("Align", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"},
                     &TControl::Align, &TControl::SetAlign, alNone)
        .Set<TAnchorKind>("Anchors", {"akLeft", "akTop", "akRight", "akBottom"}, &TControl::Anchors,
                          &TControl::SetAnchors, TAnchors{akLeft, akTop})
        .Object("Constraints", &TControl::Constraints)
        .Boolean("Visible", &TControl::Visible, &TControl::SetVisible, true)
        .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
        .Color("Color", &TControl::Color, &TControl::SetColor, clWindow)
        .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true)
        .Object("Font", &TControl::Font)
        .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
        .String("Caption", &TControl::Caption, &TControl::SetCaption)
        .String("Text", &TControl::Text, &TControl::SetText)
        .String("Hint", &TControl::Hint, &TControl::SetHint)
        .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
        .Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true)
        .Boolean("AutoSize", &TControl::AutoSize, &TControl::SetAutoSize)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Event("OnMouseEnter", &TControl::OnMouseEnter)
        .Event("OnMouseLeave", &TControl::OnMouseLeave)
        .Event("OnResize", &TControl::OnResize);

TControl* GCaptureControl = nullptr;

}  // namespace

const TAnchors AnchorAlign[alCustom + 1] = {
    {akLeft, akTop},                     // alNone
    {akLeft, akTop, akRight},            // alTop
    {akLeft, akRight, akBottom},         // alBottom
    {akLeft, akTop, akBottom},           // alLeft
    {akRight, akTop, akBottom},          // alRight
    {akLeft, akTop, akRight, akBottom},  // alClient
    {akLeft, akTop},                     // alCustom
};

TShiftState ShiftStateFromKeys(WPARAM keys) {
    TShiftState shift;
    if (keys & MK_SHIFT) shift.Include(ssShift);
    if (keys & MK_CONTROL) shift.Include(ssCtrl);
    if (keys & MK_LBUTTON) shift.Include(ssLeft);
    if (keys & MK_RBUTTON) shift.Include(ssRight);
    if (keys & MK_MBUTTON) shift.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return shift;
}

TShiftState KeyboardShiftState() {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return shift;
}

TControl::TControl(TComponent* owner)
    : TComponent(owner),
      FConstraints(std::make_unique<TSizeConstraints>()),
      FFont(std::make_unique<TFont>()),
      FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks} {
    FWindowProc = [this](TMessage& message) { WndProc(message); };
    FFont->OnChange = [this](TObject*) { FontChanged(); };
    FConstraints->OnChange = [this](TObject*) { ConstraintsChanged(); };
}

TControl::~TControl() {
    ForgetMouseControl(this);
    if (GCaptureControl == this) SetCaptureControl(nullptr);
    SetParent(nullptr);
}

// --- parent and bounds ---

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (parent) {
        parent->InsertControl(this);
        UpdateAnchorRules();
    }
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* value) {
    auto* parent = dynamic_cast<TWinControl*>(value);
    if (value && !parent) throw EInvalidOperation("'" + value->Name() + "' cannot contain controls");
    SetParent(parent);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    CheckNewSize(width, height);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    InvalidateControl(FVisible, false);
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    UpdateAnchorRules();
    Invalidate();
    Perform(WM_WINDOWPOSCHANGED);
    RequestAlign();
    if (!ComponentState().Contains(csLoading)) Resize();
}

void TControl::CheckNewSize(int& newWidth, int& newHeight) {
    newWidth = std::max(newWidth, 0);
    newHeight = std::max(newHeight, 0);
    int width = newWidth, height = newHeight;
    if (!CanResize(width, height)) {
        newWidth = FWidth;
        newHeight = FHeight;
        return;
    }
    DoConstrainedResize(width, height);
    if (FAutoSize) CanAutoSize(width, height);
    newWidth = width;
    newHeight = height;
}

bool TControl::CanResize(int&, int&) { return true; }

bool TControl::CanAutoSize(int&, int&) { return true; }

void TControl::ConstrainedResize(int&, int&, int&, int&) {}

void TControl::DoConstrainedResize(int& newWidth, int& newHeight) {
    int minWidth = FConstraints->MinWidth(), minHeight = FConstraints->MinHeight();
    int maxWidth = FConstraints->MaxWidth(), maxHeight = FConstraints->MaxHeight();
    ConstrainedResize(minWidth, minHeight, maxWidth, maxHeight);
    if (minWidth > 0 && newWidth < minWidth)
        newWidth = minWidth;
    else if (maxWidth > 0 && newWidth > maxWidth)
        newWidth = maxWidth;
    if (minHeight > 0 && newHeight < minHeight)
        newHeight = minHeight;
    else if (maxHeight > 0 && newHeight > maxHeight)
        newHeight = maxHeight;
}

void TControl::ConstraintsChanged() {
    if (ComponentState().Contains(csLoading)) return;
    AdjustSize();
}

void TControl::AdjustSize() {
    if (!ComponentState().Contains(csLoading)) SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::SetAutoSize(bool value) {
    if (FAutoSize == value) return;
    FAutoSize = value;
    if (value) AdjustSize();
}

RECT TControl::ClientRect() { return RECT{0, 0, FWidth, FHeight}; }

void TControl::SetClientSize(int width, int height) {
    RECT client = ClientRect();
    SetBounds(FLeft, FTop, FWidth - client.right + width, FHeight - client.bottom + height);
}

POINT TControl::ClientOrigin() {
    if (!FParent) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    POINT origin = FParent->ClientOrigin();
    return POINT{origin.x + FLeft, origin.y + FTop};
}

POINT TControl::ClientToScreen(POINT point) {
    POINT origin = ClientOrigin();
    return POINT{point.x + origin.x, point.y + origin.y};
}

POINT TControl::ScreenToClient(POINT point) {
    POINT origin = ClientOrigin();
    return POINT{point.x - origin.x, point.y - origin.y};
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::RequestAlign() {
    if (FParent) FParent->AlignControl(this);
}

void TControl::SetAlign(TAlign value) {
    if (FAlign == value) return;
    TAlign oldAlign = FAlign;
    FAlign = value;
    SetAnchors(AnchorAlign[value]);
    if (!ComponentState().Contains(csLoading)) {
        bool wasHorizontalBar = oldAlign == alTop || oldAlign == alBottom;
        bool isVerticalBar = value == alLeft || value == alRight;
        bool bothBars = oldAlign != alNone && oldAlign != alClient && oldAlign != alCustom && value != alNone &&
                        value != alClient && value != alCustom;
        // A bar turned from horizontal to vertical (or back) keeps its thickness.
        if (bothBars && wasHorizontalBar == isVerticalBar)
            SetBounds(FLeft, FTop, FHeight, FWidth);
        else
            AdjustSize();
    }
    RequestAlign();
}

void TControl::SetAnchors(TAnchors value) {
    if (FAnchors == value) return;
    FAnchors = value;
    if (!ComponentState().Contains(csLoading)) UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
    if (FAnchorMove || ComponentState().Contains(csLoading)) return;
    if (FAnchors == TAnchors{akLeft, akTop}) {
        FOriginalParentSize = POINT{0, 0};
        return;
    }
    if (FAnchors.Contains(akRight))
        FAnchorRules.x = FAnchors.Contains(akLeft) ? FWidth : FLeft;
    else
        FAnchorRules.x = FLeft + FWidth / 2;
    if (FAnchors.Contains(akBottom))
        FAnchorRules.y = FAnchors.Contains(akTop) ? FHeight : FTop;
    else
        FAnchorRules.y = FTop + FHeight / 2;
    if (FParent) {
        RECT client = FParent->ClientRect();
        FOriginalParentSize = POINT{client.right, client.bottom};
    }
}

// --- visibility, enabling, colour, font, text ---

void TControl::SetVisible(bool value) {
    if (FVisible == value) return;
    VisibleChanging();
    FVisible = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
    RequestAlign();
}

void TControl::Show() { SetVisible(true); }

void TControl::SetEnabled(bool value) {
    if (FEnabled == value) return;
    FEnabled = value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor value) {
    if (FColor == value) {
        FParentColor = false;
        return;
    }
    FColor = value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    if (FParentColor == value) return;
    FParentColor = value;
    if (FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::FontChanged() {
    FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool value) {
    if (FParentFont == value) return;
    FParentFont = value;
    if (FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTFONTCHANGED);
}

void TControl::ApplyParentFont(TFont* parentFont) {
    if (!FParentFont || !parentFont) return;
    FFont->Assign(*parentFont);
    FParentFont = true;  // the assignment's change notice cleared it
}

void TControl::SetShowHint(bool value) {
    if (FShowHint == value) return;
    FShowHint = value;
    FParentShowHint = false;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
    if (FParentShowHint == value) return;
    FParentShowHint = value;
    if (FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor value) {
    if (FCursor == value) return;
    FCursor = value;
    Perform(CM_CURSORCHANGED);
}

std::string TControl::GetText() const {
    auto* self = const_cast<TControl*>(this);
    auto length = static_cast<size_t>(self->Perform(WM_GETTEXTLENGTH));
    std::string text(length + 1, '\0');
    auto copied = static_cast<size_t>(self->Perform(WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(copied, length));
    return text;
}

void TControl::SetText(const std::string& value) {
    if (GetText() == value) return;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
    Perform(CM_TEXTCHANGED);
}

// --- painting ---

void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
    if (!isVisible || !FParent || !FParent->HandleAllocated()) return;
    RECT rect = BoundsRect();
    bool erase = !(isOpaque || FParent->ControlStyle().Contains(csOpaque));
    InvalidateRect(FParent->Handle(), &rect, erase ? TRUE : FALSE);
}

void TControl::Invalidate() { InvalidateControl(FVisible, FControlStyle.Contains(csOpaque)); }

void TControl::Update() {
    if (FParent) FParent->Update();
}

void TControl::Repaint() {
    if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
    if (FControlStyle.Contains(csOpaque)) {
        // Nothing behind an opaque control shows through: paint it and what lies above it straight away.
        HDC dc = GetDC(FParent->Handle());
        IntersectClipRect(dc, FLeft, FTop, FLeft + FWidth, FTop + FHeight);
        FParent->PaintControls(dc, this);
        ReleaseDC(FParent->Handle(), dc);
    } else {
        Invalidate();
        Update();
    }
}

void TControl::BringToFront() {
    if (FParent) FParent->MoveInZOrder(this, true);
}

void TControl::SendToBack() {
    if (FParent) FParent->MoveInZOrder(this, false);
}

// --- messages ---

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    FWindowProc(message);
    return message.Result;
}

void TControl::SetWindowProc(TWndMethod value) {
    if (value)
        FWindowProc = std::move(value);
    else
        FWindowProc = [this](TMessage& message) { WndProc(message); };
}

void TControl::WndProc(TMessage& message) {
    if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST) {
        // Without csDoubleClicks a double click is just another press.
        if (!FControlStyle.Contains(csDoubleClicks) &&
            (message.Msg == WM_LBUTTONDBLCLK || message.Msg == WM_RBUTTONDBLCLK || message.Msg == WM_MBUTTONDBLCLK))
            message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK)
            FControlState.Include(csLButtonDown);
        else if (message.Msg == WM_LBUTTONUP)
            FControlState.Exclude(csLButtonDown);
    }
    Dispatch(message);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    return handled;
}

void TControl::MouseWheelHandler(TMessage& message) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this)
        static_cast<TControl*>(form)->MouseWheelHandler(message);
    else
        message.Result = Perform(CM_MOUSEWHEEL, message.WParam, message.LParam);
}

void TControl::HandleMouseButton(TMessage& message, TMouseButton button, bool down, bool doubleClick) {
    DefaultHandler(message);
    bool left = button == mbLeft;
    if (down) {
        if (left && FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
        if (left && FControlStyle.Contains(csClickEvents)) {
            if (doubleClick)
                DblClick();
            else
                FControlState.Include(csClicked);
        }
    } else if (left) {
        if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
        if (FControlState.Contains(csClicked)) {
            FControlState.Exclude(csClicked);
            RECT client = ClientRect();
            if (PtInRect(&client, message.Pos())) Click();
        }
    }
    if (FControlStyle.Contains(csNoStdEvents)) return;
    TShiftState shift = ShiftStateFromKeys(message.WParam);
    if (doubleClick) shift.Include(ssDouble);
    POINT pos = message.Pos();
    if (down)
        MouseDown(button, shift, pos.x, pos.y);
    else
        MouseUp(button, shift, pos.x, pos.y);
}

void TControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN: HandleMouseButton(message, mbLeft, true, false); return;
    case WM_LBUTTONDBLCLK: HandleMouseButton(message, mbLeft, true, true); return;
    case WM_LBUTTONUP: HandleMouseButton(message, mbLeft, false, false); return;
    case WM_RBUTTONDOWN: HandleMouseButton(message, mbRight, true, false); return;
    case WM_RBUTTONDBLCLK: HandleMouseButton(message, mbRight, true, true); return;
    case WM_RBUTTONUP: HandleMouseButton(message, mbRight, false, false); return;
    case WM_MBUTTONDOWN: HandleMouseButton(message, mbMiddle, true, false); return;
    case WM_MBUTTONDBLCLK: HandleMouseButton(message, mbMiddle, true, true); return;
    case WM_MBUTTONUP: HandleMouseButton(message, mbMiddle, false, false); return;
    case WM_MOUSEWHEEL:
        // Not handed on to the parent window as well: CM_MOUSEWHEEL has already climbed the parents.
        MouseWheelHandler(message);
        return;
    case CM_MOUSEWHEEL: {
        TShiftState shift = ShiftStateFromKeys(LOWORD(message.WParam));
        POINT pos{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
        if (DoMouseWheel(shift, static_cast<short>(HIWORD(message.WParam)), pos))
            message.Result = 1;
        else if (FParent)
            message.Result = FParent->Perform(CM_MOUSEWHEEL, message.WParam, message.LParam);
        return;
    }
    case WM_MOUSEMOVE: {
        DefaultHandler(message);
        if (!FControlStyle.Contains(csNoStdEvents)) {
            POINT pos = message.Pos();
            MouseMove(ShiftStateFromKeys(message.WParam), pos.x, pos.y);
        }
        return;
    }
    case WM_GETTEXTLENGTH: message.Result = static_cast<LRESULT>(FText.size()); return;
    case WM_GETTEXT: {
        size_t room = message.WParam;
        auto* buffer = reinterpret_cast<char*>(message.LParam);
        if (room == 0 || !buffer) {
            message.Result = 0;
            return;
        }
        size_t count = std::min(room - 1, FText.size());
        std::memcpy(buffer, FText.data(), count);
        buffer[count] = '\0';
        message.Result = static_cast<LRESULT>(count);
        return;
    }
    case WM_SETTEXT: {
        const auto* text = reinterpret_cast<const char*>(message.LParam);
        FText = text ? text : "";
        message.Result = TRUE;
        return;
    }
    case WM_CANCELMODE:
        if (MouseCapture()) {
            SetMouseCapture(false);
            FControlState.Exclude(csClicked);
        }
        return;
    case CM_VISIBLECHANGED: InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque)); return;
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_TEXTCHANGED: Invalidate(); return;
    case CM_PARENTCOLORCHANGED:
        if (FParentColor) {
            SetColor(message.WParam ? static_cast<TColor>(message.LParam) : (FParent ? FParent->Color() : FColor));
            FParentColor = true;
        }
        return;
    case CM_PARENTFONTCHANGED:
        if (FParentFont)
            ApplyParentFont(message.WParam ? reinterpret_cast<TFont*>(message.LParam)
                                           : (FParent ? FParent->Font() : nullptr));
        return;
    case CM_PARENTSHOWHINTCHANGED:
        if (FParentShowHint && FParent) {
            SetShowHint(FParent->ShowHint());
            FParentShowHint = true;
        }
        return;
    case CM_HITTEST: message.Result = HTCLIENT; return;
    case CM_MOUSEENTER: MouseEnter(); return;
    case CM_MOUSELEAVE: MouseLeave(); return;
    default: DefaultHandler(message);
    }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Loaded() {
    inherited::Loaded();
    if (FParent) {
        Perform(CM_PARENTCOLORCHANGED);
        Perform(CM_PARENTFONTCHANGED);
        Perform(CM_PARENTSHOWHINTCHANGED);
    }
    UpdateAnchorRules();
}

// --- mouse ---

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

TControl* TControl::CaptureControl() {
    if (GCaptureControl) {
        // The window that holds the capture may have lost it to someone else since.
        TWinControl* holder = dynamic_cast<TWinControl*>(GCaptureControl);
        if (!holder) holder = GCaptureControl->FParent;
        if (!holder || !holder->HandleAllocated() || GetCapture() != holder->FHandle) GCaptureControl = nullptr;
    }
    if (!GCaptureControl) return FindControl(GetCapture());
    return GCaptureControl;
}

void TControl::SetCaptureControl(TControl* control) {
    ReleaseCapture();
    GCaptureControl = nullptr;
    if (!control) return;
    TWinControl* holder = dynamic_cast<TWinControl*>(control);
    if (!holder) {
        holder = control->FParent;
        if (!holder) return;
    }
    GCaptureControl = control;
    SetCapture(holder->Handle());
}

bool TControl::MouseCapture() const { return CaptureControl() == this; }

void TControl::SetMouseCapture(bool value) {
    if (MouseCapture() == value) return;
    SetCaptureControl(value ? this : nullptr);
}
