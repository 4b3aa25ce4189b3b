#include "text/Utf.h"

namespace zr::text {

char32_t DecodeOne(std::string_view bytes, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(bytes[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int extra = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    extra = 1, cp = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    extra = 2, cp = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    extra = 3, cp = b0 & 0x07, min = 0x10000;
  } else {
    ++i;
    return kReplacementChar;
  }
  for (int k = 1; k <= extra; ++k) {
    if (i + k >= bytes.size()) {
      ++i;
      return kReplacementChar;
    }
    const auto b = static_cast<unsigned char>(bytes[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return kReplacementChar;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return kReplacementChar;
  }
  i += extra + 1;
  return cp;
}


void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp >= 0x10000) {
    out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
  } else {
    out += static_cast<char16_t>(cp);
  }
}

bool IsAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t before = i;
    const char32_t cp = DecodeOne(bytes, i);
    if (cp == kReplacementChar && i == before + 1) return false;
  }
  return true;
}

std::string SanitizeUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + 8);
  std::size_t i = 0;
  while (i < bytes.size()) AppendUtf8(out, DecodeOne(bytes, i));
  return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    AppendUtf16(out, DecodeOne(utf8, i));
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3 / 2);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacementChar;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

bool IsFullWidth(char32_t c) {
  struct Range {
    char32_t first, last;
  };
  static constexpr Range kFull[] = {
      {0x1100, 0x115F}, {0x2190, 0x21FF}, {0x2200, 0x22FF}, {0x2460, 0x24FF},
      {0x2500, 0x257F}, {0x25A0, 0x26FF}, {0x2E80, 0x303E}, {0x3041, 0x33FF},
      {0x3400, 0x4DBF}, {0x4E00, 0x9FFF}, {0xA000, 0xA4CF}, {0xAC00, 0xD7A3},
      {0xF900, 0xFAFF}, {0xFE30, 0xFE4F}, {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6},
      {0x20000, 0x3FFFD},
  };
  if (c < 0x1100) return false;
  if (c == 0x203B) return true;  // the reference mark
  for (const Range& r : kFull) {
    if (c < r.first) return false;
    if (c <= r.last) return true;
  }
  return false;
}

CharWidths CountCharWidths(std::string_view utf8) {
  CharWidths n;
  std::size_t i = 0;
  while (i < utf8.size()) ++(IsFullWidth(DecodeOne(utf8, i)) ? n.full : n.half);
  return n;
}

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t n = 0;
  std::size_t i = 0;
  while (i < utf8.size()) n += DecodeOne(utf8, i) >= 0x10000 ? 2 : 1;
  return n;
}

}  // namespace zr::text
