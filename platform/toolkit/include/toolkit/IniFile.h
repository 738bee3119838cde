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
    // A file named in UTF-16, which holds any path (through the profile functions' W forms); the sections, keys and
    // values are still ANSI text.
    explicit TIniFile(const std::u16string& fileName);

    // The name as given, or the ANSI form of a UTF-16 name ('?' for what code page 936 cannot hold).
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
    // Through the A or the W profile function, as the file was named; a null ident or value as the API takes it.
    bool Write(const std::string& section, const std::string* ident, const std::string* value);

    std::string FFileName;
    std::u16string FWideName;
};
