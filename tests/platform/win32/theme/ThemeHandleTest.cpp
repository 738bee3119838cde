// The uxtheme module's handles and answers: what OpenThemeData gives while visual styles are off and on, class
// lists, per-window settings, and the error codes for handles, parts and properties the style does not know.
#include "ThemeFixture.h"

namespace {

TEST(ThemeSwitchTest, OpenThemeDataIsNullWhileVisualStylesAreOff) {
    wintest::ScopedVisualStyles off(false);
    SetLastError(0);
    EXPECT_EQ(OpenThemeData(nullptr, u"Button"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(E_PROP_ID_UNSUPPORTED));
    wintest::SetVisualStylesActive(true);
    HTHEME theme = OpenThemeData(nullptr, u"Button");
    EXPECT_NE(theme, nullptr);
    wintest::SetVisualStylesActive(false);
    // A handle opened before the switch stays a handle until it is closed.
    EXPECT_EQ(CloseThemeData(theme), S_OK);
    EXPECT_EQ(CloseThemeData(theme), E_HANDLE);
}

TEST(ThemeSwitchTest, TheModuleExportsWhatItDraws) {
    HMODULE uxtheme = LoadLibraryA("uxtheme.dll");
    ASSERT_NE(uxtheme, nullptr);
    for (const char* name : {"OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText",
                             "GetThemePartSize", "GetThemeBackgroundContentRect", "GetThemeBackgroundExtent",
                             "GetThemeBackgroundRegion", "HitTestThemeBackground", "GetThemeSysFont",
                             "DrawThemeParentBackground", "SetWindowTheme", "EnableTheming"}) {
        EXPECT_NE(GetProcAddress(uxtheme, name), nullptr) << name;
    }
    using OpenFunction = HTHEME (*)(HWND, LPCWSTR);
    auto open = reinterpret_cast<OpenFunction>(reinterpret_cast<void (*)()>(GetProcAddress(uxtheme, "OpenThemeData")));
    wintest::SetVisualStylesActive(true);
    HTHEME theme = open(nullptr, u"Edit");
    EXPECT_NE(theme, nullptr);
    EXPECT_EQ(CloseThemeData(theme), S_OK);
    wintest::SetVisualStylesActive(false);
    FreeLibrary(uxtheme);
}

TEST_F(ThemeTest, ClassListsTakeTheFirstKnownClass) {
    struct Case {
        const char16_t* list;
        bool opens;
        int part;  // a part only the expected class defines
    } cases[] = {
        {u"Window;Dialog", true, WP_CAPTION},
        {u"Dialog;Window", true, WP_CAPTION},
        {u"BUTTON", true, BP_GROUPBOX},
        {u" Edit ; Button", true, EP_EDITTEXT},
        {u"Explorer::Tab", true, TABP_PANE},
        {u"NoSuchClass", false, 0},
        {u"", false, 0},
        {u";;", false, 0},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        HTHEME theme = Open(c.list);
        EXPECT_EQ(theme != nullptr, c.opens)
            << std::string(c.list, c.list + std::char_traits<char16_t>::length(c.list));
        if (!theme) {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(E_PROP_ID_UNSUPPORTED));
            continue;
        }
        EXPECT_TRUE(IsThemePartDefined(theme, c.part, 0));
    }
}

TEST_F(ThemeTest, HandlesAreDistinctObjects) {
    HTHEME first = Open(u"Button");
    HTHEME second = Open(u"Button");
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(CloseThemeData(nullptr), E_HANDLE);
    EXPECT_EQ(CloseThemeData(reinterpret_cast<HTHEME>(0x1234)), E_HANDLE);
    HTHEME third = OpenThemeData(nullptr, u"Edit");
    ASSERT_EQ(CloseThemeData(third), S_OK);
    RECT rect{0, 0, 10, 10};
    SIZE size{};
    EXPECT_EQ(GetThemePartSize(third, nullptr, EP_EDITTEXT, 1, nullptr, TS_TRUE, &size), E_HANDLE)
        << "a closed handle answers nothing";
    DibCanvas canvas(10, 10);
    EXPECT_EQ(DrawThemeBackground(third, canvas.Dc(), EP_EDITTEXT, 1, &rect, nullptr), E_HANDLE);
}

// Every query in one table: a bad handle, an unknown part and an unknown property, each with Windows' answer.
TEST_F(ThemeTest, UnknownHandlesPartsAndPropertiesAnswerWindowsErrors) {
    HTHEME button = Open(u"Button");
    ASSERT_NE(button, nullptr);
    HTHEME bad = reinterpret_cast<HTHEME>(0x7777);
    DibCanvas canvas(20, 20);
    RECT rect{0, 0, 20, 20};
    RECT out{};
    SIZE size{};
    COLORREF color = 0;
    int number = 0;
    BOOL flag = FALSE;
    MARGINS margins{};
    LOGFONTW font{};
    WCHAR text[32];
    HRGN region = nullptr;
    WORD hit = 0;
    struct Case {
        const char* what;
        std::function<HRESULT(HTHEME, int part, int prop)> call;
        int goodProp;
    };
    const Case cases[] = {
        {"DrawThemeBackground",
         [&](HTHEME t, int p, int) { return DrawThemeBackground(t, canvas.Dc(), p, 1, &rect, nullptr); }, 0},
        {"GetThemePartSize",
         [&](HTHEME t, int p, int) { return GetThemePartSize(t, nullptr, p, 1, &rect, TS_TRUE, &size); }, 0},
        {"GetThemeBackgroundContentRect",
         [&](HTHEME t, int p, int) { return GetThemeBackgroundContentRect(t, nullptr, p, 1, &rect, &out); }, 0},
        {"GetThemeBackgroundExtent",
         [&](HTHEME t, int p, int) { return GetThemeBackgroundExtent(t, nullptr, p, 1, &rect, &out); }, 0},
        {"GetThemeBackgroundRegion",
         [&](HTHEME t, int p, int) { return GetThemeBackgroundRegion(t, nullptr, p, 1, &rect, &region); }, 0},
        {"HitTestThemeBackground",
         [&](HTHEME t, int p, int) {
             return HitTestThemeBackground(t, nullptr, p, 1, 0, &rect, nullptr, POINT{1, 1}, &hit);
         },
         0},
        {"DrawThemeText",
         [&](HTHEME t, int p, int) { return DrawThemeText(t, canvas.Dc(), p, 1, u"A", 1, 0, 0, &rect); }, 0},
        {"GetThemeColor", [&](HTHEME t, int p, int prop) { return GetThemeColor(t, p, 1, prop, &color); },
         TMT_BORDERCOLOR},
        {"GetThemeMetric", [&](HTHEME t, int p, int prop) { return GetThemeMetric(t, nullptr, p, 1, prop, &number); },
         TMT_BORDERSIZE},
        {"GetThemeInt", [&](HTHEME t, int p, int prop) { return GetThemeInt(t, p, 1, prop, &number); }, TMT_BORDERSIZE},
        {"GetThemeBool", [&](HTHEME t, int p, int prop) { return GetThemeBool(t, p, 1, prop, &flag); },
         TMT_TRANSPARENT},
        {"GetThemeMargins",
         [&](HTHEME t, int p, int prop) { return GetThemeMargins(t, nullptr, p, 1, prop, nullptr, &margins); },
         TMT_CONTENTMARGINS},
        {"GetThemeEnumValue", [&](HTHEME t, int p, int prop) { return GetThemeEnumValue(t, p, 1, prop, &number); },
         TMT_BGTYPE},
        {"GetThemeString", [&](HTHEME t, int p, int prop) { return GetThemeString(t, p, 1, prop, text, 32); }, -1},
        {"GetThemeFont", [&](HTHEME t, int p, int prop) { return GetThemeFont(t, nullptr, p, 1, prop, &font); }, -1},
    };
    const int unknownProp = 9999;
    for (const Case& c : cases) {
        EXPECT_EQ(c.call(bad, BP_PUSHBUTTON, c.goodProp), E_HANDLE) << c.what;
        EXPECT_EQ(c.call(button, 42, c.goodProp), E_PROP_ID_UNSUPPORTED) << c.what << ": unknown part";
        EXPECT_EQ(c.call(button, BP_PUSHBUTTON, unknownProp), c.goodProp == 0 ? S_OK : E_PROP_ID_UNSUPPORTED)
            << c.what << ": unknown property";
        if (c.goodProp > 0) {
            EXPECT_EQ(c.call(button, BP_PUSHBUTTON, c.goodProp), S_OK) << c.what;
        }
        if (region) {
            DeleteObject(region);
            region = nullptr;
        }
    }
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, static_cast<HRESULT>(0x80070490));
    EXPECT_FALSE(IsThemePartDefined(button, 42, 0));
    EXPECT_TRUE(IsThemePartDefined(button, BP_PUSHBUTTON, 0));
    EXPECT_TRUE(IsThemePartDefined(button, BP_PUSHBUTTON, 99)) << "the state is not looked at";
    EXPECT_FALSE(IsThemePartDefined(bad, BP_PUSHBUTTON, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(E_HANDLE));
    EXPECT_EQ(GetThemePartSize(button, nullptr, BP_PUSHBUTTON, 1, nullptr, static_cast<THEMESIZE>(7), &size),
              E_INVALIDARG);
    EXPECT_EQ(GetThemePartSize(button, nullptr, BP_PUSHBUTTON, 1, nullptr, TS_TRUE, nullptr), E_POINTER);
}

TEST_F(ThemeTest, PropertyOriginSaysWhereAnAnswerComesFrom) {
    HTHEME edit = Open(u"Edit");
    PROPERTYORIGIN origin = PO_GLOBAL;
    ASSERT_EQ(GetThemePropertyOrigin(edit, EP_EDITTEXT, ETS_FOCUSED, TMT_BORDERCOLOR, &origin), S_OK);
    EXPECT_EQ(origin, PO_STATE);
    ASSERT_EQ(GetThemePropertyOrigin(edit, EP_EDITTEXT, ETS_FOCUSED, TMT_BORDERSIZE, &origin), S_OK);
    EXPECT_EQ(origin, PO_PART);
    ASSERT_EQ(GetThemePropertyOrigin(edit, EP_EDITTEXT, ETS_FOCUSED, 9999, &origin), S_OK);
    EXPECT_EQ(origin, PO_NOTFOUND);
}

TEST_F(ThemeTest, ColoursDifferByStateWhereThePictureDoes) {
    HTHEME edit = Open(u"Edit");
    COLORREF normal = 0, focused = 0, zero = 0;
    ASSERT_EQ(GetThemeColor(edit, EP_EDITTEXT, ETS_NORMAL, TMT_BORDERCOLOR, &normal), S_OK);
    ASSERT_EQ(GetThemeColor(edit, EP_EDITTEXT, ETS_FOCUSED, TMT_BORDERCOLOR, &focused), S_OK);
    ASSERT_EQ(GetThemeColor(edit, EP_EDITTEXT, 0, TMT_BORDERCOLOR, &zero), S_OK);
    EXPECT_NE(normal, focused);
    EXPECT_EQ(zero, normal) << "state 0 is the part's default";
}

TEST_F(ThemeTest, SystemQueriesAnswerTheSystemsSettings) {
    HTHEME window = Open(u"Window");
    EXPECT_EQ(GetThemeSysColor(window, COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetThemeSysSize(window, SM_CXVSCROLL), GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(GetThemeSysSize(window, SM_CXSCREEN), 0) << "not one of the sizes a style sets";
    LOGFONTW caption{}, partFont{};
    EXPECT_EQ(GetThemeSysFont(window, TMT_CAPTIONFONT, &caption), S_OK);
    EXPECT_EQ(GetThemeFont(window, nullptr, WP_CAPTION, CS_ACTIVE, TMT_FONT, &partFont), S_OK);
    EXPECT_EQ(partFont.lfHeight, caption.lfHeight);
    EXPECT_EQ(GetThemeSysFont(window, 12345, &caption), E_PROP_ID_UNSUPPORTED);
    EXPECT_EQ(GetThemeSysFont(reinterpret_cast<HTHEME>(0x4321), TMT_CAPTIONFONT, &caption), E_HANDLE);
    WCHAR text[16];
    EXPECT_EQ(GetThemeSysString(window, TMT_CSSNAME, text, 16), E_PROP_ID_UNSUPPORTED);
    int depth = 0;
    EXPECT_EQ(GetThemeSysInt(window, TMT_MINCOLORDEPTH, &depth), S_OK);
    EXPECT_EQ(GetThemeSysInt(window, 1, &depth), E_PROP_ID_UNSUPPORTED);
    WCHAR name[64], colour[32], size[32];
    ASSERT_EQ(GetCurrentThemeName(name, 64, colour, 32, size, 32), S_OK);
    WCHAR display[32];
    EXPECT_EQ(GetThemeDocumentationProperty(name, u"DisplayName", display, 32), S_OK);
    EXPECT_EQ(GetThemeDocumentationProperty(name, u"NoSuchProperty", display, 32), E_PROP_ID_UNSUPPORTED);
    EXPECT_EQ(GetCurrentThemeName(name, 3, nullptr, 0, nullptr, 0), HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
    wintest::SetVisualStylesActive(false);
    EXPECT_EQ(GetCurrentThemeName(name, 64, nullptr, 0, nullptr, 0), E_PROP_ID_UNSUPPORTED);
}

// WM_THEMECHANGED as SetWindowTheme sends it, and the windows that hear it.
int themeChanged = 0;
LRESULT CALLBACK CountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_THEMECHANGED) ++themeChanged;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class WindowThemeTest : public ThemeTest {
protected:
    void SetUp() override {
        ThemeTest::SetUp();
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = CountingProc;
        windowClass.lpszClassName = u"ThemeTestWindow";
        RegisterClassExW(&windowClass);
        FWindow =
            CreateWindowExW(0, u"ThemeTestWindow", u"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(FWindow, nullptr);
    }
    void TearDown() override {
        DestroyWindow(FWindow);
        ThemeTest::TearDown();
    }
    HWND FWindow = nullptr;
};

TEST_F(WindowThemeTest, SetWindowThemeChangesWhatTheWindowOpens) {
    themeChanged = 0;
    EXPECT_EQ(SetWindowTheme(FWindow, u"", u""), S_OK);
    EXPECT_EQ(themeChanged, 1);
    EXPECT_EQ(Open(u"Button", FWindow), nullptr) << "styles switched off for this window";
    EXPECT_NE(Open(u"Button", nullptr), nullptr) << "other callers still get the class";
    EXPECT_EQ(SetWindowTheme(FWindow, nullptr, u"Edit"), S_OK);
    HTHEME theme = Open(u"Button", FWindow);
    ASSERT_NE(theme, nullptr);
    EXPECT_TRUE(IsThemePartDefined(theme, EP_EDITTEXT, 0)) << "the window's own class list wins";
    EXPECT_EQ(GetWindowTheme(FWindow), theme);
    EXPECT_EQ(CloseThemeData(theme), S_OK);
    EXPECT_EQ(GetWindowTheme(FWindow), nullptr);
    EXPECT_EQ(SetWindowTheme(FWindow, nullptr, nullptr), S_OK);
    EXPECT_EQ(SetWindowTheme(reinterpret_cast<HWND>(0x9999), nullptr, nullptr), E_HANDLE);
}

TEST_F(WindowThemeTest, DialogTextureAndAppProperties) {
    EXPECT_FALSE(IsThemeDialogTextureEnabled(FWindow));
    EXPECT_EQ(EnableThemeDialogTexture(FWindow, ETDT_ENABLETAB), S_OK);
    EXPECT_TRUE(IsThemeDialogTextureEnabled(FWindow));
    EXPECT_EQ(EnableThemeDialogTexture(FWindow, ETDT_DISABLE), S_OK);
    EXPECT_FALSE(IsThemeDialogTextureEnabled(FWindow));
    EXPECT_EQ(EnableThemeDialogTexture(FWindow, 0x100), E_INVALIDARG);
    DWORD original = GetThemeAppProperties();
    EXPECT_EQ(original, static_cast<DWORD>(STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS));
    SetThemeAppProperties(STAP_ALLOW_NONCLIENT);
    EXPECT_EQ(Open(u"Button"), nullptr) << "controls are not themed for this program";
    SetThemeAppProperties(original);
    EXPECT_NE(Open(u"Button"), nullptr);
}

TEST_F(WindowThemeTest, EnableThemingFlipsTheSwitchAndEveryWindowHearsIt) {
    themeChanged = 0;
    EXPECT_EQ(EnableTheming(FALSE), S_OK);
    EXPECT_FALSE(IsThemeActive());
    EXPECT_EQ(themeChanged, 1);
    EXPECT_EQ(EnableTheming(TRUE), S_OK);
    EXPECT_TRUE(IsThemeActive());
    EXPECT_EQ(themeChanged, 2);
}

// A parent that paints a blue square at (10, 10)-(20, 20) of its client area on red.
LRESULT CALLBACK PaintingParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
        RECT all{0, 0, 200, 200}, square{10, 10, 20, 20};
        FillRect(dc, &all, red);
        FillRect(dc, &square, blue);
        DeleteObject(red);
        DeleteObject(blue);
        return 1;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST_F(ThemeTest, ParentBackgroundIsPaintedInTheChildsCoordinates) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = PaintingParentProc;
    windowClass.lpszClassName = u"ThemeTestParent";
    RegisterClassExW(&windowClass);
    HWND parent =
        CreateWindowExW(0, u"ThemeTestParent", u"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExW(0, u"ThemeTestParent", u"", WS_CHILD | WS_VISIBLE, 5, 5, 30, 30, parent, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    DibCanvas canvas(30, 30, 0x00FFFFFFu);
    RECT part{0, 0, 8, 30};
    ASSERT_EQ(DrawThemeParentBackground(child, canvas.Dc(), &part), S_OK);
    EXPECT_EQ(ColorAt(canvas, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(ColorAt(canvas, 5, 5), RGB(0, 0, 255)) << "parent (10, 10) lies at the child's (5, 5)";
    EXPECT_EQ(ColorAt(canvas, 8, 5), RGB(255, 255, 255)) << "only the given rectangle is painted";
    POINT origin{1, 1};
    GetWindowOrgEx(canvas.Dc(), &origin);
    EXPECT_EQ(origin.x, 0) << "the DC is left as it was";
    EXPECT_EQ(DrawThemeParentBackground(parent, canvas.Dc(), nullptr), E_FAIL) << "a top-level window has no parent";
    EXPECT_EQ(DrawThemeParentBackground(reinterpret_cast<HWND>(0x5555), canvas.Dc(), nullptr), E_HANDLE);
    DestroyWindow(parent);
}

}  // namespace
