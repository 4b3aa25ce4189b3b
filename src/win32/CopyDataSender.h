#pragma once
// The WM_COPYDATA command message to another process's window.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace zr::win32 {

// Sends WM_COPYDATA (wParam 0) with { dwData, cbData = bytes.size(), lpData = bytes } and
// waits until the window has handled it; returns the window's answer.
LRESULT SendCopyDataMessage(HWND target, ULONG_PTR dwData, const std::vector<std::uint8_t>& bytes);

}  // namespace zr::win32
