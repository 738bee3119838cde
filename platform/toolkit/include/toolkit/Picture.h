// TPicture: holds one graphic of any registered class, loads it by file extension and passes its changes on.
#pragma once

#include <toolkit/Bitmap.h>
#include <toolkit/Graphic.h>
#include <toolkit/Persistent.h>

#include <functional>
#include <memory>
#include <string>

class TPicture : public TPersistent {
    TOOLKIT_CLASS(TPicture, TPersistent)

public:
    using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

    TPicture() = default;
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // nullptr while the picture is empty.
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Holds a copy of graphic (nullptr empties the picture).
    void SetGraphic(const TGraphic* graphic);
    // The graphic as a bitmap; a picture holding nothing or another class is replaced by an empty bitmap.
    TBitmap& Bitmap();
    void SetBitmap(const TBitmap& bitmap) { SetGraphic(&bitmap); }
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    void Assign(const TPicture& source) { SetGraphic(source.Graphic()); }
    // A picture or a graphic is copied; nullptr empties the picture; anything else raises EConvertError.
    void Assign(const TPersistent* source) override;

    // The class comes from the extension (".bmp" for TBitmap, compared without case); an unknown extension
    // raises EInvalidGraphic. A file that fails to load leaves the picture as it was.
    void LoadFromFile(const std::string& fileName);
    // An empty picture writes no file.
    void SaveToFile(const std::string& fileName);

    // Makes extension (with its dot, e.g. ".bmp") load through factory's class.
    static void RegisterFileFormat(const std::string& extension, TGraphicFactory factory);

    TNotifyEvent OnChange;

private:
    void Changed();
    void Hold(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> FGraphic;
};
