#include "text/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <numbers>

namespace zr::text {
namespace {

// Texts for the CAD never take a locale's decimal comma: "153,4" would be two values.
TEST(NumberText, GeneralFormatUnderADecimalCommaLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {100.0, "100"},          {153.4, "153.4"},     {66.65, "66.65"},
      {0.767, "0.767"},        {0.0, "0"},           {-0.0, "0"},
      {-12.5, "-12.5"},        {1.0 / 3, "0.333333333333333"},
      {90.00000000000001, "90"}, {15.000000000000002, "15"},
      {0.00001, "0.00001"},    {0.0000015, "1.5E-6"}, {123456789012345.0, "123456789012345"},
      {1e15, "1E+15"},         {1e20, "1E+20"},     {std::numbers::pi * 1e6, "3141592.65358979"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatGeneral(c.value), c.text) << c.value;
  EXPECT_EQ(FormatFixed(-1.0, 4), "-1.0000");
  EXPECT_EQ(FormatFixed(-0.00001, 3), "0.000");
  if (comma) {
    EXPECT_EQ(FormatFixedForUser(12.5, 3), "12,500");
  } else {
    GTEST_LOG_(INFO) << "no de_DE locale: only the period forms were checked";
  }
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(FormatFixedForUser(12.5, 3), "12.500");
}

}  // namespace
}  // namespace zr::text
