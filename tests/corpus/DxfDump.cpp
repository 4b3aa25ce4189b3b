// Reads DXF files with the palette's reader and prints, for each, one JSON object with the
// error text, the version, the number of records in every array of the model and the values
// of the records. The corpus comparison script sets these against an independent DXF library.
#include <cstdio>
#include <string>
#include <vector>

#include "drawing/DxfRead.h"

namespace {

std::string Json(const std::string& s) {
  std::string out = "\"";
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", u);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

std::string Pt(const zr::TAcadPoint& p) { return Num(p.x) + ", " + Num(p.y) + ", " + Num(p.z); }

// One JSON list per record: the block name first, then the values the comparison checks
// (colours after layer resolution, points, radii, angles, vertices with bulges, texts).
struct ValueLists {
  std::string line, circle, arc, polyline, text, ellipse, insert, face;
  std::string solid, point, hatch, spline, leader, dimension;

  static void Add(std::string& list, const std::string& bname, const std::string& values) {
    if (!list.empty()) list += ", ";
    list += "[" + Json(bname) + ", " + values + "]";
  }
  std::string Object() const {
    return "{\"LINE\": [" + line + "], \"CIRCLE\": [" + circle + "], \"ARC\": [" + arc +
           "], \"POLYLINE\": [" + polyline + "], \"TEXT\": [" + text + "], \"ELLIPSE\": [" +
           ellipse + "], \"INSERT\": [" + insert + "], \"3DFACE\": [" + face +
           "], \"SOLID\": [" + solid + "], \"POINT\": [" + point + "], \"HATCH\": [" +
           hatch + "], \"SPLINE\": [" + spline + "], \"LEADER\": [" + leader +
           "], \"DIMENSION\": [" + dimension + "]}";
  }
};

std::string Inserts(const std::vector<zr::TInsertBlk>& inserts, ValueLists& v) {
  for (const auto& i : inserts) {
    ValueLists::Add(v.insert, i.bname,
                    std::to_string(i.color) + ", " + Json(i.name) + ", " + Pt(i.base) + ", " +
                        Pt(i.scale) + ", " + Num(i.rotate));
  }
  return v.insert;
}

// The kinds drawn besides lines, arcs, circles, polylines, texts and ellipses: their corners
// and points, a hatch's fill and number of boundary paths, a spline's degree and numbers of
// knots, control and fit points, a leader's vertex count, a dimension's block.
void AddFurther(ValueLists& v, const std::vector<zr::TSolidBlk>& solids,
                const std::vector<zr::TPointBlk>& points,
                const std::vector<zr::THatchBlk>& hatches,
                const std::vector<zr::TSplineBlk>& splines,
                const std::vector<zr::TLeaderBlk>& leaders,
                const std::vector<zr::TInsertBlk>& dimensions) {
  for (const auto& r : solids) {
    ValueLists::Add(v.solid, r.bname,
                    std::to_string(r.color) + ", " + Pt(r.pt[0]) + ", " + Pt(r.pt[1]) + ", " +
                        Pt(r.pt[2]) + ", " + Pt(r.pt[3]));
  }
  for (const auto& r : points) {
    ValueLists::Add(v.point, r.bname, std::to_string(r.color) + ", " + Pt(r.pt));
  }
  for (const auto& r : hatches) {
    ValueLists::Add(v.hatch, r.bname,
                    std::to_string(r.color) + ", " + (r.solid ? "1" : "0") + ", " +
                        std::to_string(r.loops.size()));
  }
  for (const auto& r : splines) {
    ValueLists::Add(v.spline, r.bname,
                    std::to_string(r.color) + ", " + std::to_string(r.code71) + ", " +
                        std::to_string(r.knots.size()) + ", " +
                        std::to_string(r.control.size()) + ", " + std::to_string(r.fit.size()));
  }
  for (const auto& r : leaders) {
    ValueLists::Add(v.leader, r.bname,
                    std::to_string(r.color) + ", " + std::to_string(r.vertices.size()));
  }
  for (const auto& r : dimensions) {
    ValueLists::Add(v.dimension, r.bname, std::to_string(r.color) + ", " + Json(r.name));
  }
}

template <class Lines, class Circles, class Arcs, class Polylines, class Vertices, class Texts,
          class Ellipses>
ValueLists Values(const Lines& lines, const Circles& circles, const Arcs& arcs,
                  const Polylines& polylines, const Vertices& vertices, const Texts& texts,
                  const Ellipses& ellipses) {
  ValueLists v;
  for (const auto& l : lines) {
    ValueLists::Add(v.line, l.bname, std::to_string(l.color) + ", " + Pt(l.st) + ", " + Pt(l.ed));
  }
  for (const auto& c : circles) {
    ValueLists::Add(v.circle, c.bname,
                    std::to_string(c.color) + ", " + Pt(c.center) + ", " + Num(c.hankei));
  }
  for (const auto& a : arcs) {
    ValueLists::Add(v.arc, a.bname,
                    std::to_string(a.color) + ", " + Pt(a.center) + ", " + Num(a.hankei) + ", " +
                        Num(a.st) + ", " + Num(a.ed));
  }
  // Vertices lie contiguous per polyline, in polyline order.
  std::size_t k = 0;
  for (const auto& p : polylines) {
    std::string points;
    for (; k < vertices.size() && vertices[k].ihand == p.ihand; ++k) {
      points += ", " + Num(vertices[k].code10.x) + ", " + Num(vertices[k].code10.y) + ", " +
                Num(vertices[k].code42);
    }
    ValueLists::Add(v.polyline, p.bname, std::to_string(p.color) + points);
  }
  for (const auto& t : texts) {
    if (t.str.empty()) continue;
    ValueLists::Add(v.text, t.bname,
                    std::to_string(t.color) + ", " + Pt(t.pt10) + ", " + Num(t.code40) + ", " +
                        Json(t.str));
  }
  for (const auto& e : ellipses) {
    ValueLists::Add(v.ellipse, e.bname,
                    std::to_string(e.color) + ", " + Pt(e.center) + ", " + Pt(e.endpoint) + ", " +
                        Num(e.henpei) + ", " + Num(e.kaisi) + ", " + Num(e.owari));
  }
  return v;
}

// The model set, with the INSERTs and 3DFACEs that only it has.
std::string ModelValues(const zr::TDxfModel& m) {
  ValueLists v = Values(m.LineAry, m.CircleAry, m.ArcAry, m.LwpAry, m.LwpEleAry, m.TextAry,
                        m.EllipseAry);
  Inserts(m.InsertAry, v);
  AddFurther(v, m.SolidAry, m.PointAry, m.HatchAry, m.SplineAry, m.LeaderAry, m.DimAry);
  for (const auto& f : m.FaceAry) {
    ValueLists::Add(v.face, "",
                    std::to_string(f.color) + ", " + Pt(f.pt[0]) + ", " + Pt(f.pt[1]) + ", " +
                        Pt(f.pt[2]) + ", " + Pt(f.pt[3]));
  }
  return v.Object();
}

std::string BlockValues(const zr::TDxfModel& m) {
  ValueLists v = Values(m.BlkLineAry, m.BlkCircleAry, m.BlkArcAry, m.BlkLwpAry, m.BlkLwpEleAry,
                        m.BlkTextAry, m.BlkEllipseAry);
  Inserts(m.BlkInsertAry, v);
  AddFurther(v, m.BlkSolidAry, m.BlkPointAry, m.BlkHatchAry, m.BlkSplineAry, m.BlkLeaderAry,
             m.BlkDimAry);
  return v.Object();
}

void Dump(const std::string& path) {
  zr::TDxfModel m;
  std::string err, ver;
  zr::DxfRead(m, path, nullptr, nullptr, err, ver);
  std::printf(
      "{\"file\": %s, \"err\": %s, \"ver\": %s, \"layers\": %zu, \"views\": %zu, "
      "\"blocks\": %zu, \"model\": {\"LINE\": %zu, \"CIRCLE\": %zu, \"ARC\": %zu, "
      "\"POLYLINE\": %zu, \"VERTEX\": %zu, \"TEXT\": %zu, \"INSERT\": %zu, \"3DFACE\": %zu, "
      "\"ELLIPSE\": %zu, \"SOLID\": %zu, \"POINT\": %zu, \"HATCH\": %zu, \"SPLINE\": %zu, "
      "\"LEADER\": %zu, \"DIMENSION\": %zu}, \"block\": {\"LINE\": %zu, \"CIRCLE\": %zu, "
      "\"ARC\": %zu, \"POLYLINE\": %zu, \"VERTEX\": %zu, \"TEXT\": %zu, \"ELLIPSE\": %zu, "
      "\"INSERT\": %zu, \"SOLID\": %zu, \"POINT\": %zu, \"HATCH\": %zu, \"SPLINE\": %zu, "
      "\"LEADER\": %zu, \"DIMENSION\": %zu}, "
      "\"values\": {\"model\": %s, \"block\": %s}}\n",
      Json(path).c_str(), Json(err).c_str(), Json(ver).c_str(), m.LayerAry.size(),
      m.ViewAry.size(), m.BlockAry.size(), m.LineAry.size(), m.CircleAry.size(),
      m.ArcAry.size(), m.LwpAry.size(), m.LwpEleAry.size(), m.TextAry.size(),
      m.InsertAry.size(), m.FaceAry.size(), m.EllipseAry.size(), m.SolidAry.size(),
      m.PointAry.size(), m.HatchAry.size(), m.SplineAry.size(), m.LeaderAry.size(),
      m.DimAry.size(), m.BlkLineAry.size(), m.BlkCircleAry.size(), m.BlkArcAry.size(),
      m.BlkLwpAry.size(), m.BlkLwpEleAry.size(), m.BlkTextAry.size(), m.BlkEllipseAry.size(),
      m.BlkInsertAry.size(), m.BlkSolidAry.size(), m.BlkPointAry.size(),
      m.BlkHatchAry.size(), m.BlkSplineAry.size(), m.BlkLeaderAry.size(),
      m.BlkDimAry.size(), ModelValues(m).c_str(), BlockValues(m).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) Dump(argv[i]);
  return 0;
}
