// Pseudo-terminal set-up for the serial port tests.
#include "SerialPseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>
#include <algorithm>
#include <stdexcept>

SerialPseudoTerminal::SerialPseudoTerminal(int comNumber) {
    FMaster = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (FMaster < 0 || grantpt(FMaster) != 0 || unlockpt(FMaster) != 0) throw std::runtime_error("no pty");
    FSlavePath = ptsname(FMaster);
    FSlave = open(FSlavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (FSlave < 0) throw std::runtime_error("no pty slave");
    FLink = std::make_unique<testsupport::ScopedPortLink>(comNumber, FSlavePath);
}

SerialPseudoTerminal::~SerialPseudoTerminal() {
    FLink.reset();
    if (FSlave >= 0) close(FSlave);
    CloseMaster();
}

void SerialPseudoTerminal::Send(const std::vector<BYTE>& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = write(FMaster, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<size_t>(n);
        } else {
            pollfd fd{FMaster, POLLOUT, 0};
            if (poll(&fd, 1, 2000) <= 0) throw std::runtime_error("pty master stuck");
        }
    }
}

std::vector<BYTE> SerialPseudoTerminal::Receive(size_t count, int timeoutMs) {
    std::vector<BYTE> bytes;
    while (bytes.size() < count) {
        pollfd fd{FMaster, POLLIN, 0};
        if (poll(&fd, 1, timeoutMs) <= 0) break;
        BYTE chunk[4096];
        ssize_t n = read(FMaster, chunk, std::min(sizeof(chunk), count - bytes.size()));
        if (n <= 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return bytes;
}

void SerialPseudoTerminal::CloseMaster() {
    if (FMaster >= 0) close(FMaster);
    FMaster = -1;
}

HANDLE OpenPort(const char* name) {
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}
