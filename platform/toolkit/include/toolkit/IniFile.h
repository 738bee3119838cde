// TIniFile: typed access to one profile file through the platform's profile functions.
#pragma once

#include <toolkit/SysUtils.h>

#include <string>

class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

class TIniFile {
public:
    explicit TIniFile(const std::string& fileName) : FFileName(fileName) {}

    const std::string& FileName() const { return FFileName; }

    std::string ReadString(const std::string& section, const std::string& ident, const std::string& defaultValue) const;
    // Decimal, or hexadecimal after "0x" or "$"; anything else gives the default.
    int ReadInteger(const std::string& section, const std::string& ident, int defaultValue) const;
    // Read as an integer; any non-zero value is true.
    bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const;

    // Each write raises EIniFileException "Unable to write to <full path>" when the file cannot be written.
    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& ident, int value);
    void WriteBool(const std::string& section, const std::string& ident, bool value);

    void EraseSection(const std::string& section);
    void DeleteKey(const std::string& section, const std::string& ident);

private:
    std::string FFileName;
};
