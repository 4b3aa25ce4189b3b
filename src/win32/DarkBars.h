#pragma once
// Dark painting of the status bar and of the horizontal up-down arrows. Both stay the
// system's controls (texts, positions, notifications); only their painting is replaced.
#include <windows.h>

namespace zr::win32 {

// Parts whose bit is set in `centredParts` show their text centred.
void InstallDarkStatusBar(HWND statusBar, unsigned centredParts);
// A horizontal up-down control: previous arrow on the left, next on the right.
void InstallDarkUpDown(HWND upDown);

}  // namespace zr::win32
