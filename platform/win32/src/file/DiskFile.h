// An open disk file behind a HANDLE: Windows' creation dispositions and sharing over a Linux descriptor.
#pragma once

#include "kernel/KernelObject.h"

#include <memory>
#include <string>

namespace win32::file {

class DiskFile : public kernel::KernelObject {
    struct OpenKey {
        explicit OpenKey() = default;
    };

public:
    // Opens or creates the file at a native (UTF-8) path. access is GENERIC_READ and/or GENERIC_WRITE, share
    // FILE_SHARE_* bits, disposition CREATE_NEW .. TRUNCATE_EXISTING, all checked by the caller; mode is the
    // permission of a file made new. Null with the last error set on failure; on success the last error is
    // ERROR_ALREADY_EXISTS when CREATE_ALWAYS or OPEN_ALWAYS met an existing file, else ERROR_SUCCESS.
    static std::shared_ptr<DiskFile> Open(const std::string& nativePath, DWORD access, DWORD share, DWORD disposition,
                                          unsigned mode);
    DiskFile(OpenKey, int fd, DWORD access);
    ~DiskFile() override;

    BOOL Read(LPVOID buffer, DWORD count, LPDWORD done) override;
    BOOL Write(LPCVOID buffer, DWORD count, LPDWORD done) override;
    DWORD FileType() const override;

    // Moves the file pointer by distance from FILE_BEGIN, FILE_CURRENT or FILE_END; a target above limit is
    // refused (ERROR_INVALID_PARAMETER) and a negative one fails with ERROR_NEGATIVE_SEEK, the pointer unmoved.
    BOOL SetPointer(LONGLONG distance, DWORD method, LONGLONG limit, LONGLONG& position);
    BOOL Size(LONGLONG& size);
    // Cuts or extends the file to the file pointer.
    BOOL SetEnd();
    BOOL Flush();

private:
    bool Writable() const { return (FAccess & GENERIC_WRITE) != 0; }

    // Closed with the object, when CloseHandle has taken it from the table and no call still uses it.
    const int FFd;
    const DWORD FAccess;
};

}  // namespace win32::file
