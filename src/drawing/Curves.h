#pragma once
// Curve and transform arithmetic of the drawing pass: 2D affine maps, the object coordinate
// system of an extrusion direction, and curves turned into point runs fine enough to stay
// within a pixel of the true curve on any thumbnail.
#include <vector>

#include "drawing/EntityModel.h"

namespace zr {

// x' = a·x + b·y + e, y' = c·x + d·y + f (z is carried along unchanged).
struct TAffine {
  double a = 1.0, b = 0.0, c = 0.0, d = 1.0, e = 0.0, f = 0.0;

  TAcadPoint Apply(const TAcadPoint& p) const {
    return {a * p.x + b * p.y + e, c * p.x + d * p.y + f, p.z};
  }
  // The direction part only (no translation).
  TAcadPoint ApplyVector(const TAcadPoint& v) const {
    return {a * v.x + b * v.y, c * v.x + d * v.y, v.z};
  }
  double Det() const { return a * d - b * c; }
  // Uniform scale with rotation, possibly mirrored: circles stay circles.
  bool IsSimilarity() const;
  // The map that applies `inner` first, then this.
  TAffine After(const TAffine& inner) const;

  static TAffine Translate(double x, double y);
  static TAffine Rotate(double radians);
  static TAffine Scale(double sx, double sy);
};

// The drawing plane seen from above: the x and y of a point of the object coordinate system
// of extrusion n, in world coordinates (the arbitrary-axis rule).
TAffine OcsToWorld(const TAcadPoint& n);

// Points of the arc of centre c and radius r from angle start, sweeping by sweep (radians;
// negative runs clockwise), appended to out, both ends included.
void AppendArcPoints(std::vector<TAcadPoint>& out, const TAcadPoint& c, double r, double start,
                     double sweep);
// Points of an ellipse of centre c, major axis end (relative) major and minor/major ratio,
// from parameter t0 to t1 counter-clockwise (t1 < t0 wraps), both ends included.
void AppendEllipsePoints(std::vector<TAcadPoint>& out, const TAcadPoint& c,
                         const TAcadPoint& major, double ratio, double t0, double t1);
// Points of a B-spline (rational when weights match the control points) of the given degree;
// knots missing or not matching give a clamped uniform knot vector.
void AppendSplinePoints(std::vector<TAcadPoint>& out, int degree,
                        const std::vector<double>& knots, const std::vector<double>& weights,
                        const std::vector<TAcadPoint>& control);
// A smooth curve through the fit points (centripetal cubic segments).
void AppendFitPoints(std::vector<TAcadPoint>& out, const std::vector<TAcadPoint>& fit);

}  // namespace zr

namespace zr {

// Points of a polyline segment from p1 to p2 with the given bulge (0: the two ends only),
// appended to out without repeating p1 when out already ends there.
void AppendBulgePoints(std::vector<TAcadPoint>& out, const TAcadPoint& p1, const TAcadPoint& p2,
                       double bulge);

}  // namespace zr
