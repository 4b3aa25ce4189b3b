#include "drawing/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zr {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegToRad = kPi / 180.0;
constexpr SmallInt kClosedFlag = 1;
constexpr SmallInt kMeshFlags = 16 | 64;

template <class T>
TShapeBlk Styled(const T& r, ShapeKind kind) {
  TShapeBlk s;
  s.kind = kind;
  s.layer = r.layer;
  s.color = r.color;
  s.code67 = r.code67;
  return s;
}

void MapAll(std::vector<TAcadPoint>& pts, const TAffine& m) {
  for (TAcadPoint& p : pts) p = m.Apply(p);
}

}  // namespace

std::size_t ShapeCost(const TShapeBlk& s) { return std::max<std::size_t>(1, s.pts.size()); }

TShapeBlk EllipseShape(const TEllipseBlk& e, const TAffine& m) {
  TShapeBlk s = Styled(e, ShapeKind::Outline);
  AppendEllipsePoints(s.pts, e.center, e.endpoint, e.henpei, e.kaisi, e.owari);
  MapAll(s.pts, m);
  return s;
}

// The outline runs 1, 2, 4, 3: the third and fourth corners are stored crosswise.
TShapeBlk SolidShape(const TSolidBlk& r, const TAffine& m) {
  TShapeBlk s = Styled(r, ShapeKind::Fill);
  const TAffine full = m.After(OcsToWorld(r.code210));
  s.pts = {r.pt[0], r.pt[1], r.pt[3], r.pt[2]};
  MapAll(s.pts, full);
  s.rings = {4};
  s.closed = true;
  return s;
}

TShapeBlk PointShape(const TPointBlk& p, const TAffine& m) {
  TShapeBlk s = Styled(p, ShapeKind::Dot);
  s.pts = {m.Apply(p.pt)};
  return s;
}

std::vector<TShapeBlk> HatchShapes(const THatchBlk& h, const TAffine& m) {
  std::vector<TShapeBlk> out;
  const TAffine full = m.After(OcsToWorld(h.code210));
  if (h.solid) {
    TShapeBlk s = Styled(h, ShapeKind::Fill);
    s.closed = true;
    for (const auto& loop : h.loops) {
      if (loop.size() < 3) continue;
      s.pts.insert(s.pts.end(), loop.begin(), loop.end());
      s.rings.push_back(static_cast<int>(loop.size()));
    }
    MapAll(s.pts, full);
    if (!s.rings.empty()) out.push_back(std::move(s));
    return out;
  }
  for (const auto& loop : h.loops) {
    TShapeBlk s = Styled(h, ShapeKind::Outline);
    s.closed = true;
    s.pts = loop;
    MapAll(s.pts, full);
    out.push_back(std::move(s));
  }
  return out;
}

TShapeBlk SplineShape(const TSplineBlk& r, const TAffine& m) {
  TShapeBlk s = Styled(r, ShapeKind::Outline);
  if (!r.control.empty()) {
    AppendSplinePoints(s.pts, r.code71, r.knots, r.weights, r.control);
  } else {
    AppendFitPoints(s.pts, r.fit);
  }
  MapAll(s.pts, m);
  return s;
}

std::vector<TShapeBlk> LeaderShapes(const TLeaderBlk& l, const TAffine& m, double arrow) {
  std::vector<TShapeBlk> out;
  TShapeBlk line = Styled(l, ShapeKind::Outline);
  line.pts = l.vertices;
  MapAll(line.pts, m);
  out.push_back(line);
  if (l.code71 == 0 || l.vertices.size() < 2) return out;
  const TAcadPoint tip = l.vertices[0];
  const TAcadPoint next = l.vertices[1];
  const double len = std::hypot(next.x - tip.x, next.y - tip.y);
  if (!(len > 0.0) || !(arrow > 0.0)) return out;
  const double ux = (next.x - tip.x) / len, uy = (next.y - tip.y) / len;
  const double half = arrow / 6.0;
  TShapeBlk head = Styled(l, ShapeKind::Fill);
  head.pts = {tip,
              {tip.x + ux * arrow - uy * half, tip.y + uy * arrow + ux * half, tip.z},
              {tip.x + ux * arrow + uy * half, tip.y + uy * arrow - ux * half, tip.z}};
  MapAll(head.pts, m);
  head.rings = {3};
  head.closed = true;
  out.push_back(std::move(head));
  return out;
}

namespace {

// A band around the centre line pts, its width running from w0 to w1 along it.
TShapeBlk Band(const TLwpBlk& poly, const std::vector<TAcadPoint>& pts, double w0, double w1) {
  TShapeBlk s = Styled(poly, ShapeKind::Fill);
  s.lwpflag = true;
  s.closed = true;
  const std::size_t n = pts.size();
  std::vector<double> along(n, 0.0);
  for (std::size_t i = 1; i < n; ++i) {
    along[i] = along[i - 1] + std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
  }
  const double total = along[n - 1];
  std::vector<TAcadPoint> left, right;
  for (std::size_t i = 0; i < n; ++i) {
    const TAcadPoint& a = pts[i == 0 ? 0 : i - 1];
    const TAcadPoint& b = pts[i + 1 < n ? i + 1 : n - 1];
    const double dl = std::hypot(b.x - a.x, b.y - a.y);
    if (!(dl > 0.0)) continue;
    const double nx = -(b.y - a.y) / dl, ny = (b.x - a.x) / dl;
    const double t = total > 0.0 ? along[i] / total : 0.0;
    const double half = (w0 + (w1 - w0) * t) / 2.0;
    left.push_back({pts[i].x + nx * half, pts[i].y + ny * half, pts[i].z});
    right.push_back({pts[i].x - nx * half, pts[i].y - ny * half, pts[i].z});
  }
  s.pts = left;
  s.pts.insert(s.pts.end(), right.rbegin(), right.rend());
  s.rings = {static_cast<int>(s.pts.size())};
  return s;
}

}  // namespace

std::vector<TShapeBlk> WidePolylineShapes(const TLwpBlk& poly,
                                          const std::vector<TLwpEle>& vertices,
                                          const TAffine& m) {
  std::vector<TShapeBlk> out;
  const std::size_t n = vertices.size();
  if (n < 2 || (poly.code70 & kMeshFlags) != 0) return out;
  const bool closed = (poly.code70 & kClosedFlag) != 0;
  const TAffine full = m.After(OcsToWorld(poly.code210));
  for (std::size_t k = 0; k < (closed ? n : n - 1); ++k) {
    const TLwpEle& a = vertices[k];
    const TLwpEle& b = vertices[(k + 1) % n];
    const bool own = a.code40 != 0.0 || a.code41 != 0.0;
    const double w0 = own ? a.code40 : poly.code40;
    const double w1 = own ? a.code41 : poly.code41;
    if (!(std::max(w0, w1) > 0.0)) continue;
    std::vector<TAcadPoint> centre;
    AppendBulgePoints(centre, a.code10, b.code10, a.code42);
    if (centre.size() < 2) continue;
    TShapeBlk band = Band(poly, centre, w0, w1);
    if (band.pts.size() < 3) continue;
    MapAll(band.pts, full);
    out.push_back(std::move(band));
  }
  return out;
}

TShapeBlk ArcShape(const TAcadPoint& c, double r, double startDeg, double endDeg, bool circle,
                   const TAffine& m) {
  TShapeBlk s;
  double sweep = 2 * kPi;
  if (!circle) {
    sweep = std::fmod((endDeg - startDeg) * kDegToRad, 2 * kPi);
    if (sweep <= 0.0) sweep += 2 * kPi;
  }
  AppendArcPoints(s.pts, c, r, circle ? 0.0 : startDeg * kDegToRad, sweep);
  MapAll(s.pts, m);
  return s;
}

}  // namespace zr
