// Where a problem of the palette's catalogue check leads: the category and page that show its
// block, a category line's first page, nothing for the rest.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/CataloguePlace.h"
#include "support/TempFolder.h"

namespace zr {

void PrintTo(const CataloguePlace& place, std::ostream* out) {
  *out << place.category << " page " << place.page;
}

namespace {

// Lamps run over lines 0-29 (LE01 inside the run); a second "Lamps" (tag X) cannot be chosen;
// L99 stands after the run; Q01 has one field.
std::vector<std::string> BlockLines() {
  std::vector<std::string> lines;
  for (int i = 1; i <= 29; ++i) {
    lines.push_back((i < 10 ? "L0" : "L") + std::to_string(i) + "\tLamp");
    if (i == 14) lines.push_back("LE01\tLED");
  }
  for (const char* line : {"O01\tOutlet", "X01\tX", "L99\tStray", "Q01"}) lines.push_back(line);
  return lines;
}

const std::vector<std::string> kMenu = {"Lamps\tL", "Lamps\tX", "Outlets\tO",
                                        "LED\tLE",  "NoTab",    "Empty\t"};

std::optional<CataloguePlace> At(const char* category, int page) {
  return CataloguePlace{category, page};
}

TEST(CataloguePlace, BlockLineLeadsToFirstCategoryRunHoldingIt) {
  const struct {
    int line;
    std::optional<CataloguePlace> place;
  } cases[] = {
      {0, At("Lamps", 0)},   {13, At("Lamps", 0)},  {14, At("Lamps", 1)},  // LE01: Lamps first
      {28, At("Lamps", 2)},  {29, At("Lamps", 2)},  {30, At("Outlets", 0)},
      {31, std::nullopt},    // X01: its category's name is taken by the first "Lamps"
      {32, std::nullopt},    // L99: after the run the palette shows
      {33, std::nullopt},    // Q01: no tag begins it
      {34, std::nullopt},    {-1, std::nullopt},
  };
  const std::vector<std::string> blocks = BlockLines();
  for (const auto& c : cases) {
    EXPECT_EQ(PlaceOfBlockLine(kMenu, blocks, c.line), c.place) << "line " << c.line;
  }
}

TEST(CataloguePlace, ProblemLeadsToItsBlockOrCategory) {
  const struct {
    const char* file;
    int line;
    const char* subject;
    std::optional<CataloguePlace> place;
  } cases[] = {
      {"BlockList.txt", 15, "LE01", At("Lamps", 1)},  // the line counts, not the subject
      {"BlockList.txt", 33, "X01", std::nullopt},
      {"BlockList.txt", 0, "", std::nullopt},          // the whole file
      {"DXF/L29B.dxf", 0, "L29", At("Lamps", 2)},      // a drawing: its number's first line
      {"DXF/L29B.dxf", 7, "L29", At("Lamps", 2)},      // the line is the drawing's own
      {"DXF/Z01B.dxf", 0, "Z01", std::nullopt},        // no line of that number
      {"DXF/ZZB.dxf", 0, "", std::nullopt},            // an unlisted drawing
      {"MenuList.txt", 3, "Outlets", At("Outlets", 0)},
      {"MenuList.txt", 6, "Empty", At("Empty", 0)},    // an empty category shows its page too
      {"MenuList.txt", 5, "NoTab", std::nullopt},      // not in the category box
      {"MenuList.txt", 0, "", std::nullopt},
      {"MenuList.txt", 7, "", std::nullopt},
      {"DXF", 0, "", std::nullopt},
  };
  const std::vector<std::string> blocks = BlockLines();
  for (const auto& c : cases) {
    Problem p;
    p.file = c.file;
    p.line = c.line;
    p.subject = c.subject;
    EXPECT_EQ(PlaceOfProblem(p, kMenu, blocks), c.place) << c.file << ":" << c.line;
  }
}

// The palette's list: the demo's warnings each lead to their block's page (the category names
// read as the palette reads them); a sound catalogue gets one line saying so.
TEST(CataloguePlace, CheckListOfDemoAndOfSoundCatalogue) {
  const CheckList demo = CheckCatalogueLines(ZR_DEMO_DIR);
  ASSERT_FALSE(demo.lines.empty());
  EXPECT_EQ(demo.summary, "エラー 0 件、警告 " + std::to_string(demo.lines.size()) + " 件");
  for (const CheckLine& line : demo.lines) {
    EXPECT_TRUE(line.text.starts_with("警告: BlockList.txt:")) << line.text;
    EXPECT_TRUE(line.place.has_value()) << line.text;
  }
  EXPECT_EQ(demo.lines[0].place, At("照明器具", 0));  // LT005, the lists in code page 932

  test::TempFolder dir;
  dir.Write("MenuList.txt", "Lamps\tL\r\n");
  dir.Write("BlockList.txt", "L01\tLamp\r\n");
  const char* dxf = "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n10\n21\n10\n"
                    "0\nENDSEC\n0\nEOF\n";
  for (const char* name : {"DXF/L01A.dxf", "DXF/L01B.dxf", "DXF/L01C.dxf"}) dir.Write(name, dxf);
  const CheckList sound = CheckCatalogueLines(dir.Path().string());
  ASSERT_EQ(sound.lines.size(), 1u);
  EXPECT_EQ(sound.lines[0].text, kNoProblemLine);
  EXPECT_FALSE(sound.lines[0].place.has_value());
  EXPECT_EQ(sound.summary, "エラー 0 件、警告 0 件");
}

}  // namespace
}  // namespace zr
