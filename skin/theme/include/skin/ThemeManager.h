// TskThemeManager: the one registry of theme classes, the owner of the current theme, and the broadcaster of
// theme and system-colour changes to its listeners; with the theme unit's start-up and shut-down.
#pragma once

#include <skin/Theme.h>
#include <toolkit/Component.h>
#include <toolkit/Messages.h>
#include <win32/windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TControl;
class TStream;

// The library's broadcast: wParam a TskThemeChange, lParam as each code says.
constexpr UINT SkThemeMessage = 0x800;

enum TskThemeChange : WPARAM {
    tcThemeReplaced = 0,  // the old theme is already freed
    tcBeginChange = 1,
    tcEndChange = 2,
    tcThemeSet = 3,  // where there was none; also to a single listener joining while a theme is current
    tcThemeRemoved = 4,
    tcColorsChanged = 5,  // lParam 1 after a hue or brightness change, 0 after the system's colours, display or style
};

class TskThemeManager : public TComponent {
    TOOLKIT_CLASS(TskThemeManager, TComponent)

public:
    // Without owner, with its utility window; raises Exception when no window can be made.
    TskThemeManager();
    // Frees the current theme without telling anyone: listeners are expected to be gone.
    ~TskThemeManager() override;

    // The hidden top-level window that hears WM_SYSCOLORCHANGE, WM_DISPLAYCHANGE and WM_THEMECHANGED.
    HWND Handle() const { return FHandle; }

    void RegisterThemeClass(const TskThemeClass* themeClass);
    int ThemeClassCount() const { return static_cast<int>(FThemeClasses.size()); }
    // nullptr outside 0..ThemeClassCount()-1.
    const TskThemeClass* ThemeClass(int index) const;

    // A toolkit control hears the broadcast through Perform (code 5 only while it is Visible); any other object
    // through its Dispatch, with a message record whose Result starts at 0. Listing an object twice does
    // nothing; nullptr is refused (false). A newcomer is sent tcThemeSet alone while a theme is current.
    bool AddListener(TObject* listener);
    void RemoveListener(TObject* listener);
    bool IsListener(const TObject* listener) const;
    int ListenerCount() const { return static_cast<int>(FListeners.size()); }

    TskTheme* CurrentTheme() const { return FCurrentTheme.get(); }
    bool IsCurrentTheme(const TskTheme* theme) const { return theme && theme == FCurrentTheme.get(); }
    // Takes the theme: codes 1, then 0 when a theme was current (freed by then) or 3 when none was, then 2; a
    // null theme likewise, leaving none current. The current theme handed back is kept, with codes 1, 0, 2.
    void SetCurrentTheme(std::unique_ptr<TskTheme> theme);
    // Codes 1, 4, 2, also when no theme was current.
    void RemoveCurrentTheme();

    // A new theme that the caller owns, or nullptr for a missing file, an unknown format or a failed load.
    // Errors of the file and stream layers pass through.
    std::unique_ptr<TskTheme> LoadThemeFromFile(const std::string& fileName);
    std::unique_ptr<TskTheme> LoadThemeFromStream(TStream& stream);
    // Answers whether the theme's class could and did write it.
    bool SaveThemeToStream(TskTheme* theme, TStream& stream);

    // With a current theme: store a changed delta and re-derive the theme, then broadcast (5, 1) in any case.
    // Without one, nothing.
    void SetDeltaHue(int value);
    void SetDeltaBrightness(int value);
    void SetDeltaHueBrightness(int hue, int brightness);

    // Sends SkThemeMessage to the listeners in the order they joined. A listener removed while the broadcast
    // runs hears nothing more of it; one added while it runs hears it from the next broadcast on.
    void Broadcast(WPARAM code, LPARAM lParam);
    // For a control being designed: tcThemeSet / tcThemeRemoved to that control alone, while a theme is current.
    void NotifyThemeSet(TControl* control);
    void NotifyThemeRemoved(TControl* control);

private:
    struct TListenerEntry {
        TObject* Object;
        std::uint64_t Serial;
    };

    void WndProc(TMessage& message);
    void Deliver(TObject* listener, WPARAM code, LPARAM lParam);

    std::vector<const TskThemeClass*> FThemeClasses;
    std::vector<TListenerEntry> FListeners;
    std::uint64_t FNextSerial = 0;
    HWND FHandle = nullptr;
    std::unique_ptr<TskTheme> FCurrentTheme;
};

// Creates the global manager, registers TskTheme and the group-box background painter. The platform shims come
// first (InitializePlatformShims). A second call does nothing.
void InitializeThemeUnit();
// In this order: the parent painters, the manager (and with it the current theme), the font store, the shared
// image-list bitmap. Afterwards InitializeThemeUnit may run again.
void FinalizeThemeUnit();
// The global manager; nullptr before InitializeThemeUnit and after FinalizeThemeUnit.
TskThemeManager* ThemeManager();

// On the global manager; without one they do nothing, so a control outliving the unit can still leave.
bool AddThemeListener(TObject* listener);
void RemoveThemeListener(TObject* listener);
