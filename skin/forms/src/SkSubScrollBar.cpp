// TSkSubScrollBar: making the two overlays, moving them with the target, and handing them the target's messages.
#include <skin/SkSubScrollBar.h>

#include <skin/ThemeLink.h>
#include <skin/ThemeManager.h>

TSkSubScrollBar::TSkSubScrollBar(TComponent* owner, TWinControl* target, const TSkScrollBarFactory& factory)
    : TComponent(owner), FTarget(target) {
    FVert = new TSkInplaceScrollBar(this, target, true, factory);
    FHorz = new TSkInplaceScrollBar(this, target, false, factory);
}

TSkSubScrollBar::~TSkSubScrollBar() { FFinished = true; }

void TSkSubScrollBar::SetTarget(TWinControl* target) {
    if (target) return;
    FFinished = true;
    FTarget = nullptr;
    for (TSkInplaceScrollBar* overlay : {FVert, FHorz})
        if (overlay) overlay->Finish();
}

void TSkSubScrollBar::SetParent(TWinControl* parent) {
    for (TSkInplaceScrollBar* overlay : {FVert, FHorz})
        if (overlay) overlay->SetParent(parent);
}

void TSkSubScrollBar::Synchronise() {
    if (FFinished) return;
    for (TSkInplaceScrollBar* overlay : {FVert, FHorz})
        if (overlay) overlay->Synchronise();
}

void TSkSubScrollBar::TargetMessage(const TMessage& message) {
    if (FFinished || ComponentState().Contains(csDesigning) || message.Msg == SkThemeMessage ||
        message.Msg == SkThemeLinkMessage)
        return;
    for (TSkInplaceScrollBar* overlay : {FVert, FHorz})
        if (overlay) overlay->TargetMessage(message);
    if (message.Msg == WM_WINDOWPOSCHANGED) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
        if (pos && !(pos->flags & SWP_NOZORDER)) {
            for (TSkInplaceScrollBar* overlay : {FVert, FHorz})
                if (overlay && overlay->Visible()) overlay->BringToFront();
        }
    }
}

void TSkSubScrollBar::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation != opRemove) return;
    // An overlay goes with the window it lies in when that window goes first.
    if (component == FVert) FVert = nullptr;
    if (component == FHorz) FHorz = nullptr;
}
