// TImage: the picture's placement (own size, centred, stretched, proportional), transparency passed to the
// graphic, drawing through Canvas, and the picture's Data in descriptions.
#include <toolkit/Image.h>
#include <toolkit/MemoryStream.h>
#include <toolkit/PropertyRegistry.h>

#include <cstdint>

namespace {

// A picture in a description: the graphic's class name as a length-prefixed string, then the graphic's own data;
// a bitmap's data is its BMP file preceded by the file's length (32 bits, little-endian). Empty data: no picture.
void ReadPictureData(TPicture& picture, const std::string& bytes) {
    if (bytes.empty()) {
        picture.SetGraphic(nullptr);
        return;
    }
    auto nameLength = static_cast<unsigned char>(bytes[0]);
    if (bytes.size() < size_t{1} + nameLength) throw EReadError("Stream read error");
    std::string className = bytes.substr(1, nameLength);
    const TClassInfo* info = GetClass(className);
    if (!info || !info->InheritsFrom(TGraphic::ClassInfo()) || !info->CanCreate())
        throw EClassNotFound("Class " + className + " not found");
    std::unique_ptr<TGraphic> graphic(static_cast<TGraphic*>(info->CreateInstance(nullptr)));
    std::string data = bytes.substr(1 + nameLength);
    if (dynamic_cast<TBitmap*>(graphic.get())) {
        if (data.size() < 4) throw EReadError("Stream read error");
        uint32_t size = 0;
        for (int i = 3; i >= 0; --i) size = (size << 8) | static_cast<unsigned char>(data[static_cast<size_t>(i)]);
        if (data.size() - 4 < size) throw EReadError("Stream read error");
        data = data.substr(4, size);
    }
    TMemoryStream stream;
    stream.WriteBuffer(data.data(), static_cast<int>(data.size()));
    stream.Seek(0, soBeginning);
    graphic->LoadFromStream(stream);
    picture.SetGraphic(graphic.get());
}

std::string WritePictureData(TPicture& picture) {
    TGraphic* graphic = picture.Graphic();
    if (!graphic) return std::string();
    TMemoryStream stream;
    graphic->SaveToStream(stream);
    std::string data(stream.Memory(), static_cast<size_t>(stream.Size()));
    std::string className = graphic->ClassName();
    std::string bytes(1, static_cast<char>(className.size()));
    bytes += className;
    if (dynamic_cast<TBitmap*>(graphic)) {
        auto size = static_cast<uint32_t>(data.size());
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>((size >> (8 * i)) & 0xFF);
    }
    return bytes + data;
}

[[maybe_unused]] const auto publishedPicture = Publish<TPicture>().Binary("Data", &ReadPictureData, &WritePictureData);
// Descriptions name the graphic's class in the picture data.
[[maybe_unused]] const auto publishedBitmap = Publish<TBitmap>();

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
