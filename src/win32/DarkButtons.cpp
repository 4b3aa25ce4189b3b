#include "win32/DarkButtons.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "win32/DarkTheme.h"
#include "win32/DisplayScale.h"
#include "win32/UniqueHandle.h"
#include "win32/WindowText.h"

namespace zr::win32 {
namespace {

constexpr wchar_t kHotProp[] = L"ZrHot";
constexpr wchar_t kCaptionColorProp[] = L"ZrCaptionColor";
constexpr UINT_PTR kHoverSubclass = 1;
constexpr UINT_PTR kCheckSubclass = 2;

bool IsHot(HWND window) { return ::GetPropW(window, kHotProp) != nullptr; }

LRESULT CALLBACK HoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                           UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!IsHot(window)) {
        ::SetPropW(window, kHotProp, reinterpret_cast<HANDLE>(1));
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        ::TrackMouseEvent(&track);
        ::InvalidateRect(window, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
    case WM_ENABLE:  // a disabled button hears no more of the mouse
      ::RemovePropW(window, kHotProp);
      ::InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_NCDESTROY:
      ::RemovePropW(window, kHotProp);
      ::RemoveWindowSubclass(window, HoverProc, kHoverSubclass);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

COLORREF CaptionColor(HWND window) {
  const auto stored = reinterpret_cast<UINT_PTR>(::GetPropW(window, kCaptionColorProp));
  return stored == 0 ? theme::kText : static_cast<COLORREF>(stored - 1);
}

void DrawCheckMark(HDC dc, const RECT& box) {
  // A tick two pixels thick: the same one-pixel polyline twice, one pixel apart.
  const int w = box.right - box.left;
  const int thickness = std::max(2, w / 6);
  UniquePen pen(::CreatePen(PS_SOLID, 1, theme::kCheckMark));
  ScopedSelect select(dc, pen.get());
  for (int d = 0; d < thickness; ++d) {
    const POINT points[3] = {{box.left + w * 2 / 10, box.top + w * 5 / 10 + d - 1},
                             {box.left + w * 4 / 10, box.top + w * 7 / 10 + d - 1},
                             {box.left + w * 8 / 10 + 1, box.top + w * 3 / 10 + d - 2}};
    ::Polyline(dc, points, 3);
  }
}

void PaintCheckBox(HWND window, HDC dc) {
  RECT client;
  ::GetClientRect(window, &client);
  theme::Fill(dc, client, theme::kSurface);
  const int height = client.bottom - client.top;
  // The square and the gap before the caption at the scale of the window's monitor.
  const int dpi = WindowDpi(window);
  const int side = std::min(height - 2, ::MulDiv(13, dpi, 96));
  const RECT box{client.left + 1, (height - side) / 2, client.left + 1 + side,
                 (height - side) / 2 + side};
  const bool enabled = ::IsWindowEnabled(window) != FALSE;
  const LRESULT state = ::SendMessageW(window, BM_GETSTATE, 0, 0);
  theme::Fill(dc, box, (state & BST_PUSHED) != 0 ? theme::kSurfacePressed : theme::kWindow);
  theme::Frame(dc, box, enabled ? theme::kBevelLight : theme::kBorder);
  if ((state & BST_CHECKED) != 0) DrawCheckMark(dc, box);

  RECT textRect{box.right + ::MulDiv(4, dpi, 96), client.top, client.right, client.bottom};
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  ScopedSelect select(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, enabled ? CaptionColor(window) : theme::kTextDisabled);
  const std::wstring caption = WindowTextW(window);
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (::GetFocus() == window) {
    RECT focus = textRect;
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &focus,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    focus.top = client.top + 1;
    focus.bottom = client.bottom - 1;
    ::InflateRect(&focus, 1, 0);
    ::SetTextColor(dc, theme::kText);
    ::DrawFocusRect(dc, &focus);
  }
}

// The system paints a button straight away on some state changes, outside WM_PAINT; the
// dark look is put back right after them.
bool RepaintsItself(UINT message) {
  switch (message) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_CLICK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK CheckBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  LRESULT painted = 0;
  if (theme::HandleOwnPaint(window, message, wParam, PaintCheckBox, painted)) return painted;
  switch (message) {
    case WM_NCDESTROY:
      ::RemovePropW(window, kCaptionColorProp);
      ::RemoveWindowSubclass(window, CheckBoxProc, kCheckSubclass);
      break;
    default:
      if (RepaintsItself(message)) {
        const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return result;
      }
      break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void PaintFlatButton(const DRAWITEMSTRUCT& item) {
  HWND button = item.hwndItem;
  HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  COLORREF fill = theme::kSurface;
  if (pressed) {
    fill = theme::kSurfacePressed;
  } else if (!disabled && IsHot(button)) {
    fill = theme::kSurfaceHot;
  } else if (disabled) {
    fill = theme::kWindow;
  }
  theme::Fill(dc, r, fill);
  theme::Frame(dc, r, disabled ? RGB(60, 60, 60) : theme::kBorder);

  RECT textRect = r;
  if (pressed) ::OffsetRect(&textRect, 1, 1);
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0));
  ScopedSelect select(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, disabled ? theme::kTextDisabled : theme::kText);
  const std::wstring caption = WindowTextW(button);
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    RECT focus = r;
    const int inset = ::MulDiv(2, WindowDpi(button), 96);
    ::InflateRect(&focus, -inset, -inset);
    ::SetTextColor(dc, theme::kText);
    ::DrawFocusRect(dc, &focus);
  }
}

void InstallHoverTracking(HWND button) {
  ::SetWindowSubclass(button, HoverProc, kHoverSubclass, 0);
}

void InstallDarkCheckBox(HWND checkBox) {
  ::SetWindowSubclass(checkBox, CheckBoxProc, kCheckSubclass, 0);
}

void SetCheckBoxCaptionColor(HWND checkBox, COLORREF color) {
  ::SetPropW(checkBox, kCaptionColorProp, reinterpret_cast<HANDLE>(UINT_PTR{color} + 1));
  ::InvalidateRect(checkBox, nullptr, FALSE);
}

}  // namespace zr::win32
