// What GUI tests use to drive the headless display: injected mouse, keyboard and text input, message pumping,
// screenshots (as pixels or PNG files) and answers for modal loops. Every function needs the headless driver.
#pragma once

#include <win32/windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace wintest {

// The button numbers the driver uses.
enum Button { LeftButton = 0, RightButton = 1, MiddleButton = 2 };
// Modifier keys for KeyPress, combined with |.
enum Modifier : unsigned { NoModifiers = 0, Shift = 1, Control = 2, Alt = 4 };

// Input goes to the driver's queue; the window manager turns it into messages when the message queue is read
// (PumpUntilIdle, PumpFor or the code under test's own loop). Coordinates are screen coordinates.
void MouseMove(int x, int y);
void MouseDown(int button = LeftButton);  // at the pointer's position
void MouseUp(int button = LeftButton);
void MouseClick(int x, int y, int button = LeftButton);        // move, down, up
void MouseDoubleClick(int x, int y, int button = LeftButton);  // move, then two clicks at once
void Wheel(int delta);  // WHEEL_DELTA per notch, positive away from the user; at the pointer's position
POINT MousePosition();  // where the injected pointer is
// A key pressed while already down is an auto-repeat, as a held key is.
void KeyDown(UINT vk);
void KeyUp(UINT vk);
// Presses the modifiers, then the key, and releases them in the opposite order.
void KeyPress(UINT vk, unsigned modifiers = NoModifiers);
// Text as an input method delivers it: characters without key presses.
void TypeText(const std::u16string& text);
// Forgets input that no one has read yet, and which keys the tests hold down.
void ResetInput();

// Reads, translates and dispatches messages until only timers (or nothing) are left. Stops after maxMessages
// messages or at WM_QUIT; returns true when the queue went idle.
bool PumpUntilIdle(int maxMessages = 10000);
// Runs messages, timers included, for about ms milliseconds (less when WM_QUIT arrives).
void PumpFor(DWORD ms);
// True once for each WM_QUIT the pumps took from the queue (they do not put it back), with its exit code.
bool QuitReceived(WPARAM* exitCode = nullptr);

// A picture in 0x00RRGGBB pixels, rows top-down with no padding. Empty when there was nothing to take.
struct Picture {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
    bool Empty() const { return Pixels.empty(); }
    uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// What the display shows: for a window, its window rectangle (frame included) or its client area as last
// presented by its top-level window, overlapping windows left out; for nullptr, the whole screen with the
// windows stacked as the window manager stacks them.
Picture Screenshot(HWND hwnd);
Picture ScreenshotClient(HWND hwnd);
bool SaveScreenshot(const std::string& path, HWND hwnd = nullptr);
// The driver's own view, without asking the window manager: a top-level window's presented pixels (empty
// before its first present), and the screen composed in the stacking order the driver was last told.
Picture PresentedPicture(HWND topLevel);
Picture ScreenPicture();
// The standard cursor id last shown (0 before any) and how many times the display beeped.
int CursorShape();
int BeepCount();

// PNG files: RGB only, the top byte of each pixel is ignored on saving and zero on loading.
bool SavePng(const std::string& path, int width, int height, const uint32_t* pixels);
bool SavePng(const std::string& path, const Picture& picture);
bool LoadPng(const std::string& path, int& width, int& height, std::vector<uint32_t>& pixels);
bool LoadPng(const std::string& path, Picture& picture);

// Answers for modal loops (message boxes, modal forms), taken in order: the next modal window to be activated
// runs the first one once its loop has started, for instance to click a button or press Enter. Hooks of the
// thread carry them (WH_CBT to see the window activated, WH_MSGFILTER in the modal loop), as a test on Windows
// would answer a dialog.
void QueueModalAnswer(std::function<void(HWND modalWindow)> answer);
size_t PendingModalAnswers();

// Documents and URLs that ShellExecuteA was asked to open, in order, as native paths. While keep is on (off at
// start) the headless display only records them and no desktop opener starts.
std::vector<std::string> OpenedDocuments();
void SetKeepOpenedDocuments(bool keep);

// Optional system modules and visual styles. A built-in module ("uxtheme.dll", "msimg32.dll", "user32.dll")
// switched off is not found by LoadLibraryA or GetModuleHandleA (handles given out before stay valid); an
// export switched off is not found by GetProcAddress. uxtheme is there and msimg32 is not at start. Code that
// binds at start-up binds again after such a switch (the skinning library: FinalizePlatformShims, then
// InitializePlatformShims). Each returns false for a name that is no built-in module or export.
bool SetModuleAvailable(const char* moduleName, bool available);
bool SetExportAvailable(const char* moduleName, const char* procName, bool available);
// What IsThemeActive and IsAppThemed answer (on at start); a change sends WM_THEMECHANGED to the windows.
void SetVisualStylesActive(bool active);

// Visual styles on or off for a scope, and back as they were after it, failed assertions included.
class ScopedVisualStyles {
public:
    explicit ScopedVisualStyles(bool active);
    ~ScopedVisualStyles();
    ScopedVisualStyles(const ScopedVisualStyles&) = delete;
    ScopedVisualStyles& operator=(const ScopedVisualStyles&) = delete;

private:
    bool FWas;
};

}  // namespace wintest
