// TCustomFrame: construction and the frame's own description.
#include <toolkit/DescriptionResources.h>
#include <toolkit/Frame.h>
#include <toolkit/PropertyRegistry.h>

namespace {

[[maybe_unused]] const auto publishedFrame = Publish<TFrame>();

}  // namespace

TCustomFrame::TCustomFrame(TComponent* owner) : TScrollingWinControl(owner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 320, 240);
}

void TCustomFrame::InitInheritedComponent(const std::string& name) { ReadDescriptionResource(this, name); }
