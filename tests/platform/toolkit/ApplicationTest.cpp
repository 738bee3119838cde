// TApplication and the dialogs: exceptions shown in a box captioned with the title or given to OnException, the
// loop's Terminate, ShowMessage and MessageDlg answers, minimize and restore events.
#include <toolkit/Application.h>
#include <toolkit/Dialogs.h>
#include <toolkit/UtilWindow.h>

#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string WindowText(HWND hwnd) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// Answers the next box with a key and records its caption.
void AnswerWithKey(UINT vk, std::string* caption) {
    wintest::QueueModalAnswer([vk, caption](HWND box) {
        if (caption) *caption = WindowText(box);
        wintest::KeyPress(vk);
    });
}

TEST(ApplicationTest, HandleExceptionShowsABoxCaptionedWithTheTitle) {
    Application->SetTitle("串口配置");
    std::string caption;
    // Ctrl+C copies the box's words to the clipboard, then Enter answers it.
    wintest::QueueModalAnswer([&caption](HWND box) {
        caption = WindowText(box);
        wintest::KeyPress('C', wintest::Control);
        wintest::KeyPress(VK_RETURN);
    });
    try {
        throw EConvertError("'abc' is not a valid integer value");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    EXPECT_EQ(caption, "串口配置");
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    std::string copied(static_cast<const char*>(GlobalLock(data)));
    GlobalUnlock(data);
    CloseClipboard();
    EXPECT_NE(copied.find("\r\n'abc' is not a valid integer value.\r\n"), std::string::npos) << copied;
    EXPECT_EQ(wintest::PendingModalAnswers(), 0u);
    // Outside a catch block there is nothing to show, and EAbort is silent: no box appears to take an answer.
    Application->HandleException(nullptr);
    wintest::QueueModalAnswer([](HWND) { wintest::KeyPress(VK_RETURN); });
    try {
        Abort();
    } catch (...) {
        Application->HandleException(nullptr);
    }
    EXPECT_EQ(wintest::PendingModalAnswers(), 1u);
    Application->MessageBox("takes the answer", "", MB_OK);
}

TEST(ApplicationTest, OnExceptionReplacesTheBox) {
    TObject* sender = nullptr;
    std::string text;
    Application->OnException = [&](TObject* s, const std::exception& e) {
        sender = s;
        text = e.what();
    };
    try {
        throw Exception("写入失败");
    } catch (...) {
        Application->HandleException(Application);
    }
    Application->OnException = nullptr;
    EXPECT_EQ(sender, Application);
    EXPECT_EQ(text, "写入失败");
}

TEST(ApplicationTest, RunHandlesMessagesUntilTerminateAndSurvivesErrors) {
    int handled = 0;
    std::vector<std::string> errors;
    Application->OnException = [&](TObject*, const std::exception& e) { errors.push_back(e.what()); };
    HWND wnd = AllocateHWnd([&](TMessage& message) {
        if (message.Msg == WM_USER) {
            ++handled;
            throw Exception("first");
        }
        if (message.Msg == WM_USER + 1) {
            ++handled;
            Application->Terminate();
        }
    });
    PostMessageA(wnd, WM_USER, 0, 0);
    PostMessageA(wnd, WM_USER + 1, 0, 0);
    Application->Run();
    Application->OnException = nullptr;
    DeallocateHWnd(wnd);
    EXPECT_EQ(handled, 2);
    EXPECT_EQ(errors, std::vector<std::string>{"first"});
    EXPECT_TRUE(Application->Terminated());
}

TEST(DialogsTest, ShowMessageAndMessageDlgCaptionsAndAnswers) {
    Application->SetTitle("Demo");
    std::string caption;
    AnswerWithKey(VK_RETURN, &caption);
    ShowMessage("发送完成！");
    EXPECT_EQ(caption, "Demo");

    struct {
        TMsgDlgType Type;
        TMsgDlgButtons Buttons;
        UINT Key;
        int Expected;
        const char* Caption;
    } cases[] = {
        {mtConfirmation, mbYesNoCancel, VK_ESCAPE, mrCancel, "确认"},
        {mtWarning, mbOKCancel, VK_RETURN, mrOk, "警告"},
        {mtError, TMsgDlgButtons{mbOK}, VK_ESCAPE, mrOk, "错误"},
        {mtInformation, TMsgDlgButtons{mbRetry, mbCancel}, VK_RETURN, mrRetry, "信息"},
        {mtCustom, TMsgDlgButtons{mbYes, mbNo}, VK_RETURN, mrYes, "Demo"},
    };
    for (const auto& c : cases) {
        AnswerWithKey(c.Key, &caption);
        EXPECT_EQ(MessageDlg("text", c.Type, c.Buttons), c.Expected) << c.Caption;
        EXPECT_EQ(caption, c.Caption);
    }
    EXPECT_THROW(MessageDlg("text", mtCustom, TMsgDlgButtons{mbYes, mbYesToAll}), EInvalidDialogButtons);
    EXPECT_THROW(MessageDlg("text", mtCustom, TMsgDlgButtons{}), EInvalidDialogButtons);
}

TEST(ApplicationTest, MinimizeAndRestoreRaiseTheirEventsOnce) {
    int minimized = 0;
    int restored = 0;
    Application->OnMinimize = [&](TObject*) { ++minimized; };
    Application->OnRestore = [&](TObject*) { ++restored; };
    Application->Minimize();
    EXPECT_TRUE(IsIconic(Application->Handle()));
    Application->Minimize();
    // The system's restore command reaches the application window.
    SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    Application->Restore();
    Application->OnMinimize = nullptr;
    Application->OnRestore = nullptr;
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(restored, 1);
    EXPECT_FALSE(IsIconic(Application->Handle()));
    EXPECT_FALSE(IsWindowVisible(Application->Handle()));
}

}  // namespace
