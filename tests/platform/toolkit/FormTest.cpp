// TForm: ShowModal's answers from buttons, code and WM_CLOSE; OnCloseQuery refusing and an exception in OnClose
// keeping the form open; centring in the work area; a form read from a description with nested controls and
// bound events.
#include "FormTestSupport.h"

#include <toolkit/Application.h>
#include <toolkit/Reader.h>
#include <toolkit/Screen.h>

#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

const auto publishedPanel = Publish<TFrmTestPanel>();

// A dialog with OK (default), Cancel (cancel) and &Yes / &No buttons.
struct TDialogFixture {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TButton* Ok = Add("OK", mrOk, 10);
    TButton* Cancel = Add("Cancel", mrCancel, 40);
    TButton* Yes = Add("&Yes", mrYes, 70);
    TButton* No = Add("&No", mrNo, 100);

    TDialogFixture() {
        Ok->SetDefault(true);
        Cancel->SetCancel(true);
    }
    TButton* Add(const char* caption, TModalResult result, int top) {
        auto* button = new TButton(Form.get());
        button->SetParent(Form.get());
        button->SetBounds(10, top, 75, 25);
        button->SetCaption(caption);
        button->SetModalResult(result);
        return button;
    }
};

POINT ScreenCentre(TWinControl* control) {
    RECT r{};
    GetWindowRect(control->Handle(), &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(FormTest, ShowModalAnswersTheResultSetByCode) {
    for (TModalResult expected : {mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo, mrAll, mrYesToAll}) {
        TDialogFixture dialog;
        TForm* form = dialog.Form.get();
        wintest::QueueModalAnswer([form, expected](HWND hwnd) {
            EXPECT_EQ(hwnd, form->Handle());
            EXPECT_TRUE(form->FormState().Contains(fsModal));
            EXPECT_TRUE(IsWindowVisible(hwnd));
            form->SetModalResult(expected);
        });
        EXPECT_EQ(form->ShowModal(), expected);
        EXPECT_FALSE(form->Visible());
        EXPECT_FALSE(form->FormState().Contains(fsModal));
    }
}

TEST(FormTest, ButtonsKeysAndCloseEndTheModalLoop) {
    struct {
        const char* Name;
        std::function<void(TDialogFixture&)> Answer;
        TModalResult Expected;
    } cases[] = {
        {"click Yes",
         [](TDialogFixture& d) {
             POINT p = ScreenCentre(d.Yes);
             wintest::MouseClick(p.x, p.y);
         },
         mrYes},
        {"click No",
         [](TDialogFixture& d) {
             POINT p = ScreenCentre(d.No);
             wintest::MouseClick(p.x, p.y);
         },
         mrNo},
        {"Enter presses the default button", [](TDialogFixture&) { wintest::KeyPress(VK_RETURN); }, mrOk},
        {"Esc presses the cancel button", [](TDialogFixture&) { wintest::KeyPress(VK_ESCAPE); }, mrCancel},
        {"Alt+Y is Yes's accelerator", [](TDialogFixture&) { wintest::KeyPress('Y', wintest::Alt); }, mrYes},
        {"a plain N is No's accelerator", [](TDialogFixture&) { wintest::KeyPress('N'); }, mrNo},
        {"WM_CLOSE cancels", [](TDialogFixture& d) { PostMessageA(d.Form->Handle(), WM_CLOSE, 0, 0); }, mrCancel},
        {"Close cancels", [](TDialogFixture& d) { d.Form->Close(); }, mrCancel},
    };
    for (auto& c : cases) {
        TDialogFixture dialog;
        TDialogFixture* d = &dialog;
        auto answer = c.Answer;
        wintest::QueueModalAnswer([d, answer](HWND) { answer(*d); });
        EXPECT_EQ(dialog.Form->ShowModal(), c.Expected) << c.Name;
    }
}

TEST(FormTest, ShowModalDisablesTheOtherWindowsAndGivesThemBack) {
    TForm owner(nullptr);
    owner.Show();
    TDialogFixture dialog;
    bool ownerEnabledMeanwhile = true;
    HWND ownerHandle = owner.Handle();
    TForm* form = dialog.Form.get();
    wintest::QueueModalAnswer([&, form](HWND) {
        ownerEnabledMeanwhile = IsWindowEnabled(ownerHandle) != FALSE;
        form->SetModalResult(mrOk);
    });
    dialog.Form->ShowModal();
    EXPECT_FALSE(ownerEnabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(ownerHandle));
    EXPECT_THROW(owner.ShowModal(), EInvalidOperation);
}

TEST(FormTest, OnCloseQueryRefusingAndAnExceptionInOnCloseKeepTheModalFormOpen) {
    TDialogFixture dialog;
    TForm* form = dialog.Form.get();
    int queries = 0;
    int closes = 0;
    std::vector<std::string> errors;
    Application->OnException = [&](TObject*, const std::exception& e) { errors.push_back(e.what()); };
    form->OnClose = [&](TObject*, TCloseAction&) {
        if (++closes == 1) throw EConvertError("'x' is not a valid integer value");
    };
    // Each press of OK tries to close: refused, then raising, then closing. The form is up for each attempt.
    std::vector<bool> visibleAtClose;
    form->OnCloseQuery = [&](TObject*, bool& canClose) {
        visibleAtClose.push_back(IsWindowVisible(form->Handle()) != FALSE);
        canClose = ++queries > 1;
    };
    wintest::QueueModalAnswer([&](HWND) {
        for (int i = 0; i < 3; ++i) wintest::KeyPress(VK_RETURN);
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    Application->OnException = nullptr;
    EXPECT_EQ(queries, 3);
    EXPECT_EQ(closes, 2);
    EXPECT_EQ(visibleAtClose, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(errors, std::vector<std::string>{"'x' is not a valid integer value"});
}

TEST(FormTest, CloseOfAShownFormHidesUnlessOnCloseRaisesOrSaysNone) {
    TForm form(nullptr);
    form.Show();
    form.OnClose = [](TObject*, TCloseAction&) { throw Exception("busy"); };
    EXPECT_THROW(form.Close(), Exception);
    EXPECT_TRUE(form.Visible());
    form.OnClose = [](TObject*, TCloseAction& action) { action = caNone; };
    form.Close();
    EXPECT_TRUE(form.Visible());
    form.OnClose = nullptr;
    form.Close();
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST(FormTest, PoScreenCenterPlacesTheFormInTheMiddleOfTheWorkArea) {
    TForm form(nullptr);
    form.SetBounds(5, 7, 301, 203);
    form.SetPosition(poScreenCenter);
    form.Show();
    RECT area = Screen->WorkAreaRect();
    RECT r{};
    GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.left, area.left + (area.right - area.left - 301) / 2);
    EXPECT_EQ(r.top, area.top + (area.bottom - area.top - 203) / 2);
    EXPECT_EQ(r.right - r.left, 301);

    TForm designed(nullptr);
    designed.SetBounds(5, 7, 100, 100);
    designed.Show();
    GetWindowRect(designed.Handle(), &r);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 7);
}

TEST(FormTest, TabAndArrowsMoveTheFocusInTabOrder) {
    TDialogFixture dialog;
    TForm* form = dialog.Form.get();
    dialog.Yes->SetTabOrder(0);
    form->Show();
    Application->ProcessMessages();
    // The first control in Tab order takes the focus when the form is activated.
    EXPECT_EQ(GetFocus(), dialog.Yes->Handle());
    EXPECT_EQ(form->ActiveControl(), dialog.Yes);
    struct {
        UINT Key;
        unsigned Modifiers;
        TButton* Expected;
    } steps[] = {
        {VK_TAB, wintest::NoModifiers, dialog.Ok}, {VK_TAB, wintest::NoModifiers, dialog.Cancel},
        {VK_TAB, wintest::Shift, dialog.Ok},       {VK_DOWN, wintest::NoModifiers, dialog.Cancel},
        {VK_TAB, wintest::NoModifiers, dialog.No}, {VK_TAB, wintest::NoModifiers, dialog.Yes},
        {VK_UP, wintest::NoModifiers, dialog.No},
    };
    for (const auto& step : steps) {
        wintest::KeyPress(step.Key, step.Modifiers);
        Application->ProcessMessages();
        EXPECT_EQ(GetFocus(), step.Expected->Handle()) << step.Expected->Caption();
    }
    // A disabled control is skipped.
    dialog.Yes->SetEnabled(false);
    wintest::KeyPress(VK_TAB);
    Application->ProcessMessages();
    EXPECT_EQ(GetFocus(), dialog.Ok->Handle());
    form->Hide();
}

TEST(FormTest, KeyPreviewShowsTheFormAChildsKeysFirst) {
    TDialogFixture dialog;
    TForm* form = dialog.Form.get();
    std::vector<WORD> formKeys;
    std::vector<WORD> buttonKeys;
    form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        formKeys.push_back(key);
        if (key == VK_F2) key = 0;
    };
    dialog.Ok->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { buttonKeys.push_back(key); };
    form->Show();
    dialog.Ok->SetFocus();
    wintest::KeyPress(VK_F3);
    Application->ProcessMessages();
    EXPECT_TRUE(formKeys.empty());
    form->SetKeyPreview(true);
    wintest::KeyPress(VK_F2);
    wintest::KeyPress(VK_F3);
    Application->ProcessMessages();
    EXPECT_EQ(formKeys, (std::vector<WORD>{VK_F2, VK_F3}));
    EXPECT_EQ(buttonKeys, (std::vector<WORD>{VK_F3, VK_F3}));
    form->Hide();
}

// A form class with its own description, as a program's forms are made.
class TTestDialog : public TForm {
    TOOLKIT_CLASS(TTestDialog, TForm)

public:
    explicit TTestDialog(TComponent* owner) : TForm(owner) {
        // Descriptions are UTF-8 text, as their files are.
        ReadDescription(this,
                        u8"object TestDialog: TTestDialog\n"
                        u8"  Left = 20\n  Top = 30\n  Width = 300\n  Height = 200\n"
                        u8"  Caption = '端口设置'\n"
                        u8"  BorderStyle = bsDialog\n"
                        u8"  BorderIcons = [biSystemMenu]\n"
                        u8"  Position = poDesigned\n"
                        u8"  OnCreate = FormCreate\n"
                        u8"  OnClose = FormClose\n"
                        u8"  object Panel1: TFrmTestPanel\n"
                        u8"    Left = 4\n    Top = 4\n    Width = 200\n    Height = 100\n"
                        u8"    object btnOK: TButton\n"
                        u8"      Left = 8\n      Top = 8\n"
                        u8"      Caption = '确定'\n"
                        u8"      Default = True\n"
                        u8"      OnClick = OkClick\n"
                        u8"    end\n"
                        u8"  end\n"
                        u8"end\n");
        if (OnCreate) OnCreate(this);
    }
    void FormCreate(TObject*) { ++Created; }
    void FormClose(TObject*, TCloseAction& action) {
        action = caHide;
        ++Closed;
    }
    void OkClick(TObject*) { SetModalResult(mrOk); }

    TFrmTestPanel* Panel1 = nullptr;
    TButton* btnOK = nullptr;
    int Created = 0;
    int Closed = 0;
};

const auto publishedDialog = Publish<TTestDialog>()
                                 .Method("FormCreate", &TTestDialog::FormCreate)
                                 .Method("FormClose", &TTestDialog::FormClose)
                                 .Method("OkClick", &TTestDialog::OkClick)
                                 .Field("Panel1", &TTestDialog::Panel1)
                                 .Field("btnOK", &TTestDialog::btnOK);

TEST(FormTest, AFormReadFromADescriptionNestsControlsAndBindsEvents) {
    TTestDialog dialog(nullptr);
    ASSERT_NE(dialog.Panel1, nullptr);
    ASSERT_NE(dialog.btnOK, nullptr);
    EXPECT_EQ(dialog.btnOK->Parent(), dialog.Panel1);
    EXPECT_EQ(dialog.Panel1->Parent(), &dialog);
    EXPECT_EQ(dialog.btnOK->Owner(), &dialog);
    EXPECT_EQ(dialog.Created, 1);
    EXPECT_EQ(dialog.Caption(), "端口设置");
    EXPECT_EQ(dialog.BorderStyle(), bsDialog);
    LONG style = GetWindowLongA(dialog.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), Application->Handle());

    TTestDialog* d = &dialog;
    wintest::QueueModalAnswer([d](HWND) {
        wintest::KeyPress(VK_RETURN);
        (void)d;
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(dialog.Closed, 1);
    EXPECT_EQ(Screen->Forms(Screen->FormCount() - 1), &dialog);
}

}  // namespace

TEST(FormTest, ADescriptionsClientSizeIsMeasuredInsideTheFrameItGivesTheForm) {
    // BorderStyle comes after the client size, as descriptions write it: the size waits for the whole form.
    for (const char* border : {"bsSizeable", "bsDialog", "bsNone"}) {
        auto form = std::make_unique<TForm>(nullptr);
        ReadDescription(form.get(), std::string("object Form1: TForm\n  ClientWidth = 300\n  ClientHeight = 120\n"
                                                "  BorderStyle = ") +
                                        border + "\nend\n");
        RECT client;
        GetClientRect(form->Handle(), &client);
        EXPECT_EQ(client.right, 300) << border;
        EXPECT_EQ(client.bottom, 120) << border;
        form->SetClientWidth(250);
        GetClientRect(form->Handle(), &client);
        EXPECT_EQ(client.right, 250) << border;
        EXPECT_EQ(client.bottom, 120) << border;
    }
}
