// System glyphs recoloured without their button face, and pictures reduced to a translucent silhouette (the
// disabled look of images).
#pragma once

#include <skin/SkinBitmap.h>
#include <toolkit/Canvas.h>
#include <win32/windef.h>

// The glyph DrawFrameControl draws for (type, state) in rect's size (DFC_CAPTION with DFCS_CAPTIONCLOSE, DFC_MENU
// with DFCS_MENUARROW, ...), alone and in color, at rect's top-left; nothing for an empty rect or a type and
// state DrawFrameControl refuses.
void DrawGlyph(TCanvas& canvas, const RECT& rect, UINT frameControlType, TColor color, UINT frameControlState);
// The shape of bitmap (every pixel with alpha, key-coloured ones excepted) in color at alpha 100 of 255, blended
// at (x, y). bitmap itself is not changed.
void DrawSilhouette(TCanvas& canvas, int x, int y, TColor color, const TskBitmap& bitmap);
