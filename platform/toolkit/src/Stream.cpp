// TStream's whole-buffer transfers, copying and size.
#include <toolkit/Stream.h>

#include <algorithm>
#include <vector>

void TStream::ReadBuffer(void* buffer, int count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count < 0) return 0;
    const int64_t chunk = 0xF000;
    std::vector<char> buffer(static_cast<size_t>(std::min(count, chunk)));
    int64_t left = count;
    while (left > 0) {
        int n = static_cast<int>(std::min(left, chunk));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

int64_t TStream::Size() {
    int64_t position = Seek(0, soCurrent);
    int64_t end = Seek(0, soEnd);
    Seek(position, soBeginning);
    return end;
}

void TStream::SetSize(int64_t value) {
    (void)value;
    throw EWriteError("Stream write error");
}
