#pragma once
// The entity model of one DXF file: plain records, one array per entity kind, grouped in
// one model object. The program uses one process-wide instance (Model()); tests make their
// own. Coordinates are double; angles in records are degrees, in functions radians. The
// records of the kinds a drawing holds by the ten thousand keep their small fields together
// at the end, with no padding between fields: a large drawing's first read goes mostly to
// touching fresh memory.
#include <cstdint>
#include <string>
#include <vector>

namespace zr {

using SmallInt = std::int16_t;
using TColor = std::uint32_t;  // 0x00BBGGRR

// A 3D point.
struct TAcadPoint {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

inline constexpr SmallInt kColorByBlock = 0;
inline constexpr SmallInt kColorByLayer = 256;
inline constexpr TAcadPoint kDefaultExtrusion{0.0, 0.0, 1.0};

// Layer table entry.
struct TLayer {
  std::string Name;
  SmallInt color = 7;
  SmallInt code70 = 0;
  std::string ltype = "CONTINUOUS";
  bool visible = true;
  std::string Comment;
};

// Block definition header.
struct TBlockBlk {
  std::string name;
  std::string layer;
  std::string ltype;
  TAcadPoint base;
  SmallInt layindex = 0;
};

// A LINE, or a straight segment of an expanded polyline (lwpflag).
struct TAcadLineBlk {
  std::string bname, layer, ltype;
  TAcadPoint st, ed;
  TAcadPoint code210 = kDefaultExtrusion;
  double atsumi = 0.0;  // thickness
  TColor PenColor = 0;
  int PenStyle = 0;
  SmallInt color = kColorByLayer;
  SmallInt code67 = 0;
  SmallInt layindex = 0;
  SmallInt convtype = 0;
  bool lwpflag = false;
};

// A CIRCLE.
struct TCircleBlk {
  std::string bname, layer, ltype;
  TAcadPoint center;
  double hankei = 0.0;  // radius
  TAcadPoint code210 = kDefaultExtrusion;
  double atsumi = 0.0;
  TColor PenColor = 0;
  int PenStyle = 0;
  SmallInt color = kColorByLayer;
  SmallInt code67 = 0;
  SmallInt layindex = 0;
};

// An ARC (counter-clockwise from st to ed, degrees), or a bulged polyline segment.
struct TArcBlk {
  std::string bname, layer, ltype;
  TAcadPoint center;
  double hankei = 0.0;
  double st = 0.0;
  double ed = 0.0;
  TAcadPoint code210 = kDefaultExtrusion;
  double atsumi = 0.0;
  TColor PenColor = 0;
  int PenStyle = 0;
  SmallInt color = kColorByLayer;
  SmallInt code67 = 0;
  SmallInt layindex = 0;
  bool lwpflag = false;
};

// An INSERT or MINSERT (code70 columns by code71 rows, code44/code45 apart), or the block
// a DIMENSION names (drawn as an insert of it at the origin).
struct TInsertBlk {
  std::string name, layer, ltype;
  TAcadPoint base;
  TAcadPoint scale{1.0, 1.0, 1.0};
  SmallInt color = kColorByLayer;
  double rotate = 0.0;
  SmallInt code66 = 0;
  TColor PenColor = 0;
  int PenStyle = 0;
  SmallInt code67 = 0;
  TAcadPoint code210 = kDefaultExtrusion;
  SmallInt layindex = 0;
  std::string bname;  // block set only
  SmallInt code70 = 1, code71 = 1;  // columns, rows
  double code44 = 0.0, code45 = 0.0;  // column and row spacing
};

// Header of an LWPOLYLINE or POLYLINE.
struct TLwpBlk {
  std::string bname, layer, ltype;
  int ihand = 0;  // own position in its array; its vertices carry the same value
  SmallInt color = kColorByLayer;
  SmallInt code67 = 0;
  SmallInt code70 = 0, code71 = 0, code72 = 0, code73 = 0, code74 = 0;
  SmallInt layindex = 0;
  TColor PenColor = 0;
  int PenStyle = 0;
  TAcadPoint code210 = kDefaultExtrusion;
  double atsumi = 0.0;
  double Koudo = 0.0;  // elevation
  // Default start and end width of the segments (POLYLINE 40/41; LWPOLYLINE 43 gives both).
  double code40 = 0.0, code41 = 0.0;
};

// One polyline vertex.
struct TLwpEle {
  int ihand = 0;
  TAcadPoint code10;
  double code42 = 0.0;  // bulge of the segment starting here
  double code40 = 0.0, code41 = 0.0;  // start and end width of that segment; 0 0: default
};

// A TEXT, ATTRIB or MTEXT (mtflag).
struct TTextBlk {
  std::string bname, layer;
  std::string str;
  TAcadPoint pt10, pt11;
  double code40 = 0.0, code41 = 1.0, code50 = 0.0;
  TAcadPoint code210 = kDefaultExtrusion;
  TColor PenColor = 0;
  SmallInt color = kColorByLayer;
  SmallInt code72 = 0, code73 = 0, code70 = 0, code71 = 0;
  SmallInt code67 = 0;
  SmallInt layindex = 0;
  bool mtflag = false;
};

// A 3DFACE.
struct TFaceBlk {
  std::string bname, layer, ltype;
  SmallInt color = kColorByLayer;
  TAcadPoint pt[4];
  TColor PenColor = 0;
  int PenStyle = 0;
  SmallInt code67 = 0;
  SmallInt code70 = 0;
  SmallInt count = 3;
  SmallInt layindex = 0;
};

// An ELLIPSE (henpei: minor/major ratio; kaisi/owari: start/end parameter).
struct TEllipseBlk {
  std::string bname, layer, ltype;
  SmallInt color = kColorByLayer;
  TAcadPoint center, endpoint;
  double henpei = 0.0, kaisi = 0.0, owari = 0.0;
  TAcadPoint code210 = kDefaultExtrusion;
  SmallInt layindex = 0;
  SmallInt code67 = 0;
};

// A SOLID or TRACE: a filled triangle or quadrilateral. Its corners run 1, 2, 4, 3 around
// the outline; count 3 when the fourth corner repeats the third or is not given.
struct TSolidBlk {
  std::string bname, layer, ltype;
  SmallInt color = kColorByLayer;
  TAcadPoint pt[4];
  SmallInt count = 3;
  SmallInt code67 = 0;
  TAcadPoint code210 = kDefaultExtrusion;
};

// A POINT.
struct TPointBlk {
  std::string bname, layer;
  SmallInt color = kColorByLayer;
  TAcadPoint pt;
  SmallInt code67 = 0;
  TAcadPoint code210 = kDefaultExtrusion;
};

// A HATCH: its boundary loops as point rings in its own plane (curved edges already
// flattened), filled when solid, else drawn as outlines.
struct THatchBlk {
  std::string bname, layer;
  SmallInt color = kColorByLayer;
  bool solid = false;
  std::vector<std::vector<TAcadPoint>> loops;
  SmallInt code67 = 0;
  TAcadPoint code210 = kDefaultExtrusion;
};

// A SPLINE (code70 flags, code71 degree): drawn from its control points and knots, or
// through its fit points when it has no control points.
struct TSplineBlk {
  std::string bname, layer, ltype;
  SmallInt color = kColorByLayer;
  SmallInt code70 = 0, code71 = 3;
  std::vector<double> knots, weights;
  std::vector<TAcadPoint> control, fit;
  SmallInt code67 = 0;
  TAcadPoint code210 = kDefaultExtrusion;
};

// A LEADER: its vertices, and an arrowhead at the first one when code71 is 1.
struct TLeaderBlk {
  std::string bname, layer;
  SmallInt color = kColorByLayer;
  SmallInt code71 = 1;
  std::vector<TAcadPoint> vertices;
  SmallInt code67 = 0;
  TAcadPoint code210 = kDefaultExtrusion;
};

// What the drawing pass makes of the kinds that are not lines, arcs, circles or texts
// (ellipses, splines, fills, points, leaders, and curves an insert distorts): an outline,
// a filled area of one or more rings, or a dot.
enum class ShapeKind : std::uint8_t { Outline, Fill, Dot };
struct TShapeBlk {
  ShapeKind kind = ShapeKind::Outline;
  bool closed = false;
  std::vector<TAcadPoint> pts;
  std::vector<int> rings;  // Fill: the point count of each ring, in order
  std::string layer;
  SmallInt color = kColorByLayer;
  SmallInt code67 = 0;
  bool lwpflag = false;  // a band of a wide polyline
};

// VIEW table entry.
struct TViewTbl {
  std::string name;
  TAcadPoint center;
  double height = 0.0, width = 0.0;
  SmallInt code70 = 0;
};

// The arrays of one DXF file (block set and model set), the tables, and the extents.
struct TDxfModel {
  std::vector<TBlockBlk> BlockAry;
  std::vector<TAcadLineBlk> BlkLineAry;
  std::vector<TCircleBlk> BlkCircleAry;
  std::vector<TArcBlk> BlkArcAry;
  std::vector<TLwpBlk> BlkLwpAry;
  std::vector<TLwpEle> BlkLwpEleAry;
  std::vector<TTextBlk> BlkTextAry;
  std::vector<TEllipseBlk> BlkEllipseAry;
  std::vector<TAcadLineBlk> LineAry;
  std::vector<TCircleBlk> CircleAry;
  std::vector<TArcBlk> ArcAry;
  std::vector<TLwpBlk> LwpAry;
  std::vector<TLwpEle> LwpEleAry;
  std::vector<TTextBlk> TextAry;
  std::vector<TInsertBlk> InsertAry;
  std::vector<TFaceBlk> FaceAry;
  std::vector<TEllipseBlk> EllipseAry;
  std::vector<TLayer> LayerAry;
  std::vector<TViewTbl> ViewAry;
  // Kinds the thumbnail draws besides the above (Blk...: inside block definitions).
  std::vector<TInsertBlk> BlkInsertAry, DimAry, BlkDimAry;
  std::vector<TSolidBlk> SolidAry, BlkSolidAry;
  std::vector<TPointBlk> PointAry, BlkPointAry;
  std::vector<THatchBlk> HatchAry, BlkHatchAry;
  std::vector<TSplineBlk> SplineAry, BlkSplineAry;
  std::vector<TLeaderBlk> LeaderAry, BlkLeaderAry;
  // Filled by the drawing pass (ExpandDrawing), not by the reader.
  std::vector<TShapeBlk> ShapeAry;
  // Arrowhead size of leaders: the header's $DIMASZ times $DIMSCALE.
  double DimAsz = 0.18;
  double DimScale = 1.0;
  TAcadPoint DxfExtMin;
  TAcadPoint DxfExtMax;

  // Empties every array and resets the extents, keeping the arrays' memory for reuse.
  void Clear();
};

// The process-wide model the palette draws from.
TDxfModel& Model();

}  // namespace zr
