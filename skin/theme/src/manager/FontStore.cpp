// The font store: pairs of a font and its owned copy, in the order they were stored.
#include <skin/FontStore.h>

#include <toolkit/Font.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct TStoredFont {
    const TFont* Font;
    std::unique_ptr<TFont> Copy;
};

std::vector<TStoredFont>& Store() {
    static std::vector<TStoredFont> store;
    return store;
}

std::vector<TStoredFont>::iterator Find(const TFont& font) {
    return std::find_if(Store().begin(), Store().end(),
                        [&font](const TStoredFont& stored) { return stored.Font == &font; });
}

}  // namespace

void StoreFont(TFont& font) {
    auto it = Find(font);
    if (it != Store().end())
        it->Copy->Assign(font);
    else
        Store().push_back({&font, font.Clone()});
}

void RestoreFont(TFont& font) {
    auto it = Find(font);
    if (it != Store().end()) font.Assign(*it->Copy);
}

void RemoveFont(TFont& font) {
    auto it = Find(font);
    if (it != Store().end()) Store().erase(it);
}

bool IsFontStored(const TFont& font) { return Find(font) != Store().end(); }

void ClearFontStore() { Store().clear(); }
