// TSkSkinCore: the form's non-visual engine component that chooses the application's current theme (from a file, a
// theme list item or a built-in class name), tints it, and follows the theme manager's changes.
#pragma once

#include <toolkit/Component.h>

#include <string>

class TSkThemeList;

// The building name that selects no built-in theme.
extern const char* const SNoTheme;
// What the engine components' Version property reads.
extern const char* const SEngineVersion;

class TSkSkinCore : public TComponent {
    TOOLKIT_CLASS(TSkSkinCore, TComponent)

public:
    // Joins the theme manager's listeners (when the theme unit runs) for its whole life.
    explicit TSkSkinCore(TComponent* owner);
    ~TSkSkinCore() override;

    int DeltaHue() const { return FDeltaHue; }
    void SetDeltaHue(int value);
    int DeltaBrightness() const { return FDeltaBrightness; }
    void SetDeltaBrightness(int value);
    // The file the current theme came from, or empty. Writing loads it; a file that does not load keeps the name
    // and removes the current theme unless a list item is selected.
    const std::string& ThemeFile() const { return FThemeFile; }
    void SetThemeFile(const std::string& value);
    TSkThemeList* ThemeList() const { return FThemeList; }
    // Not owned; none resets ThemeIndex to -1 without loading or removing anything.
    void SetThemeList(TSkThemeList* value);
    // The list item the current theme came from, or -1. An index past the end selects the last item.
    int ThemeIndex() const { return FThemeIndex; }
    void SetThemeIndex(int value);
    // A built-in (procedural) theme class's kind name, in any letter case; SNoTheme keeps the current theme.
    const std::string& ThemeBuilding() const { return FBuildingName; }
    void SetThemeBuilding(const std::string& value);
    std::string Version() const { return SEngineVersion; }
    void SetVersion(const std::string&) {}

    // After the manager made a theme current or removed it, once the properties follow it.
    TNotifyEvent OnThemeChanged;

    void Dispatch(TMessage& message) override;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void ApplyDeltas();
    // The delta just written (hue, else brightness) to the manager.
    void SendDelta(bool hue);
    void ThemeMessage(TMessage& message);
    void ThemeChanged();

    int FDeltaHue = 0;
    int FDeltaBrightness = 0;
    std::string FThemeFile;
    TSkThemeList* FThemeList = nullptr;
    int FThemeIndex = -1;
    std::string FBuildingName;
};
