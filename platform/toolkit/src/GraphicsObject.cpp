// Lazy handles of the drawing objects, and change notification ahead of deleting a replaced handle.
#include <toolkit/GraphicsObject.h>

TGraphicsObject::~TGraphicsObject() {
    if (FHandle) DeleteObject(FHandle);
}

HGDIOBJ TGraphicsObject::HandleNeeded() {
    if (!FHandle) FHandle = CreateHandle();
    return FHandle;
}

void TGraphicsObject::AdoptHandle(HGDIOBJ handle) {
    HGDIOBJ old = FHandle;
    FHandle = handle;
    struct Deleter {
        HGDIOBJ Old;
        ~Deleter() {
            if (Old) DeleteObject(Old);
        }
    } deleter{old == handle ? nullptr : old};
    if (OnChange) OnChange(this);
}

void TGraphicsObject::Changed(bool resource) {
    // A selected object cannot be deleted, so the old handle lives until listeners have deselected it.
    struct Deleter {
        HGDIOBJ Old;
        ~Deleter() {
            if (Old) DeleteObject(Old);
        }
    } deleter{resource ? FHandle : nullptr};
    if (resource) FHandle = nullptr;
    if (OnChange) OnChange(this);
}
