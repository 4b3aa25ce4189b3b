// The lower layers of the DXF reader: lines, pairs and number values.
#include <gtest/gtest.h>

#include <charconv>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "drawing/DxfPairs.h"

namespace zr::dxf {
namespace {

std::vector<std::string> Lines(std::string_view bytes) {
  LineCursor cursor(bytes);
  std::vector<std::string> lines;
  std::string_view line;
  while (cursor.Next(line)) lines.emplace_back(line);
  EXPECT_EQ(CountLines(bytes), lines.size()) << "for " << ::testing::PrintToString(bytes);
  return lines;
}

using Strings = std::vector<std::string>;

TEST(DxfPairs, LinesEndAtCrLfLfOrCr) {
  EXPECT_EQ(Lines("a\r\nb\nc\rd"), (Strings{"a", "b", "c", "d"}));
  EXPECT_EQ(Lines("a\n"), (Strings{"a"}));
  EXPECT_EQ(Lines("a\r\n"), (Strings{"a"}));
  EXPECT_EQ(Lines("a\r"), (Strings{"a"}));
  EXPECT_EQ(Lines("\n\n"), (Strings{"", ""}));
  EXPECT_EQ(Lines("a\n\r\nb"), (Strings{"a", "", "b"}));
  EXPECT_EQ(Lines("a\r\rb"), (Strings{"a", "", "b"}));
  EXPECT_EQ(Lines("a\n\rb"), (Strings{"a", "", "b"}));
  EXPECT_EQ(Lines(""), Strings{});
  EXPECT_EQ(Lines(std::string_view("a\0b\nc", 5)), (Strings{std::string("a\0b", 3), "c"}));
}

TEST(DxfPairs, PairsCarryTheirLineNumbersAndDropAnOddLine) {
  PairCursor cursor("  0\r\nLINE\r\n 10\r\n1.5\r\n 20");
  Pair p;
  ASSERT_TRUE(cursor.Next(p));
  EXPECT_EQ(p.codeText, "  0");
  EXPECT_EQ(p.value, "LINE");
  EXPECT_EQ(p.codeLine, 1u);
  EXPECT_EQ(p.valueLine, 2u);
  ASSERT_TRUE(cursor.Next(p));
  EXPECT_EQ(p.value, "1.5");
  EXPECT_EQ(p.codeLine, 3u);
  EXPECT_EQ(p.valueLine, 4u);
  EXPECT_FALSE(cursor.Next(p));
}

TEST(DxfPairs, GroupCodesAllowLeadingBlanksOnly) {
  EXPECT_EQ(ParseGroupCode("0"), 0);
  EXPECT_EQ(ParseGroupCode("  10"), 10);
  EXPECT_EQ(ParseGroupCode("1071"), 1071);
  EXPECT_EQ(ParseGroupCode("-5"), -5);
  EXPECT_EQ(ParseGroupCode("+5"), 5);
  EXPECT_EQ(ParseGroupCode("007"), 7);
  EXPECT_EQ(ParseGroupCode("2147483647"), 2147483647);
  EXPECT_FALSE(ParseGroupCode("2147483648"));
  EXPECT_FALSE(ParseGroupCode("99999999999999999999999"));
  EXPECT_EQ(ParseGroupCode(" 10 "), 10);
  EXPECT_FALSE(ParseGroupCode("1 0"));
  EXPECT_FALSE(ParseGroupCode(""));
  EXPECT_FALSE(ParseGroupCode("   "));
  EXPECT_FALSE(ParseGroupCode("-"));
  EXPECT_FALSE(ParseGroupCode("1.0"));
  EXPECT_FALSE(ParseGroupCode("LINE"));
  EXPECT_FALSE(ParseGroupCode("AutoCAD Binary DXF"));
}

TEST(DxfPairs, ThreePlaceGroupCodesAgreeWithTheGeneralRules) {
  // Every three-byte text over blanks, digits and their neighbours, against the general parse.
  const std::string bytes = " \t0159/:-+a\xB0";
  for (const char a : bytes) {
    for (const char b : bytes) {
      for (const char c : bytes) {
        const std::string text{a, b, c};
        EXPECT_EQ(ParseGroupCode(text), ParseGroupCodeSlow(text)) << '"' << text << '"';
      }
    }
  }
}

TEST(DxfPairs, SmallIntsMustFitSixteenBits) {
  EXPECT_EQ(ParseSmallInt(" 256"), 256);
  EXPECT_EQ(ParseSmallInt("-7"), -7);
  EXPECT_EQ(ParseSmallInt("32767"), 32767);
  EXPECT_EQ(ParseSmallInt("-32768"), -32768);
  EXPECT_FALSE(ParseSmallInt("32768"));
  EXPECT_FALSE(ParseSmallInt("-32769"));
  EXPECT_FALSE(ParseSmallInt("70000"));
  EXPECT_EQ(ParseSmallInt(" 7 \t"), 7);  // writers pad on either side
  EXPECT_FALSE(ParseSmallInt("7 x"));
  EXPECT_FALSE(ParseSmallInt("1.0"));
  EXPECT_FALSE(ParseSmallInt(""));
}

TEST(DxfPairs, RealsUseAPeriodAndAllowBlanksOnBothSides) {
  EXPECT_EQ(ParseReal("1.5"), 1.5);
  EXPECT_EQ(ParseReal("  -2.25  "), -2.25);
  EXPECT_EQ(ParseReal("\t3\t"), 3.0);
  EXPECT_EQ(ParseReal("+4"), 4.0);
  EXPECT_EQ(ParseReal(".5"), 0.5);
  EXPECT_EQ(ParseReal("5."), 5.0);
  EXPECT_EQ(ParseReal("1e3"), 1000.0);
  EXPECT_EQ(ParseReal("1.5E-2"), 0.015);
  EXPECT_EQ(ParseReal("2E+2"), 200.0);
  EXPECT_EQ(ParseReal("1234.567891234567"), 1234.567891234567);
  EXPECT_EQ(ParseReal("1e-400"), 0.0);  // too small for a double: zero
  EXPECT_FALSE(ParseReal("1e400"));     // too large: not a number
  EXPECT_FALSE(ParseReal("1,5"));
  EXPECT_FALSE(ParseReal(""));
  EXPECT_FALSE(ParseReal("  "));
  EXPECT_FALSE(ParseReal("+-1"));
  EXPECT_FALSE(ParseReal("--1"));
  EXPECT_FALSE(ParseReal("1e"));
  EXPECT_FALSE(ParseReal("1.2.3"));
  EXPECT_FALSE(ParseReal("0x10"));
  EXPECT_FALSE(ParseReal("inf"));
  EXPECT_FALSE(ParseReal("nan"));
  EXPECT_FALSE(ParseReal("infinity"));
  EXPECT_FALSE(ParseReal("abc"));
}

TEST(DxfPairs, RealsIgnoreTheLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous != nullptr ? previous : "C";
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr &&
      std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") == nullptr) {
    GTEST_SKIP() << "no locale with a decimal comma installed";
  }
  EXPECT_EQ(ParseReal("1.5"), 1.5);
  EXPECT_FALSE(ParseReal("1,5"));
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(DxfPairs, KeywordsAreClassifiedExactly) {
  EXPECT_EQ(Classify("LINE"), Word::Line);
  EXPECT_EQ(Classify("LWPOLYLINE"), Word::LwPolyline);
  EXPECT_EQ(Classify("3DFACE"), Word::Face3D);
  EXPECT_EQ(Classify("ENTITIES"), Word::Entities);
  EXPECT_EQ(Classify("ENDBLK"), Word::EndBlk);
  EXPECT_EQ(Classify("SEQEND"), Word::SeqEnd);
  EXPECT_EQ(Classify("MTEXT"), Word::MText);
  EXPECT_EQ(Classify("line"), Word::Other);
  EXPECT_EQ(Classify("LINE "), Word::Other);
  EXPECT_EQ(Classify("LIN"), Word::Other);
  EXPECT_EQ(Classify("POLYLINES"), Word::Other);
  EXPECT_EQ(Classify(""), Word::Other);
}


TEST(DxfPairs, RealsConvertExactlyLikeTheFullConversion) {
  // Random decimals in the forms CAD programs write, short and long, against from_chars.
  std::mt19937_64 rng(42);
  for (int i = 0; i < 200000; ++i) {
    const double v = std::ldexp(static_cast<double>(rng() >> 11), -static_cast<int>(rng() % 70));
    char buf[64];
    const int precision = static_cast<int>(rng() % 18);
    const auto format = rng() % 3 == 0 ? std::chars_format::general : std::chars_format::fixed;
    const auto end = std::to_chars(buf, buf + sizeof buf, (rng() & 1) ? -v : v, format, precision).ptr;
    const std::string_view text(buf, static_cast<std::size_t>(end - buf));
    double expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    const std::optional<double> got = ParseReal(text);
    ASSERT_TRUE(got.has_value()) << text;
    ASSERT_EQ(*got, expected) << text;
  }
}

TEST(DxfPairs, LongMantissasConvertExactlyEvenNearHalfway) {
  // 17 to 19 digits beyond 2^53, the hardest for a quick conversion: values printed close to
  // the point halfway between two neighbouring doubles (cut off after 17, 18 or 19 digits, so
  // a little below, at or above it), exact halfway integers, and random ones.
  std::mt19937_64 rng(7);
  std::vector<std::string> texts = {"9007199254740993", "9007199254740995", "18014398509481987",
                                    "-9007199254740993.0", "900719925474099.3",
                                    "9999999999999999999", "1000000000000000000.5"};
  char buf[80];
  for (int i = 0; i < 100000; ++i) {
    const double d = std::ldexp(static_cast<double>((rng() >> 11) | (1ull << 52)),
                                static_cast<int>(rng() % 100) - 100);
    const long double halfway = (static_cast<long double>(d) + std::nextafter(d, 1e300)) / 2;
    const int digits = 16 + static_cast<int>(rng() % 3);  // 17 to 19 significant digits
    const int whole = 1 + static_cast<int>(std::floor(std::log10(static_cast<double>(halfway))));
    std::snprintf(buf, sizeof buf, "%.*Lf", std::max(0, digits - whole), halfway);
    texts.emplace_back(buf);
    std::snprintf(buf, sizeof buf, "%llu.%llu", static_cast<unsigned long long>(rng() % 1000000),
                  static_cast<unsigned long long>(rng() % 10000000000000ull));
    texts.emplace_back(buf);
  }
  for (const std::string& text : texts) {
    double expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    const std::optional<double> got = ParseReal(text);
    ASSERT_TRUE(got.has_value()) << text;
    ASSERT_EQ(std::memcmp(&*got, &expected, sizeof expected), 0) << text;
  }
}

TEST(DxfPairs, RealsRejectAnyNonDigitInALongRunOfDigits) {
  // Digits are taken eight at a time: a byte next to the digits ('/' and ':') or any other
  // byte at any place of a run, whole part or decimals, makes the value no number. (Values
  // short enough for the exact quick conversion, which would otherwise hand them on.)
  for (const std::string form : {"12345678.5", "0.12345678123456", "-87654321.87654321"}) {
    for (std::size_t at = 0; at < form.size(); ++at) {
      if (form[at] < '0' || form[at] > '9') continue;
      for (const char bad : {'/', ':', 'x', '\x80', '\xFF', '\0'}) {
        std::string text = form;
        text[at] = bad;
        EXPECT_FALSE(ParseReal(text)) << form << " at " << at << ": " << static_cast<int>(bad);
      }
    }
    EXPECT_EQ(ParseReal(form), std::stod(form));
  }
}

TEST(DxfPairs, LongLinesAndBreaksAtEveryOffset) {
  // Line breaks at every position of the eight-byte scan.
  for (std::size_t length = 0; length < 20; ++length) {
    for (const char* eol : {"\n", "\r\n", "\r"}) {
      const std::string line(length, 'x');
      EXPECT_EQ(Lines(line + eol + line + eol + "y"), (Strings{line, line, "y"}));
    }
  }
  // Bytes that differ from CR or LF by one bit or by borrow are no breaks.
  EXPECT_EQ(Lines("\x0b\x0c\x8a\x8d\x0e\x09" "abc\nZ"), (Strings{"\x0b\x0c\x8a\x8d\x0e\x09" "abc", "Z"}));
}

}  // namespace
}  // namespace zr::dxf
