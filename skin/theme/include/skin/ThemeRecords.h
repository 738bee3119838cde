// The records a control hands to a theme's drawing operations (text, window, state, part, image, window button,
// group and size grip), their codes and their builders.
#pragma once

#include <skin/SkinBitmap.h>
#include <win32/windows.h>

#include <cstdint>
#include <string>

class TCustomImageList;

// Where the text sits in its rectangle: columns left (0..2), centre (3..5), right (6..8); within each column
// top, vertically centred, bottom.
enum : std::uint8_t {
    txaTopLeft = 0,
    txaLeft = 1,
    txaBottomLeft = 2,
    txaTopCenter = 3,
    txaCenter = 4,
    txaBottomCenter = 5,
    txaTopRight = 6,
    txaRight = 7,
    txaBottomRight = 8
};

// TskTextInfo::TextFlags bits.
enum : std::uint8_t { tfRtlReading = 0x02, tfNoPrefix = 0x04, tfWordWrap = 0x08, tfSingleLine = 0x10 };

// TskTextInfo::Rotation: a quarter turn clockwise (reading top to bottom) or counter-clockwise.
enum : std::uint8_t { trNone = 0, trClockwise = 1, trCounterClockwise = 2 };

struct TskTextInfo {
    RECT Rect{0, 0, 0, 0};
    std::u16string Text;
    std::uint8_t Alignment = txaTopLeft;
    std::uint8_t TextFlags = 0;
    std::uint8_t Rotation = trNone;
    std::uint8_t Spare = 0;
};

// The alignment and flag bits that DrawText flags (DT_CENTER, DT_VCENTER, DT_RTLREADING, ...) stand for; no
// rotation. Flags without a counterpart (DT_CALCRECT, DT_END_ELLIPSIS, ...) are left out.
void MakeTextInfo(const RECT& rect, const std::u16string& text, UINT drawTextFlags, TskTextInfo& info);

// Window kinds, as the form component maps its border style.
enum : std::uint8_t { wkStandard = 0, wkDialog = 1, wkBorderOnly = 2, wkNoBorder = 4, wkToolWindow = 6 };

// Window button kinds; TskWindowInfo::Buttons has bit k set when kind k is present. 10 to 12 are reserved.
enum : std::uint8_t {
    wbSysMenu = 0,
    wbClose = 1,
    wbHelp = 2,
    wbMinimize = 3,
    wbRestoreMinimized = 4,
    wbMaximize = 5,
    wbRestoreMaximized = 6,
    wbRollUp = 7,
    wbRollDown = 8,
    wbTray = 9,
    wbLastKind = 12
};

// What a theme's WindowHitTest answers (the library's own codes, not HT*).
enum : int {
    whNowhere = 0,
    whCaption = 1,
    whLeft = 2,
    whTop = 3,
    whRight = 4,
    whBottom = 5,
    whTopLeft = 7,
    whTopRight = 8,
    whBottomLeft = 9,
    whBottomRight = 10,
    whClose = 11,
    whHelp = 12,
    whMinimize = 13,
    whMaximize = 14,
    whRoll = 15,
    whTray = 16,
    whSysMenu = 17
};

// TskWindowInfo::State bit.
enum : std::uint8_t { wsActive = 0x01 };

struct TskWindowInfo {
    RECT Rect{0, 0, 0, 0};
    std::uint8_t State = 0;
    std::uint16_t Buttons = 0;
    RECT Margins{0, 0, 0, 0};
    std::uint8_t Spare = 0;
    std::u16string Caption;
    BOOL DisabledNCArea = FALSE;

    bool HasButton(int kind) const { return kind >= 0 && kind < 16 && (Buttons >> kind & 1) != 0; }
};

void MakeWindowInfo(const RECT& rect, std::uint8_t state, const RECT& margins, TskWindowInfo& info, bool disabledNCArea,
                    const std::u16string& caption, std::uint16_t buttons);

// Button states; check boxes and other controls number their own states.
enum : std::uint8_t { bstNormal = 0, bstHot = 1, bstPressed = 2, bstDisabled = 3, bstFocused = 4, bstDefault = 6 };

struct TskStateRecord {
    RECT Rect{0, 0, 0, 0};
    std::uint8_t State = 0;
};

// Part (or glyph kind) and state; PartState reads both as one value, the part in the low byte.
struct TskPartRecord {
    RECT Rect{0, 0, 0, 0};
    std::uint8_t Part = 0;
    std::uint8_t State = 0;

    std::uint16_t PartState() const { return static_cast<std::uint16_t>(Part | State << 8); }
};

// TskImageRecord::Kind for the image operations: the bitmap at the rectangle's top-left, or stretched into it.
// ListBoxDrawCheck reads Kind as the check state instead.
enum : std::uint8_t { ikAtOrigin = 0, ikInRect = 1 };

struct TskImageRecord {
    RECT Rect{0, 0, 0, 0};
    TskBitmap* Bitmap = nullptr;  // not owned; nullptr draws nothing
    std::uint8_t Kind = ikAtOrigin;
};

struct TskWindowButtonRecord {
    RECT Rect{0, 0, 0, 0};
    std::uint8_t Kind = wbClose;
    std::uint8_t State = 0;     // 1 hot, 2 pressed
    TskBitmap* Icon = nullptr;  // the picture of wbSysMenu; not owned
};

struct TskGroupRecord {
    RECT Rect{0, 0, 0, 0};
    RECT BackRect{0, 0, 0, 0};
    std::uint8_t State = 0;
};

struct TskSizeGripRecord {
    RECT Rect{0, 0, 0, 0};
    std::uint8_t Sizeable = 0;
};

TskStateRecord MakeStateRecord(const RECT& rect, std::uint8_t state);
TskPartRecord MakePartRecord(const RECT& rect, std::uint8_t part, std::uint8_t state);
TskImageRecord MakeImageRecord(const RECT& rect, TskBitmap* bitmap, std::uint8_t kind);
// Image index of the list drawn into one bitmap shared by every such record (so a record is good until the next
// call), over the key colour wherever the list's mask leaves a pixel out; the record draws it at the rectangle's
// top-left. An index the list does not hold gives a record without a bitmap.
TskImageRecord MakeImageRecord(const RECT& rect, TCustomImageList& imageList, int index);
TskWindowButtonRecord MakeWindowButtonRecord(const RECT& rect, std::uint8_t kind, std::uint8_t state, TskBitmap* icon);
TskGroupRecord MakeGroupRecord(const RECT& rect, const RECT& backRect, std::uint8_t state);
TskSizeGripRecord MakeSizeGripRecord(const RECT& rect, bool sizeable);

// Frees the bitmap the image-list records share; the theme unit's finalisation calls it.
void FreeImageListBitmap();
