// Window geometry for painting: window and client bounds in window coordinates, and the visible region a window
// DC draws through (clip children, clip siblings, ancestors' client areas, window regions).
#include "user/PaintingInternal.h"

#include <iterator>

namespace win32::user {
namespace {

// The window's shape on the screen: its window rectangle, cut to its window region.
gdi::Region ScreenShape(const Window& window) {
    RECT rect = window.ScreenWindowRect();
    gdi::Region shape(rect);
    if (window.WindowRegion) {
        gdi::Region region = *window.WindowRegion;
        region.Offset(rect.left, rect.top);
        shape = gdi::Region::Combine(shape, region, RGN_AND);
    }
    return shape;
}

// Takes out the visible siblings stacked above the window (its parent's children come topmost first).
void ExcludeSiblingsAbove(const Window& window, gdi::Region& region) {
    if (!window.Parent) return;
    for (const Window* sibling : window.Parent->Children) {
        if (sibling == &window) break;
        if (sibling->Visible()) region = gdi::Region::Combine(region, ScreenShape(*sibling), RGN_DIFF);
    }
}

// Cuts the region (screen coordinates) to every ancestor's client area and window region, and takes out the
// siblings of ancestors that clip their siblings. Top-level windows have surfaces of their own, so their
// siblings never clip.
void ClipToAncestors(const Window& window, gdi::Region& region) {
    for (const Window* current = &window; !current->TopLevel() && current->Parent;) {
        const Window* parent = current->Parent;
        if (current != &window && (current->Style & WS_CLIPSIBLINGS)) ExcludeSiblingsAbove(*current, region);
        region = region.Intersect(parent->ScreenClientRect());
        if (parent->WindowRegion) region = gdi::Region::Combine(region, ScreenShape(*parent), RGN_AND);
        current = parent;
    }
}

}  // namespace

gdi::Region WindowBounds(const Window& window) {
    return gdi::Region::FromRect(0, 0, window.WindowRect.right - window.WindowRect.left,
                                 window.WindowRect.bottom - window.WindowRect.top);
}

gdi::Region ClientBounds(const Window& window) {
    POINT offset = window.ClientOffset();
    return gdi::Region::FromRect(offset.x, offset.y, offset.x + window.ClientRect.right - window.ClientRect.left,
                                 offset.y + window.ClientRect.bottom - window.ClientRect.top);
}

bool IsDrawable(const Window& window) {
    for (const Window* current = &window; current && current != &Desktop(); current = current->Parent) {
        if (!current->Visible()) return false;
    }
    return true;
}

POINT SurfaceScreenOrigin(Window& window) {
    RECT rect = window.Root()->ScreenWindowRect();
    return {rect.left, rect.top};
}

gdi::Region CropToWindow(Window& window, const gdi::Region& area, bool frame) {
    gdi::Region cropped = gdi::Region::Combine(area, frame ? WindowBounds(window) : ClientBounds(window), RGN_AND);
    if (window.WindowRegion) cropped = gdi::Region::Combine(cropped, *window.WindowRegion, RGN_AND);
    if (window.TopLevel() || &window == &Desktop()) return cropped;
    // Parts hidden outside an ancestor's client area can never be painted, so they never become invalid. That is
    // what a window DC without clip flags reaches, kept in the window once worked out.
    RECT screen = window.ScreenWindowRect();
    gdi::Region visible;
    if (IsDrawable(window) && window.Root()->Surface) {
        visible = VisibleRegion(window, DCX_WINDOW);
        POINT origin = SurfaceScreenOrigin(window);
        visible.Offset(origin.x - screen.left, origin.y - screen.top);
    } else {
        visible = gdi::Region(screen);
        ClipToAncestors(window, visible);
        visible.Offset(-screen.left, -screen.top);
    }
    return gdi::Region::Combine(cropped, visible, RGN_AND);
}

namespace {

void ForgetTree(Window& window) {
    for (auto& entry : window.VisibleRegions) entry.Valid = false;
    for (Window* child : window.Children) ForgetTree(*child);
}

gdi::Region ComputeVisibleRegion(Window& window, DWORD dcxFlags) {
    if (&window == &Desktop() || !IsDrawable(window)) return gdi::Region();
    Window* root = window.Root();
    if (!root->Surface) return gdi::Region();
    gdi::Region region;
    if ((dcxFlags & DCX_PARENTCLIP) && !window.TopLevel()) {
        // The parent's client area as it shows, children and all.
        Window& parent = *window.Parent;
        region = gdi::Region(parent.ScreenClientRect());
        if (parent.WindowRegion) region = gdi::Region::Combine(region, ScreenShape(parent), RGN_AND);
        if (!parent.TopLevel() && (parent.Style & WS_CLIPSIBLINGS)) ExcludeSiblingsAbove(parent, region);
        ClipToAncestors(parent, region);
    } else {
        region = gdi::Region((dcxFlags & DCX_WINDOW) ? window.ScreenWindowRect() : window.ScreenClientRect());
        if (window.WindowRegion) region = gdi::Region::Combine(region, ScreenShape(window), RGN_AND);
        if (dcxFlags & DCX_CLIPCHILDREN) {
            for (const Window* child : window.Children) {
                if (child->Visible()) region = gdi::Region::Combine(region, ScreenShape(*child), RGN_DIFF);
            }
        }
        if ((dcxFlags & DCX_CLIPSIBLINGS) && !window.TopLevel()) ExcludeSiblingsAbove(window, region);
        ClipToAncestors(window, region);
    }
    RECT rootRect = root->ScreenWindowRect();
    region.Offset(-rootRect.left, -rootRect.top);
    return region.Intersect(RECT{0, 0, root->Surface->Width(), root->Surface->Height()});
}

}  // namespace

const gdi::Region& VisibleRegion(Window& window, DWORD dcxFlags) {
    constexpr DWORD shaping = DCX_WINDOW | DCX_CLIPCHILDREN | DCX_CLIPSIBLINGS | DCX_PARENTCLIP;
    DWORD key = dcxFlags & shaping;
    for (const auto& entry : window.VisibleRegions)
        if (entry.Valid && entry.Flags == key) return entry.Region;
    auto& entry = window.VisibleRegions[window.NextVisibleRegion++ % std::size(window.VisibleRegions)];
    entry.Region = ComputeVisibleRegion(window, key);
    entry.Flags = key;
    entry.Valid = true;
    return entry.Region;
}

void ForgetVisibleRegions(Window& changed) {
    ++State().VisibleGeneration;
    bool ownTree = &changed == &Desktop() || changed.TopLevel() || !changed.Parent;
    ForgetTree(ownTree ? changed : *changed.Parent);
}

}  // namespace win32::user
