// The user's application data folder: the APPDATA variable, which every Windows session
// sets (and which an administrator may point elsewhere).
#include <windows.h>

#include <string>

#include "text/UserAppData.h"
#include "text/Utf.h"

namespace zr::text {

std::string UserAppDataFolder() {
  const DWORD size = ::GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(L"APPDATA", value.data(), size);
  if (length == 0 || length >= size) return {};
  value.resize(length);
  return Utf16ToUtf8(std::u16string(value.begin(), value.end()));
}

}  // namespace zr::text
