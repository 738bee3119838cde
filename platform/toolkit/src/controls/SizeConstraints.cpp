// TSizeConstraints: limits that keep their minimum and maximum consistent.
#include <toolkit/PropertyRegistry.h>
#include <toolkit/SizeConstraints.h>

#include <algorithm>

namespace {

[[maybe_unused]] const auto published =
    Publish<TSizeConstraints>()
        .Integer("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight)
        .Integer("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth)
        .Integer("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight)
        .Integer("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth);

}  // namespace

void TSizeConstraints::SetMaxHeight(int value) {
    value = std::max(value, 0);
    if (value == FMaxHeight) return;
    FMaxHeight = value;
    if (value > 0 && value < FMinHeight) FMinHeight = value;
    Change();
}

void TSizeConstraints::SetMaxWidth(int value) {
    value = std::max(value, 0);
    if (value == FMaxWidth) return;
    FMaxWidth = value;
    if (value > 0 && value < FMinWidth) FMinWidth = value;
    Change();
}

void TSizeConstraints::SetMinHeight(int value) {
    value = std::max(value, 0);
    if (value == FMinHeight) return;
    FMinHeight = value;
    if (FMaxHeight > 0 && value > FMaxHeight) FMaxHeight = value;
    Change();
}

void TSizeConstraints::SetMinWidth(int value) {
    value = std::max(value, 0);
    if (value == FMinWidth) return;
    FMinWidth = value;
    if (FMaxWidth > 0 && value > FMaxWidth) FMaxWidth = value;
    Change();
}

void TSizeConstraints::Assign(const TPersistent* source) {
    const auto* other = dynamic_cast<const TSizeConstraints*>(source);
    if (!other) {
        inherited::Assign(source);
        return;
    }
    FMinHeight = other->FMinHeight;
    FMaxHeight = other->FMaxHeight;
    FMinWidth = other->FMinWidth;
    FMaxWidth = other->FMaxWidth;
    Change();
}

void TSizeConstraints::Change() {
    if (OnChange) OnChange(this);
}
