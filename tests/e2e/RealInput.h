#pragma once
// Real input for the end-to-end tests and measurements: the system moves the pointer and
// presses the button where a user would, so the palette sees the same messages as from a hand.
#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <string>

namespace zr::test {

inline void MoveTo(POINT screen) {
  ::SetCursorPos(screen.x, screen.y);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dwFlags = MOUSEEVENTF_MOVE;  // a relative move of 0: the window under it is told
  ::SendInput(1, &move, sizeof move);
}

// A click of the left (or the right) button, the pointer moved there first.
inline void ClickAt(POINT screen, bool right = false) {
  MoveTo(screen);
  INPUT press[2]{};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  ::SendInput(2, press, sizeof press[0]);
}

// Key presses one after the other, delivered to the window in front; with `control`, Ctrl is
// held over them all.
inline void PressKeys(std::initializer_list<WORD> virtualKeys, bool control = false) {
  const auto send = [](WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof input);
  };
  if (control) send(VK_CONTROL, false);
  for (const WORD key : virtualKeys) {
    send(key, false);
    send(key, true);
  }
  if (control) send(VK_CONTROL, true);
}

// The pointer to the screen's bottom-right corner, off the palette: a pointer left over a slot
// would describe that slot when a page loads, and hints would cover the pictures.
inline POINT AwayPoint() {
  return {::GetSystemMetrics(SM_CXSCREEN) - 2, ::GetSystemMetrics(SM_CYSCREEN) - 2};
}
inline void MovePointerAway() { MoveTo(AwayPoint()); }

// A point of a window on the screen, (fx, fy) as fractions of its size.
inline POINT PointIn(HWND window, double fx = 0.5, double fy = 0.5) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return {r.left + static_cast<LONG>((r.right - r.left) * fx),
          r.top + static_cast<LONG>((r.bottom - r.top) * fy)};
}

// The text on the clipboard, as a copy in another program puts it there.
inline bool PutOnClipboard(const std::wstring& text) {
  if (!::OpenClipboard(nullptr)) return false;
  ::EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool ok = false;
  if (memory != nullptr) {
    std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
    ::GlobalUnlock(memory);
    ok = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!ok) ::GlobalFree(memory);
  }
  ::CloseClipboard();
  return ok;
}

}  // namespace zr::test
