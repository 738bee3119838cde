// The base theme's window: content, caption and button rectangles, hit testing, and the placeholder frame,
// caption, buttons and size grip.
#include <skin/Theme.h>

#include <skin/CanvasUtils.h>
#include <skin/GlyphUtils.h>
#include <skin/PixelOps.h>
#include <skin/RectUtils.h>
#include <skin/SkinBitmap.h>
#include <skin/ThemeTables.h>

namespace {

constexpr int kButtonStep = 22;

bool InRect(const RECT& rect, int x, int y) {
    const POINT point{x, y};
    return PtInRect(&rect, point) != FALSE;
}

int ButtonHitCode(int buttonKind) {
    switch (buttonKind) {
    case wbSysMenu: return whSysMenu;
    case wbClose: return whClose;
    case wbHelp: return whHelp;
    case wbMinimize:
    case wbRestoreMinimized: return whMinimize;
    case wbMaximize:
    case wbRestoreMaximized: return whMaximize;
    case wbRollUp:
    case wbRollDown: return whRoll;
    case wbTray: return whTray;
    default: return whNowhere;
    }
}

// The colour lightened (or, negative, darkened) as a plain RGB value, system colours resolved first.
TColor Shade(TColor color, int delta) { return static_cast<TColor>(Lighten(ColorToRGB(color), delta) & 0x00FFFFFF); }

}  // namespace

void TskTheme::WindowGetContentRect(TskKind, const RECT& windowRect, RECT& rect, const std::string&) {
    rect = RECT{windowRect.left + 4, windowRect.top + 22, windowRect.right - 4, windowRect.bottom - 4};
}

void TskTheme::WindowGetCaptionRect(TskKind kind, const TskWindowInfo& info, RECT& rect, const std::string&) {
    RECT client;
    WindowGetContentRect(kind, info.Rect, client, "default");
    rect = RECT{client.left, 3, client.right, client.top};
}

void TskTheme::WindowGetButtonRect(TskKind kind, const TskWindowInfo& info, RECT& rect, const std::string&,
                                   int buttonKind) {
    RECT client;
    WindowGetContentRect(kind, info.Rect, client, "default");
    if (buttonKind == wbSysMenu) {
        rect = RECT{client.left, 4, client.left + kButtonStep, client.top - 1};
        return;
    }
    // Each button sits left of the ones to its right that the window has: close, maximize, minimize, roll,
    // tray, help. An absent or unknown kind answers the close cell.
    const int close = info.HasButton(wbClose);
    const int maximize = info.HasButton(wbMaximize) || info.HasButton(wbRestoreMaximized);
    const int minimize = info.HasButton(wbMinimize) || info.HasButton(wbRestoreMinimized);
    const int roll = info.HasButton(wbRollUp) || info.HasButton(wbRollDown);
    const int tray = info.HasButton(wbTray);
    int cells = 0;
    if (info.HasButton(buttonKind)) {
        switch (buttonKind) {
        case wbMaximize:
        case wbRestoreMaximized: cells = close; break;
        case wbMinimize:
        case wbRestoreMinimized: cells = close + maximize; break;
        case wbRollUp:
        case wbRollDown: cells = close + maximize + minimize; break;
        case wbTray: cells = close + maximize + minimize + roll; break;
        case wbHelp: cells = close + maximize + minimize + roll + tray; break;
        default: break;
        }
    }
    rect = RECT{client.right - 23, 4, client.right - 1, client.top - 1};
    OffsetRect(&rect, -kButtonStep * cells, 0);
}

int TskTheme::WindowHitTest(TskKind kind, const TskWindowInfo& info, const std::string& name, int x, int y) {
    if (kind != wkStandard && kind != wkDialog && kind != wkBorderOnly && kind != wkToolWindow) return whNowhere;
    RECT client;
    WindowGetContentRect(kind, info.Rect, client, "default");
    const RECT& w = info.Rect;
    const bool left = InRect(RECT{w.left, w.top, client.left, w.bottom}, x, y);
    const bool top = InRect(RECT{w.left, w.top, w.right, client.top}, x, y);
    const bool right = InRect(RECT{client.right, w.top, w.right, w.bottom}, x, y);
    const bool bottom = InRect(RECT{w.left, client.bottom, w.right, w.bottom}, x, y);
    int code = whNowhere;
    if (left) code = whLeft;
    if (top) code = whTop;
    if (right) code = whRight;
    if (bottom) code = whBottom;
    if (left && top) code = whTopLeft;
    if (right && top) code = whTopRight;
    if (left && bottom) code = whBottomLeft;
    if (right && bottom) code = whBottomRight;
    RECT caption;
    WindowGetCaptionRect(kind, info, caption, name);
    if (InRect(caption, x, y)) code = whCaption;
    // Only the buttons the window has: an absent one would answer the close cell and take its clicks.
    for (int buttonKind = wbSysMenu; buttonKind <= wbLastKind; ++buttonKind) {
        if (!info.HasButton(buttonKind)) continue;
        RECT button;
        WindowGetButtonRect(kind, info, button, name, buttonKind);
        if (InRect(button, x, y)) return ButtonHitCode(buttonKind);
    }
    return code;
}

void TskTheme::WindowDraw(TskKind kind, TCanvas& canvas, const std::string&, const TskWindowInfo& info) {
    const RECT& rect = info.Rect;
    RECT client;
    WindowGetContentRect(kind, rect, client, "default");
    const TColor face = FColors->GetColor(ciButtonNormal);
    const TColor border = FColors->GetColor(ciWindowBorder);
    FrameRectColor(canvas, rect, clBlack);
    const RECT inner = InflateRectBy(rect, -1);
    Frame3D(canvas, inner, Shade(face, 100), Shade(face, -100));
    const RECT band = InflateRectBy(inner, -1);
    FillRectColor(canvas, RECT{band.left, band.top, client.left, band.bottom}, border);
    FillRectColor(canvas, RECT{client.right, band.top, band.right, band.bottom}, border);
    FillRectColor(canvas, RECT{client.left, band.top, client.right, client.top}, border);
    FillRectColor(canvas, RECT{client.left, client.bottom, client.right, band.bottom}, border);
    const bool active = (info.State & wsActive) != 0;
    FillRectColor(canvas, RECT{client.left, 3, client.right, client.top},
                  FColors->GetColor(active ? ciCaptionNormal : ciCaptionInactive));
}

void TskTheme::WindowDrawClient(TskKind, TCanvas& canvas, const std::string&, const RECT& rect) {
    FillRectColor(canvas, rect, FColors->GetColor(ciWindow));
}

void TskTheme::WindowDrawCaption(TskKind, TCanvas& canvas, const std::string& name, const RECT& rect,
                                 const TskWindowInfo& info) {
    const bool active = (info.State & wsActive) != 0;
    if (TFont* font = FFonts->GetFont(active ? fiCaptionTextNormal : fiCaptionTextInactive, name))
        canvas.Font().Assign(*font);
    TskTextInfo text;
    MakeTextInfo(rect, info.Caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE, text);
    DrawText(canvas, text);
}

void TskTheme::WindowDrawButton(TskKind, TCanvas& canvas, const std::string&, const TskWindowButtonRecord& button) {
    const RECT& rect = button.Rect;
    const bool pressed = button.State == bstPressed;
    if (button.Kind == wbSysMenu) {
        if (button.Icon && !button.Icon->Empty()) {
            RECT icon{0, 0, button.Icon->Width(), button.Icon->Height()};
            CenterRect(icon, rect);
            button.Icon->Draw(canvas, icon.left, icon.top);
        }
        return;
    }
    const TColor face = FColors->GetColor(button.State == bstHot ? ciButtonHot : ciButtonNormal);
    const TColor light = Shade(face, 100);
    const TColor dark = Shade(face, -100);
    FillRectColor(canvas, rect, face);
    Frame3D(canvas, rect, pressed ? dark : light, pressed ? light : dark);

    const UINT pushed = pressed ? DFCS_PUSHED : 0;
    RECT inset = rect;
    InflateRect(&inset, -4, -5);
    switch (button.Kind) {
    case wbClose: DrawGlyph(canvas, rect, DFC_CAPTION, clBlack, DFCS_CAPTIONCLOSE | pushed); break;
    case wbHelp: DrawGlyph(canvas, rect, DFC_CAPTION, clBlack, DFCS_CAPTIONHELP | pushed); break;
    case wbMinimize: DrawGlyph(canvas, rect, DFC_CAPTION, clBlack, DFCS_CAPTIONMIN | pushed); break;
    case wbRestoreMinimized:
    case wbRestoreMaximized: DrawGlyph(canvas, rect, DFC_CAPTION, clBlack, DFCS_CAPTIONRESTORE | pushed); break;
    case wbMaximize: DrawGlyph(canvas, rect, DFC_CAPTION, clBlack, DFCS_CAPTIONMAX | pushed); break;
    case wbRollUp:
    case wbRollDown: {
        if (pressed) OffsetRect(&inset, -1, -1);
        const int middle = inset.left + RectWidth(inset) / 2;
        if (button.Kind == wbRollUp)
            PolygonFill(canvas, {{inset.left, inset.bottom}, {middle, inset.top}, {inset.right, inset.bottom}},
                        clBlack);
        else
            PolygonFill(canvas, {{inset.left, inset.top}, {middle, inset.bottom}, {inset.right, inset.top}}, clBlack);
        break;
    }
    case wbTray: {
        RECT dot{inset.right - 3, inset.bottom - 3, inset.right, inset.bottom};
        if (!pressed) OffsetRect(&dot, 1, 1);
        FillRectColor(canvas, dot, clBlack);
        break;
    }
    default: break;
    }
}

void TskTheme::WindowDrawSizeGrip(TskKind, TCanvas& canvas, const std::string&, const TskSizeGripRecord& grip) {
    const RECT& rect = grip.Rect;
    FillRectColor(canvas, rect, FColors->GetColor(ciWindowBorder));
    if (!grip.Sizeable) return;
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clGray);
    const int r = rect.right - 3;
    const int b = rect.bottom - 3;
    canvas.Polygon({{r, b - 6}, {r, b}, {r - 6, b}});
    canvas.Polygon({{r - 8, b}, {r - 8 - 4, b}, {r - 8, b - 4}});
}
