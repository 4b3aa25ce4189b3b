#include "win32/WindowText.h"

#include "win32/WideText.h"

namespace zr::win32 {

std::wstring WindowTextW(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string WindowText(HWND window) { return Narrow(WindowTextW(window)); }

}  // namespace zr::win32
