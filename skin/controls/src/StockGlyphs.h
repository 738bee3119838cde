// The stock button kinds' glyph pictures, given to the program as bitmap resources.
#pragma once

// Registers SK_BTN_OK, SK_BTN_CANCEL, SK_BTN_HELP, SK_BTN_YES, SK_BTN_NO, SK_BTN_CLOSE, SK_BTN_ABORT, SK_BTN_RETRY,
// SK_BTN_IGNORE and SK_BTN_ALL with the program's module.
void RegisterStockGlyphs();
