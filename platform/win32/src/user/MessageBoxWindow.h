// The message box's window: a captioned modal frame with an icon, the wrapped text and a row of BUTTON controls,
// laid out as the classic box is. MessageBoxW creates it and runs the modal loop, with the dialog manager's
// keyboard, around it.
#pragma once

#include <win32/windows.h>

#include <string>
#include <vector>

namespace win32::user {

class MessageBoxWindow {
public:
    // uType must already be checked (MessageBoxWindow::ValidType).
    MessageBoxWindow(std::u16string text, UINT type);
    ~MessageBoxWindow();
    MessageBoxWindow(const MessageBoxWindow&) = delete;
    MessageBoxWindow& operator=(const MessageBoxWindow&) = delete;

    // True for the MB_ combinations the box can show.
    static bool ValidType(UINT type);

    // Makes the hidden box, sized to its text and centred on the owner (or the work area without one). Null when
    // the window could not be made (the error is CreateWindowEx's).
    HWND Create(HWND owner, const std::u16string& caption);
    HWND Handle() const { return FHandle; }
    // The button chosen (IDOK ... IDNO), 0 while none is.
    int Answer() const { return FAnswer; }

private:
    struct Button {
        int Id;
        const char16_t* Caption;
    };

    static LRESULT BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static bool RegisterClasses();
    static MessageBoxWindow* FromBox(HWND box);

    LRESULT HandleBox(UINT message, WPARAM wParam, LPARAM lParam);
    void Layout(SIZE& client);
    void Paint();
    // The answer Esc, Alt+F4 and the close button give: IDCANCEL with a Cancel button, IDOK when OK is alone,
    // none otherwise.
    int CloseAnswer() const;
    void Choose(int id);
    // WM_COPY (Ctrl+C on a button): the caption, the text and the buttons as text on the clipboard.
    void CopyToClipboard() const;
    // Gives the focus back to the button that had it last (the default one at first).
    void FocusLastButton();

    std::u16string FText;
    UINT FType;
    std::vector<Button> FButtons;
    std::vector<HWND> FButtonWindows;
    HWND FHandle = nullptr;
    HFONT FFont = nullptr;
    HICON FIcon = nullptr;
    RECT FTextRect{0, 0, 0, 0};
    POINT FIconPos{0, 0};
    HWND FLastFocus = nullptr;
    WNDPROC FButtonProc = nullptr;
    int FAnswer = 0;
};

}  // namespace win32::user
