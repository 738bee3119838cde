// The overlay unit's serial protocol: frames 0xDD 0xBB, length, body; read-back replies 0xBB 0xDD, length, body.
#pragma once

#include <win32/windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using Frame = std::vector<BYTE>;

// Longest text a frame carries; longer texts (only a hand-edited Config.ini holds them) are cut to this.
constexpr size_t MaxFrameText = 59;
// Clock commands.
constexpr BYTE ClockShow = 0x35;
constexpr BYTE ClockHide = 0x34;
// How long ReadChannel scans the input for a reply header, in milliseconds.
constexpr DWORD ReplyWindow = 500;
// How many bytes the reply scan still looks at once its window has passed.
constexpr size_t LateScanBytes = 256;
// Most reply bytes taken after the length byte.
constexpr BYTE MaxReplyLength = 64;

// Bits 7-6 group code (3, 2, 1 for groups 0, 1, 2), 5-2 row mod 16, 1 row >= 16, 0 the write flag (set only by 1).
BYTE CommandByte(BYTE group, BYTE row, BYTE writeFlag);

// sizeIndex -1 (none selected) sets both size bits.
Frame TextFrame(int group, int row, int x, int y, int sizeIndex, const std::string& text);
Frame ClearFrame(int row);
Frame ClockFrame(BYTE command, BYTE byte4, BYTE byte5, const SYSTEMTIME& now);
Frame ReadRequest(int group, int row);

// 1 = Monday ... 7 = Sunday.
int IsoWeekday(const SYSTEMTIME& date);
int IsoWeekday();

// The senders write one frame each on the open port, true when the port took all of it.
bool SendFrame(const Frame& frame);
bool SendTextFrame(int group, int row, int x, int y, int sizeIndex, const std::string& text);
bool SendClearFrame(int row);
// Reads the local date and time once for the frame.
bool SendClockFrame(BYTE command, BYTE byte4, BYTE byte5);
bool ShowClock();
bool HideClock();
bool SendReadRequest(int group, int row);

// One line of a channel as the unit reports it.
struct ChannelLine {
    std::string Text;
    BYTE X = 0;
    BYTE Y = 0;
    BYTE Size = 0;
};

// Asked between the slices of a wait whether to go on; a window passes one that processes its messages, so that
// it stays responsive and can be closed during the wait.
using TGoOn = std::function<bool()>;

// Waits milliseconds (none when negative) in slices of at most 20 ms, asking goOn (when given) after each;
// false as soon as goOn answers false.
bool SlicedWait(int milliseconds, const TGoOn& goOn);

// Discards the input waiting, sends a read-back request, waits WriteOrderWaitThenRead, then scans up to ReplyWindow
// ms for the reply. False when no reply header arrives (with no port open, after the same wait and window), when
// its length byte or body does not, when the length is below 3, or when the text holds a control byte or is not
// GBK text; false also when goOn ends the wait.
bool ReadChannel(int group, int row, ChannelLine& line, const TGoOn& goOn = nullptr);

// Reads bytes as ReadBytes does: true when all count bytes came; false otherwise, with a last error when they never
// will (the device has gone).
using TReadBytes = std::function<bool(void* buffer, int32_t count)>;

// The reply part of ReadChannel, over any byte source: skips bytes up to the header 0xBB 0xDD while they come within
// window ms, and up to LateScanBytes more that keep coming after it (none once a read brings nothing, or read
// reports an error), then takes the length byte and the body and checks them as ReadChannel says.
bool ReadReply(const TReadBytes& read, DWORD window, ChannelLine& line);
