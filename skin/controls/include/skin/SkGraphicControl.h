// TSkGraphicControl: the window-less base of the skinned controls, painted on its parent's surface through one of
// the three buffers, with its hot flag.
#pragma once

#include <skin/SkControl.h>
#include <toolkit/GraphicControl.h>

#include <memory>

class TSkGraphicControl : public TGraphicControl {
    TOOLKIT_CLASS(TSkGraphicControl, TGraphicControl)

public:
    explicit TSkGraphicControl(TComponent* owner);
    ~TSkGraphicControl() override;

    TSkPerformance Performance() const { return FPerformance; }
    void SetPerformance(TSkPerformance value);
    bool MouseInControl() const { return FMouseInControl; }
    TFont* PaintFont() const { return FPaintFont.get(); }

    void Paint() override;
    // The base fills the client rectangle with Color.
    virtual void PaintClient();

protected:
    void Loaded() override;
    void MouseEnter() override { DoMouseEnter(); }
    void MouseLeave() override { DoMouseLeave(); }
    virtual void DoMouseEnter();
    virtual void DoMouseLeave();

private:
    bool FMouseInControl = false;
    std::unique_ptr<TFont> FPaintFont;
    TSkPerformance FPerformance = vnpNoBuffer;
};
