// overlay-cli: provisioning the overlay unit from a terminal with the program's own settings, frames and serial
// link. Exit status 0 on success, 1 when the unit, the port or a file fails, 2 on a command line it cannot use.
#include "Com.h"
#include "ConsoleText.h"
#include "FrameSequence.h"

#include <toolkit/IniFile.h>
#include <toolkit/SysUtils.h>

#include <win32/windows.h>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

const char* const Usage[][2] = {
    {"write",
     "usage: overlay-cli write [--config FILE] [--port COMn|DEVICE] [--wait MS] [--rows 8|16] [LINE]\n"
     "  Writes every enabled row of the three groups, then the clock, as the main window's write does.\n"
     "  An enabled row without text stops the write before any frame.\n"},
    {"read",
     "usage: overlay-cli read [--config FILE] [--port COMn|DEVICE] [--output FILE] [--rows 8|16] [LINE]\n"
     "  Reads every enabled row back and writes the configuration with the values read into FILE\n"
     "  (standard output without --output). A channel that does not answer stops the read; nothing is written.\n"},
    {"clear",
     "usage: overlay-cli clear [--rows 8|16] [--config FILE] [--port COMn|DEVICE] [--wait MS] [LINE]\n"
     "  Clears the text of every channel (8 unless --rows 16).\n"},
    {"clock",
     "usage: overlay-cli clock show|hide [--config FILE] [--port COMn|DEVICE] [LINE]\n"
     "  Shows or hides the clock, set to the local date and time.\n"},
    {"ports",
     "usage: overlay-cli ports\n"
     "  Lists the serial ports present, each with the COMn name it answers to (- for none); --port takes\n"
     "  either the name or the device.\n"},
};

const char* const LineUsage =
    "LINE: --baud N, --data-bits 5..8, --parity none|odd|even, --stop-bits 1|1.5|2; otherwise the COM section of\n"
    "  the configuration (Config.ini beside the program unless --config). Messages follow the locale's encoding;\n"
    "  the files stay GBK. A progress line shows on a terminal.\n";

void PrintUsage(FILE* to, const std::string& command) {
    bool any = false;
    for (const auto& entry : Usage) {
        if (!command.empty() && command != entry[0]) continue;
        std::fputs(entry[1], to);
        any = true;
    }
    if (command.empty() || command == "write" || command == "read" || command == "clear" || command == "clock")
        std::fputs(LineUsage, to);
    if (!any) std::fputs("commands: write, read, clear, clock, ports; COMMAND --help for each\n", to);
}

// A message of the program's own (GBK) on standard error, in the terminal's encoding.
void Say(const std::string& ansi) { std::fprintf(stderr, "overlay-cli: %s\n", ToConsole(ansi).c_str()); }

struct UsageError {
    std::string What;
};

struct Options {
    std::string Command;
    std::string Argument;   // show or hide
    std::u16string Config;  // paths as the terminal gave them, in UTF-16
    std::string Port;
    std::u16string Output;
    std::optional<int> Wait;
    int Rows = 8;
    std::optional<DWORD> Baud;
    std::optional<int> DataBits;
    std::optional<int> Parity;
    std::optional<int> StopBits;
};

int Number(const std::string& option, const std::string& text, int low, int high) {
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < low || value > high)
        throw UsageError{option + " takes a number from " + std::to_string(low) + " to " + std::to_string(high)};
    return static_cast<int>(value);
}

int IndexOf(const std::string& option, const std::string& text, std::initializer_list<const char*> names) {
    int index = 0;
    for (const char* name : names) {
        if (text == name) return index;
        ++index;
    }
    std::string list;
    for (const char* name : names) list += (list.empty() ? "" : "|") + std::string(name);
    throw UsageError{option + " takes " + list};
}

// Which options each command takes.
bool Takes(const std::string& command, const std::string& option) {
    if (option == "--port" || option == "--config" || option == "--baud" || option == "--data-bits" ||
        option == "--parity" || option == "--stop-bits")
        return command != "ports";
    if (option == "--wait") return command == "write" || command == "clear";
    if (option == "--rows") return command == "write" || command == "read" || command == "clear";
    if (option == "--output") return command == "read";
    return false;
}

Options Parse(int argc, char** argv) {
    Options options;
    if (argc < 2) throw UsageError{"a command is missing"};
    options.Command = argv[1];
    bool known = false;
    for (const auto& entry : Usage) known = known || options.Command == entry[0];
    if (!known) throw UsageError{"unknown command " + options.Command};
    int i = 2;
    if (options.Command == "clock") {
        if (i >= argc) throw UsageError{"clock takes show or hide"};
        options.Argument = argv[i++];
        if (options.Argument != "--help" && options.Argument != "show" && options.Argument != "hide")
            throw UsageError{"clock takes show or hide"};
        if (options.Argument == "--help") --i;
    }
    for (; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            options.Argument = "--help";
            return options;
        }
        if (!Takes(options.Command, option)) throw UsageError{options.Command + " does not take " + option};
        if (i + 1 >= argc) throw UsageError{option + " needs a value"};
        std::string value = argv[++i];
        if ((option == "--config" && !ConsoleToWide(value, options.Config)) ||
            (option == "--output" && !ConsoleToWide(value, options.Output)))
            throw UsageError{option + " " + value + " is not text in the terminal's encoding"};
        if (option == "--port" && !FromConsole(value, options.Port))
            throw UsageError{"--port " + value + " cannot be written in code page 936"};
        if (option == "--wait") options.Wait = Number(option, value, 0, 600000);
        if (option == "--rows") options.Rows = IndexOf(option, value, {"8", "16"}) == 0 ? 8 : 16;
        if (option == "--baud") options.Baud = static_cast<DWORD>(Number(option, value, 1, INT_MAX));
        if (option == "--data-bits") options.DataBits = Number(option, value, 4, 8);
        if (option == "--parity") options.Parity = IndexOf(option, value, {"none", "odd", "even"});
        if (option == "--stop-bits") options.StopBits = IndexOf(option, value, {"1", "1.5", "2"});
    }
    return options;
}

// The device a COM name answers to, resolved to the file it finally is.
std::string RealDevice(const std::string& path) {
    std::error_code ec;
    std::filesystem::path real = std::filesystem::canonical(path, ec);
    return ec ? path : real.string();
}

std::optional<std::string> DosDeviceOf(int number) {
    char target[4096];
    if (QueryDosDeviceA(("COM" + std::to_string(number)).c_str(), target, sizeof target) == 0) return std::nullopt;
    return std::string(target);
}

class TSession {
public:
    explicit TSession(const Options& options)
        : FOptions(options),
          FConfig(options.Config.empty() ? ConfigFilePath() : options.Config),
          FIni(FConfig.u16string()) {}
    ~TSession() { ClosePort(); }

    const std::filesystem::path& ConfigPath() const { return FConfig; }
    TIniFile& Ini() { return FIni; }

    OverlaySettings Load(int rows) {
        OverlaySettings settings;
        for (int g = 0; g < GroupCount; ++g) LoadGroup(FIni, g, rows, settings);
        if (FOptions.Wait) SendThenWait = *FOptions.Wait;
        return settings;
    }

    // The port of --port or the COM section, with the line settings given or stored; false when it is reported.
    bool Open() {
        // Both are GBK: the stored name as the file holds it, a typed one converted from the terminal's encoding.
        std::string port = FOptions.Port.empty() ? FIni.ReadString("COM", "Port", "COM1") : FOptions.Port;
        DWORD baud = FOptions.Baud ? *FOptions.Baud
                                   : static_cast<DWORD>(StrToIntDef(FIni.ReadString("COM", "BaudRate", "9600"), 9600));
        int dataBits = FOptions.DataBits ? *FOptions.DataBits : StrToIntDef(FIni.ReadString("COM", "ByteSize", "8"), 8);
        int stopBits = FOptions.StopBits ? *FOptions.StopBits : FIni.ReadInteger("COM", "StopBits", 0);
        int parity = FOptions.Parity ? *FOptions.Parity : StrToIntDef(FIni.ReadString("COM", "Parity", "0"), 0);
        // Stored indices outside the lists fall back to the first item, as the program's start does.
        auto index = [](int value) { return static_cast<BYTE>(value >= 0 && value <= 2 ? value : 0); };
        if (OpenPort(port, baud, static_cast<BYTE>(dataBits), index(stopBits), index(parity))) return true;
        Say("端口：" + port + "打开失败！");
        return false;
    }

private:
    const Options& FOptions;
    std::filesystem::path FConfig;
    TIniFile FIni;
};

// "frames sent / total" on a terminal, rewritten in place; nothing when standard error is a file or a pipe.
class TProgress {
public:
    explicit TProgress(size_t total) : FTotal(total), FShown(isatty(STDERR_FILENO) == 1) { Show(); }
    ~TProgress() {
        if (FShown) std::fputs("\n", stderr);
    }
    void Step() {
        ++FDone;
        Show();
    }

private:
    void Show() {
        if (!FShown) return;
        std::fprintf(stderr, "\r%zu / %zu", FDone, FTotal);
        std::fflush(stderr);
    }
    size_t FTotal;
    size_t FDone = 0;
    bool FShown;
};

// Sends the steps with the wait after each, as the main window does; false after reporting a refused frame.
bool Send(const std::vector<FrameStep>& steps) {
    size_t frames = 0;
    for (const FrameStep& step : steps)
        if (step.Kind == FrameStep::fsClock || !step.Bytes.empty()) ++frames;
    SendResult result;
    {
        TProgress progress(frames);
        result = SendSteps(steps, [&](const FrameStep& step) {
            if (!step.Bytes.empty()) progress.Step();
            return SlicedWait(SendThenWait, nullptr);
        });
    }
    if (result.End == SendResult::seDone) return true;
    Say(SendFailureText(PortName, steps[result.At]));
    return false;
}

int Write(const Options& options) {
    TSession session(options);
    OverlaySettings settings = session.Load(options.Rows);
    int group = 0, row = 0;
    if (FindEmptyEnabledRow(settings, group, row)) {
        Say("第" + std::to_string(group + 1) + "组->第" + std::to_string(row + 1) + "个通道：内容不能为空!");
        return ExitFailed;
    }
    if (!session.Open() || !Send(WriteSteps(settings))) return ExitFailed;
    Say("发送完成！");
    return ExitOk;
}

int Clear(const Options& options) {
    TSession session(options);
    session.Load(options.Rows);
    if (!session.Open() || !Send(ClearSteps(std::vector<bool>(static_cast<size_t>(options.Rows), true))))
        return ExitFailed;
    Say("清屏完成！");
    return ExitOk;
}

int Clock(const Options& options) {
    TSession session(options);
    if (!session.Open() || !Send({ClockStep(options.Argument == "show")})) return ExitFailed;
    Say("发送完成！");
    return ExitOk;
}

int Read(const Options& options) {
    TSession session(options);
    OverlaySettings settings = session.Load(options.Rows);
    if (!session.Open()) return ExitFailed;
    size_t total = 0;
    for (const auto& rows : settings.Groups)
        total += static_cast<size_t>(
            std::count_if(rows.begin(), rows.end(), [](const RowSettings& r) { return r.Enabled; }));
    {
        TProgress progress(total);
        for (int g = 0; g < GroupCount; ++g) {
            auto& rows = settings.Groups[static_cast<size_t>(g)];
            for (size_t i = 0; i < rows.size(); ++i) {
                if (!rows[i].Enabled) continue;
                ChannelLine line;
                if (!ReadChannel(g, static_cast<int>(i), line)) {
                    Say(ReadFailureText(g, static_cast<int>(i)));
                    return ExitFailed;
                }
                rows[i].Text = line.Text;
                rows[i].X = line.X;
                rows[i].Y = line.Y;
                rows[i].Size = line.Size < SizeCount ? line.Size : NoSize;
                progress.Step();
            }
        }
    }

    // The configuration as it was, with what the unit holds in place of the rows read.
    namespace fs = std::filesystem;
    fs::path output = options.Output;
    std::string scratch;
    if (output.empty()) {
        char name[] = "/tmp/overlay-cli.XXXXXX";
        int fd = mkstemp(name);
        if (fd < 0) {
            std::perror("overlay-cli: temporary file");
            return ExitFailed;
        }
        close(fd);
        output = scratch = name;
    }
    std::error_code ec;
    if (fs::exists(session.ConfigPath(), ec) && !fs::equivalent(session.ConfigPath(), output, ec))
        fs::copy_file(session.ConfigPath(), output, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        std::fprintf(stderr, "overlay-cli: %s: %s\n", output.string().c_str(), ec.message().c_str());
        return ExitFailed;
    }
    try {
        TIniFile out(output.u16string());
        for (int g = 0; g < GroupCount; ++g) SaveGroup(out, g, settings);
    } catch (const Exception& e) {
        Say(e.Message());
        if (!scratch.empty()) fs::remove(scratch, ec);
        return ExitFailed;
    }
    if (!scratch.empty()) {
        FILE* file = std::fopen(scratch.c_str(), "rb");
        char buffer[4096];
        size_t n;
        while (file && (n = std::fread(buffer, 1, sizeof buffer, file)) > 0) std::fwrite(buffer, 1, n, stdout);
        if (file) std::fclose(file);
        fs::remove(scratch, ec);
    }
    return ExitOk;
}

// A device node with a serial line behind it: it opens as a terminal, or another program holds it.
bool Present(const std::string& path) {
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == EBUSY || errno == EACCES;
    bool terminal = isatty(fd) == 1;
    close(fd);
    return terminal;
}

int Ports() {
    std::map<std::string, int> names;  // device -> the first COM number that answers to it
    std::vector<std::string> devices;
    for (int number = 1; number <= 255; ++number) {
        std::optional<std::string> target = DosDeviceOf(number);
        if (!target) continue;
        std::string device = RealDevice(*target);
        if (names.emplace(device, number).second) devices.push_back(device);
    }
    if (DIR* dev = opendir("/dev")) {
        while (dirent* entry = readdir(dev)) {
            std::string name = entry->d_name;
            for (const char* prefix : {"ttyS", "ttyUSB", "ttyACM"})
                if (name.rfind(prefix, 0) == 0 && name.size() > std::strlen(prefix)) devices.push_back("/dev/" + name);
        }
        closedir(dev);
    }
    std::sort(devices.begin(), devices.end(), [&](const std::string& a, const std::string& b) {
        auto na = names.find(a), nb = names.find(b);
        int ka = na == names.end() ? 256 : na->second, kb = nb == names.end() ? 256 : nb->second;
        return ka != kb ? ka < kb : a < b;
    });
    devices.erase(std::unique(devices.begin(), devices.end()), devices.end());
    for (const std::string& device : devices) {
        if (!Present(device)) continue;
        auto name = names.find(device);
        std::printf("%s\t%s\n", name == names.end() ? "-" : ("COM" + std::to_string(name->second)).c_str(),
                    device.c_str());
    }
    return ExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
            PrintUsage(stdout, std::string());
            return ExitOk;
        }
        options = Parse(argc, argv);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "overlay-cli: %s\n", error.What.c_str());
        PrintUsage(stderr, argc >= 2 ? argv[1] : "");
        return ExitUsage;
    }
    if (options.Argument == "--help") {
        PrintUsage(stdout, options.Command);
        return ExitOk;
    }
    try {
        if (options.Command == "write") return Write(options);
        if (options.Command == "read") return Read(options);
        if (options.Command == "clear") return Clear(options);
        if (options.Command == "clock") return Clock(options);
        return Ports();
    } catch (const Exception& e) {
        Say(e.Message());
        return ExitFailed;
    }
}
