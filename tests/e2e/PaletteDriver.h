#pragma once
// Drives a running palette from another process, as a user or an automation tool would:
// starts the program, finds its window and controls, sends real window messages and reads
// the controls back. Messages whose data the system does not carry across processes
// (status bar and tooltip texts) go through a buffer in the palette's own memory; the
// others (window and list texts) must not, since the system copies their data itself.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <functional>
#include <string>

#include "win32/PaletteControlIds.h"

namespace zr::test {

// The system's window classes of a menu and of a dialog (message boxes are dialogs).
inline constexpr wchar_t kMenuClass[] = L"#32768";
inline constexpr wchar_t kDialogClass[] = L"#32770";

class PaletteDriver {
 public:
  using Clock = std::chrono::steady_clock;

  PaletteDriver() = default;
  PaletteDriver(const PaletteDriver&) = delete;
  PaletteDriver& operator=(const PaletteDriver&) = delete;
  // Ends the palette whatever happened: a close request first, then termination.
  ~PaletteDriver();

  // Starts the executable with its folder as working folder; false when it cannot start.
  bool Launch(const std::wstring& exePath);
  Clock::time_point LaunchTime() const { return launchTime_; }
  // Waits for the palette's main window; false on timeout.
  bool WaitForWindow(std::chrono::milliseconds timeout);
  // Polls until `done` holds; false on timeout.
  static bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
  // Waits until the window and its children have nothing left to paint, for a screenshot.
  static bool WaitPainted(HWND window, std::chrono::milliseconds timeout);
  // Asks the palette to close and waits for the process to end; its exit code, or -1.
  int Close(std::chrono::milliseconds timeout);
  // Ends the process at once, as the system does at the end of a session; false when it
  // did not end.
  bool Kill();

  HWND Window() const { return window_; }
  HWND Control(int id) const { return ::GetDlgItem(window_, id); }
  HWND SlotPanel(int slot) const;
  HWND SlotPicture(int slot) const;
  DWORD ProcessId() const { return process_.dwProcessId; }

  std::wstring Text(HWND control) const;
  std::wstring StatusText(int panel) const;
  int CategoryCount() const;
  int CategoryIndex() const;
  std::wstring CategoryAt(int index) const;
  // The hint the tooltip shows for a control.
  std::wstring Hint(HWND control) const;
  bool IsEnabled(int id) const { return ::IsWindowEnabled(Control(id)) != FALSE; }
  // The control with the keyboard focus in the palette's thread.
  HWND Focus() const;
  // A control's place in the palette's client area (or in its parent's, when given).
  RECT PlaceOf(HWND control, HWND parent = nullptr) const;

  // User actions.
  void ChooseCategory(int index) const;    // select in the box, as a choice from its list
  // A character typed into the category box over its whole text.
  void Type(wchar_t character) const;
  void ClickUpDown(bool next) const;       // a mouse click on one arrow of the up-down
  void Click(int buttonId) const;          // BM_CLICK
  // A wheel turn with the mouse at a point of the palette's client area; the message goes
  // through the palette's queue to the control with the focus, as the system sends it.
  void Wheel(int clientX, int clientY, int delta) const;

  // The palette's client area as it is on the screen, as a 24-bit bitmap file; with a
  // rectangle, that part of the screen.
  bool SaveScreenshot(const std::wstring& path) const;
  static bool SaveScreenshot(const std::wstring& path, const RECT& screenRect);
  // The palette and another of its windows (a menu, a dialog) in one picture, once both are
  // painted.
  bool SaveScreenshotWith(HWND other, const std::wstring& path) const;
  // The number of pixels of a control on the screen that are not black.
  static int LitPixels(HWND control);
  // The opened list of the category box, when it is shown.
  HWND CategoryList() const;

  // Where the input goes now, for failure messages: the foreground window, and the palette
  // thread's active, focus and capture windows and menu mode.
  std::string InputState() const;
  // Waits until no menu loop runs in the palette's thread.
  bool MenuLoopEnded() const;
  // Opens the context menu with a real right click over `control` and waits until its menu
  // loop runs, the pointer moved off the menu first; the menu window, or none. A pointer left
  // over the menu moves its selection whenever a mouse move is read there (the system reports
  // one when the menu appears under it, late on a busy machine), in between the test's keys;
  // so it returns once the pointer has rested away for a moment.
  HWND OpenContextMenu(HWND control) const;
  // With a menu open and an entry with a submenu selected: opens the submenu with the right
  // arrow key and waits until it is shown and its menu loop reads the queue, so that the keys
  // that follow go to the submenu and not to an entry of the menu still being left.
  bool OpenSubmenu() const;

  // The palette's other windows (real input is in RealInput.h).
  // A visible top-level window of the palette's process with the class (kMenuClass,
  // kDialogClass), or none.
  HWND ProcessWindow(const wchar_t* className) const;

 private:
  LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
  Clock::time_point launchTime_{};
};

}  // namespace zr::test
