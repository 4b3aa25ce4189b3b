#pragma once
// Number texts. Texts for the CAD always use a period, whatever the user's locale: a comma
// would split a coordinate pair. Texts shown to the user take the locale's separator.
#include <string>

namespace zr::text {

// The general format: at most 15 significant digits, no trailing zeros, no thousands
// separator, a period as decimal separator, and exponent notation ("1.5E-6", "1E+20") only
// for magnitudes below 0.00001 or with more than 15 integer digits. 100 -> "100",
// 153.4 -> "153.4", 1/3 -> "0.333333333333333".
std::string FormatGeneral(double value);

// Fixed-point with `decimals` digits after a period ("%.Nf" in the C locale).
std::string FormatFixed(double value, int decimals);

// The decimal separator of the user's locale (platform side: src/win32, src/native).
std::string UserDecimalSeparator();

// Fixed-point with `decimals` digits and the user's decimal separator, for displays.
std::string FormatFixedForUser(double value, int decimals);

}  // namespace zr::text
