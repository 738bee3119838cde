// TIniFile over the private profile functions, with the toolkit's 2048-byte read buffer.
#include <toolkit/IniFile.h>

#include <win32/winbase.h>

namespace {

// The name the error message shows: a relative name is completed with the current directory.
std::string FullPath(const std::string& fileName) {
    if (!fileName.empty() && fileName[0] == '/') return fileName;
    std::string directory(GetCurrentDirectoryA(0, nullptr), '\0');
    DWORD length = directory.empty() ? 0 : GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), &directory[0]);
    if (length == 0 || length >= directory.size()) return fileName;
    directory.resize(length);
    return directory + (directory.size() > 1 ? "/" : "") + fileName;
}

}  // namespace

TIniFile::TIniFile(const std::u16string& fileName) : FFileName(WideToAnsiText(fileName)), FWideName(fileName) {}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
    if (FWideName.empty()) {
        char buffer[2048];
        DWORD length = GetPrivateProfileStringA(section.c_str(), ident.c_str(), defaultValue.c_str(), buffer,
                                                sizeof buffer, FFileName.c_str());
        return std::string(buffer, length);
    }
    WCHAR buffer[2048];
    DWORD length = GetPrivateProfileStringW(AnsiToWide(section).c_str(), AnsiToWide(ident).c_str(),
                                            AnsiToWide(defaultValue).c_str(), buffer, 2048, FWideName.c_str());
    return WideToAnsiText(std::u16string(buffer, length));
}

bool TIniFile::Write(const std::string& section, const std::string* ident, const std::string* value) {
    if (FWideName.empty())
        return WritePrivateProfileStringA(section.c_str(), ident ? ident->c_str() : nullptr,
                                          value ? value->c_str() : nullptr, FFileName.c_str()) != FALSE;
    std::u16string wideIdent = ident ? AnsiToWide(*ident) : std::u16string();
    std::u16string wideValue = value ? AnsiToWide(*value) : std::u16string();
    return WritePrivateProfileStringW(AnsiToWide(section).c_str(), ident ? wideIdent.c_str() : nullptr,
                                      value ? wideValue.c_str() : nullptr, FWideName.c_str()) != FALSE;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const {
    std::string text = ReadString(section, ident, "");
    // "0x1F" is spelled the toolkit's way, "$1F", before the conversion.
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = "$" + text.substr(2);
    return StrToIntDef(text, defaultValue);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
    if (!Write(section, &ident, &value)) throw EIniFileException("Unable to write to " + FullPath(FFileName));
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

void TIniFile::EraseSection(const std::string& section) {
    if (!Write(section, nullptr, nullptr)) throw EIniFileException("Unable to write to " + FullPath(FFileName));
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    // As in the toolkit, a key that cannot be deleted is not an error worth raising.
    Write(section, &ident, nullptr);
}
