// Window classes: RegisterClassEx, UnregisterClass, GetClassInfoEx, GetClassName and Get/SetClassLongPtr.
#include "kernel/LastError.h"
#include "user/AnsiConvert.h"
#include "user/ClassTable.h"
#include "user/SystemClasses.h"
#include "user/WndProcCall.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

using win32::Fail;

using namespace win32::user;

namespace {

// GetClassLongPtr indices that winuser.h leaves out because nothing above the platform asks for them.
constexpr int IndexClassExtra = -20;   // GCL_CBCLSEXTRA
constexpr int IndexWindowExtra = -18;  // GCL_CBWNDEXTRA
constexpr int IndexModule = -16;       // GCLP_HMODULE
constexpr int IndexAtom = -32;         // GCW_ATOM

// Class atoms live where Windows puts them, above the integer atoms an application may pass itself.
constexpr ATOM FirstClassAtom = 0xC000;

struct ClassRegistry {
    std::vector<std::shared_ptr<WindowClass>> Classes;
    ATOM NextAtom = FirstClassAtom;
};

ClassRegistry& Registry() {
    static ClassRegistry registry;
    return registry;
}

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool SameName(const std::u16string& a, const char16_t* b) {
    size_t length = std::char_traits<char16_t>::length(b);
    if (a.size() != length) return false;
    for (size_t i = 0; i < length; ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool Matches(const WindowClass& windowClass, const char16_t* nameOrAtom) {
    if (IsIntResource(nameOrAtom))
        return windowClass.Atom == static_cast<ATOM>(reinterpret_cast<uintptr_t>(nameOrAtom));
    return SameName(windowClass.Name, nameOrAtom);
}

// The class exactly as this instance registered it (the one UnregisterClass may remove).
std::vector<std::shared_ptr<WindowClass>>::iterator FindOwn(const char16_t* nameOrAtom, HINSTANCE instance) {
    auto& classes = Registry().Classes;
    return std::find_if(classes.begin(), classes.end(), [&](const std::shared_ptr<WindowClass>& c) {
        return c->Instance == instance && Matches(*c, nameOrAtom);
    });
}

template <class Wndclass>
ATOM Register(const Wndclass* wc, std::u16string name) {
    if (!wc || wc->cbSize != sizeof(Wndclass)) return Fail<ATOM>(0, ERROR_INVALID_PARAMETER);
    if (wc->cbClsExtra < 0 || wc->cbWndExtra < 0 || !wc->lpfnWndProc || name.empty())
        return Fail<ATOM>(0, ERROR_INVALID_PARAMETER);
    if (FindOwn(name.c_str(), wc->hInstance) != Registry().Classes.end())
        return Fail<ATOM>(0, ERROR_CLASS_ALREADY_EXISTS);
    if (wc->style & CS_GLOBALCLASS) {
        for (const auto& existing : Registry().Classes)
            if ((existing->Style & CS_GLOBALCLASS) && SameName(existing->Name, name.c_str()))
                return Fail<ATOM>(0, ERROR_CLASS_ALREADY_EXISTS);
    }
    auto windowClass = std::make_shared<WindowClass>();
    windowClass->Name = std::move(name);
    windowClass->Atom = Registry().NextAtom++;
    windowClass->Style = wc->style;
    windowClass->Proc = wc->lpfnWndProc;
    windowClass->ClassExtra = wc->cbClsExtra;
    windowClass->WindowExtra = wc->cbWndExtra;
    windowClass->Instance = wc->hInstance;
    windowClass->Icon = wc->hIcon;
    windowClass->SmallIcon = wc->hIconSm;
    windowClass->Cursor = wc->hCursor;
    windowClass->Background = wc->hbrBackground;
    windowClass->Extra.assign(static_cast<size_t>(wc->cbClsExtra), 0);
    Registry().Classes.push_back(windowClass);
    return windowClass->Atom;
}

// A class name argument of an A function as UTF-16, or the atom passed through.
struct ClassArgument {
    std::u16string Name;
    const char16_t* Value = nullptr;
    explicit ClassArgument(LPCSTR name) {
        if (IsIntResource(name)) {
            Value = reinterpret_cast<const char16_t*>(name);
        } else {
            Name = AnsiToWide(name);
            Value = Name.c_str();
        }
    }
};

BOOL Unregister(const char16_t* nameOrAtom, HINSTANCE instance) {
    if (!nameOrAtom) return Fail<BOOL>(FALSE, ERROR_CLASS_DOES_NOT_EXIST);
    auto found = FindOwn(nameOrAtom, instance);
    if (found == Registry().Classes.end()) return Fail<BOOL>(FALSE, ERROR_CLASS_DOES_NOT_EXIST);
    // Every window of the class holds a reference to it; the registry holds the other one.
    if (found->use_count() > 1) return Fail<BOOL>(FALSE, ERROR_CLASS_HAS_WINDOWS);
    Registry().Classes.erase(found);
    return TRUE;
}

template <class Wndclass>
void Describe(const WindowClass& windowClass, Wndclass* wc, bool unicode) {
    wc->style = windowClass.Style;
    // A procedure of the other character set reads back as a handle that CallWindowProc converts for.
    wc->lpfnWndProc = ProcAs(windowClass.Proc, windowClass.Unicode, unicode);
    wc->cbClsExtra = windowClass.ClassExtra;
    wc->cbWndExtra = windowClass.WindowExtra;
    wc->hInstance = windowClass.Instance;
    wc->hIcon = windowClass.Icon;
    wc->hCursor = windowClass.Cursor;
    wc->hbrBackground = windowClass.Background;
    wc->lpszMenuName = nullptr;
    wc->hIconSm = windowClass.SmallIcon;
}

Window* WindowOf(HWND hwnd) { return FromHandle(hwnd); }

ULONG_PTR GetClassValue(HWND hwnd, int index) {
    Window* window = WindowOf(hwnd);
    if (!window) return 0;
    WindowClass& windowClass = *window->Class;
    if (index >= 0) {
        if (static_cast<size_t>(index) + sizeof(ULONG_PTR) > windowClass.Extra.size())
            return Fail<ULONG_PTR>(0, ERROR_INVALID_INDEX);
        ULONG_PTR value;
        std::memcpy(&value, windowClass.Extra.data() + index, sizeof(value));
        return value;
    }
    switch (index) {
    case GCL_STYLE: return windowClass.Style;
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(windowClass.Background);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(windowClass.Cursor);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(windowClass.Icon);
    case GCLP_HICONSM: return reinterpret_cast<ULONG_PTR>(windowClass.SmallIcon);
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(windowClass.Proc);
    case IndexClassExtra: return static_cast<ULONG_PTR>(windowClass.ClassExtra);
    case IndexWindowExtra: return static_cast<ULONG_PTR>(windowClass.WindowExtra);
    case IndexModule: return reinterpret_cast<ULONG_PTR>(windowClass.Instance);
    case IndexAtom: return windowClass.Atom;
    default: return Fail<ULONG_PTR>(0, ERROR_INVALID_INDEX);
    }
}

// Stores value in a class field and answers the field's old value, as SetClassLongPtr does.
template <class Field>
ULONG_PTR Exchange(Field& field, LONG_PTR value) {
    ULONG_PTR old;
    if constexpr (std::is_pointer_v<Field>) {
        old = reinterpret_cast<ULONG_PTR>(field);
        field = reinterpret_cast<Field>(value);
    } else {
        old = field;
        field = static_cast<Field>(value);
    }
    return old;
}

ULONG_PTR SetClassValue(HWND hwnd, int index, LONG_PTR value) {
    Window* window = WindowOf(hwnd);
    if (!window) return 0;
    WindowClass& windowClass = *window->Class;
    ULONG_PTR old = 0;
    if (index >= 0) {
        if (static_cast<size_t>(index) + sizeof(LONG_PTR) > windowClass.Extra.size())
            return Fail<ULONG_PTR>(0, ERROR_INVALID_INDEX);
        std::memcpy(&old, windowClass.Extra.data() + index, sizeof(old));
        std::memcpy(windowClass.Extra.data() + index, &value, sizeof(value));
        return old;
    }
    switch (index) {
    case GCL_STYLE: return Exchange(windowClass.Style, value);
    case GCLP_HBRBACKGROUND: return Exchange(windowClass.Background, value);
    case GCLP_HCURSOR: return Exchange(windowClass.Cursor, value);
    case GCLP_HICON: return Exchange(windowClass.Icon, value);
    case GCLP_HICONSM: return Exchange(windowClass.SmallIcon, value);
    case GCLP_WNDPROC:
        // Only windows created afterwards get the new procedure; existing ones keep theirs.
        if (!value) return Fail<ULONG_PTR>(0, ERROR_INVALID_PARAMETER);
        return Exchange(windowClass.Proc, value);
    case IndexModule: return Exchange(windowClass.Instance, value);
    default:
        // The extra byte counts and the atom are fixed once the class exists.
        return Fail<ULONG_PTR>(0, ERROR_INVALID_INDEX);
    }
}

template <class Char>
int CopyName(const std::basic_string<Char>& name, Char* buffer, int size) {
    if (!buffer || size <= 0) return Fail<int>(0, ERROR_INVALID_PARAMETER);
    int count = std::min(static_cast<int>(name.size()), size - 1);
    std::copy(name.begin(), name.begin() + count, buffer);
    buffer[count] = 0;
    return count;
}

}  // namespace

namespace win32::user {

std::shared_ptr<WindowClass> FindClass(const char16_t* nameOrAtom, HINSTANCE instance) {
    RegisterSystemClasses();
    if (!nameOrAtom) return Fail<std::shared_ptr<WindowClass>>(nullptr, ERROR_CANNOT_FIND_WND_CLASS);
    auto& classes = Registry().Classes;
    auto own = FindOwn(nameOrAtom, instance);
    if (own != classes.end()) return *own;
    for (const auto& windowClass : classes)
        if ((windowClass->Style & CS_GLOBALCLASS) && Matches(*windowClass, nameOrAtom)) return windowClass;
    // A class registered by another module of the same process is found too, as one process has one module here.
    for (const auto& windowClass : classes)
        if (Matches(*windowClass, nameOrAtom)) return windowClass;
    return Fail<std::shared_ptr<WindowClass>>(nullptr, ERROR_CANNOT_FIND_WND_CLASS);
}

}  // namespace win32::user

ATOM RegisterClassExW(const WNDCLASSEXW* lpwcx) {
    if (!lpwcx || !lpwcx->lpszClassName) return Fail<ATOM>(0, ERROR_INVALID_PARAMETER);
    if (IsIntResource(lpwcx->lpszClassName)) return Fail<ATOM>(0, ERROR_INVALID_PARAMETER);
    ATOM atom = Register(lpwcx, std::u16string(lpwcx->lpszClassName));
    if (atom) Registry().Classes.back()->Unicode = true;
    return atom;
}

ATOM RegisterClassExA(const WNDCLASSEXA* lpwcx) {
    if (!lpwcx || !lpwcx->lpszClassName) return Fail<ATOM>(0, ERROR_INVALID_PARAMETER);
    if (IsIntResource(lpwcx->lpszClassName)) return Fail<ATOM>(0, ERROR_INVALID_PARAMETER);
    ATOM atom = Register(lpwcx, AnsiToWide(lpwcx->lpszClassName));
    if (atom) Registry().Classes.back()->Unicode = false;
    return atom;
}

BOOL UnregisterClassW(LPCWSTR lpClassName, HINSTANCE hInstance) { return Unregister(lpClassName, hInstance); }

BOOL UnregisterClassA(LPCSTR lpClassName, HINSTANCE hInstance) {
    ClassArgument name(lpClassName);
    return Unregister(name.Value, hInstance);
}

BOOL GetClassInfoExW(HINSTANCE hInstance, LPCWSTR lpszClass, LPWNDCLASSEXW lpwcx) {
    if (!lpwcx) return Fail<BOOL>(FALSE, ERROR_INVALID_PARAMETER);
    auto windowClass = FindClass(lpszClass, hInstance);
    if (!windowClass) return Fail<BOOL>(FALSE, ERROR_CLASS_DOES_NOT_EXIST);
    Describe(*windowClass, lpwcx, true);
    lpwcx->lpszClassName = lpszClass;
    // The documented answer is the class atom, returned as the BOOL.
    return windowClass->Atom;
}

BOOL GetClassInfoExA(HINSTANCE hInstance, LPCSTR lpszClass, LPWNDCLASSEXA lpwcx) {
    if (!lpwcx) return Fail<BOOL>(FALSE, ERROR_INVALID_PARAMETER);
    ClassArgument name(lpszClass);
    auto windowClass = FindClass(name.Value, hInstance);
    if (!windowClass) return Fail<BOOL>(FALSE, ERROR_CLASS_DOES_NOT_EXIST);
    Describe(*windowClass, lpwcx, false);
    lpwcx->lpszClassName = lpszClass;
    return windowClass->Atom;
}

int GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount) {
    Window* window = FromHandle(hWnd);
    if (!window) return 0;
    return CopyName(window->Class->Name, lpClassName, nMaxCount);
}

int GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
    Window* window = FromHandle(hWnd);
    if (!window) return 0;
    std::string name = WideToAnsi(window->Class->Name);
    // A double-byte character that does not fit whole is left out rather than cut in half.
    if (lpClassName && nMaxCount > 0 && static_cast<int>(name.size()) > nMaxCount - 1) {
        size_t keep = 0;
        while (keep < name.size()) {
            size_t step = (static_cast<unsigned char>(name[keep]) >= 0x81 && keep + 1 < name.size()) ? 2 : 1;
            if (static_cast<int>(keep + step) > nMaxCount - 1) break;
            keep += step;
        }
        name.resize(keep);
    }
    return CopyName(name, lpClassName, nMaxCount);
}

ULONG_PTR GetClassLongPtrW(HWND hWnd, int nIndex) { return GetClassValue(hWnd, nIndex); }
ULONG_PTR GetClassLongPtrA(HWND hWnd, int nIndex) { return GetClassValue(hWnd, nIndex); }
ULONG_PTR SetClassLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) { return SetClassValue(hWnd, nIndex, dwNewLong); }
ULONG_PTR SetClassLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) { return SetClassValue(hWnd, nIndex, dwNewLong); }
