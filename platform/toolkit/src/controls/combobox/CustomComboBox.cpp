// TCustomComboBox: properties, the item list's bookkeeping, the selection and its events, opening and closing the
// list, the messages, and the classic painting of field and button.
#include <toolkit/CustomComboBox.h>
#include <toolkit/PropertyRegistry.h>
#include <toolkit/SysUtils.h>

#include "ComboBoxStrings.h"
#include "ComboListWindow.h"

#include <algorithm>

namespace {

[[maybe_unused]] const auto published =
    Publish<TCustomComboBox>()
        .Enumeration("Style", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"},
                     &TCustomComboBox::Style, &TCustomComboBox::SetStyle, csDropDown)
        .Strings("Items", &TCustomComboBox::Items)
        .Integer("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex, -1)
        .Boolean("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted)
        .Integer("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount, 8)
        .Integer("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight, 0)
        .Color("Color", &TCustomComboBox::Color, &TCustomComboBox::SetColor, clWindow)
        .Boolean("ParentColor", &TCustomComboBox::ParentColor, &TCustomComboBox::SetParentColor, false)
        .Boolean("TabStop", &TCustomComboBox::TabStop, &TCustomComboBox::SetTabStop, true)
        .Event("OnChange", &TCustomComboBox::OnChange)
        .Event("OnSelect", &TCustomComboBox::OnSelect)
        .Event("OnDropDown", &TCustomComboBox::OnDropDown)
        .Event("OnCloseUp", &TCustomComboBox::OnCloseUp);

}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TCustomControl(owner),
      FItems(std::make_unique<TComboBoxStrings>(*this)),
      FList(std::make_unique<TComboListWindow>(*this)) {
    // No csCaptureMouse: the open list takes the capture as soon as the button goes down.
    SetControlStyle(TControlStyle{csOpaque, csDoubleClicks});
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox() {
    // No events from a dying control: the list just goes.
    FList->Close();
}

TStrings* TCustomComboBox::Items() const { return FItems.get(); }

void TCustomComboBox::SetItems(const TStrings* value) { FItems->Assign(value); }

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
    if (value != csDropDown && value != csDropDownList)
        throw EInvalidOperation("Combo box style " + std::to_string(static_cast<int>(value)) + " is not supported");
    if (value == FStyle) return;
    CloseList(false);
    std::string text = GetText();
    FStyle = value;
    if (FStyle == csDropDown) {
        FEditText = text;
        FCaret = FEditText.size();
    } else {
        FEditText.clear();
        FPendingLead = 0;
    }
    if (Focused()) {
        // The focused look differs: a caret in the edit field, a highlight in the list field.
        if (FStyle == csDropDown)
            Perform(WM_SETFOCUS);
        else if (FCaretShown) {
            DestroyCaret();
            FCaretShown = false;
        }
    }
    Invalidate();
}

void TCustomComboBox::SetItemIndex(int value) {
    if (ComponentState().Contains(csLoading)) {
        FLoadedItemIndex = value;
        return;
    }
    ApplyItemIndex(value);
}

void TCustomComboBox::ApplyItemIndex(int value) {
    if (value < -1 || value >= FItems->Count()) value = -1;
    std::string oldText = GetText();
    FItemIndex = value;
    if (FStyle == csDropDown) {
        // The edit field takes the item's text, as the system control's edit does.
        FEditText = value >= 0 ? FItems->Strings(value) : std::string();
        FCaret = FEditText.size();
    }
    if (DroppedDown()) FList->SetHotIndex(value);
    Invalidate();
    if (GetText() != oldText) TextChanged();
}

void TCustomComboBox::SetSorted(bool value) {
    if (value == FSorted) return;
    FSorted = value;
    FItems->SetSorted(value);
}

void TCustomComboBox::SetDropDownCount(int value) {
    value = std::max(value, 1);
    if (value == FDropDownCount) return;
    FDropDownCount = value;
    FList->ItemsChanged();
}

int TCustomComboBox::ItemHeight() const {
    return FItemHeight > 0 ? FItemHeight : const_cast<TCustomComboBox*>(this)->FontHeight();
}

void TCustomComboBox::SetItemHeight(int value) {
    value = std::max(value, 0);
    if (value == FItemHeight) return;
    FItemHeight = value;
    FList->ItemsChanged();
}

int TCustomComboBox::FontHeight() { return std::max(1, Font()->TextHeight()); }

bool TCustomComboBox::DroppedDown() const { return FList->Handle() != nullptr; }

void TCustomComboBox::SetDroppedDown(bool value) {
    if (value)
        OpenList();
    else
        CloseList(false);
}

std::string TCustomComboBox::GetText() const {
    if (FStyle == csDropDown) return FEditText;
    return FItemIndex >= 0 && FItemIndex < FItems->Count() ? FItems->Strings(FItemIndex) : std::string();
}

void TCustomComboBox::SetText(const std::string& value) {
    if (ComponentState().Contains(csLoading)) {
        FLoadedText = value;
        FHasLoadedText = true;
        return;
    }
    if (FStyle == csDropDownList) {
        int index = FindItem(value, false, 0);
        if (index >= 0) ApplyItemIndex(index);
        return;
    }
    if (value == FEditText) return;
    FEditText = value;
    FCaret = FEditText.size();
    FPendingLead = 0;
    FItemIndex = FindItem(value, false, 0);
    if (DroppedDown()) FList->SetHotIndex(FItemIndex);
    TextChanged();
}

void TCustomComboBox::Clear() {
    FItems->Clear();
    SetText(std::string());
}

void TCustomComboBox::Loaded() {
    inherited::Loaded();
    // The description names Text and ItemIndex before the items; both wait until the items are there, and the
    // index wins.
    if (FHasLoadedText) SetText(FLoadedText);
    FHasLoadedText = false;
    if (FLoadedItemIndex >= 0) SetItemIndex(FLoadedItemIndex);
    FLoadedItemIndex = -1;
}

int TCustomComboBox::FindItem(const std::string& text, bool prefix, int start) const {
    int count = FItems->Count();
    for (int k = 0; k < count; ++k) {
        int i = (start + k) % count;
        std::string item = FItems->Strings(i);
        if (prefix ? item.size() >= text.size() && AnsiSameText(item.substr(0, text.size()), text)
                   : AnsiSameText(item, text))
            return i;
    }
    return -1;
}

void TCustomComboBox::TextChanged() {
    Invalidate();
    UpdateCaret();
    Perform(CM_TEXTCHANGED);
}

// --- the item list's notifications ---

void TCustomComboBox::ItemInserted(int index) {
    if (FItemIndex >= index) ++FItemIndex;
}

void TCustomComboBox::ItemDeleted(int index) {
    if (FItemIndex == index) {
        FItemIndex = -1;
        if (FStyle == csDropDownList) TextChanged();
    } else if (FItemIndex > index) {
        --FItemIndex;
    }
}

void TCustomComboBox::ItemsCleared() {
    bool hadSelection = FItemIndex >= 0;
    FItemIndex = -1;
    if (hadSelection && FStyle == csDropDownList) TextChanged();
}

void TCustomComboBox::ItemsExchanged(int index1, int index2) {
    if (FItemIndex == index1)
        FItemIndex = index2;
    else if (FItemIndex == index2)
        FItemIndex = index1;
}

void TCustomComboBox::ItemsChanged() {
    Invalidate();
    FList->ItemsChanged();
}

// --- selection and events ---

void TCustomComboBox::SelectByUser(int index) {
    if (index < 0 || index >= FItems->Count()) return;
    if (index == FItemIndex && GetText() == FItems->Strings(index)) return;
    ApplyItemIndex(index);
    Click();
    Select();
    Change();
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect) OnSelect(this);
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::OpenList() {
    if (DroppedDown() || !Enabled() || !Visible()) return;
    HandleNeeded();
    // OnDropDown may still fill the list.
    DropDown();
    if (DroppedDown() || !HandleAllocated()) return;
    int hot = FItemIndex;
    if (hot < 0 && FStyle == csDropDown && !FEditText.empty()) hot = FindItem(FEditText, true, 0);
    if (!FList->Open(hot)) return;
    Invalidate();
}

void TCustomComboBox::CloseList(bool accept) {
    if (!DroppedDown()) return;
    int hot = FList->HotIndex();
    FList->Close();
    FButtonPushed = false;
    Invalidate();
    if (accept && hot >= 0) SelectByUser(hot);
    CloseUp();
}

// --- messages ---

void TCustomComboBox::CreateParams(TCreateParams& params) {
    inherited::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CLIENTEDGE;
    params.WindowClass.style |= CS_DBLCLKS;
}

void TCustomComboBox::DestroyWnd() {
    CloseList(false);
    inherited::DestroyWnd();
}

void TCustomComboBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        // Enter and Esc belong to the open list, not to the form's default and cancel buttons.
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (DroppedDown() ? DLGC_WANTALLKEYS : 0);
        return;
    case WM_GETTEXTLENGTH: message.Result = static_cast<LRESULT>(GetText().size()); return;
    case WM_GETTEXT: {
        std::string text = GetText();
        auto size = static_cast<size_t>(message.WParam);
        auto* buffer = reinterpret_cast<char*>(message.LParam);
        if (!buffer || size == 0) {
            message.Result = 0;
            return;
        }
        size_t count = std::min(text.size(), size - 1);
        std::copy_n(text.data(), count, buffer);
        buffer[count] = '\0';
        message.Result = static_cast<LRESULT>(count);
        return;
    }
    case WM_SETTEXT: {
        const auto* text = reinterpret_cast<const char*>(message.LParam);
        SetText(text ? text : "");
        message.Result = TRUE;
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        inherited::WndProc(message);
        MouseButtonDown(message.Pos());
        return;
    case WM_MOUSEWHEEL:
        MouseWheel(static_cast<short>(HIWORD(message.WParam)));
        message.Result = 1;
        return;
    case WM_SETFOCUS:
        inherited::WndProc(message);
        Invalidate();
        if (FStyle == csDropDown && HandleAllocated()) {
            CreateCaret(Handle(), nullptr, 1, FontHeight());
            FCaretShown = true;
            UpdateCaret();
            ShowCaret(Handle());
        }
        return;
    case WM_KILLFOCUS:
        CloseList(false);
        if (FCaretShown) {
            DestroyCaret();
            FCaretShown = false;
        }
        FPendingLead = 0;
        inherited::WndProc(message);
        Invalidate();
        return;
    case WM_CANCELMODE: CloseList(false); break;
    case CM_ENABLEDCHANGED:
        if (!Enabled()) CloseList(false);
        break;
    case CM_VISIBLECHANGED:
        if (!Visible()) CloseList(false);
        break;
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
        inherited::WndProc(message);
        Invalidate();
        UpdateCaret();
        FList->ItemsChanged();
        return;
    default: break;
    }
    inherited::WndProc(message);
}

// --- painting ---

RECT TCustomComboBox::ButtonRect() {
    RECT client = ClientRect();
    int width = std::min<int>(GetSystemMetrics(SM_CXVSCROLL), client.right);
    return RECT{client.right - width, 0, client.right, client.bottom};
}

RECT TCustomComboBox::FieldRect() {
    RECT field = ClientRect();
    field.right = ButtonRect().left;
    return field;
}

void TCustomComboBox::Paint() {
    TCanvas* canvas = Canvas();
    bool enabled = Enabled();
    RECT field = FieldRect();
    canvas->Brush().SetColor(enabled ? Color() : clBtnFace);
    canvas->FillRect(field);
    canvas->SetFont(*Font());
    HDC dc = canvas->Handle();

    RECT textRect = field;
    InflateRect(&textRect, -1, -1);
    bool highlighted = FStyle == csDropDownList && enabled && Focused();
    COLORREF textColor = ColorToRGB(Font()->Color());
    if (!enabled)
        textColor = GetSysColor(COLOR_GRAYTEXT);
    else if (highlighted) {
        FillRect(dc, &textRect, GetSysColorBrush(COLOR_HIGHLIGHT));
        textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    std::string text = GetText();
    RECT inner{kTextIndent, textRect.top, textRect.right - 1, textRect.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColor);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (highlighted) DrawFocusRect(dc, &textRect);

    RECT button = ButtonRect();
    UINT state = DFCS_SCROLLCOMBOBOX | (FButtonPushed ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE);
    DrawFrameControl(dc, &button, DFC_SCROLL, state);
}
