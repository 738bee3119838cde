// TEdit: the single-line edit as forms use it, with its properties published for descriptions.
#pragma once

#include <toolkit/CustomEdit.h>

class TEdit : public TCustomEdit {
    TOOLKIT_CLASS(TEdit, TCustomEdit)

public:
    using TCustomEdit::TCustomEdit;
};
