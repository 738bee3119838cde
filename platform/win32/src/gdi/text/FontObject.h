// A logical font (HFONT): the LOGFONTW it was made from. Glyphs come from the FontInstance it realises to.
#pragma once

#include "../GdiObject.h"

#include <memory>
#include <string>

namespace win32::gdi {

class FontInstance;

class FontObject : public GdiObject {
public:
    explicit FontObject(const LOGFONTW& logFont) : FLogFont(logFont) {}

    DWORD Type() const override { return OBJ_FONT; }
    // LOGFONTW, or LOGFONTA with the face name in code page 936; a short buffer gets the first bytes only.
    int Describe(int size, void* buffer, bool wide) const override;

    const LOGFONTW& LogFont() const { return FLogFont; }
    std::u16string FaceName() const;
    // The face and size this font stands for, loaded on first use and shared by equal fonts. Never null.
    std::shared_ptr<FontInstance> Instance() const;

private:
    LOGFONTW FLogFont;
    mutable std::shared_ptr<FontInstance> FInstance;
};

// The font selected into a device context (the system font when none is).
std::shared_ptr<FontObject> SelectedFont(const class DeviceContext& dc);

}  // namespace win32::gdi
