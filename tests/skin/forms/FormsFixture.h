// The form side's tests: the controls' fixture (a shown form in a chosen look, injected input, crops) with the
// scroll events a bar raises, recorded in order, and the form side's golden pictures.
#pragma once

#include "../controls/ControlsFixture.h"

#include <skin/SkScrollBar.h>

#include <string>
#include <vector>

struct ScrollEvent {
    int Code;
    int Position;
    bool operator==(const ScrollEvent& other) const { return Code == other.Code && Position == other.Position; }
};

inline std::ostream& operator<<(std::ostream& out, const ScrollEvent& e) {
    static const char* names[] = {"LineUp", "LineDown", "PageUp", "PageDown", "Position",
                                  "Track",  "Top",      "Bottom", "EndScroll"};
    return out << (e.Code >= 0 && e.Code <= 8 ? names[e.Code] : "?") << "(" << e.Position << ")";
}

inline bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

class FormsTest : public ControlsTest {
protected:
    static std::string Golden(const std::string& name) {
        return std::string(TEST_SOURCE_DIR) + "/skin/forms/data/" + name + ".png";
    }
    // A bar on the form whose scroll events land in Events.
    TSkScrollBar* AddBar(int left, int top, int width, int height, TSkScrollOrientation orientation) {
        auto* bar = Add<TSkScrollBar>(left, top, width, height);
        bar->SetOrientation(orientation);
        bar->OnScroll = [this](TObject*, TSkScrollCode code, int& position) { Events.push_back({code, position}); };
        return bar;
    }
    // Where point p of control lies on the screen.
    static POINT AtPoint(TControl* control, POINT p) { return At(control, p.x, p.y); }
    static POINT Middle(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    std::vector<ScrollEvent> Events;
};
