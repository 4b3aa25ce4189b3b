#pragma once
// Point arithmetic of the drawing engine; every function returns a new value.
#include "drawing/EntityModel.h"

namespace zr {

TAcadPoint AcadPoint(double x, double y, double z);
TAcadPoint AddPoint(const TAcadPoint& a, const TAcadPoint& b);
TAcadPoint SubPoint(const TAcadPoint& a, const TAcadPoint& b);
TAcadPoint ScalePoint(const TAcadPoint& p, double f);
// Counter-clockwise about the origin in the XY plane; z unchanged; angle 0 returns p as is.
TAcadPoint RotatePoint(const TAcadPoint& p, double angle);
// The point at dist from p in direction angle; the four axis angles use no trigonometry.
TAcadPoint PolarPoint(const TAcadPoint& p, double dist, double angle);
double PointDist(const TAcadPoint& a, const TAcadPoint& b);
// Direction from a to b in [0, 2π).
double PointAngle(const TAcadPoint& a, const TAcadPoint& b);

}  // namespace zr
