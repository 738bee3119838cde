// Frame recognition, resynchronisation and execution for the emulated overlay unit.
#include "UnitEmulator.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "TextFormat.h"

namespace unit_emulator {
namespace {

constexpr uint8_t kHeader0 = 0xDD;
constexpr uint8_t kHeader1 = 0xBB;
constexpr uint8_t kClockShow = 0x35;
constexpr uint8_t kClockHide = 0x34;
constexpr size_t kClockBody = 17;
constexpr size_t kGarbageKept = 256;

// Group code in the command byte's top two bits: 3 is group 0, 2 group 1, 1 group 2.
int GroupFromCode(int code) { return 3 - code; }

// Decides from the length and the first body byte alone whether a frame can be valid, so that a
// bogus header is dropped at once instead of waiting for bytes that may never come.
bool Plausible(size_t length, uint8_t first) {
    if (length == 1) return (first >> 4) < UnitState::kGroups;
    if (length == kClockBody && (first == kClockShow || first == kClockHide)) return true;
    if (first & 0x02) return false;  // row 16 or more: this unit has 16 channels
    if (first & 0x01) return (first >> 6) != 0 && length >= 3;
    return length == 3;
}

int DigitPair(const uint8_t* p) { return (p[0] - '0') * 10 + (p[1] - '0'); }

}  // namespace

std::vector<uint8_t> UnitEmulator::Feed(const uint8_t* data, size_t n) {
    std::vector<uint8_t> out;
    for (const UnitReply& reply : FeedReplies(data, n)) out.insert(out.end(), reply.bytes.begin(), reply.bytes.end());
    return out;
}

std::vector<UnitReply> UnitEmulator::FeedReplies(const uint8_t* data, size_t n) {
    std::vector<UnitReply> replies;
    if (n != 0) FBuffer.insert(FBuffer.end(), data, data + n);
    Process(replies);
    FlushGarbage();
    return replies;
}

std::vector<UnitReply> UnitEmulator::Idle() {
    std::vector<UnitReply> replies;
    while (HasPending()) {
        SkipGarbage(1);
        Process(replies);
    }
    FlushGarbage();
    return replies;
}

void UnitEmulator::Process(std::vector<UnitReply>& replies) {
    for (;;) {
        const size_t avail = FBuffer.size() - FStart;
        if (avail == 0) break;
        const uint8_t* p = FBuffer.data() + FStart;
        if (p[0] != kHeader0) {
            const void* next = std::memchr(p + 1, kHeader0, avail - 1);
            SkipGarbage(next ? static_cast<size_t>(static_cast<const uint8_t*>(next) - p) : avail);
            continue;
        }
        if (avail < 2) break;
        if (p[1] != kHeader1) {
            SkipGarbage(1);
            continue;
        }
        if (avail < 3) break;
        const size_t length = p[2];
        if (length == 0 || length > kMaxBody) {
            SkipGarbage(1);
            continue;
        }
        if (avail < 4) break;
        if (!Plausible(length, p[3])) {
            SkipGarbage(1);
            continue;
        }
        if (avail < 3 + length) break;
        if (!Execute(p, 3 + length, replies)) {
            SkipGarbage(1);
            continue;
        }
        FStart += 3 + length;
    }
    // Keep the buffer from growing without bound over a long session.
    if (FStart == FBuffer.size()) {
        FBuffer.clear();
        FStart = 0;
    } else if (FStart > 4096) {
        FBuffer.erase(FBuffer.begin(), FBuffer.begin() + static_cast<std::ptrdiff_t>(FStart));
        FStart = 0;
    }
}

bool UnitEmulator::Execute(const uint8_t* frame, size_t length, std::vector<UnitReply>& replies) {
    const uint8_t* body = frame + 3;
    const size_t bodyLength = length - 3;
    char buffer[128];

    if (bodyLength == 1) {
        const int group = body[0] >> 4;
        const int row = body[0] & 15;
        FlushGarbage();
        std::snprintf(buffer, sizeof buffer, "read g%d ch%02d", group, row + 1);
        Log(FrameRecord::Kind::Read, frame, length, length, buffer);
        replies.push_back(UnitReply{group, row, ReplyFor(group, row)});
        return true;
    }

    if (bodyLength == kClockBody && (body[0] == kClockShow || body[0] == kClockHide)) {
        const uint8_t* digits = body + 3;
        for (int i = 0; i < 14; ++i) {
            if (digits[i] < '0' || digits[i] > '9') return false;
        }
        UnitClock& clock = FState.Clock();
        clock.shown = body[0] == kClockShow;
        clock.received = true;
        clock.seconds = DigitPair(digits);
        clock.minutes = DigitPair(digits + 2);
        clock.hours = DigitPair(digits + 4);
        clock.day = DigitPair(digits + 6);
        clock.weekday = DigitPair(digits + 8);
        clock.month = DigitPair(digits + 10);
        clock.year = DigitPair(digits + 12);
        FlushGarbage();
        std::snprintf(buffer, sizeof buffer, "clock %s 20%02d-%02d-%02d %02d:%02d:%02d weekday %d",
                      clock.shown ? "show" : "hide", clock.year, clock.month, clock.day, clock.hours, clock.minutes,
                      clock.seconds, clock.weekday);
        Log(FrameRecord::Kind::Clock, frame, length, length, buffer);
        return true;
    }

    const uint8_t command = body[0];
    const int code = command >> 6;
    const int row = (command >> 2) & 15;
    if (command & 0x02) return false;

    if (command & 0x01) {
        if (code == 0 || bodyLength < 3) return false;
        const int group = GroupFromCode(code);
        UnitLine& line = FState.Line(row, group);
        line.x = body[1];
        line.size = body[2] >> 6;
        line.y = body[2] & 63;
        line.text.assign(reinterpret_cast<const char*>(body + 3), bodyLength - 3);
        line.written = true;
        FlushGarbage();
        std::snprintf(buffer, sizeof buffer, "text g%d ch%02d x=%d y=%d size=%d ", group, row + 1, line.x, line.y,
                      line.size);
        Log(FrameRecord::Kind::Text, frame, length, length, buffer + ('"' + GbkToUtf8(line.text) + '"'));
        return true;
    }

    if (bodyLength != 3) return false;
    FState.ClearChannel(row);
    FlushGarbage();
    std::snprintf(buffer, sizeof buffer, "clear ch%02d", row + 1);
    Log(FrameRecord::Kind::Clear, frame, length, length, buffer);
    return true;
}

std::vector<uint8_t> UnitEmulator::ReplyFor(int group, int row) const {
    const UnitLine& line = FState.Line(row, group);
    const size_t textLength = std::min(line.text.size(), kMaxText);
    std::vector<uint8_t> reply;
    reply.reserve(6 + textLength);
    reply.push_back(kHeader1);
    reply.push_back(kHeader0);
    reply.push_back(static_cast<uint8_t>(3 + textLength));
    reply.push_back(static_cast<uint8_t>(group * 16 + row));
    reply.push_back(static_cast<uint8_t>(line.x));
    reply.push_back(static_cast<uint8_t>(line.size * 64 + line.y));
    reply.insert(reply.end(), line.text.begin(), line.text.begin() + static_cast<std::ptrdiff_t>(textLength));
    return reply;
}

void UnitEmulator::SkipGarbage(size_t count) {
    const uint8_t* p = FBuffer.data() + FStart;
    const size_t keep = std::min(count, kGarbageKept - std::min(kGarbageKept, FGarbage.size()));
    FGarbage.insert(FGarbage.end(), p, p + keep);
    FGarbageCount += count;
    FStart += count;
}

void UnitEmulator::FlushGarbage() {
    if (FGarbageCount == 0) return;
    const std::string description = "garbage: " + std::to_string(FGarbageCount) + " bytes skipped";
    Log(FrameRecord::Kind::Garbage, FGarbage.data(), FGarbage.size(), FGarbageCount, description);
    FGarbage.clear();
    FGarbageCount = 0;
}

void UnitEmulator::Log(FrameRecord::Kind kind, const uint8_t* bytes, size_t n, size_t streamBytes,
                       std::string description) {
    if (!FListener) return;
    FrameRecord record;
    record.kind = kind;
    record.bytes.assign(bytes, bytes + n);
    record.hex = HexBytes(bytes, n);
    record.description = std::move(description);
    record.streamBytes = streamBytes;
    FListener(record);
}

}  // namespace unit_emulator
