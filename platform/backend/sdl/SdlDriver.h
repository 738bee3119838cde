// The display driver on SDL2 over X11: each top-level window is an undecorated SDL window covering its whole
// window rectangle, painted from the window manager's surface through SDL's software window surface.
#pragma once

#include <backend/Driver.h>

#include <SDL.h>

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <string>

namespace backend::sdl {

// SDL's own hit testing (SDL_SetWindowHitTest) stays off. Its callback runs inside SDL's event processing, where
// asking the window manager for WM_NCHITTEST would re-enter the message queue halfway through reading an event,
// and the default window procedure already runs the move and size loops itself (capture plus mouse moves), so a
// drag reaches this driver as WindowMoved calls like any other SetWindowPos. The price is that the desktop's own
// window snapping and edge resistance do not apply to our windows.
class SdlDriver : public Driver {
public:
    // Starts SDL's video; nullptr when it cannot (no display).
    static std::unique_ptr<SdlDriver> Open();
    ~SdlDriver() override;

    const char* Name() const override { return "sdl"; }
    SIZE ScreenSize() const override;
    RECT WorkArea() const override;

    void WindowCreated(HWND hwnd, SurfaceKind kind, const RECT& rect) override;
    void WindowDestroyed(HWND hwnd) override;
    void WindowMoved(HWND hwnd, const RECT& rect) override;
    void WindowShown(HWND hwnd, bool visible, bool activate) override;
    void WindowStateChanged(HWND hwnd, int showState) override;
    // Applied through X11 so that restacking does not move the focus.
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
    // SDL_GetGlobalMouseState: the pointer over any window on the desktop, not only ours.
    bool CursorPosition(POINT& screen) override;
    // Beep does nothing: SDL has no bell, and the program sounds no other way.

private:
    // A desktop window is made when its window is first shown: windows that never show (timers' and other utility
    // windows) cost the X server nothing. Until then the entry keeps what the window will start with.
    struct WindowEntry {
        SDL_Window* Window = nullptr;  // null until first shown
        SurfaceKind Kind = SurfaceKind::Normal;
        std::string Title;
        float Opacity = 1.0f;
        RECT Rect{0, 0, 0, 0};
        bool Minimized = false;        // iconified on the desktop, or about to be
        bool ExpectMinimized = false;  // the desktop's answer to our own minimize is still to come
        bool ExpectRestored = false;
    };

    explicit SdlDriver(Uint32 wakeEvent);
    WindowEntry* Find(HWND hwnd);
    // Makes the entry's desktop window, hidden, where the entry says; false when the desktop refuses.
    bool Realise(WindowEntry& entry);
    WindowEntry* FindSdl(Uint32 windowId);
    POINT ScreenPoint(Uint32 windowId, int x, int y);
    // Turns one SDL event into input for the window manager (or handles it here).
    void Translate(const SDL_Event& event);
    // The desktop's window events that the window manager must hear of; false for echoes of its own requests.
    bool TranslateWindowEvent(const SDL_WindowEvent& event, InputEvent& input);
    bool FocusMovesToAnotherOfOurs();

    Uint32 FWakeEvent;
    std::atomic<bool> FWakePending{false};
    std::map<HWND, WindowEntry> FWindows;
    std::deque<InputEvent> FInput;
    POINT FPointer{0, 0};
    char16_t FKeyCharacter = 0;  // what the window manager makes of the key just pressed, so SDL's copy is dropped
    std::map<int, SDL_Cursor*> FCursors;
};

}  // namespace backend::sdl
