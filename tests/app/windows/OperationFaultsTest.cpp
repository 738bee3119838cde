// Faults met while an operation runs: a close asked for in the middle, the channel count and the port dialog
// touched, the port gone, a reply that would write into Config.ini's layout, a reply that comes too late, and
// line settings the port refuses.
#include "ProgramFixture.h"

#include <toolkit/Timer.h>

#include <atomic>
#include <functional>
#include <thread>

using Kind = unit_emulator::FrameRecord::Kind;

namespace {

// Rows 0 and 5 enabled in every group: six text frames and the clock.
const char* const TwoRows = "[Check0]\n00=1\n05=1\n[Check1]\n00=1\n05=1\n[Check2]\n00=1\n05=1\n";

// The point of the frame's close button, found the way the window manager finds it.
POINT CloseButtonPoint(HWND hwnd) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    for (int y = rect.top; y < rect.top + 40; ++y)
        for (int x = rect.right - 1; x > rect.right - 120; --x)
            if (SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) return POINT{x, y};
    ADD_FAILURE() << "no close button on the frame";
    return POINT{rect.right - 10, rect.top + 10};
}

}  // namespace

class OperationFaultsTest : public ProgramFixture {
protected:
    // Runs act on the window's thread, between two frames of the operation, once the unit has received count
    // frames (read requests count too).
    void WhenFramesArrived(size_t count, std::function<void()> act) {
        FTrigger = std::make_unique<TTimer>(nullptr);
        FTrigger->SetInterval(2);
        FTrigger->OnTimer = [this, count, act](TObject*) {
            if (unit.Frames().size() < count) return;
            FTrigger->SetEnabled(false);
            act();
        };
        FTrigger->SetEnabled(true);
    }
    void TearDown() override {
        FTrigger.reset();
        ProgramFixture::TearDown();
    }
    static bool AllWhole(const std::vector<unit_emulator::FrameRecord>& frames) {
        for (const auto& frame : frames)
            if (frame.kind == Kind::Garbage) return false;
        return true;
    }

    std::unique_ptr<TTimer> FTrigger;
};

TEST_F(OperationFaultsTest, ClosingDuringAnOperationStopsItAtAFrameBoundaryThenSaves) {
    struct {
        const char* Way;
        std::function<void()> Close;
    } ways[] = {
        {"exit button",
         [] {
             POINT at = Form1->btnExit->ClientToScreen(POINT{10, 10});
             wintest::MouseClick(at.x, at.y);
         }},
        {"Alt+F4", [] { wintest::KeyPress(VK_F4, wintest::Alt); }},
        {"the frame's close button",
         [] {
             POINT at = CloseButtonPoint(Form1->Handle());
             wintest::MouseClick(at.x, at.y);
         }},
    };
    struct {
        const char* Operation;
        TControl* TForm1::*Button;
        size_t All;  // frames the whole operation sends
    } operations[] = {
        {"write", reinterpret_cast<TControl * TForm1::*>(&TForm1::btnSendCharDateTime), 7},
        {"clear", reinterpret_cast<TControl * TForm1::*>(&TForm1::btnCls), 2},
        {"read", reinterpret_cast<TControl * TForm1::*>(&TForm1::btnRead), 6},
    };
    for (const auto& op : operations) {
        for (const auto& way : ways) {
            SCOPED_TRACE(std::string(op.Operation) + " closed by " + way.Way);
            PrepareConfig(TwoRows, 40);
            StartProgram();
            size_t before = unit.Frames().size();
            Click(Form1->ckbDateTime);  // a change that only the close's save can store
            Boxes.clear();
            // A completion or error box would take this answer; a dummy box takes it when none came.
            AnswerBox();
            WhenFramesArrived(before + 1, way.Close);
            Click(Form1->*op.Button);

            std::vector<unit_emulator::FrameRecord> frames = unit.Frames();
            frames.erase(frames.begin(), frames.begin() + static_cast<std::ptrdiff_t>(before));
            EXPECT_TRUE(Boxes.empty()) << "no completion or error message: " << (Boxes.empty() ? "" : Boxes[0].Text);
            EXPECT_GE(frames.size(), 1u);
            EXPECT_LT(frames.size(), op.All) << "the operation stopped";
            EXPECT_TRUE(AllWhole(frames)) << "no frame was cut";
            for (const auto& frame : frames) EXPECT_NE(frame.kind, Kind::Clock);
            EXPECT_FALSE(unit.WaitForFrames(before + frames.size() + 1, std::chrono::milliseconds(200)));
            EXPECT_EQ(PortHandle, nullptr) << "the port was closed";
            EXPECT_EQ(ConfigValue("DateTime", "Show"), "0") << "saved as a close saves";
            EXPECT_EQ(ConfigValue("Check2", "05"), "1");
            MessageBoxA(nullptr, "takes the spare answer", nullptr, MB_OK);
            delete Form1;
            Form1 = nullptr;
        }
    }
}

TEST_F(OperationFaultsTest, TheChannelCountAndThePortDialogDoNothingWhileAnOperationRuns) {
    PrepareConfig("[Check0]\n00=1\n12=1\n[Check1]\n00=1\n12=1\n[Check2]\n00=1\n12=1\n[Text1]\n12=十三\n", 40);
    StartProgram();
    ChooseChannelCount(1);
    ASSERT_EQ(RowCount, 16);
    HANDLE port = PortHandle;
    bool dialogShown = false;
    // Would answer the port dialog had it opened; the completion box comes first.
    AnswerBox();
    wintest::QueueModalAnswer([&](HWND) {
        dialogShown = true;
        wintest::KeyPress(VK_ESCAPE);
    });
    WhenFramesArrived(1, [] {
        POINT list = Form1->cbbChCount->ClientToScreen(POINT{10, 10});
        wintest::MouseClick(list.x, list.y);
        wintest::KeyPress(VK_UP);
        wintest::KeyPress(VK_RETURN);
        POINT setPort = Form1->btnSetPort->ClientToScreen(POINT{10, 10});
        wintest::MouseClick(setPort.x, setPort.y);
    });
    Click(Form1->btnSendCharDateTime);

    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "发送完成！");
    std::vector<unit_emulator::FrameRecord> frames = FramesAfter(7);
    ASSERT_EQ(frames.size(), 7u) << "all six rows and the clock";
    EXPECT_EQ(Hex(frames[3].bytes), "DD BB 07 B1 01 00 CA AE C8 FD") << "group 1, row 12, as it was at the start";
    EXPECT_EQ(RowCount, 16);
    EXPECT_EQ(Form1->cbbChCount->ItemIndex(), 1);
    EXPECT_EQ(Groups[1].BuiltCount, 16);
    EXPECT_FALSE(dialogShown);
    EXPECT_EQ(PortHandle, port);
    MessageBoxA(nullptr, "takes the spare answer", nullptr, MB_OK);
}

TEST_F(OperationFaultsTest, APortThatGoesAwayMidWayStopsTheOperationWithItsFrameNamed) {
    struct {
        const char* Operation;
        TControl* TForm1::*Button;
        const char* Message;  // the third frame is the first the port does not take
    } cases[] = {
        {"write", reinterpret_cast<TControl * TForm1::*>(&TForm1::btnSendCharDateTime),
         "端口：COM1发送第1组->第6个通道出错！"},
        {"clear", reinterpret_cast<TControl * TForm1::*>(&TForm1::btnCls), "端口：COM1清除第6个通道出错！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Operation);
        PrepareConfig("[Check0]\n00=1\n03=1\n05=1\n", 60);
        // A unit of its own for each case: the last one was unplugged.
        link.reset();
        unit.Stop();
        ASSERT_TRUE(unit.Start());
        link = std::make_unique<testsupport::ScopedPortLink>(1, unit.SlavePath());
        StartProgram();
        ASSERT_GT(reinterpret_cast<LONG_PTR>(PortHandle), 0);
        size_t before = unit.Frames().size();
        std::thread unplug([this, before] {
            if (unit.WaitForFrames(before + 2, std::chrono::seconds(5))) unit.CloseMaster();
        });
        Boxes.clear();
        AnswerBox();
        Click(Form1->*c.Button);
        unplug.join();
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, c.Message);
        EXPECT_EQ(Boxes[0].Caption, "错误");
        EXPECT_EQ(Boxes[0].Owner, Form1->Handle());
        EXPECT_EQ(unit.Frames().size(), before + 2);
        EXPECT_FALSE(Form1->Gauge1->Visible());
        EXPECT_FALSE(Form1->Busy());
        delete Form1;
        Form1 = nullptr;
        ClosePort();
    }
}

TEST_F(OperationFaultsTest, ARepliedTextThatIsNoLineLeavesConfigIniAsItWas) {
    struct {
        const char* What;
        std::vector<uint8_t> Text;
    } cases[] = {
        {"CR LF and a section", {'A', '\r', '\n', '[', 'E', 'v', 'i', 'l', ']', '\r', '\n', 'k', '=', '1'}},
        {"LF and a key", {'A', '\n', '0', '1', '=', 'x'}},
        {"a zero inside", {'A', 0, 'B'}},
        {"not GBK", {0xCD, 'A', 0xFF}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        PrepareConfig("[Check0]\n00=1\n[Text0]\n00=kept\n");
        std::vector<uint8_t> reply = {0xBB, 0xDD, static_cast<uint8_t>(c.Text.size() + 3), 0x00, 0x02, 0x03};
        reply.insert(reply.end(), c.Text.begin(), c.Text.end());
        unit.SetReplyHook([reply](int, int, const std::vector<uint8_t>&) { return std::optional(reply); });
        StartProgram();
        Boxes.clear();
        AnswerBox();
        Click(Form1->btnRead);
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, "读取第1组->第1个通道出错！");
        EXPECT_EQ(Groups[0].TextEdits[0]->Text(), "kept");
        Click(Form1->btnExit);
        std::string file = testsupport::ReadFileBytes(ConfigFile());
        EXPECT_EQ(file.find("Evil"), std::string::npos);
        size_t sections = 0, lines = 0;
        for (size_t at = 0; at < file.size(); at = file.find('\n', at) + 1) {
            ++lines;
            if (file[at] == '[') ++sections;
            if (file.find('\n', at) == std::string::npos) break;
        }
        EXPECT_EQ(sections, 2u + 6 * 3) << "Others, DateTime and six sections for each group";
        EXPECT_EQ(lines, sections + 2 + 3 + 6 * 3 * 8) << "two, three and eight keys in them";
        EXPECT_EQ(ConfigValue("Text0", "00"), "kept");
        EXPECT_EQ(ConfigValue("X0", "00"), "1");
        delete Form1;
        Form1 = nullptr;
    }
}

TEST_F(OperationFaultsTest, AReplyTooLateForItsReadNeverFillsALaterOne) {
    PrepareConfig("[Check0]\n00=1\n");
    PreloadLine(0, 0, "fresh", 4, 4, 0);
    std::atomic<int> requests{0};
    unit.SetReplyHook([&requests](int, int, const std::vector<uint8_t>&) -> std::optional<std::vector<uint8_t>> {
        if (requests++ > 0) return std::nullopt;
        return std::vector<uint8_t>{0xBB, 0xDD, 0x08, 0x00, 0x09, 0x09, 's', 't', 'a', 'l', 'e'};
    });
    std::atomic<bool> lateReplySent{false};
    unit.SetWriteListener([&lateReplySent](const std::vector<uint8_t>&) { lateReplySent = true; });
    unit.SetReplyDelay(std::chrono::milliseconds(750));
    StartProgram();
    AnswerBox();
    Click(Form1->btnRead);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "读取第1组->第1个通道出错！");
    while (!lateReplySent) Sleep(10);
    unit.SetReplyDelay(std::chrono::milliseconds(0));
    Boxes.clear();
    Click(Form1->btnRead);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(Groups[0].TextEdits[0]->Text(), "fresh");
    EXPECT_EQ(Groups[0].XEdits[0]->Value(), 4);
    unit.SetWriteListener(nullptr);
    unit.SetReplyHook(nullptr);
}
