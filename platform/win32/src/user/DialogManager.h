// The dialog manager's part that other windows of the system use: moving the focus among a dialog's controls the
// way Tab, the arrows and mnemonics move it.
#pragma once

#include <win32/windows.h>

#include <vector>

namespace win32::user::dialog {

// Gives control the focus; when it is a push button it becomes the dialog's default push button (the others lose
// BS_DEFPUSHBUTTON), as a dialog's default follows the focus from button to button.
void FocusControl(HWND dialog, HWND control);

// IsDialogMessage's own part: takes msg when it is one of the dialog's keys (Tab, arrows, Enter, Esc, a
// mnemonic) and answers true; false leaves it to its window.
bool DialogKey(HWND dialog, const MSG& msg);

// The controls of control's group in z-order, hidden and disabled ones included: from the nearest sibling at or
// before it with WS_GROUP (or the first child) up to the next sibling with WS_GROUP.
std::vector<HWND> GroupOf(HWND control);

}  // namespace win32::user::dialog
