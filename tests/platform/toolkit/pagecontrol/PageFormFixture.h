// A shown form with a page control of three sheets ("Alpha", "Beta", "&Gamma"), a focusable field on each sheet
// and one beside the page control, OnChanging / OnChange recorded in order, and input helpers that pump the
// application's loop so that the form's keyboard protocol runs.
#pragma once

#include <toolkit/Application.h>
#include <toolkit/Form.h>
#include <toolkit/PageControl.h>

#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A control that takes the focus and nothing else.
class TPageTestField : public TWinControl {
    TOOLKIT_CLASS(TPageTestField, TWinControl)

public:
    explicit TPageTestField(TComponent* owner) : TWinControl(owner) {
        SetTabStop(true);
        SetBounds(10, 10, 80, 20);
    }
};

class PageForm : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(100, 100, 420, 300);
        Pages = new TPageControl(Form.get());
        Pages->SetParent(Form.get());
        Pages->SetBounds(8, 8, 300, 200);
        const char* captions[] = {"Alpha", "Beta", "&Gamma"};
        for (int i = 0; i < 3; ++i) {
            Sheets[i] = new TTabSheet(Form.get());
            Sheets[i]->SetPageControl(Pages);
            Sheets[i]->SetCaption(captions[i]);
            Fields[i] = new TPageTestField(Form.get());
            Fields[i]->SetParent(Sheets[i]);
        }
        Outside = new TPageTestField(Form.get());
        Outside->SetParent(Form.get());
        Outside->SetBounds(320, 10, 80, 20);
        Pages->OnChanging = [this](TObject* sender, bool& allow) {
            EXPECT_EQ(sender, Pages);
            Log.push_back("changing from " + std::to_string(Pages->ActivePageIndex()));
            allow = !Veto;
        };
        Pages->OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, Pages);
            Log.push_back("change to " + std::to_string(Pages->ActivePageIndex()));
        };
        Form->Show();
        Application->ProcessMessages();
    }

    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
        wintest::ResetInput();
    }

    // A click at a client point of the page control.
    void Click(int x, int y) {
        POINT p{x, y};
        ClientToScreen(Pages->Handle(), &p);
        wintest::MouseClick(p.x, p.y);
        Application->ProcessMessages();
    }
    void ClickTab(int tabIndex) {
        RECT r = Pages->TabRect(tabIndex);
        Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void Key(UINT vk, unsigned modifiers = wintest::NoModifiers) {
        wintest::KeyPress(vk, modifiers);
        Application->ProcessMessages();
    }

    std::unique_ptr<TForm> Form;
    TPageControl* Pages = nullptr;  // owned by Form, as are the sheets and fields
    TTabSheet* Sheets[3] = {};
    TPageTestField* Fields[3] = {};
    TPageTestField* Outside = nullptr;
    std::vector<std::string> Log;
    bool Veto = false;
};
