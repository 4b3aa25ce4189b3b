#pragma once
// The desktop calls the CAD link needs: COM class and running-object lookup, the window calls
// on other processes' windows, the pauses and message pumping of the user-interface thread,
// and the message box. The Windows adapter implements them; tests use fakes.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cadlink/AutoValue.h"

namespace zr {
// The application title: the palette's caption and the caption of every message box.
inline constexpr const char* kAppTitle = "Zoveza Ruzu 1.65 Dark";
}  // namespace zr

namespace zr::cadlink {

// A window handle of any process, as an opaque integer; 0 is no window.
using WindowHandle = std::uintptr_t;

enum class MessagePlacement {
  OverPalette,     // owned by the palette window, placed by the system
  CentredOnScreen  // still modal to the palette, but centred on the screen
};

class IDesktop {
 public:
  virtual ~IDesktop() = default;

  // Class ID (as text) registered for a ProgID; throws AutomationError when there is none.
  virtual std::string ClassIdFromProgId(const std::string& progId) = 0;
  // True when an object of the class is registered as the running (active) object. The
  // object is released at once.
  virtual bool IsObjectRunning(const std::string& classId) = 0;
  // The running object of the class as a late-bound object; throws AutomationError.
  virtual AutoObjectPtr GetActiveObject(const std::string& classId) = 0;

  virtual bool IsIconic(WindowHandle window) = 0;
  virtual void OpenIcon(WindowHandle window) = 0;
  virtual void SetForegroundWindow(WindowHandle window) = 0;
  virtual void Sleep(int milliseconds) = 0;
  // Dispatches every pending window message of this thread.
  virtual void ProcessMessages() = 0;
  // Modal box with only an OK button and no icon.
  virtual void ShowMessage(const std::string& text, const std::string& caption,
                           MessagePlacement placement) = 0;

  // Visits the top-level windows in Z order, topmost first, until `visit` returns false.
  virtual void EnumWindows(const std::function<bool(WindowHandle)>& visit) = 0;
  // Title and class name, each read into a buffer of 255 UTF-16 units (terminator included).
  virtual std::string WindowTitle(WindowHandle window) = 0;
  virtual std::string WindowClass(WindowHandle window) = 0;
  // A top-level window of the class, whatever its title; 0 when none.
  virtual WindowHandle FindWindowByClass(const std::string& className) = 0;
  virtual bool IsWindowEnabled(WindowHandle window) = 0;
  // Sends WM_COPYDATA (wParam 0) with the bytes as the data block; waits until handled.
  virtual void SendCopyData(WindowHandle window, std::uintptr_t dwData,
                            const std::vector<std::uint8_t>& bytes) = 0;
  // Posts WM_NULL with wParam and lParam 0.
  virtual void PostNull(WindowHandle window) = 0;
};

}  // namespace zr::cadlink
