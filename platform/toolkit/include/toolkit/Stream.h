// TStream: the toolkit's byte stream interface, with whole-buffer transfers that raise on a short read or write.
#pragma once

#include <toolkit/Object.h>

#include <cstdint>
#include <string>

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// "Stream read error" / "Stream write error".
class EReadError : public EFilerError {
public:
    using EFilerError::EFilerError;
};

class EWriteError : public EFilerError {
public:
    using EFilerError::EFilerError;
};

// "Cannot create file %s" / "Cannot open file %s", naming the file as it was given (code page 936).
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class TStream : public TObject {
    TOOLKIT_CLASS(TStream, TObject)

public:
    // Move up to count bytes and answer how many moved (0 at the end, or when nothing can be moved).
    virtual int Read(void* buffer, int count) = 0;
    virtual int Write(const void* buffer, int count) = 0;
    // The new position from the start, or -1 when the position cannot be set.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    // Raise EReadError / EWriteError unless exactly count bytes move.
    void ReadBuffer(void* buffer, int count);
    void WriteBuffer(const void* buffer, int count);
    // Copies count bytes from source's position, or the whole of source (from its start) when count is 0, and
    // answers the bytes copied. A short source raises EReadError.
    int64_t CopyFrom(TStream& source, int64_t count);

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t value) { Seek(value, soBeginning); }
    virtual int64_t Size();
    // Truncates or extends; the base cannot and raises EWriteError.
    virtual void SetSize(int64_t value);
};
