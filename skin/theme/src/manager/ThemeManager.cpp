// The theme manager: theme classes, listeners and their broadcast, the current theme and its deltas, and the
// utility window that turns the system's change notices into broadcasts.
#include <skin/ThemeManager.h>

#include <skin/WinApi.h>
#include <toolkit/Control.h>
#include <toolkit/UtilWindow.h>

#include <algorithm>
#include <cstdint>

TskThemeManager::TskThemeManager() : TComponent(nullptr) {
    FHandle = AllocateHWnd([this](TMessage& message) { WndProc(message); });
    if (!FHandle) throw Exception("Cannot create the theme manager's window");
}

TskThemeManager::~TskThemeManager() {
    // The theme goes first: a theme's destructor may still ask the manager about itself.
    std::unique_ptr<TskTheme> theme = std::move(FCurrentTheme);
    theme.reset();
    DeallocateHWnd(FHandle);
}

void TskThemeManager::RegisterThemeClass(const TskThemeClass* themeClass) {
    if (themeClass) FThemeClasses.push_back(themeClass);
}

const TskThemeClass* TskThemeManager::ThemeClass(int index) const {
    return index >= 0 && index < ThemeClassCount() ? FThemeClasses[index] : nullptr;
}

bool TskThemeManager::AddListener(TObject* listener) {
    if (!listener) return false;
    if (IsListener(listener)) return true;
    FListeners.push_back({listener, ++FNextSerial});
    if (FCurrentTheme) Deliver(listener, tcThemeSet, 0);
    return true;
}

void TskThemeManager::RemoveListener(TObject* listener) {
    auto it = std::find_if(FListeners.begin(), FListeners.end(),
                           [listener](const TListenerEntry& entry) { return entry.Object == listener; });
    if (it != FListeners.end()) FListeners.erase(it);
}

bool TskThemeManager::IsListener(const TObject* listener) const {
    return std::any_of(FListeners.begin(), FListeners.end(),
                       [listener](const TListenerEntry& entry) { return entry.Object == listener; });
}

void TskThemeManager::Deliver(TObject* listener, WPARAM code, LPARAM lParam) {
    if (auto* control = dynamic_cast<TControl*>(listener)) {
        if (code == tcColorsChanged && !control->Visible()) return;
        control->Perform(SkThemeMessage, code, lParam);
        return;
    }
    TMessage message;
    message.Msg = SkThemeMessage;
    message.WParam = code;
    message.LParam = lParam;
    message.Result = 0;
    listener->Dispatch(message);
}

void TskThemeManager::Broadcast(WPARAM code, LPARAM lParam) {
    // The list is walked in place, first to last, while listeners join and leave in their handlers: one that
    // joins (at the end) hears the rest of the broadcast, one that leaves hears nothing more. The list stays in
    // joining order, so the serial of the last listener served marks the place whatever left before it, and
    // tells a newcomer from a listener that left and whose address it reuses.
    std::uint64_t served = 0;
    for (;;) {
        auto next =
            std::upper_bound(FListeners.begin(), FListeners.end(), served,
                             [](std::uint64_t serial, const TListenerEntry& entry) { return serial < entry.Serial; });
        if (next == FListeners.end()) return;
        served = next->Serial;
        Deliver(next->Object, code, lParam);
    }
}

void TskThemeManager::SetCurrentTheme(std::unique_ptr<TskTheme> theme) {
    // The theme already current, handed back, goes through the same sequence as a replacement but is kept: freeing
    // "the old theme" would free the new one under its listeners.
    const bool same = theme && theme.get() == FCurrentTheme.get();
    if (same) theme.release();
    Broadcast(tcBeginChange, 0);
    const WPARAM code = FCurrentTheme ? tcThemeReplaced : tcThemeSet;
    if (!same) {
        std::unique_ptr<TskTheme> old = std::move(FCurrentTheme);
        old.reset();
        FCurrentTheme = std::move(theme);
    }
    Broadcast(code, 0);
    Broadcast(tcEndChange, 0);
}

void TskThemeManager::RemoveCurrentTheme() {
    Broadcast(tcBeginChange, 0);
    std::unique_ptr<TskTheme> old = std::move(FCurrentTheme);
    old.reset();
    Broadcast(tcThemeRemoved, 0);
    Broadcast(tcEndChange, 0);
}

void TskThemeManager::SetDeltaHue(int value) {
    SetDeltaHueBrightness(value, FCurrentTheme ? FCurrentTheme->DeltaBrightness() : 0);
}

void TskThemeManager::SetDeltaBrightness(int value) {
    SetDeltaHueBrightness(FCurrentTheme ? FCurrentTheme->DeltaHue() : 0, value);
}

void TskThemeManager::SetDeltaHueBrightness(int hue, int brightness) {
    TskTheme* theme = FCurrentTheme.get();
    if (!theme) return;
    if (theme->DeltaHue() != hue || theme->DeltaBrightness() != brightness) {
        theme->SetDeltaHue(hue);
        theme->SetDeltaBrightness(brightness);
        theme->UpdateTheme();
    }
    Broadcast(tcColorsChanged, 1);
}

void TskThemeManager::NotifyThemeSet(TControl* control) {
    if (control && FCurrentTheme) control->Perform(SkThemeMessage, tcThemeSet, 0);
}

void TskThemeManager::NotifyThemeRemoved(TControl* control) {
    if (control && FCurrentTheme) control->Perform(SkThemeMessage, tcThemeRemoved, 0);
}

void TskThemeManager::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_SYSCOLORCHANGE:
    case WM_DISPLAYCHANGE: Broadcast(tcColorsChanged, 0); break;
    case WM_THEMECHANGED:
        UpdateVisualStylesActive();
        Broadcast(tcColorsChanged, 0);
        break;
    }
    message.Result = DefWindowProcA(FHandle, message.Msg, message.WParam, message.LParam);
}
