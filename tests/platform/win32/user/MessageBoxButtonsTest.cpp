// A message box's buttons are BUTTON controls: BM_CLICK on any of them sends WM_COMMAND/BN_CLICKED to the box,
// which ends with that button's id.
#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Seen {
    int Id;
    int Code;
    HWND Control;
};

WNDPROC BoxProc = nullptr;
std::vector<Seen> Commands;

LRESULT CALLBACK Spy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) Commands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
    return CallWindowProcW(BoxProc, hwnd, message, wParam, lParam);
}

std::vector<HWND> Children(HWND box) {
    std::vector<HWND> children;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

TEST(MessageBoxButtons, EachButtonAnswersBmClickAndTellsTheBox) {
    const struct {
        UINT Type;
        std::vector<int> Ids;
    } boxes[] = {
        {MB_OK, {IDOK}},
        {MB_OKCANCEL, {IDOK, IDCANCEL}},
        {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
        {MB_YESNOCANCEL | MB_DEFBUTTON2, {IDYES, IDNO, IDCANCEL}},
        {MB_YESNO, {IDYES, IDNO}},
        {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}},
        {MB_CANCELTRYCONTINUE, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}},
    };
    for (const auto& box : boxes) {
        for (size_t chosen = 0; chosen < box.Ids.size(); ++chosen) {
            SCOPED_TRACE(testing::Message() << "type " << box.Type << " button " << chosen);
            Commands.clear();
            std::vector<HWND> buttons;
            wintest::QueueModalAnswer([&](HWND hwnd) {
                ASSERT_EQ(box.Ids.size(), Children(hwnd).size());
                for (int id : box.Ids) {
                    HWND button = GetDlgItem(hwnd, id);
                    ASSERT_NE(nullptr, button);
                    WCHAR name[16] = {};
                    GetClassNameW(button, name, 16);
                    EXPECT_EQ(std::u16string(u"Button"), std::u16string(name));
                    EXPECT_EQ(DLGC_BUTTON, SendMessageW(button, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON);
                    buttons.push_back(button);
                }
                BoxProc =
                    reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Spy)));
                SendMessageW(buttons[chosen], BM_CLICK, 0, 0);
            });
            EXPECT_EQ(box.Ids[chosen], MessageBoxW(nullptr, u"text", u"caption", box.Type));
            ASSERT_EQ(box.Ids.size(), buttons.size());
            ASSERT_EQ(1u, Commands.size());
            EXPECT_EQ(box.Ids[chosen], Commands[0].Id);
            EXPECT_EQ(BN_CLICKED, Commands[0].Code);
            EXPECT_EQ(buttons[chosen], Commands[0].Control);
        }
    }
}

}  // namespace
