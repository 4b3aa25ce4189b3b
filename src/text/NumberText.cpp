#include "text/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace zr::text {
namespace {

constexpr int kSignificant = 15;

// The digits (without trailing zeros) and the decimal exponent of `value` rounded to 15
// significant digits: 153.4 -> {"1534", 2}.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

Decimal RoundToSignificant(double magnitude) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                               kSignificant - 1);
  const std::string s(buf, r.ptr);  // d.dddddddddddddde±XX
  const std::size_t e = s.find('e');
  Decimal d;
  d.digits = s.substr(0, 1) + s.substr(2, e - 2);
  d.exponent = std::atoi(s.c_str() + e + 1);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

std::string Positional(const Decimal& d) {
  const int n = static_cast<int>(d.digits.size());
  if (d.exponent < 0) return "0." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
  if (d.exponent + 1 >= n) return d.digits + std::string(static_cast<std::size_t>(d.exponent + 1 - n), '0');
  return d.digits.substr(0, static_cast<std::size_t>(d.exponent + 1)) + "." +
         d.digits.substr(static_cast<std::size_t>(d.exponent + 1));
}

std::string Exponential(const Decimal& d) {
  std::string s = d.digits.substr(0, 1);
  if (d.digits.size() > 1) s.append(".").append(d.digits, 1);
  s += d.exponent < 0 ? "E-" : "E+";
  return s + std::to_string(std::abs(d.exponent));
}

}  // namespace

std::string FormatGeneral(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0.0) return "0";
  const Decimal d = RoundToSignificant(std::fabs(value));
  const bool positional = d.exponent >= -5 && d.exponent < kSignificant;
  std::string text = value < 0 ? "-" : "";
  return text.append(positional ? Positional(d) : Exponential(d));
}

std::string FormatFixed(double value, int decimals) {
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) return FormatGeneral(value);
  std::string s(buf, r.ptr);
  if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-') s.erase(0, 1);  // no "-0.000"
  return s;
}

std::string FormatFixedForUser(double value, int decimals) {
  std::string s = FormatFixed(value, decimals);
  const std::size_t dot = s.find('.');
  if (dot != std::string::npos) s.replace(dot, 1, UserDecimalSeparator());
  return s;
}

}  // namespace zr::text
