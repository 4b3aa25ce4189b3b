#pragma once
// The pieces every automation command shares: the connection check, the application object,
// bringing the CAD to the front, and the no-CAD report.
#include <string>

#include "cadlink/AutoValue.h"
#include "cadlink/Desktop.h"

namespace zr::cadlink {

// Every message box carries the application title (zr::kAppTitle) as its caption.
inline constexpr const char* kNoCadMessage = "有効な CAD が見つかりません. ";
// Pause after restoring a minimised CAD window.
inline constexpr int kRestorePauseMs = 500;

// The invalid-ProgID text: ProgID（クラス文字列）: "<progId>" は無効です．
std::string InvalidProgIdMessage(const std::string& progId);

// True when the ProgID is registered and an object of its class is running. An unregistered
// ProgID shows the invalid-ProgID box (centred on the screen) and gives false; a CAD that is
// not running gives false without a message. Keeps no object.
bool IsCadActive(IDesktop& desktop, const std::string& progId);

// The CAD's running application object, obtained afresh (class ID, then running object);
// throws AutomationError and shows nothing.
AutoObjectPtr GetCadApp(IDesktop& desktop, const std::string& progId);

// The application's HWND member as a window handle.
WindowHandle CadMainWindow(IAutoObject& app);

// Brings the CAD main window to the front, reading the application's HWND anew for every
// window call. With `restore`, a minimised window is restored first and followed by a 500 ms
// pause.
void ActivateCadApp(IDesktop& desktop, IAutoObject& app, bool restore);

// The application and its active drawing, read in this order, then the CAD brought to the front
// with a restore: how an insertion or a LISP load reaches the drawing. Throws AutomationError.
struct TActiveDrawing {
  AutoObjectPtr app;
  AutoObjectPtr doc;
};
TActiveDrawing OpenActiveDrawing(IDesktop& desktop, const std::string& progId);

// "有効な CAD が見つかりません. " in a box owned by the palette.
void ShowNoCadMessage(IDesktop& desktop);

}  // namespace zr::cadlink
