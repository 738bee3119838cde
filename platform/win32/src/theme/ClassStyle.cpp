// The class table that OpenThemeData searches.
#include "theme/ClassStyle.h"

#include <iterator>

namespace win32::theme {
namespace {

char16_t Fold(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i])) return false;
    }
    return true;
}

}  // namespace

const ClassStyle* FindClassStyle(std::u16string_view name) {
    struct Entry {
        std::u16string_view name;
        const ClassStyle& (*style)();
    };
    static const Entry classes[] = {
        {u"Window", WindowStyle}, {u"Button", ButtonStyle},       {u"Edit", EditStyle}, {u"ComboBox", ComboBoxStyle},
        {u"Spin", SpinStyle},     {u"ScrollBar", ScrollBarStyle}, {u"Tab", TabStyle},   {u"Progress", ProgressStyle},
        {u"Menu", MenuStyle},     {u"Tooltip", TooltipStyle},
    };
    for (const Entry& entry : classes) {
        if (SameName(entry.name, name)) return &entry.style();
    }
    return nullptr;
}

}  // namespace win32::theme
