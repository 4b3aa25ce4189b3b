// The catalogue build: a category tree of drawings becomes a catalogue the palette shows, and
// a later run keeps what the keeper edited by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/CatalogueBuild.h"
#include "app/CatalogueCheck.h"
#include "support/PaletteRig.h"
#include "support/TempFolder.h"
#include "text/AnsiCodePage.h"
#include "text/TextFile.h"

namespace zr {
namespace {

using test::TempFolder;

constexpr const char* kLineDxf =
    "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n10\n21\n10\n0\nENDSEC\n0\nEOF\n";
constexpr const char* kCircleDxf =
    "0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n8\n0\n10\n0\n20\n0\n40\n5\n0\nENDSEC\n0\nEOF\n";

std::string Bytes(const TempFolder& dir, const std::string& name) {
  return text::ReadFileBytes(dir.File(name)).value_or("");
}
std::string Ansi(const std::string& utf8) { return text::Utf8ToAnsi(utf8); }

// A CAD's export: one sub-folder per category, with Japanese names and blanks.
void WriteSource(const TempFolder& src) {
  src.Write("照明 器具/LT001B_ダウンライト.dxf", kLineDxf);
  src.Write("照明 器具/LT001A.dxf", kLineDxf);
  src.Write("照明 器具/LT002B.dxf", kLineDxf);
  src.Write("コンセント/OT001B.dxf", kLineDxf);
  src.Write("コンセント/メモ.dxf", kLineDxf);  // no number and letter: left out
}

BuildReport Build(const TempFolder& src, const TempFolder& cat, bool dryRun = false) {
  BuildOptions options;
  options.dryRun = dryRun;
  options.tags["コンセント"] = "OT";
  return BuildCatalogue(src.File(""), cat.File(""), options);
}

bool Reported(const BuildReport& r, ProblemKind kind, int line) {
  return std::any_of(r.problems.begin(), r.problems.end(),
                     [&](const Problem& p) { return p.kind == kind && p.line == line; });
}

TEST(CatalogueBuild, FirstRunMakesACatalogueThePaletteShows) {
  TempFolder src;
  WriteSource(src);
  test::PaletteRig rig;
  const BuildReport report = Build(src, rig.dir);
  ASSERT_TRUE(report.written);
  EXPECT_EQ(Bytes(rig.dir, "MenuList.txt"), Ansi("コンセント\tOT\r\n照明 器具\tLT\r\n"));
  EXPECT_EQ(Bytes(rig.dir, "BlockList.txt"),
            Ansi("OT001\tOT001\t\t\t\r\nLT001\tダウンライト\t\t\t\r\nLT002\tLT002\t\t\t\r\n"));
  EXPECT_EQ(Bytes(rig.dir, "DXF/LT001A.dxf"), kLineDxf);
  EXPECT_TRUE(Reported(report, ProblemKind::SourceMisnamed, 0));
  EXPECT_FALSE(HasError(CheckCatalogue(rig.dir.File("")).problems));

  rig.form.FormCreate(rig.dir.File("ZovezaRuzu.exe"));
  EXPECT_EQ(rig.view.categories, (std::vector<std::string>{"コンセント", "照明 器具"}));
  rig.view.SelectCategory(1);
  rig.form.ComboBox1Change();
  EXPECT_EQ(rig.state.gbBlkList[0].BlkName, "ダウンライト");
  EXPECT_EQ(rig.state.gbBlkList[1].BlkNo, "LT002");
}

TEST(CatalogueBuild, LaterRunsKeepHandEditsAddAtTheEndOfTheCategoryAndReportGoneLines) {
  TempFolder src;
  WriteSource(src);
  TempFolder cat;
  ASSERT_TRUE(Build(src, cat).written);
  // The keeper's edits: order, names, marks, comments, a line of their own; one byte the
  // code page cannot decode must come back as it was.
  const std::string edited = Ansi("LT002\t\"壁付\"\t*\t\t\"傍記 W\"\r\nLT001\tダウン\t*\t*\r\n") +
                             "LT900\t\x80\r\n" + Ansi("OT001\tコンセント 2口\t*\r\n");
  cat.Write("BlockList.txt", edited);
  // The CAD exported again: one drawing added, one renamed, one changed.
  src.Write("照明 器具/LT003B.dxf", kLineDxf);
  src.Remove("コンセント/OT001B.dxf");  // renamed to OT005B
  src.Write("コンセント/OT005B.dxf", kLineDxf);
  src.Write("照明 器具/LT002B.dxf", kCircleDxf);

  const std::string menuBefore = Bytes(cat, "MenuList.txt");
  const BuildReport dry = Build(src, cat, true);
  EXPECT_FALSE(dry.written);
  EXPECT_EQ(Bytes(cat, "BlockList.txt"), edited);
  EXPECT_FALSE(text::FileExists(cat.File("DXF/LT003B.dxf")));

  const BuildReport report = Build(src, cat);
  ASSERT_TRUE(report.written);
  EXPECT_EQ(Bytes(cat, "BlockList.txt"),
            Ansi("LT002\t\"壁付\"\t*\t\t\"傍記 W\"\r\nLT001\tダウン\t*\t*\r\n") +
                "LT900\t\x80\r\n" +
                Ansi("LT003\tLT003\t\t\t\r\nOT001\tコンセント 2口\t*\r\nOT005\tOT005\t\t\t\r\n"));
  EXPECT_EQ(Bytes(cat, "MenuList.txt"), menuBefore);
  EXPECT_EQ(Bytes(cat, "DXF/LT002B.dxf"), kCircleDxf);
  EXPECT_TRUE(text::FileExists(cat.File("DXF/OT001B.dxf")));      // reported, never deleted
  EXPECT_TRUE(Reported(report, ProblemKind::SourceLineGone, 3));  // LT900
  EXPECT_TRUE(Reported(report, ProblemKind::SourceLineGone, 5));  // OT001
  EXPECT_EQ(dry.changes.size(), report.changes.size());
}

TEST(CatalogueBuild, ANameTheCodePageCannotHoldTurnsTheListToUtf16) {
  TempFolder src;
  WriteSource(src);
  TempFolder cat;
  ASSERT_TRUE(Build(src, cat).written);
  src.Write("コンセント/OT002B_한국 콘센트.dxf", kLineDxf);
  const BuildReport report = Build(src, cat);
  ASSERT_TRUE(report.written);
  std::vector<std::string> lines;
  text::TextEncoding encoding = text::TextEncoding::Ansi;
  ASSERT_TRUE(text::ReadTextLines(cat.File("BlockList.txt"), lines, &encoding));
  EXPECT_EQ(encoding, text::TextEncoding::Utf16LE);
  EXPECT_EQ(lines, (std::vector<std::string>{"OT001\tOT001\t\t\t", "OT002\t한국 콘센트\t\t\t",
                                             "LT001\tダウンライト\t\t\t", "LT002\tLT002\t\t\t"}));
}

}  // namespace
}  // namespace zr
