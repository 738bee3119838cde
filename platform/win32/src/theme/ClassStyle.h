// One visual-style class (Window, Button, Edit...): which parts it defines, their measures and colours, and how
// each part is drawn. The uxtheme functions answer from these and nothing else, so what is measured is what is
// drawn.
#pragma once

#include "theme/ThemeCanvas.h"

#include <win32/uxtheme.h>

#include <string_view>

namespace win32::theme {

// A colour the part does not have.
constexpr COLORREF NoColor = CLR_INVALID;

struct PartMetrics {
    int states = 1;               // the highest state; 0 and unknown states draw as the part's first state
    SIZE trueSize{0, 0};          // TS_TRUE; 0 along an axis the part stretches
    SIZE minSize{0, 0};           // TS_MIN
    MARGINS content{0, 0, 0, 0};  // the painted border and padding around the content rectangle
    int border = 0;               // TMT_BORDERSIZE
    int radius = 0;               // rounded corners (TMT_ROUNDCORNERWIDTH and HEIGHT)
    unsigned corners = AllCorners;
    bool fixedSize = false;    // drawn at its true size, centred in the rectangle it is given
    bool transparent = false;  // leaves some pixels of its rectangle untouched
    bool borderOnly = false;   // draws its border and nothing inside
};

struct PartColors {
    COLORREF fill = NoColor;
    COLORREF border = NoColor;
    COLORREF text = NoColor;
};

class ClassStyle {
public:
    virtual ~ClassStyle() = default;
    // False for a part the class does not define.
    virtual bool Metrics(int part, PartMetrics& metrics) const = 0;
    // state is already in 1..states.
    virtual PartColors Colors(int part, int state) const = 0;
    // rect is in surface coordinates: the part's rectangle, or for fixed-size parts its true-size square.
    virtual void Draw(ThemeCanvas& canvas, int part, int state, const RECT& rect) const = 0;
    // Integer properties of the class beyond the common measures (TMT_PROGRESSCHUNKSIZE...); false: not defined.
    virtual bool Int(int part, int prop, int& value) const {
        (void)part, (void)prop, (void)value;
        return false;
    }
    // The system font (TMT_CAPTIONFONT...) a part's text is set in, or 0 for none of its own.
    virtual int Font(int part) const {
        (void)part;
        return 0;
    }
};

// The class named (any case), or null.
const ClassStyle* FindClassStyle(std::u16string_view name);

// The families, one file each.
const ClassStyle& WindowStyle();
const ClassStyle& ButtonStyle();
const ClassStyle& EditStyle();
const ClassStyle& ComboBoxStyle();
const ClassStyle& SpinStyle();
const ClassStyle& ScrollBarStyle();
const ClassStyle& TabStyle();
const ClassStyle& ProgressStyle();
const ClassStyle& MenuStyle();
const ClassStyle& TooltipStyle();

}  // namespace win32::theme
