// The form tests use the toolkit's own button, and a bare container for nesting in descriptions.
#pragma once

#include <toolkit/Button.h>
#include <toolkit/Form.h>
#include <toolkit/PropertyRegistry.h>

// A container for nesting in descriptions.
class TFrmTestPanel : public TWinControl {
    TOOLKIT_CLASS(TFrmTestPanel, TWinControl)

public:
    explicit TFrmTestPanel(TComponent* owner) : TWinControl(owner) {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    }
};
