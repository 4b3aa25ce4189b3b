// The entity records of the DXF reader: which group codes each kind takes, how it closes,
// and how a group 0 starts a new record in the block set or the model set.
#include "drawing/DxfReader.h"

namespace zr::dxf {
namespace {
const std::string kNoBlockName;
}  // namespace

// Codes 6 (line type, upper case), 8 (layer) and 62 (colour) of the kinds that have them.
bool DxfReader::TakeStyle(std::string* ltype, std::string& layer, SmallInt& color,
                          std::int32_t code, std::string_view value) {
  switch (code) {
    case 6:
      if (ltype == nullptr) return false;
      Upper(*ltype, value);
      return true;
    case 8:
      decoder_.Assign(layer, value);
      return true;
    case 62:
      color = SmallValue(value);
      return true;
    default:
      return false;
  }
}

void DxfReader::TakeLine(std::int32_t code, std::string_view value) {
  TAcadLineBlk& r = line_.Get();
  if (code == 0) {
    ResolveColor(r.color, r.layer);
    line_.open = false;
    return;
  }
  if (TakeStyle(&r.ltype, r.layer, r.color, code, value)) return;
  if (TakeCoord(r.st, 10, code, value)) return;
  TakeCoord(r.ed, 11, code, value);
}

void DxfReader::TakeCircle(std::int32_t code, std::string_view value) {
  TCircleBlk& r = circle_.Get();
  switch (code) {
    case 0:
      ResolveColor(r.color, r.layer);
      circle_.open = false;
      return;
    case 40: r.hankei = RealValue(value); return;
    case 67: r.code67 = SmallValue(value); return;
    default: break;
  }
  if (TakeStyle(&r.ltype, r.layer, r.color, code, value)) return;
  if (TakeCoord(r.center, 10, code, value)) return;
  TakeCoord(r.code210, 210, code, value);
}

void DxfReader::TakeArc(std::int32_t code, std::string_view value) {
  TArcBlk& r = arc_.Get();
  switch (code) {
    case 0:
      ResolveColor(r.color, r.layer);
      arc_.open = false;
      return;
    case 40: r.hankei = RealValue(value); return;
    case 50: r.st = RealValue(value); return;
    case 51: r.ed = RealValue(value); return;
    case 67: r.code67 = SmallValue(value); return;
    default: break;
  }
  if (TakeStyle(&r.ltype, r.layer, r.color, code, value)) return;
  if (TakeCoord(r.center, 10, code, value)) return;
  TakeCoord(r.code210, 210, code, value);
}

namespace {

// Groups 67 and 70 to 74 of a polyline header; false for any other code.
bool TakePolylineFlags(TLwpBlk& r, std::int32_t code, std::string_view value) {
  SmallInt* field = nullptr;
  switch (code) {
    case 67: field = &r.code67; break;
    case 70: field = &r.code70; break;
    case 71: field = &r.code71; break;
    case 72: field = &r.code72; break;
    case 73: field = &r.code73; break;
    case 74: field = &r.code74; break;
    default: return false;
  }
  *field = SmallValue(value);
  return true;
}

}  // namespace

// Each group 10 starts a vertex; 20 and 42 fill the last one. The colour is resolved at
// every vertex, and the closing group 0 only closes.
void DxfReader::TakeLwPolyline(std::int32_t code, std::string_view value) {
  TLwpBlk& r = lwp_.Get();
  switch (code) {
    case 0:
      lwp_.open = false;
      return;
    case 10:
      lwpLastVertex_ = AppendVertex(*lwpVertices_, r.ihand, value);
      ResolveColor(r.color, r.layer);
      return;
    case 40:
    case 41:
      // Widths, read since they are drawn: a value that is no number is passed over.
      if (lwpLastVertex_ != SIZE_MAX) {
        TLwpEle& vertex = (*lwpVertices_)[lwpLastVertex_];
        (code == 40 ? vertex.code40 : vertex.code41) = ParseReal(value).value_or(0.0);
      }
      return;
    case 20:
    case 42: {
      const double number = RealValue(value);
      if (lwpLastVertex_ == SIZE_MAX) return;  // no vertex of this polyline yet
      TLwpEle& vertex = (*lwpVertices_)[lwpLastVertex_];
      (code == 20 ? vertex.code10.y : vertex.code42) = number;
      return;
    }
    case 43: r.code40 = r.code41 = ParseReal(value).value_or(0.0); return;
    default: break;
  }
  if (TakeStyle(&r.ltype, r.layer, r.color, code, value)) return;
  if (TakePolylineFlags(r, code, value)) return;
  TakeCoord(r.code210, 210, code, value);
}

// The header's own 10/20/30 and 66 are not taken. Its group 0 resolves the colour; "VERTEX"
// hands over to the vertex sequence, "SEQEND" ends the polyline, any other word leaves the
// header open.
void DxfReader::TakePolylineHeader(std::int32_t code, std::string_view value, Word word) {
  TLwpBlk& r = polyline_.Get();
  if (code == 0) {
    ResolveColor(r.color, r.layer);
    if (word == Word::Vertex) {
      inVertices_ = true;
      polyline_.open = false;
    } else if (word == Word::SeqEnd) {
      polyline_.open = inVertices_ = false;
    }
    return;
  }
  if (code == 40 || code == 41) {
    (code == 40 ? r.code40 : r.code41) = ParseReal(value).value_or(0.0);
    return;
  }
  if (TakeStyle(&r.ltype, r.layer, r.color, code, value)) return;
  if (TakePolylineFlags(r, code, value)) return;
  TakeCoord(r.code210, 210, code, value);
}

// TEXT, ATTRIB and MTEXT. Group 3 appends to the text; 73 and 74 both land in code73. A text
// still empty at its group 0 is dropped. After a group 101 comes an embedded object (MTEXT
// columns from AC1027 on, the MTEXT of a multi-line ATTRIB) whose 10, 11, 40 ... repeat
// other things (a direction, the column width): the text's own groups come before it.
void DxfReader::TakeText(std::int32_t code, std::string_view value) {
  TTextBlk& r = text_.Get();
  if (textEmbedded_ && code != 0) return;
  switch (code) {
    case 101:
      textEmbedded_ = true;
      return;
    case 0:
      text_.open = false;
      if (!r.str.empty()) {
        ResolveColor(r.color, r.layer);
      } else if (text_.index + 1 == text_.ary->size()) {
        text_.ary->pop_back();  // the next text takes its place
      }
      return;
    case 1:
      // A long MTEXT arrives as group 3 chunks ended by a group 1: the group 1 completes the
      // chunks. Without chunks before it, a group 1 gives the whole text.
      if (textChunked_) {
        r.str += decoder_.Decode(value);
      } else {
        decoder_.Assign(r.str, value);
      }
      textChunked_ = false;
      return;
    case 3:
      r.str += decoder_.Decode(value);
      textChunked_ = true;
      return;
    case 40: r.code40 = RealValue(value); return;
    case 41: r.code41 = RealValue(value); return;
    case 50: r.code50 = RealValue(value); return;
    case 67: r.code67 = SmallValue(value); return;
    case 70: r.code70 = SmallValue(value); return;
    case 71: r.code71 = SmallValue(value); return;
    case 72: r.code72 = SmallValue(value); return;
    case 73:
    case 74: r.code73 = SmallValue(value); return;
    default: break;
  }
  if (TakeStyle(nullptr, r.layer, r.color, code, value)) return;
  if (TakeCoord(r.pt10, 10, code, value)) return;
  TakeCoord(r.pt11, 11, code, value);
}

void DxfReader::TakeInsert(std::int32_t code, std::string_view value) {
  TInsertBlk& r = insert_.Get();
  switch (code) {
    case 0:
      ResolveColor(r.color, r.layer);
      insert_.open = false;
      return;
    case 2: decoder_.Assign(r.name, value); return;
    case 41: r.scale.x = RealValue(value); return;
    case 42: r.scale.y = RealValue(value); return;
    case 43: r.scale.z = RealValue(value); return;
    case 50: r.rotate = RealValue(value); return;
    case 66: r.code66 = SmallValue(value); return;
    case 67: r.code67 = SmallValue(value); return;
    default: break;
  }
  if (TakeStyle(&r.ltype, r.layer, r.color, code, value)) return;
  if (TakeCoord(r.base, 10, code, value)) return;
  // The array and extrusion groups, read since inserts are drawn: a value that is no number
  // is passed over, as it was when they were not read.
  try {
    switch (code) {
      case 70: r.code70 = SmallValue(value); return;
      case 71: r.code71 = SmallValue(value); return;
      case 44: r.code44 = RealValue(value); return;
      case 45: r.code45 = RealValue(value); return;
      default: TakeCoord(r.code210, 210, code, value); return;
    }
  } catch (const ConversionFailure&) {
  }
}

void DxfReader::TakeFace(std::int32_t code, std::string_view value) {
  TFaceBlk& r = face_.Get();
  switch (code) {
    case 0:
      ResolveColor(r.color, r.layer);
      face_.open = false;
      return;
    case 67: r.code67 = SmallValue(value); return;
    case 70: r.code70 = SmallValue(value); return;
    default: break;
  }
  if (TakeStyle(&r.ltype, r.layer, r.color, code, value)) return;
  for (int corner = 0; corner < 4; ++corner) {
    if (TakeCoord(r.pt[corner], 10 + corner, code, value)) {
      if (code == 13) r.count = 4;
      return;
    }
  }
}

void DxfReader::TakeEllipse(std::int32_t code, std::string_view value) {
  TEllipseBlk& r = ellipse_.Get();
  switch (code) {
    case 0:
      ResolveColor(r.color, r.layer);
      ellipse_.open = false;
      return;
    case 40: r.henpei = RealValue(value); return;
    case 41: r.kaisi = RealValue(value); return;
    case 42: r.owari = RealValue(value); return;
    case 67: r.code67 = ParseSmallInt(value).value_or(0); return;
    default: break;
  }
  if (TakeStyle(&r.ltype, r.layer, r.color, code, value)) return;
  if (TakeCoord(r.center, 10, code, value)) return;
  if (TakeCoord(r.endpoint, 11, code, value)) return;
  TakeCoord(r.code210, 210, code, value);
}

// A group 0 word that names a taken kind starts a record: in the block set inside a block
// definition (INSERT and 3DFACE are not taken there), else in the model set.
void DxfReader::StartEntity(Word word) {
  const bool inBlock = inBlockDef_;
  const std::string& bname =
      inBlock && !m_.BlockAry.empty() ? m_.BlockAry.back().name : kNoBlockName;
  switch (word) {
    case Word::Line:
      StartNamed(Open(line_, inBlock ? m_.BlkLineAry : m_.LineAry), bname);
      break;
    case Word::Circle:
      StartNamed(Open(circle_, inBlock ? m_.BlkCircleAry : m_.CircleAry), bname);
      break;
    case Word::Arc:
      StartNamed(Open(arc_, inBlock ? m_.BlkArcAry : m_.ArcAry), bname);
      break;
    case Word::LwPolyline:
    case Word::Polyline: {
      // A polyline never nests in another: one whose header or vertex sequence was left
      // open takes no more vertices, so each polyline's vertices stay together and in order.
      polyline_.open = inVertices_ = false;
      const bool lw = word == Word::LwPolyline;
      std::vector<TLwpBlk>& ary = inBlock ? m_.BlkLwpAry : m_.LwpAry;
      TLwpBlk& r = Open(lw ? lwp_ : polyline_, ary);
      StartNamed(r, bname);
      r.ihand = static_cast<int>(ary.size() - 1);
      std::vector<TLwpEle>* vertices = inBlock ? &m_.BlkLwpEleAry : &m_.LwpEleAry;
      (lw ? lwpVertices_ : polyVertices_) = vertices;
      (lw ? lwpLastVertex_ : polyLastVertex_) = SIZE_MAX;
      break;
    }
    case Word::Text:
    case Word::Attrib:
    case Word::MText: {
      TTextBlk& r = Open(text_, inBlock ? m_.BlkTextAry : m_.TextAry);
      r.bname = bname;
      r.mtflag = word == Word::MText;
      textChunked_ = textEmbedded_ = false;
      break;
    }
    case Word::Insert:
    case Word::MInsert: {
      // Inside a block definition an insert nests another block in it.
      TInsertBlk& r = Open(insert_, inBlock ? m_.BlkInsertAry : m_.InsertAry);
      r.bname = bname;
      r.layer = kLayerZero;
      r.ltype = kByLayer;
      break;
    }
    case Word::Face3D:
      if (!inBlock) StartNamed(Open(face_, m_.FaceAry), bname);
      break;
    case Word::Ellipse:
      StartNamed(Open(ellipse_, inBlock ? m_.BlkEllipseAry : m_.EllipseAry), bname);
      break;
    default:
      StartFurtherEntity(word, inBlock, bname);
      break;
  }
}

}  // namespace zr::dxf
