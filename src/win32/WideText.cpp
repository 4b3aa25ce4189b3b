#include "win32/WideText.h"

#include "text/Utf.h"

namespace zr::win32 {

std::wstring Widen(std::string_view utf8) {
  const std::u16string u = text::Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

std::string Narrow(std::wstring_view utf16) {
  return text::Utf16ToUtf8(
      std::u16string_view(reinterpret_cast<const char16_t*>(utf16.data()), utf16.size()));
}

}  // namespace zr::win32
