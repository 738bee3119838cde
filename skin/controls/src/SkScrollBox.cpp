// TSkScrollBox: the overlay pair fed with every message of the box, the frame painted on WM_NCPAINT and the
// background on WM_ERASEBKGND, each in the theme's look or the built-in one.
#include <skin/SkScrollBox.h>

#include "VisualStyle.h"

#include <skin/CanvasUtils.h>
#include <skin/Common.h>
#include <skin/ThemeManager.h>
#include <skin/ThemeSysColors.h>
#include <toolkit/PropertyRegistry.h>
#include <win32/vssym32.h>

namespace {

[[maybe_unused]] const auto published =
    Publish<TSkScrollBox>()
        .String("ThemeObject", &TSkScrollBox::ThemeObject, &TSkScrollBox::SetThemeObject, "default")
        .Component("ThemeLink", &TSkScrollBox::ThemeLink, &TSkScrollBox::SetThemeLink);

}  // namespace

TSkScrollBox::TSkScrollBox(TComponent* owner) : TScrollBox(owner) {
    FOverlayBars = new TSkSubScrollBar(this, this, [this](TComponent* barOwner) { return CreateOverlayBar(barOwner); });
    AddThemeListener(this);
}

TSkScrollBox::~TSkScrollBox() {
    RemoveThemeListener(this);
    if (FOverlayBars) {
        FOverlayBars->SetTarget(nullptr);
        delete FOverlayBars;
        FOverlayBars = nullptr;
    }
}

TSkScrollBar* TSkScrollBox::CreateOverlayBar(TComponent* owner) { return new TSkScrollBar(owner); }

void TSkScrollBox::SetThemeObject(const std::string& value) {
    if (value == FThemeObject) return;
    FThemeObject = value;
    Invalidate();
}

void TSkScrollBox::SetThemeLink(TskCustomThemeLink* value) {
    if (value == FThemeLink) return;
    FThemeLink = value;
    if (value) value->FreeNotification(this);
    for (TSkInplaceScrollBar* overlay : {FOverlayBars->VertOverlay(), FOverlayBars->HorzOverlay()})
        if (overlay) overlay->ScrollBar()->SetThemeLink(value);
    Invalidate();
}

void TSkScrollBox::SetParent(TWinControl* parent) {
    inherited::SetParent(parent);
    if (FOverlayBars) FOverlayBars->SetParent(parent);
}

void TSkScrollBox::AdjustSize() {
    inherited::AdjustSize();
    if (FOverlayBars) FOverlayBars->Synchronise();
}

void TSkScrollBox::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == FThemeLink) FThemeLink = nullptr;
    if (operation == opRemove && component == FOverlayBars) FOverlayBars = nullptr;
}

void TSkScrollBox::MouseEnter() {
    inherited::MouseEnter();
    FMouseInControl = true;
}

void TSkScrollBox::MouseLeave() {
    inherited::MouseLeave();
    FMouseInControl = false;
}

RECT TSkScrollBox::WindowRectAtOrigin() {
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
    return rect;
}

bool TSkScrollBox::ThemeDefined() { return IsScrollBoxDefined(0, FThemeObject, FThemeLink); }

int TSkScrollBox::EditState() {
    if (!Enabled()) return ETS_DISABLED;
    if (Focused()) return ETS_SELECTED;
    return FMouseInControl ? ETS_HOT : ETS_NORMAL;
}

void TSkScrollBox::WndProc(TMessage& message) {
    if (FOverlayBars) FOverlayBars->TargetMessage(message);
    switch (message.Msg) {
    case WM_ERASEBKGND: {
        if (HDC dc = reinterpret_cast<HDC>(message.WParam)) {
            // Grown by the client edge, so that the whole client area is covered whatever the border.
            RECT rect = WindowRectAtOrigin();
            InflateRect(&rect, 2, 2);
            TCanvas canvas;
            canvas.SetHandle(dc);
            PaintBackground(canvas, rect);
            canvas.SetHandle(nullptr);
        }
        message.Result = 1;
        return;
    }
    case WM_NCPAINT: {
        RECT rect = WindowRectAtOrigin();
        // Without a border the frame lies outside the window, where nothing shows it.
        if (BorderStyle() == bsNone) InflateRect(&rect, 2, 2);
        HDC dc = GetWindowDC(Handle());
        if (dc) {
            const RECT client = ClientRect();
            ExcludeClipRect(dc, rect.left + 2, rect.top + 2, rect.left + 2 + client.right,
                            rect.top + 2 + client.bottom);
            TCanvas canvas;
            canvas.SetHandle(dc);
            try {
                PaintNonClient(canvas, rect);
            } catch (...) {
                canvas.SetHandle(nullptr);
                ReleaseDC(Handle(), dc);
                throw;
            }
            canvas.SetHandle(nullptr);
            ReleaseDC(Handle(), dc);
        }
        message.Result = 0;
        return;
    }
    case WM_MOUSEWHEEL:
    case CM_MOUSEWHEEL:
        inherited::WndProc(message);
        if (FOverlayBars) FOverlayBars->Synchronise();
        return;
    case SkThemeMessage:
        if (HandleAllocated() &&
            (message.WParam == 0 || message.WParam == 3 || message.WParam == 4 || message.WParam == 5)) {
            SendMessageW(Handle(), WM_NCPAINT, 0, 0);
            ::InvalidateRect(Handle(), nullptr, TRUE);
        }
        return;
    default: inherited::WndProc(message);
    }
}

void TSkScrollBox::PaintNonClient(TCanvas& canvas, const RECT& rect) {
    if (ThemeDefined()) {
        GetTheme(FThemeLink)->ScrollBoxDraw(0, canvas, "default", rect);
        return;
    }
    if (VisualStylesActive()) {
        DrawVisualStylePart(canvas.Handle(), u"Edit", EP_EDITTEXT, EditState(), rect);
        return;
    }
    // The corner where the two bars meet, then the sunken two-pixel edge.
    FillRectColor(canvas, RECT{rect.right - 25, rect.bottom - 25, rect.right, rect.bottom}, clBtnFace);
    RECT edge = rect;
    Frame3D(canvas, edge, clBtnShadow, clBtnHighlight);
    InflateRect(&edge, -1, -1);
    Frame3D(canvas, edge, cl3DDkShadow, clBtnFace);
}

void TSkScrollBox::PaintBackground(TCanvas& canvas, const RECT& rect) {
    if (ThemeDefined()) {
        FillRectColor(canvas, rect, GetTheme(FThemeLink)->SysColors().GetColor(clBtnFace));
        return;
    }
    if (VisualStylesActive()) {
        DrawVisualStylePart(canvas.Handle(), u"Edit", EP_EDITTEXT, EditState(), rect);
        return;
    }
    FillRectColor(canvas, rect, Color());
}
