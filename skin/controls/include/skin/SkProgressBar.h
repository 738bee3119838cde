// TSkProgressBar: the skinned progress bar: Position's share of Min..Max as one smooth block or a row of chunks,
// horizontal or vertical, inside a sunken frame, in the theme's look or the built-in one (the visual style's
// progress parts or classic fills in the highlight colour).
#pragma once

#include <skin/SkControl.h>
#include <skin/ThemeBinding.h>

#include <string>

enum TSkProgressOrientation { vpoHorizontal, vpoVertical };

class TSkProgressBar : public TSkControl {
    TOOLKIT_CLASS(TSkProgressBar, TSkControl)

public:
    explicit TSkProgressBar(TComponent* owner);
    ~TSkProgressBar() override;

    // Neither checked against the other nor against Position.
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    // Not clamped. A change that moves the filled share repaints at once, so the bar follows a running loop.
    int Position() const { return FPosition; }
    void SetPosition(int value);
    // Stored only; never above Max.
    int Step() const { return FStep; }
    void SetStep(int value);
    TSkProgressOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TSkProgressOrientation value);
    // One block instead of chunks.
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool value);
    // A sunken one-pixel frame and a 2-pixel margin.
    bool ShowBorder() const { return FShowBorder; }
    void SetShowBorder(bool value);
    // The bar's own extra margin inside the frame; the base's bevel and border stay at zero.
    int BorderWidth() const { return FBarBorderWidth; }
    void SetBorderWidth(int value);
    const std::string& ThemeObject() const { return FTheme.ThemeObject(); }
    void SetThemeObject(const std::string& value);
    TskCustomThemeLink* ThemeLink() const { return FTheme.ThemeLink(); }
    void SetThemeLink(TskCustomThemeLink* value);

    // The filled share of position: (position - Min) / (Max - Min) at single precision; 0 for a negative Min,
    // Min = Max, or a position outside Min..Max.
    float Fraction(int position) const;
    // (0, 0, CachedWidth, CachedHeight) less the frame's margin and BorderWidth.
    virtual RECT GetBarRect();
    void PaintClient() override;
    virtual void PaintBar();
    virtual void PaintFrame();
    void Dispatch(TMessage& message) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool ThemeDefined();
    // The "Progress" class of the visual style, opened on first use and kept.
    HANDLE ProgressTheme();
    void CloseProgressTheme();
    void DrawProgressPart(int part, int state, const RECT& rect);

    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FStep = 10;
    TSkProgressOrientation FOrientation = vpoHorizontal;
    bool FSmooth = false;
    bool FShowBorder = true;
    int FBarBorderWidth = 0;
    HANDLE FProgressTheme = nullptr;
    TskThemeBinding FTheme{this};
};
