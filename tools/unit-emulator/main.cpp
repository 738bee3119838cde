// unit-emulator: plays the overlay unit on a new pseudo-terminal or on an existing serial device,
// printing every frame it receives; SIGUSR1 prints the unit's state, SIGINT/SIGTERM print it and exit.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "PtyUnit.h"
#include "TextFormat.h"

using namespace unit_emulator;

namespace {

std::mutex outputMutex;

void Print(const std::string& text) {
    std::lock_guard<std::mutex> lock(outputMutex);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

int Usage(const char* message) {
    std::fprintf(stderr, "unit-emulator: %s\nusage: unit-emulator [--link PATH] [--device PATH [--baud N]] [--quiet]\n",
                 message);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string linkPath;
    std::string devicePath;
    int baud = 0;
    bool quiet = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--link" || arg == "--device" || arg == "--baud") && i + 1 >= argc) {
            return Usage((arg + " needs a value").c_str());
        }
        if (arg == "--link") {
            linkPath = argv[++i];
        } else if (arg == "--device") {
            devicePath = argv[++i];
        } else if (arg == "--baud") {
            char* end = nullptr;
            baud = static_cast<int>(std::strtol(argv[++i], &end, 10));
            if (*end != '\0' || baud <= 0) return Usage("--baud needs a positive number");
        } else if (arg == "--quiet") {
            quiet = true;
        } else if (arg == "--help" || arg == "-h") {
            Usage("plays the overlay unit");
            return 0;
        } else {
            return Usage(("unknown argument " + arg).c_str());
        }
    }

    // Signals are taken from a signalfd on this thread; blocking them first also keeps them away
    // from the emulator thread, which inherits the mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGUSR1);
    if (pthread_sigmask(SIG_BLOCK, &signals, nullptr) != 0) return 1;
    signal(SIGPIPE, SIG_IGN);
    const int signalFd = signalfd(-1, &signals, SFD_CLOEXEC);
    if (signalFd < 0) {
        std::fprintf(stderr, "unit-emulator: signalfd: %s\n", std::strerror(errno));
        return 1;
    }

    PtyUnit unit;
    if (!quiet) {
        unit.SetFrameListener(
            [](const FrameRecord& record) { Print("frame " + record.hex + ": " + record.description + "\n"); });
        unit.SetWriteListener(
            [](const std::vector<uint8_t>& bytes) { Print("reply " + HexBytes(bytes.data(), bytes.size()) + "\n"); });
    }
    const bool started = devicePath.empty() ? unit.Start() : unit.StartOnDevice(devicePath, baud);
    if (!started) {
        std::fprintf(stderr, "unit-emulator: %s\n", unit.Error().c_str());
        return 1;
    }
    if (!linkPath.empty() && !unit.LinkAs(linkPath)) {
        std::fprintf(stderr, "unit-emulator: %s\n", unit.Error().c_str());
        return 1;
    }
    Print("unit-emulator: listening on " + unit.SlavePath() + "\n");
    if (!linkPath.empty()) Print("unit-emulator: linked as " + linkPath + "\n");

    for (;;) {
        // The time-out only notices a line that failed (a device unplugged); signals wake us at once.
        pollfd fd{signalFd, POLLIN, 0};
        const int ready = poll(&fd, 1, 1000);
        if (ready > 0) {
            signalfd_siginfo info{};
            if (read(signalFd, &info, sizeof info) != static_cast<ssize_t>(sizeof info)) continue;
            Print(unit.DescribeState());
            if (info.ssi_signo == SIGUSR1) continue;
            unit.Stop();
            return 0;
        }
        if (!unit.Serving()) {
            std::fprintf(stderr, "unit-emulator: line lost: %s\n", unit.Error().c_str());
            Print(unit.DescribeState());
            unit.Stop();
            return 1;
        }
    }
}
