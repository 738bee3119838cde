// The theme binding of the skinned controls: the theme's bounds for an object, and the answers to the manager's
// broadcast codes and to a link's change.
#include <skin/ThemeBinding.h>

#include <skin/ThemeManager.h>
#include <toolkit/Control.h>

namespace {

// A theme's bounds prescribe nothing when they are the zero rectangle.
bool PrescribesBounds(TskTheme* theme, const std::string& objectName, RECT& bounds) {
    bounds = RECT{0, 0, 0, 0};
    if (!theme) return false;
    theme->GetObjectBounds(objectName, bounds);
    return bounds.left != 0 || bounds.top != 0 || bounds.right != 0 || bounds.bottom != 0;
}

}  // namespace

void ApplyThemeBounds(TControl* control, TskCustomThemeLink* link, const std::string& objectName, bool invalidate) {
    if (!control) return;
    RECT bounds;
    if (!PrescribesBounds(GetTheme(link), objectName, bounds)) {
        if (invalidate) control->Invalidate();
        return;
    }
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    control->SetBounds(bounds.left < 0 ? control->Left() : bounds.left, bounds.top < 0 ? control->Top() : bounds.top,
                       width < 0 ? control->Width() : width, height < 0 ? control->Height() : height);
}

TskThemeBinding::~TskThemeBinding() {
    if (FThemeLink) FThemeLink->RemoveFreeNotification(FControl);
}

void TskThemeBinding::SetThemeObject(const std::string& value) {
    if (value == FThemeObject) return;
    FThemeObject = value;
    ApplyThemeBounds(FControl, FThemeLink, FThemeObject, true);
}

void TskThemeBinding::SetThemeLink(TskCustomThemeLink* value) {
    if (value == FThemeLink) return;
    if (FThemeLink) FThemeLink->RemoveFreeNotification(FControl);
    FThemeLink = value;
    if (FThemeLink) FThemeLink->FreeNotification(FControl);
    ApplyThemeBounds(FControl, FThemeLink, FThemeObject, true);
}

void TskThemeBinding::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component && component == FThemeLink) FThemeLink = nullptr;
}

bool TskThemeBinding::Dispatch(TMessage& message) {
    if (message.Msg == SkThemeLinkMessage) {
        if (message.LParam && reinterpret_cast<TskCustomThemeLink*>(message.LParam) == FThemeLink)
            ApplyThemeBounds(FControl, FThemeLink, FThemeObject, true);
        return true;
    }
    if (message.Msg != SkThemeMessage) return false;
    switch (message.WParam) {
    case tcThemeReplaced:
    case tcThemeSet: {
        FControl->Invalidate();
        RECT bounds;
        if (PrescribesBounds(Theme(), FThemeObject, bounds)) FControl->SetBoundsRect(bounds);
        break;
    }
    case tcThemeRemoved:
    case tcColorsChanged: FControl->Invalidate(); break;
    default: break;
    }
    return true;
}
