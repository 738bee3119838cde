// TCustomComboBox: a field with a button that drops down a list of ANSI strings, painted by the toolkit in the
// classic look. The field shows the selected item (csDropDownList) or holds text of its own (csDropDown).
#pragma once

#include <toolkit/CustomControl.h>
#include <toolkit/Strings.h>

#include <memory>
#include <string>

// csSimple and the owner-drawn styles are named so that descriptions parse; SetStyle refuses them.
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBoxStrings;
class TComboListWindow;

class TCustomComboBox : public TCustomControl {
    TOOLKIT_CLASS(TCustomComboBox, TCustomControl)

public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TComboBoxStyle Style() const { return FStyle; }
    // Raises EInvalidOperation for csSimple and the owner-drawn styles.
    void SetStyle(TComboBoxStyle value);
    // Owned; its changes repaint and keep ItemIndex on the same item (-1 when that item goes).
    TStrings* Items() const;
    void SetItems(const TStrings* value);
    // -1: nothing selected. Setting it by code fires no OnChange; out-of-range values become -1. In csDropDown the
    // text follows the selected item.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    // Rows the open list shows before it scrolls; at least 1.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value);
    // The height of a row of the list; 0 (the default) takes the font's height.
    int ItemHeight() const;
    void SetItemHeight(int value);
    bool DroppedDown() const;
    void SetDroppedDown(bool value);
    // csDropDownList: the selected item's text; setting it selects the first item equal to it (ASCII case
    // ignored) and leaves the selection as it was when there is none, as the system control refuses such a text.
    // csDropDown: the field's own text; setting it selects the item equal to it, or none.
    std::string GetText() const override;
    void SetText(const std::string& value) override;
    // Empties the list and the text.
    void Clear();

    void Paint() override;

    // The user changed the selection or the text.
    TNotifyEvent OnChange;
    // The user chose an item: with the keyboard on the closed field, or from the list.
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void CreateParams(TCreateParams& params) override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;

    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();

private:
    friend class TComboBoxStrings;
    friend class TComboListWindow;

    // Where the field's text starts, inside the highlight of the focused list field.
    static constexpr int kTextIndent = 3;

    // The item list's notifications.
    void ItemInserted(int index);
    void ItemDeleted(int index);
    void ItemsCleared();
    void ItemsExchanged(int index1, int index2);
    void ItemsChanged();

    // The user's selection: updates the text and fires OnChange, OnSelect and OnClick when it differs.
    void SelectByUser(int index);
    // A typed byte as a whole character: a lead byte waits for its trail (false), control characters are none.
    bool TakeTypedChar(char ch, std::string& character);
    // Sets the selection and, in csDropDown, the text; no events.
    void ApplyItemIndex(int value);
    void TextChanged();
    int FindItem(const std::string& text, bool prefix, int start) const;
    int FontHeight();
    RECT ButtonRect();
    RECT FieldRect();
    void OpenList();
    // accept: take the list's highlighted item as the selection.
    void CloseList(bool accept);
    bool HandleListKey(WORD key, TShiftState shift);
    void MoveSelection(int index);
    void MouseButtonDown(POINT pos);
    void MouseWheel(int delta);
    void SearchByChar(char ch);

    // The own edit field of csDropDown: byte text with a caret, code page 936 aware.
    void EditKeyDown(WORD& key);
    void EditChar(char ch);
    void EditTextChangedByUser();
    void UpdateCaret();
    int CaretX();

    TComboBoxStyle FStyle = csDropDown;
    std::unique_ptr<TComboBoxStrings> FItems;
    std::unique_ptr<TComboListWindow> FList;
    int FItemIndex = -1;
    bool FSorted = false;
    int FDropDownCount = 8;
    int FItemHeight = 0;
    std::string FEditText;
    size_t FCaret = 0;
    char FPendingLead = 0;  // the lead byte of a double-byte character typed as two WM_CHARs
    std::string FSearchLead;
    bool FButtonPushed = false;
    bool FCaretShown = false;
    // Read from a description before the items: applied in Loaded.
    int FLoadedItemIndex = -1;
    std::string FLoadedText;
    bool FHasLoadedText = false;
};
