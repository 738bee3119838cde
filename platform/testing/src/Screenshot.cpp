// Screenshots of windows and of the screen, cut from what the windows presented to the headless display.
#include "Headless.h"

#include <testing/Testing.h>

#include <algorithm>

namespace wintest {
namespace {

// The part of a top-level window's presented picture under a screen rectangle.
Picture Cut(HWND hwnd, const RECT& screenRect) {
    HWND root = GetAncestor(hwnd, GA_ROOT);
    RECT rootRect;
    if (!root || !GetWindowRect(root, &rootRect)) return {};
    Picture surface = PresentedPicture(root);
    LONG left = std::max<LONG>(screenRect.left - rootRect.left, 0);
    LONG top = std::max<LONG>(screenRect.top - rootRect.top, 0);
    LONG right = std::min<LONG>(screenRect.right - rootRect.left, surface.Width);
    LONG bottom = std::min<LONG>(screenRect.bottom - rootRect.top, surface.Height);
    Picture cut;
    if (right <= left || bottom <= top) return cut;
    cut.Width = right - left;
    cut.Height = bottom - top;
    cut.Pixels.reserve(static_cast<size_t>(cut.Width) * cut.Height);
    for (LONG y = top; y < bottom; ++y) {
        auto row = surface.Pixels.begin() + static_cast<size_t>(y) * surface.Width;
        cut.Pixels.insert(cut.Pixels.end(), row + left, row + right);
    }
    return cut;
}

}  // namespace

Picture Screenshot(HWND hwnd) {
    if (hwnd) {
        RECT rect;
        if (!GetWindowRect(hwnd, &rect)) return {};
        return Cut(hwnd, rect);
    }
    // The window manager's stacking order is the truth; the driver may not have been told the latest one.
    std::vector<HWND> order;
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) order.push_back(window);
    Headless().WindowZOrder(order);
    return ScreenPicture();
}

Picture ScreenshotClient(HWND hwnd) {
    RECT client;
    if (!GetClientRect(hwnd, &client)) return {};
    POINT origin{0, 0};
    if (!ClientToScreen(hwnd, &origin)) return {};
    OffsetRect(&client, origin.x, origin.y);
    return Cut(hwnd, client);
}

bool SaveScreenshot(const std::string& path, HWND hwnd) {
    Picture picture = Screenshot(hwnd);
    return !picture.Empty() && SavePng(path, picture);
}

}  // namespace wintest
