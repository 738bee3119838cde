// TSkScrollBox: the toolkit's scroll box with skinned scroll bars laid over its own, its own non-client frame and
// its own background.
#pragma once

#include <skin/SkSubScrollBar.h>
#include <skin/ThemeLink.h>
#include <toolkit/ScrollBox.h>

#include <string>

class TCanvas;

class TSkScrollBox : public TScrollBox {
    TOOLKIT_CLASS(TSkScrollBox, TScrollBox)

public:
    explicit TSkScrollBox(TComponent* owner);
    ~TSkScrollBox() override;

    // The overlays over the box's own bars.
    TSkSubScrollBar* OverlayBars() const { return FOverlayBars; }
    const std::string& ThemeObject() const { return FThemeObject; }
    void SetThemeObject(const std::string& value);
    // The link goes to both overlay bars as well.
    TskCustomThemeLink* ThemeLink() const { return FThemeLink; }
    void SetThemeLink(TskCustomThemeLink* value);
    // Chooses the hot state of the visual-style frame; no repaint follows it.
    bool MouseInControl() const { return FMouseInControl; }

    // The bar inside each overlay: a plain TSkScrollBar.
    virtual TSkScrollBar* CreateOverlayBar(TComponent* owner);
    // The client area's background, and the frame around it (rect is the window's rectangle from (0, 0)).
    virtual void PaintBackground(TCanvas& canvas, const RECT& rect);
    virtual void PaintNonClient(TCanvas& canvas, const RECT& rect);

    // The overlays follow the box into its new parent.
    void SetParent(TWinControl* parent) override;

protected:
    void AdjustSize() override;
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    bool ThemeDefined();
    RECT WindowRectAtOrigin();
    // The "Edit" state of frame and background: 4 disabled, 3 focused, 2 hot, 1 normal.
    int EditState();

    TSkSubScrollBar* FOverlayBars = nullptr;
    std::string FThemeObject = "default";
    TskCustomThemeLink* FThemeLink = nullptr;
    bool FMouseInControl = false;
};
