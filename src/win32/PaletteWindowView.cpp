// The palette window as the core's view: each call shows or reads one control.
#include "win32/PaletteWindow.h"

#include <commctrl.h>

#include <cmath>

#include "win32/PaletteControlIds.h"
#include "win32/WideText.h"
#include "win32/WindowText.h"

namespace zr::win32 {
namespace {

// Pixels back to 96-dpi units, rounding towards minus infinity so that a point left of or
// above an edge stays outside.
int Unscale(int pixels, int dpi) {
  return static_cast<int>(std::floor(static_cast<double>(pixels) * 96.0 / dpi));
}

}  // namespace

std::string PaletteWindow::Title() const { return WindowText(hwnd_); }

void PaletteWindow::SetTitle(const std::string& title) {
  ::SetWindowTextW(hwnd_, Widen(title).c_str());
}

ViewSize PaletteWindow::WindowSize() const {
  RECT r{};
  ::GetWindowRect(hwnd_, &r);
  return {r.right - r.left, r.bottom - r.top};
}

ViewSize PaletteWindow::ScreenSize() const {
  return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

void PaletteWindow::MoveWindowTo(int left, int top) {
  ::SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  FollowMonitorScale();  // placed on a monitor of another scale
}

void PaletteWindow::ClearCategories() {
  ::SendMessageW(Control(ids::kComboBox1), CB_RESETCONTENT, 0, 0);
}

void PaletteWindow::AddCategory(const std::string& name) {
  const std::wstring text = Widen(name);
  ::SendMessageW(Control(ids::kComboBox1), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int PaletteWindow::CategoryCount() const {
  return static_cast<int>(::SendMessageW(Control(ids::kComboBox1), CB_GETCOUNT, 0, 0));
}

std::string PaletteWindow::CategoryAt(int index) const {
  HWND combo = Control(ids::kComboBox1);
  const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
  return Narrow(text);
}

int PaletteWindow::CategoryIndex() const {
  return static_cast<int>(::SendMessageW(Control(ids::kComboBox1), CB_GETCURSEL, 0, 0));
}

void PaletteWindow::SelectCategory(int index) {
  ::SendMessageW(Control(ids::kComboBox1), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int PaletteWindow::UpDownPosition() const {
  return static_cast<int>(::SendMessageW(Control(ids::kUpDown1), UDM_GETPOS32, 0, 0));
}

void PaletteWindow::SetUpDownPosition(int position) {
  ::SendMessageW(Control(ids::kUpDown1), UDM_SETPOS32, 0, position);
}

HWND PaletteWindow::TextControlHandle(TextControl control) const {
  switch (control) {
    case TextControl::Edit1:
      return Control(ids::kEdit1);
    case TextControl::StaticText1:
      return Control(ids::kStaticText1);
    case TextControl::StaticText2:
      return Control(ids::kStaticText2);
    case TextControl::StaticText3:
      return Control(ids::kStaticText3);
  }
  return nullptr;
}

std::string PaletteWindow::Text(TextControl control) const {
  return WindowText(TextControlHandle(control));
}

void PaletteWindow::SetText(TextControl control, const std::string& text) {
  ::SetWindowTextW(TextControlHandle(control), Widen(text).c_str());
}

HWND PaletteWindow::StatusBar() const { return Control(ids::kStatusBar1); }

std::string PaletteWindow::StatusText(int panel) const {
  const LRESULT info = ::SendMessageW(StatusBar(), SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0);
  const auto length = static_cast<std::size_t>(LOWORD(info));
  std::wstring text(length + 1, L'\0');
  ::SendMessageW(StatusBar(), SB_GETTEXTW, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return Narrow(text);
}

void PaletteWindow::SetStatusText(int panel, const std::string& text) {
  const std::wstring wide = Widen(text);
  ::SendMessageW(StatusBar(), SB_SETTEXTW, static_cast<WPARAM>(panel),
                 reinterpret_cast<LPARAM>(wide.c_str()));
}

HWND PaletteWindow::ButtonHandle(SpeedButton button) const {
  switch (button) {
    case SpeedButton::SpeedButton1:
      return Control(ids::kSpeedButton1);
    case SpeedButton::SpeedButton2:
      return Control(ids::kSpeedButton2);
    case SpeedButton::SpeedButton3:
      return Control(ids::kSpeedButton3);
    case SpeedButton::SpeedButton4:
      return Control(ids::kSpeedButton4);
    case SpeedButton::SpeedButton5:
      return Control(ids::kSpeedButton5);
    case SpeedButton::SpeedButton6:
      return Control(ids::kSpeedButton6);
    case SpeedButton::SpeedButton7:
      return Control(ids::kSpeedButton7);
  }
  return nullptr;
}

bool PaletteWindow::IsEnabled(SpeedButton button) const {
  return ::IsWindowEnabled(ButtonHandle(button)) != FALSE;
}

void PaletteWindow::SetEnabled(SpeedButton button, bool enabled) {
  HWND control = ButtonHandle(button);
  if ((::IsWindowEnabled(control) != FALSE) != enabled) ::EnableWindow(control, enabled);
}

HWND PaletteWindow::CheckBoxHandle(CheckBox box) const {
  switch (box) {
    case CheckBox::CheckBox1:
      return Control(ids::kCheckBox1);
    case CheckBox::CheckBox2:
      return Control(ids::kCheckBox2);
    case CheckBox::CheckBox3:
      return Control(ids::kCheckBox3);
    case CheckBox::CheckBox4:
      return Control(ids::kCheckBox4);
  }
  return nullptr;
}

bool PaletteWindow::IsChecked(CheckBox box) const {
  return ::SendMessageW(CheckBoxHandle(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void PaletteWindow::PlaceSlotPanel(int slot, const ControlRect& bounds) {
  const RECT r = ScaleRect(bounds);
  ::SetWindowPos(PnlAry.at(static_cast<std::size_t>(slot)), nullptr, r.left, r.top,
                 r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PaletteWindow::SetSlotHint(int slot, const std::string& hint) {
  HWND picture = ImgAry.at(static_cast<std::size_t>(slot)).Handle();
  ::SetWindowTextW(picture, Widen(hint).c_str());
  tips_.SetHint(picture, hint);
}

ICanvas& PaletteWindow::SlotCanvas(int slot) {
  return ImgAry.at(static_cast<std::size_t>(slot)).Canvas();
}

void PaletteWindow::InvalidateSlot(int slot) {
  preview_.SlotChanged(slot);
  ImgAry.at(static_cast<std::size_t>(slot)).Invalidate();
}

SlotBevel PaletteWindow::GetSlotBevel(int slot) const {
  return GetPanelBevel(PnlAry.at(static_cast<std::size_t>(slot))) == PanelBevel::None
             ? SlotBevel::None
             : SlotBevel::Raised;
}

void PaletteWindow::SetSlotBevel(int slot, SlotBevel bevel) {
  SetPanelBevel(PnlAry.at(static_cast<std::size_t>(slot)),
                bevel == SlotBevel::None ? PanelBevel::None : PanelBevel::Raised);
}

void PaletteWindow::FocusNameField() { ::SetFocus(Control(ids::kEdit1)); }

ViewPoint PaletteWindow::ScreenToImage1(ViewPoint screen) const {
  POINT p{screen.x, screen.y};
  ::ScreenToClient(ImgAry[0].Handle(), &p);
  return {Unscale(p.x, dpi_), Unscale(p.y, dpi_)};
}

}  // namespace zr::win32
