// TskThemeDrawing and TskThemeMetrics: the holders a theme owns for the drawing helpers and metrics of derived
// themes. The base carries only the owning theme.
#pragma once

#include <toolkit/Persistent.h>

class TskTheme;

class TskThemeDrawing : public TPersistent {
    TOOLKIT_CLASS(TskThemeDrawing, TPersistent)

public:
    explicit TskThemeDrawing(TskTheme* theme) : FTheme(theme) {}
    TskTheme* Theme() const { return FTheme; }

private:
    TskTheme* FTheme;
};

class TskThemeMetrics : public TPersistent {
    TOOLKIT_CLASS(TskThemeMetrics, TPersistent)

public:
    explicit TskThemeMetrics(TskTheme* theme) : FTheme(theme) {}
    TskTheme* Theme() const { return FTheme; }

private:
    TskTheme* FTheme;
};
