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

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
    char buffer[2048];
    DWORD length = GetPrivateProfileStringA(section.c_str(), ident.c_str(), defaultValue.c_str(), buffer, sizeof buffer,
                                            FFileName.c_str());
    return std::string(buffer, length);
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
    if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), FFileName.c_str()))
        throw EIniFileException("Unable to write to " + FullPath(FFileName));
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}

void TIniFile::EraseSection(const std::string& section) {
    if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, FFileName.c_str()))
        throw EIniFileException("Unable to write to " + FullPath(FFileName));
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
    // As in the toolkit, a key that cannot be deleted is not an error worth raising.
    WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, FFileName.c_str());
}
