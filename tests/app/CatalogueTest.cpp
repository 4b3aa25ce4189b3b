#include "app/Catalogue.h"

#include <gtest/gtest.h>

#include "text/Utf.h"

namespace zr {
namespace {

using Lines = std::vector<std::string>;

TEST(MenuCategories, NamesOfLinesWithATabInFileOrder) {
  const Lines menu{"照明\tL", "no tab here", "", "\tX", "コンセント\tC\textra"};
  EXPECT_EQ(MenuCategories(menu), (Lines{"照明", "", "コンセント"}));
}

TEST(FindCategoryTag, ExactNameFirstMatchAndRestOfLine) {
  const Lines menu{"Light\tL1", "light\tL2", "Light\tL3", "Outlet\tC\tmore", "Plain"};
  EXPECT_EQ(FindCategoryTag(menu, "Light"), "L1");       // duplicates: the first wins
  EXPECT_EQ(FindCategoryTag(menu, "light"), "L2");       // case-sensitive
  EXPECT_EQ(FindCategoryTag(menu, "Outlet"), "C\tmore"); // everything after the first tab
  EXPECT_EQ(FindCategoryTag(menu, "Plain"), "");         // a line without tab names nothing
  EXPECT_EQ(FindCategoryTag(menu, "Ligh"), "");
  EXPECT_EQ(FindCategoryTag(menu, ""), "");
}

TEST(FindCategoryRange, FirstRunOfLinesBeginningWithTheTag) {
  const Lines blocks{"A01\ta", "L01\tb", "L02\tc", "A02\td", "L03\te"};
  EXPECT_EQ(FindCategoryRange(blocks, "L"), (CategoryRange{1, 2}));  // L03 stands apart
  EXPECT_EQ(FindCategoryRange(blocks, "A01"), (CategoryRange{0, 0}));
  EXPECT_EQ(FindCategoryRange(blocks, "L0"), (CategoryRange{1, 2}));
  EXPECT_EQ(FindCategoryRange(blocks, "l"), (CategoryRange{}));   // case-sensitive
  EXPECT_EQ(FindCategoryRange(blocks, "Z"), (CategoryRange{}));
  EXPECT_EQ(FindCategoryRange(blocks, ""), (CategoryRange{}));
  EXPECT_EQ(FindCategoryRange({}, "L"), (CategoryRange{}));
}

TEST(FindCategoryRange, RunToTheEndOfTheFile) {
  EXPECT_EQ(FindCategoryRange({"A1", "B1", "B2"}, "B"), (CategoryRange{1, 2}));
  EXPECT_EQ(FindCategoryRange({"B1"}, "B"), (CategoryRange{0, 0}));
}

TEST(StripQuotes, DropsFirstAndLastCharacterWhenTheFirstIsAQuote) {
  EXPECT_EQ(StripQuotes("\"Lamp\""), "Lamp");
  EXPECT_EQ(StripQuotes("\"Lamp"), "Lam");   // the last character goes, whatever it is
  EXPECT_EQ(StripQuotes("Lamp\""), "Lamp\"");
  EXPECT_EQ(StripQuotes("\"\""), "");
  EXPECT_EQ(StripQuotes("\""), "");
  EXPECT_EQ(StripQuotes(""), "");
  EXPECT_EQ(StripQuotes("\"a\"b\""), "a\"b");
}

TEST(StripQuotes, UnclosedQuoteBeforeAMultiByteCharacterKeepsValidText) {
  const std::string stripped(StripQuotes("\"誘導灯"));
  EXPECT_EQ(stripped, "誘導");
  EXPECT_TRUE(text::IsValidUtf8(stripped));
  EXPECT_EQ(StripQuotes("\"照明器具\""), "照明器具");
}

TEST(ReadBlockLine, FillsFieldsMarksCommentAndHint) {
  TBlkList slot;
  std::string hint;
  ASSERT_TRUE(ReadBlockLine("L01\t\"ダウンライト\"\t*\t*\t\"天井埋込\"\tignored", slot, hint));
  EXPECT_EQ(slot.BlkNo, "L01");
  EXPECT_EQ(slot.BlkName, "ダウンライト");
  EXPECT_TRUE(slot.IsJis);
  EXPECT_TRUE(slot.IsKok);
  EXPECT_EQ(slot.Comment, "天井埋込");
  EXPECT_EQ(hint, "ダウンライト\r天井埋込");
}

TEST(ReadBlockLine, MarksAreExactlyOneAsterisk) {
  const char* notMarks[] = {"**", " *", "* ", "", "x", "＊"};
  for (const char* mark : notMarks) {
    TBlkList slot;
    std::string hint;
    ASSERT_TRUE(ReadBlockLine(std::string("L\tn\t") + mark + "\t" + mark, slot, hint));
    EXPECT_FALSE(slot.IsJis) << "'" << mark << "'";
    EXPECT_FALSE(slot.IsKok) << "'" << mark << "'";
  }
}

TEST(ReadBlockLine, ShortLinesFillWhatTheyHave) {
  TBlkList slot;
  std::string hint = "old";
  ASSERT_TRUE(ReadBlockLine("L01\tName", slot, hint));
  EXPECT_EQ(hint, "Name");
  EXPECT_FALSE(slot.IsJis);
  EXPECT_EQ(slot.Comment, "");

  ASSERT_TRUE(ReadBlockLine("L02\tName\t\t\t", slot, hint));  // empty comment: no second line
  EXPECT_EQ(hint, "Name");

  ASSERT_TRUE(ReadBlockLine("L03\t\t*", slot, hint));  // an empty name still fills the slot
  EXPECT_EQ(slot.BlkNo, "L03");
  EXPECT_EQ(slot.BlkName, "");
  EXPECT_TRUE(slot.IsJis);
}

TEST(ReadBlockLine, LineWithoutTabLeavesTheRecordAlone) {
  TBlkList slot;
  slot.BlkNo = "keep";
  std::string hint;
  EXPECT_FALSE(ReadBlockLine("L01 no tab", slot, hint));
  EXPECT_FALSE(ReadBlockLine("", slot, hint));
  EXPECT_EQ(slot.BlkNo, "keep");
}

TEST(BlockFiles, ScaleLetterAndFileName) {
  EXPECT_EQ(ScaleLetter(false, false), 'B');
  EXPECT_EQ(ScaleLetter(true, false), 'A');
  EXPECT_EQ(ScaleLetter(false, true), 'C');
  EXPECT_EQ(ScaleLetter(true, true), 'A');  // 1/200 takes precedence
  const std::string sep(1, kDirSeparator);
  EXPECT_EQ(BlockFileName("C:\\Palette\\", "DXF", "L01", 'B'),
            "C:\\Palette\\DXF" + sep + "L01B.dxf");
}

TEST(ExtractFilePath, FolderWithTrailingSeparator) {
  EXPECT_EQ(ExtractFilePath("C:\\Tools\\ZovezaRuzu.exe"), "C:\\Tools\\");
  EXPECT_EQ(ExtractFilePath("/opt/palette/ZovezaRuzu.exe"), "/opt/palette/");
  EXPECT_EQ(ExtractFilePath("C:ZovezaRuzu.exe"), "C:");
  EXPECT_EQ(ExtractFilePath("ZovezaRuzu.exe"), "");
}

}  // namespace
}  // namespace zr
