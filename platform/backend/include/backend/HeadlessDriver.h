// The headless driver: a virtual screen in memory whose input comes from tests (platform/testing). It keeps each
// top-level window's last presented pixels so that tests can take screenshots of windows or of the whole screen.
#pragma once

#include <backend/Driver.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

namespace backend {

std::unique_ptr<Driver> MakeHeadlessDriver();

class HeadlessDriver : public Driver {
public:
    // A picture in 0x00RRGGBB pixels, rows top-down with no padding.
    struct Picture {
        int Width = 0;
        int Height = 0;
        std::vector<uint32_t> Pixels;
        uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
    };
    // What the driver knows of one top-level window.
    struct WindowInfo {
        SurfaceKind Kind = SurfaceKind::Normal;
        RECT Rect{0, 0, 0, 0};  // screen coordinates, frame included
        bool Visible = false;
        int ShowState = 0;  // the last WindowStateChanged (SW_SHOWMINIMIZED ...), 0 before any
        std::u16string Title;
        int PresentCount = 0;
        RECT LastDirty{0, 0, 0, 0};
        Picture Surface;                      // the pixels presented so far; empty until the first Present
        std::optional<LayeredStyle> Layered;  // how the screen mixes a layered window in
    };

    // The classic desktop's teal, painted where no window is.
    static constexpr uint32_t DesktopColour = 0x00008080u;

    explicit HeadlessDriver(SIZE screen = {1280, 1024}, int taskBarHeight = 40);

    // The headless driver in use, or null when another driver is installed.
    static HeadlessDriver* Current();

    const char* Name() const override { return "headless"; }
    SIZE ScreenSize() const override {
        std::lock_guard<std::mutex> lock(FMutex);
        return FScreen;
    }
    RECT WorkArea() const override;

    void WindowCreated(HWND hwnd, SurfaceKind kind, const RECT& rect) override;
    void WindowDestroyed(HWND hwnd) override;
    void WindowMoved(HWND hwnd, const RECT& rect) override;
    void WindowShown(HWND hwnd, bool visible, bool activate) override;
    void WindowStateChanged(HWND hwnd, int showState) override;
    void WindowZOrder(const std::vector<HWND>& topToBottom) override;
    void WindowTitle(HWND hwnd, const std::u16string& title) override;
    void WindowLayered(HWND hwnd, const LayeredStyle* style) override;
    void Present(HWND hwnd, const uint32_t* pixels, int width, int height, int stride, const RECT& dirty) override;

    bool NextEvent(InputEvent& event) override;
    void WaitForEvent(DWORD timeoutMs) override;
    void Wake() override;

    void SetClipboardText(const std::u16string& text) override;
    bool ClipboardText(std::u16string& text) override;

    void SetCursorShape(int standardCursorId) override;
    void Beep() override;
    // Records every document; keeps it from the desktop's opener while SetKeepDocuments(true).
    bool OpenDocument(const std::string& nativePath) override;

    // Test side. Events may be pushed from any thread; a waiting WaitForEvent returns.
    void PushEvent(const InputEvent& event);
    // The virtual screen takes a new size and depth, as a display whose mode changed; the window manager hears of
    // it as a DisplayChanged event.
    void ChangeDisplay(SIZE screen, int bitsPerPixel);
    void ClearEvents();
    void SetKeepDocuments(bool keep);
    std::vector<std::string> OpenedDocuments() const;

    bool Window(HWND hwnd, WindowInfo& info) const;  // false for a window the driver was not told of
    std::vector<HWND> ZOrder() const;                // topmost first
    // The whole screen: the desktop colour, then every visible window's presented pixels, bottom to top.
    Picture Screen() const;
    int CursorShape() const;
    int BeepCount() const;

private:
    void RaiseLocked(HWND hwnd);

    SIZE FScreen;
    int FTaskBarHeight;
    mutable std::mutex FMutex;
    std::condition_variable FWoken;
    std::deque<InputEvent> FEvents;
    bool FWakePending = false;
    std::map<HWND, WindowInfo> FWindows;
    std::vector<HWND> FZOrder;  // topmost first
    std::optional<std::u16string> FClipboard;
    int FCursorShape = 0;
    int FBeeps = 0;
    bool FKeepDocuments = false;
    std::vector<std::string> FOpenedDocuments;
};

}  // namespace backend
