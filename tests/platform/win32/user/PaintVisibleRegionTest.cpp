// Window DCs keep clipping as the window tree changes: after each move, size, show, hide, restack or clip-style
// change, a new DC and a DC held from before clip to what a computation from scratch through the public API
// finds (the window's rectangle cut by its ancestors' client areas, less the siblings stacked above and the
// children as the flags and styles say).
#include "PaintFixture.h"

#include <testing/Testing.h>

#include <functional>

namespace {

class PaintVisibleRegion : public PaintFixture {
protected:
    // The window's rectangle (or client rectangle) in the top-level window's coordinates.
    RECT Local(HWND hwnd, bool client) const {
        RECT rect;
        if (client) {
            GetClientRect(hwnd, &rect);
            MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        } else {
            GetWindowRect(hwnd, &rect);
        }
        RECT top;
        GetWindowRect(Top, &top);
        OffsetRect(&rect, -top.left, -top.top);
        return rect;
    }

    void Subtract(HRGN region, HWND hwnd) const {
        RECT rect = Local(hwnd, false);
        HRGN part = CreateRectRgnIndirect(&rect);
        CombineRgn(region, region, part, RGN_DIFF);
        DeleteObject(part);
    }

    void SubtractSiblingsAbove(HRGN region, HWND hwnd) const {
        for (HWND above = GetWindow(hwnd, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV))
            if (IsWindowVisible(above)) Subtract(region, above);
    }

    HRGN Expected(HWND hwnd, DWORD flags) const {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        if (!IsWindowVisible(hwnd)) return region;
        RECT own = Local(hwnd, true);
        SetRectRgn(region, own.left, own.top, own.right, own.bottom);
        if (flags & DCX_CLIPCHILDREN)
            for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                if (IsWindowVisible(child)) Subtract(region, child);
        if ((flags & DCX_CLIPSIBLINGS) && hwnd != Top) SubtractSiblingsAbove(region, hwnd);
        for (HWND current = hwnd; current != Top; current = GetParent(current)) {
            if (current != hwnd && (static_cast<DWORD>(GetWindowLongPtrW(current, GWL_STYLE)) & WS_CLIPSIBLINGS))
                SubtractSiblingsAbove(region, current);
            RECT parent = Local(GetParent(current), true);
            HRGN part = CreateRectRgnIndirect(&parent);
            CombineRgn(region, region, part, RGN_AND);
            DeleteObject(part);
        }
        return region;
    }

    // Whether the DC clips to what Expected finds; names the window and flags when not.
    void ExpectClips(HDC hdc, HWND hwnd, DWORD flags, const char* what) const {
        HRGN actual = CreateRectRgn(0, 0, 0, 0);
        ASSERT_EQ(GetRandomRgn(hdc, actual, SYSRGN), 1);
        HRGN expected = Expected(hwnd, flags);
        RECT a{}, e{};
        GetRgnBox(actual, &a);
        GetRgnBox(expected, &e);
        EXPECT_TRUE(EqualRgn(actual, expected))
            << what << " of window " << Names.at(hwnd) << " with flags " << flags << ": box (" << a.left << ", "
            << a.top << ", " << a.right << ", " << a.bottom << ") instead of (" << e.left << ", " << e.top << ", "
            << e.right << ", " << e.bottom << ")";
        DeleteObject(actual);
        DeleteObject(expected);
    }

    HWND Top = nullptr;
    std::map<HWND, const char*> Names;
};

struct Change {
    const char* Label;
    std::function<void(HWND top, HWND a, HWND b, HWND c)> Run;
};

constexpr UINT Quiet = SWP_NOZORDER | SWP_NOACTIVATE;

const Change changes[] = {
    {"move a child", [](HWND, HWND a, HWND, HWND) { SetWindowPos(a, nullptr, 30, 5, 0, 0, SWP_NOSIZE | Quiet); }},
    {"size a child", [](HWND, HWND, HWND b, HWND) { SetWindowPos(b, nullptr, 0, 0, 40, 170, SWP_NOMOVE | Quiet); }},
    {"hide a child", [](HWND, HWND a, HWND, HWND) { ShowWindow(a, SW_HIDE); }},
    {"show it again", [](HWND, HWND a, HWND, HWND) { ShowWindow(a, SW_SHOWNA); }},
    {"raise a sibling",
     [](HWND, HWND, HWND b, HWND) { SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }},
    {"move a grandchild", [](HWND, HWND, HWND, HWND c) { SetWindowPos(c, nullptr, 50, 50, 0, 0, SWP_NOSIZE | Quiet); }},
    {"sibling stops clipping",
     [](HWND, HWND a, HWND, HWND) {
         SetWindowLongPtrW(a, GWL_STYLE, static_cast<DWORD>(GetWindowLongPtrW(a, GWL_STYLE)) & ~WS_CLIPSIBLINGS);
     }},
    {"parent stops clipping children",
     [](HWND top, HWND, HWND, HWND) {
         SetWindowLongPtrW(top, GWL_STYLE, static_cast<DWORD>(GetWindowLongPtrW(top, GWL_STYLE)) & ~WS_CLIPCHILDREN);
     }},
    {"move the top-level window",
     [](HWND top, HWND, HWND, HWND) { SetWindowPos(top, nullptr, 40, 60, 0, 0, SWP_NOSIZE | Quiet); }},
    {"shrink the top-level window",
     [](HWND top, HWND, HWND, HWND) { SetWindowPos(top, nullptr, 0, 0, 120, 90, SWP_NOMOVE | Quiet); }},
    {"hide the middle window", [](HWND, HWND, HWND b, HWND) { ShowWindow(b, SW_HIDE); }},
};

TEST_F(PaintVisibleRegion, FollowsEveryChangeOfTheTree) {
    Top = MakeTop({100, 100, 400, 300}, White, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND a = MakeChild(Top, {10, 10, 110, 110}, Red, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    HWND b = MakeChild(Top, {60, 60, 160, 160}, Green, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    HWND c = MakeChild(b, {20, 20, 70, 70}, Blue);
    Names = {{Top, "top"}, {a, "a"}, {b, "b"}, {c, "c"}};
    Settle();
    // DCs held across every change, with the flags GetDC took from the styles at the start.
    std::map<HWND, std::pair<HDC, DWORD>> held;
    for (const auto& [hwnd, name] : Names) {
        DWORD style = static_cast<DWORD>(static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)));
        DWORD flags =
            ((style & WS_CLIPCHILDREN) ? DCX_CLIPCHILDREN : 0) | ((style & WS_CLIPSIBLINGS) ? DCX_CLIPSIBLINGS : 0);
        held[hwnd] = {GetDC(hwnd), flags};
    }
    const DWORD flagSets[] = {0, DCX_CLIPSIBLINGS, DCX_CLIPCHILDREN, DCX_CLIPSIBLINGS | DCX_CLIPCHILDREN};
    for (const Change& change : changes) {
        SCOPED_TRACE(change.Label);
        change.Run(Top, a, b, c);
        EXPECT_TRUE(wintest::PumpUntilIdle());
        for (const auto& [hwnd, name] : Names) {
            for (DWORD flags : flagSets) {
                // Asked for twice: the second answer comes from what the first one left.
                for (int round = 0; round < 2; ++round) {
                    HDC hdc = GetDCEx(hwnd, nullptr, flags);
                    ExpectClips(hdc, hwnd, flags, "a new DC");
                    ReleaseDC(hwnd, hdc);
                }
            }
            ExpectClips(held[hwnd].first, hwnd, held[hwnd].second, "a held DC");
        }
    }
    for (const auto& [hwnd, dc] : held) ReleaseDC(hwnd, dc.first);
}

}  // namespace
