// Utility windows: the method lives in a heap record reached through GWLP_USERDATA and freed at WM_NCDESTROY.
#include <toolkit/UtilWindow.h>

#include <toolkit/Application.h>

#include <memory>

namespace {

const char kUtilWindowClass[] = "TPUtilWindow";

struct TUtilWindowRecord {
    TWndMethod Method;
};

LRESULT UtilWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* record = reinterpret_cast<TUtilWindowRecord*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCDESTROY && record) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete record;
        record = nullptr;
    }
    if (!record) return DefWindowProcA(hwnd, message, wParam, lParam);
    TMessage msg{};
    msg.Msg = message;
    msg.WParam = wParam;
    msg.LParam = lParam;
    msg.Result = 0;
    // The method may deallocate its own window; it runs from a copy so the record can go meanwhile.
    TWndMethod method = record->Method;
    try {
        method(msg);
    } catch (...) {
        Application->HandleException(nullptr);
    }
    return msg.Result;
}

bool RegisterUtilWindowClass() {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(nullptr, kUtilWindowClass, &existing)) return existing.lpfnWndProc == &UtilWindowProc;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &UtilWindowProc;
    windowClass.lpszClassName = kUtilWindowClass;
    return RegisterClassExA(&windowClass) != 0;
}

}  // namespace

HWND AllocateHWnd(TWndMethod method) {
    if (!RegisterUtilWindowClass()) return nullptr;
    HWND wnd = CreateWindowExA(WS_EX_TOOLWINDOW, kUtilWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                               nullptr);
    if (!wnd) return nullptr;
    auto record = std::make_unique<TUtilWindowRecord>();
    record->Method = std::move(method);
    SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record.release()));
    return wnd;
}

void DeallocateHWnd(HWND wnd) {
    if (!wnd) return;
    // The record goes first, so the method hears nothing of the destruction.
    if (auto* record = reinterpret_cast<TUtilWindowRecord*>(GetWindowLongPtrA(wnd, GWLP_USERDATA))) {
        SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
        delete record;
    }
    DestroyWindow(wnd);
}
