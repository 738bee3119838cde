// TGraphic: the abstract picture that a canvas can draw, with its size, transparency, files and streams.
#pragma once

#include <toolkit/Graphics.h>
#include <toolkit/Persistent.h>
#include <toolkit/Stream.h>
#include <win32/windows.h>

#include <memory>
#include <string>

class TCanvas;

class TGraphic : public TPersistent {
    TOOLKIT_CLASS(TGraphic, TPersistent)

public:
    TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual void SetWidth(int width) = 0;
    virtual int Height() const = 0;
    virtual void SetHeight(int height) = 0;
    // Transparent graphics leave the canvas showing where they have their transparent colour.
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool transparent);
    // Set by every change; cleared only by the owner.
    bool Modified() const { return FModified; }
    void SetModified(bool modified) { FModified = modified; }

    // Reads or writes the graphic's file format at the stream's position; raises EInvalidGraphic for data
    // that is not that format and EReadError for data that ends early.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    // File names are code page 936 text; a file that cannot be had raises EFOpenError / EFCreateError.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

    // A new graphic of the same class holding a copy of this one.
    virtual std::unique_ptr<TGraphic> Clone() const = 0;
    // Copies a graphic of the same class; raises EConvertError for another class.
    virtual void Assign(const TGraphic& source) = 0;
    using TPersistent::Assign;

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    // Paints into the canvas's DC, stretched to rect.
    virtual void Draw(TCanvas& canvas, const RECT& rect) = 0;
    virtual void Changed();
    // Sets Transparent without a change notification, for Assign.
    void StoreTransparent(bool transparent) { FTransparent = transparent; }

private:
    bool FTransparent = false;
    bool FModified = false;
};
