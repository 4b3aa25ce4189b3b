#include "win32/ComError.h"

#include <cstdio>

#include "win32/WideText.h"

namespace zr::win32 {

std::string HResultText(HRESULT hr) {
  wchar_t* buffer = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (n != 0 && buffer != nullptr) text.assign(buffer, n);
  if (buffer != nullptr) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
    text.pop_back();
  }
  if (!text.empty()) return Narrow(text);
  char fallback[48];
  std::snprintf(fallback, sizeof fallback, "automation error 0x%08lX",
                static_cast<unsigned long>(hr));
  return fallback;
}

void ThrowHResult(HRESULT hr, const std::string& context) {
  std::string text = HResultText(hr);
  if (!context.empty()) text += " (" + context + ")";
  throw cadlink::AutomationError(text, static_cast<std::int32_t>(hr));
}

}  // namespace zr::win32
