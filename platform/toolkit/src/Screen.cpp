// TScreen and TMouse: thin views of the window manager's metrics, active window, cursor and pointer.
#include <toolkit/Screen.h>

#include <toolkit/Form.h>
#include <toolkit/List.h>

#include <algorithm>

namespace {

TScreen screenInstance(nullptr);
TMouse mouseInstance;

struct TCursorMapping {
    int Cursor;
    LPCSTR Id;
};

// The toolkit's cursor numbers that show a standard cursor; others (crNone, the drag cursors) have no handle.
const TCursorMapping kCursors[] = {
    {0, IDC_ARROW},   {-2, IDC_ARROW},        {-3, IDC_CROSS},  {-4, IDC_IBEAM},    {-6, IDC_SIZENESW},
    {-7, IDC_SIZENS}, {-8, IDC_SIZENWSE},     {-9, IDC_SIZEWE}, {-10, IDC_UPARROW}, {-11, IDC_WAIT},
    {-18, IDC_NO},    {-19, IDC_APPSTARTING}, {-20, IDC_HELP},  {-21, IDC_HAND},    {-22, IDC_SIZEALL},
};

}  // namespace

TScreen* Screen = &screenInstance;
TMouse* Mouse = &mouseInstance;

RECT TScreen::WorkAreaRect() const {
    RECT area{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) area = RECT{0, 0, Width(), Height()};
    return area;
}

int TScreen::WorkAreaWidth() const {
    RECT area = WorkAreaRect();
    return area.right - area.left;
}

int TScreen::WorkAreaHeight() const {
    RECT area = WorkAreaRect();
    return area.bottom - area.top;
}

TCustomForm* TScreen::Forms(int index) const {
    if (index < 0 || index >= FormCount()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FForms[static_cast<size_t>(index)];
}

TCustomForm* TScreen::ActiveForm() const {
    HWND active = GetActiveWindow();
    if (!active) return nullptr;
    for (TCustomForm* form : FForms)
        if (form->HandleAllocated() && form->Handle() == active) return form;
    return nullptr;
}

void TScreen::SetCursor(int value) {
    if (value == FCursor) return;
    FCursor = value;
    // The new shape shows at once; while it is not crDefault the forms answer WM_SETCURSOR with it.
    ::SetCursor(Cursors(value));
}

HCURSOR TScreen::Cursors(int index) const {
    for (const TCursorMapping& mapping : kCursors)
        if (mapping.Cursor == index) return LoadCursorA(nullptr, mapping.Id);
    return nullptr;
}

void TScreen::AddForm(TCustomForm* form) {
    if (std::find(FForms.begin(), FForms.end(), form) == FForms.end()) FForms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
}

POINT TMouse::CursorPos() const {
    POINT point{};
    GetCursorPos(&point);
    return point;
}

void TMouse::SetCursorPos(const POINT& value) { ::SetCursorPos(value.x, value.y); }

void TMouse::SetCapture(HWND value) {
    if (value)
        ::SetCapture(value);
    else
        ReleaseCapture();
}

int TMouse::WheelScrollLines() const {
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return static_cast<int>(lines);
}
