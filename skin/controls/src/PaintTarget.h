// TskPaintTarget: where one paint of a skinned control goes, chosen by its Performance, and the copy of the
// buffered picture to the window afterwards.
#pragma once

#include <skin/SkControl.h>

#include <initializer_list>
#include <memory>

class TCanvas;
class TskBitmap;

// The Performance value names, as descriptions store them.
extern const std::initializer_list<const char*> PerformanceNames;

class TskPaintTarget {
public:
    // Points canvas at the buffer for a width × height paint, remembering the DC it was on. With keyFill the shared
    // buffer's area starts as the key pixel. A nested paint that asks for the shared buffer while another paint
    // holds it gets a buffer of its own.
    TskPaintTarget(TCanvas& canvas, TSkPerformance performance, int width, int height, bool keyFill);
    // Puts the canvas back on the remembered DC and frees a private buffer, also when painting failed.
    ~TskPaintTarget();
    TskPaintTarget(const TskPaintTarget&) = delete;
    TskPaintTarget& operator=(const TskPaintTarget&) = delete;

    // Copies the buffered picture to the remembered DC at (0, 0); nothing without a buffer.
    void CopyOut();

private:
    void MakePrivateBuffer();

    TCanvas& FCanvas;
    HDC FWindowDC;
    int FWidth;
    int FHeight;
    TskBitmap* FShared = nullptr;
    std::unique_ptr<TskBitmap> FPrivate;
    // The device-compatible buffer of screens under 24 bits per pixel.
    HDC FDeviceDC = nullptr;
    HBITMAP FDeviceBitmap = nullptr;
    HGDIOBJ FDeviceOld = nullptr;
};
