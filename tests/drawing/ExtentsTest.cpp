// Drawing extents and the boxes of single entities.
#include "drawing/Extents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "drawing/PolyToLineArc.h"

namespace zr {
namespace {

constexpr double kPi = std::numbers::pi;

constexpr double kEps = 1e-9;
constexpr double kHalf = kHalfWidthAdvance;
constexpr double kDeg = kPi / 180.0;

void ExpectBox(const TExtBox& b, double x0, double y0, double x1, double y1, double eps = kEps) {
  EXPECT_NEAR(b.min.x, x0, eps);
  EXPECT_NEAR(b.min.y, y0, eps);
  EXPECT_NEAR(b.max.x, x1, eps);
  EXPECT_NEAR(b.max.y, y1, eps);
}

TEST(EntityBoxes, PointsAndCircles) {
  ExpectBox(MinMaxPoint({3, -1, 7}, {-2, 4, 1}), -2, -1, 3, 4);
  EXPECT_EQ(MinMaxPoint({3, -1, 7}, {-2, 4, 1}).max.z, 0.0);
  ExpectBox(CircleExtents({1, 2, 0}, 0.5), 0.5, 1.5, 1.5, 2.5);
}

TEST(EntityBoxes, ArcsWidenOnlyAtTheAxesTheyPass) {
  const TAcadPoint c{10, 20, 0};
  // 0° to 90°: the right edge and the top.
  ExpectBox(ArcExtents(c, 1, 0, 90 * kDeg), 10, 20, 11, 21);
  // 45° to 135°: the top only.
  const double h = std::sqrt(0.5);
  ExpectBox(ArcExtents(c, 1, 45 * kDeg, 135 * kDeg), 10 - h, 20 + h, 10 + h, 21);
  // 200° to 340°: the bottom only.
  const TExtBox low = ArcExtents(c, 1, 200 * kDeg, 340 * kDeg);
  EXPECT_NEAR(low.min.y, 19, kEps);
  EXPECT_NEAR(low.max.y, 20 - std::sin(20 * kDeg), kEps);
  EXPECT_NEAR(low.min.x, 10 - std::cos(20 * kDeg), kEps);
  // 90° to 270°: the left edge and both ends at the top and bottom.
  ExpectBox(ArcExtents(c, 1, 90 * kDeg, 270 * kDeg), 9, 19, 10, 21);
}

TEST(EntityBoxes, ArcThroughZeroWidensToTheRightOnly) {
  const TExtBox b = ArcExtents({0, 0, 0}, 1, 350 * kDeg, 10 * kDeg);
  ExpectBox(b, std::cos(10 * kDeg), -std::sin(10 * kDeg), 1, std::sin(10 * kDeg));
  // 300° to 100°: right edge and top, not the left.
  const TExtBox t = ArcExtents({0, 0, 0}, 2, 300 * kDeg, 100 * kDeg);
  ExpectBox(t, 2 * std::cos(100 * kDeg), 2 * std::sin(300 * kDeg), 2, 2);
  // A start equal to the end is the whole circle.
  ExpectBox(ArcExtents({0, 0, 0}, 1, 0, 0), -1, -1, 1, 1);
}

TEST(TextBoxes, LeftAlignedTextFromItsFirstPoint) {
  // Height 2, five characters: w = 2 * 1 * 0.51 * 5 = 5.1; top 0.855 * 2 above the anchor;
  // the lower corners lean 45° to the right.
  const TExtBox b = TextExtents({10, 20, 0}, {99, 99, 0}, 0, 0, 0, 5 * kHalf, 2.0, 1.0, 0.0);
  // The anchor itself bounds the box from below, the corners lying above it.
  ExpectBox(b, 10, 20, 10 + std::sqrt(2.0) + 5.1, 21.71);
}

TEST(TextBoxes, JustifiedTextsUseTheSecondPoint) {
  // Centred (72 = 1): from pt11, moved left by half the width.
  const TExtBox c = TextExtents({0, 0, 0}, {50, 0, 0}, 0, 1, 0, 4 * kHalf, 1.0, 2.0, 0.0);
  const double w = 1.0 * 2.0 * 0.51 * 4;
  EXPECT_NEAR(c.min.x, 50 - w / 2, kEps);
  EXPECT_NEAR(c.max.y, 0.855, kEps);
  // Right (72 = 2) and aligned (3) end at pt11; middle (4) is centred, half a height up.
  EXPECT_NEAR(TextExtents({}, {50, 0, 0}, 0, 2, 0, 4 * kHalf, 1.0, 2.0, 0.0).min.x, 50 - w, kEps);
  EXPECT_NEAR(TextExtents({}, {50, 0, 0}, 0, 3, 0, 4 * kHalf, 1.0, 2.0, 0.0).min.x, 50 - w, kEps);
  EXPECT_NEAR(TextExtents({}, {50, 0, 0}, 0, 4, 0, 4 * kHalf, 1.0, 2.0, 0.0).max.y, 0.47, kEps);
  // A vertical justification alone also moves the anchor to pt11.
  const TExtBox top = TextExtents({0, 0, 0}, {7, 7, 0}, 0, 0, 3, 1 * kHalf, 1.0, 1.0, 0.0);
  EXPECT_NEAR(top.max.y, 7.086, kEps);
  EXPECT_NEAR(top.min.x, 7.0, kEps);
}

TEST(TextBoxes, MTextUsesItsAttachmentPointAndNarrowerCharacters) {
  // Attachment 5 (middle centre), height 1, ten characters: w = 0.8 * 0.51 * 10 = 4.08.
  const TExtBox b = TextExtents({100, 0, 0}, {1, 0, 0}, 5, 0, 0, 10 * kHalf, 1.0, 30.0, 0.0);
  EXPECT_NEAR(b.min.x, 100 - 2.04, kEps);
  EXPECT_NEAR(b.max.y, 0.47, kEps);
  // Attachment 9 (bottom right) ends at the point; 1 starts there.
  EXPECT_NEAR(TextExtents({100, 0, 0}, {}, 9, 0, 0, 10 * kHalf, 1.0, 1.0, 0.0).min.x, 100 - 4.08,
              kEps);
  EXPECT_NEAR(TextExtents({100, 0, 0}, {}, 1, 0, 0, 10 * kHalf, 1.0, 1.0, 0.0).min.x, 100, kEps);
}

TEST(TextBoxes, RotatedTextTurnsItsBox) {
  // 90°: the text runs upwards; its top-left corner lies left of the anchor.
  const TExtBox b = TextExtents({0, 0, 0}, {}, 0, 0, 0, 5 * kHalf, 2.0, 1.0, 90.0);
  EXPECT_NEAR(b.max.y, std::sqrt(2.0) + 5.1, kEps);
  EXPECT_NEAR(b.min.x, -1.71, kEps);
  EXPECT_NEAR(b.max.x, 0.0, kEps);  // the anchor
}

TEST(TextBoxes, FullWidthCharactersAreOneHeightWide) {
  const struct {
    const char* text;
    double advance;
  } cases[] = {
      {"配管𠮷", 3.0},  // the last one outside the basic plane: one character all the same
      {"FL40W 照明", 6 * kHalf + 2.0},
      {"ｺﾝｾﾝﾄ", 5 * kHalf},  // half-width katakana
      {"○※→①", 4.0},
      {"Ø45°", 4 * kHalf},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_NEAR(TextAdvance(c.text), c.advance, kEps);
    TTextBlk t;
    t.str = c.text;
    t.code40 = 2.0;
    t.code41 = 0.5;
    EXPECT_NEAR(TextExtents(t).max.x, std::sqrt(2.0) + c.advance, kEps);
  }
}

TDxfModel FramedSymbol() {
  TDxfModel m;
  TCircleBlk& c = m.CircleAry.emplace_back();
  c.center = {0, 0, 0};
  c.hankei = 1.0;
  TLwpBlk& frame = m.LwpAry.emplace_back();
  const double corners[4][2] = {{-5, -4}, {5, -4}, {5, 4}, {-5, 4}};
  for (const auto& xy : corners) {
    TLwpEle& v = m.LwpEleAry.emplace_back();
    v.code10 = {xy[0], xy[1], 0};
  }
  frame.code70 = 1;
  PolyToLineArc(m);
  return m;
}

TEST(CalcExtents, EmptyModelLeavesBothCornersAtZero) {
  TDxfModel m;
  m.DxfExtMin = {1, 1, 1};
  m.DxfExtMax = {2, 2, 2};
  CalcExtents(m, true, true);
  EXPECT_EQ(m.DxfExtMin.x, 0.0);
  EXPECT_EQ(m.DxfExtMin.z, 0.0);
  EXPECT_EQ(m.DxfExtMax.y, 0.0);
  EXPECT_EQ(m.DxfExtMax.z, 0.0);
}

TEST(CalcExtents, PolylineSegmentsCountOnlyWhenAsked) {
  TDxfModel m = FramedSymbol();
  CalcExtents(m, false, false);
  ExpectBox({m.DxfExtMin, m.DxfExtMax}, -1, -1, 1, 1);
  CalcExtents(m, false, true);
  ExpectBox({m.DxfExtMin, m.DxfExtMax}, -5, -4, 5, 4);
}

TEST(CalcExtents, TextsCountWhenAskedOrWhenNothingElseIsThere) {
  TDxfModel m;
  TTextBlk& t = m.TextAry.emplace_back();
  t.str = "AB";
  t.pt10 = {10, 10, 0};
  t.code40 = 1.0;
  CalcExtents(m, false, false);
  EXPECT_NEAR(m.DxfExtMin.x, 10.0, kEps);
  EXPECT_NEAR(m.DxfExtMax.y, 10.855, kEps);

  TAcadLineBlk& l = m.LineAry.emplace_back();
  l.st = {0, 0, 0};
  l.ed = {1, 1, 0};
  CalcExtents(m, false, false);
  ExpectBox({m.DxfExtMin, m.DxfExtMax}, 0, 0, 1, 1);
  CalcExtents(m, true, false);
  EXPECT_NEAR(m.DxfExtMax.y, 10.855, kEps);
  EXPECT_NEAR(m.DxfExtMin.x, 0.0, kEps);
}

TEST(CalcExtents, PaperSpaceEntitiesAreLeftOut) {
  TDxfModel m;
  TAcadLineBlk& l = m.LineAry.emplace_back();
  l.st = {0, 0, 0};
  l.ed = {2, 3, 0};
  TCircleBlk& c = m.CircleAry.emplace_back();
  c.center = {100, 100, 0};
  c.hankei = 5;
  c.code67 = 1;
  TArcBlk& a = m.ArcAry.emplace_back();
  a.center = {-50, 0, 0};
  a.hankei = 1;
  a.code67 = 1;
  TTextBlk& t = m.TextAry.emplace_back();
  t.str.assign(1, 'X');
  t.code40 = 1;
  t.pt10 = {-30, -30, 0};
  t.code67 = 1;
  CalcExtents(m, true, true);
  ExpectBox({m.DxfExtMin, m.DxfExtMax}, 0, 0, 2, 3);
}

TEST(CalcExtents, ArcsAreMeasuredFromDegrees) {
  TDxfModel m;
  TArcBlk& a = m.ArcAry.emplace_back();
  a.center = {0, 0, 0};
  a.hankei = 2;
  a.st = 0;
  a.ed = 90;
  CalcExtents(m, false, false);
  ExpectBox({m.DxfExtMin, m.DxfExtMax}, 0, 0, 2, 2);
}

}  // namespace
}  // namespace zr
