// Tests' switches for the optional system modules and for visual styles, over the loader's own switches.
#include <testing/Testing.h>
#include <win32/modules.h>

namespace wintest {

bool SetModuleAvailable(const char* moduleName, bool available) {
    return win32::loader::SetModuleAvailable(moduleName, available);
}

bool SetExportAvailable(const char* moduleName, const char* procName, bool available) {
    return win32::loader::SetExportAvailable(moduleName, procName, available);
}

void SetVisualStylesActive(bool active) { win32::loader::SetVisualStylesActive(active); }

ScopedVisualStyles::ScopedVisualStyles(bool active) : FWas(win32::loader::VisualStylesActive()) {
    win32::loader::SetVisualStylesActive(active);
}

ScopedVisualStyles::~ScopedVisualStyles() { win32::loader::SetVisualStylesActive(FWas); }

}  // namespace wintest
