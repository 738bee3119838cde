// TComboBox: the combo box that descriptions and programs create; its properties are TCustomComboBox's.
#pragma once

#include <toolkit/CustomComboBox.h>

class TComboBox : public TCustomComboBox {
    TOOLKIT_CLASS(TComboBox, TCustomComboBox)

public:
    // Out of line, so that using the class links its registration with the description reader.
    explicit TComboBox(TComponent* owner);
};
