// The painting steps and the caption rule that the skinned controls share.
#include "ControlPaint.h"

#include <skin/CanvasUtils.h>
#include <skin/CodePage.h>
#include <skin/ParentBackground.h>
#include <skin/TextUtils.h>
#include <toolkit/Canvas.h>

void PaintControlBackground(TControl* control, TCanvas& canvas, bool transparent, const RECT& rect, TColor color) {
    if (!transparent) {
        FillRectColor(canvas, rect, color);
        return;
    }
    DrawParentBackground(control, canvas.Handle());
    // The parent drew through the same DC with objects of its own.
    canvas.Refresh();
}

void DrawControlText(TCanvas& canvas, const std::u16string& text, const RECT& rect, UINT flags, bool enabled) {
    RECT place = rect;
    if (enabled) {
        DrawTextEx2(canvas, text, place, flags);
        return;
    }
    canvas.Font().SetColor(clBtnHighlight);
    RECT offset = rect;
    OffsetRect(&offset, 1, 1);
    DrawTextEx2(canvas, text, offset, flags);
    canvas.Font().SetColor(clBtnShadow);
    DrawTextEx2(canvas, text, place, flags);
}

void FollowText(std::u16string& caption, const std::string& text) {
    if (WideToAnsi(caption) != text) caption = WideFromCodePage(CP_ACP, text);
}
