// TImage: a window-less control that shows a picture at its own size, centred, stretched or scaled in
// proportion, with the bitmap's transparent colour letting the parent show through.
#pragma once

#include <toolkit/GraphicControl.h>
#include <toolkit/Picture.h>

#include <memory>

class TImage : public TGraphicControl {
    TOOLKIT_CLASS(TImage, TGraphicControl)

public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    // Owned; every change of the picture repaints the image.
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture& value) { FPicture->Assign(value); }
    // Drawing here draws into the picture: an empty picture becomes a bitmap of the control's size first.
    // Raises EInvalidOperation when the picture holds another kind of graphic.
    TCanvas* Canvas();

    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    // With Stretch, or when the picture is larger than the control, keeps the picture's aspect ratio.
    bool Proportional() const { return FProportional; }
    void SetProportional(bool value);
    // Passed on to the graphic: a bitmap then leaves its transparent colour (its bottom-left pixel unless fixed)
    // undrawn.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

    // Where the picture lands in the client area.
    RECT DestRect();
    void Paint() override;

protected:
    // With AutoSize the control takes the picture's size.
    bool CanAutoSize(int& newWidth, int& newHeight) override;

private:
    void PictureChanged();

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FPassingTransparent = false;
};
