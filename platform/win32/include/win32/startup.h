// Our own addition for a program's start-up.
#pragma once

namespace win32 {

// Starts, on a worker thread, the one-time work that the first window would otherwise wait for: reading the font
// configuration, resolving the user-interface faces and building the code page 936 tables. A program calls it
// first thing, so that the work overlaps what it does meanwhile (opening its display); the first use of any of it
// waits until it is done. Later calls do nothing; without a thread the work happens at first use, as before.
void PrepareInBackground();

}  // namespace win32
