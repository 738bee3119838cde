// send-config: writes the configuration in Config.ini (defaults where absent) to the unit on the configured port:
// every row of the three groups, then the clock. It stands in for the main window's write until that exists.
#include "Com.h"
#include "Protocol.h"
#include "Settings.h"

#include <win32/windows.h>

#include <cstdio>
#include <string>

namespace {

// Messages are GBK, the terminal is UTF-8.
std::string ToUtf8(const std::string& ansi) {
    if (ansi.empty()) return ansi;
    int wide = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::u16string text(static_cast<size_t>(wide), u'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), text.data(), wide);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

// Pause between frames: long enough for a unit to take each frame, short enough for a quick demonstration.
constexpr DWORD FrameGap = 20;

}  // namespace

int main() {
    std::string fileName = ConfigFileName();
    TIniFile ini(fileName);
    OverlaySettings settings;
    for (int g = 0; g < GroupCount; ++g) LoadGroup(ini, g, RowCount, settings);

    std::string port = ini.ReadString("COM", "Port", "COM1");
    DWORD baud = static_cast<DWORD>(StrToIntDef(ini.ReadString("COM", "BaudRate", "9600"), 9600));
    BYTE byteSize = static_cast<BYTE>(StrToIntDef(ini.ReadString("COM", "ByteSize", "8"), 8));
    BYTE stopBits = static_cast<BYTE>(ini.ReadInteger("COM", "StopBits", 0));
    BYTE parity = static_cast<BYTE>(StrToIntDef(ini.ReadString("COM", "Parity", "0"), 0));
    if (!OpenPort(port, baud, byteSize, stopBits, parity)) {
        std::printf("%s (%s)\n", ToUtf8("打开串口失败！").c_str(), port.c_str());
        return 1;
    }

    int frames = 0;
    for (int g = 0; g < GroupCount; ++g)
        for (int i = 0; i < static_cast<int>(settings.Groups[g].size()); ++i) {
            const RowSettings& row = settings.Groups[g][i];
            SendTextFrame(g, i, row.X, row.Y, row.Size, row.Text);
            ++frames;
            Sleep(FrameGap);
        }
    if (settings.Clock.Shown)
        ShowClock();
    else
        HideClock();
    ++frames;
    ClosePort();
    std::printf("%s: %d frames to %s\n", ToUtf8("发送完成！").c_str(), frames, port.c_str());
    return 0;
}
