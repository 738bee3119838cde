// The DCB-to-termios mapping itself, for what a pseudo-terminal cannot show (it ignores size and parity).
#include "../../../platform/win32/src/serial/DcbTermios.h"

#include <gtest/gtest.h>

namespace {

using win32::serial::DcbToTermios;
using win32::serial::TermiosToDcb;

DCB Line(BYTE byteSize, BYTE parity, BYTE stopBits) {
    DCB dcb{};
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = byteSize;
    dcb.Parity = parity;
    dcb.StopBits = stopBits;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    return dcb;
}

// A cooked terminal, as a device might come.
termios Cooked() {
    termios settings{};
    settings.c_iflag = ICRNL | IXON | IXANY | ISTRIP | BRKINT;
    settings.c_oflag = OPOST | ONLCR;
    settings.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    settings.c_cflag = CS7 | PARENB | HUPCL;
    return settings;
}

TEST(SerialDcbTermiosTest, LineShapesMapBothWays) {
    struct Case {
        BYTE byteSize, parity, stopBits;
        tcflag_t expected;
    };
    const Case cases[] = {
        {8, NOPARITY, ONESTOPBIT, CS8},
        {7, ODDPARITY, ONESTOPBIT, CS7 | PARENB | PARODD},
        {6, EVENPARITY, TWOSTOPBITS, CS6 | PARENB | CSTOPB},
        {8, MARKPARITY, ONESTOPBIT, CS8 | PARENB | CMSPAR | PARODD},
        {5, SPACEPARITY, ONE5STOPBITS, CS5 | PARENB | CMSPAR | CSTOPB},
        {8, NOPARITY, ONE5STOPBITS, CS8 | CSTOPB},
    };
    const tcflag_t shape = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB;
    for (const auto& c : cases) {
        DCB wanted = Line(c.byteSize, c.parity, c.stopBits);
        termios settings = Cooked();
        DcbToTermios(wanted, settings);
        EXPECT_EQ(c.expected, settings.c_cflag & shape) << int(c.byteSize) << int(c.parity) << int(c.stopBits);
        DCB back = Line(8, NOPARITY, c.stopBits);
        TermiosToDcb(settings, back);
        EXPECT_EQ(c.byteSize, back.ByteSize);
        EXPECT_EQ(c.parity, back.Parity);
        EXPECT_EQ(c.stopBits, back.StopBits);
    }
}

TEST(SerialDcbTermiosTest, LineIsRawWithOnlyTheFlowControlAskedFor) {
    termios settings = Cooked();
    DcbToTermios(Line(8, NOPARITY, ONESTOPBIT), settings);
    EXPECT_EQ(0u, settings.c_iflag & (ICRNL | IXON | IXOFF | IXANY | ISTRIP | BRKINT | INPCK));
    EXPECT_EQ(0u, settings.c_oflag & OPOST);
    EXPECT_EQ(0u, settings.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
    EXPECT_EQ(tcflag_t(CLOCAL | CREAD), settings.c_cflag & (CLOCAL | CREAD | CRTSCTS));
    EXPECT_EQ(1, settings.c_cc[VMIN]);
    EXPECT_EQ(0, settings.c_cc[VTIME]);

    DCB flow = Line(8, EVENPARITY, ONESTOPBIT);
    flow.fParity = 1;
    flow.fOutX = 1;
    flow.fInX = 1;
    flow.fRtsControl = RTS_CONTROL_HANDSHAKE;
    DcbToTermios(flow, settings);
    EXPECT_EQ(tcflag_t(IXON | IXOFF | INPCK), settings.c_iflag & (IXON | IXOFF | INPCK));
    EXPECT_TRUE(settings.c_cflag & CRTSCTS);
    EXPECT_EQ(0x11, settings.c_cc[VSTART]);
    EXPECT_EQ(0x13, settings.c_cc[VSTOP]);
}

}  // namespace
