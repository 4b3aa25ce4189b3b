#pragma once
// The entity model of one DXF file: plain records, one array per entity kind, grouped in
// one model object. The program uses one process-wide instance (Model()); tests make their
// own. Coordinates are double; angles in records are degrees, in functions radians.
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
  SmallInt color = kColorByLayer;
  TAcadPoint st, ed;
  TColor PenColor = 0;
  int PenStyle = 0;
  SmallInt code67 = 0;
  TAcadPoint code210 = kDefaultExtrusion;
  SmallInt layindex = 0;
  double atsumi = 0.0;  // thickness
  SmallInt convtype = 0;
  bool lwpflag = false;
};

// A CIRCLE.
struct TCircleBlk {
  std::string bname, layer, ltype;
  SmallInt color = kColorByLayer;
  TAcadPoint center;
  double hankei = 0.0;  // radius
  TColor PenColor = 0;
  int PenStyle = 0;
  SmallInt code67 = 0;
  TAcadPoint code210 = kDefaultExtrusion;
  SmallInt layindex = 0;
  double atsumi = 0.0;
};

// An ARC (counter-clockwise from st to ed, degrees), or a bulged polyline segment.
struct TArcBlk {
  std::string bname, layer, ltype;
  SmallInt color = kColorByLayer;
  TAcadPoint center;
  double hankei = 0.0;
  double st = 0.0;
  double ed = 0.0;
  TColor PenColor = 0;
  int PenStyle = 0;
  SmallInt code67 = 0;
  TAcadPoint code210 = kDefaultExtrusion;
  SmallInt layindex = 0;
  double atsumi = 0.0;
  bool lwpflag = false;
};

// An INSERT (stored, never expanded).
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
  TAcadPoint code210{0.0, 0.0, 0.0};  // not read for inserts
  SmallInt layindex = 0;
};

// Header of an LWPOLYLINE or POLYLINE.
struct TLwpBlk {
  std::string bname, layer, ltype;
  int ihand = 0;  // own position in its array; its vertices carry the same value
  SmallInt color = kColorByLayer;
  SmallInt code67 = 0;
  SmallInt code70 = 0, code71 = 0, code72 = 0, code73 = 0, code74 = 0;
  TAcadPoint code210 = kDefaultExtrusion;
  TColor PenColor = 0;
  int PenStyle = 0;
  SmallInt layindex = 0;
  double atsumi = 0.0;
  double Koudo = 0.0;  // elevation
};

// One polyline vertex.
struct TLwpEle {
  int ihand = 0;
  TAcadPoint code10;
  double code42 = 0.0;  // bulge of the segment starting here
};

// A TEXT, ATTRIB or MTEXT (mtflag).
struct TTextBlk {
  std::string bname, layer;
  SmallInt color = kColorByLayer;
  TAcadPoint pt10, pt11;
  double code40 = 0.0, code41 = 1.0, code50 = 0.0;
  SmallInt code72 = 0, code73 = 0, code70 = 0, code71 = 0;
  std::string str;
  bool mtflag = false;
  TColor PenColor = 0;
  SmallInt code67 = 0;
  TAcadPoint code210 = kDefaultExtrusion;
  SmallInt layindex = 0;
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
  TAcadPoint DxfExtMin;
  TAcadPoint DxfExtMax;

  // Empties every array and resets the extents, keeping the arrays' memory for reuse.
  void Clear();
};

// The process-wide model the palette draws from.
TDxfModel& Model();

}  // namespace zr
