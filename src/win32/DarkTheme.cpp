#include "win32/DarkTheme.h"

#include <dwmapi.h>

#include <map>

namespace zr::win32::theme {
namespace {

// DWMWA_USE_IMMERSIVE_DARK_MODE: 20 from Windows 10 20H1 on, 19 before.
constexpr DWORD kDarkModeAttribute = 20;
constexpr DWORD kDarkModeAttributeOld = 19;

}  // namespace

COLORREF MapTextColor(TColor logical) {
  switch (logical & 0x00FFFFFF) {
    case 0x00000000:
      return kText;
    case 0x000000FF:
      return kRed;
    case 0x00FF0000:
      return kBlue;
    default:
      return static_cast<COLORREF>(logical & 0x00FFFFFF);
  }
}

HBRUSH Brush(COLORREF color) {
  // A handful of colours over the whole run; the brushes live until the process ends.
  static std::map<COLORREF, HBRUSH> brushes;
  auto it = brushes.find(color);
  if (it == brushes.end()) it = brushes.emplace(color, ::CreateSolidBrush(color)).first;
  return it->second;
}

void Fill(HDC dc, const RECT& rect, COLORREF color) { ::FillRect(dc, &rect, Brush(color)); }

void Frame(HDC dc, const RECT& rect, COLORREF color) { ::FrameRect(dc, &rect, Brush(color)); }

bool HandleOwnPaint(HWND window, UINT message, WPARAM wParam, void (*paint)(HWND, HDC),
                    LRESULT& result) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(window, &ps);
      paint(window, dc);
      ::EndPaint(window, &ps);
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      paint(window, reinterpret_cast<HDC>(wParam));
      result = 0;
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    default:
      return false;
  }
}

void Bevel(HDC dc, const RECT& r, COLORREF light, COLORREF dark) {
  Fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, light);
  Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, light);
  Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, dark);
  Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, dark);
}

void ApplyDarkTitleBar(HWND window) {
  const BOOL on = TRUE;
  if (FAILED(::DwmSetWindowAttribute(window, kDarkModeAttribute, &on, sizeof on))) {
    ::DwmSetWindowAttribute(window, kDarkModeAttributeOld, &on, sizeof on);
  }
}

}  // namespace zr::win32::theme
