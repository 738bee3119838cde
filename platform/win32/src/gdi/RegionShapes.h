// Scan conversion of the region shapes: rounded rectangles (ellipses are the case whose corners fill the box) and
// polygons, each with the pixel rules GDI's region functions follow.
#pragma once

#include "Region.h"

namespace win32::gdi {

// CreateRoundRectRgn / CreateEllipticRgn. The corners are normalised, then the shape occupies the pixel box
// [left, right - 1) x [top, bottom - 1): region shapes leave out one more column and row than Rectangle does, as
// Windows' do. Corner ellipse sizes are taken by absolute value and capped at the box; one below 2 pixels gives
// the plain box. A pixel of a corner belongs to the region when its centre lies strictly inside the corner's
// ellipse (axes ellipseWidth / 2 and ellipseHeight / 2, centred in its part of the box), tested exactly in
// integers, so the shape is symmetric on both axes. Ellipse() and RoundRect() draw their own outline and do not
// promise to match, just as the two differ on Windows.
Region RoundRectRegion(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);

// CreatePolyPolygonRgn: each polygon is closed implicitly; mode is ALTERNATE or WINDING (not checked here). A
// pixel belongs to the region when the point at its integer coordinates is inside; a point on an edge counts when
// the inside lies to its right or below it, so a polygon tracing the rectangle (0,0)-(10,10) gives exactly that
// rectangle and shared edges between polygons are counted once.
Region PolygonRegion(const POINT* points, const INT* counts, int polygons, int mode);

}  // namespace win32::gdi
