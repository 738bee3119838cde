// The overlay unit's protocol engine without any I/O: bytes in, unit state and reply bytes out.
// Frames are DD BB, a length L, then L body bytes; replies are BB DD, a length, then the body.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "UnitState.h"

namespace unit_emulator {

// One entry of the frame log. Channels are numbered from 1 in descriptions ("ch01" is row 0, as
// the operator sees them) and groups from 0 ("g0").
struct FrameRecord {
    enum class Kind { Text, Clear, Clock, Read, Garbage };
    Kind kind = Kind::Garbage;
    std::vector<uint8_t> bytes;  // the frame; for garbage the skipped bytes (the first 256 of them)
    std::string hex;             // HexBytes(bytes)
    std::string description;     // one UTF-8 line, e.g. text g0 ch01 x=3 y=2 size=1 "AB"
    size_t streamBytes = 0;      // how many bytes of the stream the record accounts for
};

// The reply to one read-back request, with the line it describes.
struct UnitReply {
    int group = 0;
    int row = 0;
    std::vector<uint8_t> bytes;
};

class UnitEmulator {
public:
    using FrameListener = std::function<void(const FrameRecord&)>;

    static constexpr size_t kMaxBody = 62;  // command, X, size/Y and at most 59 text bytes
    static constexpr size_t kMaxText = 59;

    // Consumes the next piece of the incoming stream, in any chunking, and answers the bytes to send
    // back (the replies to every read-back request completed by this piece, in order).
    std::vector<uint8_t> Feed(const uint8_t* data, size_t n);
    std::vector<uint8_t> Feed(const std::vector<uint8_t>& data) { return Feed(data.data(), data.size()); }
    // The same, keeping the replies apart so that a caller can alter or delay each one.
    std::vector<UnitReply> FeedReplies(const uint8_t* data, size_t n);

    // The line has gone quiet: a frame still incomplete will never be completed, so it is taken as
    // garbage (one byte at a time, so that a frame behind a bogus header is still found).
    std::vector<UnitReply> Idle();
    // Whether bytes are held waiting for the rest of a frame.
    bool HasPending() const { return FBuffer.size() > FStart; }

    // Called for every frame and every run of skipped bytes, in stream order, during Feed/Idle.
    void SetFrameListener(FrameListener listener) { FListener = std::move(listener); }

    const UnitState& State() const { return FState; }
    UnitState& State() { return FState; }
    std::string DescribeState() const { return FState.Describe(); }

    // The reply the unit gives for a read-back of (group, row) in its current state.
    std::vector<uint8_t> ReplyFor(int group, int row) const;

private:
    void Process(std::vector<UnitReply>& replies);
    bool Execute(const uint8_t* frame, size_t length, std::vector<UnitReply>& replies);
    void SkipGarbage(size_t count);
    void FlushGarbage();
    void Log(FrameRecord::Kind kind, const uint8_t* bytes, size_t n, size_t streamBytes, std::string description);

    UnitState FState;
    std::vector<uint8_t> FBuffer;
    size_t FStart = 0;
    std::vector<uint8_t> FGarbage;
    size_t FGarbageCount = 0;
    FrameListener FListener;
};

}  // namespace unit_emulator
