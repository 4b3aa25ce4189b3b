#include "win32/ToolTips.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <stdexcept>

#include "win32/DarkTheme.h"
#include "win32/DisplayScale.h"
#include "win32/WideText.h"

namespace zr::win32 {
namespace {

constexpr int kMaxTipWidth = 480;  // 96-dpi pixels

}  // namespace

std::wstring HintText(const std::string& hint) {
  const std::wstring wide = Widen(hint);
  std::wstring text;
  text.reserve(wide.size() + 4);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == L'\r') {
      text += L"\r\n";
      if (i + 1 < wide.size() && wide[i + 1] == L'\n') ++i;
    } else {
      text += wide[i];
    }
  }
  return text;
}

void ToolTips::Create(HWND owner, HFONT font) {
  owner_ = owner;
  tip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                           reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner, GWLP_HINSTANCE)),
                           nullptr);
  if (tip_ == nullptr) throw std::runtime_error("the tooltip window could not be created");
  // Without a visual style the tooltip takes the colours given here.
  ::SetWindowTheme(tip_, L"", L"");
  ::SendMessageW(tip_, TTM_SETTIPBKCOLOR, theme::kSurface, 0);
  ::SendMessageW(tip_, TTM_SETTIPTEXTCOLOR, theme::kText, 0);
  SetScale(WindowDpi(owner), font);
}

void ToolTips::SetScale(int dpi, HFONT font) {
  ::SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, ::MulDiv(kMaxTipWidth, dpi, 96));
  ::SendMessageW(tip_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

TOOLINFOW ToolTips::Info(HWND control, std::wstring& text) const {
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = owner_;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = text.data();
  return info;
}

void ToolTips::Add(HWND control, const std::string& hint) {
  std::wstring text = HintText(hint);
  TOOLINFOW info = Info(control, text);
  ::SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTips::AddShownWhenDisabled(HWND control, const std::string& hint) {
  Add(control, hint);
  shownWhenDisabled_.push_back(control);
  std::wstring text = HintText(hint);
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_SUBCLASS;
  info.hwnd = owner_;
  info.uId = static_cast<UINT_PTR>(::GetDlgCtrlID(control));
  ::GetWindowRect(control, &info.rect);
  ::MapWindowPoints(nullptr, owner_, reinterpret_cast<POINT*>(&info.rect), 2);
  info.lpszText = text.data();
  ::SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTips::MoveDisabledTools() {
  for (HWND control : shownWhenDisabled_) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = owner_;
    info.uId = static_cast<UINT_PTR>(::GetDlgCtrlID(control));
    ::GetWindowRect(control, &info.rect);
    ::MapWindowPoints(nullptr, owner_, reinterpret_cast<POINT*>(&info.rect), 2);
    ::SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

void ToolTips::SetHint(HWND control, const std::string& hint) {
  std::wstring text = HintText(hint);
  TOOLINFOW info = Info(control, text);
  ::SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace zr::win32
