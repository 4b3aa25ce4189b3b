// The thumbnail renderer, drawn onto a recording canvas.
#include "drawing/Renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <limits>

#include "drawing/MText.h"
#include "support/RecordingCanvas.h"

namespace zr {
namespace {

constexpr double kPi = std::numbers::pi;

using testing::DrawOp;
using testing::OpKind;
using testing::RecordingCanvas;

constexpr double kDeg = kPi / 180.0;
constexpr TPixel kCenter{50, 50};

TEST(PixelMapping, RoundsHalvesToEvenAndFlipsY) {
  EXPECT_EQ(RoundPixel(2.5), 2);
  EXPECT_EQ(RoundPixel(3.5), 4);
  EXPECT_EQ(RoundPixel(-2.5), -2);
  EXPECT_EQ(RoundPixel(2.6), 3);
  EXPECT_EQ(WorldToPixel({2.5, 1.5, 0}, kCenter, 1.0), (TPixel{52, 48}));
  EXPECT_EQ(WorldToPixel({1.0, -1.0, 0}, {26, 26}, 0.25), (TPixel{30, 30}));
  const TAcadPoint w = PixelToWorld({60, 40}, kCenter, 0.5);
  EXPECT_DOUBLE_EQ(w.x, 5.0);
  EXPECT_DOUBLE_EQ(w.y, 5.0);
}

TEST(PixelMapping, OutOfRangeValuesAreHeldAtTheCanvasLimit) {
  EXPECT_EQ(RoundPixel(1e300), 134217727);
  EXPECT_EQ(RoundPixel(-std::numeric_limits<double>::infinity()), -134217727);
  EXPECT_EQ(RoundPixel(std::nan("")), 0);
  // A scale of 0 must not turn into undefined pixel values.
  const TPixel p = WorldToPixel({1, 1, 0}, kCenter, 0.0);
  EXPECT_EQ(p.x, 50 + 134217727);
}

TEST(DrawLineEnt, FitsTheFiftyThreePixelCase) {
  RecordingCanvas c(53, 53);
  const double s = 2.0 / 53 * 1.25;
  DrawLineEnt(c, PictureCenter(c), {-1, 0, 0}, {1, 0, 0}, 0.0, 1.0, 1.0, s);
  const auto lines = c.OpsOf(OpKind::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].v[0], 26 - 21);
  EXPECT_EQ(lines[0].v[1], 26);
  EXPECT_EQ(lines[0].v[2], 26 + 21);
  EXPECT_EQ(lines[0].v[3], 26);
}

TEST(DrawLineEnt, RotationAndAxisFactorsApplyBeforeScaling) {
  RecordingCanvas c(100, 100);
  DrawLineEnt(c, kCenter, {10, 0, 0}, {20, 0, 0}, kPi / 2, 1.0, 1.0, 1.0);
  DrawLineEnt(c, kCenter, {10, 5, 0}, {20, 5, 0}, 0.0, -1.0, 2.0, 1.0);
  const auto lines = c.OpsOf(OpKind::Line);
  ASSERT_EQ(lines.size(), 2u);
  // Turned a quarter counter-clockwise: up the picture.
  EXPECT_EQ(lines[0].v[0], 50);
  EXPECT_EQ(lines[0].v[1], 40);
  EXPECT_EQ(lines[0].v[2], 50);
  EXPECT_EQ(lines[0].v[3], 30);
  // Mirrored in x and stretched in y.
  EXPECT_EQ(lines[1].v[0], 40);
  EXPECT_EQ(lines[1].v[1], 40);
  EXPECT_EQ(lines[1].v[2], 30);
}

TEST(DrawArcEnt, QuarterArcAndCircleRadialPoints) {
  RecordingCanvas c(100, 100);
  DrawArcEnt(c, kCenter, {0, 0, 0}, 0.0, 1, 1, 0.0, 90 * kDeg, 10.0, 1.0);
  DrawArcEnt(c, kCenter, {5, 5, 0}, 0.0, 1, 1, 0.0, 0.0, 10.0, 1.0);
  const auto arcs = c.OpsOf(OpKind::Arc);
  ASSERT_EQ(arcs.size(), 2u);
  // The upper-right quarter: from the right of the box to its top.
  const int quarter[8] = {40, 40, 60, 60, 60, 50, 50, 40};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(arcs[0].v[i], quarter[i]) << i;
  // A circle passes one radial point twice.
  const int circle[8] = {45, 35, 65, 55, 65, 45, 65, 45};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(arcs[1].v[i], circle[i]) << i;
}

TEST(DrawArcEnt, SmallRadiiVanish) {
  RecordingCanvas c(100, 100);
  // Radii and scales exact in binary, so that the halves are real halves.
  DrawArcEnt(c, kCenter, {}, 0.0, 1, 1, 0, 0, 0.375, 0.25);  // R = Round(1.5) = 2
  DrawArcEnt(c, kCenter, {}, 0.0, 1, 1, 0, 0, 0.3, 0.25);    // R = Round(1.2) = 1
  DrawArcEnt(c, kCenter, {}, 0.0, 1, 1, 0, 0, 0.625, 0.25);  // R = Round(2.5) = 2
  DrawArcEnt(c, kCenter, {}, 0.0, 1, 1, 0, 0, 0.875, 0.25);  // R = Round(3.5) = 4
  const auto arcs = c.OpsOf(OpKind::Arc);
  ASSERT_EQ(arcs.size(), 3u);
  EXPECT_EQ(arcs[0].v[2] - arcs[0].v[0], 4);
  EXPECT_EQ(arcs[1].v[2] - arcs[1].v[0], 4);
  EXPECT_EQ(arcs[2].v[2] - arcs[2].v[0], 8);
}

TEST(DrawArcEnt, RotationTurnsTheArcsAngles) {
  RecordingCanvas c(100, 100);
  DrawArcEnt(c, kCenter, {10, 0, 0}, kPi / 2, 1, 1, 0.0, 90 * kDeg, 10.0, 1.0);
  const DrawOp arc = c.OpsOf(OpKind::Arc).at(0);
  // Centre moved to (50, 40); now from the top (90°) to the left (180°).
  const int expected[8] = {40, 30, 60, 50, 50, 30, 40, 40};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(arc.v[i], expected[i]) << i;
}

TEST(DrawArcEnt, NegativeAxisFactorsMirrorTheArc) {
  RecordingCanvas c(100, 100);
  DrawArcEnt(c, kCenter, {}, 0.0, -1.0, 1.0, 0.0, 90 * kDeg, 10.0, 1.0);  // 90°..180°
  DrawArcEnt(c, kCenter, {}, 0.0, 1.0, -1.0, 0.0, 90 * kDeg, 10.0, 1.0);  // 270°..360°
  const auto arcs = c.OpsOf(OpKind::Arc);
  ASSERT_EQ(arcs.size(), 2u);
  EXPECT_EQ(arcs[0].v[4], 50);  // from the top
  EXPECT_EQ(arcs[0].v[5], 40);
  EXPECT_EQ(arcs[0].v[6], 40);  // to the left
  EXPECT_EQ(arcs[0].v[7], 50);
  EXPECT_EQ(arcs[1].v[4], 50);  // from the bottom
  EXPECT_EQ(arcs[1].v[5], 60);
  EXPECT_EQ(arcs[1].v[6], 60);  // to the right
  EXPECT_EQ(arcs[1].v[7], 50);
}

TEST(DrawArcEnt, ShortArcIsNotTurnedIntoAWholeCircle) {
  RecordingCanvas c(100, 100);
  // Two degrees at radius 5: both end directions round to the pixel (55, 50).
  DrawArcEnt(c, kCenter, {}, 0.0, 1, 1, 0.0, 2 * kDeg, 5.0, 1.0);
  const auto arcs = c.OpsOf(OpKind::Arc);
  ASSERT_EQ(arcs.size(), 1u);
  const DrawOp& a = arcs[0];
  EXPECT_EQ(a.v[0], 45);
  EXPECT_EQ(a.v[2], 55);
  EXPECT_FALSE(a.v[4] == a.v[6] && a.v[5] == a.v[7]) << "radial points coincide";
  EXPECT_EQ(a.v[5], 50);  // still starts due right
  EXPECT_LT(a.v[7], 50);  // and ends a little above
  // Directions as given: counter-clockwise from the start to the end.
  const double start = std::atan2(-(a.v[5] - 50), a.v[4] - 50);
  const double end = std::atan2(-(a.v[7] - 50), a.v[6] - 50);
  EXPECT_NEAR(start, 0.0, 1e-3);
  EXPECT_NEAR(end, 2 * kDeg, 2e-3);
  // A full turn given as 0°..360° stays a circle.
  c.ClearOps();
  DrawArcEnt(c, kCenter, {}, 0.0, 1, 1, 0.0, 360 * kDeg, 5.0, 1.0);
  const DrawOp full = c.OpsOf(OpKind::Arc).at(0);
  EXPECT_EQ(full.v[4], full.v[6]);
  EXPECT_EQ(full.v[5], full.v[7]);
}

// A TEXT record with the fields the renderer reads.
TTextBlk Text(const std::string& str, double height, SmallInt h72 = 0, SmallInt v73 = 0) {
  TTextBlk t;
  t.str = str;
  t.code40 = height;
  t.code72 = h72;
  t.code73 = v73;
  return t;
}

TEST(DrawTextEnt, HeightBelowThreePixelsIsNotDrawn) {
  RecordingCanvas c(100, 100);
  DrawTextEnt(c, kCenter, Text("A", 0.4), kWhite, 0.0, {}, {}, 0.2);   // Round(2.6) = 3
  DrawTextEnt(c, kCenter, Text("B", 0.4), kWhite, 0.0, {}, {}, 0.25);  // Round(2.08) = 2
  const auto texts = c.OpsOf(OpKind::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "A");
  EXPECT_EQ(texts[0].font.height, 3);
  EXPECT_EQ(c.FontPushes(), 1);
  EXPECT_EQ(c.FontDepth(), 0);
}

TEST(DrawTextEnt, LeftTextHangsFromItsFirstPoint) {
  RecordingCanvas c(100, 100, "ＭＳ Ｐゴシック");
  c.SetBrushStyle(BrushStyle::Solid);
  // Height 1 at 0.1 units per pixel: H = 13, width Round(4.9725) = 5.
  DrawTextEnt(c, kCenter, Text("ABCD", 1.0), 0x123456, 0.0, {7, 7, 0}, {0, 0, 0}, 0.1);
  const DrawOp t = c.OpsOf(OpKind::Text).at(0);
  EXPECT_EQ(t.font.height, 13);
  EXPECT_EQ(t.font.width, 5);
  EXPECT_EQ(t.font.escapement, 0);
  EXPECT_EQ(t.font.orientation, 0);
  EXPECT_EQ(t.font.charSet, 1);
  EXPECT_EQ(t.font.faceName, "ＭＳ Ｐゴシック");
  // Cell top 0.855 * 13 = 11.115 pixels above the anchor.
  EXPECT_EQ(t.v[0], 50);
  EXPECT_EQ(t.v[1], 39);
  EXPECT_EQ(t.fontColor, 0x123456u);
  EXPECT_EQ(t.brushStyle, BrushStyle::Clear);
  EXPECT_EQ(c.CurrentFont().faceName, "ＭＳ Ｐゴシック");  // base font back
}

TEST(DrawTextEnt, JustifiedTextsMoveByTheirMeasuredWidth) {
  RecordingCanvas c(200, 100);
  const TPixel center{100, 50};
  // Measured width: 4 characters of width 5 = 20 pixels.
  DrawTextEnt(c, center, Text("ABCD", 1.0, 1), kWhite, 0, {2, 0, 0}, {-9, -9, 0}, 0.1);
  DrawTextEnt(c, center, Text("ABCD", 1.0, 2), kWhite, 0, {2, 0, 0}, {-9, -9, 0}, 0.1);
  DrawTextEnt(c, center, Text("ABCD", 1.0, 4), kWhite, 0, {2, 0, 0}, {-9, -9, 0}, 0.1);
  DrawTextEnt(c, center, Text("ABCD", 1.0, 3), kWhite, 0, {2, 0, 0}, {-1, -1, 0}, 0.1);
  DrawTextEnt(c, center, Text("ABCD", 1.0, 0, 2), kWhite, 0, {2, 0, 0}, {-9, -9, 0}, 0.1);
  const auto t = c.OpsOf(OpKind::Text);
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[0].v[0], 120 - 10);  // centred on pt11
  EXPECT_EQ(t[1].v[0], 120 - 20);  // right-aligned at pt11
  EXPECT_EQ(t[2].v[0], 120 - 10);  // middle: centred
  EXPECT_EQ(t[2].v[1], 50 - RoundPixel(13 * 0.47));  // and half a height up
  EXPECT_EQ(t[3].v[0], 90);        // aligned: from pt10, no shift
  EXPECT_EQ(t[3].v[1], 60 - 11);
  EXPECT_EQ(t[4].v[0], 120);       // vertical middle alone takes pt11
  EXPECT_EQ(t[4].v[1], 50 - 6);
}

TEST(DrawTextEnt, VerticalJustificationsPlaceTheCellTop) {
  RecordingCanvas c(100, 100);
  const int expected[5] = {/*0*/ 11, /*1*/ 13, /*2*/ 6, /*3*/ 1, /*4: other*/ 13};
  for (SmallInt v = 0; v <= 4; ++v) {
    c.ClearOps();
    TTextBlk t = Text("A", 1.0, v == 0 ? 0 : 1, v);
    DrawTextEnt(c, kCenter, t, kWhite, 0, {0, 0, 0}, {0, 0, 0}, 0.1);
    const DrawOp op = c.OpsOf(OpKind::Text).at(0);
    EXPECT_EQ(50 - op.v[1], expected[v]) << "code73 " << v;
  }
}

TEST(DrawTextEnt, FitTextWidthSharesTheBaselineLength) {
  RecordingCanvas c(100, 100);
  // Baseline of 4 units at 0.1 per pixel, 5 characters: Round(40 * 1.3 * 0.8 / 5) = 8.
  DrawTextEnt(c, kCenter, Text("ABCDE", 1.0, 5), kWhite, 0, {4, 0, 0}, {0, 0, 0}, 0.1);
  const DrawOp t = c.OpsOf(OpKind::Text).at(0);
  EXPECT_EQ(t.font.width, 8);
  EXPECT_EQ(t.v[0], 50);  // placed from pt10
  // An empty fit text has no width to share: nothing is drawn and no font is left behind.
  c.ClearOps();
  DrawTextEnt(c, kCenter, Text("", 1.0, 5), kWhite, 0, {4, 0, 0}, {0, 0, 0}, 0.1);
  EXPECT_TRUE(c.OpsOf(OpKind::Text).empty());
  EXPECT_EQ(c.FontDepth(), 0);
}

TEST(DrawTextEnt, WidthFactorAndRotationShapeTheFont) {
  RecordingCanvas c(100, 100);
  TTextBlk t = Text("A", 1.0);
  t.code41 = 2.0;
  t.code50 = 30.0;
  DrawTextEnt(c, kCenter, t, kWhite, 90.0, {}, {}, 0.1);
  const DrawOp op = c.OpsOf(OpKind::Text).at(0);
  EXPECT_EQ(op.font.width, RoundPixel(13 * 0.51 * 2.0 * 0.75));
  EXPECT_EQ(op.font.escapement, 1200);
  // The cell corner turns with the text: 120° from the anchor's up direction.
  const double a = 120 * kDeg;
  const double up = 0.855 * 13;
  EXPECT_EQ(op.v[0], 50 + RoundPixel(-std::sin(a) * up));
  EXPECT_EQ(op.v[1], 50 - RoundPixel(std::cos(a) * up));
}

TTextBlk MText(const std::string& str, SmallInt attach) {
  TTextBlk t = Text(str, 1.0);
  t.code71 = attach;
  t.mtflag = true;
  t.code41 = 3.0;  // reference rectangle width
  return t;
}

TEST(DrawTextEnt, MTextLinesStackAndGlyphsStayUpright) {
  RecordingCanvas c(100, 100);
  DrawTextEnt(c, kCenter, MText("ONE\\PTWO\\PTHREE", 1), kWhite, 90.0, {}, {}, 0.1);
  const auto t = c.OpsOf(OpKind::Text);
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].text, "ONE");
  EXPECT_EQ(t[2].text, "THREE");
  EXPECT_EQ(t[0].font.escapement, 0);
  EXPECT_EQ(t[0].font.width, RoundPixel(13 * 0.51 * 0.8 * 0.75));
  const int step = RoundPixel(13 * 1.2);  // 16
  EXPECT_EQ(t[1].v[1] - t[0].v[1], step);
  EXPECT_EQ(t[2].v[1] - t[1].v[1], step);
  EXPECT_EQ(t[1].v[0], t[0].v[0]);
}

TEST(DrawTextEnt, MTextAttachmentUsesTheReferenceWidth) {
  RecordingCanvas c(200, 100);
  const TPixel center{100, 50};
  // Reference width Round(3.1 / 0.1 * 1.3) = 40 pixels; attachment 9 is bottom right.
  TTextBlk right = MText("A", 9);
  right.code41 = 3.1;
  TTextBlk middle = MText("A", 5);
  middle.code41 = 3.1;
  DrawTextEnt(c, center, right, kWhite, 0, {50, 50, 0}, {0, 0, 0}, 0.1);
  DrawTextEnt(c, center, middle, kWhite, 0, {50, 50, 0}, {0, 0, 0}, 0.1);
  const auto t = c.OpsOf(OpKind::Text);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].v[0], 100 - 40);
  EXPECT_EQ(t[0].v[1], 50 - 11);
  EXPECT_EQ(t[1].v[0], 100 - 20);
  EXPECT_EQ(t[1].v[1], 50 - 6);
}

TEST(MTextCodes, ParagraphBreaksSplitLines) {
  EXPECT_EQ(SplitMText("A\\PB\\P\\PC"), (std::vector<std::string>{"A", "B", "", "C"}));
  EXPECT_EQ(SplitMText("plain"), (std::vector<std::string>{"plain"}));
  EXPECT_EQ(SplitMText(""), (std::vector<std::string>{""}));
  EXPECT_EQ(SplitMText("\\P"), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(SplitMText("a\\pb"), (std::vector<std::string>{"a\\pb"}));
}

TEST(MTextCodes, CodesEndedBySemicolonsAreRemoved) {
  EXPECT_EQ(StripMTextCodes("\\fArial|b0;WORD"), "WORD");
  EXPECT_EQ(StripMTextCodes("{\\C1;RED}"), "{RED}");
  EXPECT_EQ(StripMTextCodes("a;b\\c"), "a;b\\c");
  EXPECT_EQ(StripMTextCodes("\\H2.5x;\\W0.8;配管"), "配管");
  // A code's semicolon is the nearest one; the text after it stays.
  EXPECT_EQ(StripMTextCodes("x\\L;y;z"), "xy;z");
}

TEST(MTextCodes, PlainLinesShowWhatTheCadShows) {
  const struct {
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {"\\fArial|b0|i0;WORD", {"WORD"}},
      {"{\\C1;RED} and {\\H2x;\\W0.8;big}", {"RED and big"}},
      {"A\\PB\\P\\PC\\Xd", {"A", "B", "", "C", "d"}},
      {"\\LUnder\\l \\Oover\\o \\Kstrike\\k", {"Under over strike"}},
      {"1 \\S1/2; \\S+0.1^-0.2; \\S3#4;", {"1 1/2 +0.1 -0.2 3/4"}},
      {"\\\\ \\{x\\} x\\~y", {"\\ {x} x y"}},
      {"%%c10 90%%d %%p0.5 100%%%", {"\xC3\x98" "10 90\xC2\xB0 \xC2\xB1" "0.5 100%"}},
      {"\\U+03A9\\A1;\\pxqc;centred", {"\xCE\xA9" "centred"}},
      {"a;b\\c", {"a;b\\c"}},  // a code without its semicolon stays as written
  };
  for (const auto& c : cases) EXPECT_EQ(MTextPlainLines(c.text), c.lines) << c.text;
}

TEST(DrawTextEnt, MTextLinesAreWrittenWithoutTheirCodes) {
  RecordingCanvas c(100, 100);
  DrawTextEnt(c, kCenter, MText("\\fMS Gothic;WORD\\P{\\C1;RED}\\Pa;b\\c", 1), kWhite, 0, {},
              {}, 0.1);
  const auto t = c.OpsOf(OpKind::Text);
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].text, "WORD");
  EXPECT_EQ(t[1].text, "RED");  // group braces are formatting, not text
  EXPECT_EQ(t[2].text, "a;b\\c");
  // A TEXT is written as stored.
  c.ClearOps();
  DrawTextEnt(c, kCenter, Text("\\fX;A\\PB", 1.0), kWhite, 0, {}, {}, 0.1);
  EXPECT_EQ(c.OpsOf(OpKind::Text).at(0).text, "\\fX;A\\PB");
}

TEST(DrawMark, FilledSquareInTheGivenColourAfterAClearBrush) {
  RecordingCanvas c(53, 53);
  c.SetBrushStyle(BrushStyle::Clear);
  DrawMark(c, PictureCenter(c), {0, 0, 0}, 0.0, 1, 1, 0x0000FF, 1, 0.05);
  DrawMark(c, PictureCenter(c), {1, 0, 0}, kPi / 2, 1, 1, 0x00FFFF, 2, 0.5);
  const auto r = c.OpsOf(OpKind::Rectangle);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].v[0], 25);
  EXPECT_EQ(r[0].v[1], 25);
  EXPECT_EQ(r[0].v[2], 28);
  EXPECT_EQ(r[0].v[3], 28);
  EXPECT_EQ(r[0].pen, 0x0000FFu);
  EXPECT_EQ(r[0].brush, 0x0000FFu);
  EXPECT_EQ(r[0].brushStyle, BrushStyle::Solid);
  // Turned up: (26, 24) with half size 2.
  EXPECT_EQ(r[1].v[0], 24);
  EXPECT_EQ(r[1].v[1], 22);
  EXPECT_EQ(r[1].v[2], 29);
  EXPECT_EQ(r[1].v[3], 27);
}

TEST(ClearImage, FillsWithTheColourAndLeavesAWhitePen) {
  RecordingCanvas c(53, 40);
  c.SetBrushStyle(BrushStyle::Clear);
  ClearImage(c, 53, 40, 0);
  const auto f = c.OpsOf(OpKind::FillRect);
  ASSERT_EQ(f.size(), 1u);
  EXPECT_EQ(f[0].v[2], 53);
  EXPECT_EQ(f[0].v[3], 40);
  EXPECT_EQ(f[0].brush, 0u);
  EXPECT_EQ(f[0].brushStyle, BrushStyle::Solid);
  EXPECT_EQ(c.Pen(), kWhite);
}

}  // namespace
}  // namespace zr
