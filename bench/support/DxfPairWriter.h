#pragma once
// Group-code / value lines as a CAD writes them: the code right-aligned in three places, CR LF
// after each line, reals always with a point, handles in upper-case hex.
#include <charconv>
#include <cstddef>
#include <string>
#include <string_view>

namespace zr::bench {

class DxfPairWriter {
 public:
  std::string Take() { return std::move(out_); }
  std::size_t Size() const { return out_.size(); }

  void Pair(int code, std::string_view value) {
    char buf[8];
    const auto end = std::to_chars(buf, buf + sizeof buf, code).ptr;
    const auto width = static_cast<std::size_t>(end - buf);
    if (width < 3) out_.append(3 - width, ' ');
    out_.append(buf, end);
    out_ += "\r\n";
    out_.append(value);
    out_ += "\r\n";
  }
  void Int(int code, long value) { Pair(code, std::to_string(value)); }
  void Real(int code, double value) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    std::string text(buf, end);
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    Pair(code, text);
  }
  // The next free handle.
  std::string NextHandle() {
    char buf[16];
    const auto end = std::to_chars(buf, buf + sizeof buf, nextHandle_++, 16).ptr;
    std::string h(buf, end);
    for (char& c : h) c = (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
    return h;
  }

 protected:
  std::string out_;

 private:
  unsigned nextHandle_ = 0x30;
};

}  // namespace zr::bench
