// The user's number conventions on Windows: the decimal separator of the user's locale, as
// the control panel sets it.
#include <windows.h>

#include "text/NumberText.h"
#include "text/Utf.h"

namespace zr::text {

std::string UserDecimalSeparator() {
  wchar_t buf[8] = {};
  if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buf, 8) <= 1) return ".";
  return Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(buf)));
}

}  // namespace zr::text
