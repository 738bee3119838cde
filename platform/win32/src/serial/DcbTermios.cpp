// DCB <-> termios mapping.
#include "DcbTermios.h"

namespace win32::serial {
namespace {

constexpr tcflag_t kControlMask = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CLOCAL | CREAD;
constexpr tcflag_t kInputMask =
    IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL | IUCLC | IXON | IXANY | IXOFF;
constexpr tcflag_t kLocalMask = ISIG | ICANON | ECHO | ECHOE | ECHOK | ECHONL | IEXTEN;

tcflag_t SizeFlag(BYTE byteSize) {
    switch (byteSize) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

BYTE ByteSizeOf(tcflag_t controlFlags) {
    switch (controlFlags & CSIZE) {
    case CS5: return 5;
    case CS6: return 6;
    case CS7: return 7;
    default: return 8;
    }
}

tcflag_t ParityFlags(BYTE parity) {
    switch (parity) {
    case ODDPARITY: return PARENB | PARODD;
    case EVENPARITY: return PARENB;
    // With CMSPAR the parity bit is constant: PARODD makes it 1 (mark), its absence 0 (space).
    case MARKPARITY: return PARENB | CMSPAR | PARODD;
    case SPACEPARITY: return PARENB | CMSPAR;
    default: return 0;
    }
}

BYTE ParityOf(tcflag_t controlFlags) {
    if (!(controlFlags & PARENB)) return NOPARITY;
    bool odd = controlFlags & PARODD;
    if (controlFlags & CMSPAR) return odd ? MARKPARITY : SPACEPARITY;
    return odd ? ODDPARITY : EVENPARITY;
}

}  // namespace

bool DcbIsSupported(const DCB& dcb) {
    if (dcb.BaudRate == 0) return false;
    if (dcb.ByteSize < 5 || dcb.ByteSize > 8) return false;
    if (dcb.Parity > SPACEPARITY || dcb.StopBits > TWOSTOPBITS) return false;
    if (dcb.ByteSize == 5 && dcb.StopBits == TWOSTOPBITS) return false;
    if (dcb.fOutxDsrFlow || dcb.fDtrControl == DTR_CONTROL_HANDSHAKE) return false;
    if (dcb.fRtsControl == RTS_CONTROL_TOGGLE) return false;
    if ((dcb.fOutX || dcb.fInX) && dcb.XonChar == dcb.XoffChar) return false;
    return true;
}

void DcbToTermios(const DCB& dcb, termios& settings) {
    settings.c_iflag &= ~kInputMask;
    if (dcb.fParity) settings.c_iflag |= INPCK;
    if (dcb.fOutX) settings.c_iflag |= IXON;
    if (dcb.fInX) settings.c_iflag |= IXOFF;

    settings.c_oflag &= ~OPOST;
    settings.c_lflag &= ~kLocalMask;

    settings.c_cflag &= ~kControlMask;
    settings.c_cflag |= CLOCAL | CREAD | SizeFlag(dcb.ByteSize) | ParityFlags(dcb.Parity);
    // A UART sends 1.5 stop bits for CSTOPB with 5 data bits and 2 otherwise; termios has no other way to ask.
    if (dcb.StopBits != ONESTOPBIT) settings.c_cflag |= CSTOPB;
    // The kernel has one switch for both directions of RTS/CTS handshaking.
    if (dcb.fOutxCtsFlow || dcb.fRtsControl == RTS_CONTROL_HANDSHAKE) settings.c_cflag |= CRTSCTS;

    settings.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
    settings.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);
    // Reads never block (the descriptor is non-blocking) and poll() reports a single byte; time-outs are ours.
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
}

void TermiosToDcb(const termios& settings, DCB& dcb) {
    dcb.ByteSize = ByteSizeOf(settings.c_cflag);
    dcb.Parity = ParityOf(settings.c_cflag);
    if (!(settings.c_cflag & CSTOPB))
        dcb.StopBits = ONESTOPBIT;
    else if (dcb.StopBits != ONE5STOPBITS)
        dcb.StopBits = TWOSTOPBITS;
    dcb.fParity = (settings.c_iflag & INPCK) ? 1 : 0;
    dcb.fOutX = (settings.c_iflag & IXON) ? 1 : 0;
    dcb.fInX = (settings.c_iflag & IXOFF) ? 1 : 0;
    if (settings.c_cflag & CRTSCTS) {
        if (!dcb.fOutxCtsFlow && dcb.fRtsControl != RTS_CONTROL_HANDSHAKE) {
            dcb.fOutxCtsFlow = 1;
            dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
        }
    } else {
        dcb.fOutxCtsFlow = 0;
        if (dcb.fRtsControl == RTS_CONTROL_HANDSHAKE) dcb.fRtsControl = RTS_CONTROL_ENABLE;
    }
    dcb.XonChar = static_cast<char>(settings.c_cc[VSTART]);
    dcb.XoffChar = static_cast<char>(settings.c_cc[VSTOP]);
}

bool SameLineSettings(const termios& wanted, const termios& actual) {
    return (wanted.c_cflag & kControlMask) == (actual.c_cflag & kControlMask) &&
           (wanted.c_iflag & kInputMask) == (actual.c_iflag & kInputMask) &&
           (wanted.c_oflag & OPOST) == (actual.c_oflag & OPOST) &&
           (wanted.c_lflag & kLocalMask) == (actual.c_lflag & kLocalMask) &&
           wanted.c_cc[VSTART] == actual.c_cc[VSTART] && wanted.c_cc[VSTOP] == actual.c_cc[VSTOP] &&
           wanted.c_cc[VMIN] == actual.c_cc[VMIN] && wanted.c_cc[VTIME] == actual.c_cc[VTIME];
}

}  // namespace win32::serial
