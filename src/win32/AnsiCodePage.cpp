// The system's ANSI code page, or one a file declares, through the Win32 conversion
// functions. A whole text is
// converted in one call; only text with undecodable bytes or unmappable characters goes
// character by character, so that each bad byte becomes U+FFFD and each lost character '?'
// as in the native build (the system's own defaults differ between code pages).
#include "text/AnsiCodePage.h"

#include <windows.h>

#include <optional>

#include "text/Utf.h"

namespace zr::text {
namespace {

std::string WideToUtf8(const std::wstring& wide) {
  return Utf16ToUtf8(
      std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

bool TryDecode(UINT codePage, std::string_view bytes, std::wstring& out) {
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (n <= 0) return false;
  out.resize(static_cast<std::size_t>(n));
  return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, out.data(), n) ==
         n;
}

// `flags` WC_NO_BEST_FIT_CHARS: a character the code page lacks is reported lost instead of
// turned into a look-alike ("ä" into "a" on code page 932).
bool TryEncode(std::u16string_view wide, std::string& out, DWORD flags = 0) {
  const auto* w = reinterpret_cast<const wchar_t*>(wide.data());
  const int size = static_cast<int>(wide.size());
  BOOL lost = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, flags, w, size, nullptr, 0, nullptr, &lost);
  if (n <= 0 || lost) return false;
  out.resize(static_cast<std::size_t>(n));
  return WideCharToMultiByte(CP_ACP, flags, w, size, out.data(), n, nullptr, &lost) == n && !lost;
}

}  // namespace

std::string CodePageToUtf8(unsigned codePage, std::string_view bytes) {
  if (bytes.empty() || IsAscii(bytes)) return std::string(bytes);
  const UINT page = codePage != 0 && IsValidCodePage(codePage) ? codePage : CP_ACP;
  std::wstring wide;
  if (TryDecode(page, bytes, wide)) return WideToUtf8(wide);
  std::string out;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const std::size_t len = IsDBCSLeadByteEx(page, b) && i + 1 < bytes.size() ? 2 : 1;
    if (TryDecode(page, bytes.substr(i, len), wide)) {
      out += WideToUtf8(wide);
      i += len;
    } else {
      AppendUtf8(out, kReplacementChar);
      ++i;
    }
  }
  return out;
}

std::string AnsiToUtf8(std::string_view bytes) { return CodePageToUtf8(0, bytes); }

std::string Utf8ToAnsi(std::string_view utf8) {
  if (utf8.empty() || IsAscii(utf8)) return std::string(utf8);
  const std::u16string wide = Utf8ToUtf16(utf8);
  std::string out;
  if (TryEncode(wide, out)) return out;
  out.clear();
  std::string one;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const bool pair = wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size();
    const std::size_t len = pair ? 2 : 1;
    out += TryEncode(std::u16string_view(wide).substr(i, len), one) ? one : std::string("?");
    i += len - 1;
  }
  return out;
}

std::optional<std::string> Utf8ToAnsiExactly(std::string_view utf8) {
  if (utf8.empty() || IsAscii(utf8)) return std::string(utf8);
  std::string out;
  // The way back also catches what the code page maps one way only.
  if (!TryEncode(Utf8ToUtf16(utf8), out, WC_NO_BEST_FIT_CHARS)) return std::nullopt;
  if (AnsiToUtf8(out) != utf8) return std::nullopt;
  return out;
}

}  // namespace zr::text
