// Runs a UnitEmulator in a background thread on a new pseudo-terminal (or on an existing serial
// device), so that the application can open the slave side as if the unit were attached.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "UnitEmulator.h"

namespace unit_emulator {

class PtyUnit {
public:
    // Called on the emulator thread for each read-back request with the reply the unit would give.
    // nullopt sends that reply; a vector is sent instead of it (an empty one sends nothing).
    using ReplyHook =
        std::function<std::optional<std::vector<uint8_t>>(int group, int row, const std::vector<uint8_t>& normalReply)>;
    // Called on the emulator thread with the bytes of each write that reached the line.
    using WriteListener = std::function<void(const std::vector<uint8_t>&)>;

    // How long the line must stay quiet before an incomplete frame is given up as garbage.
    static constexpr std::chrono::milliseconds kIdleTimeout{150};

    PtyUnit();
    ~PtyUnit();
    PtyUnit(const PtyUnit&) = delete;
    PtyUnit& operator=(const PtyUnit&) = delete;

    // Creates a pseudo-terminal with a raw slave side and starts serving it. The unit keeps a slave
    // descriptor of its own open, so the application may close and reopen the slave at will.
    bool Start();
    // Serves an existing serial device instead, switched to raw mode; baud 0 keeps its speed.
    bool StartOnDevice(const std::string& path, int baud = 0);
    // Stops the thread (promptly, even in the middle of a reply delay), closes the descriptors and
    // removes the link made by LinkAs. Safe to call twice; the destructor calls it.
    void Stop();

    // True from a successful start until Stop, CloseMaster or a fatal line error.
    bool Serving() const;
    // Why the last start failed or serving ended, empty if it did not.
    std::string Error() const;
    // The slave side's path ("/dev/pts/N"), or the device path; empty before a start.
    std::string SlavePath() const;
    // Makes `path` a symbolic link to SlavePath(), replacing an existing symbolic link there (a
    // stale one from an earlier run); refuses to replace anything else. Removed at Stop.
    bool LinkAs(const std::string& path);

    UnitState State() const;
    std::string DescribeState() const;
    std::vector<FrameRecord> Frames() const;
    // Waits until the log holds at least `count` records; false on time-out.
    bool WaitForFrames(size_t count, std::chrono::milliseconds timeout) const;

    void SetFrameListener(UnitEmulator::FrameListener listener);
    void SetWriteListener(WriteListener listener);
    void SetReplyHook(ReplyHook hook);
    void SetReplyDelay(std::chrono::milliseconds delay);
    // Queues bytes for the application, in order with the replies; false when the line is gone.
    bool SendRaw(const std::vector<uint8_t>& bytes);
    // Closes the master and the unit's own slave descriptor, as if the device had vanished: the
    // application's reads and writes fail from then on. Waits until the thread has done it.
    void CloseMaster();

private:
    struct Outgoing {
        std::chrono::steady_clock::time_point due;
        std::vector<uint8_t> bytes;
        size_t written = 0;
    };

    bool Launch();
    bool Fail(const std::string& what);  // records why a start failed, closes everything, answers false
    void Run();
    void Wake();
    void HandleInput(const uint8_t* data, size_t n, bool idle);
    bool WriteFront();
    void CloseLine();  // with FMutex held

    mutable std::mutex FMutex;
    // Held while the write listener runs, and by SetWriteListener (the listener may replace itself).
    std::recursive_mutex FListenerCall;
    mutable std::condition_variable FChanged;
    UnitEmulator FEngine;
    std::vector<FrameRecord> FFrames;
    std::vector<FrameRecord> FFresh;
    std::deque<Outgoing> FOut;
    UnitEmulator::FrameListener FFrameListener;
    WriteListener FWriteListener;
    ReplyHook FHook;
    std::chrono::milliseconds FReplyDelay{0};

    int FMaster = -1;
    int FSlave = -1;
    int FWake = -1;
    std::string FSlavePath;
    std::string FLinkPath;
    std::string FError;
    bool FServing = false;
    bool FStopRequested = false;
    bool FCloseRequested = false;
    std::thread FThread;
};

}  // namespace unit_emulator
