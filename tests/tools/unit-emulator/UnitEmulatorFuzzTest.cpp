// Random streams against the protocol engine: it must survive any bytes in any chunking, account
// for every byte, and find every valid frame that only rejectable bytes surround.
#include <gtest/gtest.h>

#include <random>

#include "FrameBuilder.h"
#include "TextFormat.h"
#include "UnitEmulator.h"

using namespace unit_emulator;
using namespace unit_emulator_test;

namespace {

using Rng = std::mt19937;

int Pick(Rng& rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

std::string RandomText(Rng& rng, int maxLength) {
    std::string text(static_cast<size_t>(Pick(rng, 0, maxLength)), '\0');
    for (char& c : text) c = static_cast<char>(Pick(rng, 0, 255));
    return text;
}

Bytes RandomFrame(Rng& rng) {
    switch (Pick(rng, 0, 3)) {
    case 0:
        return TextFrame(Pick(rng, 0, 2), Pick(rng, 0, 15), Pick(rng, 0, 255), Pick(rng, 0, 63), Pick(rng, 0, 3),
                         RandomText(rng, 59));
    case 1: return ClearFrame(Pick(rng, 0, 15));
    case 2: {
        std::string digits(14, '0');
        for (char& c : digits) c = static_cast<char>('0' + Pick(rng, 0, 9));
        return ClockFrame(Pick(rng, 0, 1) == 1, digits);
    }
    default: return ReadFrame(Pick(rng, 0, 2), Pick(rng, 0, 15));
    }
}

// Bytes rich in header bytes and small lengths, so that false starts are frequent.
Bytes Noise(Rng& rng, int maxLength) {
    Bytes bytes(static_cast<size_t>(Pick(rng, 0, maxLength)));
    for (uint8_t& b : bytes) {
        const int kind = Pick(rng, 0, 7);
        b = kind == 0   ? 0xDD
            : kind == 1 ? 0xBB
            : kind == 2 ? static_cast<uint8_t>(Pick(rng, 0, 20))
                        : Pick(rng, 0, 255);
    }
    return bytes;
}

// Garbage that the engine can reject without reading past it, so it can never swallow the start
// of the frame that follows.
Bytes RejectableGarbage(Rng& rng) {
    switch (Pick(rng, 0, 6)) {
    case 0: {
        // No header byte anywhere, and a first byte that is no length, should "DD BB" precede it.
        Bytes bytes(static_cast<size_t>(Pick(rng, 1, 30)));
        for (uint8_t& b : bytes) {
            do b = static_cast<uint8_t>(Pick(rng, 0, 255));
            while (b == 0xDD || b == 0xBB);
        }
        bytes[0] = static_cast<uint8_t>(std::max<int>(bytes[0], 63));
        return bytes;
    }
    case 1: return {0xDD};
    case 2: return {0xDD, 0xBB};
    case 3: return {0xDD, 0xBB, static_cast<uint8_t>(Pick(rng, 0, 1) ? 0 : Pick(rng, 63, 255))};
    case 4: return {0xDD, 0xBB, 0x01, static_cast<uint8_t>(Pick(rng, 0x30, 0xFF))};
    case 5: return {0xDD, 0xBB, static_cast<uint8_t>(Pick(rng, 2, 62)), static_cast<uint8_t>(Pick(rng, 0, 255) | 0x02)};
    default: return {0xDD, 0xBB, 0x11, 0x35, 0x00, 0x00, '1', '2', 'x'};
    }
}

struct FeedResult {
    Bytes replies;
    std::vector<FrameRecord> records;
    std::string state;
};

// Feeds the stream in random pieces (or whole, when rng is null), then lets the line go quiet.
FeedResult FeedInPieces(const Bytes& stream, Rng* rng) {
    FeedResult run;
    UnitEmulator engine;
    engine.SetFrameListener([&](const FrameRecord& record) { run.records.push_back(record); });
    size_t at = 0;
    while (at < stream.size()) {
        size_t piece = stream.size() - at;
        if (rng) piece = std::min(piece, static_cast<size_t>(Pick(*rng, 0, 3) == 0 ? 1 : Pick(*rng, 0, 70)));
        const Bytes replies = engine.Feed(stream.data() + at, piece);
        run.replies.insert(run.replies.end(), replies.begin(), replies.end());
        at += piece;
        if (rng && Pick(*rng, 0, 50) == 0) engine.DescribeState();
    }
    for (const UnitReply& reply : engine.Idle())
        run.replies.insert(run.replies.end(), reply.bytes.begin(), reply.bytes.end());
    EXPECT_FALSE(engine.HasPending());
    run.state = engine.DescribeState();
    return run;
}

std::vector<std::string> FrameHexes(const std::vector<FrameRecord>& records) {
    std::vector<std::string> out;
    for (const FrameRecord& record : records) {
        if (record.kind != FrameRecord::Kind::Garbage) out.push_back(record.hex);
    }
    return out;
}

size_t AccountedBytes(const std::vector<FrameRecord>& records) {
    size_t total = 0;
    for (const FrameRecord& record : records) total += record.streamBytes;
    return total;
}

TEST(EngineFuzz, AnyStreamInAnyChunkingIsFullyAccountedFor) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Rng rng(seed);
        Bytes stream;
        const int pieces = Pick(rng, 1, 40);
        for (int i = 0; i < pieces; ++i) {
            const Bytes part = Pick(rng, 0, 2) == 0 ? RandomFrame(rng) : Noise(rng, 80);
            stream.insert(stream.end(), part.begin(), part.end());
        }
        const FeedResult whole = FeedInPieces(stream, nullptr);
        const FeedResult chunked = FeedInPieces(stream, &rng);
        ASSERT_EQ(AccountedBytes(whole.records), stream.size());
        ASSERT_EQ(AccountedBytes(chunked.records), stream.size());
        ASSERT_EQ(FrameHexes(chunked.records), FrameHexes(whole.records));
        ASSERT_EQ(chunked.replies, whole.replies);
        ASSERT_EQ(chunked.state, whole.state);
        // Every frame the log reports is, on its own, the same valid frame again.
        for (const FrameRecord& record : whole.records) {
            if (record.kind == FrameRecord::Kind::Garbage) continue;
            std::vector<FrameRecord> again;
            UnitEmulator fresh;
            fresh.SetFrameListener([&](const FrameRecord& r) { again.push_back(r); });
            fresh.Feed(record.bytes);
            ASSERT_EQ(again.size(), 1u);
            ASSERT_EQ(again[0].description, record.description);
        }
    }
}

TEST(EngineFuzz, FramesBetweenRejectableGarbageAreAllFound) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Rng rng(seed);
        Bytes stream;
        Bytes framesOnly;
        std::vector<std::string> frameHexes;
        const int frames = Pick(rng, 1, 20);
        for (int i = 0; i < frames; ++i) {
            for (int g = Pick(rng, 0, 3); g > 0; --g) {
                const Bytes garbage = RejectableGarbage(rng);
                stream.insert(stream.end(), garbage.begin(), garbage.end());
            }
            const Bytes frame = RandomFrame(rng);
            stream.insert(stream.end(), frame.begin(), frame.end());
            framesOnly.insert(framesOnly.end(), frame.begin(), frame.end());
            frameHexes.push_back(HexBytes(frame.data(), frame.size()));
        }
        const FeedResult clean = FeedInPieces(framesOnly, nullptr);
        const FeedResult noisy = FeedInPieces(stream, &rng);
        ASSERT_EQ(FrameHexes(noisy.records), frameHexes);
        ASSERT_EQ(noisy.replies, clean.replies);
        ASSERT_EQ(noisy.state, clean.state);
    }
}

}  // namespace
