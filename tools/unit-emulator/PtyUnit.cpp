// The emulator thread: poll on the line and on a wake-up eventfd, feed the engine, queue replies.
#include "PtyUnit.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace unit_emulator {
namespace {

using Clock = std::chrono::steady_clock;

std::string ErrnoText(const std::string& what) { return what + ": " + std::strerror(errno); }

bool SpeedFor(int baud, speed_t& speed) {
    static const struct {
        int baud;
        speed_t speed;
    } table[] = {{300, B300},       {600, B600},       {1200, B1200},    {2400, B2400},   {4800, B4800},
                 {9600, B9600},     {19200, B19200},   {38400, B38400},  {57600, B57600}, {115200, B115200},
                 {230400, B230400}, {460800, B460800}, {921600, B921600}};
    for (const auto& entry : table) {
        if (entry.baud == baud) {
            speed = entry.speed;
            return true;
        }
    }
    return false;
}

int MillisecondsUntil(Clock::time_point when, Clock::time_point now) {
    if (when <= now) return 0;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when - now).count() + 1;
    return static_cast<int>(std::min<long long>(ms, INT_MAX));
}

std::string ReadLink(const std::string& path) {
    char target[PATH_MAX];
    const ssize_t n = readlink(path.c_str(), target, sizeof target - 1);
    return n < 0 ? std::string() : std::string(target, static_cast<size_t>(n));
}

}  // namespace

PtyUnit::PtyUnit() {
    // The engine reports into the log under FMutex: Feed and Idle only run with it held.
    FEngine.SetFrameListener([this](const FrameRecord& record) {
        FFrames.push_back(record);
        FFresh.push_back(record);
    });
}

PtyUnit::~PtyUnit() { Stop(); }

bool PtyUnit::Start() {
    std::lock_guard<std::mutex> lock(FMutex);
    if (FThread.joinable()) {
        FError = "already started";
        return false;
    }
    FError.clear();
    FMaster = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (FMaster < 0) return Fail(ErrnoText("posix_openpt"));
    if (grantpt(FMaster) != 0) return Fail(ErrnoText("grantpt"));
    if (unlockpt(FMaster) != 0) return Fail(ErrnoText("unlockpt"));
    char name[128];
    if (ptsname_r(FMaster, name, sizeof name) != 0) return Fail(ErrnoText("ptsname_r"));
    FSlavePath = name;
    FSlave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (FSlave < 0) return Fail(ErrnoText("open " + FSlavePath));
    termios settings{};
    if (tcgetattr(FSlave, &settings) != 0) return Fail(ErrnoText("tcgetattr"));
    cfmakeraw(&settings);
    if (tcsetattr(FSlave, TCSANOW, &settings) != 0) return Fail(ErrnoText("tcsetattr"));
    return Launch();
}

bool PtyUnit::StartOnDevice(const std::string& path, int baud) {
    std::lock_guard<std::mutex> lock(FMutex);
    if (FThread.joinable()) {
        FError = "already started";
        return false;
    }
    FError.clear();
    speed_t speed = B0;
    if (baud != 0 && !SpeedFor(baud, speed)) return Fail("unsupported baud rate " + std::to_string(baud));
    FSlavePath = path;
    FMaster = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (FMaster < 0) return Fail(ErrnoText("open " + path));
    termios settings{};
    if (tcgetattr(FMaster, &settings) != 0) return Fail(ErrnoText("tcgetattr " + path));
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    if (baud != 0 && cfsetspeed(&settings, speed) != 0) return Fail(ErrnoText("cfsetspeed"));
    if (tcsetattr(FMaster, TCSANOW, &settings) != 0) return Fail(ErrnoText("tcsetattr " + path));
    return Launch();
}

bool PtyUnit::Launch() {
    const int flags = fcntl(FMaster, F_GETFL);
    if (flags < 0 || fcntl(FMaster, F_SETFL, flags | O_NONBLOCK) != 0) return Fail(ErrnoText("fcntl"));
    FWake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (FWake < 0) return Fail(ErrnoText("eventfd"));
    FStopRequested = false;
    FCloseRequested = false;
    FServing = true;
    FThread = std::thread([this] { Run(); });
    return true;
}

bool PtyUnit::Fail(const std::string& what) {
    FError = what;
    CloseLine();
    if (FWake >= 0) close(FWake);
    FWake = -1;
    FSlavePath.clear();
    return false;
}

void PtyUnit::CloseLine() {
    if (FMaster >= 0) close(FMaster);
    if (FSlave >= 0) close(FSlave);
    FMaster = -1;
    FSlave = -1;
    FOut.clear();
    FServing = false;
}

void PtyUnit::Stop() {
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FStopRequested = true;
    }
    Wake();
    if (FThread.joinable()) FThread.join();
    std::lock_guard<std::mutex> lock(FMutex);
    CloseLine();
    if (FWake >= 0) close(FWake);
    FWake = -1;
    if (!FLinkPath.empty() && ReadLink(FLinkPath) == FSlavePath) unlink(FLinkPath.c_str());
    FLinkPath.clear();
    FChanged.notify_all();
}

void PtyUnit::Wake() {
    std::lock_guard<std::mutex> lock(FMutex);
    if (FWake < 0) return;
    const uint64_t one = 1;
    // A full counter already means "wake up", so a failed write loses nothing.
    [[maybe_unused]] const ssize_t n = write(FWake, &one, sizeof one);
}

bool PtyUnit::Serving() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FServing;
}

std::string PtyUnit::Error() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FError;
}

std::string PtyUnit::SlavePath() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FSlavePath;
}

bool PtyUnit::LinkAs(const std::string& path) {
    std::lock_guard<std::mutex> lock(FMutex);
    if (FSlavePath.empty() || !FServing) {
        FError = "LinkAs: not serving";
        return false;
    }
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            FError = "LinkAs: " + path + " exists and is not a symbolic link";
            return false;
        }
        if (unlink(path.c_str()) != 0) return FError = ErrnoText("unlink " + path), false;
    }
    if (symlink(FSlavePath.c_str(), path.c_str()) != 0) return FError = ErrnoText("symlink " + path), false;
    if (!FLinkPath.empty() && FLinkPath != path && ReadLink(FLinkPath) == FSlavePath) unlink(FLinkPath.c_str());
    FLinkPath = path;
    return true;
}

UnitState PtyUnit::State() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FEngine.State();
}

std::string PtyUnit::DescribeState() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FEngine.DescribeState();
}

std::vector<FrameRecord> PtyUnit::Frames() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FFrames;
}

bool PtyUnit::WaitForFrames(size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(FMutex);
    return FChanged.wait_for(lock, timeout, [&] { return FFrames.size() >= count; });
}

void PtyUnit::SetFrameListener(UnitEmulator::FrameListener listener) {
    std::lock_guard<std::mutex> lock(FMutex);
    FFrameListener = std::move(listener);
}

void PtyUnit::SetWriteListener(WriteListener listener) {
    // Once replaced, the old listener is not running and never runs again: callers may free what it uses.
    std::lock_guard<std::recursive_mutex> calling(FListenerCall);
    std::lock_guard<std::mutex> lock(FMutex);
    FWriteListener = std::move(listener);
}

void PtyUnit::SetReplyHook(ReplyHook hook) {
    std::lock_guard<std::mutex> lock(FMutex);
    FHook = std::move(hook);
}

void PtyUnit::SetReplyDelay(std::chrono::milliseconds delay) {
    std::lock_guard<std::mutex> lock(FMutex);
    FReplyDelay = std::max(delay, std::chrono::milliseconds(0));
}

bool PtyUnit::SendRaw(const std::vector<uint8_t>& bytes) {
    {
        std::lock_guard<std::mutex> lock(FMutex);
        if (!FServing) return false;
        if (bytes.empty()) return true;
        FOut.push_back(Outgoing{Clock::now(), bytes, 0});
    }
    Wake();
    return true;
}

void PtyUnit::CloseMaster() {
    std::unique_lock<std::mutex> lock(FMutex);
    if (!FThread.joinable()) {
        CloseLine();
        return;
    }
    FCloseRequested = true;
    lock.unlock();
    Wake();
    lock.lock();
    FChanged.wait(lock, [&] { return !FCloseRequested || FStopRequested; });
}

void PtyUnit::Run() {
    std::vector<uint8_t> input(4096);
    Clock::time_point lastInput = Clock::now();
    for (;;) {
        int timeout = -1;
        bool wantWrite = false;
        int line;
        {
            std::lock_guard<std::mutex> lock(FMutex);
            if (FStopRequested) break;
            if (FCloseRequested) {
                CloseLine();
                FCloseRequested = false;
                FChanged.notify_all();
            }
            line = FMaster;
            const Clock::time_point now = Clock::now();
            if (!FOut.empty()) {
                if (FOut.front().due <= now) {
                    wantWrite = true;
                } else {
                    timeout = MillisecondsUntil(FOut.front().due, now);
                }
            }
            if (line >= 0 && FEngine.HasPending()) {
                const int idle = MillisecondsUntil(lastInput + kIdleTimeout, now);
                timeout = timeout < 0 ? idle : std::min(timeout, idle);
            }
        }

        pollfd fds[2] = {{FWake, POLLIN, 0}, {line, static_cast<short>(POLLIN | (wantWrite ? POLLOUT : 0)), 0}};
        const int ready = poll(fds, line >= 0 ? 2 : 1, timeout);
        if (ready < 0 && errno != EINTR) {
            std::lock_guard<std::mutex> lock(FMutex);
            FError = ErrnoText("poll");
            CloseLine();
            continue;
        }
        if (ready > 0 && (fds[0].revents & POLLIN)) {
            uint64_t count;
            [[maybe_unused]] const ssize_t n = read(FWake, &count, sizeof count);
        }
        if (line >= 0 && ready > 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
            const ssize_t n = read(line, input.data(), input.size());
            if (n > 0) {
                lastInput = Clock::now();
                HandleInput(input.data(), static_cast<size_t>(n), false);
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                // The unit holds a slave descriptor itself, so a pty never reports a hang-up here; this is
                // a device that went away.
                std::lock_guard<std::mutex> lock(FMutex);
                FError = n == 0 ? std::string("end of file on the line") : ErrnoText("read");
                CloseLine();
                continue;
            }
        }
        if (line >= 0 && ready > 0 && (fds[1].revents & POLLOUT) && !WriteFront()) continue;
        bool idle;
        {
            std::lock_guard<std::mutex> lock(FMutex);
            idle = FMaster >= 0 && FEngine.HasPending() && Clock::now() - lastInput >= kIdleTimeout;
        }
        if (idle) HandleInput(nullptr, 0, true);
    }
}

void PtyUnit::HandleInput(const uint8_t* data, size_t n, bool idle) {
    std::vector<UnitReply> replies;
    std::vector<FrameRecord> fresh;
    UnitEmulator::FrameListener frameListener;
    ReplyHook hook;
    std::chrono::milliseconds delay;
    {
        std::lock_guard<std::mutex> lock(FMutex);
        replies = idle ? FEngine.Idle() : FEngine.FeedReplies(data, n);
        fresh.swap(FFresh);
        frameListener = FFrameListener;
        hook = FHook;
        delay = FReplyDelay;
    }
    FChanged.notify_all();
    if (frameListener) {
        for (const FrameRecord& record : fresh) frameListener(record);
    }
    const Clock::time_point due = Clock::now() + delay;
    for (UnitReply& reply : replies) {
        if (hook) {
            std::optional<std::vector<uint8_t>> replaced = hook(reply.group, reply.row, reply.bytes);
            if (replaced) reply.bytes = std::move(*replaced);
        }
        if (reply.bytes.empty()) continue;
        std::lock_guard<std::mutex> lock(FMutex);
        if (FMaster >= 0) FOut.push_back(Outgoing{due, std::move(reply.bytes), 0});
    }
}

bool PtyUnit::WriteFront() {
    std::vector<uint8_t> done;
    WriteListener listener;
    {
        std::lock_guard<std::mutex> lock(FMutex);
        if (FOut.empty() || FMaster < 0) return true;
        Outgoing& front = FOut.front();
        const ssize_t n = write(FMaster, front.bytes.data() + front.written, front.bytes.size() - front.written);
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) return true;
            FError = ErrnoText("write");
            CloseLine();
            return false;
        }
        front.written += static_cast<size_t>(n);
        if (front.written < front.bytes.size()) return true;
        done = std::move(front.bytes);
        FOut.pop_front();
        listener = FWriteListener;
    }
    if (!listener) return true;
    std::lock_guard<std::recursive_mutex> calling(FListenerCall);
    // Replaced while this thread waited: the listener it copied is no longer wanted.
    {
        std::lock_guard<std::mutex> lock(FMutex);
        if (!FWriteListener) return true;
        listener = FWriteListener;
    }
    listener(done);
    return true;
}

}  // namespace unit_emulator
