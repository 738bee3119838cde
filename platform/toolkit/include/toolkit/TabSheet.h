// TTabSheet: one page of a page control, a container shown while it is the active page; its tab may be hidden.
#pragma once

#include <toolkit/WinControl.h>

class TPageControl;

class TTabSheet : public TWinControl {
    TOOLKIT_CLASS(TTabSheet, TWinControl)

public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    // Setting it moves the sheet into that page control (as its last page), or out of any with nullptr.
    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* value);
    // The place among the page control's pages; setting it reorders them (clamped to the pages' range).
    int PageIndex() const;
    void SetPageIndex(int value);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool value);
    // The place among the shown tabs, -1 while the tab is hidden or there is no page control.
    int TabIndex() const;
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);

    // Parenting a sheet to a page control is how it joins that control's pages (the reader parents a sheet
    // read inside a page control the same way); any other parent takes it out.
    void SetParent(TWinControl* parent) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void WndProc(TMessage& message) override;

private:
    friend class TPageControl;
    // The first control in Tab order inside the sheet, Tab stop or not when none has one.
    TWinControl* FirstControl();

    TPageControl* FPageControl = nullptr;  // the parent, when it is a page control
    bool FTabVisible = true;
    int FImageIndex = -1;
};
