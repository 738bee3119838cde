// The headless driver: window surfaces kept in memory, input queued by tests, the clipboard as a string.
#include <backend/HeadlessDriver.h>

#include <win32/winbase.h>

#include <algorithm>
#include <chrono>

namespace backend {

std::unique_ptr<Driver> MakeHeadlessDriver() { return std::make_unique<HeadlessDriver>(); }

HeadlessDriver::HeadlessDriver(SIZE screen, int taskBarHeight) : FScreen(screen), FTaskBarHeight(taskBarHeight) {}

HeadlessDriver* HeadlessDriver::Current() { return dynamic_cast<HeadlessDriver*>(&CurrentDriver()); }

RECT HeadlessDriver::WorkArea() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return {0, 0, FScreen.cx, FScreen.cy - FTaskBarHeight};
}

void HeadlessDriver::WindowCreated(HWND hwnd, SurfaceKind kind, const RECT& rect) {
    std::lock_guard<std::mutex> lock(FMutex);
    WindowInfo& info = FWindows[hwnd];
    info = WindowInfo{};
    info.Kind = kind;
    info.Rect = rect;
    // A new window goes on top unless the window manager already placed it in the stacking order.
    if (std::find(FZOrder.begin(), FZOrder.end(), hwnd) == FZOrder.end()) FZOrder.insert(FZOrder.begin(), hwnd);
}

void HeadlessDriver::WindowDestroyed(HWND hwnd) {
    std::lock_guard<std::mutex> lock(FMutex);
    FWindows.erase(hwnd);
    FZOrder.erase(std::remove(FZOrder.begin(), FZOrder.end(), hwnd), FZOrder.end());
}

void HeadlessDriver::WindowMoved(HWND hwnd, const RECT& rect) {
    std::lock_guard<std::mutex> lock(FMutex);
    auto it = FWindows.find(hwnd);
    if (it != FWindows.end()) it->second.Rect = rect;
}

void HeadlessDriver::WindowShown(HWND hwnd, bool visible, bool activate) {
    // Activation does not restack here: the window manager owns the order and reports it through WindowZOrder.
    (void)activate;
    std::lock_guard<std::mutex> lock(FMutex);
    auto it = FWindows.find(hwnd);
    if (it != FWindows.end()) it->second.Visible = visible;
}

void HeadlessDriver::WindowStateChanged(HWND hwnd, int showState) {
    std::lock_guard<std::mutex> lock(FMutex);
    auto it = FWindows.find(hwnd);
    if (it != FWindows.end()) it->second.ShowState = showState;
}

void HeadlessDriver::WindowZOrder(const std::vector<HWND>& topToBottom) {
    std::lock_guard<std::mutex> lock(FMutex);
    FZOrder = topToBottom;
}

void HeadlessDriver::WindowTitle(HWND hwnd, const std::u16string& title) {
    std::lock_guard<std::mutex> lock(FMutex);
    auto it = FWindows.find(hwnd);
    if (it != FWindows.end()) it->second.Title = title;
}

void HeadlessDriver::WindowLayered(HWND hwnd, const LayeredStyle* style) {
    std::lock_guard<std::mutex> lock(FMutex);
    auto it = FWindows.find(hwnd);
    if (it == FWindows.end()) return;
    if (style)
        it->second.Layered = *style;
    else
        it->second.Layered.reset();
}

void HeadlessDriver::Present(HWND hwnd, const uint32_t* pixels, int width, int height, int stride, const RECT& dirty) {
    if (!pixels || width <= 0 || height <= 0 || stride < width) return;
    std::lock_guard<std::mutex> lock(FMutex);
    auto it = FWindows.find(hwnd);
    if (it == FWindows.end()) return;
    WindowInfo& info = it->second;
    Picture& surface = info.Surface;
    RECT copy = dirty;
    // A display only takes what it is told has changed; a new size makes it take everything.
    if (surface.Width != width || surface.Height != height) {
        surface.Width = width;
        surface.Height = height;
        surface.Pixels.assign(static_cast<size_t>(width) * height, 0);
        copy = {0, 0, width, height};
    }
    copy.left = std::max<LONG>(copy.left, 0);
    copy.top = std::max<LONG>(copy.top, 0);
    copy.right = std::min<LONG>(copy.right, width);
    copy.bottom = std::min<LONG>(copy.bottom, height);
    for (LONG y = copy.top; y < copy.bottom; ++y) {
        if (copy.left >= copy.right) break;
        const uint32_t* from = pixels + static_cast<size_t>(y) * stride + copy.left;
        std::copy(from, from + (copy.right - copy.left),
                  surface.Pixels.begin() + static_cast<size_t>(y) * width + copy.left);
    }
    ++info.PresentCount;
    info.LastDirty = dirty;
}

bool HeadlessDriver::NextEvent(InputEvent& event) {
    std::lock_guard<std::mutex> lock(FMutex);
    if (FEvents.empty()) return false;
    event = std::move(FEvents.front());
    FEvents.pop_front();
    return true;
}

void HeadlessDriver::WaitForEvent(DWORD timeoutMs) {
    std::unique_lock<std::mutex> lock(FMutex);
    auto ready = [this] { return !FEvents.empty() || FWakePending; };
    if (timeoutMs == INFINITE)
        FWoken.wait(lock, ready);
    else
        FWoken.wait_until(lock, std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs), ready);
    // A wake that came before the wait still ends it: the poster cannot know whether the waiter has started.
    FWakePending = false;
}

void HeadlessDriver::Wake() {
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FWakePending = true;
    }
    FWoken.notify_all();
}

void HeadlessDriver::SetClipboardText(const std::u16string& text) {
    std::lock_guard<std::mutex> lock(FMutex);
    FClipboard = text;
}

bool HeadlessDriver::ClipboardText(std::u16string& text) {
    std::lock_guard<std::mutex> lock(FMutex);
    if (!FClipboard) return false;
    text = *FClipboard;
    return true;
}

void HeadlessDriver::SetCursorShape(int standardCursorId) {
    std::lock_guard<std::mutex> lock(FMutex);
    FCursorShape = standardCursorId;
}

void HeadlessDriver::Beep() {
    std::lock_guard<std::mutex> lock(FMutex);
    ++FBeeps;
}

bool HeadlessDriver::OpenDocument(const std::string& nativePath) {
    std::lock_guard<std::mutex> lock(FMutex);
    FOpenedDocuments.push_back(nativePath);
    return FKeepDocuments;
}

void HeadlessDriver::SetKeepDocuments(bool keep) {
    std::lock_guard<std::mutex> lock(FMutex);
    FKeepDocuments = keep;
}

std::vector<std::string> HeadlessDriver::OpenedDocuments() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FOpenedDocuments;
}

void HeadlessDriver::PushEvent(const InputEvent& event) {
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FEvents.push_back(event);
    }
    FWoken.notify_all();
}

void HeadlessDriver::ChangeDisplay(SIZE screen, int bitsPerPixel) {
    InputEvent event;
    event.kind = InputEvent::Kind::DisplayChanged;
    event.screen = POINT{screen.cx, screen.cy};
    event.bitsPerPixel = bitsPerPixel;
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FScreen = screen;
    }
    PushEvent(event);
}

void HeadlessDriver::ClearEvents() {
    std::lock_guard<std::mutex> lock(FMutex);
    FEvents.clear();
}

bool HeadlessDriver::Window(HWND hwnd, WindowInfo& info) const {
    std::lock_guard<std::mutex> lock(FMutex);
    auto it = FWindows.find(hwnd);
    if (it == FWindows.end()) return false;
    info = it->second;
    return true;
}

std::vector<HWND> HeadlessDriver::ZOrder() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FZOrder;
}

namespace {

// One pixel of a layered window over what the screen shows under it: key holes first, then the window's
// (premultiplied) per-pixel alpha scaled by its constant alpha, as the desktop composes layered windows.
uint32_t MixLayered(uint32_t window, uint32_t under, const LayeredStyle& style) {
    uint32_t colour = window & 0x00FFFFFFu;
    if (style.ColorKey && colour == style.Key) return under;
    uint32_t constant = style.ConstantAlpha ? style.Alpha : 255;
    uint32_t pixelAlpha = style.PerPixelAlpha ? window >> 24 : 255;
    if (constant == 255 && pixelAlpha == 255) return colour;
    uint32_t coverage = (pixelAlpha * constant + 127) / 255;
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t source = (window >> shift) & 0xFF;
        // Without per-pixel alpha the colour is not premultiplied: scale it by the window's opacity.
        uint32_t scaled = style.PerPixelAlpha ? (source * constant + 127) / 255 : (source * coverage + 127) / 255;
        uint32_t below = ((under >> shift) & 0xFF) * (255 - coverage);
        result |= std::min<uint32_t>(scaled + (below + 127) / 255, 255) << shift;
    }
    return result;
}

}  // namespace

HeadlessDriver::Picture HeadlessDriver::Screen() const {
    std::lock_guard<std::mutex> lock(FMutex);
    Picture screen;
    screen.Width = FScreen.cx;
    screen.Height = FScreen.cy;
    screen.Pixels.assign(static_cast<size_t>(screen.Width) * screen.Height, DesktopColour);
    for (auto z = FZOrder.rbegin(); z != FZOrder.rend(); ++z) {
        auto it = FWindows.find(*z);
        if (it == FWindows.end() || !it->second.Visible) continue;
        const WindowInfo& info = it->second;
        const Picture& surface = info.Surface;
        // Between a resize and the next present the old pixels show, cut to the new rectangle.
        LONG width = std::min<LONG>(surface.Width, info.Rect.right - info.Rect.left);
        LONG height = std::min<LONG>(surface.Height, info.Rect.bottom - info.Rect.top);
        LONG left = std::max<LONG>(info.Rect.left, 0), right = std::min<LONG>(info.Rect.left + width, screen.Width);
        LONG top = std::max<LONG>(info.Rect.top, 0), bottom = std::min<LONG>(info.Rect.top + height, screen.Height);
        for (LONG y = top; y < bottom; ++y) {
            if (left >= right) break;
            const uint32_t* from = surface.Pixels.data() + static_cast<size_t>(y - info.Rect.top) * surface.Width +
                                   (left - info.Rect.left);
            auto to = screen.Pixels.begin() + static_cast<size_t>(y) * screen.Width + left;
            if (!info.Layered) {
                std::copy(from, from + (right - left), to);
                continue;
            }
            for (LONG x = 0; x < right - left; ++x) to[x] = MixLayered(from[x], to[x], *info.Layered);
        }
    }
    return screen;
}

int HeadlessDriver::CursorShape() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FCursorShape;
}

int HeadlessDriver::BeepCount() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FBeeps;
}

}  // namespace backend
