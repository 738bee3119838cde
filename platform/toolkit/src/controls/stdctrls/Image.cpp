// TImage: the picture's placement (own size, centred, stretched, proportional), transparency passed to the
// graphic, and drawing through Canvas.
#include <toolkit/Image.h>
#include <toolkit/MemoryStream.h>
#include <toolkit/PropertyRegistry.h>

#include <cstdint>

namespace {

[[maybe_unused]] const auto publishedImage =
    Publish<TImage>()
        .Boolean("Center", &TImage::Center, &TImage::SetCenter, false)
        .Object("Picture", &TImage::Picture)
        .Boolean("Proportional", &TImage::Proportional, &TImage::SetProportional, false)
        .Boolean("Stretch", &TImage::Stretch, &TImage::SetStretch, false)
        .Boolean("Transparent", &TImage::Transparent, &TImage::SetTransparent, false);

}  // namespace

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>()) {
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

TCanvas* TImage::Canvas() {
    if (!FPicture->Graphic()) {
        TBitmap blank;
        blank.SetSize(Width(), Height());
        FPicture->SetGraphic(&blank);
    }
    auto* bitmap = dynamic_cast<TBitmap*>(FPicture->Graphic());
    if (!bitmap) throw EInvalidOperation("Can only modify an image if it contains a bitmap");
    return &bitmap->Canvas();
}

void TImage::SetStretch(bool value) {
    if (value == FStretch) return;
    FStretch = value;
    Invalidate();
}

void TImage::SetCenter(bool value) {
    if (value == FCenter) return;
    FCenter = value;
    Invalidate();
}

void TImage::SetProportional(bool value) {
    if (value == FProportional) return;
    FProportional = value;
    Invalidate();
}

void TImage::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    PictureChanged();
}

bool TImage::CanAutoSize(int& newWidth, int& newHeight) {
    if (FPicture->Width() > 0 && FPicture->Height() > 0) {
        newWidth = FPicture->Width();
        newHeight = FPicture->Height();
    }
    return true;
}

void TImage::PictureChanged() {
    // Passing Transparent on changes the graphic, which comes back here.
    if (FPassingTransparent) return;
    FPassingTransparent = true;
    if (TGraphic* graphic = FPicture->Graphic(); graphic && graphic->Transparent() != FTransparent)
        graphic->SetTransparent(FTransparent);
    FPassingTransparent = false;
    if (AutoSize() && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    InvalidateControl(Visible(), false);
}

RECT TImage::DestRect() {
    int width = FPicture->Width(), height = FPicture->Height();
    int clientWidth = ClientWidth(), clientHeight = ClientHeight();
    if (FStretch || (FProportional && (width > clientWidth || height > clientHeight))) {
        if (FProportional && width > 0 && height > 0) {
            // The larger scale that still fits both ways.
            if (int64_t{clientWidth} * height <= int64_t{clientHeight} * width) {
                height = static_cast<int>(int64_t{height} * clientWidth / width);
                width = clientWidth;
            } else {
                width = static_cast<int>(int64_t{width} * clientHeight / height);
                height = clientHeight;
            }
        } else {
            width = clientWidth;
            height = clientHeight;
        }
    }
    RECT rect{0, 0, width, height};
    if (FCenter) OffsetRect(&rect, (clientWidth - width) / 2, (clientHeight - height) / 2);
    return rect;
}

void TImage::Paint() {
    TGraphic* graphic = FPicture->Graphic();
    if (!graphic || graphic->Empty()) return;
    TGraphicControl::Canvas()->StretchDraw(DestRect(), *graphic);
}
