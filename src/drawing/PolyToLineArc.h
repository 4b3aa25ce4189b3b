#pragma once
// Polyline expansion: every polyline of the model set becomes straight segments (appended to
// LineAry) and bulged segments (appended to ArcAry), so that only lines, arcs, circles and
// texts are ever drawn.
#include "drawing/EntityModel.h"

namespace zr {

// An arc of a bulged segment: counter-clockwise from start to end, radians in [0, 2π).
struct TBulgeArc {
  TAcadPoint center;
  double radius = 0.0;
  double start = 0.0;
  double end = 0.0;
};

// The arc of the segment p1 -> p2 with the given bulge (tan of a quarter of the included
// angle; negative runs clockwise). A bulge of 0 has no arc: callers draw a line instead.
TBulgeArc BulgeToArc(const TAcadPoint& p1, const TAcadPoint& p2, double bulge);

// Expands every polyline of LwpAry into LineAry and ArcAry (segments carry lwpflag).
// Runs once after each read: a second run would append the segments again.
void PolyToLineArc(TDxfModel& model);

}  // namespace zr
