// The parent-background painters, registered by class and found for the most derived class of a parent.
#include <skin/ParentPainters.h>

#include <toolkit/Canvas.h>
#include <toolkit/WinControl.h>

#include <vector>

namespace {

struct TPainterEntry {
    const TClassInfo* ControlClass;
    TskParentPainter Painter;
};

std::vector<TPainterEntry>& Registry() {
    static std::vector<TPainterEntry> registry;
    return registry;
}

}  // namespace

void RegisterParentPainter(const TClassInfo* controlClass, TskParentPainter painter) {
    if (controlClass && painter) Registry().push_back({controlClass, painter});
}

TskParentPainter FindParentPainter(const TControl* control) {
    if (!control) return nullptr;
    const TPainterEntry* best = nullptr;
    const auto& registry = Registry();
    for (auto it = registry.rbegin(); it != registry.rend(); ++it) {
        if (!control->InheritsFrom(it->ControlClass)) continue;
        // Walking back, an entry of the same class is an earlier registration and takes over.
        if (!best || it->ControlClass->InheritsFrom(best->ControlClass)) best = &*it;
    }
    return best ? best->Painter : nullptr;
}

void ClearParentPainters() { Registry().clear(); }

void PaintGroupBoxBackground(TCanvas& canvas, const TskParentPaintInfo& info) {
    if (!info.Parent) return;
    canvas.Brush().SetColor(info.Parent->Color());
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(info.Rect);
}
