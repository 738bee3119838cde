// TGraphicsObject: the base of TFont, TPen and TBrush, owning a GDI handle made lazily from its values.
#pragma once

#include <toolkit/Persistent.h>
#include <win32/windows.h>

#include <functional>

class TGraphicsObject : public TPersistent {
    TOOLKIT_CLASS(TGraphicsObject, TPersistent)

public:
    TGraphicsObject() = default;
    TGraphicsObject(const TGraphicsObject&) = delete;
    TGraphicsObject& operator=(const TGraphicsObject&) = delete;
    ~TGraphicsObject() override;

    // Fired after every change of a value, once per change.
    TNotifyEvent OnChange;

    // True when the handle exists; reading Handle makes it.
    bool HandleAllocated() const { return FHandle != nullptr; }

protected:
    // Makes the GDI object from the current values; the object owns it from then on.
    virtual HGDIOBJ CreateHandle() const = 0;
    HGDIOBJ HandleNeeded();
    // Replaces the owned handle by one the caller made, deleting the old one after listeners let it go.
    void AdoptHandle(HGDIOBJ handle);
    // resource: the change alters the GDI object (a TFont's colour does not). Listeners hear of the change
    // before the old handle is deleted, so a canvas can deselect it first.
    void Changed(bool resource = true);

private:
    HGDIOBJ FHandle = nullptr;
};
