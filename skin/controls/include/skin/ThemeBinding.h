// The theme binding every themed skinned control repeats: the object it asks the theme for, an optional link that
// overrides the current theme, and its answers to the theme manager's broadcast and to a link's change.
#pragma once

#include <skin/Theme.h>
#include <toolkit/Component.h>
#include <toolkit/Messages.h>

#include <string>

class TControl;

// With the current (or the link's) theme and its non-empty bounds for objectName, moves and sizes control to them:
// a negative left or top keeps the control's own, as does a negative width or height. Without such bounds it only
// repaints, and only when invalidate is set.
void ApplyThemeBounds(TControl* control, TskCustomThemeLink* link, const std::string& objectName, bool invalidate);

// Held by a themed control, which joins the theme manager's listeners itself and hands its Notification and its
// messages here.
class TskThemeBinding {
public:
    explicit TskThemeBinding(TControl* control) : FControl(control) {}
    TskThemeBinding(const TskThemeBinding&) = delete;
    TskThemeBinding& operator=(const TskThemeBinding&) = delete;
    ~TskThemeBinding();

    // "default" unless set; a change applies the theme's bounds.
    const std::string& ThemeObject() const { return FThemeObject; }
    void SetThemeObject(const std::string& value);
    TskCustomThemeLink* ThemeLink() const { return FThemeLink; }
    void SetThemeLink(TskCustomThemeLink* value);
    // The link's theme or the current one; nullptr when neither.
    TskTheme* Theme() const { return GetTheme(FThemeLink); }

    // A link being removed is forgotten.
    void Notification(TComponent* component, TOperation operation);
    // SkThemeMessage and SkThemeLinkMessage; false for any other message.
    bool Dispatch(TMessage& message);

private:
    TControl* FControl;
    std::string FThemeObject = "default";
    TskCustomThemeLink* FThemeLink = nullptr;
};
