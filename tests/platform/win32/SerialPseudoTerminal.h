// A pseudo-terminal standing in for a serial device in the tests, linked as ports/comN beside the test program.
#pragma once

#include "TestSupport.h"

#include <win32/winbase.h>

#include <memory>
#include <string>
#include <vector>

class SerialPseudoTerminal {
public:
    // The test keeps a second slave descriptor open, so the master never sees a hang-up when a port closes.
    explicit SerialPseudoTerminal(int comNumber);
    ~SerialPseudoTerminal();
    SerialPseudoTerminal(const SerialPseudoTerminal&) = delete;
    SerialPseudoTerminal& operator=(const SerialPseudoTerminal&) = delete;

    const std::string& SlavePath() const { return FSlavePath; }
    int KeptSlave() const { return FSlave; }

    // The far end: what the unit would send and receive.
    void Send(const std::vector<BYTE>& bytes);
    // Up to count bytes, waiting at most timeoutMs for each further chunk.
    std::vector<BYTE> Receive(size_t count, int timeoutMs);
    // Makes the device vanish, as a pulled USB adapter does.
    void CloseMaster();

private:
    int FMaster = -1;
    int FSlave = -1;
    std::string FSlavePath;
    std::unique_ptr<testsupport::ScopedPortLink> FLink;
};

// Opens "\\.\COMn"-style names the way the program does: read and write, exclusive, synchronous.
HANDLE OpenPort(const char* name);
