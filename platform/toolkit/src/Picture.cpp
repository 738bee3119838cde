// TPicture: the held graphic, the file-extension registry and change forwarding.
#include <toolkit/Picture.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>

namespace {

std::string LowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

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
    registry.Factories[LowerAscii(extension)] = std::move(factory);
}

void TPicture::LoadFromFile(const std::string& fileName) {
    std::string extension = LowerAscii(Extension(fileName));
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
