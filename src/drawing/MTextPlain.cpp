// MTEXT contents as the plain lines the CAD shows.
#include <cstdint>
#include <string>

#include "drawing/MText.h"

namespace zr {
namespace {

void AppendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Codes whose argument runs to a semicolon.
bool TakesArgument(char c) {
  switch (c) {
    case 'f': case 'F': case 'H': case 'W': case 'Q': case 'T': case 'A': case 'C':
    case 'c': case 'p':
      return true;
    default:
      return false;
  }
}

// "a^b", "a/b" or "a#b" of a stack, as one line of text.
std::string Stack(std::string_view body) {
  std::string out;
  for (const char c : body) {
    if (c == '/' || c == '#') {
      out.push_back('/');
    } else if (c == '^') {
      out.push_back(' ');
    } else if (c != '\\') {
      out.push_back(c);
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

class PlainLines {
 public:
  explicit PlainLines(std::string_view t) : t_(t) { lines_.emplace_back(); }

  std::vector<std::string> Run() {
    while (i_ < t_.size()) {
      const char c = t_[i_];
      if (c == '\\' && i_ + 1 < t_.size()) {
        Code();
      } else if (c == '{' || c == '}') {
        ++i_;
      } else if (c == '%' && t_.substr(i_, 2) == "%%" && i_ + 2 < t_.size()) {
        Symbol();
      } else if (c == '^' && i_ + 1 < t_.size() && (t_[i_ + 1] == 'I' || t_[i_ + 1] == 'J')) {
        if (t_[i_ + 1] == 'J') lines_.emplace_back(); else Out().push_back(' ');
        i_ += 2;
      } else {
        Out().push_back(c);
        ++i_;
      }
    }
    return lines_;
  }

 private:
  std::string& Out() { return lines_.back(); }

  void Code() {
    const char k = t_[i_ + 1];
    if (k == 'P' || k == 'X' || k == 'N') {
      lines_.emplace_back();
      i_ += 2;
    } else if (k == '\\' || k == '{' || k == '}') {
      Out().push_back(k);
      i_ += 2;
    } else if (k == '~') {
      Out().push_back(' ');
      i_ += 2;
    } else if (k == 'L' || k == 'l' || k == 'O' || k == 'o' || k == 'K' || k == 'k') {
      i_ += 2;
    } else if (k == 'U' && Unicode()) {
      return;
    } else if (k == 'S' || TakesArgument(k)) {
      const std::size_t semi = t_.find(';', i_ + 2);
      if (semi == std::string_view::npos) {  // no end: the text stays as written
        Out().append(t_.substr(i_));
        i_ = t_.size();
        return;
      }
      if (k == 'S') Out().append(Stack(t_.substr(i_ + 2, semi - i_ - 2)));
      i_ = semi + 1;
    } else {
      Out().push_back('\\');
      ++i_;
    }
  }

  // "\U+XXXX": four hexadecimal digits.
  bool Unicode() {
    if (i_ + 7 > t_.size() || t_[i_ + 2] != '+') return false;
    std::uint32_t c = 0;
    for (std::size_t k = i_ + 3; k < i_ + 7; ++k) {
      const int d = HexDigit(t_[k]);
      if (d < 0) return false;
      c = c * 16 + static_cast<std::uint32_t>(d);
    }
    AppendUtf8(Out(), c);
    i_ += 7;
    return true;
  }

  void Symbol() {
    const char k = t_[i_ + 2];
    switch (k) {
      case 'c': case 'C': AppendUtf8(Out(), 0x00D8); break;
      case 'd': case 'D': AppendUtf8(Out(), 0x00B0); break;
      case 'p': case 'P': AppendUtf8(Out(), 0x00B1); break;
      case '%': Out().push_back('%'); break;
      case 'u': case 'U': case 'o': case 'O': case 'k': case 'K': break;  // toggles
      default:
        Out().append(t_.substr(i_, 3));
        break;
    }
    i_ += 3;
  }

  std::string_view t_;
  std::size_t i_ = 0;
  std::vector<std::string> lines_;
};

}  // namespace

std::vector<std::string> MTextPlainLines(std::string_view text) { return PlainLines(text).Run(); }

}  // namespace zr
