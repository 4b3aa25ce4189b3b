#pragma once
// Letter case of ASCII letters only, whatever the C library's locale: names in settings files,
// ProgIDs, block and category names compare this way (other characters compare as they are).
#include <algorithm>
#include <string>
#include <string_view>

namespace zr::text {

inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

inline bool StartsWithIgnoringAsciiCase(std::string_view s, std::string_view prefix) {
  return prefix.size() <= s.size() && EqualsIgnoringAsciiCase(s.substr(0, prefix.size()), prefix);
}

}  // namespace zr::text
