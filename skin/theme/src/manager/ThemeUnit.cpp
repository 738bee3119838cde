// The theme unit's start-up and shut-down, and the global manager that both bracket.
#include <skin/FontStore.h>
#include <skin/ParentPainters.h>
#include <skin/ThemeManager.h>
#include <skin/ThemeRecords.h>
#include <toolkit/GroupBox.h>

#include <memory>

namespace {

// The holder itself is never destroyed: controls of forms that outlive the unit's finalisation (a program that
// exits with its window up, the application object going last) still ask it for the current theme.
std::unique_ptr<TskThemeManager>& GlobalManager() {
    static auto* manager = new std::unique_ptr<TskThemeManager>;
    return *manager;
}

}  // namespace

void InitializeThemeUnit() {
    if (GlobalManager()) return;
    GlobalManager() = std::make_unique<TskThemeManager>();
    GlobalManager()->RegisterThemeClass(TskTheme::ThemeClassRef());
    RegisterParentPainter(TCustomGroupBox::ClassInfo(), &PaintGroupBoxBackground);
}

void FinalizeThemeUnit() {
    ClearParentPainters();
    // Moved out first, so nothing reaches a manager that is half destroyed.
    std::unique_ptr<TskThemeManager> manager = std::move(GlobalManager());
    manager.reset();
    ClearFontStore();
    FreeImageListBitmap();
}

TskThemeManager* ThemeManager() { return GlobalManager().get(); }

TskTheme* CurrentTheme() { return GlobalManager() ? GlobalManager()->CurrentTheme() : nullptr; }

bool AddThemeListener(TObject* listener) { return GlobalManager() && GlobalManager()->AddListener(listener); }

void RemoveThemeListener(TObject* listener) {
    if (GlobalManager()) GlobalManager()->RemoveListener(listener);
}
