// TWinControl's painting: the window itself, then its window-less children on top, directly or through an
// off-screen bitmap when DoubleBuffered.
#include <toolkit/WinControl.h>

void TWinControl::PaintWindow(HDC dc) {
    TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(message);
}

void TWinControl::PaintHandler(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    PAINTSTRUCT ps{};
    if (!dc) dc = BeginPaint(FHandle, &ps);
    try {
        if (FControls.empty()) {
            PaintWindow(dc);
        } else {
            // Opaque window-less children cover their part of the window: leave it out of the window's own paint.
            int saved = SaveDC(dc);
            int clip = SIMPLEREGION;
            for (TControl* child : FControls) {
                if (!child->Visible() || !child->ControlStyle().Contains(csOpaque)) continue;
                clip = ExcludeClipRect(dc, child->Left(), child->Top(), child->Left() + child->Width(),
                                       child->Top() + child->Height());
                if (clip == NULLREGION) break;
            }
            if (clip != NULLREGION) PaintWindow(dc);
            RestoreDC(dc, saved);
        }
        PaintControls(dc, nullptr);
    } catch (...) {
        if (!message.WParam) EndPaint(FHandle, &ps);
        throw;
    }
    if (!message.WParam) EndPaint(FHandle, &ps);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    size_t start = 0;
    if (first) {
        for (size_t i = 0; i < FControls.size(); ++i)
            if (FControls[i] == first) start = i;
    }
    // A handler may change the list while painting: index against its current size.
    for (size_t i = start; i < FControls.size(); ++i) {
        TControl* child = FControls[i];
        RECT bounds = child->BoundsRect();
        if (!child->Visible() || !RectVisible(dc, &bounds)) continue;
        if (ControlState().Contains(csPaintCopy))
            child->SetControlState(child->ControlState() + TControlState{csPaintCopy});
        int saved = SaveDC(dc);
        POINT origin{};
        GetWindowOrgEx(dc, &origin);
        SetWindowOrgEx(dc, origin.x - child->Left(), origin.y - child->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
        child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
        child->SetControlState(child->ControlState() - TControlState{csPaintCopy});
    }
}

void TWinControl::PaintBuffered(TMessage& message) {
    RECT client = ClientRect();
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(FHandle, &ps);
    try {
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(memory));
        TMessage buffered{WM_PAINT, reinterpret_cast<WPARAM>(memory), 0, 0};
        if (!ControlState().Contains(csCustomPaint) && ControlCount() == 0)
            DefaultHandler(buffered);
        else
            PaintHandler(buffered);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    } catch (...) {
        EndPaint(FHandle, &ps);
        SelectObject(memory, oldBitmap);
        DeleteDC(memory);
        DeleteObject(bitmap);
        throw;
    }
    EndPaint(FHandle, &ps);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
    DeleteObject(bitmap);
    message.Result = 0;
}
