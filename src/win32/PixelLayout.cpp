#include "win32/PixelLayout.h"

#include "win32/DisplayScale.h"

namespace zr::win32 {

std::vector<WORD> EmptyDialogTemplate(DWORD style) {
  // The template's header, then empty menu, class and title (a WORD of 0 each).
  std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  reinterpret_cast<DLGTEMPLATE*>(t.data())->style = style;
  return t;
}

UniqueFont MakeFont(const wchar_t* face, int pixelHeight, bool bold, BYTE charSet) {
  LOGFONTW lf{};
  lf.lfHeight = -pixelHeight;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = charSet;
  wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return UniqueFont(::CreateFontIndirectW(&lf));
}

void SetClientSize(HWND window, int clientWidth, int clientHeight, int dpi) {
  constexpr UINT kSizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  RECT outer{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectExForDpi(&outer, static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE)),
                             FALSE, static_cast<DWORD>(::GetWindowLongW(window, GWL_EXSTYLE)),
                             static_cast<UINT>(dpi));
  int width = outer.right - outer.left;
  int height = outer.bottom - outer.top;
  ::SetWindowPos(window, nullptr, 0, 0, width, height, kSizeOnly);
  RECT client{};
  ::GetClientRect(window, &client);
  if (client.right == clientWidth && client.bottom == clientHeight) return;
  width += clientWidth - client.right;
  height += clientHeight - client.bottom;
  ::SetWindowPos(window, nullptr, 0, 0, width, height, kSizeOnly);
}

void FitAndCentre(HWND dialog, int clientWidth, int clientHeight, int dpi, HWND insertAfter,
                  HWND owner) {
  // The work area first: the dialog, once sized, may reach onto another monitor.
  const RECT area = MonitorWorkArea(owner != nullptr ? owner : dialog);
  SetClientSize(dialog, clientWidth, clientHeight, dpi);
  RECT outer{};
  ::GetWindowRect(dialog, &outer);
  ::SetWindowPos(dialog, insertAfter,
                 (area.left + area.right - (outer.right - outer.left)) / 2,
                 (area.top + area.bottom - (outer.bottom - outer.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | (insertAfter == nullptr ? SWP_NOZORDER : 0));
}

}  // namespace zr::win32
