#pragma once
// The command-window channel for CADs without automation (AutoCAD LT): find the CAD main
// window among the top-level windows, bring it to the front and type command text into it
// with one WM_COPYDATA message.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cadlink/Desktop.h"

namespace zr::cadlink {

// Window class of the CAD main frame, taken whatever its title.
inline constexpr const char* kCadFrameClass = "AfxMDIFrame140u";
// The target that has no automation and is typed into through its command window.
inline constexpr const char* kLtProgId = "AutoCAD LT";
// dwData of the command message.
inline constexpr std::uintptr_t kCommandDataId = 1;
// The sender's buffer holds 512 UTF-16 units: 511 for the text and the terminating NUL.
inline constexpr std::size_t kCommandBufferUnits = 512;
inline constexpr std::size_t kMaxCommandUnits = kCommandBufferUnits - 1;
inline constexpr char kEsc = '\x1B';
inline constexpr char kEtx = '\x03';

// The title begins with "DWG TrueView ", "AutoCAD " or "Autodesk " (case-sensitive).
bool IsCadWindowTitle(std::string_view title);
// The class begins with "Afx:" and contains ":8:", or begins with "AfxMDIFrame".
bool IsCadWindowClass(std::string_view className);
// Every ESC replaced by ETX (the command line takes ETX as cancel).
std::string EscToEtx(std::string_view text);
// True when the text fits one command message (at most 511 UTF-16 units).
bool FitsCommandMessage(std::string_view text);
// The data block of the command message: the text in UTF-16LE and one NUL unit, so its size
// (cbData) is (units + 1) * 2.
std::vector<std::uint8_t> CommandMessageBytes(std::string_view text);
// The report shown instead of sending a text that does not fit.
std::string CommandTooLongMessage(std::size_t units);

class TCadWindowChannel {
 public:
  explicit TCadWindowChannel(IDesktop& desktop) : desktop_(desktop) {}

  WindowHandle CadWnd = 0;  // CAD main window found by the last search; 0 when none

  // Enumeration callback for one top-level window: nonzero continues, zero stops (and leaves
  // the window in CadWnd). lParam is not used.
  int EnumCadWindowProc(WindowHandle window, std::intptr_t lParam);
  // A window of class AfxMDIFrame140u, else the topmost window passing the title and class
  // tests; 0 when none. Leaves the result in CadWnd.
  WindowHandle FindCadWindow();
  // Sends the text as one command message and posts WM_NULL; false (nothing sent) when the
  // window is disabled or the text does not fit one message.
  bool SendCopyDataText(WindowHandle window, std::string_view text);
  // Finds the CAD window, restores it when minimised and brings it to the front; false when
  // there is none.
  bool ActivateCadWindow();
  // ESC becomes ETX; finds, restores and raises the CAD window and sends the text. True when
  // a window was found, whether or not it took the text. A text longer than one message
  // carries is not cut: when a window was found, nothing is sent and the user is told.
  bool SendCadCommandText(std::string_view text);

 private:
  IDesktop& desktop_;
};

}  // namespace zr::cadlink
