// GetTheme and the object-defined queries every control asks before it draws through a theme.
#include <skin/Theme.h>

namespace {

using TQuery = bool (TskTheme::*)(TskKind, const std::string&);

// A link's theme answers alone: a theme picked for a few controls on purpose must not hand them its "default"
// object in place of one it lacks.
bool Ask(TQuery query, TskKind kind, const std::string& name, TskCustomThemeLink* link) {
    if (link)
        if (TskTheme* theme = link->GetTheme()) return (theme->*query)(kind, name);
    TskTheme* current = CurrentTheme();
    if (!current) return false;
    return (current->*query)(kind, name) || (current->*query)(kind, "default");
}

}  // namespace

TskTheme* GetTheme(TskCustomThemeLink* link) {
    if (link)
        if (TskTheme* theme = link->GetTheme()) return theme;
    return CurrentTheme();
}

#define SK_FREE_QUERY(Query)                                                      \
    bool Query(TskKind kind, const std::string& name, TskCustomThemeLink* link) { \
        return Ask(&TskTheme::Query, kind, name, link);                           \
    }

SK_FREE_QUERY(IsWindowDefined)
SK_FREE_QUERY(IsLabelDefined)
SK_FREE_QUERY(IsPanelDefined)
SK_FREE_QUERY(IsButtonDefined)
SK_FREE_QUERY(IsCheckBoxDefined)
SK_FREE_QUERY(IsScrollBarDefined)
SK_FREE_QUERY(IsProgressBarDefined)
SK_FREE_QUERY(IsStatusBarDefined)
SK_FREE_QUERY(IsEditDefined)
SK_FREE_QUERY(IsGroupBoxDefined)
SK_FREE_QUERY(IsMenuDefined)
SK_FREE_QUERY(IsToolButtonDefined)
SK_FREE_QUERY(IsTabDefined)
SK_FREE_QUERY(IsListBoxDefined)
SK_FREE_QUERY(IsScrollBoxDefined)

#undef SK_FREE_QUERY
