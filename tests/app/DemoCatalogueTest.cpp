// The demo catalogue laid beside the executable, read the way the palette reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "drawing/DrawingExpansion.h"
#include "drawing/DxfRead.h"
#include "drawing/PolyToLineArc.h"
#include "text/TextFile.h"
#include "text/Utf.h"

namespace zr::text {
namespace {

using Lines = std::vector<std::string>;

std::string DemoPath(const std::string& name) { return std::string(ZR_DEMO_DIR) + "/" + name; }

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  SplitTabs(line, fields);
  return fields;
}

// Field 1 or 4 of a block line as the palette shows it: a leading double quote drops the
// first and the last character.
std::string Unquoted(const std::string& field) {
  if (!field.empty() && field.front() == '"') return field.substr(1, field.size() - 2);
  return field;
}

// Reads a catalogue file and checks that it is stored as catalogues written on Japanese
// Windows are: in the ANSI code page without byte-order mark, every line ended by CR LF.
Lines ReadCatalogueFile(const std::string& name) {
  const std::string path = DemoPath(name);
  const auto bytes = ReadFileBytes(path);
  EXPECT_TRUE(bytes.has_value()) << path;
  if (!bytes) return {};
  for (std::string bom : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
    EXPECT_FALSE(StartsWith(*bytes, bom)) << name << " starts with a byte-order mark";
  }
  int bareLineEnds = 0;
  for (std::size_t i = 0; i < bytes->size(); ++i) {
    const char c = (*bytes)[i];
    bareLineEnds += c == '\r' && (i + 1 == bytes->size() || (*bytes)[i + 1] != '\n');
    bareLineEnds += c == '\n' && (i == 0 || (*bytes)[i - 1] != '\r');
  }
  EXPECT_EQ(bareLineEnds, 0) << name << " has line ends other than CR LF";
  EXPECT_TRUE(bytes->size() >= 2 && bytes->substr(bytes->size() - 2) == "\r\n")
      << name << " does not end with a line break";
  Lines lines;
  TextEncoding encoding{};
  EXPECT_TRUE(ReadTextLines(path, lines, &encoding));
  EXPECT_EQ(encoding, TextEncoding::Ansi) << name;
  for (const auto& line : lines) {
    EXPECT_EQ(line.find("\xEF\xBF\xBD"), std::string::npos)
        << name << ": a byte sequence the code page cannot decode in: " << line;
  }
  return lines;
}

class DemoCatalogue : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    menu = ReadCatalogueFile("MenuList.txt");
    blocks = ReadCatalogueFile("BlockList.txt");
    targets = ReadCatalogueFile("TargetCAD_APIVersion.txt");
  }
  static inline Lines menu, blocks, targets;
};

TEST_F(DemoCatalogue, JapaneseTextIsStoredInCodePage932) {
  // Raw bytes of Japanese text in code page 932 are no valid UTF-8; a file saved as UTF-8
  // without byte-order mark would be misread by the palette.
  for (const char* name : {"MenuList.txt", "BlockList.txt"}) {
    const auto bytes = ReadFileBytes(DemoPath(name));
    ASSERT_TRUE(bytes.has_value());
    EXPECT_FALSE(IsAscii(*bytes)) << name;
    EXPECT_FALSE(IsValidUtf8(*bytes)) << name;
  }
  ASSERT_FALSE(menu.empty());
  EXPECT_EQ(menu.front(), "照明器具\tLT");
}

TEST_F(DemoCatalogue, CategoriesHaveNamesAndTagsNoTagBeginningAnother) {
  ASSERT_GE(menu.size(), 6u);
  std::set<std::string> names;
  std::vector<std::string> tags;
  for (const auto& line : menu) {
    const auto tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    EXPECT_TRUE(names.insert(line.substr(0, tab)).second) << "duplicate name: " << line;
    tags.push_back(line.substr(tab + 1));
    EXPECT_FALSE(tags.back().empty()) << line;
  }
  // A tag that began another would also take the other category's blocks as its own.
  for (const auto& a : tags) {
    for (const auto& b : tags) {
      if (&a != &b) {
        EXPECT_FALSE(StartsWith(b, a)) << a << " begins " << b;
      }
    }
  }
}

TEST_F(DemoCatalogue, EachCategoryIsOneRunOfLinesAndOneFillsSeveralPages) {
  std::map<std::string, std::vector<std::size_t>> rows;
  std::vector<std::string> tags;
  for (const auto& line : menu) tags.push_back(line.substr(line.find('\t') + 1));
  for (std::size_t r = 0; r < blocks.size(); ++r) {
    const auto tag = std::find_if(tags.begin(), tags.end(),
                                  [&](const std::string& t) { return StartsWith(blocks[r], t); });
    ASSERT_NE(tag, tags.end()) << "line of no category: " << blocks[r];
    rows[*tag].push_back(r);
  }
  int paged = 0;
  for (const auto& tag : tags) {
    const auto& run = rows[tag];
    ASSERT_FALSE(run.empty()) << "category without blocks: " << tag;
    // The palette takes the first run of lines of a tag; a line further down is lost.
    EXPECT_EQ(run.back() - run.front() + 1, run.size()) << "lines of " << tag << " are split";
    if (run.size() > 14) {
      ++paged;
      EXPECT_LE(run.size(), 28u) << tag;
    } else {
      EXPECT_GE(run.size(), 5u) << tag;
    }
  }
  EXPECT_EQ(paged, 1) << "exactly one category should need a second page";
}

TEST_F(DemoCatalogue, BlockLinesCarryNumberNameMarksAndComment) {
  std::set<std::string> numbers;
  int quoted = 0, jis = 0, kok = 0;
  for (const auto& line : blocks) {
    const auto f = Fields(line);
    ASSERT_EQ(f.size(), 5u) << line;
    EXPECT_TRUE(numbers.insert(f[0]).second) << "duplicate number: " << line;
    EXPECT_FALSE(Unquoted(f[1]).empty()) << line;
    for (int i : {1, 4}) {
      if (!f[i].empty() && f[i].front() == '"') {
        ++quoted;
        EXPECT_TRUE(f[i].size() >= 2 && f[i].back() == '"') << "unbalanced quotes: " << line;
      }
    }
    for (int i : {2, 3}) EXPECT_TRUE(f[i].empty() || f[i] == "*") << line;
    jis += f[2] == "*";
    kok += f[3] == "*";
  }
  EXPECT_GT(quoted, 0);
  EXPECT_GT(jis, 0);
  EXPECT_LT(jis, static_cast<int>(blocks.size()));
  EXPECT_GT(kok, 0);
  EXPECT_LT(kok, static_cast<int>(blocks.size()));
}

TEST_F(DemoCatalogue, EveryBlockHasItsHundredthDrawingAndSomeOnlyThat) {
  int onlyHundredth = 0;
  for (const auto& line : blocks) {
    const auto number = Fields(line)[0];
    EXPECT_TRUE(FileExists(DemoPath("DXF/" + number + "B.dxf"))) << number;
    onlyHundredth += !FileExists(DemoPath("DXF/" + number + "A.dxf")) &&
                     !FileExists(DemoPath("DXF/" + number + "C.dxf"));
  }
  EXPECT_GT(onlyHundredth, 0);
  EXPECT_LT(onlyHundredth, static_cast<int>(blocks.size()) / 4);
}

TEST_F(DemoCatalogue, TargetListNamesTheSixProgramsEachFoundByItsOwnProgId) {
  std::set<std::string> names;
  int commandWindowEntries = 0;
  for (const auto& line : targets) {
    const auto tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    const std::string name = line.substr(0, tab), progId = line.substr(tab + 1);
    names.insert(name);
    commandWindowEntries += progId == "AutoCAD LT";
    // The title at start-up names the first line containing TAB + ProgID; a line listed
    // earlier whose ProgID merely begins with this one would lend its name instead.
    const auto first = std::find_if(targets.begin(), targets.end(), [&](const std::string& l) {
      return l.find("\t" + progId) != std::string::npos;
    });
    EXPECT_EQ(*first, line) << "the title for " << progId << " would name another entry";
  }
  for (const char* program : {"AutoCAD", "AutoCAD LT", "BricsCAD", "ZWCAD"}) {
    EXPECT_TRUE(names.count(program)) << program;
  }
  for (const char* program : {"IJCAD", "GstarCAD"}) {
    EXPECT_TRUE(std::any_of(names.begin(), names.end(),
                            [&](const std::string& n) { return StartsWith(n, program); }))
        << program;
  }
  EXPECT_EQ(commandWindowEntries, 1);
  EXPECT_TRUE(std::any_of(targets.begin(), targets.end(), [](const std::string& l) {
    return l == "BricsCAD\tBricscadApp.AcadApplication";
  })) << "the default target must be listed";
}

// Every drawing of the catalogue, read with the palette's reader: R2000 files whose layer
// names and texts in code page 932 come back as the Japanese they were written as.
TEST_F(DemoCatalogue, EveryDrawingReadsIntoTheModelWithItsJapaneseTexts) {
  const auto findText = [](const TDxfModel& model, const std::string& str) {
    return std::find_if(model.TextAry.begin(), model.TextAry.end(),
                        [&](const TTextBlk& t) { return t.str == str; });
  };
  int drawings = 0;
  for (const auto& line : blocks) {
    for (const char* letter : {"A", "B", "C"}) {
      const std::string path = DemoPath("DXF/" + Fields(line)[0] + letter + ".dxf");
      if (!FileExists(path)) continue;
      ++drawings;
      TDxfModel model;
      std::string error, version;
      DxfRead(model, path, nullptr, nullptr, error, version);
      EXPECT_EQ(error, "") << path;
      EXPECT_EQ(version, "AC1015") << path;
      EXPECT_FALSE(model.LineAry.empty() && model.CircleAry.empty() && model.ArcAry.empty() &&
                   model.LwpAry.empty())
          << path << " holds no geometry";
      for (const auto& insert : model.InsertAry) {
        // An insert of a block the drawing does not define shows nothing in a CAD.
        EXPECT_TRUE(std::any_of(model.BlockAry.begin(), model.BlockAry.end(),
                                [&](const TBlockBlk& b) { return b.name == insert.name; }))
            << path << ": insert of the undefined block " << insert.name;
      }
      for (const auto& text : model.TextAry) {
        EXPECT_FALSE(text.str.empty()) << path;
        EXPECT_TRUE(IsValidUtf8(text.str) && text.str.find("\\U+") == std::string::npos &&
                    text.str.find("\xEF\xBF\xBD") == std::string::npos)
            << path << ": " << text.str;
      }
      const bool hasTextLayer = std::any_of(model.LayerAry.begin(), model.LayerAry.end(),
                                            [](const TLayer& l) { return l.Name == "文字"; });
      EXPECT_TRUE(hasTextLayer) << path << ": layer names decoded wrongly";
    }
  }
  EXPECT_GT(drawings, static_cast<int>(blocks.size()) * 2);

  TDxfModel model;
  std::string error, version;
  DxfRead(model, DemoPath("DXF/LT015B.dxf"), nullptr, nullptr, error, version);
  const auto exit = findText(model, "避難口");
  ASSERT_NE(exit, model.TextAry.end());
  EXPECT_EQ(exit->code72, 1);  // centred, hanging from its top
  EXPECT_EQ(exit->code73, 3);
  DxfRead(model, DemoPath("DXF/OT009C.dxf"), nullptr, nullptr, error, version);
  const auto rating = findText(model, "\\fMS Gothic|b0;E\\P\\W0.9;250V 20A");
  ASSERT_NE(rating, model.TextAry.end());
  EXPECT_TRUE(rating->mtflag);
  EXPECT_EQ(rating->code71, 4);  // attached middle left
}

// The symbols drawn with fills, ellipses and blocks: read as those kinds, and drawn by the
// thumbnail as filled shapes, ellipses and the content of their blocks.
TEST(DemoCatalogueKinds, FilledEllipticAndBlockSymbolsReadAndDrawAsThoseKinds) {
  struct Case {
    const char* file;
    std::size_t solids, solidHatches, ellipses, inserts;
  };
  const Case cases[] = {
      {"LT008B", 0, 1, 0, 0},  // bracket: the wall-side half filled
      {"LT013B", 0, 1, 0, 0},  // emergency light: a filled disc
      {"PB001B", 0, 1, 0, 0},  // distribution board: half below the diagonal filled
      {"PB004A", 0, 1, 0, 0},
      {"PL003C", 2, 0, 0, 0},  // check valve: filled half and flow arrow
      {"AC001B", 0, 0, 2, 0},  // fan blades
      {"FA008B", 0, 0, 0, 3},  // box of three device blocks
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    TDxfModel model;
    std::string error, version;
    DxfRead(model, DemoPath(std::string("DXF/") + c.file + ".dxf"), nullptr, nullptr, error,
            version);
    ASSERT_EQ(error, "");
    EXPECT_EQ(model.SolidAry.size(), c.solids);
    EXPECT_EQ(static_cast<std::size_t>(
                  std::count_if(model.HatchAry.begin(), model.HatchAry.end(),
                                [](const THatchBlk& h) { return h.solid && !h.loops.empty(); })),
              c.solidHatches);
    EXPECT_EQ(model.EllipseAry.size(), c.ellipses);
    EXPECT_EQ(model.InsertAry.size(), c.inserts);
    const std::size_t circlesBefore = model.CircleAry.size();
    PolyToLineArc(model);
    ExpandDrawing(model);
    const auto fills = static_cast<std::size_t>(
        std::count_if(model.ShapeAry.begin(), model.ShapeAry.end(),
                      [](const TShapeBlk& s) { return s.kind == ShapeKind::Fill; }));
    EXPECT_GE(fills, c.solids + c.solidHatches);
    EXPECT_GE(model.ShapeAry.size() - fills, c.ellipses) << "ellipse outlines";
    EXPECT_EQ(model.CircleAry.size() - circlesBefore, c.inserts) << "one circle per device";
  }
  TDxfModel box;
  std::string error, version;
  DxfRead(box, DemoPath("DXF/FA008B.dxf"), nullptr, nullptr, error, version);
  PolyToLineArc(box);
  ExpandDrawing(box);
  for (const char* letter : {"P", "B"}) {
    EXPECT_TRUE(std::any_of(box.TextAry.begin(), box.TextAry.end(),
                            [&](const TTextBlk& t) { return t.str == letter; }))
        << "the letter of a device block: " << letter;
  }
}

}  // namespace
}  // namespace zr::text
