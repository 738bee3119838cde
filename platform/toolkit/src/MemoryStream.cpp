// TMemoryStream over a vector of bytes.
#include <toolkit/MemoryStream.h>

#include <toolkit/FileStream.h>

#include <algorithm>
#include <cstring>

int TMemoryStream::Read(void* buffer, int count) {
    int64_t available = Size() - FPosition;
    if (count <= 0 || available <= 0) return 0;
    int n = static_cast<int>(std::min<int64_t>(available, count));
    std::memcpy(buffer, FMemory.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int TMemoryStream::Write(const void* buffer, int count) {
    if (count <= 0) return 0;
    int64_t end = FPosition + count;
    if (end > Size()) FMemory.resize(static_cast<size_t>(end));
    std::memcpy(FMemory.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? FPosition : Size();
    int64_t position = base + offset;
    if (position < 0) return -1;
    FPosition = position;
    return FPosition;
}

void TMemoryStream::SetSize(int64_t value) {
    if (value < 0) throw EWriteError("Stream write error");
    FMemory.resize(static_cast<size_t>(value));
    if (FPosition > value) FPosition = value;
}

void TMemoryStream::Clear() {
    FMemory.clear();
    FMemory.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    int64_t size = stream.Size();
    SetSize(size);
    if (size != 0) stream.ReadBuffer(FMemory.data(), static_cast<int>(size));
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& stream) {
    if (!FMemory.empty()) stream.WriteBuffer(FMemory.data(), static_cast<int>(FMemory.size()));
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}
