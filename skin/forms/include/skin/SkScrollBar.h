// TSkScrollBar: the window-less skinned scroll bar: two arrow buttons, the track and a thumb sized to the page,
// stepping while a button or the track is held, the thumb dragged, hot parts lit under the pointer, in both looks.
#pragma once

#include <skin/SkGraphicControl.h>
#include <skin/ThemeBinding.h>

#include <functional>
#include <memory>

class TTimer;

enum TSkScrollOrientation { vnoHorizontal, vnoVertical };
// The same numbers as the system's SB_LINEUP .. SB_ENDSCROLL.
enum TSkScrollCode {
    vncLineUp,
    vncLineDown,
    vncPageUp,
    vncPageDown,
    vncPosition,
    vncTrack,
    vncTop,
    vncBottom,
    vncEndScroll
};
// The handler may change scrollPos; what it leaves there becomes the position (except while the thumb is dragged).
using TSkScrollEvent = std::function<void(TObject* sender, TSkScrollCode scrollCode, int& scrollPos)>;

class TSkScrollBar : public TSkGraphicControl {
    TOOLKIT_CLASS(TSkScrollBar, TSkGraphicControl)

public:
    explicit TSkScrollBar(TComponent* owner);
    ~TSkScrollBar() override;

    // A sunken edge and BorderWidth - 1 rings of Color around buttons and track.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool value);
    TSkScrollOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TSkScrollOrientation value);
    // What a click on the track steps when PageSize is 0; 1 .. 32767.
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value);
    // Max is kept at or above Min and Min at or below Max; the position and the page follow into the range.
    int Max() const { return FMax; }
    void SetMax(int value);
    int Min() const { return FMin; }
    void SetMin(int value);
    // At most Max - Min + 1; negative values are ignored. 0 gives a thumb as long as it is thick.
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    // Clamped into [Min, Max]; a change raises OnChange.
    int Position() const { return FPosition; }
    void SetPosition(int value);
    const std::string& ThemeObject() const { return FTheme.ThemeObject(); }
    void SetThemeObject(const std::string& value) { FTheme.SetThemeObject(value); }
    TskCustomThemeLink* ThemeLink() const { return FTheme.ThemeLink(); }
    void SetThemeLink(TskCustomThemeLink* value) { FTheme.SetThemeLink(value); }

    // Thickness across the length: SM_CYVTHUMB + 2 × BorderWidth.
    void FitToOrientation();
    // One step as the key would make it: Page Up / Down by a page, Home and End to the ends, Right and Down a
    // line forward, Left, Up and the rest a line back; OnScroll may change the new position before it is set.
    virtual void KeyStep(WORD key);
    // Steps on every repeat tick backward or forward without a held button; one direction turns the other off.
    void SetAutoScroll(bool forward, bool on);
    bool AutoScrollBackward() const { return FAutoBackward; }
    bool AutoScrollForward() const { return FAutoForward; }

    // The parts, in the bar's own coordinates. The thumb is empty when it does not fit.
    RECT FirstButtonRect() const;
    RECT SecondButtonRect() const;
    RECT TrackRect() const;
    RECT ThumbRect() const;
    // Whether the thumb is being dragged.
    bool ThumbHeld() const { return FGrabOffset >= 0; }

    void PaintClient() override;
    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;
    TSkScrollEvent OnScroll;

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoMouseLeave() override;
    // Raises OnScroll and answers the position it leaves.
    virtual int DoScroll(TSkScrollCode code, int position);

private:
    enum Part { FirstButton, SecondButton, PageBefore, PageAfter, Thumb, PartCount };

    bool Vertical() const { return FOrientation == vnoVertical; }
    int ButtonSize() const;
    int Available() const;
    // Along the length: where the track starts and how long it is; the thumb's length and start.
    int TrackStart() const;
    int TrackLength() const;
    int ThumbLength() const;
    int ThumbStart() const;
    int Range() const;
    int PositionFromThumb(int start) const;
    // A span along the length across the whole thickness inside the border.
    RECT Span(int from, int to) const;
    RECT PartRect(Part part) const;
    // Recomputes the hot flags at the last mouse point; true when one changed.
    bool UpdateHot();
    bool PressedAndHot(Part part) const { return FPressed[part] && FHot[part]; }
    void StartRepeat(bool immediate);
    void StopRepeat();
    void RepeatTick(TObject* sender);
    bool ThemeDefined();
    void PaintButton(Part part);
    void PaintThumb();

    int FBorderWidth = 0;
    bool FShowButtons = true;
    TSkScrollOrientation FOrientation = vnoHorizontal;
    int FLargeChange = 1;
    int FSmallChange = 1;
    int FMax = 100;
    int FMin = 0;
    int FPageSize = 0;
    int FPosition = 0;
    POINT FMousePos{-1, -1};
    int FGrabOffset = -1;
    bool FHot[PartCount] = {};
    bool FPressed[PartCount] = {};
    bool FAutoBackward = false;
    bool FAutoForward = false;
    std::unique_ptr<TTimer> FTimer;
    TskThemeBinding FTheme{this};
};
