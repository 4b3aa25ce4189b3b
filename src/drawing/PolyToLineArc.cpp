#include "drawing/PolyToLineArc.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "drawing/PointMath.h"

namespace zr {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRadToDeg = 180.0 / kPi;

constexpr SmallInt kClosed = 1;
constexpr SmallInt kPolygonMesh = 16;
constexpr SmallInt kPolyfaceMesh = 64;

class Expander {
 public:
  // The arrays grow geometrically as segments are appended: a drawing of many short
  // segments reallocates a few times, never per segment, and is not copied again to trim.
  explicit Expander(TDxfModel& model) : model_(model) {}

  void Run() {
    for (const TLwpBlk& poly : model_.LwpAry) {
      CollectVertices(poly);
      if ((poly.code70 & (kPolygonMesh | kPolyfaceMesh)) != 0) {
        if ((poly.code70 & kPolygonMesh) != 0) ExpandMesh(poly);
        // A polyface mesh yields nothing.
      } else {
        ExpandPolyline(poly);
      }
    }
  }

 private:
  // The run of vertices carrying the polyline's ihand, scanning on from the previous run.
  // A polyline without vertices leaves the scan position alone, so that the polylines after
  // it still find theirs.
  void CollectVertices(const TLwpBlk& poly) {
    vertices_.clear();
    const auto& all = model_.LwpEleAry;
    std::size_t i = next_;
    while (i < all.size() && all[i].ihand != poly.ihand) ++i;
    if (i == all.size()) return;
    for (; i < all.size() && all[i].ihand == poly.ihand; ++i) {
      vertices_.push_back(all[i]);
    }
    next_ = i;
  }

  // A 3D polygon mesh: only the lines along the M direction.
  void ExpandMesh(const TLwpBlk& poly) {
    const int m = poly.code71;
    const int n = poly.code72;
    const int count = static_cast<int>(vertices_.size());
    for (int k = 0; k < n && k < count; ++k) {
      int current = k;
      for (int o = 1; o < m; ++o) {
        const long long next = static_cast<long long>(o) * n + k;
        if (next >= count) continue;
        AddLine(poly, vertices_[current].code10, vertices_[next].code10);
        current = static_cast<int>(next);
      }
      if ((poly.code70 & kClosed) != 0) {
        AddLine(poly, vertices_[current].code10, vertices_[k].code10);
      }
    }
  }

  void ExpandPolyline(const TLwpBlk& poly) {
    if (vertices_.empty()) return;
    if ((poly.code70 & kClosed) != 0) {
      vertices_.push_back(vertices_.front());
    }
    for (std::size_t k = 0; k + 1 < vertices_.size(); ++k) {
      const TLwpEle& a = vertices_[k];
      const TLwpEle& b = vertices_[k + 1];
      if (a.code42 == 0.0) {
        AddLine(poly, a.code10, b.code10);
      } else {
        AddArc(poly, BulgeToArc(a.code10, b.code10, a.code42));
      }
    }
  }

  // A produced segment keeps its polyline's attributes and is marked as produced.
  template <typename Segment>
  static void TakePolylineAttributes(const TLwpBlk& poly, Segment& segment) {
    segment.bname = poly.bname;
    segment.layer = poly.layer;
    segment.ltype = poly.ltype;
    segment.color = poly.color;
    segment.code67 = poly.code67;
    segment.code210 = poly.code210;
    segment.lwpflag = true;
  }

  void AddLine(const TLwpBlk& poly, const TAcadPoint& st, const TAcadPoint& ed) {
    TAcadLineBlk& line = model_.LineAry.emplace_back();
    TakePolylineAttributes(poly, line);
    line.st = st;
    line.ed = ed;
  }

  void AddArc(const TLwpBlk& poly, const TBulgeArc& a) {
    TArcBlk& arc = model_.ArcAry.emplace_back();
    TakePolylineAttributes(poly, arc);
    arc.center = a.center;
    arc.hankei = a.radius;
    arc.st = a.start * kRadToDeg;
    arc.ed = a.end * kRadToDeg;
  }

  TDxfModel& model_;
  std::vector<TLwpEle> vertices_;
  std::size_t next_ = 0;
};

}  // namespace

TBulgeArc BulgeToArc(const TAcadPoint& p1, const TAcadPoint& p2, double bulge) {
  const double theta = 4.0 * std::atan(bulge);
  const double d = PointDist(p1, p2) / 2.0;
  const double r = d / std::sin(theta / 2.0);
  TBulgeArc arc;
  arc.center = PolarPoint(p1, r, PointAngle(p1, p2) + kPi / 2.0 - theta / 2.0);
  arc.radius = std::fabs(r);
  if (bulge >= 0.0) {
    arc.start = PointAngle(arc.center, p1);
    arc.end = PointAngle(arc.center, p2);
  } else {
    arc.start = PointAngle(arc.center, p2);
    arc.end = PointAngle(arc.center, p1);
  }
  return arc;
}

void PolyToLineArc(TDxfModel& model) {
  if (model.LwpAry.empty()) return;
  Expander(model).Run();
}

}  // namespace zr
