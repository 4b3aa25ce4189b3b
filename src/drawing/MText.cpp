#include "drawing/MText.h"

namespace zr {

std::vector<std::string> SplitMText(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t at = text.find("\\P", begin);
    if (at == std::string_view::npos) break;
    lines.emplace_back(text.substr(begin, at - begin));
    begin = at + 2;
  }
  lines.emplace_back(text.substr(begin));
  return lines;
}

std::string StripMTextCodes(std::string_view line) {
  std::string out(line);
  // One left-to-right pass removes each backslash with its code up to the nearest semicolon
  // after it; text joined by a removal can form a new code, hence the repeat.
  bool removed = true;
  while (removed) {
    removed = false;
    std::string next;
    next.reserve(out.size());
    std::size_t i = 0;
    while (i < out.size()) {
      if (out[i] == '\\') {
        const std::size_t semi = out.find(';', i + 1);
        if (semi != std::string::npos) {
          i = semi + 1;
          removed = true;
          continue;
        }
      }
      next.push_back(out[i]);
      ++i;
    }
    out.swap(next);
  }
  return out;
}

}  // namespace zr
