#include "win32/DarkBars.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "win32/DarkTheme.h"
#include "win32/UniqueHandle.h"

namespace zr::win32 {
namespace {

constexpr UINT_PTR kStatusSubclass = 3;
constexpr UINT_PTR kUpDownSubclass = 4;
constexpr wchar_t kPressedProp[] = L"ZrPressedHalf";  // 1 left, 2 right

void PaintStatusBar(HWND bar, HDC dc, unsigned centredParts) {
  RECT client;
  ::GetClientRect(bar, &client);
  theme::Fill(dc, client, theme::kSurface);
  theme::Fill(dc, RECT{client.left, client.top, client.right, client.top + 1}, theme::kBorder);

  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(bar, WM_GETFONT, 0, 0));
  ScopedSelect select(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, theme::kText);
  const int parts = static_cast<int>(::SendMessageW(bar, SB_GETPARTS, 0, 0));
  for (int i = 0; i < parts; ++i) {
    RECT part{};
    ::SendMessageW(bar, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&part));
    theme::Fill(dc, RECT{part.right - 1, part.top + 2, part.right, part.bottom - 1},
                theme::kBorder);
    const auto length = LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0));
    if (length == 0) continue;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    RECT textRect = part;
    ::InflateRect(&textRect, -4, 0);
    const UINT align = (centredParts & (1u << i)) != 0 ? DT_CENTER : DT_LEFT;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
}

LRESULT CALLBACK StatusBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR /*id*/, DWORD_PTR centredParts) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(bar, &ps);
      PaintStatusBar(bar, dc, static_cast<unsigned>(centredParts));
      ::EndPaint(bar, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintStatusBar(bar, reinterpret_cast<HDC>(wParam), static_cast<unsigned>(centredParts));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(bar, StatusBarProc, kStatusSubclass);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(bar, message, wParam, lParam);
}

void DrawArrow(HDC dc, const RECT& r, bool pointsRight, COLORREF color) {
  const int cx = (r.left + r.right) / 2;
  const int cy = (r.top + r.bottom) / 2;
  const int h = std::max(2, static_cast<int>(r.bottom - r.top) / 4);
  const POINT right[3] = {{cx - h / 2, cy - h}, {cx - h / 2, cy + h}, {cx + h / 2 + 1, cy}};
  const POINT left[3] = {{cx + h / 2, cy - h}, {cx + h / 2, cy + h}, {cx - h / 2 - 1, cy}};
  ScopedSelect pen(dc, ::GetStockObject(NULL_PEN));
  ScopedSelect brush(dc, theme::Brush(color));
  ::Polygon(dc, pointsRight ? right : left, 3);
}

void PaintUpDown(HWND upDown, HDC dc) {
  RECT client;
  ::GetClientRect(upDown, &client);
  const int middle = (client.left + client.right) / 2;
  const auto pressed = reinterpret_cast<UINT_PTR>(::GetPropW(upDown, kPressedProp));
  const bool enabled = ::IsWindowEnabled(upDown) != FALSE;
  const RECT halves[2] = {{client.left, client.top, middle, client.bottom},
                          {middle, client.top, client.right, client.bottom}};
  for (int i = 0; i < 2; ++i) {
    const bool down = pressed == static_cast<UINT_PTR>(i + 1);
    theme::Fill(dc, halves[i], down ? theme::kSurfacePressed : theme::kSurface);
    theme::Frame(dc, halves[i], theme::kBorder);
    DrawArrow(dc, halves[i], i == 1, enabled ? theme::kText : theme::kTextDisabled);
  }
}

LRESULT CALLBACK UpDownProc(HWND upDown, UINT message, WPARAM wParam, LPARAM lParam,
                            UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  LRESULT painted = 0;
  if (theme::HandleOwnPaint(upDown, message, wParam, PaintUpDown, painted)) return painted;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      RECT client;
      ::GetClientRect(upDown, &client);
      const bool right = static_cast<short>(LOWORD(lParam)) >= (client.left + client.right) / 2;
      ::SetPropW(upDown, kPressedProp, reinterpret_cast<HANDLE>(UINT_PTR{right ? 2u : 1u}));
      ::InvalidateRect(upDown, nullptr, FALSE);
      break;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (::RemovePropW(upDown, kPressedProp) != nullptr) ::InvalidateRect(upDown, nullptr, FALSE);
      break;
    case WM_NCDESTROY:
      ::RemovePropW(upDown, kPressedProp);
      ::RemoveWindowSubclass(upDown, UpDownProc, kUpDownSubclass);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(upDown, message, wParam, lParam);
}

}  // namespace

void InstallDarkStatusBar(HWND statusBar, unsigned centredParts) {
  ::SetWindowSubclass(statusBar, StatusBarProc, kStatusSubclass, centredParts);
}

void InstallDarkUpDown(HWND upDown) { ::SetWindowSubclass(upDown, UpDownProc, kUpDownSubclass, 0); }

}  // namespace zr::win32
