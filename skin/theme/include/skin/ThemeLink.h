// TskCustomThemeLink: a component that gives the controls pointing at it a theme of their own, and the message
// that tells them the link's theme has changed.
#pragma once

#include <toolkit/Component.h>
#include <win32/windef.h>

class TskTheme;

// Sent by a concrete link to the forms and controls with lParam = the link; they re-read their theme.
constexpr UINT SkThemeLinkMessage = 0x801;

class TskCustomThemeLink : public TComponent {
    TOOLKIT_CLASS(TskCustomThemeLink, TComponent)

public:
    explicit TskCustomThemeLink(TComponent* owner) : TComponent(owner) {}

    // The theme that overrides the current one for the linked controls, or nullptr; the link keeps ownership.
    virtual TskTheme* GetTheme() = 0;
};
