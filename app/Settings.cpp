// Config.ini: the per-group sections Check, CheckText, Text, X, Y and Font plus the group digit, and the shared
// sections Others and DateTime, which every group's load and save read and write again.
#include "Settings.h"

#include <toolkit/PropertyRegistry.h>
#include <toolkit/Stream.h>

#include <win32/windows.h>

#include <algorithm>
#include <cstdio>

int RowCount = 8;
int SendThenWait = 500;
int WriteOrderWaitThenRead = 500;

namespace {

std::string Section(const char* name, int group) { return name + std::to_string(group); }

}  // namespace

std::u16string ProgramFolder() {
    WCHAR path[MAX_PATH * 4];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    return ExtractFilePath(std::u16string(path, length));
}

std::u16string ConfigFilePath() { return ProgramFolder() + u"Config.ini"; }

std::string ConfigFileName() { return WideToAnsiText(ConfigFilePath()); }

DWORD ConfigReadError() {
    // The section list is the cheapest read of the whole file; the profile functions leave the file's error.
    WCHAR names[2];
    SetLastError(ERROR_SUCCESS);
    GetPrivateProfileStringW(nullptr, nullptr, u"", names, 2, ConfigFilePath().c_str());
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

void RequireComponents(TComponent* window) {
    for (const TFieldInfo* field : TPropertyRegistry::Fields(window->Class()))
        if (!field->IsSet(*window))
            throw EReadError("Component " + field->Name + " is missing from the description of " + window->ClassName());
}

std::string FullWidthDigits(const std::string& text) {
    std::string result;
    for (char c : text) {
        result += static_cast<char>(0xA3);
        result += static_cast<char>(0xB0 + (c - '0'));
    }
    return result;
}

std::string RowKey(int row) {
    char key[8];
    std::snprintf(key, sizeof key, "%02d", row);
    return key;
}

std::string DefaultName(int row) { return "通道" + RowKey(row + 1); }

std::string DefaultText(int row) { return "通道" + FullWidthDigits(RowKey(row + 1)); }

void LoadGroup(TIniFile& ini, int group, int rowCount, OverlaySettings& settings) {
    auto& rows = settings.Groups.at(group);
    rows.resize(static_cast<size_t>(std::clamp(rowCount, 0, MaxRows)));
    int n = static_cast<int>(rows.size());

    SendThenWait = std::clamp(ini.ReadInteger("Others", "SendThenWait", 500), 0, MaxWait);
    WriteOrderWaitThenRead = std::clamp(ini.ReadInteger("Others", "WriteOrderWaitThenRead", 500), 0, MaxWait);

    // Each value is read for all rows before the next value, as the file's sections are laid out.
    for (int i = 0; i < n; ++i) rows[i].Enabled = ini.ReadBool(Section("Check", group), RowKey(i), false);
    for (int i = 0; i < n; ++i) rows[i].Name = ini.ReadString(Section("CheckText", group), RowKey(i), DefaultName(i));
    for (int i = 0; i < n; ++i) rows[i].Text = ini.ReadString(Section("Text", group), RowKey(i), DefaultText(i));
    for (int i = 0; i < n; ++i) rows[i].X = std::clamp(ini.ReadInteger(Section("X", group), RowKey(i), 1), 0, MaxX);
    for (int i = 0; i < n; ++i) rows[i].Y = std::clamp(ini.ReadInteger(Section("Y", group), RowKey(i), 0), 0, MaxY);
    for (int i = 0; i < n; ++i) {
        int size = ini.ReadInteger(Section("Font", group), RowKey(i), 0);
        rows[i].Size = size >= 0 && size < SizeCount ? size : NoSize;
    }

    settings.Clock.X = ini.ReadInteger("DateTime", "X", 24);
    settings.Clock.Y = ini.ReadInteger("DateTime", "Y", 0);
    settings.Clock.Shown = ini.ReadBool("DateTime", "Show", true);
}

void SaveGroup(TIniFile& ini, int group, const OverlaySettings& settings) {
    const auto& rows = settings.Groups.at(group);
    int n = static_cast<int>(rows.size());

    ini.WriteInteger("Others", "SendThenWait", SendThenWait);
    ini.WriteInteger("Others", "WriteOrderWaitThenRead", WriteOrderWaitThenRead);

    for (int i = 0; i < n; ++i) ini.WriteBool(Section("Check", group), RowKey(i), rows[i].Enabled);
    for (int i = 0; i < n; ++i) ini.WriteString(Section("CheckText", group), RowKey(i), rows[i].Name);
    for (int i = 0; i < n; ++i) ini.WriteString(Section("Text", group), RowKey(i), rows[i].Text);
    for (int i = 0; i < n; ++i) ini.WriteInteger(Section("X", group), RowKey(i), rows[i].X);
    for (int i = 0; i < n; ++i) ini.WriteInteger(Section("Y", group), RowKey(i), rows[i].Y);
    for (int i = 0; i < n; ++i) {
        int size = rows[i].Size >= 0 && rows[i].Size < SizeCount ? rows[i].Size : NoSize;
        ini.WriteInteger(Section("Font", group), RowKey(i), size);
    }

    ini.WriteInteger("DateTime", "X", settings.Clock.X);
    ini.WriteInteger("DateTime", "Y", settings.Clock.Y);
    ini.WriteBool("DateTime", "Show", settings.Clock.Shown);
}
