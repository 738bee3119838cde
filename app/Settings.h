// The overlay configuration and its load and save, one group at a time, through Config.ini.
#pragma once

#include <toolkit/Component.h>
#include <toolkit/IniFile.h>
#include <win32/windows.h>

#include <array>
#include <string>
#include <vector>

// Channels shown per group: 8 or 16; always 8 at start-up.
extern int RowCount;
// Milliseconds to wait after each frame sent, and between a read-back request and its reply window; a file's
// values are brought into 0..MaxWait.
extern int SendThenWait;
extern int WriteOrderWaitThenRead;
constexpr int MaxWait = 10000;

constexpr int GroupCount = 3;
constexpr int MaxRows = 16;
constexpr int MaxX = 31;
constexpr int MaxY = 29;
// Size indices: 0 large, 1 medium, 2 small; NoSize when none is selected.
constexpr int NoSize = -1;
constexpr int SizeCount = 3;
// Bytes of text a row holds in groups 0 and 1, and in group 2.
constexpr int TextLimit(int group) { return group == 2 ? 12 : 32; }

struct RowSettings {
    bool Enabled = false;
    std::string Name;  // the row's label, passed unchanged from the file back to the file
    std::string Text;  // GBK bytes
    int X = 1;
    int Y = 0;
    int Size = 0;
};

struct ClockSettings {
    bool Shown = true;
    int X = 24;
    int Y = 0;
};

// One configuration. A group's Rows hold exactly the rows that are built (8 or 16).
struct OverlaySettings {
    std::array<std::vector<RowSettings>, GroupCount> Groups;
    ClockSettings Clock;
};

// The executable's folder with its trailing '/', in UTF-16, which holds any folder name.
std::u16string ProgramFolder();
// "Config.ini" in the executable's folder, the path the program reads and writes through.
std::u16string ConfigFilePath();
// The same for messages, in the ANSI code page ('?' for what it cannot hold).
std::string ConfigFileName();
// Why Config.ini is there but cannot be read (a Windows error code: a directory, no permission, not a regular
// file, too large); ERROR_SUCCESS when it reads or is absent.
DWORD ConfigReadError();

// A window's handlers reach its components through its fields: a window whose description left one out raises
// EReadError naming it, before any handler runs into the missing component.
void RequireComponents(TComponent* window);

// Every ASCII digit d becomes the GBK full-width digit A3 (B0+d).
std::string FullWidthDigits(const std::string& text);
// The two-digit row key "00" ... "15".
std::string RowKey(int row);
std::string DefaultName(int row);
std::string DefaultText(int row);

// Reads the shared values and the built rows of group g; rowCount rows are built (resized) in the model.
void LoadGroup(TIniFile& ini, int group, int rowCount, OverlaySettings& settings);
// Writes the shared values and the built rows of group g. Rows that are not built are left untouched in the file.
// Raises EIniFileException when the file cannot be written; nothing after the failed value is written.
void SaveGroup(TIniFile& ini, int group, const OverlaySettings& settings);
