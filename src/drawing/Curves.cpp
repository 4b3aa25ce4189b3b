#include "drawing/Curves.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zr {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * kPi;
// Segments per whole turn: a radius of 1800 pixels still strays under a pixel.
constexpr int kTurnSegments = 96;
constexpr int kSplineSpanSegments = 16;
constexpr int kMostCurveSegments = 4096;
constexpr int kMostDegree = 10;

int SegmentsFor(double sweep) {
  // Bounded before the conversion: a sweep from a file may be any size, or not a number.
  const double n = std::ceil(std::fabs(sweep) / kTwoPi * kTurnSegments);
  if (std::isnan(n) || n < 2) return 2;
  return n > kMostCurveSegments ? kMostCurveSegments : static_cast<int>(n);
}

}  // namespace

bool TAffine::IsSimilarity() const {
  const double tol = 1e-9 * (std::fabs(a) + std::fabs(b) + std::fabs(c) + std::fabs(d));
  const bool rotation = std::fabs(a - d) <= tol && std::fabs(b + c) <= tol;
  const bool mirrored = std::fabs(a + d) <= tol && std::fabs(b - c) <= tol;
  return (rotation || mirrored) && Det() != 0.0;
}

TAffine TAffine::After(const TAffine& in) const {
  TAffine r;
  r.a = a * in.a + b * in.c;
  r.b = a * in.b + b * in.d;
  r.c = c * in.a + d * in.c;
  r.d = c * in.b + d * in.d;
  r.e = a * in.e + b * in.f + e;
  r.f = c * in.e + d * in.f + f;
  return r;
}

TAffine TAffine::Translate(double x, double y) { return {1, 0, 0, 1, x, y}; }

TAffine TAffine::Rotate(double radians) {
  const double cs = std::cos(radians);
  const double sn = std::sin(radians);
  return {cs, -sn, sn, cs, 0, 0};
}

TAffine TAffine::Scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }

TAffine OcsToWorld(const TAcadPoint& n) {
  const double len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  if (!(len > 0.0) || (n.x == 0.0 && n.y == 0.0)) {
    return n.z < 0.0 ? TAffine::Scale(-1.0, 1.0) : TAffine{};
  }
  const double nx = n.x / len, ny = n.y / len, nz = n.z / len;
  // Arbitrary axis: Ax = Wy × N when N is near the world Z axis, else Wz × N.
  double ax, ay, az;
  if (std::fabs(nx) < 1.0 / 64 && std::fabs(ny) < 1.0 / 64) {
    ax = nz; ay = 0.0; az = -nx;
  } else {
    ax = -ny; ay = nx; az = 0.0;
  }
  const double al = std::sqrt(ax * ax + ay * ay + az * az);
  ax /= al; ay /= al; az /= al;
  // Ay = N × Ax; only the x and y rows matter for a view from above.
  const double bx = ny * az - nz * ay;
  const double by = nz * ax - nx * az;
  return {ax, bx, ay, by, 0.0, 0.0};
}

void AppendArcPoints(std::vector<TAcadPoint>& out, const TAcadPoint& c, double r, double start,
                     double sweep) {
  const int n = SegmentsFor(sweep);
  for (int i = 0; i <= n; ++i) {
    const double t = start + sweep * i / n;
    out.push_back({c.x + r * std::cos(t), c.y + r * std::sin(t), c.z});
  }
}

void AppendEllipsePoints(std::vector<TAcadPoint>& out, const TAcadPoint& c,
                         const TAcadPoint& major, double ratio, double t0, double t1) {
  double sweep = t1 - t0;
  if (!std::isfinite(sweep)) return;
  sweep = std::fmod(sweep, kTwoPi);
  if (sweep <= 1e-12) sweep += kTwoPi;
  const TAcadPoint minor{-major.y * ratio, major.x * ratio, 0.0};
  const int n = SegmentsFor(sweep);
  for (int i = 0; i <= n; ++i) {
    const double t = t0 + sweep * i / n;
    const double cs = std::cos(t), sn = std::sin(t);
    out.push_back({c.x + major.x * cs + minor.x * sn, c.y + major.y * cs + minor.y * sn, c.z});
  }
}

namespace {

// De Boor's evaluation at u in span k (homogeneous coordinates for rational splines).
TAcadPoint DeBoor(int p, const std::vector<double>& U, const std::vector<TAcadPoint>& P,
                  const std::vector<double>& W, int k, double u) {
  double hx[kMostDegree + 1], hy[kMostDegree + 1], hw[kMostDegree + 1];
  for (int j = 0; j <= p; ++j) {
    const std::size_t i = static_cast<std::size_t>(j + k - p);
    const double w = W.empty() ? 1.0 : W[i];
    hx[j] = P[i].x * w;
    hy[j] = P[i].y * w;
    hw[j] = w;
  }
  for (int r = 1; r <= p; ++r) {
    for (int j = p; j >= r; --j) {
      const double lo = U[static_cast<std::size_t>(j + k - p)];
      const double hi = U[static_cast<std::size_t>(j + 1 + k - r)];
      const double a = hi > lo ? (u - lo) / (hi - lo) : 0.0;
      hx[j] = (1 - a) * hx[j - 1] + a * hx[j];
      hy[j] = (1 - a) * hy[j - 1] + a * hy[j];
      hw[j] = (1 - a) * hw[j - 1] + a * hw[j];
    }
  }
  const double w = hw[p] != 0.0 ? hw[p] : 1.0;
  return {hx[p] / w, hy[p] / w, 0.0};
}

}  // namespace

void AppendSplinePoints(std::vector<TAcadPoint>& out, int degree,
                        const std::vector<double>& knots, const std::vector<double>& weights,
                        const std::vector<TAcadPoint>& control) {
  const int n = static_cast<int>(control.size());
  if (n == 0) return;
  const int p = std::clamp(degree, 1, std::min(kMostDegree, n - 1 > 0 ? n - 1 : 1));
  if (n <= p) {
    out.insert(out.end(), control.begin(), control.end());
    return;
  }
  std::vector<double> U = knots;
  bool usable = static_cast<int>(U.size()) == n + p + 1 && std::is_sorted(U.begin(), U.end());
  if (!usable) {  // clamped uniform
    U.assign(static_cast<std::size_t>(n + p + 1), 0.0);
    for (int i = 0; i < n + p + 1; ++i) {
      U[static_cast<std::size_t>(i)] = std::clamp(i - p, 0, n - p);
    }
  }
  const std::vector<double> noWeights;
  const std::vector<double>& W = weights.size() == control.size() ? weights : noWeights;
  const int spanSegments = std::max(2, std::min(kSplineSpanSegments, kMostCurveSegments / n));
  bool started = false;
  for (int k = p; k < n; ++k) {
    const double lo = U[static_cast<std::size_t>(k)];
    const double hi = U[static_cast<std::size_t>(k + 1)];
    if (!(hi > lo)) continue;
    const int first = started ? 1 : 0;
    started = true;
    for (int i = first; i <= spanSegments; ++i) {
      out.push_back(DeBoor(p, U, control, W, k, lo + (hi - lo) * i / spanSegments));
    }
  }
}

void AppendFitPoints(std::vector<TAcadPoint>& out, const std::vector<TAcadPoint>& fit) {
  const std::size_t n = fit.size();
  if (n < 3) {
    out.insert(out.end(), fit.begin(), fit.end());
    return;
  }
  // Catmull-Rom through the points, the ends mirrored.
  auto at = [&](std::ptrdiff_t i) -> TAcadPoint {
    if (i < 0) return {2 * fit[0].x - fit[1].x, 2 * fit[0].y - fit[1].y, 0.0};
    if (i >= static_cast<std::ptrdiff_t>(n)) {
      return {2 * fit[n - 1].x - fit[n - 2].x, 2 * fit[n - 1].y - fit[n - 2].y, 0.0};
    }
    return fit[static_cast<std::size_t>(i)];
  };
  out.push_back(fit[0]);
  for (std::ptrdiff_t i = 0; i + 1 < static_cast<std::ptrdiff_t>(n); ++i) {
    const TAcadPoint p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
    for (int s = 1; s <= kSplineSpanSegments; ++s) {
      const double t = static_cast<double>(s) / kSplineSpanSegments;
      const double t2 = t * t, t3 = t2 * t;
      auto blend = [&](double a, double b, double c, double d) {
        return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                      (-a + 3 * b - 3 * c + d) * t3);
      };
      out.push_back({blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y), 0.0});
    }
  }
}

}  // namespace zr

namespace zr {

void AppendBulgePoints(std::vector<TAcadPoint>& out, const TAcadPoint& p1, const TAcadPoint& p2,
                       double bulge) {
  const bool joined = !out.empty() && out.back().x == p1.x && out.back().y == p1.y;
  if (bulge == 0.0 || (p1.x == p2.x && p1.y == p2.y) || !std::isfinite(bulge)) {
    if (!joined) out.push_back(p1);
    out.push_back(p2);
    return;
  }
  // Centre on the perpendicular bisector; the included angle is 4·atan(bulge).
  const double sweep = 4.0 * std::atan(bulge);
  const double dx = p2.x - p1.x, dy = p2.y - p1.y;
  const double chord = std::hypot(dx, dy);
  const double r = chord / 2.0 / std::sin(sweep / 2.0);
  const double h = r * std::cos(sweep / 2.0);
  const TAcadPoint mid{(p1.x + p2.x) / 2, (p1.y + p2.y) / 2, p1.z};
  const TAcadPoint c{mid.x - dy / chord * h, mid.y + dx / chord * h, p1.z};
  std::vector<TAcadPoint> arc;
  AppendArcPoints(arc, c, std::fabs(r), std::atan2(p1.y - c.y, p1.x - c.x), sweep);
  arc.front() = p1;
  arc.back() = p2;
  out.insert(out.end(), arc.begin() + (joined ? 1 : 0), arc.end());
}

}  // namespace zr
