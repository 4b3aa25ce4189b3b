#pragma once
// The record layer of the DXF reader: the state machine that turns pairs into the records of
// the entity model. Internal to the drawing module; callers use DxfRead.h.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "drawing/DxfHatch.h"
#include "drawing/DxfPairs.h"
#include "drawing/EntityModel.h"

namespace zr::dxf {

// Thrown when a number field taken by the reader is not a number.
struct ConversionFailure {};

// A real or 16-bit integer field; throws ConversionFailure when the value is no such number.
inline double RealValue(std::string_view value) {
  const std::optional<double> number = ParseReal(value);
  if (!number) throw ConversionFailure{};
  return *number;
}
inline SmallInt SmallValue(std::string_view value) {
  const std::optional<std::int16_t> number = ParseSmallInt(value);
  if (!number) throw ConversionFailure{};
  return *number;
}

// Groups base, base + 10, base + 20 (10/20/30, 11/21/31, 210/220/230 ...) fill x, y and z.
inline bool TakeCoord(TAcadPoint& p, int base, std::int32_t code, std::string_view value) {
  if (code == base) {
    p.x = RealValue(value);
  } else if (code == base + 10) {
    p.y = RealValue(value);
  } else if (code == base + 20) {
    p.z = RealValue(value);
  } else {
    return false;
  }
  return true;
}

// How string values are decoded: UTF-8 (from AC1021 on, or for a file with a byte-order
// mark), else the code page the file declares, else the system's ANSI code page.
class ValueDecoder {
 public:
  void SetUtf8(bool utf8) {
    utf8_ = utf8;
    Forget();
  }
  bool Utf8() const { return utf8_; }
  // 0: the system's.
  void SetCodePage(unsigned codePage) {
    codePage_ = codePage;
    Forget();
  }
  void Assign(std::string& target, std::string_view raw) const;
  std::string Decode(std::string_view raw) const;

 private:
  // The last few code-page values decoded, with what they became: a drawing names the same
  // few layers and line types on every entity, and decoding them each time was a tenth of a
  // read. Only short values are kept.
  struct Recent {
    std::string raw;
    std::string text;
  };
  static constexpr std::size_t kRecent = 8;
  static constexpr std::size_t kRecentBytes = 64;
  void Forget() {
    for (Recent& r : recent_) r.raw.clear();  // an empty raw value is never looked up
  }

  bool utf8_ = false;
  unsigned codePage_ = 0;
  mutable Recent recent_[kRecent];
  mutable std::size_t nextRecent_ = 0;
};

// The Windows ANSI code page a $DWGCODEPAGE value names ("ANSI_1252", or "dos932" for the
// same bytes as 932), or 0 for any other name: the system's code page then applies.
unsigned CodePageOfName(std::string_view name);

// The record being filled for one entity kind: its array, its index, and whether it is open.
inline const std::string kLayerZero = "0";
inline const std::string kByLayer = "BYLAYER";

// A new record's block name and the defaults of its layer and, where it has one, line type.
template <class T>
void StartNamed(T& r, const std::string& bname) {
  r.bname = bname;
  r.layer = kLayerZero;
  if constexpr (requires { r.ltype; }) r.ltype = kByLayer;
}

template <class T>
struct OpenRecord {
  std::vector<T>* ary = nullptr;
  std::size_t index = 0;
  bool open = false;
  T& Get() const { return (*ary)[index]; }
};

// First-match layer lookup that stays exact while the layer table changes under it.
class LayerIndex {
 public:
  explicit LayerIndex(TDxfModel& model) : model_(model) {}
  // The table's names changed or grew: rebuild before the next lookup.
  void Invalidate() { stale_ = true; }
  SmallInt Color(const std::string& name);

 private:
  TDxfModel& model_;
  std::unordered_map<std::string, std::size_t> first_;
  bool stale_ = true;
};

class DxfReader {
 public:
  DxfReader(TDxfModel& model, ValueDecoder& decoder) : m_(model), decoder_(decoder), layers_(model) {}
  // Offers one pair; throws ConversionFailure when a number field cannot be converted.
  void Take(std::int32_t code, std::string_view value);
  // How far the pairs have come through the text, for sizing the arrays.
  void SetExtent(std::size_t consumed, std::size_t total) {
    consumed_ = consumed;
    total_ = total;
  }
  // A new record at the end of an array. A full array grows by what the rest of the file
  // is likely to hold of its kind (entities spread fairly evenly over a drawing), between
  // an eighth and double its size: less slack than plain doubling near the end of a file.
  template <class T>
  T& Append(std::vector<T>& ary) {
    if (ary.size() == ary.capacity()) ary.reserve(NextCapacity(ary.size()));
    return ary.emplace_back();
  }
  // A new record that becomes the open one of its kind.
  template <class T>
  T& Open(OpenRecord<T>& open, std::vector<T>& ary) {
    Append(ary);
    open.ary = &ary;
    open.index = ary.size() - 1;
    open.open = true;
    return ary.back();
  }
  const std::string& Version() const { return version_; }

 private:
  void TakeHeader(std::int32_t code, std::string_view value);
  void TakeLayerTable(std::int32_t code, std::string_view value, Word word);
  void TakeViewTable(std::int32_t code, std::string_view value, Word word);
  void TakeStructure(Word word);
  void TakeBlockHeader(std::int32_t code, std::string_view value);
  void TakeEntity(std::int32_t code, std::string_view value, Word word);
  void OfferOpenEntity(std::int32_t code, std::string_view value, Word word);
  void CloseOpenEntity(std::string_view value, Word word);
  void TakeVertexSequence(std::int32_t code, std::string_view value, Word word);
  void StartEntity(Word word);

  void TakeLine(std::int32_t code, std::string_view value);
  void TakeCircle(std::int32_t code, std::string_view value);
  void TakeArc(std::int32_t code, std::string_view value);
  void TakeLwPolyline(std::int32_t code, std::string_view value);
  void TakePolylineHeader(std::int32_t code, std::string_view value, Word word);
  void TakeText(std::int32_t code, std::string_view value);
  void TakeInsert(std::int32_t code, std::string_view value);
  void TakeFace(std::int32_t code, std::string_view value);
  void TakeEllipse(std::int32_t code, std::string_view value);
  void TakeSolid(std::int32_t code, std::string_view value);
  void TakePoint(std::int32_t code, std::string_view value);
  void TakeHatch(std::int32_t code, std::string_view value);
  void TakeSpline(std::int32_t code, std::string_view value);
  void TakeLeader(std::int32_t code, std::string_view value);
  void TakeDimension(std::int32_t code, std::string_view value);
  // Starts the kinds drawn besides lines, arcs, circles, polylines and texts; false for
  // other words.
  bool StartFurtherEntity(Word word, bool inBlock, const std::string& bname);
  // Offers the pair to an open record of those kinds; false when none is open.
  bool OfferFurtherEntity(std::int32_t code, std::string_view value);
  bool OfferFurtherEntityStrict(std::int32_t code, std::string_view value);

  // Appends a vertex with x from the value; returns its index.
  std::size_t AppendVertex(std::vector<TLwpEle>& ary, int ihand, std::string_view x);
  bool TakeStyle(std::string* ltype, std::string& layer, SmallInt& color, std::int32_t code,
                 std::string_view value);
  std::size_t NextCapacity(std::size_t size) const;
  void ResolveColor(SmallInt& color, const std::string& layer);
  void Upper(std::string& target, std::string_view raw) const;

  TDxfModel& m_;
  ValueDecoder& decoder_;
  LayerIndex layers_;
  std::string version_;
  std::size_t consumed_ = 0;
  std::size_t total_ = 0;

  bool inHeader_ = false;
  bool seenAcadVer_ = false;
  bool seenCodePage_ = false;  // the header variable $DWGCODEPAGE, whose group 3 follows
  bool inTable_ = false;
  bool inLayerTable_ = false;
  bool inLayerEntry_ = false;
  std::size_t layerEntry_ = 0;  // the open layer entry (LayerColor may append after it)
  bool inViewTable_ = false;
  bool inViewEntry_ = false;
  bool inBlocks_ = false;
  bool inBlockHeader_ = false;
  bool inBlockDef_ = false;
  bool inEntities_ = false;

  OpenRecord<TAcadLineBlk> line_;
  OpenRecord<TCircleBlk> circle_;
  OpenRecord<TArcBlk> arc_;
  OpenRecord<TLwpBlk> lwp_;
  OpenRecord<TLwpBlk> polyline_;  // POLYLINE header
  OpenRecord<TTextBlk> text_;
  OpenRecord<TInsertBlk> insert_;
  OpenRecord<TFaceBlk> face_;
  OpenRecord<TEllipseBlk> ellipse_;
  OpenRecord<TSolidBlk> solid_;
  OpenRecord<TPointBlk> point_;
  OpenRecord<THatchBlk> hatch_;
  OpenRecord<TSplineBlk> spline_;
  OpenRecord<TLeaderBlk> leader_;
  OpenRecord<TInsertBlk> dimension_;
  HatchBoundary hatchBoundary_;
  std::string headerVariable_;  // the last group 9 of the HEADER section
  bool textChunked_ = false;  // the open text's last string group was a group 3 chunk
  bool textEmbedded_ = false;  // past the open text's group 101 (embedded object data)
  bool inVertices_ = false;  // the VERTEX sequence of polyline_

  // Vertex array and polyline the current polyline's vertices go to; the last vertex taken
  // for it, so that 20/30/42 never land on another polyline's vertex.
  std::vector<TLwpEle>* lwpVertices_ = nullptr;
  std::vector<TLwpEle>* polyVertices_ = nullptr;
  std::size_t lwpLastVertex_ = SIZE_MAX;
  std::size_t polyLastVertex_ = SIZE_MAX;
};

}  // namespace zr::dxf
