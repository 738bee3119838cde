// MessageBoxA/W and MessageBoxExA/W: the checks, the owner disabled while the box is up, and the modal loop that
// hands each message to the message filter, then the dialog manager, until a button is chosen.
#include "kernel/LastError.h"
#include "user/AnsiConvert.h"
#include "user/MessageBoxWindow.h"

#include <vector>

using win32::user::MessageBoxWindow;

namespace {

// The desktop's language is simplified Chinese; MessageBoxEx can ask for it or for the default.
constexpr WORD LanguageNeutral = 0x0000;
constexpr WORD LanguageChineseSimplified = 0x0804;

// The windows a box disables while it is up: its owner, or for MB_TASKMODAL without one every top-level window
// of the thread. Those that were disabled already stay so.
class DisabledWindows {
public:
    DisabledWindows(HWND box, HWND owner, bool taskModal) {
        if (owner) {
            Disable(owner);
        } else if (taskModal) {
            std::vector<HWND> topLevels;
            EnumWindows(
                [](HWND hwnd, LPARAM list) {
                    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&topLevels));
            for (HWND hwnd : topLevels)
                if (hwnd != box) Disable(hwnd);
        }
    }
    ~DisabledWindows() {
        for (HWND hwnd : FWindows)
            if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

private:
    void Disable(HWND hwnd) {
        if (!EnableWindow(hwnd, FALSE)) FWindows.push_back(hwnd);  // it was enabled
    }
    std::vector<HWND> FWindows;
};

int RunMessageBox(HWND hWnd, std::u16string text, const char16_t* caption, UINT uType, WORD language) {
    if (language != LanguageNeutral && language != LanguageChineseSimplified)
        return win32::Fail(0, ERROR_RESOURCE_LANG_NOT_FOUND);
    if (!MessageBoxWindow::ValidType(uType)) return win32::Fail(0, ERROR_INVALID_MSGBOX_STYLE);
    if (hWnd && !IsWindow(hWnd)) return win32::Fail(0, ERROR_INVALID_WINDOW_HANDLE);
    // A child window cannot own the box: its top-level window does.
    HWND owner = hWnd ? GetAncestor(hWnd, GA_ROOT) : nullptr;

    MessageBeep(uType & MB_ICONMASK);
    int answer = 0;
    bool quit = false;
    WPARAM quitCode = 0;
    {
        MessageBoxWindow box(std::move(text), uType);
        HWND hwnd = box.Create(owner, caption ? std::u16string(caption) : std::u16string(u"错误"));
        if (!hwnd) return 0;
        {
            DisabledWindows disabled(hwnd, owner, (uType & MB_MODEMASK) == MB_TASKMODAL);
            ShowWindow(hwnd, SW_SHOW);
            RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

            MSG msg;
            while (!box.Answer() && IsWindow(hwnd)) {
                BOOL got = GetMessageW(&msg, nullptr, 0, 0);
                if (got == 0) {
                    quit = true;
                    quitCode = msg.wParam;
                    break;
                }
                if (got < 0) break;
                if (CallMsgFilterW(&msg, MSGF_DIALOGBOX)) continue;
                if (!IsDialogMessageW(hwnd, &msg)) {
                    TranslateMessage(&msg);
                    DispatchMessageW(&msg);
                }
            }
            answer = box.Answer();
            // The owner is enabled again before the box goes, so that activation can return to it.
        }
        if (IsWindow(hwnd)) ShowWindow(hwnd, SW_HIDE);
        if (owner && IsWindow(owner) && IsWindowVisible(owner)) SetActiveWindow(owner);
    }
    // A quit request ends the box without an answer (0); the loop that ends the program must see it too.
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    return answer;
}

}  // namespace

int MessageBoxExW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType, WORD wLanguageId) {
    return RunMessageBox(hWnd, lpText ? std::u16string(lpText) : std::u16string(), lpCaption, uType, wLanguageId);
}

int MessageBoxExA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType, WORD wLanguageId) {
    std::u16string caption = win32::user::AnsiToWide(lpCaption);
    return RunMessageBox(hWnd, win32::user::AnsiToWide(lpText), lpCaption ? caption.c_str() : nullptr, uType,
                         wLanguageId);
}

int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
    return MessageBoxExW(hWnd, lpText, lpCaption, uType, LanguageNeutral);
}

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    return MessageBoxExA(hWnd, lpText, lpCaption, uType, LanguageNeutral);
}
