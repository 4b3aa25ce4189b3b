#include "drawing/DxfHatch.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "drawing/Curves.h"
#include "drawing/DxfReader.h"

namespace zr::dxf {
namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr int kPolylinePathFlag = 2;

// Groups that come only after the boundary: style, pattern, seed points, gradient, xdata.
bool EndsBoundary(std::int32_t code) {
  switch (code) {
    case 47: case 52: case 53: case 75: case 76: case 77: case 78: case 98: case 450:
    case 1001:
      return true;
    default:
      return false;
  }
}

// Counter-clockwise sweep from a to b in degrees, in (0, 360].
double SweepDeg(double a, double b) {
  double d = std::fmod(b - a, 360.0);
  if (d <= 1e-12) d += 360.0;
  return d;
}

}  // namespace

void HatchBoundary::Start() {
  loops_.clear();
  phase_ = Phase::Before;
  inPath_ = false;
  edge_ = Edge{};
}

bool HatchBoundary::Take(std::int32_t code, std::string_view value) {
  switch (phase_) {
    case Phase::Before:
      if (code != 91) return false;
      phase_ = Phase::Paths;
      return true;
    case Phase::After:
      return true;
    case Phase::Paths:
      break;
  }
  if (EndsBoundary(code)) {
    FlushPath();
    phase_ = Phase::After;
    return true;
  }
  if (code == 92) {
    FlushPath();
    inPath_ = true;
    // A 32-bit flag word, taken as any number as before; one beyond 32 bits sets no flag (it
    // cannot be converted to an integer).
    const double flags = RealValue(value);
    polylinePath_ = std::fabs(flags) <= std::numeric_limits<std::int32_t>::max() &&
                    (static_cast<std::int32_t>(flags) & kPolylinePathFlag) != 0;
    pathClosed_ = true;
    return true;
  }
  if (!inPath_) return true;
  if (polylinePath_) {
    TakePolylinePath(code, value);
  } else {
    TakeEdge(code, value);
  }
  return true;
}

void HatchBoundary::TakePolylinePath(std::int32_t code, std::string_view value) {
  switch (code) {
    case 73: pathClosed_ = SmallValue(value) != 0; return;
    case 10:
      vertices_.push_back({RealValue(value), 0.0, 0.0});
      bulges_.push_back(0.0);
      return;
    case 20:
      if (!vertices_.empty()) vertices_.back().y = RealValue(value);
      return;
    case 42:
      if (!bulges_.empty()) bulges_.back() = RealValue(value);
      return;
    default: return;
  }
}

void HatchBoundary::TakeEdge(std::int32_t code, std::string_view value) {
  if (code == 72) {
    FlushEdge();
    switch (SmallValue(value)) {
      case 1: edge_.kind = EdgeKind::Line; break;
      case 2: edge_.kind = EdgeKind::Arc; break;
      case 3: edge_.kind = EdgeKind::Ellipse; break;
      case 4: edge_.kind = EdgeKind::Spline; break;
      default: edge_.kind = EdgeKind::None; break;
    }
    return;
  }
  Edge& e = edge_;
  if (e.kind == EdgeKind::Spline) {
    switch (code) {
      case 94: e.degree = SmallValue(value); return;
      case 40: e.knots.push_back(RealValue(value)); return;
      case 42: e.weights.push_back(RealValue(value)); return;
      case 10: e.control.push_back({RealValue(value), 0.0, 0.0}); return;
      case 20:
        if (!e.control.empty()) e.control.back().y = RealValue(value);
        return;
      default: return;  // fit data and tangents: the control points describe the curve
    }
  }
  switch (code) {
    case 10: e.p10.x = RealValue(value); return;
    case 20: e.p10.y = RealValue(value); return;
    case 11: e.p11.x = RealValue(value); return;
    case 21: e.p11.y = RealValue(value); return;
    case 40: e.r40 = RealValue(value); return;
    case 50: e.a50 = RealValue(value); return;
    case 51: e.a51 = RealValue(value); return;
    case 73: e.ccw = SmallValue(value) != 0; return;
    default: return;
  }
}

std::vector<TAcadPoint>& HatchBoundary::Ring() {
  if (loops_.empty()) loops_.emplace_back();
  return loops_.back();
}

// Clockwise arcs and elliptic arcs store their angles mirrored (360° − angle).
void HatchBoundary::FlushEdge() {
  Edge& e = edge_;
  std::vector<TAcadPoint> pts;
  switch (e.kind) {
    case EdgeKind::Line:
      pts = {e.p10, e.p11};
      break;
    case EdgeKind::Arc: {
      const double sweep = SweepDeg(e.a50, e.a51) * kDegToRad;
      const double start = e.a50 * kDegToRad;
      AppendArcPoints(pts, e.p10, e.r40, e.ccw ? start : -start, e.ccw ? sweep : -sweep);
      break;
    }
    case EdgeKind::Ellipse:
      if (e.ccw) {
        AppendEllipsePoints(pts, e.p10, e.p11, e.r40, e.a50 * kDegToRad, e.a51 * kDegToRad);
      } else {
        AppendEllipsePoints(pts, e.p10, e.p11, e.r40, -e.a51 * kDegToRad, -e.a50 * kDegToRad);
        std::reverse(pts.begin(), pts.end());
      }
      break;
    case EdgeKind::Spline:
      AppendSplinePoints(pts, e.degree, e.knots, e.weights, e.control);
      break;
    case EdgeKind::None:
      break;
  }
  edge_ = Edge{};
  if (pts.empty()) return;
  std::vector<TAcadPoint>& ring = Ring();
  const bool joined = !ring.empty() && ring.back().x == pts.front().x &&
                      ring.back().y == pts.front().y;
  ring.insert(ring.end(), pts.begin() + (joined ? 1 : 0), pts.end());
}

void HatchBoundary::FlushPath() {
  if (!inPath_) return;
  inPath_ = false;
  if (polylinePath_) {
    std::vector<TAcadPoint>& ring = Ring();
    const std::size_t n = vertices_.size();
    const std::size_t segments = pathClosed_ ? n : (n == 0 ? 0 : n - 1);
    for (std::size_t i = 0; i < segments; ++i) {
      AppendBulgePoints(ring, vertices_[i], vertices_[(i + 1) % n], bulges_[i]);
    }
    if (n == 1) ring.push_back(vertices_[0]);
    vertices_.clear();
    bulges_.clear();
  } else {
    FlushEdge();
  }
  if (loops_.empty()) return;
  std::vector<TAcadPoint>& ring = loops_.back();
  if (ring.size() > 2 && ring.back().x == ring.front().x && ring.back().y == ring.front().y) {
    ring.pop_back();  // a ring closes by itself
  }
  if (loops_.back().size() < 2) {
    loops_.back().clear();
  } else {
    loops_.emplace_back();  // the next path starts a ring of its own
  }
}

void HatchBoundary::Finish(std::vector<std::vector<TAcadPoint>>& loops) {
  FlushPath();
  while (!loops_.empty() && loops_.back().empty()) loops_.pop_back();
  loops.swap(loops_);
  loops_.clear();
}

}  // namespace zr::dxf
