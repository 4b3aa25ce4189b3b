#pragma once
// The boundary of a HATCH as its pairs arrive: polyline paths and edge paths (lines, arcs,
// elliptic arcs, splines), each turned into one ring of points. Internal to the reader.
#include <cstdint>
#include <string_view>
#include <vector>

#include "drawing/EntityModel.h"

namespace zr::dxf {

class HatchBoundary {
 public:
  // Starts a new hatch.
  void Start();
  // Offers a pair after the hatch's common groups; true when it belonged to the boundary.
  // Throws ConversionFailure for a number that is no number.
  bool Take(std::int32_t code, std::string_view value);
  // The hatch closes: the last edge and ring are finished and the rings handed over.
  void Finish(std::vector<std::vector<TAcadPoint>>& loops);

 private:
  enum class Phase : std::uint8_t { Before, Paths, After };
  enum class EdgeKind : std::uint8_t { None, Line, Arc, Ellipse, Spline };
  struct Edge {
    EdgeKind kind = EdgeKind::None;
    TAcadPoint p10, p11;
    double r40 = 0.0, a50 = 0.0, a51 = 0.0;
    bool ccw = true;
    int degree = 3;
    std::vector<double> knots, weights;
    std::vector<TAcadPoint> control;
  };

  void TakePolylinePath(std::int32_t code, std::string_view value);
  void TakeEdge(std::int32_t code, std::string_view value);
  void FlushEdge();
  void FlushPath();
  std::vector<TAcadPoint>& Ring();

  std::vector<std::vector<TAcadPoint>> loops_;
  Phase phase_ = Phase::Before;
  bool inPath_ = false;
  bool polylinePath_ = false;
  bool pathClosed_ = false;
  std::vector<TAcadPoint> vertices_;  // polyline path
  std::vector<double> bulges_;
  Edge edge_;
};

}  // namespace zr::dxf
