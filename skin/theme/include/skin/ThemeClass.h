// Theme classes as values: what a theme class can do (TskThemeConfig) and its class methods and virtual
// constructor (TskThemeClass), which the theme manager registers and creates themes through.
#pragma once

#include <toolkit/Object.h>

#include <cstdint>
#include <memory>
#include <string>

class TskTheme;
class TStream;

struct TskThemeConfig {
    std::uint8_t Procedural = 0;  // drawn by code, needs no file
    std::uint8_t CanSave = 0;
    std::uint8_t CanLoad = 0;
    std::string Filter;      // file-dialog filter, "Kind (*.ext)|*.ext|..."
    std::string DefaultExt;  // without the dot
};

// One object per theme class (TskTheme::ThemeClassRef(), or ThemeClass() of an instance). Compare them by
// address, or through ClassInfo() for InheritsFrom and the class name.
class TskThemeClass {
public:
    TskThemeClass() = default;
    TskThemeClass(const TskThemeClass&) = delete;
    TskThemeClass& operator=(const TskThemeClass&) = delete;
    virtual ~TskThemeClass() = default;

    virtual const TClassInfo* ClassInfo() const = 0;
    // A new theme of this class with its defaults filled in.
    virtual std::unique_ptr<TskTheme> Create() const = 0;
    virtual void GetKindName(std::string& name) const = 0;
    virtual void GetConfig(TskThemeConfig& config) const = 0;
    // Whether the stream, from its position, holds a theme of this class; the position may move.
    virtual bool IsThemeStream(TStream& stream) const = 0;
};

// The class object of T, forwarding to T's static GetKindName, GetConfig and IsThemeStream (a theme class
// hides its base's with its own) and to T's default constructor.
template <class T>
class TskThemeClassOf final : public TskThemeClass {
public:
    const TClassInfo* ClassInfo() const override { return T::ClassInfo(); }
    std::unique_ptr<TskTheme> Create() const override { return std::make_unique<T>(); }
    void GetKindName(std::string& name) const override { T::GetKindName(name); }
    void GetConfig(TskThemeConfig& config) const override { T::GetConfig(config); }
    bool IsThemeStream(TStream& stream) const override { return T::IsThemeStream(stream); }
};

// In the body of each class derived from TskTheme, after TOOLKIT_CLASS: SK_THEME_CLASS(TMyTheme).
#define SK_THEME_CLASS(ThisClass)                                                \
public:                                                                          \
    static const TskThemeClass* ThemeClassRef() {                                \
        static const TskThemeClassOf<ThisClass> themeClass;                      \
        return &themeClass;                                                      \
    }                                                                            \
    const TskThemeClass* ThemeClass() const override { return ThemeClassRef(); } \
                                                                                 \
private:
