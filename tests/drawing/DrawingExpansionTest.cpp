// The drawing pass: inserted blocks through their maps, the shapes of ellipses, fills,
// splines, points, leaders and wide polylines, the primitive budget, and the range.
#include "drawing/DrawingExpansion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "drawing/DxfReadTestSupport.h"
#include "drawing/Extents.h"
#include "drawing/PolyToLineArc.h"
#include "drawing/Renderer.h"
#include "drawing/SlotThumbnail.h"
#include "support/RecordingCanvas.h"
#include "text/TextFile.h"

namespace zr {
namespace {

using testing::Dxf;
using testing::Entities;
using testing::OpKind;
using testing::Read;
using testing::RecordingCanvas;

constexpr double kTol = 1e-9;

// A BLOCKS section of the given blocks ("name|base x|base y|pairs...") and the entities.
std::string Drawing(const std::vector<std::string>& blocks, const std::string& entities) {
  std::string bars = "0|SECTION|2|BLOCKS|";
  for (const std::string& b : blocks) bars += "0|BLOCK|" + b + "|0|ENDBLK|";
  bars += "0|ENDSEC|0|SECTION|2|ENTITIES|" + entities + "|0|ENDSEC|0|EOF";
  return Dxf(bars);
}

testing::ReadResult Expanded(const std::string& text, std::size_t budget = kDrawingBudget) {
  testing::ReadResult r = Read(text);
  PolyToLineArc(r.model);
  ExpandDrawing(r.model, budget);
  return r;
}

void ExpectPoint(const TAcadPoint& p, double x, double y) {
  EXPECT_NEAR(p.x, x, 1e-6);
  EXPECT_NEAR(p.y, y, 1e-6);
}

// Block B (base point (1, 0)) holds the line (1, 0)-(2, 0) and the arc of radius 1 about
// its base point from 0° to 90°.
const std::string kBlockB = "2|B|10|1|20|0|0|LINE|10|1|20|0|11|2|21|0|0|ARC|10|1|20|0|40|1|50|0|51|90";

TEST(InsertedBlocks, InsertMapsPlaceScaleRotateMirrorAndExtrude) {
  struct Case {
    const char* insert;
    double x1, y1, x2, y2;  // the line
    double st, ed;          // the arc's angles
  };
  const Case cases[] = {
      {"0|INSERT|2|B|10|10|20|5", 10, 5, 11, 5, 0, 90},
      {"0|INSERT|2|B|10|10|20|5|41|2|42|2|50|90", 10, 5, 10, 7, 90, 180},
      // Mirrored in x: the arc now runs from 90° to 180°, still counter-clockwise.
      {"0|INSERT|2|B|10|10|20|5|41|-1", 10, 5, 9, 5, 90, 180},
      // Seen from below: the insert's own x axis points the other way.
      {"0|INSERT|2|B|10|10|20|5|210|0|220|0|230|-1", -10, 5, -11, 5, 90, 180},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.insert);
    const auto r = Expanded(Drawing({kBlockB}, c.insert));
    ASSERT_EQ(r.model.LineAry.size(), 1u);
    ExpectPoint(r.model.LineAry[0].st, c.x1, c.y1);
    ExpectPoint(r.model.LineAry[0].ed, c.x2, c.y2);
    ASSERT_EQ(r.model.ArcAry.size(), 1u);
    EXPECT_NEAR(r.model.ArcAry[0].st, c.st, 1e-6);
    EXPECT_NEAR(r.model.ArcAry[0].ed, c.ed, 1e-6);
    ExpectPoint(r.model.ArcAry[0].center, c.x1, c.y1);
  }
}

TEST(InsertedBlocks, MInsertArrayStepsAlongTheRotatedAxesUnscaled) {
  const auto r = Expanded(
      Drawing({kBlockB}, "0|MINSERT|2|B|10|10|20|5|41|3|50|90|70|2|71|3|44|4|45|7"));
  ASSERT_EQ(r.model.LineAry.size(), 6u);
  // The last cell (column 1, row 2) is (4, 14) from the insertion point before the turn.
  ExpectPoint(r.model.LineAry.back().st, 10 - 14, 5 + 4);
  ExpectPoint(r.model.LineAry.back().ed, 10 - 14, 5 + 4 + 3);
}

TEST(InsertedBlocks, NestedBlocksTakeColourAndLayerFromTheirInsert) {
  const auto r = Expanded(Drawing(
      {"2|A|10|0|20|0|0|LINE|8|0|62|0|11|1|0|INSERT|2|C|10|5|20|0|62|0",
       "2|C|10|0|20|0|0|CIRCLE|8|0|62|0|40|1|0|CIRCLE|8|K|62|4|40|3"},
      "0|INSERT|2|A|8|L|62|3|10|100|20|0|41|2|42|2"));
  ASSERT_EQ(r.model.LineAry.size(), 1u);
  EXPECT_EQ(r.model.LineAry[0].color, 3);
  EXPECT_EQ(r.model.LineAry[0].layer, "L");
  ASSERT_EQ(r.model.CircleAry.size(), 2u);
  ExpectPoint(r.model.CircleAry[0].center, 110, 0);
  EXPECT_NEAR(r.model.CircleAry[0].hankei, 2, kTol);
  EXPECT_EQ(r.model.CircleAry[0].color, 3);  // BYBLOCK through two inserts
  EXPECT_EQ(r.model.CircleAry[0].layer, "L");
  EXPECT_EQ(r.model.CircleAry[1].color, 4);  // its own colour and layer stay
  EXPECT_EQ(r.model.CircleAry[1].layer, "K");
}

TEST(InsertedBlocks, AttributeValuesAreDrawnTheirDefinitionsNot) {
  const auto r = Expanded(Drawing(
      {"2|T|10|0|20|0|0|LINE|11|1|0|ATTDEF|10|0|20|1|40|1|1|DEF|2|TAG|3|PROMPT|70|0"},
      "0|INSERT|2|T|66|1|10|5|20|5|0|ATTRIB|10|5|20|6|40|1|1|VALUE|2|TAG|0|SEQEND"));
  ASSERT_EQ(r.model.TextAry.size(), 1u);
  EXPECT_EQ(r.model.TextAry[0].str, "VALUE");
  EXPECT_EQ(r.model.LineAry.size(), 1u);
}

TEST(InsertedBlocks, DistortedCirclesBecomeEllipticOutlines) {
  const auto r = Expanded(Drawing({"2|O|10|0|20|0|0|CIRCLE|40|1"}, "0|INSERT|2|O|41|2|42|1"));
  EXPECT_TRUE(r.model.CircleAry.empty());
  ASSERT_EQ(r.model.ShapeAry.size(), 1u);
  double maxX = 0, maxY = 0;
  for (const TAcadPoint& p : r.model.ShapeAry[0].pts) {
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
  }
  EXPECT_NEAR(maxX, 2, 1e-9);
  EXPECT_NEAR(maxY, 1, 1e-3);
}

TEST(InsertedBlocks, SelfContainingAndHugeDrawingsStopWithinTheBudget) {
  // A block inside itself, and two blocks inside each other: each drawn once.
  auto r = Expanded(Drawing({"2|S|10|0|20|0|0|LINE|11|1|0|INSERT|2|S|10|5"},
                            "0|INSERT|2|S"));
  EXPECT_EQ(r.model.LineAry.size(), 1u);
  r = Expanded(Drawing({"2|P|0|LINE|11|1|0|INSERT|2|Q", "2|Q|0|LINE|11|2|0|INSERT|2|P"},
                       "0|INSERT|2|P"));
  EXPECT_EQ(r.model.LineAry.size(), 2u);

  // A million cells, and a chain of 40 blocks each holding the next twice (2^40 lines).
  r = Expanded(Drawing({kBlockB}, "0|MINSERT|2|B|70|1000|71|1000|44|1|45|1"));
  std::size_t drawn = r.model.LineAry.size() + r.model.ArcAry.size();
  EXPECT_GT(drawn, kDrawingBudget / 4);
  EXPECT_LE(drawn, kDrawingBudget);
  std::vector<std::string> chain;
  for (int i = 0; i < 40; ++i) {
    const std::string next = std::to_string(i + 1);
    chain.push_back("2|K" + std::to_string(i) + "|0|LINE|11|1|0|INSERT|2|K" + next +
                    "|0|INSERT|2|K" + next + "|10|1");
  }
  r = Expanded(Drawing(chain, "0|INSERT|2|K0"), 5000);
  EXPECT_LE(r.model.LineAry.size(), 5000u);
  EXPECT_GE(r.model.LineAry.size(), 64u);  // as deep as the nesting limit lets it go
}

TEST(DrawnShapes, SolidsRunCrosswiseAndHatchesFillTheirRingsOnly) {
  const auto r = Expanded(Entities(
      "0|SOLID|10|0|20|0|11|4|21|0|12|0|22|3|13|4|23|3|"
      "0|TRACE|10|0|20|0|11|1|21|0|12|0|22|1|"
      // A solid hatch: a square polyline path and a circle of edges, then seed points.
      "0|HATCH|8|H|10|0|20|0|30|0|2|SOLID|70|1|71|0|91|2|"
      "92|3|72|0|73|1|93|4|10|0|20|0|10|10|20|0|10|10|20|10|10|0|20|10|97|0|"
      "92|1|93|1|72|2|10|5|20|5|40|2|50|0|51|360|73|1|97|0|"
      "75|0|76|1|98|1|10|50|20|50|"
      // A pattern hatch with one clockwise quarter arc edge (angles stored as 360° - a).
      "0|HATCH|70|0|91|1|92|1|93|2|72|2|10|0|20|0|40|1|50|270|51|360|73|0|"
      "72|1|10|1|20|0|11|0|21|0|97|0|75|0|76|1|52|0|41|1|77|0|78|1|53|45|43|0|44|0|45|1|46|1|79|0"));
  const auto& shapes = r.model.ShapeAry;
  ASSERT_EQ(shapes.size(), 4u);
  ASSERT_EQ(shapes[0].kind, ShapeKind::Fill);
  ASSERT_EQ(shapes[0].pts.size(), 4u);
  ExpectPoint(shapes[0].pts[2], 4, 3);  // corner 4 before corner 3
  ExpectPoint(shapes[0].pts[3], 0, 3);
  ExpectPoint(shapes[1].pts[2], 0, 1);  // a TRACE without a fourth corner: a triangle
  ExpectPoint(shapes[1].pts[3], 0, 1);

  const TShapeBlk& fill = shapes[2];
  EXPECT_EQ(fill.kind, ShapeKind::Fill);
  EXPECT_EQ(fill.layer, "H");
  ASSERT_EQ(fill.rings.size(), 2u);
  EXPECT_EQ(fill.rings[0], 4);
  for (const TAcadPoint& p : fill.pts) {  // the seed point (50, 50) is no corner
    EXPECT_LE(p.x, 10 + kTol);
    EXPECT_LE(p.y, 10 + kTol);
  }

  const TShapeBlk& outline = shapes[3];
  EXPECT_EQ(outline.kind, ShapeKind::Outline);
  ExpectPoint(outline.pts.front(), 0, 1);  // clockwise from 90° down to 0° ...
  EXPECT_GT(outline.pts[1].x, 0.0);
  EXPECT_TRUE(std::any_of(outline.pts.begin(), outline.pts.end(), [](const TAcadPoint& p) {
    return std::fabs(p.x - std::sqrt(0.5)) < 1e-9 && std::fabs(p.y - std::sqrt(0.5)) < 1e-9;
  }));
  ExpectPoint(outline.pts[outline.pts.size() - 2], 1, 0);
  ExpectPoint(outline.pts.back(), 0, 0);  // ... then the line edge back to the centre

  // The fills are drawn as polygons, the hatch's square with its hole.
  RecordingCanvas c(60, 60);
  TSlotState state;
  testing::ReadResult again = Read(Entities("0|HATCH|70|1|91|2|92|3|73|1|93|4|10|0|20|0|10|10|"
                                            "20|0|10|10|20|10|10|0|20|10|92|3|73|1|93|3|10|2|20|"
                                            "2|10|4|20|2|10|3|20|4|75|0"));
  DrawSlotModel(again.model, state, c, 0, false, 0.0, kBaseMarkRed);
  const auto polygons = c.OpsOf(OpKind::Polygon);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].rings, (std::vector<int>{4, 3}));
  EXPECT_EQ(polygons[0].brush, kWhite);
  EXPECT_DOUBLE_EQ(state.gbBlkList[0].ExtMax.x, 10);
}

TEST(DrawnShapes, WidePolylinesAreBandsCountedWithPolylines) {
  auto r = Read(Entities("0|LWPOLYLINE|90|2|43|2|10|0|20|0|10|10|20|0|"
                         "0|POLYLINE|40|0|41|0|0|VERTEX|10|0|20|5|40|0|41|4|0|VERTEX|10|10|20|5|"
                         "0|SEQEND"));
  PolyToLineArc(r.model);
  ExpandDrawing(r.model);
  ASSERT_EQ(r.model.ShapeAry.size(), 2u);
  EXPECT_TRUE(r.model.ShapeAry[0].lwpflag);
  CalcExtents(r.model, false, true);
  EXPECT_NEAR(r.model.DxfExtMin.y, -1, kTol);  // half the constant width below
  EXPECT_NEAR(r.model.DxfExtMax.y, 7, kTol);   // the tapered band ends 4 wide
  CalcExtents(r.model, false, false);
  EXPECT_EQ(r.model.DxfExtMax.x, 0.0);  // without polylines nothing is left to measure
}

TEST(DrawnShapes, EllipsesSplinesLeadersDimensionsAndPoints) {
  const auto r = Expanded(Dxf(
      "0|SECTION|2|HEADER|9|$DIMASZ|40|2.5|9|$DIMSCALE|40|2|0|ENDSEC|"
      "0|SECTION|2|BLOCKS|0|BLOCK|2|*D1|10|0|20|0|0|LINE|10|7|20|7|11|8|21|7|0|ENDBLK|0|ENDSEC|"
      "0|SECTION|2|ENTITIES|"
      "0|ELLIPSE|10|0|20|0|11|0|21|2|40|0.5|41|0|42|3.141592653589793|"
      "0|SPLINE|71|3|40|0|40|0|40|0|40|0|40|1|40|1|40|1|40|1|"
      "10|0|20|0|10|1|20|2|10|3|20|2|10|4|20|0|"
      "0|SPLINE|71|3|11|0|21|0|11|5|21|5|11|10|21|0|"
      "0|LEADER|71|1|10|0|20|0|10|20|20|0|0|DIMENSION|2|*D1|10|99|20|99|0|POINT|10|3|20|4|"
      "0|ENDSEC|0|EOF"));
  const auto& s = r.model.ShapeAry;
  ASSERT_EQ(s.size(), 6u);
  // The half ellipse from the top of its major axis turns left, through x = -1.
  ExpectPoint(s[0].pts.front(), 0, 2);
  ExpectPoint(s[0].pts[s[0].pts.size() / 2], -1, 0);
  ExpectPoint(s[0].pts.back(), 0, -2);
  EXPECT_EQ(s[1].kind, ShapeKind::Dot);
  ExpectPoint(s[1].pts.at(0), 3, 4);
  // The clamped cubic starts and ends on its end control points, halfway at 1/8(P0+3P1+3P2+P3).
  ExpectPoint(s[2].pts.front(), 0, 0);
  ExpectPoint(s[2].pts[s[2].pts.size() / 2], 2, 1.5);
  ExpectPoint(s[2].pts.back(), 4, 0);
  // Without control points the curve runs through its fit points.
  EXPECT_TRUE(std::any_of(s[3].pts.begin(), s[3].pts.end(), [](const TAcadPoint& p) {
    return std::fabs(p.x - 5) < 1e-9 && std::fabs(p.y - 5) < 1e-9;
  }));
  // The leader's arrowhead: 2.5 · 2 long, a third as wide, its tip on the first vertex.
  EXPECT_EQ(s[4].kind, ShapeKind::Outline);
  ASSERT_EQ(s[5].kind, ShapeKind::Fill);
  ExpectPoint(s[5].pts[0], 0, 0);
  ExpectPoint(s[5].pts[1], 5, 5.0 / 6);
  // The dimension draws its block where the block's lines lie.
  ASSERT_EQ(r.model.LineAry.size(), 1u);
  ExpectPoint(r.model.LineAry[0].st, 7, 7);
}

TEST(DrawnShapes, ValuesThatAreNoNumbersInNewlyDrawnKindsDoNotEndTheRead) {
  const auto r = Read(Entities("0|ELLIPSE|67|x|0|SPLINE|10|x|0|HATCH|91|1|92|x|"
                               "0|LWPOLYLINE|10|0|20|0|40|x|43|y|0|INSERT|2|B|70|z|210|w|0|LINE|10|1"));
  EXPECT_EQ(r.err, "");
  ASSERT_EQ(r.model.LineAry.size(), 1u);
}

// Whether a drawing holds anything the drawing pass adds to what was drawn before.
bool HasNewlyDrawnKinds(const TDxfModel& m) {
  const bool wide = std::any_of(m.LwpAry.begin(), m.LwpAry.end(), [](const TLwpBlk& p) {
    return p.code40 != 0 || p.code41 != 0;
  }) || std::any_of(m.LwpEleAry.begin(), m.LwpEleAry.end(), [](const TLwpEle& v) {
    return v.code40 != 0 || v.code41 != 0;
  });
  return wide || !m.EllipseAry.empty() || !m.InsertAry.empty() || !m.DimAry.empty() ||
         !m.SolidAry.empty() || !m.PointAry.empty() || !m.HatchAry.empty() ||
         !m.SplineAry.empty() || !m.LeaderAry.empty();
}

struct Range {
  TAcadPoint fitMin, fitMax, rangeMin, rangeMax;
};

Range Measure(const std::string& path, bool drawingPass, bool* newKinds) {
  TDxfModel m;
  std::string err, ver;
  DxfRead(m, path, nullptr, nullptr, err, ver);
  *newKinds = HasNewlyDrawnKinds(m);
  PolyToLineArc(m);
  if (drawingPass) ExpandDrawing(m);
  Range r;
  CalcExtents(m, true, true);
  r.fitMin = m.DxfExtMin;
  r.fitMax = m.DxfExtMax;
  CalcExtents(m, false, false);
  r.rangeMin = m.DxfExtMin;
  r.rangeMax = m.DxfExtMax;
  return r;
}

bool Same(const TAcadPoint& a, const TAcadPoint& b) { return a.x == b.x && a.y == b.y; }

// Every drawing of the corpus and of the demo catalogue: one without the newly drawn kinds
// keeps exactly the range it had (fit and auxiliary-base-point range); one with them keeps
// at least its old fit.
TEST(DrawingRange, DrawingsWithoutNewKindsKeepTheirRangeExactly) {
  namespace fs = std::filesystem;
  int plain = 0, extended = 0;
  for (const std::string& dir : {std::string(ZR_CORPUS_DIR), std::string(ZR_DEMO_DIR) + "/DXF"}) {
    std::error_code ec;
    if (!fs::is_directory(text::PathFromUtf8(dir), ec)) continue;
    for (const auto& entry : fs::directory_iterator(text::PathFromUtf8(dir))) {
      const std::string ext = entry.path().extension().string();
      if (ext != ".dxf" && ext != ".DXF") continue;
      const std::u8string u8 = entry.path().u8string();
      const std::string path(u8.begin(), u8.end());
      SCOPED_TRACE(path);
      bool newKinds = false;
      const Range before = Measure(path, false, &newKinds);
      const Range after = Measure(path, true, &newKinds);
      if (!newKinds) {
        ++plain;
        EXPECT_TRUE(Same(before.fitMin, after.fitMin) && Same(before.fitMax, after.fitMax));
        EXPECT_TRUE(Same(before.rangeMin, after.rangeMin) &&
                    Same(before.rangeMax, after.rangeMax));
      } else {
        ++extended;
        if (Same(before.fitMin, TAcadPoint{}) && Same(before.fitMax, TAcadPoint{})) continue;
        EXPECT_LE(after.fitMin.x, before.fitMin.x);
        EXPECT_LE(after.fitMin.y, before.fitMin.y);
        EXPECT_GE(after.fitMax.x, before.fitMax.x);
        EXPECT_GE(after.fitMax.y, before.fitMax.y);
      }
    }
  }
  EXPECT_GT(plain, 0);
}

// Symbols that came out black or half drawn: an ellipse-only drawing, a toilet of ellipses
// and arcs, a symbol placed as one INSERT of its block.
TEST(DrawingRange, SymbolsOfEllipsesAndInsertsAreFittedAndDrawn) {
  const struct {
    const char* file;
    std::size_t leastLines;  // line segments drawn, outlines included
  } cases[] = {{"dp-ellipse-noheader.dxf", 100}, {"lc-toilet-e.dxf", 100},
               {"lc-opto-ve16.dxf", 10}};
  std::error_code ec;
  if (!std::filesystem::is_directory(text::PathFromUtf8(ZR_CORPUS_DIR), ec)) {
    GTEST_SKIP() << "no DXF corpus";
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    TDxfModel model;
    TSlotState state;
    RecordingCanvas picture(53, 53);
    DrawSlot(model, state, std::string(ZR_CORPUS_DIR) + "/" + c.file, picture, 0, false, 0.0);
    const TBlkList& slot = state.gbBlkList[0];
    EXPECT_GT(slot.ExtMax.x - slot.ExtMin.x, 0.0);
    EXPECT_GT(slot.ExtMax.y - slot.ExtMin.y, 0.0);
    EXPECT_GE(picture.OpsOf(OpKind::Line).size(), c.leastLines);
    for (const auto& op : picture.OpsOf(OpKind::Line)) {  // everything lies in the picture
      EXPECT_TRUE(op.v[0] >= 0 && op.v[0] <= 53 && op.v[1] >= 0 && op.v[1] <= 53);
    }
  }
}

}  // namespace
}  // namespace zr
