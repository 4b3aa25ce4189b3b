#pragma once
// The display scale in dots per inch: of the system, or of the monitor a window is on.
#include <windows.h>

namespace zr::win32 {

// The system's scale (the primary monitor's), 96 when it cannot be read.
int SystemDpi();
// The scale of the monitor the window is on (per-monitor aware), else the system's.
int WindowDpi(HWND window);

}  // namespace zr::win32
