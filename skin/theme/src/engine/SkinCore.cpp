// TSkSkinCore: the three ways of choosing a theme, the deltas passed on to the manager, and the properties kept in
// step with the manager's broadcasts.
#include <skin/SkinCore.h>

#include <skin/ThemeList.h>
#include <skin/ThemeManager.h>
#include <toolkit/PropertyRegistry.h>

const char* const SNoTheme = "No theme";
const char* const SEngineVersion = "6.0";

namespace {

// The registered built-in class whose kind name is name, letter case aside; nullptr when none is.
const TskThemeClass* FindBuiltInClass(TskThemeManager& manager, const std::string& name) {
    const std::string wanted = LowerCase(name);
    for (int i = 0; i < manager.ThemeClassCount(); ++i) {
        const TskThemeClass* themeClass = manager.ThemeClass(i);
        TskThemeConfig config;
        themeClass->GetConfig(config);
        if (!config.Procedural) continue;
        std::string kindName;
        themeClass->GetKindName(kindName);
        if (LowerCase(kindName) == wanted) return themeClass;
    }
    return nullptr;
}

[[maybe_unused]] const auto published =
    Publish<TSkSkinCore>()
        .Integer("DeltaHue", &TSkSkinCore::DeltaHue, &TSkSkinCore::SetDeltaHue)
        .Integer("DeltaBrightness", &TSkSkinCore::DeltaBrightness, &TSkSkinCore::SetDeltaBrightness)
        .String("ThemeFile", &TSkSkinCore::ThemeFile, &TSkSkinCore::SetThemeFile)
        .Component("ThemeList", &TSkSkinCore::ThemeList, &TSkSkinCore::SetThemeList)
        .Integer("ThemeIndex", &TSkSkinCore::ThemeIndex, &TSkSkinCore::SetThemeIndex, -1)
        .String("ThemeBuilding", &TSkSkinCore::ThemeBuilding, &TSkSkinCore::SetThemeBuilding)
        .String("Version", &TSkSkinCore::Version, &TSkSkinCore::SetVersion)
        .Event("OnThemeChanged", &TSkSkinCore::OnThemeChanged);

}  // namespace

TSkSkinCore::TSkSkinCore(TComponent* owner) : TComponent(owner), FBuildingName(SNoTheme) { AddThemeListener(this); }

TSkSkinCore::~TSkSkinCore() { RemoveThemeListener(this); }

void TSkSkinCore::ApplyDeltas() {
    TskThemeManager* manager = ThemeManager();
    if (!manager) return;
    if (FDeltaHue != 0) manager->SetDeltaHue(FDeltaHue);
    if (FDeltaBrightness != 0) manager->SetDeltaBrightness(FDeltaBrightness);
}

void TSkSkinCore::SetDeltaHue(int value) {
    if (value == FDeltaHue) return;
    FDeltaHue = value;
    SendDelta(true);
}

void TSkSkinCore::SetDeltaBrightness(int value) {
    if (value == FDeltaBrightness) return;
    FDeltaBrightness = value;
    SendDelta(false);
}

void TSkSkinCore::SendDelta(bool hue) {
    TskThemeManager* manager = ThemeManager();
    if (!manager) return;
    // While the other delta is 0 only the changed one goes, so a tint the theme got elsewhere stays.
    if ((hue ? FDeltaBrightness : FDeltaHue) != 0)
        manager->SetDeltaHueBrightness(FDeltaHue, FDeltaBrightness);
    else if (hue)
        manager->SetDeltaHue(FDeltaHue);
    else
        manager->SetDeltaBrightness(FDeltaBrightness);
}

void TSkSkinCore::SetThemeBuilding(const std::string& value) {
    FBuildingName = value;
    if (value == SNoTheme) return;
    TskThemeManager* manager = ThemeManager();
    const TskThemeClass* themeClass = manager ? FindBuiltInClass(*manager, value) : nullptr;
    if (!themeClass) {
        FBuildingName = SNoTheme;
        return;
    }
    if (std::unique_ptr<TskTheme> theme = themeClass->Create()) {
        manager->SetCurrentTheme(std::move(theme));
        ApplyDeltas();
        FThemeFile.clear();
        FThemeIndex = -1;
    }
    themeClass->GetKindName(FBuildingName);
}

void TSkSkinCore::SetThemeFile(const std::string& value) {
    FThemeFile = value;
    TskThemeManager* manager = ThemeManager();
    if (!manager) return;
    if (std::unique_ptr<TskTheme> theme = manager->LoadThemeFromFile(value)) {
        manager->SetCurrentTheme(std::move(theme));
        ApplyDeltas();
        FThemeIndex = -1;
        FBuildingName = SNoTheme;
    } else if (FThemeIndex == -1) {
        manager->RemoveCurrentTheme();
    }
}

void TSkSkinCore::SetThemeIndex(int value) {
    FThemeIndex = value;
    TskThemeManager* manager = ThemeManager();
    if (!manager) return;
    const int count = FThemeList ? FThemeList->Themes()->Count() : 0;
    if (count > 0 && value >= 0) {
        if (value > count - 1) FThemeIndex = count - 1;
        TSkThemeStream* item = FThemeList->Themes()->Items(FThemeIndex);
        if (std::unique_ptr<TskTheme> theme = LoadStoredTheme(*item)) {
            manager->SetCurrentTheme(std::move(theme));
            ApplyDeltas();
            FThemeFile.clear();
            FBuildingName = SNoTheme;
        }
    } else if (FThemeFile.empty()) {
        manager->RemoveCurrentTheme();
    }
}

void TSkSkinCore::SetThemeList(TSkThemeList* value) {
    if (value == FThemeList) return;
    if (FThemeList) FThemeList->RemoveFreeNotification(this);
    FThemeList = value;
    if (FThemeList)
        FThemeList->FreeNotification(this);
    else
        FThemeIndex = -1;
}

void TSkSkinCore::Loaded() {
    inherited::Loaded();
    // The index may have been read before the list it points into.
    if (FThemeList && FThemeIndex >= 0) SetThemeIndex(FThemeIndex);
}

void TSkSkinCore::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation != opRemove || !component || component != FThemeList) return;
    if (TskThemeManager* manager = ThemeManager()) manager->RemoveCurrentTheme();
    // The list is going: the index must not look into it any more.
    FThemeList = nullptr;
    SetThemeIndex(-1);
    SetThemeList(nullptr);
}

void TSkSkinCore::Dispatch(TMessage& message) {
    if (message.Msg == SkThemeMessage)
        ThemeMessage(message);
    else
        inherited::Dispatch(message);
}

void TSkSkinCore::ThemeMessage(TMessage& message) {
    // Only the stored fields follow the manager here; nothing is loaded or removed.
    const bool following = !ComponentState().Contains(csDesigning) && !ComponentState().Contains(csLoading);
    switch (message.WParam) {
    case tcThemeReplaced:
    case tcThemeSet: {
        TskThemeManager* manager = ThemeManager();
        TskTheme* theme = manager ? manager->CurrentTheme() : nullptr;
        if (following && theme) {
            TskThemeConfig config;
            theme->ThemeClass()->GetConfig(config);
            if (config.Procedural) {
                theme->ThemeClass()->GetKindName(FBuildingName);
                FThemeIndex = -1;
                FThemeFile.clear();
            } else {
                FBuildingName = SNoTheme;
                if (FThemeFile.empty() && !theme->FileName().empty()) {
                    FThemeFile = theme->FileName();
                    FThemeIndex = -1;
                } else if (FThemeList) {
                    TSkThemeCollection* themes = FThemeList->Themes();
                    for (int i = 0; i < themes->Count(); ++i) {
                        if (themes->Items(i)->ThemeStore() == theme->Name()) {
                            FThemeIndex = i;
                            FThemeFile.clear();
                            break;
                        }
                    }
                }
            }
        }
        ThemeChanged();
        break;
    }
    case tcThemeRemoved:
        if (following) {
            FThemeFile.clear();
            FBuildingName = SNoTheme;
            FThemeIndex = -1;
        }
        ThemeChanged();
        break;
    }
}

void TSkSkinCore::ThemeChanged() {
    if (OnThemeChanged) OnThemeChanged(this);
}
