// The classic look of the page control: the raised tabs and frame, the selected tab joined to the page, the focus
// rectangle, grey captions when disabled; probed pixel by pixel and held against golden pictures.
#include <toolkit/Application.h>
#include <toolkit/Bitmap.h>
#include <toolkit/Form.h>
#include <toolkit/ImageList.h>
#include <toolkit/PageControl.h>

#include <Png.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

uint32_t SysRgb(int index) {
    COLORREF c = GetSysColor(index);
    return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
}

std::string Golden(const char* name) {
    return std::string(TEST_SOURCE_DIR) + "/platform/toolkit/pagecontrol/data/" + name;
}

class PagePaint : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(50, 50, 300, 160);
        Pages = new TPageControl(Form.get());
        Pages->SetParent(Form.get());
        Pages->SetBounds(10, 10, 240, 90);
        const char* captions[] = {"第1组", "&Beta", "第3组(6汉字)"};
        for (const char* caption : captions) {
            auto* sheet = new TTabSheet(Form.get());
            sheet->SetPageControl(Pages);
            sheet->SetCaption(caption);
        }
        Pages->SetActivePageIndex(1);
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Form.reset();
        Application->ProcessMessages();
    }
    wintest::Picture Shot() {
        Application->ProcessMessages();
        wintest::PumpUntilIdle();
        return wintest::ScreenshotClient(Pages->Handle());
    }

    std::unique_ptr<TForm> Form;
    TPageControl* Pages = nullptr;
};

TEST_F(PagePaint, TheSelectedTabRisesAndOpensIntoThePageFrame) {
    const uint32_t light = SysRgb(COLOR_BTNHIGHLIGHT), face = SysRgb(COLOR_BTNFACE);
    const uint32_t shadow = SysRgb(COLOR_BTNSHADOW), dark = SysRgb(COLOR_3DDKSHADOW);
    RECT first = Pages->TabRect(0), selected = Pages->TabRect(1);
    int firstMid = (first.left + first.right) / 2, mid = (selected.left + selected.right) / 2;
    int frameTop = selected.bottom;
    // The form's first Tab stop took the focus when it showed; park it on the form itself.
    ::SetFocus(Form->Handle());
    wintest::Picture shot = Shot();
    struct Probe {
        const char* What;
        int x, y;
        uint32_t Expected;
    } probes[] = {
        {"unselected tab's top line", firstMid, first.top, light},
        {"strip above an unselected tab", firstMid, first.top - 2, face},
        {"unselected tab's left line", first.left, 10, light},
        {"square corner cut away", first.left, first.top, face},
        {"frame line under an unselected tab", firstMid, frameTop, light},
        {"selected tab's top line, two pixels higher", mid, selected.top - 2, light},
        {"selected tab's left line, two pixels further out", selected.left - 2, 10, light},
        {"selected tab's dark right edge", selected.right + 1, 10, dark},
        {"and its shadow inside", selected.right, 10, shadow},
        {"frame opened under the selected tab", mid, frameTop, face},
        {"frame's dark right edge", Pages->Width() - 1, 50, dark},
        {"frame's dark bottom edge", 50, Pages->Height() - 1, dark},
        {"frame's light left edge", 0, 50, light},
    };
    for (const Probe& p : probes) EXPECT_EQ(shot.At(p.x, p.y), p.Expected) << p.What;

    // The focus rectangle runs inside the selected tab only while the strip has the focus.
    auto inkInRow = [&](const wintest::Picture& picture, int y) {
        int ink = 0;
        for (int x = selected.left + 1; x < selected.right - 1; ++x) ink += picture.At(x, y) != face;
        return ink;
    };
    int focusRow = selected.top - 2 + 3;
    EXPECT_EQ(inkInRow(shot, focusRow), 0);
    Pages->SetFocus();
    EXPECT_GT(inkInRow(Shot(), focusRow), 10);
}

TEST_F(PagePaint, HotTrackColoursTheCaptionUnderTheMouse) {
    const uint32_t hot = SysRgb(COLOR_HOTLIGHT);
    auto hotPixels = [&](int tab) {
        wintest::Picture shot = Shot();
        RECT r = Pages->TabRect(tab);
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) count += shot.At(x, y) == hot;
        return count;
    };
    auto moveTo = [&](int x, int y) {
        POINT p{x, y};
        ClientToScreen(Pages->Handle(), &p);
        wintest::MouseMove(p.x, p.y);
        Application->ProcessMessages();
    };
    RECT first = Pages->TabRect(0);
    moveTo(first.left + 5, first.top + 5);
    EXPECT_EQ(hotPixels(0), 0);  // HotTrack is off
    Pages->SetHotTrack(true);
    moveTo(first.left + 6, first.top + 5);
    EXPECT_GT(hotPixels(0), 10);
    EXPECT_EQ(hotPixels(2), 0);
    moveTo(100, 60);  // over the page
    EXPECT_EQ(hotPixels(0), 0);
}

TEST_F(PagePaint, AnImageWidensItsTab) {
    auto images = std::make_unique<TCustomImageList>(nullptr, 16, 16);
    TBitmap picture;
    picture.SetSize(16, 16);
    ASSERT_EQ(images->AddMasked(picture, clFuchsia), 0);
    auto width = [&](int tab) { return Pages->TabRect(tab).right - Pages->TabRect(tab).left; };
    int plain = width(0), third = width(2);
    Pages->SetImages(images.get());
    Pages->Pages(0)->SetImageIndex(0);
    Pages->Pages(2)->SetImageIndex(5);  // no such image: no room for one
    EXPECT_EQ(width(0), plain + 16 + 3);
    EXPECT_EQ(width(2), third);
    Shot();
    // The page control forgets an image list that goes away.
    images.reset();
    EXPECT_EQ(Pages->Images(), nullptr);
    EXPECT_EQ(width(0), plain);
    Shot();
}

TEST_F(PagePaint, ThreeTabsTheSecondActiveAndFocused) {
    Pages->SetFocus();
    wintest::Picture shot = Shot();
    EXPECT_TRUE(MatchesGolden(Golden("pagecontrol-focused.png"), shot.Width, shot.Height, shot.Pixels.data()));
}

TEST_F(PagePaint, Disabled) {
    Pages->SetEnabled(false);
    wintest::Picture shot = Shot();
    EXPECT_TRUE(MatchesGolden(Golden("pagecontrol-disabled.png"), shot.Width, shot.Height, shot.Pixels.data()));
}

}  // namespace
