// TCustomTabControl: a row of tabs on one edge of a framed display area, painted by the toolkit in the classic look
// (no system tab class exists), with hit testing, scroll arrows when the tabs do not fit, and selection by mouse and
// arrow keys behind an OnChanging veto.
#pragma once

#include <toolkit/CustomControl.h>
#include <toolkit/ImageList.h>

#include <functional>
#include <string>
#include <vector>

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TCustomTabControl : public TCustomControl {
    TOOLKIT_CLASS(TCustomTabControl, TCustomControl)

public:
    explicit TCustomTabControl(TComponent* owner);
    ~TCustomTabControl() override;

    // The selected tab among the shown ones, -1 for none. Setting it by code raises no events.
    virtual int TabIndex() const { return FTabIndex; }
    virtual void SetTabIndex(int value);

    // 0 takes the height from the font, and each tab's width from its caption (and image).
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int value);
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int value);
    // tpTop and tpBottom; the side positions need vertical captions and raise EInvalidOperation.
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition value);
    // Only tsTabs is drawn; the button styles raise EInvalidOperation.
    TTabStyle Style() const { return FStyle; }
    void SetStyle(TTabStyle value);
    // Tabs that do not fit wrap into more rows, each row stretched to the full width, the selected tab's row
    // next to the pages; without it one row scrolls behind arrows.
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool value);
    // The rows of tabs the strip has now.
    int RowCount() { return Layout().Rows; }
    // The caption under the mouse shows in the hot-tracking colour.
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);

    // The shown tab at a client point, -1 over none (the scroll arrows hide the tabs under them).
    int IndexOfTabAt(int x, int y);
    // A shown tab's rectangle as drawn when it is not selected; empty for an index out of range.
    RECT TabRect(int index);
    // Where the pages go: the client area less the tab strip, the page frame and the margin inside it.
    RECT DisplayRect();
    // Whether the tabs overflow the strip so that the arrows show; the first tab scrolled into view.
    bool ScrollArrowsShown();
    int FirstVisibleTab() const { return FFirstTab; }

    void Paint() override;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    // The shown tabs, for the derived class to answer.
    virtual int TabCount() const { return 0; }
    virtual std::string TabCaption(int index) const {
        (void)index;
        return std::string();
    }
    virtual int TabImageIndex(int index) const {
        (void)index;
        return -1;
    }

    // Before a change the user asks for (false vetoes it), and after it.
    virtual bool CanChange();
    virtual void Change();
    // The user picks a tab (mouse, keys, accelerator): CanChange, the new index, Change. False when nothing changed.
    bool SelectTabByUser(int index);
    // The tabs' number, captions or sizes changed.
    void TabsChanged();
    // Scrolls the strip so that the tab shows whole, as far as it can.
    void MakeTabVisible(int index);

    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(RECT& rect) override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    struct TLayout {
        int RowHeight = 0;  // one tab, unselected
        int Rows = 1;
        std::vector<RECT> Tabs;  // unselected rectangles, scrolled
        bool Arrows = false;
        RECT LeftArrow{}, RightArrow{};
        int StripRight = 0;  // tabs are clipped here when the arrows show
        bool CanScrollLeft = false, CanScrollRight = false;
    };

    TLayout Layout();
    void LayOutRows(TLayout& layout, const std::vector<int>& widths, int width);
    // The tab's image index names an image of Images.
    bool HasImage(int index) const;
    int RowHeight();
    // As the caption draws: '&' marks an accelerator and takes no room.
    int CaptionWidth(int index);
    // Lays a rectangle measured from the top edge onto the strip's real edge.
    RECT Place(const RECT& fromTop);
    void PaintTab(HDC dc, const TLayout& layout, int index, bool selected);
    void PaintCaption(int index, RECT rect, bool selected);
    void PaintArrows(HDC dc, const TLayout& layout);
    void SetHotIndex(int value);

    int FTabIndex = -1;
    int FTabHeight = 0;
    int FTabWidth = 0;
    TTabPosition FTabPosition = tpTop;
    TTabStyle FStyle = tsTabs;
    bool FHotTrack = false;
    bool FMultiLine = false;
    TCustomImageList* FImages = nullptr;  // not owned; cleared through Notification
    int FFirstTab = 0;
    int FHotIndex = -1;
};
