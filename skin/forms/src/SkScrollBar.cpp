// TSkScrollBar: its range and position, the geometry of buttons, track and thumb, the painting in the theme's
// look or the built-in one (visual style or classic), and the mouse, the held-button repeat and auto-scroll.
#include <skin/SkScrollBar.h>

#include "PaintTarget.h"
#include "VisualStyle.h"

#include <skin/CanvasUtils.h>
#include <skin/Common.h>
#include <skin/Fills.h>
#include <skin/KeyRepeat.h>
#include <skin/ThemeManager.h>
#include <toolkit/PropertyRegistry.h>
#include <toolkit/SysUtils.h>
#include <toolkit/Timer.h>
#include <win32/vssym32.h>

#include <algorithm>

namespace {

[[maybe_unused]] const auto published =
    Publish<TSkScrollBar>()
        .Integer("BorderWidth", &TSkScrollBar::BorderWidth, &TSkScrollBar::SetBorderWidth, 0)
        .Boolean("ShowButtons", &TSkScrollBar::ShowButtons, &TSkScrollBar::SetShowButtons, true)
        .Enumeration("Orientation", {"vnoHorizontal", "vnoVertical"}, &TSkScrollBar::Orientation,
                     &TSkScrollBar::SetOrientation, vnoHorizontal)
        .Integer("LargeChange", &TSkScrollBar::LargeChange, &TSkScrollBar::SetLargeChange, 1)
        .Integer("Max", &TSkScrollBar::Max, &TSkScrollBar::SetMax, 100)
        .Integer("Min", &TSkScrollBar::Min, &TSkScrollBar::SetMin, 0)
        .Integer("PageSize", &TSkScrollBar::PageSize, &TSkScrollBar::SetPageSize, 0)
        .Enumeration("Performance", PerformanceNames, &TSkScrollBar::Performance, &TSkScrollBar::SetPerformance,
                     vnpDoubleBuffer)
        .Integer("Position", &TSkScrollBar::Position, &TSkScrollBar::SetPosition, 0)
        .Integer("SmallChange", &TSkScrollBar::SmallChange, &TSkScrollBar::SetSmallChange, 1)
        .Component("ThemeLink", &TSkScrollBar::ThemeLink, &TSkScrollBar::SetThemeLink)
        .String("ThemeObject", &TSkScrollBar::ThemeObject, &TSkScrollBar::SetThemeObject, "default")
        .Event("OnChange", &TSkScrollBar::OnChange)
        .Event("OnScroll", &TSkScrollBar::OnScroll);

int ThumbSize() { return GetSystemMetrics(SM_CYVTHUMB); }

// The theme's part numbers: the four arrows, then the thumbs of each direction; states normal, hot, pressed,
// disabled.
enum ThemePart : std::uint8_t { tpUp, tpDown, tpLeft, tpRight, tpTrackHorz = 4, tpTrackVert = 6, tpThumbHorz = 8 };

}  // namespace

TSkScrollBar::TSkScrollBar(TComponent* owner) : TSkGraphicControl(owner) {
    SetPerformance(vnpDoubleBuffer);
    SetBounds(Left(), Top(), 121, ThumbSize() + 2 * FBorderWidth);
    AddThemeListener(this);
}

TSkScrollBar::~TSkScrollBar() {
    RemoveThemeListener(this);
    StopRepeat();
}

void TSkScrollBar::SetBorderWidth(int value) {
    if (value == FBorderWidth) return;
    FBorderWidth = value;
    Invalidate();
}

void TSkScrollBar::SetShowButtons(bool value) {
    if (value == FShowButtons) return;
    FShowButtons = value;
    Invalidate();
}

void TSkScrollBar::SetOrientation(TSkScrollOrientation value) {
    if (value == FOrientation) return;
    FOrientation = value;
    // While a form is designed the shape follows; at run time the owner places the bar.
    if (ComponentState().Contains(csDesigning) && (Width() < Height()) != Vertical())
        SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TSkScrollBar::SetLargeChange(int value) { FLargeChange = std::clamp(value, 1, 32767); }

void TSkScrollBar::SetSmallChange(int value) { FSmallChange = std::clamp(value, 1, 32767); }

void TSkScrollBar::SetMax(int value) {
    value = std::max(value, FMin);
    if (value == FMax) return;
    FMax = value;
    FPageSize = std::min(FPageSize, FMax - FMin + 1);
    Invalidate();
    SetPosition(FPosition);
}

void TSkScrollBar::SetMin(int value) {
    value = std::min(value, FMax);
    if (value == FMin) return;
    FMin = value;
    FPageSize = std::min(FPageSize, FMax - FMin + 1);
    Invalidate();
    SetPosition(FPosition);
}

void TSkScrollBar::SetPageSize(int value) {
    if (value < 0) return;
    value = std::min(value, FMax - FMin + 1);
    if (value == FPageSize) return;
    FPageSize = value;
    Invalidate();
}

void TSkScrollBar::SetPosition(int value) {
    value = std::clamp(value, FMin, FMax);
    if (value == FPosition) return;
    FPosition = value;
    Invalidate();
    if (OnChange) OnChange(this);
}

void TSkScrollBar::FitToOrientation() {
    const int thickness = ThumbSize() + 2 * FBorderWidth;
    if (Vertical())
        SetBounds(Left(), Top(), thickness, Height());
    else
        SetBounds(Left(), Top(), Width(), thickness);
}

int TSkScrollBar::DoScroll(TSkScrollCode code, int position) {
    if (OnScroll) OnScroll(this, code, position);
    return position;
}

void TSkScrollBar::KeyStep(WORD key) {
    const int page = FPageSize < 1 ? FLargeChange : FPageSize;
    int position = FPosition;
    TSkScrollCode code;
    switch (key) {
    case VK_PRIOR:
        position -= page;
        code = vncPageUp;
        break;
    case VK_NEXT:
        position += page;
        code = vncPageDown;
        break;
    case VK_END:
        position = FMax;
        code = vncBottom;
        break;
    case VK_HOME:
        position = FMin;
        code = vncTop;
        break;
    case VK_RIGHT:
    case VK_DOWN:
        position += FSmallChange;
        code = vncLineDown;
        break;
    default:
        position -= FSmallChange;
        code = vncLineUp;
        break;
    }
    SetPosition(DoScroll(code, std::clamp(position, FMin, FMax)));
    if (code == vncLineDown && FAutoForward && FPosition >= FMax) SetAutoScroll(true, false);
    if (code == vncLineUp && FAutoBackward && FPosition <= FMin) SetAutoScroll(false, false);
}

void TSkScrollBar::SetAutoScroll(bool forward, bool on) {
    if (!on) {
        (forward ? FAutoForward : FAutoBackward) = false;
        StopRepeat();
        return;
    }
    FAutoForward = forward;
    FAutoBackward = !forward;
    StartRepeat(false);
}

// Geometry, along the length: the border, a button, the track, a button, the border.

int TSkScrollBar::Available() const { return (Vertical() ? Height() : Width()) - 2 * FBorderWidth; }

int TSkScrollBar::ButtonSize() const {
    const int size = ThumbSize();
    return Available() < 2 * size ? Available() / 2 : size;
}

int TSkScrollBar::TrackStart() const { return FBorderWidth + (FShowButtons ? ButtonSize() : 0); }

int TSkScrollBar::TrackLength() const { return Available() - (FShowButtons ? 2 * ButtonSize() : 0); }

int TSkScrollBar::ThumbLength() const {
    const int track = TrackLength();
    int length = ThumbSize();
    if (FPageSize > 0)
        length = std::max(static_cast<int>(Round(static_cast<double>(track) * FPageSize / (FMax - FMin + 1))),
                          ThumbSize() / 3 * 2);
    return length >= track ? 0 : length;
}

int TSkScrollBar::Range() const { return FPageSize == 0 ? FMax - FMin : FMax - FMin - FPageSize + 1; }

int TSkScrollBar::ThumbStart() const {
    const int start = TrackStart();
    const int free = TrackLength() - ThumbLength();
    if (FMax - FMin - FPageSize < 0 || Range() < 1) return start;
    if (FPosition > FMax - FPageSize + 1) return start + free;
    return start + static_cast<int>(Round(static_cast<double>(FPosition - FMin) * free / Range()));
}

int TSkScrollBar::PositionFromThumb(int start) const {
    const int free = TrackLength() - ThumbLength();
    const int position =
        free == 0 || Range() < 1
            ? 0
            : static_cast<int>(Round(static_cast<double>(Range()) * (start - TrackStart()) / free + FMin));
    return std::max(FMin, std::min(position, FMax - FPageSize + 1));
}

RECT TSkScrollBar::Span(int from, int to) const {
    if (Vertical()) return RECT{FBorderWidth, from, Width() - FBorderWidth, to};
    return RECT{from, FBorderWidth, to, Height() - FBorderWidth};
}

RECT TSkScrollBar::FirstButtonRect() const { return Span(FBorderWidth, FBorderWidth + ButtonSize()); }

RECT TSkScrollBar::SecondButtonRect() const {
    const int end = FBorderWidth + Available();
    return Span(end - ButtonSize(), end);
}

RECT TSkScrollBar::TrackRect() const { return Span(TrackStart(), TrackStart() + TrackLength()); }

RECT TSkScrollBar::ThumbRect() const {
    const int length = ThumbLength();
    if (length == 0) return RECT{0, 0, 0, 0};
    const int start = ThumbStart();
    return Span(start, start + length);
}

RECT TSkScrollBar::PartRect(Part part) const {
    switch (part) {
    case FirstButton: return FirstButtonRect();
    case SecondButton: return SecondButtonRect();
    case PageBefore: return Span(TrackStart(), ThumbStart());
    case PageAfter: return Span(ThumbStart() + ThumbLength(), TrackStart() + TrackLength());
    default: return ThumbRect();
    }
}

bool TSkScrollBar::UpdateHot() {
    bool changed = false;
    for (int i = 0; i < PartCount; ++i) {
        const Part part = static_cast<Part>(i);
        const RECT rect = PartRect(part);
        const bool button = part == FirstButton || part == SecondButton;
        const bool hot = (!button || FShowButtons) && PtInRect(&rect, FMousePos);
        changed |= hot != FHot[part];
        FHot[part] = hot;
    }
    return changed;
}

// The mouse.

void TSkScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        FMousePos = POINT{x, y};
        UpdateHot();
        if (FHot[Thumb]) {
            FGrabOffset = (Vertical() ? y : x) - ThumbStart();
            SetPosition(DoScroll(vncTrack, FPosition));
            Invalidate();
        }
        bool pressedHot = false;
        for (Part part : {FirstButton, SecondButton, PageBefore, PageAfter}) {
            if (!FHot[part]) continue;
            FPressed[part] = true;
            pressedHot = true;
        }
        if (pressedHot) {
            Invalidate();
            StartRepeat(true);
        }
    }
    inherited::MouseDown(button, shift, x, y);
}

void TSkScrollBar::MouseMove(TShiftState shift, int x, int y) {
    FMousePos = POINT{x, y};
    if (FGrabOffset >= 0) {
        const int first = TrackStart();
        const int last = first + TrackLength() - ThumbLength();
        const int start = std::max(first, std::min((Vertical() ? y : x) - FGrabOffset, last));
        const int position = PositionFromThumb(start);
        DoScroll(vncTrack, position);
        SetPosition(position);
    }
    if (UpdateHot()) Invalidate();
    inherited::MouseMove(shift, x, y);
}

void TSkScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        if (FGrabOffset >= 0) SetPosition(DoScroll(vncPosition, FPosition));
        FGrabOffset = -1;
        std::fill(std::begin(FPressed), std::end(FPressed), false);
        StopRepeat();
        SetPosition(DoScroll(vncEndScroll, FPosition));
        Invalidate();
    }
    inherited::MouseUp(button, shift, x, y);
}

void TSkScrollBar::DoMouseLeave() {
    inherited::DoMouseLeave();
    bool any = false;
    for (bool& hot : FHot) {
        any |= hot;
        hot = false;
    }
    if (any) Invalidate();
}

// Repeating.

void TSkScrollBar::StartRepeat(bool immediate) {
    if (!FTimer) {
        FTimer = std::make_unique<TTimer>(nullptr);
        FTimer->SetEnabled(false);
        FTimer->OnTimer = [this](TObject* sender) { RepeatTick(sender); };
    }
    if (immediate) {
        RepeatTick(FTimer.get());
        FTimer->SetInterval(static_cast<unsigned>(KeyRepeatDelay()));
    } else {
        FTimer->SetInterval(static_cast<unsigned>(KeyRepeatInterval()));
    }
    FTimer->SetEnabled(true);
}

void TSkScrollBar::StopRepeat() {
    if (FTimer) FTimer->SetEnabled(false);
}

void TSkScrollBar::RepeatTick(TObject*) {
    try {
        FTimer->SetInterval(static_cast<unsigned>(KeyRepeatInterval()));
        if (PressedAndHot(FirstButton) || FAutoBackward) {
            KeyStep(VK_LEFT);
        } else if (PressedAndHot(SecondButton) || FAutoForward) {
            KeyStep(VK_RIGHT);
        } else {
            // The thumb has moved since the press: it may now lie under the pointer.
            const bool before = FHot[PageBefore], after = FHot[PageAfter];
            for (Part part : {PageBefore, PageAfter}) {
                const RECT rect = PartRect(part);
                FHot[part] = PtInRect(&rect, FMousePos) != FALSE;
            }
            if (PressedAndHot(PageBefore))
                KeyStep(VK_PRIOR);
            else if (PressedAndHot(PageAfter))
                KeyStep(VK_NEXT);
            if (before != FHot[PageBefore] || after != FHot[PageAfter]) Invalidate();
        }
    } catch (...) {
        StopRepeat();
        throw;
    }
}

void TSkScrollBar::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    FTheme.Notification(component, operation);
}

void TSkScrollBar::Dispatch(TMessage& message) {
    if (FTheme.Dispatch(message)) return;
    switch (message.Msg) {
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
    case CM_ENABLEDCHANGED:
        inherited::Dispatch(message);
        Invalidate();
        return;
    default: inherited::Dispatch(message);
    }
}

// Painting.

bool TSkScrollBar::ThemeDefined() { return IsScrollBarDefined(0, ThemeObject(), ThemeLink()); }

void TSkScrollBar::PaintClient() {
    TCanvas& canvas = *Canvas();
    const RECT whole = ClientRect();
    const RECT track = TrackRect();
    if (ThemeDefined()) {
        TskTheme* theme = FTheme.Theme();
        theme->ScrollBarDrawBack(0, canvas, ThemeObject(), whole);
        const std::uint8_t state = Enabled() ? 0 : 3;
        theme->ScrollBarDrawTrack(0, canvas, ThemeObject(),
                                  MakePartRecord(track, Vertical() ? tpTrackVert : tpTrackHorz, state));
    } else {
        if (FBorderWidth > 0) {
            FillRectColor(canvas, whole, Color());
            Frame3D(canvas, whole, clBtnShadow, clBtnHighlight);
        }
        if (VisualStylesActive())
            DrawVisualStylePart(canvas.Handle(), u"ScrollBar", Vertical() ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ,
                                SCRBS_NORMAL, track);
        else
            FillChecker(canvas, track, clScrollBar, clBtnHighlight);
    }
    if (FShowButtons) {
        PaintButton(FirstButton);
        PaintButton(SecondButton);
    }
    PaintThumb();
}

void TSkScrollBar::PaintButton(Part part) {
    TCanvas& canvas = *Canvas();
    RECT rect = PartRect(part);
    const bool first = part == FirstButton;
    const bool pressed = PressedAndHot(part);
    const bool designing = ComponentState().Contains(csDesigning);
    const bool disabled = !Enabled() && !designing;
    if (ThemeDefined()) {
        const std::uint8_t themePart = Vertical() ? (first ? tpUp : tpDown) : (first ? tpLeft : tpRight);
        const std::uint8_t state = disabled ? 3 : pressed ? 2 : FHot[part] ? 1 : 0;
        FTheme.Theme()->ScrollBarDrawButton(0, canvas, ThemeObject(), MakePartRecord(rect, themePart, state));
        return;
    }
    if (VisualStylesActive()) {
        const int normal =
            Vertical() ? (first ? ABS_UPNORMAL : ABS_DOWNNORMAL) : (first ? ABS_LEFTNORMAL : ABS_RIGHTNORMAL);
        const int condition = disabled ? 3 : pressed ? 2 : FHot[part] ? 1 : 0;
        DrawVisualStylePart(canvas.Handle(), u"ScrollBar", SBP_ARROWBTN, normal + condition, rect);
        return;
    }
    UINT state = Vertical() ? (first ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) : (first ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT);
    if (pressed) state |= DFCS_PUSHED | DFCS_FLAT;
    if (disabled) state |= DFCS_INACTIVE;
    DrawFrameControl(canvas.Handle(), &rect, DFC_SCROLL, state);
}

void TSkScrollBar::PaintThumb() {
    TCanvas& canvas = *Canvas();
    RECT rect = ThumbRect();
    if ((!Enabled() && !ComponentState().Contains(csDesigning)) || IsRectEmpty(&rect)) return;
    if (ThemeDefined()) {
        const std::uint8_t state = !Enabled() ? 3 : ThumbHeld() ? 2 : FHot[Thumb] ? 1 : 0;
        FTheme.Theme()->ScrollBarDrawButton(0, canvas, ThemeObject(),
                                            MakePartRecord(rect, tpThumbHorz + (Vertical() ? 1 : 0), state));
        return;
    }
    if (VisualStylesActive()) {
        const int state = !Enabled()    ? SCRBS_DISABLED
                          : ThumbHeld() ? SCRBS_PRESSED
                          : FHot[Thumb] ? SCRBS_HOT
                                        : SCRBS_NORMAL;
        DrawVisualStylePart(canvas.Handle(), u"ScrollBar", Vertical() ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, state,
                            rect);
        return;
    }
    FillRectColor(canvas, rect, clBtnFace);
    if (ThumbHeld()) {
        FrameRectColor(canvas, rect, clBtnShadow);
        return;
    }
    // A raised button: the light outer ring, then the highlight and shadow inside it.
    Frame3D(canvas, rect, cl3DLight, cl3DDkShadow);
    InflateRect(&rect, -1, -1);
    Frame3D(canvas, rect, clBtnHighlight, clBtnShadow);
}
