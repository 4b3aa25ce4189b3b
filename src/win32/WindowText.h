#pragma once
// The text of a window (a control's caption or content).
#include <windows.h>

#include <string>

namespace zr::win32 {

std::wstring WindowTextW(HWND window);
// UTF-8.
std::string WindowText(HWND window);

}  // namespace zr::win32
