#pragma once
// Real input for the end-to-end tests and measurements: the system moves the pointer and
// presses the button where a user would, so the palette sees the same messages as from a hand.
#include <windows.h>

namespace zr::test {

inline void MoveTo(POINT screen) {
  ::SetCursorPos(screen.x, screen.y);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dwFlags = MOUSEEVENTF_MOVE;  // a relative move of 0: the window under it is told
  ::SendInput(1, &move, sizeof move);
}

inline void ClickAt(POINT screen) {
  MoveTo(screen);
  INPUT press[2]{};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, press, sizeof press[0]);
}

// The pointer to the screen's bottom-right corner, off the palette: a pointer left over a slot
// would describe that slot when a page loads, and hints would cover the pictures.
inline void MovePointerAway() {
  MoveTo(POINT{::GetSystemMetrics(SM_CXSCREEN) - 2, ::GetSystemMetrics(SM_CYSCREEN) - 2});
}

// A point of a window on the screen, (fx, fy) as fractions of its size.
inline POINT PointIn(HWND window, double fx = 0.5, double fy = 0.5) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return {r.left + static_cast<LONG>((r.right - r.left) * fx),
          r.top + static_cast<LONG>((r.bottom - r.top) * fy)};
}

}  // namespace zr::test
