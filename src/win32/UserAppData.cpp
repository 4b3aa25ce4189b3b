// The user's application data folder: the APPDATA variable, which every Windows session
// sets (and which an administrator may point elsewhere).
#include <windows.h>

#include <string>

#include "app/SettingsPlace.h"
#include "text/Utf.h"

namespace zr {

std::string UserAppDataFolder() {
  const DWORD size = ::GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(L"APPDATA", value.data(), size);
  if (length == 0 || length >= size) return {};
  value.resize(length);
  return text::Utf16ToUtf8(std::u16string(value.begin(), value.end()));
}

}  // namespace zr
