// TComboListWindow: the drop-down list of a combo box, a popup window owned by the combo box's top-level window
// that never takes the activation; it holds the mouse capture while open, the combo box keeps the focus.
#pragma once

#include <win32/windows.h>

class TCustomComboBox;

class TComboListWindow {
public:
    explicit TComboListWindow(TCustomComboBox& combo) : FCombo(combo) {}
    ~TComboListWindow();
    TComboListWindow(const TComboListWindow&) = delete;
    TComboListWindow& operator=(const TComboListWindow&) = delete;

    // Makes the window below the combo box (above it when the work area has no room below), highlighting hot,
    // and takes the capture. False when the window could not be made.
    bool Open(int hot);
    void Close();
    HWND Handle() const { return FHandle; }

    // The highlighted row, -1 for none; setting it scrolls it into view.
    int HotIndex() const { return FHot; }
    void SetHotIndex(int index);
    int TopIndex() const { return FTop; }
    void SetTopIndex(int index);
    int VisibleRows() const { return FRows; }
    // The items changed: size, scroll bar and highlight are brought up to date.
    void ItemsChanged();

private:
    static LRESULT WindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam);
    void Layout();
    void UpdateScrollBar();
    void Paint(HDC dc);
    // The row under a client point, or -1 outside the rows.
    int RowAt(POINT client) const;
    void ButtonDown(POINT client);
    void ButtonUp(POINT client);
    void Scrolled(WORD code);

    TCustomComboBox& FCombo;
    HWND FHandle = nullptr;
    int FHot = -1;
    int FTop = 0;
    int FRows = 1;
    // While the platform's scroll bar tracks the mouse it holds the capture; losing it then does not close.
    bool FScrollTracking = false;
    bool FClosing = false;
};
