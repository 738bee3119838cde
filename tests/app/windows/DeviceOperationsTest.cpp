// Write, clear and read back against the emulated unit, started with the mouse: the frames the unit received,
// the messages shown, the rows filled from the unit, and a second operation refused while one runs.
#include "ProgramFixture.h"

#include "Protocol.h"

#include <algorithm>
#include <chrono>
#include <set>
#include <vector>

using Kind = unit_emulator::FrameRecord::Kind;

namespace {

// Rows 0 and 5 of every group hold values that show in the frames: sizes 0, 1, 2 and none, X and Y at their
// bounds, a Chinese text and a text longer than group 2's 12 bytes (a file may hold it; it is sent whole).
const char* const WriteConfig =
    "[Text0]\n00=AB\n[X0]\n00=3\n[Y0]\n00=2\n[Font0]\n00=1\n"
    "[Text1]\n00=中\n[X1]\n00=31\n[Y1]\n00=29\n[Font1]\n00=2\n"
    "[Text2]\n00=12345678901234\n[X2]\n00=0\n[Font2]\n00=7\n";

std::vector<std::string> HexOfKind(const std::vector<unit_emulator::FrameRecord>& frames, Kind kind) {
    std::vector<std::string> result;
    for (const auto& frame : frames)
        if (frame.kind == kind) result.push_back(frame.hex);
    return result;
}

}  // namespace

class DeviceOperationsTest : public ProgramFixture {
protected:
    std::vector<std::string> FrameHex(const std::vector<unit_emulator::FrameRecord>& frames) {
        std::vector<std::string> result;
        for (const auto& frame : frames) result.push_back(Hex(frame.bytes));
        return result;
    }
};

TEST_F(DeviceOperationsTest, WriteSendsTheEnabledRowsOfEachGroupThenTheClock) {
    PrepareConfig(WriteConfig);
    StartProgram();
    Click(Groups[0].Checks[0]);
    Click(Groups[0].Checks[5]);
    AnswerBox();
    Click(Form1->btnSendCharDateTime);

    std::vector<unit_emulator::FrameRecord> frames = FramesAfter(7);
    ASSERT_EQ(frames.size(), 7u);
    std::vector<std::string> text(6);
    for (size_t i = 0; i < 6; ++i) text[i] = Hex(frames[i].bytes);
    const std::string channel6 = "CD A8 B5 C0 A3 B0 A3 B6";  // 通道０６
    EXPECT_EQ(text, (std::vector<std::string>{
                        "DD BB 05 C1 03 42 41 42",
                        "DD BB 0B D5 01 00 " + channel6,
                        "DD BB 05 81 1F 9D D6 D0",
                        "DD BB 0B 95 01 00 " + channel6,
                        "DD BB 11 41 00 C0 31 32 33 34 35 36 37 38 39 30 31 32 33 34",
                        "DD BB 0B 55 01 00 " + channel6,
                    }));
    EXPECT_EQ(frames[6].kind, Kind::Clock);
    EXPECT_EQ(Hex(frames[6].bytes).substr(0, 17), "DD BB 11 35 00 00");
    EXPECT_TRUE(unit.State().Clock().shown);

    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "发送完成！");
    EXPECT_EQ(Boxes[0].Caption, Application->Title());
    EXPECT_FALSE(Form1->Gauge1->Visible());
    EXPECT_EQ(Form1->Gauge1->Max(), 3 * 8);
    EXPECT_EQ(Form1->Gauge1->Position(), 6);
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->SkTabSheet3);
}

// The operator sees each group's rows while they go out: its sheet is shown before its first frame.
TEST_F(DeviceOperationsTest, AWriteShowsEachGroupsSheetWhileItsRowsGoOut) {
    PrepareConfig("", 20);
    StartProgram();
    Click(Groups[0].Checks[0]);
    Click(Groups[0].Checks[5]);
    ClickTab(2);
    struct Shown {
        int Sheet;
        int RowsSent;
        bool operator==(const Shown& other) const { return Sheet == other.Sheet && RowsSent == other.RowsSent; }
    };
    std::vector<Shown> shown;
    TSkPageControl* pages = Form1->PageControl1;
    pages->OnChange = [&shown, pages](TObject*) {
        shown.push_back(Shown{pages->ActivePageIndex(), Form1->Gauge1->Position()});
        for (int i = 0; i < pages->PageCount(); ++i)
            EXPECT_EQ(pages->Pages(i)->Visible(), i == pages->ActivePageIndex()) << "only the active sheet shows";
        EXPECT_TRUE(Groups[static_cast<size_t>(pages->ActivePageIndex())].Host->Showing());
    };
    AnswerBox();
    Click(Form1->btnSendCharDateTime);
    pages->OnChange = nullptr;
    EXPECT_TRUE((shown == std::vector<Shown>{{0, 0}, {1, 2}, {2, 4}})) << "sheet changes: " << shown.size();
    EXPECT_EQ(pages->TabIndex(), 2);
}

TEST_F(DeviceOperationsTest, TheProgressBarAdvancesOnTheScreenDuringAWriteAndHidesAfterwards) {
    wintest::ScopedVisualStyles classic(false);
    PrepareConfig();
    StartProgram();
    for (TCheckBox* check : Groups[0].Checks) Click(check);
    // The highlight pixels along the bar's middle row, as the display shows the window after each paint of the
    // bar (the bar paints at once when its position moves, the loop waiting between frames).
    TSkProgressBar* gauge = Form1->Gauge1;
    std::vector<int> filled;
    const COLORREF c = GetSysColor(COLOR_HIGHLIGHT);
    const uint32_t highlight = (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
    auto highlightAlongTheBar = [gauge, highlight] {
        RECT window{};
        GetWindowRect(Form1->Handle(), &window);
        const wintest::Picture shown = wintest::PresentedPicture(Form1->Handle());
        const POINT middle = gauge->ClientToScreen(POINT{0, gauge->Height() / 2});
        int count = 0;
        for (int x = 0; x < gauge->Width(); ++x)
            if (shown.At(middle.x - window.left + x, middle.y - window.top) == highlight) ++count;
        return count;
    };
    gauge->SetWindowProc([&, proc = gauge->WindowProc()](TMessage& message) {
        proc(message);
        if (message.Msg == WM_PAINT && gauge->Visible()) filled.push_back(highlightAlongTheBar());
    });
    AnswerBox();
    Click(Form1->btnSendCharDateTime);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "发送完成！");

    // Eight rows of three groups: 24 steps, every one shown with more of the bar filled than the one before.
    ASSERT_GE(filled.size(), 24u);
    EXPECT_TRUE(std::is_sorted(filled.begin(), filled.end()));
    EXPECT_GT(filled.back(), gauge->Width() * 3 / 4);
    EXPECT_GE(std::set<int>(filled.begin(), filled.end()).size(), 12u);
    // Afterwards the bar is gone from the screen: the contact line lies where it was.
    EXPECT_FALSE(gauge->Visible());
    Pump();
    EXPECT_EQ(highlightAlongTheBar(), 0);
    EXPECT_EQ(Form1->Label4->Top() + Form1->Label4->Height(), Form1->Panel2->ClientHeight());
}

TEST_F(DeviceOperationsTest, WriteWithNothingEnabledSendsOnlyTheClockAsTheBoxSays) {
    PrepareConfig();
    StartProgram();
    // Enter in a row's edit does not reach the hidden default button.
    AnswerBox();
    Click(Groups[0].TextEdits[0]);
    Press(VK_RETURN);
    EXPECT_TRUE(Boxes.empty());
    Click(Form1->ckbDateTime);  // the clock hidden
    Click(Form1->btnSendCharDateTime);
    std::vector<unit_emulator::FrameRecord> frames = FramesAfter(1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(Hex(frames[0].bytes).substr(0, 17), "DD BB 11 34 00 00");
    EXPECT_EQ(Form1->Gauge1->Position(), 0);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "发送完成！");
}

TEST_F(DeviceOperationsTest, AnEnabledEmptyRowStopsTheWriteBeforeAnyFrameAndTakesTheFocus) {
    PrepareConfig("[Text1]\n03=\n[Text2]\n01=\n");
    StartProgram();
    for (int row : {1, 3, 6}) Click(Groups[0].Checks[static_cast<size_t>(row)]);
    AnswerBox();
    Click(Form1->btnSendCharDateTime);
    ASSERT_EQ(Boxes.size(), 1u) << "only the first empty row is reported";
    EXPECT_EQ(Boxes[0].Text, "内容不能为空!");
    EXPECT_EQ(Boxes[0].Caption, "提示");
    EXPECT_EQ(Boxes[0].Owner, Form1->Handle());
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->SkTabSheet2);
    EXPECT_TRUE(Groups[1].TextEdits[3]->Focused());
    EXPECT_FALSE(Form1->Gauge1->Visible());
    EXPECT_FALSE(unit.WaitForFrames(1, std::chrono::milliseconds(300))) << "not even the clock is sent";
}

TEST_F(DeviceOperationsTest, ClearSendsOneFrameForEachEnabledRowOfSixteenButWaitsForEveryRow) {
    constexpr int wait = 30;
    PrepareConfig("", wait);
    StartProgram();
    ChooseChannelCount(1);
    Click(Groups[0].Checks[1]);
    Click(Groups[0].Checks[10]);
    ClickTab(1);
    AnswerBox();
    auto start = std::chrono::steady_clock::now();
    Click(Form1->btnCls);
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(16 * wait));

    std::vector<unit_emulator::FrameRecord> frames = FramesAfter(2);
    EXPECT_EQ(FrameHex(frames), (std::vector<std::string>{"DD BB 03 C4 00 00", "DD BB 03 E8 00 00"}));
    EXPECT_EQ(HexOfKind(frames, Kind::Clear).size(), 2u);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "清屏完成！");
    EXPECT_EQ(Form1->Gauge1->Max(), 16);
    EXPECT_EQ(Form1->Gauge1->Position(), 16);
    EXPECT_FALSE(Form1->Gauge1->Visible());
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->SkTabSheet2) << "a clear leaves the sheet alone";
}

TEST_F(DeviceOperationsTest, ReadBackFillsTheEnabledRowsFromTheUnit) {
    PrepareConfig();
    struct {
        int Group, Row;
        std::string Text;
        int X, Y, Size;
    } lines[] = {
        {0, 0, "读回", 7, 3, 2}, {0, 5, "AB", 0, 29, 1}, {1, 0, "第二组", 31, 0, 0},
        {1, 5, "x", 12, 12, 3},  {2, 0, "三", 1, 1, 1},  {2, 5, "123456789012", 30, 28, 0},
    };
    for (const auto& line : lines) PreloadLine(line.Group, line.Row, line.Text, line.X, line.Y, line.Size);
    size_t preloaded = unit.Frames().size();
    StartProgram();
    Click(Groups[0].Checks[0]);
    Click(Groups[0].Checks[5]);
    Click(Form1->btnRead);

    EXPECT_TRUE(Boxes.empty()) << "a successful read shows no message";
    for (const auto& line : lines) {
        SCOPED_TRACE(line.Text);
        const TMyObject& record = Groups[static_cast<size_t>(line.Group)];
        auto row = static_cast<size_t>(line.Row);
        EXPECT_EQ(record.TextEdits[row]->Text(), line.Text);
        EXPECT_EQ(record.XEdits[row]->Value(), line.X);
        EXPECT_EQ(record.YEdits[row]->Value(), line.Y);
        EXPECT_EQ(record.SizeBoxes[row]->ItemIndex(), line.Size == 3 ? -1 : line.Size);
    }
    EXPECT_EQ(Groups[1].TextEdits[1]->Text(), "通道０２") << "rows not enabled are not read";
    std::vector<unit_emulator::FrameRecord> frames = FramesAfter(preloaded + 6);
    std::vector<std::string> requests = HexOfKind(frames, Kind::Read);
    EXPECT_EQ(requests, (std::vector<std::string>{"DD BB 01 00", "DD BB 01 05", "DD BB 01 10", "DD BB 01 15",
                                                  "DD BB 01 20", "DD BB 01 25"}));
    EXPECT_FALSE(Form1->Gauge1->Visible());
    EXPECT_EQ(Form1->Gauge1->Position(), 6);
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->SkTabSheet3);
    // What was read is stored when the window closes.
    Click(Form1->btnExit);
    EXPECT_EQ(ConfigValue("Text0", "00"), "读回");
    EXPECT_EQ(ConfigValue("Y0", "05"), "29");
    EXPECT_EQ(ConfigValue("Font1", "05"), "-1");
}

TEST_F(DeviceOperationsTest, AChannelThatDoesNotAnswerStopsTheReadWithItsNumbers) {
    PrepareConfig();
    PreloadLine(0, 4, "零四", 2, 2, 0);
    PreloadLine(1, 0, "一零", 3, 3, 1);
    unit.SetReplyHook([](int group, int row, const std::vector<uint8_t>&) -> std::optional<std::vector<uint8_t>> {
        if (group == 1 && row == 4) return std::vector<uint8_t>{};
        return std::nullopt;
    });
    size_t preloaded = unit.Frames().size();
    StartProgram();
    Click(Groups[0].Checks[0]);
    Click(Groups[0].Checks[4]);
    AnswerBox();
    Click(Form1->btnRead);

    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "读取第2组->第5个通道出错！");
    EXPECT_EQ(Boxes[0].Caption, "错误");
    EXPECT_EQ(Boxes[0].Owner, Form1->Handle());
    // What was read before the failure stays; group 2 is never asked.
    EXPECT_EQ(Groups[0].TextEdits[4]->Text(), "零四");
    EXPECT_EQ(Groups[1].TextEdits[0]->Text(), "一零");
    EXPECT_EQ(Groups[1].SizeBoxes[0]->ItemIndex(), 1);
    EXPECT_EQ(Groups[1].TextEdits[4]->Text(), "通道０５");
    EXPECT_EQ(Groups[2].TextEdits[0]->Text(), "通道０１");
    std::vector<std::string> requests = HexOfKind(FramesAfter(preloaded + 4), Kind::Read);
    EXPECT_EQ(requests, (std::vector<std::string>{"DD BB 01 00", "DD BB 01 04", "DD BB 01 10", "DD BB 01 14"}));
    EXPECT_FALSE(Form1->Gauge1->Visible());
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->SkTabSheet2);
}

// Clicks on any operation button while one runs are taken between its frames and refused, not queued.
TEST_F(DeviceOperationsTest, ASecondOperationWhileOneRunsIsRefused) {
    PrepareConfig("", 40);
    StartProgram();
    Click(Groups[0].Checks[0]);
    struct {
        TControl* First;
        size_t Frames;
        const char* Message;
    } cases[] = {
        {Form1->btnSendCharDateTime, 4, "发送完成！"},
        {Form1->btnCls, 1, "清屏完成！"},
        {Form1->btnRead, 3, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message ? c.Message : "read");
        size_t before = unit.Frames().size();
        if (c.Message) AnswerBox();
        // A spare answer shows whether a second box came up; a dummy box takes it afterwards.
        AnswerBox();
        Boxes.clear();
        for (TControl* button : {c.First, static_cast<TControl*>(Form1->btnSendCharDateTime),
                                 static_cast<TControl*>(Form1->btnCls), static_cast<TControl*>(Form1->btnRead)}) {
            POINT at = button->ClientToScreen(POINT{button->Width() / 2, button->Height() / 2});
            wintest::MouseClick(at.x, at.y);
        }
        Application->ProcessMessages();
        ASSERT_TRUE(unit.WaitForFrames(before + c.Frames, std::chrono::seconds(5)));
        EXPECT_FALSE(unit.WaitForFrames(before + c.Frames + 1, std::chrono::milliseconds(300)));
        EXPECT_EQ(Boxes.size(), c.Message ? 1u : 0u);
        if (c.Message && !Boxes.empty()) {
            EXPECT_EQ(Boxes[0].Text, c.Message);
        }
        EXPECT_FALSE(Form1->Busy());
        MessageBoxA(nullptr, "takes the spare answer", nullptr, MB_OK);
    }
}

// Without a port no frame goes out: a write and a clear stop at their first frame with the port and the frame
// named, and a read fails at the first enabled row after the wait and the reply window.
TEST_F(DeviceOperationsTest, WithoutAPortEveryOperationFailsAtItsFirstFrame) {
    PrepareConfig("[COM]\nPort=COM2\n[Check0]\n02=1\n");
    AnswerBox();
    StartProgram();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "打开串口失败！");
    EXPECT_EQ(Boxes[0].Caption, Application->Title());
    ASSERT_EQ(PortHandle, nullptr);
    struct {
        TControl* Button;
        const char* Message;
        long long AtLeastMs;
    } cases[] = {
        {Form1->btnSendCharDateTime, "端口：COM2发送第1组->第3个通道出错！", 0},
        {Form1->btnCls, "端口：COM2清除第3个通道出错！", 0},
        {Form1->btnRead, "读取第1组->第3个通道出错！", QuickWait + static_cast<long long>(ReplyWindow)},
    };
    for (const auto& c : cases) {
        Boxes.clear();
        AnswerBox();
        auto start = std::chrono::steady_clock::now();
        Click(c.Button);
        auto elapsed = std::chrono::steady_clock::now() - start;
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, c.Message);
        EXPECT_EQ(Boxes[0].Caption, "错误");
        EXPECT_GE(elapsed, std::chrono::milliseconds(c.AtLeastMs));
        EXPECT_FALSE(Form1->Gauge1->Visible());
    }
    // With no row enabled the clock is the first frame.
    Click(Groups[0].Checks[2]);
    Boxes.clear();
    AnswerBox();
    Click(Form1->btnSendCharDateTime);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "端口：COM2发送时钟出错！");
    EXPECT_TRUE(unit.Frames().empty());
}
