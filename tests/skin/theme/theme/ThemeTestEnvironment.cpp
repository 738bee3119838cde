// The library's units started in their order for the theme tests, and stopped after them.
#include <skin/ThemeUnits.h>

#include <UnitsEnvironment.h>

namespace {

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new UnitsEnvironment<InitializeThemeUnits, FinalizeThemeUnits>);

}  // namespace
