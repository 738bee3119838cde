// The command-line tool against the emulated unit: the frames of its write beside the main window's for the same
// Config.ini, read, clear, clock and ports, a port given as a device path, and its exit status. The tool runs as its
// own process, copied beside the test program so that Config.ini and the port links there are its own.
#include "ProgramFixture.h"

#include "ConsoleText.h"

#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

using Kind = unit_emulator::FrameRecord::Kind;

namespace {

struct CliRun {
    int Status = -1;
    std::string Out, Err;
};

// Lines without a section or an equals sign, a broken section, bytes that are no text: what can be read is read,
// the rest has its default.
const char Damaged[] =
    "\xFF\xFE\x00garbage\n[Check0\n00=1\n[Check0]\n01=1\n02=yes\n[Text0]\n01\n=x\n[X0]\n01=0x1F\n[Y0]\n01=abc\n[Font0";

}  // namespace

class OverlayCliTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        FTool = testsupport::ExeDir() / "overlay-cli";
        fs::copy_file(OVERLAY_CLI, FTool, fs::copy_options::overwrite_existing);
    }

    // Runs the tool under a UTF-8 locale with standard output and error taken.
    CliRun Run(const std::vector<std::string>& args) {
        testsupport::TempDir dir;
        std::string out = dir.File("out"), err = dir.File("err");
        pid_t child = fork();
        if (child == 0) {
            std::vector<char*> argv = {const_cast<char*>(FTool.c_str())};
            for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            if (!freopen(out.c_str(), "w", stdout) || !freopen(err.c_str(), "w", stderr)) _exit(99);
            setenv("LC_ALL", "C.UTF-8", 1);
            execv(FTool.c_str(), argv.data());
            _exit(98);
        }
        int status = 0;
        waitpid(child, &status, 0);
        CliRun run;
        run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Out = testsupport::ReadFileBytes(out);
        run.Err = testsupport::ReadFileBytes(err);
        return run;
    }

    // The frames after the first `from`, with the clock's time digits left out.
    std::vector<std::string> FramesFrom(size_t from) {
        std::vector<std::string> result;
        std::vector<unit_emulator::FrameRecord> frames = unit.Frames();
        for (size_t i = from; i < frames.size(); ++i) {
            std::string hex = Hex(frames[i].bytes);
            result.push_back(frames[i].kind == Kind::Clock ? hex.substr(0, 17) : hex);
        }
        return result;
    }

    fs::path FTool;
};

TEST_F(OverlayCliTest, WriteSendsTheMainWindowsFramesForTheSameConfig) {
    struct {
        const char* What;
        std::string Config;  // whole file
        bool Sixteen;
    } cases[] = {
        {"values at their bounds",
         "[Check0]\n00=1\n05=1\n[Check1]\n00=1\n05=1\n[Check2]\n00=1\n05=1\n"
         "[Text0]\n00=AB\n[X0]\n00=3\n[Y0]\n00=2\n[Font0]\n00=1\n[Text1]\n00=中\n[X1]\n00=31\n[Y1]\n00=29\n[Font1]\n"
         "00=7\n[Text2]\n00=12345678901234\n[X2]\n00=40\n[DateTime]\nShow=0\n",
         false},
        {"sixteen rows", "[Check0]\n14=1\n[Check1]\n15=1\n[Check2]\n08=1\n[Text2]\n08=八\n", true},
        {"a damaged file", std::string(Damaged, sizeof Damaged - 1), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        testsupport::WriteFileBytes(ConfigFile(), "[Others]\nSendThenWait=5\n" + c.Config);
        StartProgram();
        if (c.Sixteen) ChooseChannelCount(1);
        size_t before = unit.Frames().size();
        AnswerBox();
        Click(Form1->btnSendCharDateTime);
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].Text, "发送完成！");
        Boxes.clear();
        // The write ends with the clock frame, which may still be on its way to the unit when the box says done.
        for (size_t n = before + 1; unit.WaitForFrames(n, std::chrono::seconds(5)); ++n)
            if (unit.Frames().back().kind == Kind::Clock) break;
        std::vector<std::string> window = FramesFrom(before);
        delete Form1;  // the window's close would save, and the file must stay as it was
        Form1 = nullptr;
        ClosePort();

        before = unit.Frames().size();
        std::vector<std::string> args = {"write", "--wait", "0"};
        if (c.Sixteen) args.insert(args.end(), {"--rows", "16"});
        CliRun run = Run(args);
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_NE(run.Err.find(AnsiToUtf8("发送完成！")), std::string::npos) << run.Err;
        ASSERT_TRUE(unit.WaitForFrames(before + window.size(), std::chrono::seconds(5)));
        EXPECT_EQ(FramesFrom(before), window);
        EXPECT_GE(window.size(), 1u);
    }
}

TEST_F(OverlayCliTest, ExitStatusSaysWhatWentWrong) {
    PrepareConfig("[Check0]\n03=1\n[Check1]\n03=1\n[Text1]\n03=\n");
    struct {
        std::vector<std::string> Args;
        int Status;
        std::string Said;  // in standard error, or standard output for --help
    } cases[] = {
        {{}, 2, "a command is missing"},
        {{"frobnicate"}, 2, "unknown command"},
        {{"write", "--rows", "9"}, 2, "--rows takes 8|16"},
        {{"clock", "blink"}, 2, "clock takes show or hide"},
        {{"read", "--wait", "5"}, 2, "read does not take --wait"},
        {{"clear", "--port"}, 2, "--port needs a value"},
        {{"write", "--parity", "mark"}, 2, "--parity takes none|odd|even"},
        {{"write", "--help"}, 0, "usage: overlay-cli write"},
        {{"clock", "--help"}, 0, "usage: overlay-cli clock"},
        {{"clear", "--port", "COM9"}, 1, AnsiToUtf8("端口：COM9打开失败！")},
        {{"clock", "show", "--port", "/dev/null"}, 1, AnsiToUtf8("端口：/dev/null打开失败！")},
        {{"clock", "show", "--port", "/nonexistent/ttyUSB0"}, 1, AnsiToUtf8("端口：/nonexistent/ttyUSB0打开失败！")},
        {{"clock", "show", "--port", "/tmp/\xFF"}, 2, "--port /tmp/\xFF cannot be written in code page 936"},
        {{"clock", "show", "--data-bits", "5", "--stop-bits", "2"}, 1, AnsiToUtf8("端口：COM1打开失败！")},
        {{"write"}, 1, AnsiToUtf8("第2组->第4个通道：内容不能为空!")},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& arg : c.Args) line += arg + " ";
        SCOPED_TRACE(line);
        CliRun run = Run(c.Args);
        EXPECT_EQ(run.Status, c.Status);
        const std::string& said = c.Status == 0 ? run.Out : run.Err;
        EXPECT_NE(said.find(c.Said), std::string::npos) << said;
    }
    EXPECT_FALSE(unit.WaitForFrames(1, std::chrono::milliseconds(200))) << "no frame went out";
}

TEST_F(OverlayCliTest, ReadWritesTheUnitsLinesIntoTheConfiguration) {
    PrepareConfig("[COM]\nBaudRate=19200\n[Check0]\n00=1\n[Check1]\n00=1\n[Check2]\n00=1\n[Text2]\n01=kept\n");
    PreloadLine(0, 0, "读回", 7, 3, 2);
    PreloadLine(1, 0, "AB", 0, 29, 1);
    PreloadLine(2, 0, "三", 30, 1, 3);
    std::string output = (testsupport::ExeDir() / "read.ini").string();
    CliRun run = Run({"read", "--output", output, "--port", unit.SlavePath()});
    ASSERT_EQ(run.Status, 0) << run.Err;
    TIniFile read(output);
    EXPECT_EQ(read.ReadString("Text0", "00", ""), "读回");
    EXPECT_EQ(read.ReadString("Font0", "00", ""), "2");
    EXPECT_EQ(read.ReadString("Y1", "00", ""), "29");
    EXPECT_EQ(read.ReadString("Font2", "00", ""), "-1");
    EXPECT_EQ(read.ReadString("Text2", "01", ""), "kept") << "rows not read keep their values";
    EXPECT_EQ(read.ReadString("COM", "BaudRate", ""), "19200") << "the rest of the file is kept";
    fs::remove(output);

    // Without --output the file comes on standard output, GBK as the file holds it.
    run = Run({"read"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("[Text0]"), std::string::npos);
    EXPECT_NE(run.Out.find("00=读回"), std::string::npos);

    unit.SetReplyHook([](int group, int, const std::vector<uint8_t>&) -> std::optional<std::vector<uint8_t>> {
        if (group == 1) return std::vector<uint8_t>{};
        return std::nullopt;
    });
    run = Run({"read", "--output", output});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find(AnsiToUtf8("读取第2组->第1个通道出错！")), std::string::npos) << run.Err;
    EXPECT_FALSE(fs::exists(output)) << "nothing is written after a failed read";
}

TEST_F(OverlayCliTest, ConfigurationAndOutputMayLieInAFolderCodePage936CannotName) {
    const fs::path folder = testsupport::ExeDir() / u8"配置 Søren Ærø";
    fs::create_directories(folder);
    const fs::path config = folder / "Config.ini", output = folder / u8"读回.ini";
    testsupport::WriteFileBytes(config.string(),
                                "[COM]\nPort=" + unit.SlavePath() + "\n[Check0]\n00=1\n[Text1]\n00=kept\n");
    PreloadLine(0, 0, "远处", 7, 3, 2);
    link.reset();
    CliRun run = Run({"read", "--rows", "8", "--config", config.string(), "--output", output.string()});
    ASSERT_EQ(run.Status, 0) << run.Err;
    TIniFile read(output.u16string());
    EXPECT_EQ(read.ReadString("Text0", "00", ""), "远处");
    EXPECT_EQ(read.ReadString("Text1", "00", ""), "kept");

    run = Run({"read", "--config", "/tmp/\xFF/Config.ini"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Err.find("is not text in the terminal's encoding"), std::string::npos) << run.Err;
    fs::remove_all(folder);
}

TEST_F(OverlayCliTest, ClearAndClockSendTheirFrames) {
    PrepareConfig();
    CliRun run = Run({"clear", "--rows", "16", "--wait", "0"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Err.find(AnsiToUtf8("清屏完成！")), std::string::npos);
    ASSERT_TRUE(unit.WaitForFrames(16, std::chrono::seconds(5)));
    std::vector<std::string> frames = FramesFrom(0);
    ASSERT_EQ(frames.size(), 16u);
    EXPECT_EQ(frames[0], "DD BB 03 C0 00 00");
    EXPECT_EQ(frames[15], "DD BB 03 FC 00 00");

    for (const char* state : {"hide", "show"}) {
        run = Run({"clock", state});
        ASSERT_EQ(run.Status, 0) << run.Err;
        ASSERT_TRUE(unit.WaitForFrames(frames.size() + 1, std::chrono::seconds(5)));
        frames = FramesFrom(0);
        EXPECT_EQ(frames.back(), std::string("DD BB 11 ") + (state[0] == 's' ? "35" : "34") + " 00 00");
        EXPECT_EQ(unit.State().Clock().shown, state[0] == 's');
    }
}

TEST_F(OverlayCliTest, PortsNamesEachDeviceWithItsComName) {
    CliRun run = Run({"ports"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    std::string device = fs::canonical(unit.SlavePath()).string();
    EXPECT_NE(run.Out.find("COM1\t" + device + "\n"), std::string::npos) << run.Out;
}

// A device path, given or stored, is opened as it is: no COM name needs to answer to it.
TEST_F(OverlayCliTest, ADevicePathIsOpenedWithoutAComName) {
    fs::path chinese = testsupport::ExeDir() / u8"串口";
    fs::remove(chinese);
    fs::create_symlink(unit.SlavePath(), chinese);
    link.reset();
    struct {
        std::string Stored;  // the COM section's port, GBK
        std::vector<std::string> Args;
    } cases[] = {
        {"", {"clock", "hide", "--port", unit.SlavePath()}},
        // The argument comes in the terminal's UTF-8; the port is named in GBK like the program's own.
        {"", {"clock", "show", "--port", chinese.string()}},
        {unit.SlavePath(), {"clock", "hide"}},
        {testsupport::ExeDir().string() + "/串口", {"clock", "show"}},
    };
    size_t frames = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Args.back() + " " + c.Stored);
        PrepareConfig(c.Stored.empty() ? "" : "[COM]\nPort=" + c.Stored + "\n");
        CliRun run = Run(c.Args);
        ASSERT_EQ(run.Status, 0) << run.Err;
        ASSERT_TRUE(unit.WaitForFrames(++frames, std::chrono::seconds(5)));
        EXPECT_EQ(unit.State().Clock().shown, c.Args[1] == "show");
    }
    fs::remove(chinese);
}
