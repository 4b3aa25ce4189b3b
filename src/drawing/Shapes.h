#pragma once
// The shapes (outlines, fills, dots) of single records, in world coordinates after the map
// m (the identity for the model set, the insert's map for a block's contents).
#include <vector>

#include "drawing/Curves.h"
#include "drawing/EntityModel.h"

namespace zr {

TShapeBlk EllipseShape(const TEllipseBlk& e, const TAffine& m);
TShapeBlk SolidShape(const TSolidBlk& s, const TAffine& m);
TShapeBlk PointShape(const TPointBlk& p, const TAffine& m);
// A solid hatch is one fill of all its rings (holes stay open); a pattern hatch gives the
// outline of each ring.
std::vector<TShapeBlk> HatchShapes(const THatchBlk& h, const TAffine& m);
TShapeBlk SplineShape(const TSplineBlk& s, const TAffine& m);
// The leader's line, and its arrowhead (length `arrow`, a third as wide) when it has one.
std::vector<TShapeBlk> LeaderShapes(const TLeaderBlk& l, const TAffine& m, double arrow);
// The filled bands of a polyline's segments that have a width; vertices are its own.
std::vector<TShapeBlk> WidePolylineShapes(const TLwpBlk& poly,
                                          const std::vector<TLwpEle>& vertices,
                                          const TAffine& m);
// A circle (start == end == 0) or arc (degrees) as an outline, for maps that distort it.
TShapeBlk ArcShape(const TAcadPoint& c, double r, double startDeg, double endDeg, bool circle,
                   const TAffine& m);

// The number of segments a shape costs to draw (at least 1).
std::size_t ShapeCost(const TShapeBlk& s);

}  // namespace zr
