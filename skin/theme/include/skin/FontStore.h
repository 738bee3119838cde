// The store of original fonts: controls keep a copy of a font before a theme changes it, and get it back later.
#pragma once

class TFont;

// Adds a copy of font under font's address, or refreshes the copy already there.
void StoreFont(TFont& font);
// Assigns the stored copy back to font; nothing when font has none.
void RestoreFont(TFont& font);
// Frees font's copy; nothing when there is none.
void RemoveFont(TFont& font);
bool IsFontStored(const TFont& font);
// Frees every copy (unit finalisation).
void ClearFontStore();
