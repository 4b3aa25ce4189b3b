#include "drawing/DxfPairs.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace zr::dxf {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view SkipLeadingBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return text.substr(i);
}

std::string_view TrimBlanks(std::string_view text) {
  text = SkipLeadingBlanks(text);
  std::size_t n = text.size();
  while (n > 0 && IsBlank(text[n - 1])) --n;
  return text.substr(0, n);
}

// Optional sign and decimal digits between blanks, nothing else; false on overflow of 64
// bits. Writers pad integers on either side ("  7", "7 ").
bool ParseDecimal(std::string_view text, std::int64_t& result) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    if (value > (std::numeric_limits<std::int64_t>::max() - 9) / 10) return false;
    value = value * 10 + (c - '0');
  }
  result = negative ? -value : value;
  return true;
}

// from_chars reports a value too small for a double as out of range; such a value is zero
// (as the C library's conversion gives it), while a value too large stays a failure.
bool IsUnderflow(std::string_view text) {
  const std::size_t e = text.find_first_of("eE");
  if (e != std::string_view::npos) return e + 1 < text.size() && text[e + 1] == '-';
  for (const char c : text) {
    if (c == '.') return true;
    if (c >= '1' && c <= '9') return false;
  }
  return true;
}

}  // namespace

std::size_t CountLines(std::string_view bytes) {
  std::size_t count = 0;
  const std::size_t size = bytes.size();
  for (std::size_t i = 0; i < size; ++i) {
    const char c = bytes[i];
    if (c == '\n') {
      ++count;
    } else if (c == '\r') {
      ++count;
      if (i + 1 < size && bytes[i + 1] == '\n') ++i;
    }
  }
  if (size > 0 && bytes[size - 1] != '\n' && bytes[size - 1] != '\r') ++count;
  return count;
}

std::optional<std::int32_t> ParseGroupCodeSlow(std::string_view text) {
  std::int64_t value = 0;
  if (!ParseDecimal(text, value)) return std::nullopt;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

std::optional<std::int16_t> ParseSmallInt(std::string_view text) {
  std::int64_t value = 0;
  if (!ParseDecimal(text, value)) return std::nullopt;
  if (value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(value);
}

// Eight ASCII digits at p as their number, or false when any of the eight bytes is not a
// digit (each byte's high nibble must be 3 and stay 3 after adding 6).
[[gnu::always_inline]] inline bool EightDigits(const char* p, std::uint64_t& number) {
  std::uint64_t w;
  std::memcpy(&w, p, 8);
  if ((((w + 0x0606060606060606ull) & 0xF0F0F0F0F0F0F0F0ull) >> 4 |
       (w & 0xF0F0F0F0F0F0F0F0ull)) != 0x3333333333333333ull) {
    return false;
  }
  w -= 0x3030303030303030ull;  // the first digit is the lowest byte
  w = w * 10 + (w >> 8);       // pairs of digits
  w = ((w & 0x000000FF000000FFull) * 0x000F424000000064ull +
       ((w >> 16) & 0x000000FF000000FFull) * 0x0000271000000001ull) >> 32;
  number = w & 0xFFFFFFFFull;
  return true;
}

// Appends the run of digits from text[i] to mantissa (eight at a time while it can); returns
// how many there were. More than 19 digits may overflow: the caller gives up on them.
[[gnu::always_inline]] inline std::size_t TakeDigits(std::string_view text, std::size_t& i,
                                                     std::uint64_t& mantissa) {
  const std::size_t first = i;
  std::uint64_t eight = 0;
  while (i + 8 <= text.size() && i - first <= 11 && EightDigits(text.data() + i, eight)) {
    mantissa = mantissa * 100000000ull + eight;
    i += 8;
  }
  for (; i < text.size(); ++i) {
    const unsigned d = static_cast<unsigned char>(text[i]) - static_cast<unsigned>('0');
    if (d > 9) break;
    mantissa = mantissa * 10 + d;
  }
  return i - first;
}

// A mantissa of 17 to 19 digits (beyond 2^53, the 17-digit values writers give for full
// precision) divided by 10^fraction, with fraction at most 19. The x87 format holds such a
// mantissa and the power of ten exactly and rounds the quotient once to 64 bits; rounding
// that to a double again gives the correctly rounded double unless the 64-bit quotient lies
// exactly halfway between two doubles (its 11 bits below the double's last are 10000000000):
// a halfway value may have come from either side, and those few are left to the full
// conversion. (Should the processor round to 53 bits instead, the quotient is the correctly
// rounded double at once.) False where the format is not the x87 one or for a halfway value.
[[gnu::always_inline]] inline bool ParseLongMantissa(std::uint64_t mantissa, std::size_t fraction,
                                                     double& magnitude) {
#if defined(__x86_64__) || defined(__i386__)
  static_assert(std::numeric_limits<long double>::digits == 64);
  static constexpr long double kLongPowers[] = {
      1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
      1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L};
  const long double quotient = static_cast<long double>(mantissa) / kLongPowers[fraction];
  std::uint64_t significand = 0;
  std::memcpy(&significand, &quotient, sizeof significand);  // the low 8 of its 10 bytes
  if ((significand & 0x7FF) == 0x400) return false;
  magnitude = static_cast<double>(quotient);
  return true;
#else
  (void)mantissa;
  (void)fraction;
  (void)magnitude;
  return false;
#endif
}

// Plain decimals ("-12.5", "1234.567891") of at most 19 digits and at most 22 decimals. Where
// the digits form an integer of at most 2^53 a double holds both it and the power of ten
// exactly, and one division rounds correctly, so the result equals the full conversion's;
// longer mantissas go through ParseLongMantissa. Anything else: false.
[[gnu::always_inline]] inline bool ParsePlainDecimal(std::string_view text, double& value) {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) ++i;
  std::uint64_t mantissa = 0;
  const std::size_t whole = TakeDigits(text, i, mantissa);
  std::size_t fraction = 0;
  if (i < text.size() && text[i] == '.') {
    ++i;
    if (whole <= 19) fraction = TakeDigits(text, i, mantissa);
  }
  if (i != text.size() || whole + fraction == 0 || whole + fraction > 19 || fraction > 22) {
    return false;
  }
  double magnitude = 0.0;
  if (mantissa <= kExactLimit) {
    magnitude = static_cast<double>(mantissa) / kPowers[fraction];
  } else if (!ParseLongMantissa(mantissa, fraction, magnitude)) {
    return false;
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

std::optional<double> ParseReal(std::string_view text) {
  double value = 0.0;
  if (ParsePlainDecimal(text, value)) return value;
  return ParseRealFully(text);
}

std::optional<double> ParseRealFully(std::string_view text) {
  double value = 0.0;
  text = TrimBlanks(text);
  if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+') {
    text.remove_prefix(1);
  }
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (ptr != end || text.empty()) return std::nullopt;
  if (ec == std::errc::result_out_of_range) {
    if (!IsUnderflow(text)) return std::nullopt;
    return text[0] == '-' ? -0.0 : 0.0;
  }
  if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

Word Classify(std::string_view v) {
  if (v.size() < 3 || v.size() > 10) return Word::Other;
  switch (v[0]) {
    case 'A':
      if (v == "ARC") return Word::Arc;
      if (v == "ATTRIB") return Word::Attrib;
      break;
    case 'B':
      if (v == "BLOCK") return Word::Block;
      if (v == "BLOCKS") return Word::Blocks;
      break;
    case 'C':
      if (v == "CIRCLE") return Word::Circle;
      break;
    case 'D':
      if (v == "DIMENSION") return Word::Dimension;
      break;
    case 'E':
      if (v == "ENDSEC") return Word::EndSec;
      if (v == "ENDTAB") return Word::EndTab;
      if (v == "ENDBLK") return Word::EndBlk;
      if (v == "ELLIPSE") return Word::Ellipse;
      if (v == "ENTITIES") return Word::Entities;
      break;
    case 'H':
      if (v == "HEADER") return Word::Header;
      if (v == "HATCH") return Word::Hatch;
      break;
    case 'I':
      if (v == "INSERT") return Word::Insert;
      break;
    case 'L':
      if (v == "LINE") return Word::Line;
      if (v == "LAYER") return Word::Layer;
      if (v == "LWPOLYLINE") return Word::LwPolyline;
      if (v == "LEADER") return Word::Leader;
      break;
    case 'M':
      if (v == "MTEXT") return Word::MText;
      if (v == "MINSERT") return Word::MInsert;
      break;
    case 'P':
      if (v == "POLYLINE") return Word::Polyline;
      if (v == "POINT") return Word::Point;
      break;
    case 'S':
      if (v == "SEQEND") return Word::SeqEnd;
      if (v == "SECTION") return Word::Section;
      if (v == "SOLID") return Word::Solid;
      if (v == "SPLINE") return Word::Spline;
      break;
    case 'T':
      if (v == "TEXT") return Word::Text;
      if (v == "TABLE") return Word::Table;
      if (v == "TRACE") return Word::Trace;
      break;
    case 'V':
      if (v == "VERTEX") return Word::Vertex;
      if (v == "VIEW") return Word::View;
      break;
    case '3':
      if (v == "3DFACE") return Word::Face3D;
      break;
    default:
      break;
  }
  return Word::Other;
}

}  // namespace zr::dxf
