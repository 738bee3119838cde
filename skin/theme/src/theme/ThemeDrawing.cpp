// The base theme's placeholder look for every object kind but the window: plain fills and frames in fixed
// colours that show at a glance which operation drew what, the content rectangles, and text and images placed
// by their records.
#include <skin/Theme.h>

#include <skin/CanvasUtils.h>
#include <skin/GlyphUtils.h>
#include <skin/PixelOps.h>
#include <skin/RectUtils.h>
#include <skin/SkinBitmap.h>
#include <skin/ThemeTables.h>

#include <vector>

namespace {

void Placeholder(TCanvas& canvas, const RECT& rect, TColor fill, TColor frame) {
    FillRectColor(canvas, rect, fill);
    FrameRectColor(canvas, rect, frame);
}

// By the state byte: 3 disabled, 1 hot, 2 pressed, else normal.
void ScrollBarFace(TCanvas& canvas, const TskPartRecord& part) {
    const TColor fill = part.State == 3 ? clSilver : part.State == 1 ? clBlue : part.State == 2 ? clRed : clGray;
    Placeholder(canvas, part.Rect, fill, clBlack);
}

RECT Inset(const RECT& rect, int dx, int dy) {
    RECT result = rect;
    InflateRect(&result, -dx, -dy);
    return result;
}

TColor Shade(TColor color, int delta) { return static_cast<TColor>(Lighten(ColorToRGB(color), delta) & 0x00FFFFFF); }

void DrawTextIn(TskTheme& theme, TCanvas& canvas, const TskTextInfo& info, const RECT& rect) {
    TskTextInfo placed = info;
    placed.Rect = rect;
    theme.DrawText(canvas, placed);
}

void DrawImage(TCanvas& canvas, const TskImageRecord& image) {
    if (!image.Bitmap || image.Bitmap->Empty()) return;
    if (image.Kind == ikInRect)
        image.Bitmap->Draw(canvas, image.Rect);
    else
        image.Bitmap->Draw(canvas, image.Rect.left, image.Rect.top);
}

void DrawCentered(TCanvas& canvas, TskBitmap* bitmap, const RECT& rect) {
    if (!bitmap || bitmap->Empty()) return;
    RECT box{0, 0, bitmap->Width(), bitmap->Height()};
    CenterRect(box, rect);
    bitmap->Draw(canvas, box.left, box.top);
}

// A check mark three pixels thick in a 16 × 16 cell: the first line draws its top two strokes there and back,
// the second the lowest stroke (LineTo leaves out each end point, so the turns are spelled out).
constexpr POINT kCheckMark[12] = {{4, 7}, {6, 9}, {11, 4}, {11, 5}, {6, 10}, {4, 8},
                                  {4, 9}, {4, 9}, {6, 11}, {11, 6}, {11, 4}, {10, 5}};

void DrawMenuGlyph(TCanvas& canvas, const TskImageRecord& image, const TskPartRecord& part) {
    const RECT& rect = part.Rect;
    RECT cell{0, 0, 16, 16};
    CenterRect(cell, rect);
    switch (part.Part) {
    case 0: {
        std::vector<POINT> outline(kCheckMark, kCheckMark + 7);
        std::vector<POINT> middle(kCheckMark + 7, kCheckMark + 12);
        for (POINT& p : outline) p = POINT{p.x + cell.left, p.y + cell.top};
        for (POINT& p : middle) p = POINT{p.x + cell.left, p.y + cell.top};
        canvas.Pen().SetStyle(psSolid);
        canvas.Pen().SetColor(canvas.Font().Color());
        canvas.Polyline(outline);
        canvas.Polyline(middle);
        break;
    }
    case 1: {
        RECT dot{0, 0, 6, 6};
        CenterRect(dot, rect);
        canvas.Pen().SetStyle(psSolid);
        canvas.Pen().SetColor(clBlack);
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clBlack);
        canvas.Ellipse(dot);
        break;
    }
    case 2: DrawGlyph(canvas, cell, DFC_MENU, canvas.Font().Color(), DFCS_MENUARROW); break;
    case 3: DrawCentered(canvas, image.Bitmap, rect); break;
    default: break;
    }
}

}  // namespace

// Content rectangles.
void TskTheme::HintGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) {
    content = Inset(rect, 10, 13);
}
void TskTheme::PanelGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) { content = rect; }
void TskTheme::ProgressBarGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) {
    content = rect;
}
void TskTheme::StatusBarGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) {
    content = Inset(rect, 5, 2);
}
void TskTheme::EditGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) {
    content = Inset(rect, 3, 3);
}
void TskTheme::GroupBoxGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) { content = rect; }
void TskTheme::Reserved1GetContentRect(TskKind, const TskStateRecord& state, RECT& content, const std::string&) {
    content = state.Rect;
}
void TskTheme::Reserved2GetContentRect(TskKind, const TskStateRecord& state, RECT& content, const std::string&) {
    content = state.Rect;
}
void TskTheme::MenuGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) {
    content = Inset(rect, 3, 5);
}
void TskTheme::DockBarGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) { content = rect; }
void TskTheme::ToolButtonGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) {
    content = Inset(rect, 2, 2);
    content.left += 9;
}
void TskTheme::ScrollBoxGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) {
    content = Inset(rect, 3, 3);
}
void TskTheme::RollPanelGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) { content = rect; }
void TskTheme::TabGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) { content = rect; }
void TskTheme::ListBoxGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) {
    content = Inset(rect, 4, 5);
}
void TskTheme::TreeGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) {
    content = Inset(rect, 2, 2);
}
void TskTheme::GridGetContentRect(TskKind, const RECT& rect, RECT& content, const std::string&) {
    content = Inset(rect, 2, 2);
}

// Hint and label.
void TskTheme::HintDraw(TskKind, TCanvas& canvas, const std::string&, const RECT& rect) {
    Placeholder(canvas, rect, clYellow, clRed);
}
void TskTheme::LabelDrawText(TskKind, TCanvas& canvas, const std::string&, const TskTextInfo& info, std::uint8_t) {
    DrawText(canvas, info);
}

// Panel.
void TskTheme::PanelDraw(TskKind kind, TCanvas& canvas, const std::string&, const RECT& rect) {
    if (kind == 0) {
        FillRectColor(canvas, rect, clSilver);
        Frame3D(canvas, rect, clBtnHighlight, clBtnShadow);
    } else if (kind == 1) {
        FillRectColor(canvas, rect, clSilver);
        FrameRectColor(canvas, rect, clBlack);
        Frame3D(canvas, InflateRectBy(rect, -1), clBtnShadow, clBtnHighlight);
    }
}
void TskTheme::PanelDrawState(TskKind, TCanvas&, const std::string&, const TskPartRecord&) {}
void TskTheme::PanelDrawText(TskKind, TCanvas& canvas, const std::string&, const TskTextInfo& info, const RECT& rect) {
    DrawTextIn(*this, canvas, info, rect);
}

// Button.
void TskTheme::ButtonDraw(TskKind, TCanvas& canvas, const std::string&, const TskStateRecord& state) {
    if (state.State == bstDisabled) return;
    const TColor face = FColors->GetColor(state.State == bstPressed ? ciButtonPressed
                                          : state.State == bstHot   ? ciButtonNormal
                                                                    : ciButtonFocused);
    const TColor light = Shade(face, 30);
    const TColor dark = Shade(face, -30);
    FrameRectColor(canvas, state.Rect, clBlack);
    RECT rest = InflateRectBy(state.Rect, -1);
    if (state.State == bstPressed) {
        Frame3D(canvas, rest, dark, light);
        rest = InflateRectBy(rest, -1);
    } else if (state.State == bstHot) {
        FillRectColor(canvas, RECT{rest.left, rest.top, rest.right, rest.top + 1}, light);
        FillRectColor(canvas, RECT{rest.left, rest.top, rest.left + 1, rest.bottom}, light);
        rest = InflateRectBy(rest, -1);
    } else if (state.State == bstFocused) {
        FillRectColor(canvas, RECT{rest.left, rest.bottom - 1, rest.right, rest.bottom}, dark);
        FillRectColor(canvas, RECT{rest.right - 1, rest.top, rest.right, rest.bottom}, dark);
        rest.right -= 1;
        rest.bottom -= 1;
    }
    FillRectColor(canvas, rest, face);
}
void TskTheme::ButtonDrawText(TskKind, TCanvas& canvas, const std::string&, const TskTextInfo& info,
                              const TskStateRecord& state) {
    DrawTextIn(*this, canvas, info, state.Rect);
}
void TskTheme::ButtonDrawImage(TskKind, TCanvas& canvas, const std::string&, const TskImageRecord& image,
                               const TskStateRecord&) {
    DrawImage(canvas, image);
}

// Check box.
void TskTheme::CheckBoxDraw(TskKind, TCanvas&, const std::string&, const TskStateRecord&) {}
void TskTheme::CheckBoxDrawText(TskKind, TCanvas& canvas, const std::string&, const TskTextInfo& info,
                                const TskStateRecord& state) {
    DrawTextIn(*this, canvas, info, state.Rect);
}

// Splitter and scroll bar.
void TskTheme::SplitterDraw(TskKind, TCanvas& canvas, const std::string&, const RECT& rect) {
    Placeholder(canvas, rect, clYellow, clRed);
}
void TskTheme::ScrollBarDrawBack(TskKind, TCanvas&, const std::string&, const RECT&) {}
void TskTheme::ScrollBarDrawButton(TskKind, TCanvas& canvas, const std::string&, const TskPartRecord& part) {
    ScrollBarFace(canvas, part);
    const RECT arrow = Inset(part.Rect, 5, 4);
    if (part.Part <= 3)
        RoundRectFrame(canvas, arrow, 5, clNavy);
    else if (part.Part == 8 || part.Part == 9)
        FrameRectColor(canvas, arrow, clNavy);
}
void TskTheme::ScrollBarDrawTrack(TskKind, TCanvas& canvas, const std::string&, const TskPartRecord& part) {
    ScrollBarFace(canvas, part);
}

// Progress bar, track bar and header.
void TskTheme::ProgressBarDraw(TskKind, TCanvas&, const std::string&, const TskPartRecord&) {}
void TskTheme::TrackBarDraw(TskKind, TCanvas& canvas, const std::string&, const RECT& rect) {
    Placeholder(canvas, rect, clBlue, clRed);
}
void TskTheme::TrackBarDrawTrack(TskKind, TCanvas&, const std::string&, const TskPartRecord&) {}
void TskTheme::TrackBarDrawThumb(TskKind, TCanvas& canvas, const std::string&, const TskPartRecord& part) {
    Placeholder(canvas, part.Rect, clLime, clBlack);
}
void TskTheme::HeaderDraw(TskKind, TCanvas& canvas, const std::string&, const RECT& rect) {
    Placeholder(canvas, rect, clSilver, clBlack);
}
void TskTheme::HeaderDrawSection(TskKind, TCanvas& canvas, const std::string&, const TskPartRecord& part) {
    Placeholder(canvas, part.Rect, clWhite, clBlue);
}
void TskTheme::HeaderDrawText(TskKind, TCanvas& canvas, const std::string&, const TskTextInfo& info,
                              const TskPartRecord& part) {
    DrawTextIn(*this, canvas, info, part.Rect);
}
void TskTheme::HeaderDrawImage(TskKind, TCanvas& canvas, const std::string&, const TskImageRecord& image,
                               const TskPartRecord&) {
    DrawImage(canvas, image);
}

// Status bar.
void TskTheme::StatusBarDraw(TskKind, TCanvas& canvas, const std::string&, const RECT& rect) {
    Placeholder(canvas, rect, clSilver, clNavy);
}
void TskTheme::StatusBarDrawPanel(TskKind, TCanvas& canvas, const std::string&, const TskStateRecord& state) {
    Placeholder(canvas, state.Rect, clWhite, clGray);
}
void TskTheme::StatusBarDrawText(TskKind, TCanvas& canvas, const std::string&, const TskTextInfo& info,
                                 const TskStateRecord& state) {
    DrawTextIn(*this, canvas, info, state.Rect);
}
void TskTheme::StatusBarDrawImage(TskKind, TCanvas& canvas, const std::string&, const TskImageRecord& image,
                                  const TskStateRecord&) {
    DrawImage(canvas, image);
}

// Edit and group box.
void TskTheme::EditDraw(TskKind, TCanvas& canvas, const std::string&, const TskStateRecord& state) {
    Placeholder(canvas, state.Rect, clBlue, clRed);
}
void TskTheme::EditDrawButton(TskKind, TCanvas& canvas, const std::string&, const TskPartRecord& part) {
    Placeholder(canvas, part.Rect, clYellow, clBlue);
}
void TskTheme::GroupBoxDraw(TskKind, TCanvas& canvas, const std::string&, const TskGroupRecord& group) {
    RECT frame = Inset(group.Rect, 5, 5);
    frame.top += 4;
    FrameRectColor(canvas, frame, clBlack);
}
void TskTheme::GroupBoxDrawText(TskKind, TCanvas& canvas, const std::string&, const TskTextInfo& info,
                                const TskGroupRecord& group) {
    DrawTextIn(*this, canvas, info, group.Rect);
}

// The reserved slots.
void TskTheme::Reserved1Draw(TskKind, TCanvas& canvas, const std::string&, const TskStateRecord& state) {
    Placeholder(canvas, state.Rect, clFuchsia, clBlack);
}
void TskTheme::Reserved2Draw(TskKind, TCanvas&, const std::string&, const TskStateRecord&) {}

// Menu.
void TskTheme::MenuDraw(TskKind, TCanvas& canvas, const std::string&, const RECT& rect) {
    Placeholder(canvas, rect, clWhite, clBlack);
}
void TskTheme::MenuDrawItem(TskKind, TCanvas& canvas, const std::string&, const TskPartRecord& part) {
    const RECT& rect = part.Rect;
    if (part.Part == 1) {
        const int middle = rect.top + RectHeight(rect) / 2;
        FillRectColor(canvas, RECT{rect.left + 3, middle - 1, rect.right - 3, middle + 1}, clRed);
        return;
    }
    const TColor fill = part.State == 3 ? clWhite : part.State == 2 ? clGray : part.State == 1 ? clYellow : clSilver;
    Placeholder(canvas, rect, fill, clRed);
}
void TskTheme::MenuDrawText(TskKind, TCanvas& canvas, const std::string&, const TskTextInfo& info,
                            const TskPartRecord& part) {
    DrawTextIn(*this, canvas, info, part.Rect);
}
void TskTheme::MenuDrawGlyph(TskKind, TCanvas& canvas, const std::string&, const TskImageRecord& image,
                             const TskPartRecord& part) {
    DrawMenuGlyph(canvas, image, part);
}

// Dock bar, tool button and scroll box.
void TskTheme::DockBarDraw(TskKind, TCanvas&, const std::string&, const RECT&) {}
void TskTheme::ToolButtonDraw(TskKind, TCanvas& canvas, const std::string&, const TskStateRecord& state) {
    Placeholder(canvas, state.Rect, clAqua, clNavy);
}
void TskTheme::ToolButtonDrawPart(TskKind, TCanvas&, const std::string&, const TskPartRecord&) {}
void TskTheme::ToolButtonDrawText(TskKind, TCanvas& canvas, const std::string&, const TskTextInfo& info,
                                  const TskStateRecord& state) {
    DrawTextIn(*this, canvas, info, state.Rect);
}
void TskTheme::ToolButtonDrawGlyph(TskKind, TCanvas& canvas, const std::string&, const TskImageRecord& image,
                                   const TskPartRecord& part) {
    DrawMenuGlyph(canvas, image, part);
}
void TskTheme::ScrollBoxDraw(TskKind, TCanvas& canvas, const std::string&, const RECT& rect) {
    Placeholder(canvas, rect, clSilver, clRed);
}

// Roll panel.
void TskTheme::RollPanelDraw(TskKind, TCanvas&, const std::string&, const RECT&) {}
void TskTheme::RollPanelDrawCaption(TskKind, TCanvas& canvas, const std::string&, const TskStateRecord& state) {
    Placeholder(canvas, state.Rect, clBlue, clBlack);
}
void TskTheme::RollPanelDrawButton(TskKind, TCanvas& canvas, const std::string&, const TskPartRecord& part) {
    Placeholder(canvas, part.Rect, clYellow, clRed);
}
void TskTheme::RollPanelDrawPart(TskKind, TCanvas& canvas, const std::string&, const TskPartRecord& part) {
    Placeholder(canvas, part.Rect, clGreen, clBlack);
}
void TskTheme::RollPanelDrawText(TskKind, TCanvas& canvas, const std::string&, const TskTextInfo& info) {
    DrawText(canvas, info);
}

// Tab.
void TskTheme::TabDraw(TskKind, TCanvas& canvas, const std::string&, const RECT& rect) {
    Placeholder(canvas, rect, clSilver, clBlue);
}
void TskTheme::TabDrawTab(TskKind, TCanvas& canvas, const std::string&, const TskPartRecord& part) {
    Placeholder(canvas, part.Rect, clWhite, clRed);
}
void TskTheme::TabDrawButton(TskKind, TCanvas& canvas, const std::string&, const TskPartRecord& part) {
    Placeholder(canvas, part.Rect, clYellow, clRed);
}
void TskTheme::TabDrawText(TskKind, TCanvas& canvas, const std::string&, const TskTextInfo& info,
                           const TskPartRecord& part) {
    DrawTextIn(*this, canvas, info, part.Rect);
}
void TskTheme::TabDrawImage(TskKind, TCanvas& canvas, const std::string&, const TskImageRecord& image,
                            const TskPartRecord&) {
    DrawImage(canvas, image);
}

// List box.
void TskTheme::ListBoxDraw(TskKind, TCanvas& canvas, const std::string&, const RECT& rect) {
    Placeholder(canvas, rect, clWhite, clBlue);
}
void TskTheme::ListBoxDrawBack(TskKind, TCanvas& canvas, const std::string&, const RECT& rect) {
    Placeholder(canvas, rect, clAqua, clBlue);
}
void TskTheme::ListBoxDrawItem(TskKind, TCanvas& canvas, const std::string&, const TskStateRecord& state) {
    static constexpr TColor fills[] = {clWhite, clYellow, clNavy, clBlue, clSilver};
    if (state.State < 5) FillRectColor(canvas, state.Rect, fills[state.State]);
    FrameRectColor(canvas, state.Rect, clBlue);
}
void TskTheme::ListBoxDrawText(TskKind, TCanvas& canvas, const std::string&, const TskTextInfo& info,
                               const TskStateRecord& state) {
    DrawTextIn(*this, canvas, info, state.Rect);
}
void TskTheme::ListBoxDrawCheck(TskKind, TCanvas& canvas, const std::string&, const TskImageRecord& check) {
    RECT box{0, 0, 16, 16};
    CenterRect(box, check.Rect);
    Placeholder(canvas, box, clRed, clBlack);
    if (check.Kind == 0 || check.Kind == 2)
        FillRectColor(canvas, Inset(box, 3, 3), check.Kind == 0 ? clBlack : clGray);
    else if (check.Kind == 3)
        DrawCentered(canvas, check.Bitmap, check.Rect);
}

// Tree and grid.
void TskTheme::TreeDraw(TskKind, TCanvas& canvas, const std::string&, const RECT& rect) {
    Placeholder(canvas, rect, FColors->GetColor(ciTree), clBlack);
}
void TskTheme::TreeDrawItem(TskKind, TCanvas& canvas, const std::string&, const TskStateRecord& state) {
    Placeholder(canvas, state.Rect, clYellow, clBlue);
}
void TskTheme::TreeDrawText(TskKind, TCanvas& canvas, const std::string&, const TskTextInfo& info,
                            const TskStateRecord& state) {
    DrawTextIn(*this, canvas, info, state.Rect);
}
void TskTheme::TreeDrawButton(TskKind, TCanvas&, const std::string&, const TskStateRecord&) {}
void TskTheme::GridDraw(TskKind, TCanvas& canvas, const std::string&, const RECT& rect) {
    Placeholder(canvas, rect, FColors->GetColor(ciGrid), clBlack);
}
void TskTheme::GridDrawCell(TskKind, TCanvas& canvas, const std::string&, const TskPartRecord& part) {
    Placeholder(canvas, part.Rect, part.State == 1 ? clSilver : clWhite, clGray);
}
void TskTheme::GridDrawText(TskKind, TCanvas& canvas, const std::string&, const TskTextInfo& info,
                            const TskPartRecord& part) {
    DrawTextIn(*this, canvas, info, part.Rect);
}
void TskTheme::GridDrawImage(TskKind, TCanvas&, const std::string&, const TskImageRecord&, const TskPartRecord&) {}
