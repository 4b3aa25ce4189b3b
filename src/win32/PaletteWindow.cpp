// The palette window: the window procedure and the forwarding of the user's actions to the
// core. The controls are made in PaletteWindowCreate.cpp, the slot pictures' mouse presses are
// read in PaletteSlotMouse.cpp.
#include "win32/PaletteWindow.h"

#include <windowsx.h>

#include "win32/DarkButtons.h"
#include "win32/DarkTheme.h"
#include "win32/ErrorReport.h"
#include "win32/PaletteControlIds.h"
#include "win32/WindowText.h"

namespace zr::win32 {
namespace {

// The context menu's commands arrive as WM_COMMAND ids of their own, below the controls' ids.
static_assert(static_cast<int>(MenuCommand::Cancel) < ids::kComboBox1);
bool IsMenuCommand(int id) {
  return id > static_cast<int>(MenuCommand::None) && id <= static_cast<int>(MenuCommand::Cancel);
}

}  // namespace

PaletteWindow::PaletteWindow() : painter_(Model(), State()), form_(*this, State(), painter_) {}

PaletteWindow::~PaletteWindow() {
  if (hwnd_ != nullptr) {
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

void PaletteWindow::Show(int showCommand) {
  Guarded(hwnd_, [&] { form_.FormShow(); });
  ::ShowWindow(hwnd_, showCommand);
  ::UpdateWindow(hwnd_);
}

LRESULT CALLBACK PaletteWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<PaletteWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<PaletteWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  return self->OnMessage(message, wParam, lParam);
}

LRESULT PaletteWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
      return 0;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == Control(ids::kUpDown1)) OnUpDownScroll();
      return 0;
    case WM_MOUSEWHEEL:
      if (OnMouseWheel(wParam, lParam)) return 0;
      break;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_DRAWITEM:
      PaintFlatButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == ids::kSearchMenuCommand) {
        OnSearchMenu();
        return 0;
      }
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_ENDSESSION:
      // Signing out or shutting down sends no WM_CLOSE: the process just ends after this.
      if (wParam != FALSE) WriteSettingsOnce();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_NCDESTROY:
      ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

void PaletteWindow::OnCommand(int id, int code, HWND from) {
  switch (id) {
    case ids::kComboBox1:
      if (code == CBN_SELCHANGE) Guarded(hwnd_, [&] { form_.ComboBox1Change(); });
      if (code == CBN_EDITCHANGE && !quietCategoryText_) {
        Guarded(hwnd_, [&] { form_.ComboBox1Typed(WindowText(Control(ids::kComboBox1))); });
      }
      break;
    case ids::kSpeedButton1:
      if (code == BN_CLICKED) Guarded(hwnd_, [&] { form_.SpeedButton1Click(); });
      break;
    case ids::kSpeedButton2:
      if (code == BN_CLICKED) Guarded(hwnd_, [&] { form_.SpeedButton2Click(); });
      break;
    case ids::kSpeedButton6:
      if (code == BN_CLICKED) Guarded(hwnd_, [&] { form_.SpeedButton6Click(); });
      break;
    case ids::kSpeedButton7:
      if (code == BN_CLICKED) Guarded(hwnd_, [&] { form_.SpeedButton7Click(); });
      break;
    case ids::kSearchField:
      if (code == EN_CHANGE) search_.OnEditChange();
      break;
    default:
      OnOptionCommand(id, code);
      // A menu item (or another program) sends the context menu's commands by their values.
      if (code == 0 && from == nullptr && IsMenuCommand(id)) {
        Guarded(hwnd_, [&] { form_.PopupMenu1Click(static_cast<MenuCommand>(id)); });
      }
      break;
  }
}

void PaletteWindow::OnUpDownScroll() {
  const int position = UpDownPosition();
  Guarded(hwnd_, [&] { form_.UpDown1Moved(position); });
}

bool PaletteWindow::PreTranslateMessage(const MSG& msg) {
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) preview_.Dismiss();
  if (PreTranslateSearchKey(msg)) return true;
  if (PreTranslateSlotKey(msg)) return true;
  if (msg.message != WM_MOUSEWHEEL || hwnd_ == nullptr) return false;
  if (msg.hwnd != hwnd_ && ::IsChild(hwnd_, msg.hwnd) == FALSE) return false;
  return OnMouseWheel(msg.wParam, msg.lParam);
}

bool PaletteWindow::OnMouseWheel(WPARAM wParam, LPARAM lParam) {
  const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
  const ViewPoint screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  bool handled = false;
  Guarded(hwnd_, [&] { form_.FormMouseWheel(delta, screen, handled); });
  return handled;
}

LRESULT PaletteWindow::OnCtlColor(HDC dc, HWND control) {
  COLORREF text = theme::kText;
  switch (::GetDlgCtrlID(control)) {
    case ids::kStaticText1:
      text = theme::kRed;
      break;
    case ids::kStaticText2:
      text = theme::kBlue;
      break;
    default:
      break;
  }
  ::SetTextColor(dc, text);
  ::SetBkColor(dc, theme::kSurface);
  return reinterpret_cast<LRESULT>(theme::Brush(theme::kSurface));
}

void PaletteWindow::OnClose() {
  if (form_.IsInserting()) {
    closePending_ = true;
    return;
  }
  WriteSettingsOnce();
  ::DestroyWindow(hwnd_);
}

// The session's end and a close that may follow it write the settings once, so a failed
// write is not reported twice.
void PaletteWindow::WriteSettingsOnce() {
  if (settingsWritten_) return;
  settingsWritten_ = true;
  Guarded(hwnd_, [&] { form_.FormClose(); });
}

void PaletteWindow::OnDestroy() {
  Guarded(hwnd_, [&] { form_.FormDestroy(); });
  RevokeMessageFilter();
  ::PostQuitMessage(0);
}

}  // namespace zr::win32
