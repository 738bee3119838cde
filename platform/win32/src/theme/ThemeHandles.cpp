// The handle table: positive handle values counted up from a base, never reused while the process runs, so a
// closed handle stays invalid.
#include "theme/ThemeHandles.h"

#include <cstdint>
#include <map>
#include <mutex>

namespace win32::theme {
namespace {

struct Table {
    std::mutex mutex;
    std::map<uintptr_t, ThemeData> open;
    uintptr_t next = 0x10000;
};

Table& Handles() {
    static Table table;
    return table;
}

}  // namespace

HTHEME OpenThemeHandle(const ClassStyle& style, HWND window) {
    Table& table = Handles();
    std::lock_guard<std::mutex> lock(table.mutex);
    uintptr_t value = table.next;
    table.next += 4;
    table.open[value] = ThemeData{&style, window};
    return reinterpret_cast<HTHEME>(value);
}

bool CloseThemeHandle(HTHEME theme) {
    Table& table = Handles();
    std::lock_guard<std::mutex> lock(table.mutex);
    return table.open.erase(reinterpret_cast<uintptr_t>(theme)) > 0;
}

bool LookupThemeHandle(HTHEME theme, ThemeData& data) {
    Table& table = Handles();
    std::lock_guard<std::mutex> lock(table.mutex);
    auto found = table.open.find(reinterpret_cast<uintptr_t>(theme));
    if (found == table.open.end()) return false;
    data = found->second;
    return true;
}

}  // namespace win32::theme
