// Polyline expansion into lines and arcs.
#include "drawing/PolyToLineArc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <initializer_list>
#include <tuple>

namespace zr {
namespace {

constexpr double kPi = std::numbers::pi;

constexpr double kEps = 1e-9;

// Appends a polyline with its vertices (x, y, bulge) to the model set, as the reader does.
TLwpBlk& AddPolyline(TDxfModel& m, SmallInt flags,
                     std::initializer_list<std::tuple<double, double, double>> vertices) {
  TLwpBlk& p = m.LwpAry.emplace_back();
  p.ihand = static_cast<int>(m.LwpAry.size()) - 1;
  p.code70 = flags;
  p.layer.assign(1, '0');
  p.ltype = "BYLAYER";
  p.color = 7;
  for (const auto& [x, y, bulge] : vertices) {
    TLwpEle& v = m.LwpEleAry.emplace_back();
    v.ihand = p.ihand;
    v.code10 = {x, y, 0.0};
    v.code42 = bulge;
  }
  return p;
}

void ExpectLine(const TAcadLineBlk& l, double x1, double y1, double x2, double y2) {
  EXPECT_NEAR(l.st.x, x1, kEps);
  EXPECT_NEAR(l.st.y, y1, kEps);
  EXPECT_NEAR(l.ed.x, x2, kEps);
  EXPECT_NEAR(l.ed.y, y2, kEps);
  EXPECT_TRUE(l.lwpflag);
}

TEST(BulgeToArc, BulgeOneIsTheLowerHalfCircleAndMinusOneTheUpper) {
  const TBulgeArc lower = BulgeToArc({0, 0, 0}, {2, 0, 0}, 1.0);
  EXPECT_NEAR(lower.center.x, 1.0, kEps);
  EXPECT_NEAR(lower.center.y, 0.0, kEps);
  EXPECT_NEAR(lower.radius, 1.0, kEps);
  EXPECT_NEAR(lower.start, kPi, kEps);
  EXPECT_NEAR(lower.end, 0.0, kEps);

  const TBulgeArc upper = BulgeToArc({0, 0, 0}, {2, 0, 0}, -1.0);
  EXPECT_NEAR(upper.center.x, 1.0, kEps);
  EXPECT_NEAR(upper.center.y, 0.0, kEps);
  EXPECT_NEAR(upper.radius, 1.0, kEps);
  EXPECT_NEAR(upper.start, 0.0, kEps);
  EXPECT_NEAR(upper.end, kPi, kEps);
}

TEST(BulgeToArc, HalfBulgeCentreAndRadius) {
  const TBulgeArc a = BulgeToArc({0, 0, 0}, {2, 0, 0}, 0.5);
  EXPECT_NEAR(a.center.x, 1.0, kEps);
  EXPECT_NEAR(a.center.y, 0.75, kEps);
  EXPECT_NEAR(a.radius, 1.25, kEps);
  // Counter-clockwise from the first point round below the centre to the second.
  EXPECT_NEAR(a.start, std::atan2(-0.75, -1.0) + 2 * kPi, kEps);
  EXPECT_NEAR(a.end, std::atan2(-0.75, 1.0) + 2 * kPi, kEps);
}

TEST(BulgeToArc, ClockwiseSegmentOnADiagonalKeepsItsEndPointsOnTheCircle) {
  const TAcadPoint p1{1, 1, 0};
  const TAcadPoint p2{3, 4, 0};
  const TBulgeArc a = BulgeToArc(p1, p2, -0.3);
  EXPECT_NEAR(std::hypot(p1.x - a.center.x, p1.y - a.center.y), a.radius, kEps);
  EXPECT_NEAR(std::hypot(p2.x - a.center.x, p2.y - a.center.y), a.radius, kEps);
  // A clockwise segment is stored reversed: it starts at p2.
  EXPECT_NEAR(a.center.x + a.radius * std::cos(a.start), p2.x, 1e-9);
  EXPECT_NEAR(a.center.y + a.radius * std::sin(a.start), p2.y, 1e-9);
}

TEST(PolyToLineArc, ClosedPolylineAddsTheClosingSegment) {
  TDxfModel m;
  AddPolyline(m, 1, {{0, 0, 0}, {4, 0, 0}, {4, 2, 0}, {0, 2, 0}});
  PolyToLineArc(m);
  ASSERT_EQ(m.LineAry.size(), 4u);
  ExpectLine(m.LineAry[0], 0, 0, 4, 0);
  ExpectLine(m.LineAry[3], 0, 2, 0, 0);
  EXPECT_TRUE(m.ArcAry.empty());
}

TEST(PolyToLineArc, OpenPolylineMixesLinesAndArcsAndKeepsTheOriginals) {
  TDxfModel m;
  m.LineAry.emplace_back();  // a LINE read from the file stays first
  TLwpBlk& p = AddPolyline(m, 0, {{0, 0, 0}, {2, 0, 1.0}, {4, 0, 0}, {4, 3, 0}});
  p.layer = "WALL";
  p.ltype = "DASHED";
  p.color = 3;
  p.code67 = 1;
  p.code210 = {0, 0, -1};
  PolyToLineArc(m);
  ASSERT_EQ(m.LineAry.size(), 3u);
  EXPECT_FALSE(m.LineAry[0].lwpflag);
  ExpectLine(m.LineAry[1], 0, 0, 2, 0);
  ExpectLine(m.LineAry[2], 4, 0, 4, 3);
  ASSERT_EQ(m.ArcAry.size(), 1u);
  const TArcBlk& a = m.ArcAry[0];
  EXPECT_NEAR(a.center.x, 3.0, kEps);
  EXPECT_NEAR(a.hankei, 1.0, kEps);
  EXPECT_NEAR(a.st, 180.0, kEps);  // degrees
  EXPECT_NEAR(a.ed, 0.0, kEps);
  EXPECT_TRUE(a.lwpflag);
  EXPECT_EQ(m.LineAry[1].layer, "WALL");
  EXPECT_EQ(a.layer, "WALL");
  EXPECT_EQ(m.LineAry[2].ltype, "DASHED");
  EXPECT_EQ(a.color, 3);
  EXPECT_EQ(m.LineAry[1].code67, 1);
  EXPECT_EQ(a.code210.z, -1.0);
}

TEST(PolyToLineArc, ClosedPolylineWithBulgeOnTheLastVertexClosesWithAnArc) {
  TDxfModel m;
  AddPolyline(m, 1, {{0, 0, 0}, {2, 0, -1.0}});
  PolyToLineArc(m);
  ASSERT_EQ(m.LineAry.size(), 1u);
  ASSERT_EQ(m.ArcAry.size(), 1u);
  EXPECT_NEAR(m.ArcAry[0].center.x, 1.0, kEps);
  EXPECT_NEAR(m.ArcAry[0].st, 180.0, kEps);  // (2,0) clockwise round the bottom to (0,0)
  EXPECT_NEAR(m.ArcAry[0].ed, 0.0, kEps);
}

TEST(PolyToLineArc, PolygonMeshDrawsOnlyTheMDirection) {
  TDxfModel m;
  TLwpBlk& open = AddPolyline(m, 16, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {0, 2, 0},
                                      {1, 2, 0}});
  open.code71 = 3;
  open.code72 = 2;
  PolyToLineArc(m);
  ASSERT_EQ(m.LineAry.size(), 4u);
  ExpectLine(m.LineAry[0], 0, 0, 0, 1);  // 0-2
  ExpectLine(m.LineAry[1], 0, 1, 0, 2);  // 2-4
  ExpectLine(m.LineAry[2], 1, 0, 1, 1);  // 1-3
  ExpectLine(m.LineAry[3], 1, 1, 1, 2);  // 3-5

  TDxfModel c;
  TLwpBlk& closed = AddPolyline(c, 16 | 1, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0},
                                            {0, 2, 0}, {1, 2, 0}});
  closed.code71 = 3;
  closed.code72 = 2;
  PolyToLineArc(c);
  ASSERT_EQ(c.LineAry.size(), 6u);
  ExpectLine(c.LineAry[2], 0, 2, 0, 0);  // 4-0
  ExpectLine(c.LineAry[5], 1, 2, 1, 0);  // 5-1
}

TEST(PolyToLineArc, MeshWithTooFewVerticesStaysInsideThem) {
  TDxfModel m;
  TLwpBlk& mesh = AddPolyline(m, 16 | 1, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  mesh.code71 = 4;
  mesh.code72 = 5;  // claims 20 vertices, has 3
  PolyToLineArc(m);
  // Columns 0..2 exist; none has a second row; each closes onto itself.
  ASSERT_EQ(m.LineAry.size(), 3u);
  ExpectLine(m.LineAry[1], 1, 0, 1, 0);
}

TEST(PolyToLineArc, PolyfaceMeshAddsNothing) {
  TDxfModel m;
  AddPolyline(m, 64, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
  PolyToLineArc(m);
  EXPECT_TRUE(m.LineAry.empty());
  EXPECT_TRUE(m.ArcAry.empty());
}

TEST(PolyToLineArc, EachPolylineTakesItsOwnVertexRun) {
  TDxfModel m;
  AddPolyline(m, 0, {{0, 0, 0}, {1, 0, 0}});
  AddPolyline(m, 0, {});  // no vertices at all
  AddPolyline(m, 0, {{5, 5, 0}, {6, 5, 0}, {6, 6, 0}});
  AddPolyline(m, 0, {{9, 9, 0}});  // one vertex: no segment
  PolyToLineArc(m);
  ASSERT_EQ(m.LineAry.size(), 3u);
  ExpectLine(m.LineAry[0], 0, 0, 1, 0);
  ExpectLine(m.LineAry[1], 5, 5, 6, 5);
  ExpectLine(m.LineAry[2], 6, 5, 6, 6);
}

TEST(PolyToLineArc, ManySegmentsExpandInFullAndNothingWithoutPolylines) {
  TDxfModel m;
  TLwpBlk& p = m.LwpAry.emplace_back();
  for (int i = 0; i < 2501; ++i) {
    TLwpEle& v = m.LwpEleAry.emplace_back();
    v.code10 = {static_cast<double>(i), 0, 0};
    v.code42 = i % 2 == 0 ? 0.0 : 0.25;
  }
  p.ihand = 0;
  PolyToLineArc(m);
  EXPECT_EQ(m.LineAry.size() + m.ArcAry.size(), 2500u);
  EXPECT_EQ(m.ArcAry.size(), 1250u);

  TDxfModel empty;
  empty.LineAry.emplace_back();
  PolyToLineArc(empty);
  EXPECT_EQ(empty.LineAry.size(), 1u);
}

}  // namespace
}  // namespace zr
