// TPageControl: tab sheets on a tab strip; the active page shows, the others are hidden, and the focus follows
// the page that shows. Ctrl+Tab and Ctrl+Shift+Tab switch pages from anywhere inside the control.
#pragma once

#include <toolkit/CustomTabControl.h>
#include <toolkit/TabSheet.h>

#include <vector>

class TPageControl : public TCustomTabControl {
    TOOLKIT_CLASS(TPageControl, TCustomTabControl)

public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    // nullptr for an index out of range.
    TTabSheet* Pages(int index) const;
    // Setting it by code shows that sheet, hides the others and moves the focus out of a hidden sheet into the
    // new one; no OnChanging or OnChange. A sheet of another page control is ignored.
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
    // An index out of range leaves no page active.
    void SetActivePageIndex(int value) { SetActivePage(Pages(value)); }

    // The tab index of the active page (-1 while its tab is hidden); setting it activates that tab's page.
    int TabIndex() const override;
    void SetTabIndex(int value) override;

    // The page after (or before) current, wrapping around; only pages with a shown tab when checkTabVisible.
    // nullptr when there is none; current itself when it is the only candidate.
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible);
    // As the user would: OnChanging may veto, OnChange follows.
    void SelectNextPage(bool goForward, bool checkTabVisible = true);

protected:
    int TabCount() const override;
    std::string TabCaption(int index) const override;
    int TabImageIndex(int index) const override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    // Ctrl+PageDown / Ctrl+PageUp on the focused strip switch pages as Ctrl+Tab does.
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void PageTabChanged();
    TTabSheet* ShownTab(int tabIndex) const;
    void ChangeActivePage(TTabSheet* page);

    std::vector<TTabSheet*> FPages;  // in tab order; children, destroyed as children
    TTabSheet* FActivePage = nullptr;
};
