// TMemoryStream: a stream over a growable block of memory, loadable from and savable to files and streams.
#pragma once

#include <toolkit/Stream.h>

#include <vector>

class TMemoryStream : public TStream {
    TOOLKIT_CLASS(TMemoryStream, TStream)

public:
    TMemoryStream() = default;

    int Read(void* buffer, int count) override;
    // Writing past the end grows the stream; a gap left by seeking beyond the end reads as zeros.
    int Write(const void* buffer, int count) override;
    // Any position at or after the start can be set, also beyond the end; a negative one answers -1.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(FMemory.size()); }
    // New bytes are zero; a position beyond the new end moves to the end.
    void SetSize(int64_t value) override;

    // The bytes; valid until the size changes.
    char* Memory() { return FMemory.data(); }
    const char* Memory() const { return FMemory.data(); }
    void Clear();

    // Replace the contents with the whole of stream (from its start) or file; the position returns to 0.
    void LoadFromStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);
    // Write the whole contents, whatever the position.
    void SaveToStream(TStream& stream);
    void SaveToFile(const std::string& fileName);

private:
    std::vector<char> FMemory;
    int64_t FPosition = 0;
};
