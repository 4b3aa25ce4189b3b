#pragma once
// The baseline the DXF reader is measured against: what any line-based reader does at least,
// every line read as a string and every first line of a pair converted to its group code,
// nothing kept.
#include <charconv>
#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

namespace zr::bench {

struct BareSplit {
  std::size_t pairs = 0;
  long codeSum = 0;  // used, so that the conversions are not optimised away
};

inline BareSplit BareLineSplit(std::istream& in) {
  BareSplit result;
  std::string code, value;
  while (std::getline(in, code) && std::getline(in, value)) {
    std::string_view c(code);
    while (!c.empty() && (c.back() == '\r' || c.back() == ' ')) c.remove_suffix(1);
    while (!c.empty() && c.front() == ' ') c.remove_prefix(1);
    int number = 0;
    std::from_chars(c.data(), c.data() + c.size(), number);
    result.codeSum += number;
    ++result.pairs;
  }
  return result;
}

}  // namespace zr::bench
