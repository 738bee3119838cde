// TSkTabSheet: one page of a TSkTabControl with UsePages: a container shown while it is the active page, painted
// with the tab control's page area behind its children.
#pragma once

#include <toolkit/CustomControl.h>

class TCanvas;
class TSkTabControl;
struct TskParentPaintInfo;

class TSkTabSheet : public TCustomControl {
    TOOLKIT_CLASS(TSkTabSheet, TCustomControl)

public:
    explicit TSkTabSheet(TComponent* owner);
    ~TSkTabSheet() override;

    // Setting it appends the sheet to that control's pages.
    TSkTabControl* TabControl() const { return FTabControl; }
    void SetTabControl(TSkTabControl* value);
    // The place among the pages, -1 without a tab control; setting it exchanges the sheet with the page there.
    int PageIndex() const;
    void SetPageIndex(int value);
    // Whether the page has a tab.
    bool PageVisible() const { return FPageVisible; }
    void SetPageVisible(bool value);
    // The tab's image in the control's Images, -1 for none.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    bool IsDestroying() const { return FDestroying; }

    // Parenting the sheet to a tab control attaches it there; any other parent detaches it.
    void SetParent(TWinControl* parent) override;
    // The tab control's page area, shifted so that it lines up with the sheet's place in dc.
    void PaintPageBackground(HDC dc);
    void Paint() override;
    void Dispatch(TMessage& message) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    friend class TSkTabControl;

    TSkTabControl* FTabControl = nullptr;
    bool FPageVisible = true;
    int FImageIndex = -1;
    bool FDestroying = false;
};

// The parent painter of tab sheets: the page area under a transparent child.
void PaintTabSheetBackground(TCanvas& canvas, const TskParentPaintInfo& info);
