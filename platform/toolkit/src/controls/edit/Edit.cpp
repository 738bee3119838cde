// TEdit: registered by name so that descriptions can create it; its properties are TCustomEdit's.
#include <toolkit/Edit.h>
#include <toolkit/PropertyRegistry.h>

namespace {

[[maybe_unused]] const auto published = Publish<TEdit>();

}  // namespace
