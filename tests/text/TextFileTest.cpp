#include "text/TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "text/AnsiCodePage.h"
#include "text/Utf.h"

namespace zr::text {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitLines, MixedLineEndsAndNoExtraFinalLine) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(SplitLines("a\n\n"), (Lines{"a", ""}));
  EXPECT_EQ(SplitLines("\r\n\r\nx"), (Lines{"", "", "x"}));
  EXPECT_EQ(SplitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(SplitTabs, KeepsEmptyFieldsAndReplacesOutput) {
  Lines fields{"old"};
  SplitTabs("a\t\tb\t", fields);
  EXPECT_EQ(fields, (Lines{"a", "", "b", ""}));
  SplitTabs("", fields);
  EXPECT_EQ(fields, (Lines{""}));
  SplitTabs("no tab", fields);
  EXPECT_EQ(fields, (Lines{"no tab"}));
}

TEST(Split, AnySeparatorKeepsEmptyFields) {
  EXPECT_EQ(Split("1,,2.5,", ','), (Lines{"1", "", "2.5", ""}));
  EXPECT_EQ(Split("Afx|AutoCAD 2024", '|'), (Lines{"Afx", "AutoCAD 2024"}));
  EXPECT_EQ(Split("", '|'), (Lines{""}));
}

TEST(DecodeText, ChoosesEncodingByByteOrderMark) {
  TextEncoding e{};
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF\xE7\x85\xA7\xE6\x98\x8E", &e), "照明");
  EXPECT_EQ(e, TextEncoding::Utf8Bom);
  EXPECT_EQ(DecodeText(std::string("\xFF\xFE\x67\x71\x0E\x66", 6), &e), "照明");
  EXPECT_EQ(e, TextEncoding::Utf16LE);
  EXPECT_EQ(DecodeText(std::string("\xFE\xFF\x71\x67\x66\x0E", 6), &e), "照明");
  EXPECT_EQ(e, TextEncoding::Utf16BE);
  // Without a mark: the ANSI code page (932), including a trail byte 0x5C ("表").
  EXPECT_EQ(DecodeText("\x8F\xC6\x96\xBE \x95\x5C", &e), "照明 表");
  EXPECT_EQ(e, TextEncoding::Ansi);
}

TEST(DecodeText, UndecodableBytesBecomeReplacementCharacters) {
  EXPECT_EQ(DecodeText("a\x81"), "a\xEF\xBF\xBD");                 // lead byte at the end
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF" "a\xFF" "b"), "a\xEF\xBF\xBD" "b");  // bad UTF-8
  EXPECT_EQ(DecodeText("\xFF\xFE\x41"), "\xEF\xBF\xBD");          // odd UTF-16 length
}

TEST(Utf, RoundTripsAndCountsUtf16Units) {
  const std::string s = "A照𠀋";
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(s)), s);
  EXPECT_EQ(Utf16Length(s), 4u);  // the last character is a surrogate pair
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));  // overlong
  EXPECT_TRUE(IsValidUtf8(s));
}

TEST(AnsiCodePage, EncodesBackAndMarksUnmappable) {
  EXPECT_EQ(Utf8ToAnsi("照明 表"), "\x8F\xC6\x96\xBE \x95\x5C");
  EXPECT_EQ(Utf8ToAnsi("a\xF0\x9F\x98\x80" "b"), "a?b");  // emoji: not in code page 932
}

// Natively through iconv, under Wine through the system's own code page 932.
TEST(AnsiCodePage, ExactEncodingRefusesWhatWouldNotComeBack) {
  const struct {
    const char* utf8;
    std::optional<std::string> bytes;
  } cases[] = {
      {"照明 表～", "\x8F\xC6\x96\xBE \x95\x5C\x81\x60"},
      {"한", std::nullopt},                       // missing
      {"a\xE3\x80\x9C", std::nullopt},          // U+301C: reads back as U+FF5E
      {"\xC2\xA5", std::nullopt},                // the yen sign: reads back as "\\"
      {"\xC3\xA4", std::nullopt},                // a best fit "a"
      {"\xF0\x9F\x98\x80", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToAnsiExactly(c.utf8), c.bytes) << c.utf8;
  // The file encoder falls back to UTF-16 rather than write a "?".
  EXPECT_EQ(EncodeTextLines({"한"}, TextEncoding::Ansi),
            EncodeTextLines({"한"}, TextEncoding::Utf16LE));
}

class TempDir : public ::testing::Test {
 protected:
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "zr-textfile-test";
  void SetUp() override { std::filesystem::create_directories(dir); }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string PathOf(const char* name) const { return (dir / name).string(); }
};

TEST_F(TempDir, ReadsLinesAndReportsMissingFile) {
  std::ofstream(PathOf("a.txt"), std::ios::binary) << "x\ty\r\nz\r\n";
  Lines lines{"stale"};
  EXPECT_TRUE(ReadTextLines(PathOf("a.txt"), lines));
  EXPECT_EQ(lines, (Lines{"x\ty", "z"}));
  EXPECT_FALSE(ReadTextLines(PathOf("missing.txt"), lines));
  EXPECT_TRUE(lines.empty());
  EXPECT_TRUE(FileExists(PathOf("a.txt")));
  EXPECT_FALSE(FileExists(PathOf("missing.txt")));
  EXPECT_FALSE(FileExists(dir.string()));  // a folder is no file
}

TEST_F(TempDir, AtomicWriteReplacesTargetAndRoundTripsEachEncoding) {
  for (TextEncoding e : {TextEncoding::Ansi, TextEncoding::Utf8Bom, TextEncoding::Utf16LE,
                         TextEncoding::Utf16BE}) {
    const Lines written{"名称\tProgID", "", "x"};
    ASSERT_TRUE(WriteFileAtomically(PathOf("w.txt"), EncodeTextLines(written, e)));
    Lines read;
    TextEncoding detected{};
    ASSERT_TRUE(ReadTextLines(PathOf("w.txt"), read, &detected));
    EXPECT_EQ(read, written);
    EXPECT_EQ(detected, e);
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "w.txt.tmp"));
}

TEST_F(TempDir, FailedWriteLeavesTargetUntouched) {
  std::ofstream(PathOf("keep.txt"), std::ios::binary) << "old";
  // The temporary file cannot be created where a folder of its name stands.
  std::filesystem::create_directories(dir / "keep.txt.tmp" / "x");
  EXPECT_FALSE(WriteFileAtomically(PathOf("keep.txt"), "new"));
  EXPECT_EQ(*ReadFileBytes(PathOf("keep.txt")), "old");
}

}  // namespace
}  // namespace zr::text
