#pragma once
// UTF-8 / UTF-16 conversion. Strings are UTF-8 inside the core and UTF-16 at the Win32
// boundary; rules that count characters count UTF-16 code units through these helpers.
#include <cstddef>
#include <string>
#include <string_view>

namespace zr::text {

inline constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes UTF-8; every byte that does not start a well-formed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);
// Returns the text itself when it is well-formed UTF-8, else a copy with U+FFFD for bad bytes.
std::string SanitizeUtf8(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);
bool IsAscii(std::string_view bytes);
// Number of UTF-16 code units the UTF-8 text takes.
std::size_t Utf16Length(std::string_view utf8);
void AppendUtf8(std::string& out, char32_t codePoint);
void AppendUtf16(std::u16string& out, char32_t codePoint);
// Decodes the code point at bytes[i] and advances i. Ill-formed input yields U+FFFD and
// consumes one byte, so decoding always makes progress.
char32_t DecodeOne(std::string_view bytes, std::size_t& i);

// Characters that Japanese fonts set a full em wide: East Asian wide and full-width forms, and
// the arrows, operators, enclosed numbers, box drawings, shapes and symbols that Japanese
// fonts draw at full width. All others are half width.
bool IsFullWidth(char32_t c);
// How many characters (code points) of the UTF-8 text are full width and how many are not.
struct CharWidths {
  std::size_t full = 0;
  std::size_t half = 0;
};
CharWidths CountCharWidths(std::string_view utf8);

}  // namespace zr::text
