// TSkSubScrollBar: the two overlays (vertical and horizontal) a window puts over its own scroll bars, fed with
// every message of that window before it handles it.
#pragma once

#include <skin/SkInplaceScrollBar.h>
#include <toolkit/Component.h>

class TSkSubScrollBar : public TComponent {
    TOOLKIT_CLASS(TSkSubScrollBar, TComponent)

public:
    TSkSubScrollBar(TComponent* owner, TWinControl* target, const TSkScrollBarFactory& factory = nullptr);
    ~TSkSubScrollBar() override;

    TWinControl* Target() const { return FTarget; }
    // nullptr lets go of the target: the pair and both overlays are finished.
    void SetTarget(TWinControl* target);
    bool Finished() const { return FFinished; }
    TSkInplaceScrollBar* VertOverlay() const { return FVert; }
    TSkInplaceScrollBar* HorzOverlay() const { return FHorz; }

    // Both overlays into parent, the window the target now lies in.
    void SetParent(TWinControl* parent);
    void Synchronise();
    // Every message of the target, before the target handles it.
    void TargetMessage(const TMessage& message);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TWinControl* FTarget;
    TSkInplaceScrollBar* FVert = nullptr;
    TSkInplaceScrollBar* FHorz = nullptr;
    bool FFinished = false;
};
