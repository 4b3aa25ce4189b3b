#include "drawing/PointMath.h"

#include <cmath>
#include <numbers>

namespace zr {
namespace {
constexpr double kPi = std::numbers::pi;
}

TAcadPoint AcadPoint(double x, double y, double z) { return {x, y, z}; }

TAcadPoint AddPoint(const TAcadPoint& a, const TAcadPoint& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}

TAcadPoint SubPoint(const TAcadPoint& a, const TAcadPoint& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

TAcadPoint ScalePoint(const TAcadPoint& p, double f) { return {f * p.x, f * p.y, f * p.z}; }

TAcadPoint RotatePoint(const TAcadPoint& p, double angle) {
  if (angle == 0.0) return p;
  const double x = p.x;
  const double y = p.y;
  const double r = std::sqrt(x * x + y * y);
  double a = x == 0.0 ? kPi / 2 : std::atan(std::fabs(y / x));
  if (x < 0 && y >= 0) {
    a = kPi - a;
  } else if (x >= 0 && y < 0) {
    a = 2 * kPi - a;
  } else if (x < 0 && y < 0) {
    a = kPi + a;
  }
  return {r * std::cos(a + angle), r * std::sin(a + angle), p.z};
}

TAcadPoint PolarPoint(const TAcadPoint& p, double dist, double angle) {
  if (angle == 0.0) return {p.x + dist, p.y, p.z};
  if (angle == kPi / 2) return {p.x, p.y + dist, p.z};
  if (angle == kPi) return {p.x - dist, p.y, p.z};
  if (angle == 3 * kPi / 2) return {p.x, p.y - dist, p.z};
  return {p.x + dist * std::cos(angle), p.y + dist * std::sin(angle), p.z};
}

double PointDist(const TAcadPoint& a, const TAcadPoint& b) {
  return std::hypot(b.x - a.x, b.y - a.y);
}

double PointAngle(const TAcadPoint& a, const TAcadPoint& b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  if (std::fabs(dx) < 1e-5) return b.y > a.y ? kPi / 2 : 3 * kPi / 2;
  if (std::fabs(dy) < 1e-5) return b.x > a.x ? 0.0 : kPi;
  const double t = std::atan(std::fabs(dy / dx));
  if (dx < 0 && dy >= 0) return kPi - t;
  if (dx >= 0 && dy < 0) return 2 * kPi - t;
  if (dx < 0 && dy < 0) return kPi + t;
  return t;
}

}  // namespace zr
