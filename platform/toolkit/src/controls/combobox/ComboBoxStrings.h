// TComboBoxStrings: the string list a combo box owns; it tells the combo box about every change so that the
// selection stays on its item and the field and the open list repaint.
#pragma once

#include <toolkit/StringList.h>

class TCustomComboBox;

class TComboBoxStrings : public TStringList {
    TOOLKIT_CLASS(TComboBoxStrings, TStringList)

public:
    explicit TComboBoxStrings(TCustomComboBox& combo) : FCombo(combo) {}

    void Clear() override;
    void Delete(int index) override;
    void Exchange(int index1, int index2) override;
    void Sort() override;

protected:
    void InsertItem(int index, const std::string& s, TObject* object) override;
    void Changed() override;

private:
    TCustomComboBox& FCombo;
};
