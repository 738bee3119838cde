// TComboBoxStrings: each change is passed to the combo box after the list has made it.
#include "ComboBoxStrings.h"

#include <toolkit/CustomComboBox.h>

void TComboBoxStrings::Clear() {
    inherited::Clear();
    FCombo.ItemsCleared();
}

void TComboBoxStrings::Delete(int index) {
    inherited::Delete(index);
    FCombo.ItemDeleted(index);
}

void TComboBoxStrings::Exchange(int index1, int index2) {
    inherited::Exchange(index1, index2);
    FCombo.ItemsExchanged(index1, index2);
}

void TComboBoxStrings::Sort() {
    // Sorting moves items without telling which went where: the selection follows its string.
    int selected = FCombo.ItemIndex();
    std::string text = selected >= 0 && selected < Count() ? Strings(selected) : std::string();
    inherited::Sort();
    if (selected < 0) return;
    for (int i = 0; i < Count(); ++i)
        if (Strings(i) == text) {
            FCombo.FItemIndex = i;
            break;
        }
    FCombo.ItemsChanged();
}

void TComboBoxStrings::InsertItem(int index, const std::string& s, TObject* object) {
    inherited::InsertItem(index, s, object);
    FCombo.ItemInserted(index);
}

void TComboBoxStrings::Changed() {
    inherited::Changed();
    if (UpdateCount() == 0) FCombo.ItemsChanged();
}
