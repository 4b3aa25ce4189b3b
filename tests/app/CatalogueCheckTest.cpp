// The catalogue check: faults planted into the demo catalogue are each named with their file
// and line, and no input makes it crash or hang.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/CatalogueBuild.h"
#include "app/CatalogueCheck.h"
#include "support/PaletteRig.h"
#include "support/TempFolder.h"
#include "text/AnsiCodePage.h"
#include "text/TextFile.h"
#include "text/Utf.h"

namespace zr {
namespace {

using test::TempFolder;

constexpr const char* kLineDxf =
    "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n10\n21\n10\n0\nENDSEC\n0\nEOF\n";
constexpr const char* kEmptyDxf = "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n";

std::string Bytes(const TempFolder& dir, const std::string& name) {
  return text::ReadFileBytes(dir.File(name)).value_or("");
}
void Append(const TempFolder& dir, const std::string& name, const std::string& utf8Lines) {
  dir.Write(name, Bytes(dir, name) + text::Utf8ToAnsi(utf8Lines));
}
// The first half of a drawing's lines, cut after a whole pair.
std::string FirstHalf(const std::string& bytes) {
  std::size_t at = 0;
  const std::size_t lines = std::count(bytes.begin(), bytes.end(), '\n') / 4 * 2;
  for (std::size_t n = 0; n < lines; ++n) at = bytes.find('\n', at) + 1;
  return bytes.substr(0, at);
}

struct Planted {
  const char* what;
  std::function<void(const TempFolder&)> plant;
  ProblemKind kind;
  Severity severity;
  std::string file;
  int line;
};

TEST(CatalogueCheck, DemoCatalogueAsShippedHasNoError) {
  const CheckReport report = CheckCatalogue(ZR_DEMO_DIR);
  EXPECT_TRUE(report.folderReadable);
  for (const Problem& p : report.problems) {
    EXPECT_EQ(p.severity, Severity::Warning) << DescribeProblem(p, MessageLanguage::English);
  }
}

TEST(CatalogueCheck, PlantedFaultsAreEachNamedWithFileAndLine) {
  TempFolder dir;
  std::filesystem::copy(ZR_DEMO_DIR, dir.Path(), std::filesystem::copy_options::recursive);
  const std::vector<Planted> planted = {
      {"category line without a tab", [](auto& d) { Append(d, "MenuList.txt", "予備\r\n"); },
       ProblemKind::CategoryWithoutTab, Severity::Error, "MenuList.txt", 9},
      {"tag that begins no line", [](auto& d) { Append(d, "MenuList.txt", "未使用\tQQ\r\n"); },
       ProblemKind::CategoryTagUnused, Severity::Error, "MenuList.txt", 10},
      {"two categories, one tag", [](auto& d) { Append(d, "MenuList.txt", "照明2\tLT\r\n"); },
       ProblemKind::CategoryTagTwice, Severity::Error, "MenuList.txt", 11},
      {"block line of one field", [](auto& d) { Append(d, "BlockList.txt", "ZZ999\r\n"); },
       ProblemKind::BlockLineShort, Severity::Error, "BlockList.txt", 100},
      {"block number twice", [](auto& d) { Append(d, "BlockList.txt", "LT001\t重複\r\n"); },
       ProblemKind::BlockNumberTwice, Severity::Error, "BlockList.txt", 101},
      {"no B drawing", [](auto& d) { d.Remove("DXF/LT002B.dxf"); }, ProblemKind::DrawingMissingB,
       Severity::Error, "BlockList.txt", 2},
      {"no A drawing", [](auto& d) { d.Remove("DXF/LT003A.dxf"); },
       ProblemKind::DrawingMissingScale, Severity::Warning, "BlockList.txt", 3},
      {"another format", [](auto& d) { d.Write("DXF/LT004B.dxf", "GIF89a junk"); },
       ProblemKind::DrawingUnreadable, Severity::Error, "DXF/LT004B.dxf", 1},
      {"a pair the reader cannot convert",
       [](auto& d) { d.Write("DXF/LT010B.dxf", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nx.y\n"); },
       ProblemKind::DrawingUnreadable, Severity::Error, "DXF/LT010B.dxf", 7},
      {"binary DXF",
       [](auto& d) { d.Write("DXF/LT008B.dxf", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22)); },
       ProblemKind::DrawingBinary, Severity::Error, "DXF/LT008B.dxf", 0},
      {"truncated drawing",
       [](auto& d) { d.Write("DXF/LT009B.dxf", FirstHalf(Bytes(d, "DXF/LT009B.dxf"))); },
       ProblemKind::DrawingTruncated, Severity::Error, "DXF/LT009B.dxf", 0},
      {"nothing to draw", [](auto& d) { d.Write("DXF/LT006B.dxf", kEmptyDxf); },
       ProblemKind::DrawingEmpty, Severity::Error, "DXF/LT006B.dxf", 0},
      {"drawing no line lists", [](auto& d) { d.Write("DXF/XX001B.dxf", kLineDxf); },
       ProblemKind::DrawingUnlisted, Severity::Warning, "DXF/XX001B.dxf", 0},
#ifndef _WIN32  // one Windows folder cannot hold both names
      {"names differing in case", [](auto& d) { d.Write("DXF/lt007b.dxf", kLineDxf); },
       ProblemKind::DrawingCaseTwin, Severity::Error, "DXF/lt007b.dxf", 0},
#endif
      {"UTF-8 without a mark",
       [](auto& d) { d.Write("BlockList.txt", text::AnsiToUtf8(Bytes(d, "BlockList.txt"))); },
       ProblemKind::ListUnmarkedUtf8, Severity::Error, "BlockList.txt", 0},
  };
  for (const Planted& p : planted) p.plant(dir);

  const CheckReport report = CheckCatalogue(dir.File(""));
  EXPECT_TRUE(HasError(report.problems));
  for (const Planted& p : planted) {
    const bool found = std::any_of(report.problems.begin(), report.problems.end(), [&](auto& q) {
      return q.kind == p.kind && q.severity == p.severity && q.file == p.file && q.line == p.line;
    });
    EXPECT_TRUE(found) << p.what;
  }
  // No error besides the planted ones.
  for (const Problem& q : report.problems) {
    if (q.severity != Severity::Error) continue;
    EXPECT_TRUE(std::any_of(planted.begin(), planted.end(), [&](auto& p) {
      return p.kind == q.kind && p.file == q.file && p.line == q.line;
    })) << DescribeProblem(q, MessageLanguage::English);
  }
}

// Whatever the folder holds, the check and a build from it end, and say what is wrong.
TEST(CatalogueCheck, BadInputEndsWithAFindingNeverACrash) {
  struct Row {
    const char* what;
    std::function<void(const TempFolder&)> make;
    std::optional<ProblemKind> expected;
  };
  const std::string junk = [] {
    std::string s;
    for (int i = 0; i < 70'000; ++i) s += static_cast<char>((i * 7919) >> 3);
    return s;
  }();
  const std::vector<Row> rows = {
      {"empty files",
       [](auto& d) {
         d.Write("MenuList.txt", "");
         d.Write("BlockList.txt", "A1\tx\r\n");
         d.Write("DXF/A1B.dxf", "");
       },
       ProblemKind::DrawingEmpty},
      {"binary junk",
       [&](auto& d) {
         d.Write("MenuList.txt", junk);
         d.Write("BlockList.txt", junk);
         d.Write("DXF/junkB.dxf", junk);
       },
       std::nullopt},
      {"lines of 100,000 characters",
       [](auto& d) {
         const std::string longText(100'000, 'L');
         d.Write("MenuList.txt", longText + "\r\nx\t" + longText + "\r\n");
         d.Write("BlockList.txt", longText + "\t" + longText + "\r\n" + longText + "\r\n");
         d.Write("DXF/x", "");
       },
       ProblemKind::BlockLineShort},
      {"1,000,000 lines",
       [](auto& d) {
         std::string lines;
         for (int i = 0; i < 1'000'000; ++i) lines += "B" + std::to_string(i % 1000) + "\tn\n";
         d.Write("MenuList.txt", lines);
         d.Write("BlockList.txt", lines);
         d.Write("DXF/B1B.dxf", kLineDxf);
       },
       ProblemKind::BlockNumberTwice},
      {"names the code page cannot hold",
       [](auto& d) {
         d.Write("MenuList.txt", text::EncodeTextLines({"한국\tK"}, text::TextEncoding::Utf16LE));
         d.Write("BlockList.txt",
                 text::EncodeTextLines({"K1\t한국어 😀"}, text::TextEncoding::Utf16LE));
         d.Write("DXF/K1B.dxf", kLineDxf);
       },
       std::nullopt},
      {"a DXF folder that is a file",
       [](auto& d) {
         d.Write("MenuList.txt", "a\tA\r\n");
         d.Write("BlockList.txt", "A1\tx\r\n");
         d.Write("DXF", "not a folder");
       },
       ProblemKind::DxfFolderMissing},
#ifndef _WIN32
      {"links that loop",
       [](auto& d) {
         d.Write("MenuList.txt", "a\tA\r\n");
         d.Write("BlockList.txt", "A1\tx\r\n");
         d.Write("DXF/A1B.dxf", kLineDxf);
         std::filesystem::create_symlink("A2B.dxf", d.Path() / "DXF/A2B.dxf");
         std::filesystem::create_directory_symlink(d.Path() / "DXF", d.Path() / "DXF/sub");
         std::filesystem::create_directory_symlink(d.Path(), d.Path() / "loop");
       },
       ProblemKind::DrawingUnlisted},
#endif
  };
  for (const Row& row : rows) {
    test::PaletteRig rig;
    const TempFolder& d = rig.dir;
    row.make(d);
    const CheckReport report = CheckCatalogue(d.File(""));
    EXPECT_TRUE(report.folderReadable) << row.what;
    if (row.expected) {
      EXPECT_TRUE(std::any_of(report.problems.begin(), report.problems.end(),
                              [&](const Problem& p) { return p.kind == *row.expected; }))
          << row.what;
    }
    for (const Problem& p : report.problems) {
      EXPECT_TRUE(text::IsValidUtf8(DescribeProblem(p, MessageLanguage::Japanese))) << row.what;
    }
    // The palette pages through it as well.
    rig.form.FormCreate(d.File("ZovezaRuzu.exe"));
    rig.form.FormShow();
    rig.form.SpeedButton2Click();
    rig.form.UpDown1Click(UpDownButton::Previous);
    // A build from it into a folder of a Japanese name with a blank, checked in turn.
    const std::string built = d.File("カタログ 置き場");
    const BuildReport build = BuildCatalogue(d.File(""), built, {});
    EXPECT_TRUE(build.sourceReadable) << row.what;
    EXPECT_TRUE(CheckCatalogue(built).folderReadable || !build.written) << row.what;
  }
}

}  // namespace
}  // namespace zr
