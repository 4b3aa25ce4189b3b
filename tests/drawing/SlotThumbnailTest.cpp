// Slot thumbnails: fitting, drawing order, the slot's range and auxiliary base points, and
// picking one of them.
#include "drawing/SlotThumbnail.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "drawing/DxfReadTestSupport.h"
#include "drawing/Renderer.h"
#include "support/RecordingCanvas.h"
#include "text/TextFile.h"
#include "text/Utf.h"

namespace zr {
namespace {

constexpr double kPi = std::numbers::pi;

using testing::DrawOp;
using testing::OpKind;
using testing::RecordingCanvas;

constexpr double kEps = 1e-9;

void AddLine(TDxfModel& m, double x1, double y1, double x2, double y2) {
  TAcadLineBlk& l = m.LineAry.emplace_back();
  l.st = {x1, y1, 0};
  l.ed = {x2, y2, 0};
}

void AddFrame(TDxfModel& m, double x0, double y0, double x1, double y1) {
  TLwpBlk& p = m.LwpAry.emplace_back();
  p.ihand = static_cast<int>(m.LwpAry.size()) - 1;
  p.code70 = 1;
  const double xy[4][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
  for (const auto& v : xy) {
    TLwpEle& e = m.LwpEleAry.emplace_back();
    e.ihand = p.ihand;
    e.code10 = {v[0], v[1], 0};
  }
}

class SlotTest : public ::testing::Test {
 protected:
  TDxfModel model;
  TSlotState state;
  RecordingCanvas picture{53, 53};

  void Draw(int slot = 0, bool hojo = false, double kaiten = 0.0,
            TColor mark = kBaseMarkRed) {
    DrawSlotModel(model, state, picture, slot, hojo, kaiten, mark);
  }
  TBlkList& Slot(int i = 0) { return state.gbBlkList[static_cast<std::size_t>(i)]; }
};

TEST_F(SlotTest, UnitLineFillsEightyPercentOfAFiftyThreePixelPicture) {
  AddLine(model, -1, 0, 1, 0);
  Draw(3);
  const auto lines = picture.OpsOf(OpKind::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].v[0], 26 - 21);
  EXPECT_EQ(lines[0].v[2], 26 + 21);
  EXPECT_EQ(lines[0].v[1], 26);
  // The base point mark last, at the centre, red.
  const DrawOp& last = picture.Ops().back();
  EXPECT_EQ(last.kind, OpKind::Rectangle);
  EXPECT_EQ(last.v[0], 25);
  EXPECT_EQ(last.v[1], 25);
  EXPECT_EQ(last.v[2], 28);
  EXPECT_EQ(last.v[3], 28);
  EXPECT_EQ(last.pen, kBaseMarkRed);
  EXPECT_EQ(last.brush, kBaseMarkRed);
  // The range is written to the slot drawn, and only to it.
  EXPECT_DOUBLE_EQ(Slot(3).ExtMin.x, -1.0);
  EXPECT_DOUBLE_EQ(Slot(3).ExtMax.x, 1.0);
  EXPECT_DOUBLE_EQ(Slot(0).ExtMin.x, 0.0);
}

TEST_F(SlotTest, TallDrawingIsFittedByItsHeightAndCentred) {
  RecordingCanvas wide(106, 53);
  AddLine(model, 10, 10, 10, 30);  // 20 units tall, centre (10, 20)
  DrawSlotModel(model, state, wide, 0, false, 0.0, kBaseMarkYellow);
  // s = 20 / 53 * 1.25; half height 10 / s = 21.2 pixels.
  const DrawOp line = wide.OpsOf(OpKind::Line).at(0);
  EXPECT_EQ(line.v[0], 53);
  EXPECT_EQ(line.v[1], 26 + 21);
  EXPECT_EQ(line.v[3], 26 - 21);
  // The base point (0, 0) lies 10 units left and 20 below the centre.
  const DrawOp mark = wide.Ops().back();
  const double s = 20.0 / 53 * 1.25;
  EXPECT_EQ(mark.v[0], 53 + RoundPixel(-10 / s) - 1);
  EXPECT_EQ(mark.v[1], 26 + RoundPixel(20 / s) - 1);
  EXPECT_EQ(mark.pen, kBaseMarkYellow);
}

TEST_F(SlotTest, EntitiesAreDrawnInOrderWithTextsWhite) {
  AddLine(model, -2, -2, 2, 2);
  TCircleBlk& c = model.CircleAry.emplace_back();
  c.hankei = 1.0;
  TArcBlk& a = model.ArcAry.emplace_back();
  a.hankei = 1.5;
  a.st = 0;
  a.ed = 90;
  TTextBlk& t = model.TextAry.emplace_back();
  t.str = "P";
  t.code40 = 1.0;
  t.pt10 = {-1, 0, 0};
  AddFrame(model, -3, -3, 3, 3);
  Draw(0, true);
  std::vector<OpKind> kinds;
  for (const DrawOp& op : picture.Ops()) {
    if (kinds.empty() || kinds.back() != op.kind) kinds.push_back(op.kind);
  }
  // Lines (the LINE, then the frame), the circle and arcs, the text, nine marks, base mark.
  EXPECT_EQ(kinds, (std::vector<OpKind>{OpKind::Line, OpKind::Arc, OpKind::Text,
                                         OpKind::Rectangle}));
  EXPECT_EQ(picture.OpsOf(OpKind::Line).size(), 5u);
  EXPECT_EQ(picture.OpsOf(OpKind::Arc).size(), 2u);
  EXPECT_EQ(picture.OpsOf(OpKind::Rectangle).size(), 10u);
  EXPECT_EQ(picture.OpsOf(OpKind::Text).at(0).fontColor, kWhite);
  // The circle is passed as a circle: coinciding radial points.
  const DrawOp circle = picture.OpsOf(OpKind::Arc).at(0);
  EXPECT_EQ(circle.v[4], circle.v[6]);
  EXPECT_EQ(circle.v[5], circle.v[7]);
}

TEST_F(SlotTest, RotationTurnsTheDrawingAboutItsCentre) {
  AddLine(model, 0, 0, 4, 0);  // centre (2, 0)
  Draw(0, false, kPi / 2);
  const DrawOp line = picture.OpsOf(OpKind::Line).at(0);
  EXPECT_EQ(line.v[0], 26);
  EXPECT_EQ(line.v[2], 26);
  EXPECT_GT(line.v[1], line.v[3]);  // drawn upwards
  // The base point, 2 units left of the centre, now lies below it.
  const DrawOp mark = picture.Ops().back();
  EXPECT_EQ(mark.v[0], 25);
  EXPECT_GT(mark.v[1], 26);
}

TEST_F(SlotTest, EmptyDrawingLeavesPictureAndBasePointsAlone) {
  Slot().ExtMin = {5, 5, 9};
  Slot().ExtMax = {6, 6, 9};
  Slot().KitenNo = 7;
  Slot().Kiten[0] = {1, 2, 0};
  Draw(0, true);
  EXPECT_TRUE(picture.Ops().empty());
  EXPECT_EQ(Slot().ExtMin.x, 0.0);
  EXPECT_EQ(Slot().ExtMax.y, 0.0);
  EXPECT_EQ(Slot().ExtMin.z, 9.0);  // only x and y are cleared
  EXPECT_EQ(Slot().KitenNo, 7);
  EXPECT_EQ(Slot().Kiten[0].y, 2.0);
}

TEST_F(SlotTest, DrawingGatheredAtOnePointIsSkippedWithoutDividingByZero) {
  AddLine(model, 3, 3, 3, 3);
  TCircleBlk& c = model.CircleAry.emplace_back();
  c.center = {3, 3, 0};
  c.hankei = 0.0;
  Slot().KitenNo = 7;
  Draw(0, true);
  EXPECT_TRUE(picture.Ops().empty());
  EXPECT_EQ(Slot().ExtMax.x, 0.0);
  EXPECT_EQ(Slot().KitenNo, 7);
  // A picture without area cannot be fitted either.
  RecordingCanvas none(0, 0);
  model = TDxfModel{};
  AddLine(model, 0, 0, 1, 1);
  DrawSlotModel(model, state, none, 0, true, 0.0, kBaseMarkRed);
  EXPECT_TRUE(none.Ops().empty());
}

TEST_F(SlotTest, BasePointGridThroughTheBasePoint) {
  AddLine(model, -4, -2, 6, 3);  // base point inside the range
  Draw(0, true);
  const TBlkList& s = Slot();
  EXPECT_EQ(s.KitenNo, 5);
  EXPECT_DOUBLE_EQ(s.ImgSyaku, 10.0 / 53 * 1.25);
  EXPECT_EQ(s.ImgXsc, 1.0);
  EXPECT_EQ(s.ImgYsc, 1.0);
  EXPECT_DOUBLE_EQ(s.CadCenter.x, 1.0);
  EXPECT_DOUBLE_EQ(s.CadCenter.y, 0.5);
  const double want[10][2] = {{0, 0},  {-4, -2}, {0, -2}, {6, -2}, {-4, 0},
                              {0, 0},  {6, 0},   {-4, 3}, {0, 3},  {6, 3}};
  for (int k = 0; k < 10; ++k) {
    EXPECT_DOUBLE_EQ(s.Kiten[k].x, want[k][0]) << k;
    EXPECT_DOUBLE_EQ(s.Kiten[k].y, want[k][1]) << k;
  }
  // Nine squares in the base-point colour, from 9 down to 1, then the base mark.
  const auto rects = picture.OpsOf(OpKind::Rectangle);
  ASSERT_EQ(rects.size(), 10u);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(rects[i].pen, state.gbHojoKitenColor);
    EXPECT_EQ(rects[i].brush, state.gbHojoKitenColor);
    EXPECT_EQ(rects[i].brushStyle, BrushStyle::Solid);
    EXPECT_EQ(rects[i].v[2] - rects[i].v[0], 3);
  }
  const double px = 10.0 / 53 * 1.25;
  EXPECT_EQ(rects[0].v[0], 26 + RoundPixel(5 / px) - 1);  // point 9, top right
  EXPECT_EQ(rects[0].v[1], 26 + RoundPixel(-2.5 / px) - 1);
  EXPECT_EQ(rects[9].pen, kBaseMarkRed);

  // On the larger pictures of higher display scales the marks grow in whole pixels, centred.
  for (const auto& [side, mark] : {std::pair{79, 3}, std::pair{106, 5}, std::pair{159, 7}}) {
    RecordingCanvas big{side, side};
    DrawSlotModel(model, state, big, 0, true, 0.0, kBaseMarkRed);
    for (const DrawOp& r : big.OpsOf(OpKind::Rectangle)) {
      EXPECT_EQ(r.v[2] - r.v[0], mark) << side;
      EXPECT_EQ(r.v[3] - r.v[1], mark) << side;
    }
  }
}

TEST_F(SlotTest, SymbolBesideItsBasePointCentresTheMiddlePoints) {
  AddLine(model, 0, 0, 4, 2);  // entirely right of and above the base point
  Draw(0, true);
  const TBlkList& s = Slot();
  for (int k : {4, 5, 6}) EXPECT_DOUBLE_EQ(s.Kiten[k].y, 1.0) << k;
  for (int k : {2, 5, 8}) EXPECT_DOUBLE_EQ(s.Kiten[k].x, 2.0) << k;
  EXPECT_DOUBLE_EQ(s.Kiten[1].x, 0.0);
  EXPECT_DOUBLE_EQ(s.Kiten[9].x, 4.0);
  EXPECT_DOUBLE_EQ(s.Kiten[0].x, 0.0);  // the chosen point stays the base point
}

TEST_F(SlotTest, PolylineFrameWidensTheRangeOnlyWhenItCounts) {
  AddLine(model, -1, -1, 1, 1);
  AddFrame(model, -5, -4, 5, 4);
  state.gbLwpKiten = false;
  Draw(0, true);
  EXPECT_DOUBLE_EQ(Slot().ExtMin.x, -1.0);
  EXPECT_DOUBLE_EQ(Slot().Kiten[9].x, 1.0);
  // Fitting always takes the frame.
  EXPECT_DOUBLE_EQ(Slot().ImgSyaku, 10.0 / 53 * 1.25);

  TDxfModel again;
  AddLine(again, -1, -1, 1, 1);
  AddFrame(again, -5, -4, 5, 4);
  state.gbLwpKiten = true;
  DrawSlotModel(again, state, picture, 1, true, 0.0, kBaseMarkRed);
  EXPECT_DOUBLE_EQ(Slot(1).ExtMin.x, -5.0);
  EXPECT_DOUBLE_EQ(Slot(1).ExtMax.y, 4.0);
}

TEST_F(SlotTest, TextOnlyDrawingIsFittedAndMeasuredByItsTexts) {
  TTextBlk& t = model.TextAry.emplace_back();
  t.str = "ABCD";
  t.code40 = 2.0;
  t.pt10 = {1, 1, 0};
  Draw(0, true);
  ASSERT_EQ(picture.OpsOf(OpKind::Text).size(), 1u);
  EXPECT_DOUBLE_EQ(Slot().ExtMin.x, 1.0);
  EXPECT_DOUBLE_EQ(Slot().ExtMin.y, 1.0);
  EXPECT_NEAR(Slot().ExtMax.y, 1.0 + 0.855 * 2, kEps);
}

TEST_F(SlotTest, WithoutBasePointsTheirFieldsKeepEarlierValues) {
  Slot().ImgSyaku = 42.0;
  Slot().KitenNo = 3;
  AddLine(model, -1, -1, 1, 1);
  Draw(0, false);
  EXPECT_EQ(Slot().ImgSyaku, 42.0);
  EXPECT_EQ(Slot().KitenNo, 3);
  EXPECT_EQ(picture.OpsOf(OpKind::Rectangle).size(), 1u);
}

TEST_F(SlotTest, PickChoosesTheNearestPointAndKeepsTheLowerOnTies) {
  AddLine(model, -4, -2, 6, 3);
  Draw(0, true);
  const TBlkList& s = Slot();
  const double px = s.ImgSyaku;
  auto pixelOf = [&](int k) {
    return WorldToPixel({s.Kiten[k].x - s.CadCenter.x, s.Kiten[k].y - s.CadCenter.y, 0},
                        {26, 26}, px);
  };
  const TPixel top = pixelOf(9);
  EXPECT_EQ(PickKiten(state, picture, 0, top.x + 1, top.y - 1), 9);
  EXPECT_EQ(s.KitenNo, 9);
  EXPECT_DOUBLE_EQ(s.Kiten[0].x, 6.0);
  EXPECT_DOUBLE_EQ(s.Kiten[0].y, 3.0);

  // Points 1 (-4, -2) and 2 (0, -2): a press exactly midway, at x = -2, chooses 1.
  state.gbBlkList[0].ImgSyaku = 1.0;
  state.gbBlkList[0].CadCenter = {0, 0, 0};
  EXPECT_EQ(PickKiten(state, picture, 0, 26 - 2, 26 + 2), 1);
  EXPECT_EQ(PickKiten(state, picture, 0, 26 - 1, 26 + 2), 2);
  EXPECT_DOUBLE_EQ(s.Kiten[0].x, 0.0);
  EXPECT_DOUBLE_EQ(s.Kiten[0].y, -2.0);
}

TEST_F(SlotTest, PickFollowsTheRotatedThumbnail) {
  AddLine(model, -4, -2, 6, 3);
  state.gbKaiten = kPi / 2;
  Draw(0, true, state.gbKaiten);
  // Point 9 (6, 3) turned a quarter about the centre (1, 0.5) lies up and to the left.
  const auto rects = picture.OpsOf(OpKind::Rectangle);
  const DrawOp nine = rects[0];
  EXPECT_LT(nine.v[0], 26);
  EXPECT_LT(nine.v[1], 26);
  EXPECT_EQ(PickKiten(state, picture, 0, nine.v[0] + 1, nine.v[1] + 1), 9);
  const DrawOp one = rects[8];
  EXPECT_EQ(PickKiten(state, picture, 0, one.v[0] + 1, one.v[1] + 1), 1);
}

TEST_F(SlotTest, SlotNumbersOutsideThePageAreRefused) {
  AddLine(model, -1, -1, 1, 1);
  EXPECT_THROW(Draw(14), std::out_of_range);
  EXPECT_THROW(PickKiten(state, picture, -1, 0, 0), std::out_of_range);
}

class SlotFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::path(ZR_TEST_OUTPUT_DIR) / "slot-files";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  std::string Touch(const std::string& name) {
    std::ofstream(dir / text::PathFromUtf8(name)) << "0\nEOF\n";
    return Path(name);
  }
  // UTF-8 paths, as the palette builds them.
  std::string Path(const std::string& name) {
    return std::string(ZR_TEST_OUTPUT_DIR) + "/slot-files/" + name;
  }
  std::filesystem::path dir;
};

TEST_F(SlotFileTest, MissingScaleFallsBackToTheHundredthDrawingInYellow) {
  Touch("E101B.dxf");
  const TSlotFile f = ResolveSlotFile(Path("E101A.dxf"));
  EXPECT_EQ(f.name, Path("E101B.dxf"));
  EXPECT_EQ(f.markColor, kBaseMarkYellow);

  Touch("E101A.dxf");
  const TSlotFile a = ResolveSlotFile(Path("E101A.dxf"));
  EXPECT_EQ(a.name, Path("E101A.dxf"));
  EXPECT_EQ(a.markColor, kBaseMarkRed);
}

TEST_F(SlotFileTest, MissingHundredthDrawingHasNoFallback) {
  const TSlotFile b = ResolveSlotFile(Path("E102B.dxf"));
  EXPECT_EQ(b.name, Path("E102B.dxf"));
  EXPECT_EQ(b.markColor, kBaseMarkRed);
  // The B file is named even when it is missing too; reading it then finds nothing.
  EXPECT_EQ(ResolveSlotFile(Path("E102C.dxf")).name, Path("E102B.dxf"));
  // Too short to carry a letter: taken as it is.
  EXPECT_EQ(ResolveSlotFile(".dxf").name, ".dxf");
}

TEST_F(SlotFileTest, NonAsciiCharacterBeforeTheExtensionIsReplacedWhole) {
  const TSlotFile f = ResolveSlotFile(Path("照明ア.dxf"));
  EXPECT_EQ(f.name, Path("照明B.dxf"));
  EXPECT_TRUE(text::IsValidUtf8(f.name));
}

class DrawSlotFileTest : public SlotFileTest {
 protected:
  void Write(const std::string& name, const std::string& dxf) {
    std::ofstream(dir / text::PathFromUtf8(name), std::ios::binary) << dxf;
  }
  TDxfModel model;
  TSlotState state;
};

const char kUnitLine[] = "0|LINE|8|0|10|-1|20|0|30|0|11|1|21|0|31|0";

TEST_F(DrawSlotFileTest, ChosenScaleIsDrawnWithARedMark) {
  Write("E1A.dxf", testing::Entities(kUnitLine));
  RecordingCanvas picture(53, 53);
  DrawSlot(model, state, Path("E1A.dxf"), picture, 0, false, 0.0);
  ASSERT_EQ(picture.OpsOf(OpKind::Line).size(), 1u);
  EXPECT_EQ(picture.OpsOf(OpKind::Line)[0].v[0], 5);
  EXPECT_EQ(picture.Ops().back().pen, kBaseMarkRed);
  EXPECT_DOUBLE_EQ(state.gbBlkList[0].ExtMax.x, 1.0);
}

TEST_F(DrawSlotFileTest, HundredthDrawingStandsInWithAYellowMark) {
  Write("E1B.dxf", testing::Entities("0|CIRCLE|8|0|10|0|20|0|30|0|40|2"));
  RecordingCanvas picture(53, 53);
  DrawSlot(model, state, Path("E1C.dxf"), picture, 1, true, 0.0);
  EXPECT_EQ(picture.OpsOf(OpKind::Arc).size(), 1u);
  EXPECT_EQ(picture.Ops().back().pen, kBaseMarkYellow);
  EXPECT_EQ(state.gbBlkList[1].KitenNo, 5);
}

TEST_F(DrawSlotFileTest, MissingFileLeavesTheSlotBlankAndForgetsTheLastDrawing) {
  Write("E2B.dxf", testing::Entities(kUnitLine));
  RecordingCanvas first(53, 53);
  DrawSlot(model, state, Path("E2B.dxf"), first, 0, false, 0.0);
  ASSERT_FALSE(first.Ops().empty());

  RecordingCanvas picture(53, 53);
  state.gbBlkList[1].ExtMax = {3, 3, 0};
  DrawSlot(model, state, Path("E9A.dxf"), picture, 1, true, 0.0);
  EXPECT_TRUE(picture.Ops().empty());
  EXPECT_TRUE(model.LineAry.empty());
  EXPECT_EQ(state.gbBlkList[1].ExtMax.x, 0.0);
}

TEST_F(DrawSlotFileTest, DamagedFileDrawsWhatCameBeforeTheDamage) {
  Write("E3B.dxf", testing::Dxf(std::string("0|SECTION|2|ENTITIES|") + kUnitLine +
                                "|0|LINE|8|0|10|zero|20|0|11|5|21|5|0|ENDSEC|0|EOF"));
  RecordingCanvas picture(53, 53);
  DrawSlot(model, state, Path("E3B.dxf"), picture, 0, false, 0.0);
  EXPECT_GE(picture.OpsOf(OpKind::Line).size(), 1u);
  EXPECT_EQ(picture.OpsOf(OpKind::Line)[0].v[0], 5);
}

TEST_F(DrawSlotFileTest, PolylinesOfTheFileAreExpandedOnce) {
  Write("E4B.dxf", testing::Entities("0|LWPOLYLINE|8|0|90|4|70|1|10|0|20|0|10|4|20|0|10|4|20|"
                                     "2|10|0|20|2"));
  RecordingCanvas picture(53, 53);
  DrawSlot(model, state, Path("E4B.dxf"), picture, 0, false, 0.0);
  EXPECT_EQ(picture.OpsOf(OpKind::Line).size(), 4u);
  RecordingCanvas again(53, 53);
  DrawSlot(model, state, Path("E4B.dxf"), again, 0, false, 0.0);
  EXPECT_EQ(again.OpsOf(OpKind::Line).size(), 4u);
}

}  // namespace
}  // namespace zr
