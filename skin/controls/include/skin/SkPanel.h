// TSkPanel: the toolkit's panel (bevels, border, face and centred caption) with the theme binding: a theme that
// defines the panel draws it, and its face may show the parent's picture under visual styles.
#pragma once

#include <skin/ThemeBinding.h>
#include <toolkit/Panel.h>

#include <string>

class TSkPanel : public TCustomPanel {
    TOOLKIT_CLASS(TSkPanel, TCustomPanel)

public:
    explicit TSkPanel(TComponent* owner);
    ~TSkPanel() override;

    // Under visual styles the face shows what lies under the panel instead of Color.
    bool ParentBackground() const { return FParentBackground; }
    void SetParentBackground(bool value);
    const std::string& ThemeObject() const { return FTheme.ThemeObject(); }
    void SetThemeObject(const std::string& value);
    TskCustomThemeLink* ThemeLink() const { return FTheme.ThemeLink(); }
    void SetThemeLink(TskCustomThemeLink* value) { FTheme.SetThemeLink(value); }

    void Paint() override;
    void Dispatch(TMessage& message) override;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void AdjustClientRect(RECT& rect) override;

private:
    bool ThemeDefined();

    bool FParentBackground = true;
    TskThemeBinding FTheme{this};
};
