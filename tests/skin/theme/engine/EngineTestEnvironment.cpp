// The library's units started for the engine tests, with the two theme classes of these tests registered after
// the base theme.
#include "EngineTestSupport.h"

#include <skin/ThemeUnits.h>

#include <UnitsEnvironment.h>

namespace {

void StartUnits() {
    InitializeThemeUnits();
    ThemeManager()->RegisterThemeClass(enginetest::FlatTheme::ThemeClassRef());
    ThemeManager()->RegisterThemeClass(enginetest::StoredTheme::ThemeClassRef());
}

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new UnitsEnvironment<StartUnits, FinalizeThemeUnits>);

}  // namespace
