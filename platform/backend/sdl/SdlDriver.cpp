// The SDL driver: windows and their minimized state, presenting, input, the desktop's window events, the
// clipboard and cursors through SDL2.
#include "SdlDriver.h"

#include "SdlKeys.h"
#include "SdlText.h"
#include "X11Windows.h"
#include "XErrors.h"

#include <backend/SdlInstall.h>
#include <win32/winbase.h>
#include <win32/winuser.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace backend {

bool InstallSdlDriverIfDisplay() {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return false;
    std::unique_ptr<sdl::SdlDriver> driver = sdl::SdlDriver::Open();
    if (!driver) return false;
    InstallDriver(std::move(driver));
    return true;
}

}  // namespace backend

namespace backend::sdl {
namespace {

// Windows parks minimized top-level windows here; the desktop shows them minimized instead.
constexpr LONG MinimizedPosition = -32000;

bool IsMinimizedRect(const RECT& rect) { return rect.left <= MinimizedPosition && rect.top <= MinimizedPosition; }

int Width(const RECT& rect) { return std::max<int>(1, rect.right - rect.left); }
int Height(const RECT& rect) { return std::max<int>(1, rect.bottom - rect.top); }

SDL_SystemCursor SystemCursorFor(int standardCursorId) {
    switch (standardCursorId) {
    case 32513: return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514: return SDL_SYSTEM_CURSOR_WAIT;
    case 32515: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643: return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644: return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645: return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646: return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648: return SDL_SYSTEM_CURSOR_NO;
    case 32649: return SDL_SYSTEM_CURSOR_HAND;
    case 32650: return SDL_SYSTEM_CURSOR_WAITARROW;
    default: return SDL_SYSTEM_CURSOR_ARROW;  // the arrow, the up arrow and help have no shape of their own
    }
}

}  // namespace

std::unique_ptr<SdlDriver> SdlDriver::Open() {
    // Windows are positioned by the program, which X11 allows and Wayland does not.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    // The window surface stays a plain X image: no OpenGL context per window, nothing for a headless server to lack.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    // Ctrl+C ends the program as it would any other; SDL would turn it into an SDL_QUIT no one reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "the display %s could not be opened: %s\n", std::getenv("DISPLAY"), SDL_GetError());
        return nullptr;
    }
    InstallXErrorHandlers();
    Uint32 wakeEvent = SDL_RegisterEvents(1);
    if (wakeEvent == static_cast<Uint32>(-1)) {
        SDL_Quit();
        return nullptr;
    }
    SDL_StartTextInput();
    return std::unique_ptr<SdlDriver>(new SdlDriver(wakeEvent));
}

SdlDriver::SdlDriver(Uint32 wakeEvent) : FWakeEvent(wakeEvent) {}

SdlDriver::~SdlDriver() {
    for (auto& [hwnd, entry] : FWindows)
        if (entry.Window) SDL_DestroyWindow(entry.Window);
    for (auto& [id, cursor] : FCursors) SDL_FreeCursor(cursor);
    SDL_Quit();
}

SIZE SdlDriver::ScreenSize() const {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) != 0) return {1280, 1024};
    return {bounds.w, bounds.h};
}

RECT SdlDriver::WorkArea() const {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
        SIZE screen = ScreenSize();
        return {0, 0, screen.cx, screen.cy};
    }
    return {usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
}

SdlDriver::WindowEntry* SdlDriver::Find(HWND hwnd) {
    auto it = FWindows.find(hwnd);
    return it == FWindows.end() ? nullptr : &it->second;
}

SdlDriver::WindowEntry* SdlDriver::FindSdl(Uint32 windowId) {
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    if (!window) return nullptr;
    for (auto& [hwnd, entry] : FWindows)
        if (entry.Window && entry.Window == window) return &entry;
    return nullptr;
}

void SdlDriver::WindowCreated(HWND hwnd, SurfaceKind kind, const RECT& rect) {
    WindowDestroyed(hwnd);
    WindowEntry& entry = FWindows[hwnd];
    entry.Kind = kind;
    entry.Rect = rect;
    entry.Minimized = IsMinimizedRect(rect);
}

bool SdlDriver::Realise(WindowEntry& entry) {
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    // Popups are override-redirect windows: the window manager neither decorates nor focuses them, so the
    // platform's logical focus stays on their owner as on Windows.
    if (entry.Kind == SurfaceKind::Popup) flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
    if (entry.Kind == SurfaceKind::Tooltip) flags |= SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR;
    bool parked = IsMinimizedRect(entry.Rect);
    int x = parked ? 0 : entry.Rect.left, y = parked ? 0 : entry.Rect.top;
    entry.Window = SDL_CreateWindow(entry.Title.c_str(), x, y, Width(entry.Rect), Height(entry.Rect), flags);
    // Without a desktop window the window manager goes on; nothing shows for it.
    if (!entry.Window) return false;
    if (entry.Opacity < 1.0f) SDL_SetWindowOpacity(entry.Window, entry.Opacity);
    return true;
}

void SdlDriver::WindowDestroyed(HWND hwnd) {
    auto it = FWindows.find(hwnd);
    if (it == FWindows.end()) return;
    if (it->second.Window) SDL_DestroyWindow(it->second.Window);
    FWindows.erase(it);
}

void SdlDriver::WindowMoved(HWND hwnd, const RECT& rect) {
    WindowEntry* entry = Find(hwnd);
    if (!entry) return;
    entry->Rect = rect;
    // The parking place is not a place on the desktop: WindowStateChanged iconifies the window instead.
    if (!entry->Window || IsMinimizedRect(rect)) return;
    int width = 0, height = 0;
    SDL_GetWindowSize(entry->Window, &width, &height);
    if (width != Width(rect) || height != Height(rect)) SDL_SetWindowSize(entry->Window, Width(rect), Height(rect));
    SDL_SetWindowPosition(entry->Window, rect.left, rect.top);
}

void SdlDriver::WindowShown(HWND hwnd, bool visible, bool activate) {
    WindowEntry* entry = Find(hwnd);
    if (!entry) return;
    if (!visible) {
        if (entry->Window) SDL_HideWindow(entry->Window);
        return;
    }
    if (!entry->Window && !Realise(*entry)) return;
    // A window shown without activation (SW_SHOWNOACTIVATE, popups, tooltips) leaves the keyboard focus where it is.
    if (activate && entry->Kind == SurfaceKind::Normal)
        SDL_ShowWindow(entry->Window);
    else
        ShowWithoutFocusX11(entry->Window);
    if (entry->Minimized) {
        // Shown minimized: mapping the window brought it up, the desktop must iconify it again.
        entry->ExpectMinimized = true;
        SDL_MinimizeWindow(entry->Window);
        return;
    }
    // Raising asks the desktop for the input focus too, which popups must never take.
    if (activate && entry->Kind == SurfaceKind::Normal) SDL_RaiseWindow(entry->Window);
}

void SdlDriver::WindowStateChanged(HWND hwnd, int showState) {
    WindowEntry* entry = Find(hwnd);
    if (!entry) return;
    bool minimized = showState == SW_SHOWMINIMIZED;
    if (minimized == entry->Minimized) return;  // the desktop got there first (its own minimize or restore)
    entry->Minimized = minimized;
    if (!entry->Window) return;  // shown later in this state
    if (minimized) {
        entry->ExpectMinimized = true;
        SDL_MinimizeWindow(entry->Window);
        return;
    }
    // A maximized window is a normal desktop window as large as the work area: the platform sized it already.
    entry->ExpectRestored = true;
    SDL_RestoreWindow(entry->Window);
    const RECT& rect = entry->Rect;
    if (IsMinimizedRect(rect)) return;
    SDL_SetWindowSize(entry->Window, Width(rect), Height(rect));
    SDL_SetWindowPosition(entry->Window, rect.left, rect.top);
}

// Only the window's opacity carries over: a key colour or per-pixel alpha would need a shaped window.
void SdlDriver::WindowLayered(HWND hwnd, const LayeredStyle* style) {
    WindowEntry* entry = Find(hwnd);
    if (!entry) return;
    entry->Opacity = style && style->ConstantAlpha ? style->Alpha / 255.0f : 1.0f;
    if (entry->Window) SDL_SetWindowOpacity(entry->Window, entry->Opacity);
}

void SdlDriver::WindowTitle(HWND hwnd, const std::u16string& title) {
    WindowEntry* entry = Find(hwnd);
    if (!entry) return;
    entry->Title = Utf16ToUtf8(title);
    if (entry->Window) SDL_SetWindowTitle(entry->Window, entry->Title.c_str());
}

void SdlDriver::Present(HWND hwnd, const uint32_t* pixels, int width, int height, int stride, const RECT& dirty) {
    WindowEntry* entry = Find(hwnd);
    // A window not yet shown has nothing on the desktop to draw on: it is presented whole when it shows.
    if (!entry || !entry->Window || !pixels || width <= 0 || height <= 0 || stride < width) return;
    SDL_Surface* surface = SDL_GetWindowSurface(entry->Window);
    if (!surface) return;
    // Between a resize and the desktop's answer the two sizes may differ: copy what both have.
    SDL_Rect copy;
    copy.x = std::max<int>(dirty.left, 0);
    copy.y = std::max<int>(dirty.top, 0);
    copy.w = std::min<int>({static_cast<int>(dirty.right), width, surface->w}) - copy.x;
    copy.h = std::min<int>({static_cast<int>(dirty.bottom), height, surface->h}) - copy.y;
    if (copy.w <= 0 || copy.h <= 0) return;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    const uint32_t* from = pixels + static_cast<size_t>(copy.y) * stride + copy.x;
    Uint8* to = static_cast<Uint8*>(surface->pixels) + static_cast<size_t>(copy.y) * surface->pitch +
                static_cast<size_t>(copy.x) * surface->format->BytesPerPixel;
    SDL_ConvertPixels(copy.w, copy.h, SDL_PIXELFORMAT_RGB888, from, stride * 4, surface->format->format, to,
                      surface->pitch);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurfaceRects(entry->Window, &copy, 1);
}

POINT SdlDriver::ScreenPoint(Uint32 windowId, int x, int y) {
    WindowEntry* entry = FindSdl(windowId);
    if (!entry) return FPointer;
    int left = 0, top = 0;
    SDL_GetWindowPosition(entry->Window, &left, &top);
    return {left + x, top + y};
}

void SdlDriver::Translate(const SDL_Event& event) {
    InputEvent input;
    if (event.type != SDL_TEXTINPUT && event.type != SDL_TEXTEDITING) FKeyCharacter = 0;
    switch (event.type) {
    case SDL_MOUSEMOTION:
        input.kind = InputEvent::Kind::MouseMove;
        input.screen = FPointer = ScreenPoint(event.motion.windowID, event.motion.x, event.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        static const int buttons[] = {-1, 0, 2, 1};  // SDL: 1 left, 2 middle, 3 right
        if (event.button.button < 1 || event.button.button > 3) return;
        input.kind = event.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Kind::ButtonDown : InputEvent::Kind::ButtonUp;
        input.button = buttons[event.button.button];
        input.screen = FPointer = ScreenPoint(event.button.windowID, event.button.x, event.button.y);
        break;
    }
    case SDL_MOUSEWHEEL: {
        int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        if (notches == 0) return;
        input.kind = InputEvent::Kind::Wheel;
        input.wheelDelta = notches * WHEEL_DELTA;
        input.screen = FPointer;
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        VirtualKey key = VirtualKeyFor(event.key.keysym);
        if (!key.vk) return;
        bool down = event.type == SDL_KEYDOWN;
        input.kind = down ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
        input.vk = key.vk;
        input.scanCode = key.scanCode;
        input.extended = key.extended;
        input.repeat = down && event.key.repeat != 0;
        Uint16 mod = event.key.keysym.mod;
        if (down && !(mod & (KMOD_CTRL | KMOD_ALT)))
            FKeyCharacter = TranslatedCharacter(key.vk, (mod & KMOD_SHIFT) != 0, (mod & KMOD_CAPS) != 0);
        break;
    }
    case SDL_TEXTINPUT: {
        std::u16string text = Utf8ToUtf16(event.text.text);
        // The window manager's TranslateMessage already made this character from the key press; only what it
        // cannot make (input-method results, national characters) comes as text.
        bool fromKey = text.size() == 1 && text[0] == FKeyCharacter;
        FKeyCharacter = 0;
        if (fromKey || text.empty()) return;
        input.kind = InputEvent::Kind::Text;
        input.text = std::move(text);
        break;
    }
    case SDL_WINDOWEVENT:
        if (!TranslateWindowEvent(event.window, input)) return;
        break;
    default:
        if (event.type == FWakeEvent) FWakePending = false;
        return;
    }
    FInput.push_back(std::move(input));
}

bool SdlDriver::FocusMovesToAnotherOfOurs() {
    // X reports a focus change between two windows as a loss and a gain, usually read together: the program only
    // loses the foreground when none of its windows gains the focus.
    SDL_PumpEvents();
    SDL_Event pending[64];
    int count = SDL_PeepEvents(pending, 64, SDL_PEEKEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT);
    for (int i = 0; i < count; ++i)
        if (pending[i].window.event == SDL_WINDOWEVENT_FOCUS_GAINED && FindSdl(pending[i].window.windowID)) return true;
    return false;
}

bool SdlDriver::TranslateWindowEvent(const SDL_WindowEvent& event, InputEvent& input) {
    HWND hwnd = nullptr;
    WindowEntry* entry = nullptr;
    for (auto& [handle, candidate] : FWindows)
        if (candidate.Window && SDL_GetWindowID(candidate.Window) == event.windowID) {
            hwnd = handle;
            entry = &candidate;
        }
    if (!entry) return false;
    input.window = hwnd;
    switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED:
        // The window surface keeps the last picture, so an uncovered window is repainted without the program.
        SDL_UpdateWindowSurface(entry->Window);
        return false;
    case SDL_WINDOWEVENT_MINIMIZED:
        if (entry->ExpectMinimized) {
            entry->ExpectMinimized = false;
            return false;
        }
        if (entry->Minimized) return false;
        entry->Minimized = true;
        input.kind = InputEvent::Kind::WindowMinimized;
        return true;
    case SDL_WINDOWEVENT_RESTORED:
        if (entry->ExpectRestored) {
            entry->ExpectRestored = false;
            return false;
        }
        if (!entry->Minimized) return false;
        entry->Minimized = false;
        input.kind = InputEvent::Kind::WindowRestored;
        return true;
    case SDL_WINDOWEVENT_CLOSE: input.kind = InputEvent::Kind::WindowCloseRequested; break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (FocusMovesToAnotherOfOurs()) return false;
        input.kind = InputEvent::Kind::WindowFocusLost;
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: input.kind = InputEvent::Kind::WindowFocusGained; break;
    case SDL_WINDOWEVENT_LEAVE: {
        // The pointer left the window: the window manager hears it as a move to where it is now on the desktop,
        // over another of our windows (whose own motion follows) or over none.
        int x = 0, y = 0;
        SDL_GetGlobalMouseState(&x, &y);
        input.kind = InputEvent::Kind::MouseMove;
        input.screen = FPointer = POINT{x, y};
        input.window = nullptr;
        return true;
    }
    default: return false;
    }
    // Menus and tooltips are never closed or focused by the desktop on their own.
    return entry->Kind == SurfaceKind::Normal;
}

bool SdlDriver::NextEvent(InputEvent& event) {
    SDL_Event sdlEvent;
    while (FInput.empty() && SDL_PollEvent(&sdlEvent)) Translate(sdlEvent);
    if (FInput.empty()) return false;
    event = std::move(FInput.front());
    FInput.pop_front();
    return true;
}

void SdlDriver::WaitForEvent(DWORD timeoutMs) {
    if (!FInput.empty()) return;
    SDL_Event sdlEvent;
    int got = timeoutMs == INFINITE
                  ? SDL_WaitEvent(&sdlEvent)
                  : SDL_WaitEventTimeout(&sdlEvent, static_cast<int>(std::min<DWORD>(timeoutMs, 0x7FFFFFFF)));
    if (got) Translate(sdlEvent);
}

void SdlDriver::Wake() {
    // One wake event in SDL's queue is enough; posting threads must not flood it.
    if (FWakePending.exchange(true)) return;
    SDL_Event event{};
    event.type = FWakeEvent;
    if (SDL_PushEvent(&event) != 1) FWakePending = false;
}

void SdlDriver::SetClipboardText(const std::u16string& text) { SDL_SetClipboardText(Utf16ToUtf8(text).c_str()); }

bool SdlDriver::ClipboardText(std::u16string& text) {
    if (!SDL_HasClipboardText()) return false;
    char* utf8 = SDL_GetClipboardText();
    if (!utf8) return false;
    text = Utf8ToUtf16(utf8);
    SDL_free(utf8);
    return true;
}

void SdlDriver::WindowZOrder(const std::vector<HWND>& topToBottom) {
    std::vector<SDL_Window*> stack;
    for (HWND hwnd : topToBottom)
        if (WindowEntry* entry = Find(hwnd); entry && entry->Window) stack.push_back(entry->Window);
    RestackX11(stack);
}

bool SdlDriver::CursorPosition(POINT& screen) {
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    screen = POINT{x, y};
    return true;
}

void SdlDriver::SetCursorShape(int standardCursorId) {
    if (standardCursorId == 0) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_SystemCursor shape = SystemCursorFor(standardCursorId);
    SDL_Cursor*& cursor = FCursors[shape];
    if (!cursor) cursor = SDL_CreateSystemCursor(shape);
    if (cursor) SDL_SetCursor(cursor);
    SDL_ShowCursor(SDL_ENABLE);
}

}  // namespace backend::sdl
