// The library's units started in their order for the table tests, and stopped after them.
#include <skin/GraphicsUnits.h>

#include <UnitsEnvironment.h>

namespace {

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new UnitsEnvironment<InitializeGraphicsUnits, FinalizeGraphicsUnits>);

}  // namespace
