#include "win32/DarkFields.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/DarkTheme.h"
#include "win32/UniqueHandle.h"

namespace zr::win32 {
namespace {

constexpr UINT_PTR kComboSubclass = 5;
constexpr UINT_PTR kFrameSubclass = 6;

void DrawDropArrow(HDC dc, const RECT& r, COLORREF color) {
  const int cx = (r.left + r.right) / 2;
  const int cy = (r.top + r.bottom) / 2;
  const int h = std::max(2, static_cast<int>(r.right - r.left) / 5);
  const POINT points[3] = {{cx - h, cy - h / 2}, {cx + h + 1, cy - h / 2}, {cx, cy + h / 2 + 1}};
  ScopedSelect pen(dc, ::GetStockObject(NULL_PEN));
  ScopedSelect brush(dc, theme::Brush(color));
  ::Polygon(dc, points, 3);
}

void PaintComboBox(HWND combo, HDC dc) {
  RECT client;
  ::GetClientRect(combo, &client);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ::GetComboBoxInfo(combo, &info);
  const bool enabled = ::IsWindowEnabled(combo) != FALSE;
  const bool dropped = ::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
  theme::Fill(dc, client, theme::kSurface);
  theme::Frame(dc, client, theme::kBorder);
  RECT button = info.rcButton;
  if (button.right > button.left) {
    theme::Fill(dc, button, dropped ? theme::kSurfacePressed : theme::kSurfaceHot);
    theme::Fill(dc, RECT{button.left - 1, button.top, button.left, button.bottom},
                theme::kBorder);
    DrawDropArrow(dc, button, enabled ? theme::kText : theme::kTextDisabled);
  }
}

LRESULT CALLBACK ComboBoxProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam,
                              UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  LRESULT painted = 0;
  if (theme::HandleOwnPaint(combo, message, wParam, PaintComboBox, painted)) return painted;
  switch (message) {
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(combo, ComboBoxProc, kComboSubclass);
      break;
    default:
      break;
  }
  const LRESULT result = ::DefSubclassProc(combo, message, wParam, lParam);
  // The box paints its button straight away when the list opens or closes, or the mouse
  // presses it; the dark button is put back right after.
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == CB_SHOWDROPDOWN ||
      message == WM_CAPTURECHANGED || message == WM_ENABLE || message == WM_SETFOCUS ||
      message == WM_KILLFOCUS) {
    ::RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
  }
  return result;
}

void PaintFrame(HWND control) {
  RECT window;
  ::GetWindowRect(control, &window);
  RECT client;
  ::GetClientRect(control, &client);
  ::MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const int left = client.left - window.left;
  const int top = client.top - window.top;
  const int right = window.right - client.right;
  const int bottom = window.bottom - client.bottom;
  if (left <= 0 && top <= 0 && right <= 0 && bottom <= 0) return;

  HDC dc = ::GetWindowDC(control);
  if (dc == nullptr) return;
  RECT ring{0, 0, window.right - window.left, window.bottom - window.top};
  // Outer ring: the sunken edge; inner rings (a client edge has two): the field's border.
  theme::Bevel(dc, ring, theme::kBevelDark, theme::kBevelLight);
  const int depth = std::max({left, top, right, bottom});
  for (int i = 1; i < depth; ++i) {
    ::InflateRect(&ring, -1, -1);
    theme::Frame(dc, ring, theme::kBorder);
  }
  ::ReleaseDC(control, dc);
}

LRESULT CALLBACK FrameProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                           UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  switch (message) {
    case WM_NCPAINT:
      PaintFrame(control);
      return 0;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(control, FrameProc, kFrameSubclass);
      break;
    default:
      break;
  }
  const LRESULT result = ::DefSubclassProc(control, message, wParam, lParam);
  if (message == WM_ENABLE || message == WM_SETFOCUS || message == WM_KILLFOCUS) {
    PaintFrame(control);
  }
  return result;
}

}  // namespace

void InstallDarkComboBox(HWND comboBox) {
  ::SetWindowSubclass(comboBox, ComboBoxProc, kComboSubclass, 0);
}

void InstallDarkFrame(HWND control) {
  ::SetWindowSubclass(control, FrameProc, kFrameSubclass, 0);
  ::SetWindowPos(control, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace zr::win32
