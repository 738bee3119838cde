// TFileStream over a file handle of the platform: CreateFileA, ReadFile, WriteFile and the file pointer.
#include <toolkit/FileStream.h>

namespace {

bool ValidMode(unsigned mode) {
    unsigned high = mode & 0xFF00;
    unsigned access = mode & 0x000F;
    unsigned share = mode & 0x00F0;
    if (mode & ~0xFFFFu) return false;
    if (high != 0 && high != fmCreate) return false;
    if (high == fmCreate ? access != 0 : access > fmOpenReadWrite) return false;
    return share <= fmShareDenyNone;
}

DWORD ShareMode(unsigned mode) {
    switch (mode & 0x00F0) {
    case fmShareDenyWrite: return FILE_SHARE_READ;
    case fmShareDenyRead: return FILE_SHARE_WRITE;
    case fmShareDenyNone: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: return 0;  // fmShareExclusive and fmShareCompat
    }
}

DWORD Access(unsigned mode) {
    if ((mode & 0xFF00) == fmCreate) return GENERIC_READ | GENERIC_WRITE;
    switch (mode & 0x000F) {
    case fmOpenWrite: return GENERIC_WRITE;
    case fmOpenReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
    }
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : FFileName(fileName) {
    bool create = (mode & 0xFF00) == fmCreate;
    if (ValidMode(mode))
        FHandle = CreateFileA(fileName.c_str(), Access(mode), ShareMode(mode), nullptr,
                              create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle != INVALID_HANDLE_VALUE) return;
    if (create) throw EFCreateError("Cannot create file " + fileName);
    throw EFOpenError("Cannot open file " + fileName);
}

TFileStream::~TFileStream() { CloseHandle(FHandle); }

int TFileStream::Read(void* buffer, int count) {
    DWORD done = 0;
    if (count > 0) ReadFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr);
    return static_cast<int>(done);
}

int TFileStream::Write(const void* buffer, int count) {
    DWORD done = 0;
    if (count > 0) WriteFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr);
    return static_cast<int>(done);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    LARGE_INTEGER distance{};
    distance.QuadPart = offset;
    LARGE_INTEGER position{};
    DWORD method = origin == soBeginning ? FILE_BEGIN : origin == soCurrent ? FILE_CURRENT : FILE_END;
    return SetFilePointerEx(FHandle, distance, &position, method) ? position.QuadPart : -1;
}

void TFileStream::SetSize(int64_t value) {
    int64_t position = Seek(0, soCurrent);
    if (value >= 0 && Seek(value, soBeginning) == value && SetEndOfFile(FHandle)) return;
    Seek(position, soBeginning);
    throw EWriteError("Stream write error");
}
