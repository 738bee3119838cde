// The theme's data tables in one include: object colours, system-colour substitutes, fonts and option bytes.
#pragma once

#include <skin/ThemeColors.h>
#include <skin/ThemeFonts.h>
#include <skin/ThemeOptions.h>
#include <skin/ThemeSysColors.h>
