#pragma once
// The lower layers of the DXF reader: a file's bytes as lines, lines as group-code/value
// pairs, and values as numbers. Nothing here knows about entities.
#include <cstddef>
#include <cstdint>
#include <bit>
#include <cstring>
#include <optional>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zr::dxf {

// Walks the lines of a buffer without copying. Lines end at CR LF, LF or CR; a final line
// break adds no empty line; empty lines stay.
class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes) : bytes_(bytes) {}
  // The next line, or false at the end of the buffer.
  bool Next(std::string_view& line);
  // 1-based number of the line last returned (0 before the first).
  std::size_t LineNumber() const { return lineNumber_; }
  // Byte offset of the next line.
  std::size_t Offset() const { return pos_; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  std::size_t lineNumber_ = 0;
};

// Number of lines LineCursor yields for the buffer.
std::size_t CountLines(std::string_view bytes);

// One group-code/value pair with the 1-based numbers of its two lines.
struct Pair {
  std::string_view codeText;
  std::string_view value;
  std::size_t codeLine = 0;
  std::size_t valueLine = 0;
};

// Takes lines two at a time; a trailing odd line is dropped.
class PairCursor {
 public:
  explicit PairCursor(std::string_view bytes) : lines_(bytes) {}
  bool Next(Pair& pair);
  std::size_t Offset() const { return lines_.Offset(); }

 private:
  LineCursor lines_;
};

// Index of the first CR or LF at or after `from`, or `size`. Sixteen bytes at a time with
// SSE2, then eight at a time: a byte equal to CR or LF becomes zero after the XOR, and the
// classic zero-byte test finds it.
inline std::size_t FindLineBreak(const char* data, std::size_t from, std::size_t size) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kHighs = 0x8080808080808080ull;
  std::size_t i = from;
#if defined(__SSE2__)
  // Sixteen bytes at a time where the processor can: most lines end within the first sixteen,
  // so the loop is seldom taken twice (a loop whose count varies from line to line costs a
  // mispredicted branch per line).
  const __m128i lfs = _mm_set1_epi8('\n');
  const __m128i crs = _mm_set1_epi8('\r');
  for (; i + 16 <= size; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const auto hits = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lfs), _mm_cmpeq_epi8(v, crs))));
    if (hits != 0) return i + static_cast<std::size_t>(std::countr_zero(hits));
  }
#endif
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + i, 8);
    const std::uint64_t lf = word ^ (kOnes * '\n');
    const std::uint64_t cr = word ^ (kOnes * '\r');
    const std::uint64_t hit = ((lf - kOnes) & ~lf & kHighs) | ((cr - kOnes) & ~cr & kHighs);
    if (hit != 0) {
      // The lowest flagged byte is a true match (borrows only run towards higher bytes).
      return i + static_cast<std::size_t>(std::countr_zero(hit) / 8);
    }
  }
  while (i < size && data[i] != '\n' && data[i] != '\r') ++i;
  return i;
}

inline bool LineCursor::Next(std::string_view& line) {
  const std::size_t size = bytes_.size();
  if (pos_ >= size) return false;
  const char* data = bytes_.data();
  std::size_t i = FindLineBreak(data, pos_, size);
  line = std::string_view(data + pos_, i - pos_);
  if (i < size && data[i] == '\r' && i + 1 < size && data[i + 1] == '\n') ++i;
  pos_ = i + 1;
  ++lineNumber_;
  return true;
}

inline bool PairCursor::Next(Pair& pair) {
  if (!lines_.Next(pair.codeText)) return false;
  pair.codeLine = lines_.LineNumber();
  if (!lines_.Next(pair.value)) return false;
  pair.valueLine = lines_.LineNumber();
  return true;
}

// A group code: a decimal integer, possibly with blanks around it (32-bit).
std::optional<std::int32_t> ParseGroupCodeSlow(std::string_view text);
// The same for the reading loop: false when the text is no group code. (The result comes
// back in a register: an optional built and taken apart in the loop went through memory as
// two stores and one wider load, which the processor cannot forward, on every pair.)
inline bool TakeGroupCode(std::string_view text, std::int32_t& code) {
  // Most writers right-align codes in three places ("  8", " 10", "100"): taken without a
  // branch, since the width varies from pair to pair and a branch on it is often mispredicted.
  if (text.size() == 3) {
    const unsigned a = static_cast<unsigned char>(text[0]) - static_cast<unsigned>('0');
    const unsigned b = static_cast<unsigned char>(text[1]) - static_cast<unsigned>('0');
    const unsigned c = static_cast<unsigned char>(text[2]) - static_cast<unsigned>('0');
    constexpr unsigned kBlank = static_cast<unsigned>(' ') - static_cast<unsigned>('0');
    const bool aBlank = a == kBlank;
    const bool bBlank = b == kBlank;
    const bool valid = (c <= 9) & (bBlank ? aBlank : (aBlank | (a <= 9)) & (b <= 9));
    if (valid) {
      code = static_cast<std::int32_t>((aBlank ? 0 : a * 100) + (bBlank ? 0 : b * 10) + c);
      return true;
    }
  }
  // Nearly every other group code is one to four digits after some spaces.
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  const std::size_t digits = text.size() - i;
  std::int32_t value = 0;
  bool plain = digits != 0 && digits <= 4;
  for (; plain && i < text.size(); ++i) {
    const unsigned d = static_cast<unsigned char>(text[i]) - static_cast<unsigned>('0');
    plain = d <= 9;
    value = value * 10 + static_cast<std::int32_t>(d);
  }
  if (plain) {
    code = value;
    return true;
  }
  const std::optional<std::int32_t> slow = ParseGroupCodeSlow(text);
  if (slow) code = *slow;
  return slow.has_value();
}
inline std::optional<std::int32_t> ParseGroupCode(std::string_view text) {
  std::int32_t code = 0;
  if (!TakeGroupCode(text, code)) return std::nullopt;
  return code;
}
// An integer field: blanks around it allowed, the value must fit 16 bits.
std::optional<std::int16_t> ParseSmallInt(std::string_view text);
// A real field: period as decimal separator whatever the locale, leading and trailing blanks
// allowed; infinities and NaN are not numbers here.
std::optional<double> ParseReal(std::string_view text);
// The same through the full conversion alone, without the quick paths for plain decimals.
std::optional<double> ParseRealFully(std::string_view text);

// The words a group 0 or a group 2 value can carry that the reader acts on.
enum class Word : std::uint8_t {
  Other,
  Line, Circle, Arc, LwPolyline, Polyline, Vertex, SeqEnd, Text, Attrib, MText, Insert,
  Face3D, Ellipse, MInsert, Solid, Trace, Point, Hatch, Spline, Leader, Dimension,
  Section, EndSec, Table, EndTab, Block, EndBlk, Layer, View,
  Header, Blocks, Entities,
};

// Exact, case-sensitive classification of a value.
Word Classify(std::string_view value);

}  // namespace zr::dxf
