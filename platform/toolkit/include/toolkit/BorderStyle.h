// The border styles of forms, and of plain containers (panels, scroll boxes, edits) which use the first two.
#pragma once

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// A container's border: bsNone or bsSingle (the sunken client edge).
using TBorderStyle = TFormBorderStyle;
