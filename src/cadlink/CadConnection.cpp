#include "cadlink/CadConnection.h"

#include <exception>

namespace zr::cadlink {

std::string InvalidProgIdMessage(const std::string& progId) {
  return "ProgID（クラス文字列）: \"" + progId + "\" は無効です．";
}

bool IsCadActive(IDesktop& desktop, const std::string& progId) {
  try {
    const std::string classId = desktop.ClassIdFromProgId(progId);
    return desktop.IsObjectRunning(classId);
  } catch (const std::exception&) {
    desktop.ShowMessage(InvalidProgIdMessage(progId), kAppTitle,
                        MessagePlacement::CentredOnScreen);
    return false;
  }
}

AutoObjectPtr GetCadApp(IDesktop& desktop, const std::string& progId) {
  return desktop.GetActiveObject(desktop.ClassIdFromProgId(progId));
}

WindowHandle CadMainWindow(IAutoObject& app) {
  // Handles are pointer-sized; a 32-bit answer is sign-extended as the system does.
  return static_cast<WindowHandle>(app.Get("HWND").AsInt64());
}

void ActivateCadApp(IDesktop& desktop, IAutoObject& app, bool restore) {
  if (restore && desktop.IsIconic(CadMainWindow(app))) {
    desktop.OpenIcon(CadMainWindow(app));
    desktop.Sleep(kRestorePauseMs);
  }
  desktop.SetForegroundWindow(CadMainWindow(app));
}

TActiveDrawing OpenActiveDrawing(IDesktop& desktop, const std::string& progId) {
  TActiveDrawing drawing;
  drawing.app = GetCadApp(desktop, progId);
  drawing.doc = drawing.app->GetObject("ActiveDocument");
  ActivateCadApp(desktop, *drawing.app, true);
  return drawing;
}

void ShowNoCadMessage(IDesktop& desktop) {
  desktop.ShowMessage(kNoCadMessage, kAppTitle, MessagePlacement::OverPalette);
}

}  // namespace zr::cadlink
