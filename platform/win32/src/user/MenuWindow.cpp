// Popup menus on screen: TrackPopupMenu's windows (owned popups that never take activation), their drawing in
// either look, and the menu loop that reads the mouse (captured) and the keyboard until an item is chosen or the
// menu is cancelled.
#include "user/Menu.h"

#include "theme/SystemStyle.h"

#include <win32/vssym32.h>

#include <algorithm>
#include <vector>

namespace win32::user {
namespace {

const char16_t PopupClass[] = u"#32768";
constexpr int Margin = 3;        // raised edge and one pixel of face around the items
constexpr int CheckColumn = 18;  // left of the text: check marks and bullets
constexpr int ArrowColumn = 16;  // right of the text: submenu arrows
constexpr int SeparatorHeight = 9;
constexpr UINT_PTR HoverTimer = 0x4D45;
constexpr UINT HoverDelay = 400;  // how long the pointer rests on a submenu item before it opens

struct Level {
    HMENU Menu = nullptr;
    HWND Popup = nullptr;
    int Selected = -1;
    std::vector<RECT> ItemRects;  // client coordinates
};

class Tracker {
public:
    HWND Owner = nullptr;
    UINT Flags = 0;
    bool System = false;
    RECT Exclude{0, 0, 0, 0};  // TPMPARAMS.rcExclude: what the menu must not cover
    std::vector<Level> Levels;
    bool Done = false;
    UINT Chosen = 0;
    bool Clicked = false;  // a button went down inside the menu, so the next release may choose

    bool Notify() const { return !(Flags & TPM_NONOTIFY); }
    Level* LevelOf(HWND popup) {
        for (Level& level : Levels)
            if (level.Popup == popup) return &level;
        return nullptr;
    }
};

Tracker* Active = nullptr;

HFONT MenuFont(bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    if (bold) metrics.lfMenuFont.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&metrics.lfMenuFont);
}

std::u16string Label(const std::u16string& text) { return text.substr(0, text.find(u'\t')); }
std::u16string Accelerator(const std::u16string& text) {
    size_t tab = text.find(u'\t');
    return tab == std::u16string::npos ? std::u16string() : text.substr(tab + 1);
}

// Lays out the items top to bottom and answers the popup's window size.
SIZE Layout(Level& level) {
    Menu* menu = MenuFromHandle(level.Menu);
    HDC dc = GetDC(nullptr);
    HFONT plain = MenuFont(false), bold = MenuFont(true);
    TEXTMETRICW metrics{};
    HGDIOBJ old = SelectObject(dc, plain);
    GetTextMetricsW(dc, &metrics);
    int itemHeight = std::max<int>(metrics.tmHeight + 4, GetSystemMetrics(SM_CYMENU) - 1);
    int labelWidth = 0, acceleratorWidth = 0;
    for (const MenuItem& item : menu->Items) {
        if (item.Separator()) continue;
        SelectObject(dc, (item.State & MFS_DEFAULT) ? bold : plain);
        RECT box{0, 0, 0, 0};
        std::u16string label = Label(item.Text), accelerator = Accelerator(item.Text);
        DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &box, DT_SINGLELINE | DT_CALCRECT);
        labelWidth = std::max<int>(labelWidth, box.right - box.left);
        if (!accelerator.empty()) {
            box = RECT{0, 0, 0, 0};
            DrawTextW(dc, accelerator.c_str(), static_cast<int>(accelerator.size()), &box, DT_SINGLELINE | DT_CALCRECT);
            acceleratorWidth = std::max<int>(acceleratorWidth, box.right - box.left);
        }
    }
    SelectObject(dc, old);
    DeleteObject(plain);
    DeleteObject(bold);
    ReleaseDC(nullptr, dc);

    int width = CheckColumn + labelWidth + (acceleratorWidth ? acceleratorWidth + 12 : 0) + ArrowColumn;
    level.ItemRects.clear();
    int y = Margin;
    for (const MenuItem& item : menu->Items) {
        int height = item.Separator() ? SeparatorHeight : itemHeight;
        level.ItemRects.push_back(RECT{Margin, y, Margin + width, y + height});
        y += height;
    }
    return SIZE{width + 2 * Margin, y + Margin};
}

// A menu glyph (check, bullet, arrow) in the given colour: the frame control draws it black on white, and its
// black pixels are copied.
void DrawGlyph(HDC dc, const RECT& box, UINT glyph, COLORREF color) {
    int width = box.right - box.left, height = box.bottom - box.top;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT local{0, 0, width, height};
    DrawFrameControl(memory, &local, DFC_MENU, glyph);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((GetPixel(memory, x, y) & 0xFFFFFF) == 0) SetPixelV(dc, box.left + x, box.top + y, color);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

// The items in the visual style: the Menu class's background, border, highlight, separators and glyphs in the
// classic layout's places.
void PaintStyled(HDC dc, const Level& level, const Menu& menu, const RECT& client, const theme::ClassStyle& style) {
    theme::DrawSystemPart(dc, style, MENU_POPUPBACKGROUND, 1, client);
    theme::DrawSystemPart(dc, style, MENU_POPUPBORDERS, 1, client);
    HFONT plain = MenuFont(false), bold = MenuFont(true);
    HGDIOBJ oldFont = SelectObject(dc, plain);
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < menu.Items.size(); ++i) {
        const MenuItem& item = menu.Items[i];
        const RECT& rect = level.ItemRects[i];
        if (item.Separator()) {
            theme::DrawSystemPart(dc, style, MENU_POPUPSEPARATOR, 1, rect);
            continue;
        }
        bool selected = static_cast<int>(i) == level.Selected;
        int state = item.Grayed() ? (selected ? MPI_DISABLEDHOT : MPI_DISABLED) : (selected ? MPI_HOT : MPI_NORMAL);
        theme::DrawSystemPart(dc, style, MENU_POPUPITEM, state, rect);
        SelectObject(dc, (item.State & MFS_DEFAULT) ? bold : plain);
        SetTextColor(dc, style.Colors(MENU_POPUPITEM, state).text);
        RECT label{rect.left + CheckColumn, rect.top, rect.right - ArrowColumn, rect.bottom};
        std::u16string text = Label(item.Text), accelerator = Accelerator(item.Text);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (!accelerator.empty())
            DrawTextW(dc, accelerator.c_str(), static_cast<int>(accelerator.size()), &label,
                      DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        if (item.State & MFS_CHECKED) {
            int glyph = (item.Type & MFT_RADIOCHECK) ? MC_BULLETNORMAL : MC_CHECKMARKNORMAL;
            theme::DrawSystemPart(dc, style, MENU_POPUPCHECK, item.Grayed() ? glyph + 1 : glyph,
                                  RECT{rect.left, rect.top, rect.left + CheckColumn, rect.bottom});
        }
        if (item.SubMenu)
            theme::DrawSystemPart(dc, style, MENU_POPUPSUBMENU, item.Grayed() ? MSM_DISABLED : MSM_NORMAL,
                                  RECT{rect.right - ArrowColumn, rect.top, rect.right, rect.bottom});
    }
    SelectObject(dc, oldFont);
    DeleteObject(plain);
    DeleteObject(bold);
}

void Paint(HWND hwnd, HDC dc) {
    Level* level = Active ? Active->LevelOf(hwnd) : nullptr;
    if (!level) return;
    Menu* menu = MenuFromHandle(level->Menu);
    if (!menu) return;
    RECT client;
    GetClientRect(hwnd, &client);
    if (const theme::ClassStyle* style = theme::SystemStyle(hwnd, u"Menu", false)) {
        PaintStyled(dc, *level, *menu, client, *style);
        return;
    }
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    RECT edge = client;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    HFONT plain = MenuFont(false), bold = MenuFont(true);
    HGDIOBJ oldFont = SelectObject(dc, plain);
    SetBkMode(dc, TRANSPARENT);
    int check = GetSystemMetrics(SM_CXMENUCHECK);
    for (size_t i = 0; i < menu->Items.size(); ++i) {
        const MenuItem& item = menu->Items[i];
        RECT rect = level->ItemRects[i];
        if (item.Separator()) {
            RECT line{rect.left, rect.top + SeparatorHeight / 2 - 1, rect.right, rect.top + SeparatorHeight / 2 + 1};
            DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
            continue;
        }
        bool selected = static_cast<int>(i) == level->Selected;
        if (selected) FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
        COLORREF textColor = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
        if (item.Grayed()) textColor = GetSysColor(selected ? COLOR_GRAYTEXT : COLOR_3DSHADOW);
        SelectObject(dc, (item.State & MFS_DEFAULT) ? bold : plain);
        auto drawAll = [&](int dx, COLORREF color) {
            SetTextColor(dc, color);
            RECT label{rect.left + CheckColumn + dx, rect.top + dx, rect.right - ArrowColumn + dx, rect.bottom + dx};
            std::u16string text = Label(item.Text), accelerator = Accelerator(item.Text);
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &label, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
            if (!accelerator.empty())
                DrawTextW(dc, accelerator.c_str(), static_cast<int>(accelerator.size()), &label,
                          DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
            int top = rect.top + (rect.bottom - rect.top - check) / 2;
            if (item.State & MFS_CHECKED) {
                RECT box{rect.left + (CheckColumn - check) / 2 + dx, top + dx, 0, 0};
                box.right = box.left + check;
                box.bottom = box.top + check;
                DrawGlyph(dc, box, (item.Type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK, color);
            }
            if (item.SubMenu) {
                RECT box{rect.right - ArrowColumn + (ArrowColumn - check) / 2 + dx, top + dx, 0, 0};
                box.right = box.left + check;
                box.bottom = box.top + check;
                DrawGlyph(dc, box, DFCS_MENUARROW, color);
            }
        };
        // Grey items not under the highlight are embossed: a white copy one pixel down and right.
        if (item.Grayed() && !selected) drawAll(1, GetSysColor(COLOR_3DHILIGHT));
        drawAll(0, textColor);
    }
    SelectObject(dc, oldFont);
    DeleteObject(plain);
    DeleteObject(bold);
}

LRESULT PopupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        Paint(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

bool RegisterPopupClass() {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(nullptr, PopupClass, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = PopupProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = PopupClass;
    return RegisterClassExW(&wc) != 0;
}

void SendMenuSelect(Tracker& tracker, Level& level, bool byMouse) {
    if (!tracker.Notify()) return;
    Menu* menu = MenuFromHandle(level.Menu);
    if (!menu || level.Selected < 0) return;
    const MenuItem& item = menu->Items[static_cast<size_t>(level.Selected)];
    UINT flags = (item.Type | item.State | (item.SubMenu ? MF_POPUP : 0) | MF_HILITE | (byMouse ? MF_MOUSESELECT : 0) |
                  (tracker.System ? MF_SYSMENU : 0)) &
                 0xFFFF;
    UINT id = item.SubMenu ? static_cast<UINT>(level.Selected) : item.Id;
    SendMessageW(tracker.Owner, WM_MENUSELECT, MAKEWPARAM(id, flags), reinterpret_cast<LPARAM>(level.Menu));
}

void CloseLevelsAbove(Tracker& tracker, size_t keep) {
    while (tracker.Levels.size() > keep) {
        Level level = tracker.Levels.back();
        tracker.Levels.pop_back();
        KillTimer(level.Popup, HoverTimer);
        if (level.Popup) DestroyWindow(level.Popup);
        if (tracker.Notify())
            SendMessageW(tracker.Owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(level.Menu),
                         MAKELPARAM(0, tracker.System ? MF_SYSMENU : 0));
    }
}

void Select(Tracker& tracker, size_t depth, int index, bool byMouse) {
    if (depth >= tracker.Levels.size()) return;
    CloseLevelsAbove(tracker, depth + 1);
    Level& level = tracker.Levels[depth];
    if (level.Selected == index) return;
    level.Selected = index;
    InvalidateRect(level.Popup, nullptr, TRUE);
    SendMenuSelect(tracker, level, byMouse);
}

// Opens a popup for the menu: WM_INITMENUPOPUP first (handlers may still change the items), then the window,
// placed at the point and kept on the screen.
bool OpenLevel(Tracker& tracker, HMENU menu, int x, int y, UINT position, const RECT* parentItem) {
    if (tracker.Notify())
        SendMessageW(tracker.Owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                     MAKELPARAM(position, tracker.System ? 1 : 0));
    if (!MenuFromHandle(menu) || tracker.Done) return false;
    Level level;
    level.Menu = menu;
    SIZE size = Layout(level);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (parentItem) {
        // A submenu opens beside its item, on the left when the right has no room.
        x = parentItem->right - Margin;
        y = parentItem->top - Margin;
        if (x + size.cx > screenWidth) x = parentItem->left - size.cx + Margin;
    } else {
        if (tracker.Flags & TPM_RIGHTALIGN)
            x -= size.cx;
        else if (tracker.Flags & TPM_CENTERALIGN)
            x -= size.cx / 2;
        if (tracker.Flags & TPM_BOTTOMALIGN)
            y -= size.cy;
        else if (tracker.Flags & TPM_VCENTERALIGN)
            y -= size.cy / 2;
        if (x + size.cx > screenWidth) x = screenWidth - size.cx;
        if (y + size.cy > screenHeight) y -= size.cy;
        RECT menuRect{x, y, x + size.cx, y + size.cy}, overlap;
        const RECT& exclude = tracker.Exclude;
        if (IntersectRect(&overlap, &menuRect, &exclude)) {
            // Beside the excluded rectangle: after it when there is room, else before it.
            if (tracker.Flags & TPM_VERTICAL)
                y = exclude.bottom + size.cy <= screenHeight ? exclude.bottom : exclude.top - size.cy;
            else
                x = exclude.right + size.cx <= screenWidth ? exclude.right : exclude.left - size.cx;
        }
    }
    x = std::max(0, x);
    y = std::max(0, std::min<int>(y, screenHeight - size.cy));
    level.Popup = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, PopupClass, u"", WS_POPUP, x, y,
                                  size.cx, size.cy, tracker.Owner, nullptr, nullptr, nullptr);
    if (!level.Popup) return false;
    tracker.Levels.push_back(level);
    SetWindowPos(level.Popup, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return true;
}

bool Selectable(const MenuItem& item) { return !item.Separator(); }

// Opens the selected item's submenu of the level, if it has one.
bool OpenSelectedSubmenu(Tracker& tracker, size_t depth, bool selectFirst) {
    Level& level = tracker.Levels[depth];
    Menu* menu = MenuFromHandle(level.Menu);
    if (!menu || level.Selected < 0) return false;
    const MenuItem& item = menu->Items[static_cast<size_t>(level.Selected)];
    if (!item.SubMenu || item.Grayed()) return false;
    if (tracker.Levels.size() > depth + 1) return true;  // already open
    RECT itemRect = level.ItemRects[static_cast<size_t>(level.Selected)];
    MapWindowPoints(level.Popup, nullptr, reinterpret_cast<POINT*>(&itemRect), 2);
    RECT parent;
    GetWindowRect(level.Popup, &parent);
    itemRect.left = parent.left;
    itemRect.right = parent.right;
    UINT position = static_cast<UINT>(level.Selected);
    if (!OpenLevel(tracker, item.SubMenu, 0, 0, position, &itemRect)) return false;
    if (selectFirst) {
        Menu* sub = MenuFromHandle(tracker.Levels.back().Menu);
        for (size_t i = 0; sub && i < sub->Items.size(); ++i)
            if (Selectable(sub->Items[i])) {
                Select(tracker, tracker.Levels.size() - 1, static_cast<int>(i), false);
                break;
            }
    }
    return true;
}

// Enter or a click on the selected item: a submenu opens, an enabled command ends the menu.
void Execute(Tracker& tracker, size_t depth, bool byMouse) {
    Level& level = tracker.Levels[depth];
    Menu* menu = MenuFromHandle(level.Menu);
    if (!menu || level.Selected < 0) return;
    const MenuItem& item = menu->Items[static_cast<size_t>(level.Selected)];
    if (item.SubMenu) {
        OpenSelectedSubmenu(tracker, depth, !byMouse);
        return;
    }
    if (item.Grayed() || item.Separator()) return;
    tracker.Chosen = item.Id;
    tracker.Done = true;
}

void MoveSelection(Tracker& tracker, int step) {
    size_t depth = tracker.Levels.size() - 1;
    Level& level = tracker.Levels[depth];
    Menu* menu = MenuFromHandle(level.Menu);
    int count = menu ? static_cast<int>(menu->Items.size()) : 0;
    if (count == 0) return;
    int index = level.Selected;
    for (int tries = 0; tries < count; ++tries) {
        index = index < 0 ? (step > 0 ? 0 : count - 1) : (index + step + count) % count;
        if (Selectable(menu->Items[static_cast<size_t>(index)])) {
            Select(tracker, depth, index, false);
            return;
        }
    }
}

// The letter after '&' in an item's text, upper-cased.
char16_t Mnemonic(const std::u16string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        char16_t c = text[i + 1];
        return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
    }
    return 0;
}

void OnChar(Tracker& tracker, char16_t c) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    size_t depth = tracker.Levels.size() - 1;
    Level& level = tracker.Levels[depth];
    Menu* menu = MenuFromHandle(level.Menu);
    if (!menu) return;
    std::vector<int> matches;
    for (size_t i = 0; i < menu->Items.size(); ++i)
        if (!menu->Items[i].Separator() && Mnemonic(menu->Items[i].Text) == c) matches.push_back(static_cast<int>(i));
    if (matches.empty()) return;
    if (matches.size() == 1) {
        Select(tracker, depth, matches[0], false);
        Execute(tracker, depth, false);
        return;
    }
    // Several items share the letter: each press moves to the next of them.
    auto next = std::upper_bound(matches.begin(), matches.end(), level.Selected);
    Select(tracker, depth, next == matches.end() ? matches[0] : *next, false);
}

void OnKey(Tracker& tracker, UINT vk) {
    size_t depth = tracker.Levels.size() - 1;
    switch (vk) {
    case VK_DOWN: MoveSelection(tracker, 1); break;
    case VK_UP: MoveSelection(tracker, -1); break;
    case VK_RIGHT: OpenSelectedSubmenu(tracker, depth, true); break;
    case VK_LEFT:
        if (depth > 0) CloseLevelsAbove(tracker, depth);
        break;
    case VK_ESCAPE:
        if (depth > 0)
            CloseLevelsAbove(tracker, depth);
        else
            tracker.Done = true;
        break;
    case VK_RETURN: Execute(tracker, depth, false); break;
    case VK_MENU:
    case VK_F10: tracker.Done = true; break;
    default: break;
    }
}

// Where a screen point falls: the deepest popup under it and the item there (-1 between items).
bool HitTest(Tracker& tracker, POINT screen, size_t& depth, int& index) {
    for (size_t d = tracker.Levels.size(); d-- > 0;) {
        Level& level = tracker.Levels[d];
        RECT window;
        GetWindowRect(level.Popup, &window);
        if (!PtInRect(&window, screen)) continue;
        POINT client = screen;
        ScreenToClient(level.Popup, &client);
        depth = d;
        index = -1;
        Menu* menu = MenuFromHandle(level.Menu);
        for (size_t i = 0; i < level.ItemRects.size(); ++i)
            if (PtInRect(&level.ItemRects[i], client) && menu && Selectable(menu->Items[i]))
                index = static_cast<int>(i);
        return true;
    }
    return false;
}

void OnMouse(Tracker& tracker, const MSG& msg) {
    size_t depth = 0;
    int index = -1;
    bool inside = HitTest(tracker, msg.pt, depth, index);
    bool rightAllowed = tracker.Flags & TPM_RIGHTBUTTON;
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (!inside || index < 0) break;
        if (tracker.Levels[depth].Selected != index) {
            Select(tracker, depth, index, true);
            const MenuItem& item = MenuFromHandle(tracker.Levels[depth].Menu)->Items[static_cast<size_t>(index)];
            if (item.SubMenu) SetTimer(tracker.Levels[depth].Popup, HoverTimer, HoverDelay, nullptr);
        } else if (depth + 1 < tracker.Levels.size()) {
            // Back on the item whose submenu is open: the submenu loses its selection.
            Select(tracker, depth + 1, -1, true);
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (!inside) {
            tracker.Done = true;  // a click elsewhere dismisses the menu and is not passed on
            break;
        }
        tracker.Clicked = true;
        if (index >= 0) Select(tracker, depth, index, true);
        break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP: {
        bool right = msg.message == WM_RBUTTONUP || msg.message == WM_NCRBUTTONUP;
        if (!inside || index < 0 || !tracker.Clicked || (right && !rightAllowed)) break;
        Select(tracker, depth, index, true);
        Execute(tracker, depth, true);
        break;
    }
    default: break;
    }
}

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

// The loop: mouse and keys are the menu's, everything else (painting, timers, sent messages) runs as usual.
void RunLoop(Tracker& tracker) {
    bool idleSent = false;
    while (!tracker.Done) {
        if (!IsWindow(tracker.Owner) || tracker.Levels.empty() || GetCapture() != tracker.Levels[0].Popup) break;
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!idleSent) {
                idleSent = true;
                SendMessageW(tracker.Owner, WM_ENTERIDLE, MSGF_MENU,
                             reinterpret_cast<LPARAM>(tracker.Levels.back().Popup));
            } else {
                WaitMessage();
                idleSent = false;
            }
            continue;
        }
        idleSent = false;
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (CallMsgFilterW(&msg, MSGF_MENU)) continue;
        if (IsMouseMessage(msg.message)) {
            OnMouse(tracker, msg);
        } else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            OnKey(tracker, static_cast<UINT>(msg.wParam));
            TranslateMessage(&msg);
        } else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
            OnChar(tracker, static_cast<char16_t>(msg.wParam));
        } else if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) {
            // eaten: the keys belong to the menu while it is up
        } else if (msg.message == WM_TIMER && msg.wParam == HoverTimer) {
            KillTimer(msg.hwnd, HoverTimer);
            for (size_t d = 0; d < tracker.Levels.size(); ++d)
                if (tracker.Levels[d].Popup == msg.hwnd) {
                    OpenSelectedSubmenu(tracker, d, false);
                    break;
                }
        } else {
            DispatchMessageW(&msg);
        }
    }
}

// The whole of TrackPopupMenu: notifications in Windows' order around the loop, then the command.
UINT Track(HMENU hmenu, UINT flags, int x, int y, HWND owner, bool system, bool selectFirst,
           const RECT* exclude = nullptr) {
    Tracker tracker;
    if (exclude) tracker.Exclude = *exclude;
    tracker.Owner = owner;
    tracker.Flags = flags;
    tracker.System = system;
    Active = &tracker;
    if (tracker.Notify()) {
        SendMessageW(owner, WM_ENTERMENULOOP, TRUE, 0);
        SendMessageW(owner, WM_INITMENU, reinterpret_cast<WPARAM>(hmenu), 0);
    }
    bool opened = !tracker.Done && OpenLevel(tracker, hmenu, x, y, 0, nullptr);
    if (opened) {
        SetCapture(tracker.Levels[0].Popup);
        if (selectFirst) MoveSelection(tracker, 1);
        RunLoop(tracker);
        if (GetCapture() == tracker.Levels[0].Popup) ReleaseCapture();
    }
    CloseLevelsAbove(tracker, 0);
    if (tracker.Notify()) {
        SendMessageW(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
        SendMessageW(owner, WM_EXITMENULOOP, TRUE, 0);
    }
    Active = nullptr;
    return tracker.Done ? tracker.Chosen : 0;
}

constexpr UINT KnownTrackFlags = TPM_RIGHTBUTTON | TPM_CENTERALIGN | TPM_RIGHTALIGN | TPM_VCENTERALIGN |
                                 TPM_BOTTOMALIGN | TPM_VERTICAL | TPM_NONOTIFY | TPM_RETURNCMD | TPM_HORPOSANIMATION |
                                 TPM_HORNEGANIMATION | TPM_VERPOSANIMATION | TPM_VERNEGANIMATION | TPM_NOANIMATION;

}  // namespace

bool TrackSystemMenu(HWND hwnd, POINT screen, bool fromKeyboard) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    if (!menu || Active || !RegisterPopupClass()) return false;
    UINT chosen = Track(menu, TPM_LEFTBUTTON | TPM_RIGHTBUTTON, screen.x, screen.y, hwnd, true, fromKeyboard);
    if (chosen && IsWindow(hwnd))
        PostMessageW(hwnd, WM_SYSCOMMAND, chosen, fromKeyboard ? 0 : MAKELPARAM(screen.x, screen.y));
    return true;
}

}  // namespace win32::user

using namespace win32::user;

BOOL TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hwnd, LPTPMPARAMS lptpm) {
    // Animation flags only choose how a menu would slide in; menus here appear at once.
    if (uFlags & ~KnownTrackFlags) {
        SetLastError(ERROR_INVALID_FLAGS);
        return FALSE;
    }
    if (lptpm && lptpm->cbSize != sizeof(TPMPARAMS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!MenuFromHandle(hMenu) || !IsWindow(hwnd)) {
        if (IsMenu(hMenu)) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (Active) {
        SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
        return FALSE;
    }
    if (!RegisterPopupClass()) return FALSE;
    UINT chosen = Track(hMenu, uFlags, x, y, hwnd, false, false, lptpm ? &lptpm->rcExclude : nullptr);
    if (uFlags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen && !(uFlags & TPM_NONOTIFY)) PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return TRUE;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd, const RECT* prcRect) {
    (void)prcRect;  // ignored by Windows as well
    if (nReserved != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TrackPopupMenuEx(hMenu, uFlags, x, y, hWnd, nullptr);
}

BOOL EndMenu(void) {
    if (Active) Active->Done = true, Active->Chosen = 0;
    PostMessageW(nullptr, WM_NULL, 0, 0);  // wakes the loop if it is waiting
    return TRUE;
}

BOOL GetMenuItemRect(HWND hWnd, HMENU hMenu, UINT uItem, LPRECT lprcItem) {
    (void)hWnd;  // popup menus are found by their menu
    if (!lprcItem || !MenuFromHandle(hMenu)) return FALSE;
    if (!Active) return FALSE;
    for (const Level& level : Active->Levels) {
        if (level.Menu != hMenu || uItem >= level.ItemRects.size()) continue;
        *lprcItem = level.ItemRects[uItem];
        MapWindowPoints(level.Popup, nullptr, reinterpret_cast<POINT*>(lprcItem), 2);
        return TRUE;
    }
    return FALSE;
}
