// BMP files as they may be found: a picture is read or refused as an invalid graphic, never anything else; a picture
// that is read saves to a file that reads back to the same picture.
#include "Fuzz.h"

#include <toolkit/Bitmap.h>
#include <toolkit/Graphics.h>
#include <toolkit/MemoryStream.h>

#include <string>

namespace {

std::string Saved(TBitmap& bitmap) {
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    return std::string(stream.Memory(), static_cast<size_t>(stream.Size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream stream;
    stream.Write(data, static_cast<int>(size));
    stream.SetPosition(0);
    TBitmap bitmap;
    try {
        bitmap.LoadFromStream(stream);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    std::string first = Saved(bitmap);
    TMemoryStream again;
    again.Write(first.data(), static_cast<int>(first.size()));
    again.SetPosition(0);
    TBitmap copy;
    copy.LoadFromStream(again);
    FUZZ_CHECK(copy.Width() == bitmap.Width() && copy.Height() == bitmap.Height());
    FUZZ_CHECK(Saved(copy) == first);
    return 0;
}
