// A theme's tables as a theme file may hold them (the first byte picks the table: fonts, colours, system colours,
// options): a table is read or refused with a read error, and a table that is read saves to a stream that reads
// back to the same stream.
#include "Fuzz.h"

#include <skin/GraphicsUnits.h>
#include <skin/ThemeColors.h>
#include <skin/ThemeFonts.h>
#include <skin/ThemeOptions.h>
#include <skin/ThemeSysColors.h>
#include <skin/ThemeUnits.h>

#include <toolkit/MemoryStream.h>
#include <toolkit/Stream.h>

#include <string>

namespace {

template <class Table>
std::string Saved(const Table& table) {
    TMemoryStream stream;
    table.SaveToStream(stream);
    return std::string(stream.Memory(), static_cast<size_t>(stream.Size()));
}

template <class Table>
void RoundTrip(const uint8_t* data, size_t size) {
    TMemoryStream stream;
    stream.Write(data, static_cast<int>(size));
    stream.SetPosition(0);
    Table table(nullptr);
    try {
        table.LoadFromStream(stream);
    } catch (const EReadError&) {
        return;
    }
    std::string first = Saved(table);
    TMemoryStream again;
    again.Write(first.data(), static_cast<int>(first.size()));
    again.SetPosition(0);
    Table copy(nullptr);
    copy.LoadFromStream(again);
    FUZZ_CHECK(Saved(copy) == first);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InitializeGraphicsUnits();
    InitializeThemeUnits();
    // Stopped in the reverse order before the platform's own tables go at exit, as a program stops them.
    std::atexit([] {
        FinalizeThemeUnits();
        FinalizeGraphicsUnits();
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    switch (data[0] % 4) {
    case 0: RoundTrip<TskThemeFonts>(data + 1, size - 1); break;
    case 1: RoundTrip<TskThemeColors>(data + 1, size - 1); break;
    case 2: RoundTrip<TskThemeSysColors>(data + 1, size - 1); break;
    default: RoundTrip<TskThemeOptions>(data + 1, size - 1); break;
    }
    return 0;
}
