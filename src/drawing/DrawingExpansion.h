#pragma once
// The drawing pass after polyline expansion: everything the model holds beyond plain lines,
// arcs, circles, polylines and texts becomes drawable. The blocks that INSERT, MINSERT and
// DIMENSION name are drawn through their insert's map: their lines, circles, arcs and texts
// are appended to the model set's arrays; ellipses, splines, SOLID/TRACE, HATCH, POINT,
// LEADER, wide polyline segments, and circles an insert distorts become shapes (ShapeAry).
#include <cstddef>

#include "drawing/EntityModel.h"

namespace zr {

// The most primitives (a line, circle, arc, text, or one segment of a shape) one drawing
// may add: a huge insert array or a deeply nested block is cut there, so that a page is
// never held up by one file.
inline constexpr std::size_t kDrawingBudget = 200000;
// Blocks nested deeper than this inside one another are not drawn.
inline constexpr int kMostBlockDepth = 64;

// Runs once after PolyToLineArc; returns the number of primitives added.
std::size_t ExpandDrawing(TDxfModel& model, std::size_t budget = kDrawingBudget);

}  // namespace zr
