// TPicture: the held graphic, the file-extension registry, change forwarding, and the picture's Data in
// descriptions.
#include <toolkit/MemoryStream.h>
#include <toolkit/Picture.h>
#include <toolkit/PropertyRegistry.h>
#include <toolkit/SysUtils.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>

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

struct FormatRegistry {
    std::mutex Lock;
    std::map<std::string, TPicture::TGraphicFactory> Factories{
        {".bmp", [] { return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>()); }}};
};

FormatRegistry& Formats() {
    static FormatRegistry registry;
    return registry;
}

std::string Extension(const std::string& fileName) {
    std::string::size_type dot = fileName.find_last_of("./");
    if (dot == std::string::npos || fileName[dot] != '.') return "";
    return fileName.substr(dot);
}

}  // namespace

TPicture::~TPicture() {
    if (FGraphic) FGraphic->OnChange = nullptr;
}

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::Hold(std::unique_ptr<TGraphic> graphic) {
    if (FGraphic) FGraphic->OnChange = nullptr;
    FGraphic = std::move(graphic);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::Assign(const TPersistent* source) {
    if (!source)
        SetGraphic(nullptr);
    else if (auto picture = dynamic_cast<const TPicture*>(source))
        Assign(*picture);
    else if (auto graphic = dynamic_cast<const TGraphic*>(source))
        SetGraphic(graphic);
    else
        inherited::Assign(source);
}

void TPicture::SetGraphic(const TGraphic* graphic) {
    if (graphic == FGraphic.get() && graphic) return;
    Hold(graphic ? graphic->Clone() : nullptr);
}

TBitmap& TPicture::Bitmap() {
    if (!dynamic_cast<TBitmap*>(FGraphic.get())) Hold(std::make_unique<TBitmap>());
    return static_cast<TBitmap&>(*FGraphic);
}

void TPicture::RegisterFileFormat(const std::string& extension, TGraphicFactory factory) {
    FormatRegistry& registry = Formats();
    std::lock_guard<std::mutex> guard(registry.Lock);
    registry.Factories[LowerCase(extension)] = std::move(factory);
}

void TPicture::LoadFromFile(const std::string& fileName) {
    std::string extension = LowerCase(Extension(fileName));
    TGraphicFactory factory;
    {
        FormatRegistry& registry = Formats();
        std::lock_guard<std::mutex> guard(registry.Lock);
        auto found = registry.Factories.find(extension);
        if (found != registry.Factories.end()) factory = found->second;
    }
    if (!factory) throw EInvalidGraphic("Unknown picture file extension (" + extension + ")");
    std::unique_ptr<TGraphic> graphic = factory();
    graphic->LoadFromFile(fileName);
    Hold(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) {
    if (FGraphic) FGraphic->SaveToFile(fileName);
}
