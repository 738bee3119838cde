// The page control's tests: a page control with three sheets on the controls' form, the events it raised, and
// pictures of it.
#pragma once

#include "ControlsFixture.h"

#include <skin/SkTabControl.h>
#include <skin/SkTabSheet.h>

#include <string>
#include <vector>

class TabControlTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        Form->SetBounds(60, 60, 520, 360);
        Form->Font()->SetHeight(-14);
        Pages = Add<TSkPageControl>(10, 10, 360, 200);
        for (const char* caption : {"第1组(16汉字)", "Second", "第3组"}) {
            auto* sheet = new TSkTabSheet(Form.get());
            sheet->SetCaption(caption);
            sheet->SetTabControl(Pages);
            Sheets.push_back(sheet);
        }
        Pages->SetActivePage(Sheets[0]);
        Pages->OnChanging = [this](TObject* sender, bool& allow) {
            EXPECT_EQ(sender, Pages);
            Events.push_back("changing " + std::to_string(Pages->TabIndex()));
            allow = Allow;
        };
        Pages->OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, Pages);
            Events.push_back("change " + std::to_string(Pages->TabIndex()));
        };
        Other = Add<TFaceControl>(400, 20, 60, 20);
    }

    // Sheets captioned "More 0", "More 1", ... after the three.
    void AddSheets(int count) {
        for (int i = 0; i < count; ++i) {
            auto* sheet = new TSkTabSheet(Form.get());
            sheet->SetCaption("More " + std::to_string(i));
            sheet->SetTabControl(Pages);
        }
    }
    // Screen point of the middle of a tab.
    POINT TabCentre(int index) {
        const RECT tab = Pages->TabRect(index);
        return At(Pages, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    }
    void ClickTab(int index) {
        const POINT p = TabCentre(index);
        wintest::MouseClick(p.x, p.y);
        Pump();
    }

    TSkPageControl* Pages = nullptr;
    std::vector<TSkTabSheet*> Sheets;
    TFaceControl* Other = nullptr;
    std::vector<std::string> Events;
    bool Allow = true;
};
