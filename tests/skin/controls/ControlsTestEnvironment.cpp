// The skinning library's units, up to the controls unit, around the controls' tests.
#include <skin/ControlsUnit.h>

#include <UnitsEnvironment.h>

namespace {

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new UnitsEnvironment<InitializeControlsUnits, FinalizeControlsUnits>);

}  // namespace
