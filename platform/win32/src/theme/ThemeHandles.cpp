// Open themes by handle. The values come from the platform's one handle table, which never reuses one, so a closed
// handle stays invalid and no handle of another kind is taken for a theme.
#include "theme/ThemeHandles.h"

#include "kernel/HandleTable.h"

#include <cstdint>
#include <map>
#include <mutex>

namespace win32::theme {
namespace {

struct Table {
    std::mutex mutex;
    std::map<uintptr_t, ThemeData> open;
};

Table& Handles() {
    static Table table;
    return table;
}

}  // namespace

HTHEME OpenThemeHandle(const ClassStyle& style, HWND window) {
    Table& table = Handles();
    std::lock_guard<std::mutex> lock(table.mutex);
    HTHEME theme = kernel::AllocateHandle(kernel::HandleKind::Theme);
    table.open[reinterpret_cast<uintptr_t>(theme)] = ThemeData{&style, window};
    return theme;
}

bool CloseThemeHandle(HTHEME theme) {
    Table& table = Handles();
    std::lock_guard<std::mutex> lock(table.mutex);
    if (table.open.erase(reinterpret_cast<uintptr_t>(theme)) == 0) return false;
    kernel::ReleaseHandle(theme);
    return true;
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
