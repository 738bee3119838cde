// TComboBox: known to the description reader by name.
#include <toolkit/ComboBox.h>
#include <toolkit/PropertyRegistry.h>

namespace {

[[maybe_unused]] const auto published = Publish<TComboBox>();

}  // namespace

TComboBox::TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
