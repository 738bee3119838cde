// The skinned controls' tests: a shown form in a chosen look (visual styles on or off, set by every test, since
// the platform's default may be either), test controls that show their frame and face, and pictures composed of
// several controls' pictures.
#pragma once

#include <skin/ParentBackground.h>
#include <skin/SkControl.h>
#include <skin/SkGraphicControl.h>

#include "../../platform/toolkit/stdctrls/StdCtrlsFixture.h"

#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

enum class Look { Classic, VisualStyles };

inline const char* LookName(Look look) { return look == Look::Classic ? "Classic" : "VisualStyles"; }

// A windowed skinned control whose face is the window colour, so the frame's inner edge shows; like every control
// with a hot look it repaints when the pointer comes and goes.
class TFaceControl : public TSkControl {
public:
    using TSkControl::TSkControl;
    void DoMouseEnter() override {
        TSkControl::DoMouseEnter();
        Invalidate();
    }
    void DoMouseLeave() override {
        TSkControl::DoMouseLeave();
        Invalidate();
    }
    void PaintClient() override {
        ++Paints;
        TCanvas& canvas = *Canvas();
        canvas.Brush().SetColor(clWindow);
        canvas.FillRect(GetInnerRect());
    }
    int Paints = 0;
};

// A window-less skinned control that shows what lies under it and draws a dark cross over it.
class TSeeThrough : public TSkGraphicControl {
public:
    using TSkGraphicControl::TSkGraphicControl;
    void PaintClient() override {
        TCanvas& canvas = *Canvas();
        DrawParentBackground(this, canvas.Handle());
        canvas.Refresh();
        canvas.Pen().SetColor(static_cast<TColor>(RGB(0x40, 0x20, 0x20)));
        canvas.MoveTo(0, 0);
        canvas.LineTo(Width(), Height());
        canvas.MoveTo(Width() - 1, 0);
        canvas.LineTo(-1, Height());
    }
};

// The standard controls' fixture (form, controls added to it, input at their points, pictures of them) with the
// look set first and a coloured form, so see-through controls show what lies under them.
class ControlsTest : public StdCtrlsTest {
protected:
    // Sets the look before anything is made, so every control paints in it from the start.
    void UseLook(Look look) {
        wintest::SetVisualStylesActive(look == Look::VisualStyles);
        Pump();
    }
    void SetUp() override {
        UseLook(Look::Classic);
        StdCtrlsTest::SetUp();
        Form->SetBounds(60, 60, 420, 300);
        Form->SetColor(static_cast<TColor>(RGB(0x60, 0x90, 0xC0)));
    }
    void TearDown() override {
        StdCtrlsTest::TearDown();
        wintest::SetVisualStylesActive(false);
    }

    static void MoveTo(POINT p) {
        wintest::MouseMove(p.x, p.y);
        Pump();
    }
    // Moves the pointer onto the form's bottom-right corner, over no control.
    void Park() { MoveTo(Form->ClientToScreen(POINT{Form->ClientWidth() - 2, Form->ClientHeight() - 2})); }
    static std::string Golden(const std::string& name) {
        return std::string(TEST_SOURCE_DIR) + "/skin/controls/data/" + name + ".png";
    }
};

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

// Cells laid out in rows, each cell top-left aligned in a column as wide as its widest cell, with gap pixels of
// the given colour between and around them.
inline wintest::Picture Grid(const std::vector<std::vector<wintest::Picture>>& rows, int gap, uint32_t colour) {
    std::vector<int> widths;
    std::vector<int> heights;
    for (const auto& row : rows) {
        int height = 0;
        for (size_t i = 0; i < row.size(); ++i) {
            if (widths.size() <= i) widths.push_back(0);
            widths[i] = std::max(widths[i], row[i].Width);
            height = std::max(height, row[i].Height);
        }
        heights.push_back(height);
    }
    wintest::Picture grid;
    grid.Width = gap;
    for (int width : widths) grid.Width += width + gap;
    grid.Height = gap;
    for (int height : heights) grid.Height += height + gap;
    grid.Pixels.assign(static_cast<size_t>(grid.Width) * grid.Height, colour);
    int y = gap;
    for (size_t r = 0; r < rows.size(); ++r) {
        int x = gap;
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const wintest::Picture& cell = rows[r][c];
            for (int py = 0; py < cell.Height; ++py)
                for (int px = 0; px < cell.Width; ++px)
                    grid.Pixels[static_cast<size_t>(y + py) * grid.Width + x + px] = cell.At(px, py);
            x += widths[c] + gap;
        }
        y += heights[r] + gap;
    }
    return grid;
}
