// TSkTabControl: a strip of tabs along one side of a page area, drawn by the control itself (no native tab window),
// single-line with two scroll buttons or wrapped into rows; with UsePages it keeps one TSkTabSheet per visible tab
// and shows the selected tab's sheet. TSkPageControl is the same control with UsePages on.
#pragma once

#include <skin/SkControl.h>
#include <skin/Theme.h>
#include <toolkit/CustomTabControl.h>
#include <toolkit/List.h>
#include <toolkit/StringList.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TCustomImageList;
class TTimer;
class TSkTabControl;
class TSkTabSheet;

// The side of the page area the strip runs along; a single tab is drawn for one of the same four sides.
enum TSkTabPosition : std::uint8_t { vttpTop, vttpBottom, vttpLeft, vttpRight };

using TDrawTabEvent = std::function<void(TSkTabControl* control, int tabIndex, const RECT& rect, bool active)>;

// The tab captions: every change of the list lays the tabs out again (UpdateTabs); between BeginUpdate and
// EndUpdate the control only notes that the list is being updated.
class TSkTabStringList : public TStringList {
    TOOLKIT_CLASS(TSkTabStringList, TStringList)

public:
    explicit TSkTabStringList(TSkTabControl* control) : FControl(control) {}

    void Clear() override;
    void Delete(int index) override;

protected:
    void InsertItem(int index, const std::string& s, TObject* object) override;
    void Put(int index, const std::string& s) override;
    void SetUpdateState(bool updating) override;

private:
    TSkTabControl* FControl;
};

// The sheets in page order; a sheet coming or going lays the tabs out again (exchanging two does not).
class TSkPageList : public TList {
    TOOLKIT_CLASS(TSkPageList, TList)

public:
    explicit TSkPageList(TSkTabControl* control) : FControl(control) {}
    void Clear() override;
    TSkTabSheet* Page(int index) const { return static_cast<TSkTabSheet*>(Items(index)); }

protected:
    void Notify(void* item, TListNotification action) override;

private:
    TSkTabControl* FControl;
};

class TSkTabControl : public TSkControl {
    TOOLKIT_CLASS(TSkTabControl, TSkControl)

public:
    explicit TSkTabControl(TComponent* owner);
    ~TSkTabControl() override;

    // With UsePages the captions of the visible pages, whatever was assigned; a new string makes a page for it.
    TSkTabStringList* Tabs() const { return FTabs.get(); }
    void SetTabs(const TStrings& value) { FTabs->Assign(&value); }
    int PageCount() const { return FPages->Count(); }
    TSkTabSheet* Pages(int index) const { return FPages->Page(index); }

    // nullptr unless UsePages and the page is one of Pages.
    TSkTabSheet* ActivePage() const;
    // Hides the page shown, shows this one and selects its tab, then OnChange; a page already shown is only
    // brought to the front. nullptr and sheets of other controls are ignored.
    void SetActivePage(TSkTabSheet* page);
    int ActivePageIndex() const;
    // -1 for none. Setting it asks OnChanging (which sees the new index and may refuse), scrolls the tab into view
    // and shows its page (or raises OnChange without pages); indices out of range and the current one do nothing.
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int value);

    TSkTabPosition TabPosition() const { return FTabPosition; }
    // The side positions turn MultiLine on.
    void SetTabPosition(TSkTabPosition value);
    bool MultiLine() const { return FMultiLine; }
    // Raises EInvalidOperation when turned off for a strip on the left or right.
    void SetMultiLine(bool value);
    // Rows keep their tabs' own lengths instead of stretching to the full length.
    bool RaggedRight() const { return FRaggedRight; }
    void SetRaggedRight(bool value);
    // Rows before the selected one move to the opposite side of the page area; turns MultiLine on.
    bool ScrollOpposite() const { return FScrollOpposite; }
    void SetScrollOpposite(bool value);
    // The caption under the mouse in clHighlight.
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool value);
    // OnDrawTab draws every tab.
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool value);
    bool UsePages() const { return FUsePages; }
    // Turning it on frees every child control.
    void SetUsePages(bool value);
    // Fixed thickness and length of the tabs; 0 measures them.
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int value);
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    // The theme binding repaints and nothing more: the tab control takes no bounds from a theme.
    const std::string& ThemeObject() const { return FThemeObject; }
    void SetThemeObject(const std::string& value);
    TskCustomThemeLink* ThemeLink() const { return FThemeLink; }
    void SetThemeLink(TskCustomThemeLink* value);

    // The strip's scroll offset: the first tab a single-line strip draws.
    int FirstVisibleTab() const { return FFirstVisibleTab; }
    // The tab under the mouse, -1 for none.
    int HotTab() const { return FHotTab; }
    bool LeftButtonHot() const { return FLeftButtonHot; }
    bool RightButtonHot() const { return FRightButtonHot; }
    bool LeftButtonDown() const { return FLeftButtonDown; }
    bool RightButtonDown() const { return FRightButtonDown; }
    // Rows found by the last layout.
    int TabRowCount() const { return FTabRowCount; }

    // Margins between the control's edges and the tabs.
    virtual int MarginLeft() { return 2; }
    virtual int MarginTop() { return 2; }
    virtual int MarginRight() { return 2; }
    virtual int MarginBottom() { return 2; }
    // A tab's length along the strip: its caption + 12 (and its image), at least 2 × (RowHeight + 2).
    virtual int MeasureTab(int index);
    // A tab's thickness: the height of "Pq" + 4 (or of an image + 4, when larger).
    virtual int RowHeight();
    virtual void GetScrollButtonSize(int& width, int& height);
    virtual void DrawTab(int index);
    virtual void DrawTabFace(int index, TSkTabPosition side, const RECT& rect);
    virtual void DrawTabImage(int index, TSkTabPosition side, const RECT& rect);
    virtual void DrawTabText(int index, TSkTabPosition side, const RECT& rect);
    virtual void DrawPageArea();
    virtual void DrawLeftScrollButton();
    virtual void DrawRightScrollButton();
    virtual bool InLeftScrollButton(int x, int y);
    virtual bool InRightScrollButton(int x, int y);
    // Makes Tabs and Pages agree (creating pages for new strings), then redraws the strip and realigns the pages.
    virtual void UpdateTabs();

    // Geometry, in client coordinates of the cached size, with every margin 2.
    void LayoutRows();
    int RowOf(int index);
    // A tab's rectangle; it reaches 2 pixels into the page frame.
    RECT TabRect(int index);
    int StripThickness();
    RECT PageAreaRect();
    // The last tab a single-line strip shows, the partly visible one included; with fully, the last one shown
    // whole and clear of the scroll buttons. -1 without tabs.
    int LastVisibleTab(bool fully);
    bool ScrollerVisible();
    RECT LeftScrollButtonRect();
    RECT RightScrollButtonRect();
    // The tab at a client point, the selected tab first and the nearest row first; -1 over none or over the
    // scroll buttons.
    int HitTestTab(int x, int y);
    // Moves the strip by delta tabs, never further than needed to show the last tab.
    void ScrollTabs(int delta);
    // Repaints the strip alone, composed off-screen and copied in one operation, without touching the pages.
    void RedrawStrip();

    void PaintClient() override;
    void SetBounds(int left, int top, int width, int height) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    TDrawTabEvent OnDrawTab;

protected:
    void AdjustClientRect(RECT& rect) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void Resize() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void DoMouseLeave() override;

    // OnChange.
    virtual void Change();
    // OnChanging, allowing unless it refuses.
    virtual bool CanChange();
    virtual void DoDrawTab(int index, const RECT& rect, bool active);

private:
    friend class TSkTabSheet;
    friend class TSkPageList;
    friend class TSkTabStringList;

    struct TRow {
        int LastTab = 0;
        int Extra = 0;
        int Remainder = 0;
    };

    bool ThemeDefined();
    // Being destroyed, or inside an owner or parent that is.
    bool Closing() const;
    // The font a tab is measured and drawn in: Font, or the theme's tab font for the tab's state.
    TFont* TabFont(int index);
    int RowsInUse() const { return FMultiLine ? FTabRowCount : 1; }
    int RowOffset(int row);
    int RowTabWidth(int index);
    bool IsOppositeRow(int index);
    int OppositeThickness();
    bool SideStrip() const { return FTabPosition == vttpLeft || FTabPosition == vttpRight; }
    // The length tabs have along the strip.
    int StripLength() const;
    // The tab's page when UsePages, Images and an image index say it shows an image; nullptr otherwise.
    TSkTabSheet* ImagePage(int index);
    int PageOfVisibleIndex(int visibleIndex) const;
    int VisibleIndexOfPage(int pageIndex) const;
    void InsertPage(int index, TSkTabSheet* page);
    void RemovePage(TSkTabSheet* page);
    void ActivatePageAt(int index);
    // The selected tab is scrolled clear of the buttons and into view.
    void BringTabIntoView();
    void StartAutoScroll(bool immediate);
    void AutoScrollTick(TObject* sender);
    void StopAutoScroll();
    // Ctrl+Tab and Ctrl+Shift+Tab: the next or previous tab, wrapping around.
    void SelectNextTab(bool forward);
    // Steps 2 to 4 of the paint: what lies under the control, the tabs, the page frame and the scroll buttons.
    void PaintStrip();
    void DrawTabs(bool selectedOnly);
    void DrawScrollButton(bool left);
    void ClassicTabFace(TCanvas& canvas, TSkTabPosition side, const RECT& face, bool focused);

    std::unique_ptr<TSkTabStringList> FTabs;
    std::unique_ptr<TSkPageList> FPages;
    TSkTabSheet* FActivePage = nullptr;
    int FTabIndex = -1;
    int FLoadedTabIndex = 0;
    TSkTabPosition FTabPosition = vttpTop;
    bool FMultiLine = false;
    bool FRaggedRight = false;
    bool FScrollOpposite = false;
    bool FHotTrack = false;
    bool FOwnerDraw = false;
    bool FUsePages = false;
    int FTabHeight = 0;
    int FTabWidth = 0;
    TCustomImageList* FImages = nullptr;
    std::string FThemeObject = "default";
    TskCustomThemeLink* FThemeLink = nullptr;
    int FFirstVisibleTab = 0;
    int FHotTab = -1;
    bool FLeftButtonHot = false;
    bool FRightButtonHot = false;
    bool FLeftButtonDown = false;
    bool FRightButtonDown = false;
    std::unique_ptr<TTimer> FScrollTimer;
    int FTabRowCount = 0;
    std::array<TRow, 100> FRows{};
    bool FUpdatingTabs = false;
    bool FTabsInUpdate = false;
};

class TSkPageControl : public TSkTabControl {
    TOOLKIT_CLASS(TSkPageControl, TSkTabControl)

public:
    explicit TSkPageControl(TComponent* owner);
};
