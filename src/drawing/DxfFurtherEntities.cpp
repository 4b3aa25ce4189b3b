// The entity kinds the thumbnail draws besides lines, arcs, circles, polylines, texts,
// inserts and ellipses: SOLID and TRACE, POINT, HATCH, SPLINE, LEADER and DIMENSION.
#include "drawing/DxfReader.h"

namespace zr::dxf {
namespace {

// Groups base, base + 10 and base + 20 of a point list: the first starts a new point.
bool TakeListCoord(std::vector<TAcadPoint>& list, int base, std::int32_t code,
                   std::string_view value) {
  if (code == base) {
    list.push_back({RealValue(value), 0.0, 0.0});
    return true;
  }
  if (code != base + 10 && code != base + 20) return false;
  const double number = RealValue(value);
  if (list.empty()) return true;  // no point of this list yet
  (code == base + 10 ? list.back().y : list.back().z) = number;
  return true;
}

}  // namespace

// A value of these kinds that is no number is passed over rather than ending the read: files
// that were read to their end before these kinds were drawn still are.
bool DxfReader::OfferFurtherEntity(std::int32_t code, std::string_view value) {
  try {
    return OfferFurtherEntityStrict(code, value);
  } catch (const ConversionFailure&) {
    return true;
  }
}

bool DxfReader::OfferFurtherEntityStrict(std::int32_t code, std::string_view value) {
  if (solid_.open) {
    TakeSolid(code, value);
  } else if (point_.open) {
    TakePoint(code, value);
  } else if (hatch_.open) {
    TakeHatch(code, value);
  } else if (spline_.open) {
    TakeSpline(code, value);
  } else if (leader_.open) {
    TakeLeader(code, value);
  } else if (dimension_.open) {
    TakeDimension(code, value);
  } else {
    return false;
  }
  return true;
}

bool DxfReader::StartFurtherEntity(Word word, bool inBlock, const std::string& bname) {
  switch (word) {
    case Word::Solid:
    case Word::Trace: {
      StartNamed(Open(solid_, inBlock ? m_.BlkSolidAry : m_.SolidAry), bname);
      return true;
    }
    case Word::Point: {
      StartNamed(Open(point_, inBlock ? m_.BlkPointAry : m_.PointAry), bname);
      return true;
    }
    case Word::Hatch: {
      StartNamed(Open(hatch_, inBlock ? m_.BlkHatchAry : m_.HatchAry), bname);
      hatchBoundary_.Start();
      return true;
    }
    case Word::Spline: {
      StartNamed(Open(spline_, inBlock ? m_.BlkSplineAry : m_.SplineAry), bname);
      return true;
    }
    case Word::Leader: {
      StartNamed(Open(leader_, inBlock ? m_.BlkLeaderAry : m_.LeaderAry), bname);
      return true;
    }
    case Word::Dimension: {
      StartNamed(Open(dimension_, inBlock ? m_.BlkDimAry : m_.DimAry), bname);
      return true;
    }
    default:
      return false;
  }
}

// Corners 10 to 13; a SOLID or TRACE without a fourth corner is a triangle.
void DxfReader::TakeSolid(std::int32_t code, std::string_view value) {
  TSolidBlk& r = solid_.Get();
  switch (code) {
    case 0:
      if (r.count == 3) r.pt[3] = r.pt[2];
      ResolveColor(r.color, r.layer);
      solid_.open = false;
      return;
    case 67: r.code67 = SmallValue(value); return;
    default: break;
  }
  if (TakeStyle(&r.ltype, r.layer, r.color, code, value)) return;
  if (TakeCoord(r.code210, 210, code, value)) return;
  for (int corner = 0; corner < 4; ++corner) {
    if (TakeCoord(r.pt[corner], 10 + corner, code, value)) {
      if (code == 13) r.count = 4;
      return;
    }
  }
}

void DxfReader::TakePoint(std::int32_t code, std::string_view value) {
  TPointBlk& r = point_.Get();
  switch (code) {
    case 0:
      ResolveColor(r.color, r.layer);
      point_.open = false;
      return;
    case 67: r.code67 = SmallValue(value); return;
    default: break;
  }
  if (TakeStyle(nullptr, r.layer, r.color, code, value)) return;
  if (TakeCoord(r.code210, 210, code, value)) return;
  TakeCoord(r.pt, 10, code, value);
}

// The common groups come before the boundary; from group 91 on the boundary takes the pairs.
void DxfReader::TakeHatch(std::int32_t code, std::string_view value) {
  THatchBlk& r = hatch_.Get();
  if (code == 0) {
    hatchBoundary_.Finish(r.loops);
    ResolveColor(r.color, r.layer);
    hatch_.open = false;
    return;
  }
  if (hatchBoundary_.Take(code, value)) return;
  switch (code) {
    case 67: r.code67 = SmallValue(value); return;
    case 70: r.solid = SmallValue(value) == 1; return;
    default: break;
  }
  if (TakeStyle(nullptr, r.layer, r.color, code, value)) return;
  TakeCoord(r.code210, 210, code, value);
}

void DxfReader::TakeSpline(std::int32_t code, std::string_view value) {
  TSplineBlk& r = spline_.Get();
  switch (code) {
    case 0:
      ResolveColor(r.color, r.layer);
      spline_.open = false;
      return;
    case 40: r.knots.push_back(RealValue(value)); return;
    case 41: r.weights.push_back(RealValue(value)); return;
    case 67: r.code67 = SmallValue(value); return;
    case 70: r.code70 = SmallValue(value); return;
    case 71: r.code71 = SmallValue(value); return;
    default: break;
  }
  if (TakeStyle(&r.ltype, r.layer, r.color, code, value)) return;
  if (TakeCoord(r.code210, 210, code, value)) return;
  if (TakeListCoord(r.control, 10, code, value)) return;
  TakeListCoord(r.fit, 11, code, value);
}

void DxfReader::TakeLeader(std::int32_t code, std::string_view value) {
  TLeaderBlk& r = leader_.Get();
  switch (code) {
    case 0:
      ResolveColor(r.color, r.layer);
      leader_.open = false;
      return;
    case 67: r.code67 = SmallValue(value); return;
    case 71: r.code71 = SmallValue(value); return;
    default: break;
  }
  if (TakeStyle(nullptr, r.layer, r.color, code, value)) return;
  if (TakeCoord(r.code210, 210, code, value)) return;
  TakeListCoord(r.vertices, 10, code, value);
}

// Only the name of the block that holds the dimension's drawing (in world coordinates).
void DxfReader::TakeDimension(std::int32_t code, std::string_view value) {
  TInsertBlk& r = dimension_.Get();
  switch (code) {
    case 0:
      ResolveColor(r.color, r.layer);
      dimension_.open = false;
      return;
    case 2: decoder_.Assign(r.name, value); return;
    case 67: r.code67 = SmallValue(value); return;
    default: break;
  }
  TakeStyle(&r.ltype, r.layer, r.color, code, value);
}

}  // namespace zr::dxf
