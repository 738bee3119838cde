// The theme manager: theme classes, listeners and their broadcast, the current theme and its deltas, and the
// utility window that turns the system's change notices into broadcasts.
#include <skin/ThemeManager.h>

#include <skin/ThemeListener.h>
#include <skin/WinApi.h>
#include <toolkit/Control.h>
#include <toolkit/UtilWindow.h>

#include <algorithm>

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
    if (!dynamic_cast<TControl*>(listener) && !dynamic_cast<TskThemeListener*>(listener)) return false;
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

bool TskThemeManager::Listed(const TListenerEntry& entry) const {
    return std::any_of(FListeners.begin(), FListeners.end(),
                       [&entry](const TListenerEntry& listed) { return listed.Serial == entry.Serial; });
}

void TskThemeManager::Deliver(TObject* listener, WPARAM code, LPARAM lParam) {
    if (auto* control = dynamic_cast<TControl*>(listener)) {
        if (code == tcColorsChanged && !control->Visible()) return;
        control->Perform(SkThemeMessage, code, lParam);
    } else if (auto* target = dynamic_cast<TskThemeListener*>(listener)) {
        TMessage message;
        message.Msg = SkThemeMessage;
        message.WParam = code;
        message.LParam = lParam;
        target->Dispatch(message);
    }
}

void TskThemeManager::Broadcast(WPARAM code, LPARAM lParam) {
    // Listeners join and leave while they handle the message (a control destroyed in its handler leaves the
    // list): walk a copy, and ask the list before each delivery. Serials tell a listener that left from a new
    // object that happens to reuse its address.
    const std::vector<TListenerEntry> snapshot = FListeners;
    for (const TListenerEntry& entry : snapshot)
        if (Listed(entry)) Deliver(entry.Object, code, lParam);
}

void TskThemeManager::SetCurrentTheme(std::unique_ptr<TskTheme> theme) {
    if (!theme) {
        RemoveCurrentTheme();
        return;
    }
    if (theme.get() == FCurrentTheme.get()) {
        // The caller handed back what we own already; keep one owner.
        theme.release();
        return;
    }
    Broadcast(tcBeginChange, 0);
    const WPARAM code = FCurrentTheme ? tcThemeReplaced : tcThemeSet;
    std::unique_ptr<TskTheme> old = std::move(FCurrentTheme);
    old.reset();
    FCurrentTheme = std::move(theme);
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
