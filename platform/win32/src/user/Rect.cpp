// The rectangle helpers of the window manager, with Windows' answers for null pointers and empty rectangles.
#include "geometry/Rects.h"

#include <win32/winuser.h>

#include <algorithm>

using win32::EmptyRect;

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
    if (!lprc) return FALSE;
    lprc->left = xLeft;
    lprc->top = yTop;
    lprc->right = xRight;
    lprc->bottom = yBottom;
    return TRUE;
}

BOOL SetRectEmpty(LPRECT lprc) { return SetRect(lprc, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc) {
    if (!lprcDst || !lprcSrc) return FALSE;
    *lprcDst = *lprcSrc;
    return TRUE;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy) {
    if (!lprc) return FALSE;
    lprc->left -= dx;
    lprc->top -= dy;
    lprc->right += dx;
    lprc->bottom += dy;
    return TRUE;
}

BOOL OffsetRect(LPRECT lprc, int dx, int dy) {
    if (!lprc) return FALSE;
    lprc->left += dx;
    lprc->top += dy;
    lprc->right += dx;
    lprc->bottom += dy;
    return TRUE;
}

BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
    if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
    // An empty source gives nothing even when its coordinates fall inside the other one: the overlap is empty too.
    *lprcDst = win32::Intersection(*lprcSrc1, *lprcSrc2);
    return !EmptyRect(*lprcDst);
}

BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
    if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
    bool empty1 = EmptyRect(*lprcSrc1), empty2 = EmptyRect(*lprcSrc2);
    if (empty1 && empty2) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    if (empty1) {
        *lprcDst = *lprcSrc2;
    } else if (empty2) {
        *lprcDst = *lprcSrc1;
    } else {
        *lprcDst = RECT{std::min(lprcSrc1->left, lprcSrc2->left), std::min(lprcSrc1->top, lprcSrc2->top),
                        std::max(lprcSrc1->right, lprcSrc2->right), std::max(lprcSrc1->bottom, lprcSrc2->bottom)};
    }
    return TRUE;
}

BOOL SubtractRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
    if (!lprcDst || !lprcSrc1 || !lprcSrc2) return FALSE;
    if (EmptyRect(*lprcSrc1)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    RECT source = *lprcSrc1;
    RECT cut;
    *lprcDst = source;
    if (!IntersectRect(&cut, &source, lprcSrc2)) return TRUE;
    if (EqualRect(&cut, &source)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    // Only a cut spanning a whole side leaves a rectangle; any other overlap leaves the source as it was.
    if (cut.top == source.top && cut.bottom == source.bottom) {
        if (cut.left == source.left)
            lprcDst->left = cut.right;
        else if (cut.right == source.right)
            lprcDst->right = cut.left;
    } else if (cut.left == source.left && cut.right == source.right) {
        if (cut.top == source.top)
            lprcDst->top = cut.bottom;
        else if (cut.bottom == source.bottom)
            lprcDst->bottom = cut.top;
    }
    return TRUE;
}

BOOL EqualRect(const RECT* lprc1, const RECT* lprc2) {
    if (!lprc1 || !lprc2) return FALSE;
    return lprc1->left == lprc2->left && lprc1->top == lprc2->top && lprc1->right == lprc2->right &&
           lprc1->bottom == lprc2->bottom;
}

BOOL IsRectEmpty(const RECT* lprc) { return !lprc || EmptyRect(*lprc); }

BOOL PtInRect(const RECT* lprc, POINT pt) {
    if (!lprc) return FALSE;
    return pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}
