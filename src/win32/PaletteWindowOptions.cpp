// The palette window's options: the scale boxes and rotation buttons forwarded to the core,
// the context menu, the About box, and what the settings need to know of the window.
#include "win32/PaletteWindow.h"

#include <windowsx.h>

#include "app/AppTitle.h"
#include "win32/AboutBox.h"
#include "win32/DarkButtons.h"
#include "win32/DarkTheme.h"
#include "win32/ErrorReport.h"
#include "win32/PaletteControlIds.h"
#include "win32/PaletteMenuWindow.h"
#include "win32/WideText.h"
#include "win32/WindowText.h"

namespace zr::win32 {
namespace {

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC /*dc*/, LPRECT /*rect*/, LPARAM areas) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (::GetMonitorInfoW(monitor, &info) != FALSE) {
    UniqueGdiObject area(::CreateRectRgnIndirect(&info.rcWork));
    ::CombineRgn(reinterpret_cast<HRGN>(areas), reinterpret_cast<HRGN>(areas),
                 static_cast<HRGN>(area.get()), RGN_OR);
  }
  return TRUE;
}

}  // namespace

void PaletteWindow::OnOptionCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case ids::kCheckBox1: return Guarded(hwnd_, [&] { form_.CheckBox1Click(); });
    case ids::kCheckBox2: return Guarded(hwnd_, [&] { form_.CheckBox2Click(); });
    case ids::kCheckBox3: return Guarded(hwnd_, [&] { form_.CheckBox3Click(); });
    case ids::kCheckBox4: return Guarded(hwnd_, [&] { form_.CheckBox4Click(); });
    case ids::kSpeedButton3: return Guarded(hwnd_, [&] { form_.SpeedButton3Click(); });
    case ids::kSpeedButton4: return Guarded(hwnd_, [&] { form_.SpeedButton4Click(); });
    case ids::kSpeedButton5: return Guarded(hwnd_, [&] { form_.SpeedButton5Click(); });
    default: return;
  }
}

// The menu opens over the slot pictures and the rotation and base-point buttons. The control
// is found by the point: the window that reports the message may be a container of it.
void PaletteWindow::OnContextMenu(HWND clicked, LPARAM screenPoint) {
  POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (screenPoint == -1) {  // from the keyboard: the control with the focus
    RECT r{};
    ::GetWindowRect(clicked, &r);
    at = {r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2};
  }
  const auto contains = [&](HWND control) {
    RECT r{};
    return ::GetWindowRect(control, &r) != FALSE && ::PtInRect(&r, at) != FALSE;
  };
  bool opens = false;
  int slot = -1;  // the slot whose block the favourites' entries are for
  for (int k = 0; k < kSlotCount; ++k) {
    if (!contains(ImgAry[static_cast<std::size_t>(k)].Handle())) continue;
    opens = true;
    slot = k;
  }
  for (int id : {ids::kSpeedButton3, ids::kSpeedButton4, ids::kSpeedButton5, ids::kSpeedButton6}) {
    opens = opens || contains(Control(id));
  }
  if (!opens) return;
  Guarded(hwnd_, [&] {
    form_.SetMenuSlot(slot);
    const MenuCommand command = ShowPaletteMenu(hwnd_, form_.PopupMenu1(), at);
    if (command != MenuCommand::None) form_.PopupMenu1Click(command);
  });
}

void PaletteWindow::SetChecked(CheckBox box, bool checked) {
  ::SendMessageW(CheckBoxHandle(box), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void PaletteWindow::SetCheckBoxLook(CheckBox box, TColor color, bool bold) {
  HWND control = CheckBoxHandle(box);
  HFONT font = bold ? fixedBoldFont_.get() : fixedFont_.get();
  if (reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)) != font) {
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  SetCheckBoxCaptionColor(control, theme::MapTextColor(color));
}

std::string PaletteWindow::Caption(SpeedButton button) const {
  return WindowText(ButtonHandle(button));
}

void PaletteWindow::SetCaption(SpeedButton button, const std::string& caption) {
  HWND control = ButtonHandle(button);
  ::SetWindowTextW(control, Widen(caption).c_str());
  ::InvalidateRect(control, nullptr, FALSE);
}

// A minimised window keeps its place in its placement record, in coordinates of the
// primary monitor's work area.
ViewPoint PaletteWindow::WindowPosition() const {
  if (::IsIconic(hwnd_) != FALSE) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (::GetWindowPlacement(hwnd_, &placement) != FALSE) {
      return {placement.rcNormalPosition.left + work.left, placement.rcNormalPosition.top + work.top};
    }
  }
  RECT r{};
  ::GetWindowRect(hwnd_, &r);
  return {r.left, r.top};
}

bool PaletteWindow::IsOnWorkArea(const ControlRect& s) const {
  UniqueGdiObject areas(::CreateRectRgn(0, 0, 0, 0));
  ::EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(areas.get()));
  UniqueGdiObject outside(::CreateRectRgn(s.left, s.top, s.left + s.width, s.top + s.height));
  return ::CombineRgn(static_cast<HRGN>(outside.get()), static_cast<HRGN>(outside.get()),
                      static_cast<HRGN>(areas.get()), RGN_DIFF) == NULLREGION;
}

void PaletteWindow::ShowMessage(const std::string& text) {
  ShowNotice(hwnd_, text);
}

void PaletteWindow::ShowAboutBox() { win32::ShowAboutBox(hwnd_); }

void PaletteWindow::ShowCatalogueCheck(const std::string& folder) {
  ShowCatalogueCheckDialog(hwnd_, folder, catalogueChecks_, [this](const CataloguePlace& place) {
    Guarded(hwnd_, [&] { form_.ShowCataloguePlace(place); });
  });
}

}  // namespace zr::win32
