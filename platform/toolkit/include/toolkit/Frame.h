// TCustomFrame and TFrame: a reusable group of controls with a description of its own, placed inside forms (or
// other containers) like any windowed control; it owns the components its description makes.
#pragma once

#include <toolkit/ScrollingWinControl.h>

#include <string>

class TCustomFrame : public TScrollingWinControl {
    TOOLKIT_CLASS(TCustomFrame, TScrollingWinControl)

public:
    // An empty 320 × 240 frame. A frame class with a description reads it in its own constructor with
    // InitInheritedComponent, after this one has run.
    explicit TCustomFrame(TComponent* owner);

protected:
    // Reads the named description into this frame: its components become the frame's, its events bind to the
    // frame's methods, and Loaded runs once the whole tree is read.
    void InitInheritedComponent(const std::string& name);
};

class TFrame : public TCustomFrame {
    TOOLKIT_CLASS(TFrame, TCustomFrame)

public:
    using TCustomFrame::TCustomFrame;
};
