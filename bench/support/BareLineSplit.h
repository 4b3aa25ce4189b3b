#pragma once
// The baseline the DXF reader is measured against: the least any line-based reader does, and
// done the fast way (the file read in one piece, its lines split in memory, every first line
// of a pair converted to its group code with from_chars), nothing kept. With its reals
// converted too, it is the floor of any reader that turns the drawing's numbers into doubles.
#include <charconv>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "drawing/DxfPairs.h"

namespace zr::bench {

struct BareSplit {
  std::size_t pairs = 0;
  long codeSum = 0;  // used, so that the conversions are not optimised away
  double realSum = 0.0;
  bool read = false;
};

// The groups whose values are reals (coordinates, distances, angles, scales).
inline bool IsRealGroup(int code) {
  return (code >= 10 && code <= 59) || (code >= 110 && code <= 149) ||
         (code >= 210 && code <= 239) || (code >= 1010 && code <= 1059);
}

inline const char* FindLf(const char* from, const char* end) {
  return static_cast<const char*>(std::memchr(from, '\n', static_cast<std::size_t>(end - from)));
}

// The lines of bytes as pairs; the code lines lose their blanks and a CR before the LF.
// kWithReals: the value of each real group is converted as the reader converts it (a template
// argument, so that the baseline's own loop stays as it was).
template <bool kWithReals>
void SplitPairs(std::string_view bytes, BareSplit& result) {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  while (p < end) {
    const char* codeEnd = FindLf(p, end);
    if (codeEnd == nullptr) break;
    const char* valueEnd = FindLf(codeEnd + 1, end);
    const char* c = p;
    const char* ce = codeEnd;
    while (ce > c && (ce[-1] == '\r' || ce[-1] == ' ')) --ce;
    while (c < ce && *c == ' ') ++c;
    int number = 0;
    std::from_chars(c, ce, number);
    result.codeSum += number;
    ++result.pairs;
    if (valueEnd == nullptr) break;
    if (kWithReals && IsRealGroup(number)) {
      const char* v = codeEnd + 1;
      const char* ve = valueEnd > v && valueEnd[-1] == '\r' ? valueEnd - 1 : valueEnd;
      const std::optional<double> real =
          zr::dxf::ParseReal(std::string_view(v, static_cast<std::size_t>(ve - v)));
      if (real) result.realSum += *real;
    }
    p = valueEnd + 1;
  }
}

// Memory for a whole file, not cleared before the file is read into it; kept by the caller
// from read to read.
struct FileBuffer {
  std::unique_ptr<char[]> bytes;
  std::size_t capacity = 0;
};

// The file read in one piece and split.
inline BareSplit BareLineSplit(const std::string& path, FileBuffer& buffer,
                               bool withReals = false) {
  BareSplit result;
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return result;
  const std::streamoff size = in.tellg();
  if (size < 0) return result;
  const auto n = static_cast<std::size_t>(size);
  if (buffer.capacity < n) {
    buffer.bytes = std::make_unique_for_overwrite<char[]>(n);
    buffer.capacity = n;
  }
  in.seekg(0);
  if (size > 0 && !in.read(buffer.bytes.get(), size)) return result;
  const std::string_view bytes(buffer.bytes.get(), n);
  if (withReals) {
    SplitPairs<true>(bytes, result);
  } else {
    SplitPairs<false>(bytes, result);
  }
  result.read = true;
  return result;
}

}  // namespace zr::bench
