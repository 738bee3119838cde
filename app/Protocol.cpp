// Building and sending the unit's frames, and reading a line back.
#include "Protocol.h"

#include "Com.h"
#include "Settings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

BYTE GroupCode(BYTE group) {
    switch (group) {
    case 0: return 3;
    case 1: return 2;
    case 2: return 1;
    default: return 0;
    }
}

void AppendTwoDigits(Frame& frame, int value) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02d", value % 100);
    frame.push_back(static_cast<BYTE>(digits[0]));
    frame.push_back(static_cast<BYTE>(digits[1]));
}

// A text from the unit goes into Config.ini as a value: a control byte there could start a new line, section
// or key, and bytes that are no GBK text could not be shown or edited. Such a text is no readable line.
bool ReadableText(const BYTE* text, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if (text[i] < 0x20 || text[i] == 0x7F) return false;
    return length == 0 || MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(text),
                                              static_cast<int>(length), nullptr, 0) > 0;
}

bool PortOpen() { return reinterpret_cast<LONG_PTR>(PortHandle) > 0; }

}  // namespace

BYTE CommandByte(BYTE group, BYTE row, BYTE writeFlag) {
    unsigned value = GroupCode(group);
    value = value * 16 + row % 16;
    value = value * 2 + (row >= 16 ? 1 : 0);
    value = value * 2 + (writeFlag == 1 ? 1 : 0);
    return static_cast<BYTE>(value);
}

Frame TextFrame(int group, int row, int x, int y, int sizeIndex, const std::string& text) {
    size_t length = std::min(text.size(), MaxFrameText);
    BYTE buffer[6 + MaxFrameText] = {0xDD,
                                     0xBB,
                                     static_cast<BYTE>(length + 3),
                                     CommandByte(static_cast<BYTE>(group), static_cast<BYTE>(row), 1),
                                     static_cast<BYTE>(x),
                                     static_cast<BYTE>(sizeIndex * 64 + y)};
    std::copy_n(text.begin(), length, buffer + 6);
    return Frame(buffer, buffer + 6 + length);
}

Frame ClearFrame(int row) { return {0xDD, 0xBB, 0x03, CommandByte(0, static_cast<BYTE>(row), 0), 0x00, 0x00}; }

Frame ClockFrame(BYTE command, BYTE byte4, BYTE byte5, const SYSTEMTIME& now) {
    Frame frame = {0xDD, 0xBB, 0x11, command, byte4, byte5};
    AppendTwoDigits(frame, now.wSecond);
    AppendTwoDigits(frame, now.wMinute);
    AppendTwoDigits(frame, now.wHour);
    AppendTwoDigits(frame, now.wDay);
    AppendTwoDigits(frame, IsoWeekday(now));
    AppendTwoDigits(frame, now.wMonth);
    AppendTwoDigits(frame, now.wYear % 100);
    return frame;
}

Frame ReadRequest(int group, int row) { return {0xDD, 0xBB, 0x01, static_cast<BYTE>(group * 16 + row)}; }

int IsoWeekday(const SYSTEMTIME& date) {
    int weekday = date.wDayOfWeek;  // 0 = Sunday
    return weekday == 0 ? 7 : weekday;
}

int IsoWeekday() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return IsoWeekday(now);
}

bool SendFrame(const Frame& frame) { return WriteBytes(frame.data(), static_cast<BYTE>(frame.size())); }

bool SendTextFrame(int group, int row, int x, int y, int sizeIndex, const std::string& text) {
    return SendFrame(TextFrame(group, row, x, y, sizeIndex, text));
}

bool SendClearFrame(int row) { return SendFrame(ClearFrame(row)); }

bool SendClockFrame(BYTE command, BYTE byte4, BYTE byte5) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return SendFrame(ClockFrame(command, byte4, byte5, now));
}

bool ShowClock() { return SendClockFrame(ClockShow, 0, 0); }

bool HideClock() { return SendClockFrame(ClockHide, 0, 0); }

bool SendReadRequest(int group, int row) { return SendFrame(ReadRequest(group, row)); }

bool SlicedWait(int milliseconds, const TGoOn& goOn) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
    for (auto now = Clock::now(); now < end; now = Clock::now()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - now).count();
        Sleep(static_cast<DWORD>(std::min<long long>(left, 20)));
        if (goOn && !goOn()) return false;
    }
    return true;
}

bool ReadChannel(int group, int row, ChannelLine& line, const TGoOn& goOn) {
    // A reply that came after its own window closed must not answer this request.
    if (PortOpen()) PurgeComm(PortHandle, PURGE_RXCLEAR);
    SendReadRequest(group, row);
    if (!SlicedWait(WriteOrderWaitThenRead, goOn)) return false;

    // Without a port the window passes all the same: the operator sees the same timing either way.
    if (!PortOpen()) {
        Sleep(ReplyWindow);
        return false;
    }

    return ReadReply(ReadBytes, ReplyWindow, line);
}

bool ReadReply(const TReadBytes& read, DWORD window, ChannelLine& line) {
    // Bytes before the reply header are skipped. The window bounds the waiting for bytes: a read that brings nothing
    // after it has passed ends the scan. Bytes that keep coming once it has passed (they were waiting while the
    // program stalled, or the line is streaming noise) are still scanned, up to LateScanBytes of them.
    BYTE previous = 0, latest = 0;
    const DWORD start = GetTickCount();
    for (size_t late = 0; late < LateScanBytes;) {
        BYTE byte;
        SetLastError(ERROR_SUCCESS);
        const bool got = read(&byte, 1);
        const bool passed = GetTickCount() - start >= window;
        if (!got) {
            // A time-out reports no error; a device that has gone away does, and will not come back in this window.
            if (GetLastError() != ERROR_SUCCESS || passed) return false;
            continue;
        }
        previous = latest;
        latest = byte;
        if (previous == 0xBB && latest == 0xDD) break;
        if (passed) ++late;
    }
    if (previous != 0xBB || latest != 0xDD) return false;

    BYTE length;
    if (!read(&length, 1) || length < 3) return false;
    length = std::min(length, MaxReplyLength);
    BYTE body[MaxReplyLength + 1] = {};
    if (!read(body, length)) return false;
    body[length] = 0;

    // The text ends at the first zero; zeros may pad it to the end, but a zero with text after it is a damaged line.
    const BYTE* text = body + 3;
    const BYTE* end = body + length;
    const BYTE* zero = std::find(text, end, BYTE(0));
    if (std::any_of(zero, end, [](BYTE b) { return b != 0; })) return false;
    if (!ReadableText(text, static_cast<size_t>(zero - text))) return false;

    // body[0] is the unit's echo of the selector; nobody relies on it.
    line.X = body[1];
    line.Size = body[2] >> 6;
    line.Y = body[2] & 0x3F;
    line.Text.assign(reinterpret_cast<const char*>(text), static_cast<size_t>(zero - text));
    return true;
}
