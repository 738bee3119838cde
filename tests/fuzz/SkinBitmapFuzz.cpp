// The skin's bitmap streams as a theme file may hold them: a picture is read or refused with a read error, and a
// picture that is read saves to a stream that reads back to the same stream.
#include "Fuzz.h"

#include <skin/GraphicsUnits.h>
#include <skin/SkinBitmap.h>

#include <toolkit/MemoryStream.h>
#include <toolkit/Stream.h>

#include <string>

namespace {

std::string Saved(const TskBitmap& bitmap) {
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    return std::string(stream.Memory(), static_cast<size_t>(stream.Size()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InitializeGraphicsUnits();
    std::atexit(FinalizeGraphicsUnits);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream stream;
    stream.Write(data, static_cast<int>(size));
    stream.SetPosition(0);
    TskBitmap bitmap;
    try {
        bitmap.LoadFromStream(stream);
    } catch (const EReadError&) {
        return 0;
    }
    std::string first = Saved(bitmap);
    TMemoryStream again;
    again.Write(first.data(), static_cast<int>(first.size()));
    again.SetPosition(0);
    TskBitmap copy;
    copy.LoadFromStream(again);
    FUZZ_CHECK(Saved(copy) == first);
    return 0;
}
