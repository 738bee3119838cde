// TFileStream: a stream over a file named in code page 936, opened with the toolkit's mode and sharing flags.
#pragma once

#include <toolkit/Stream.h>

#include <win32/winbase.h>

#include <string>

// The access value, or fmCreate (create or empty the file, then read and write it); plus one sharing value.
constexpr unsigned fmCreate = 0xFF00;
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;

class TFileStream : public TStream {
    TOOLKIT_CLASS(TFileStream, TStream)

public:
    // Raises EFCreateError "Cannot create file %s" (fmCreate) or EFOpenError "Cannot open file %s" when the file
    // cannot be had as asked: missing, a directory, no permission, a mode outside the values above, or held by
    // another handle whose sharing refuses it. The file is opened with CreateFileA, the sharing value giving its
    // share mode: fmShareExclusive and fmShareCompat share nothing, fmShareDenyWrite shares reading,
    // fmShareDenyRead writing, fmShareDenyNone both; fmCreate creates or empties the file for reading and writing.
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream() override;

    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    // Truncates or extends the file and leaves the position at the new end; raises EWriteError when it cannot.
    void SetSize(int64_t value) override;

    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
    HANDLE FHandle = INVALID_HANDLE_VALUE;
};
