#include "drawing/DxfReader.h"

#include <algorithm>

#include "text/AnsiCodePage.h"
#include "text/Utf.h"

namespace zr::dxf {
namespace {

constexpr std::size_t kNone = SIZE_MAX;

}  // namespace

void ValueDecoder::Assign(std::string& target, std::string_view raw) const {
  if (utf8_) {
    if (text::IsValidUtf8(raw)) {
      target.assign(raw);
    } else {
      target = text::SanitizeUtf8(raw);
    }
  } else if (text::IsAscii(raw)) {
    target.assign(raw);
  } else if (raw.size() > kRecentBytes) {
    target = text::CodePageToUtf8(codePage_, raw);
  } else {
    for (const Recent& r : recent_) {
      if (r.raw == raw) {
        target.assign(r.text);
        return;
      }
    }
    Recent& r = recent_[nextRecent_];
    nextRecent_ = (nextRecent_ + 1) % kRecent;
    r.text = text::CodePageToUtf8(codePage_, raw);
    r.raw.assign(raw);
    target.assign(r.text);
  }
}

unsigned CodePageOfName(std::string_view name) {
  static constexpr unsigned kAnsiCodePages[] = {874,  932,  936,  949,  950,  1250, 1251,
                                                1252, 1253, 1254, 1255, 1256, 1257, 1258};
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  std::size_t digits = name.size();
  while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
  const std::string_view number = name.substr(digits);
  unsigned codePage = 0;
  if (number.empty() || number.size() > 4) return 0;
  for (const char c : number) codePage = codePage * 10 + static_cast<unsigned>(c - '0');
  for (const unsigned known : kAnsiCodePages) {
    if (codePage == known) return codePage;
  }
  return 0;
}

std::string ValueDecoder::Decode(std::string_view raw) const {
  std::string out;
  Assign(out, raw);
  return out;
}

SmallInt LayerIndex::Color(const std::string& name) {
  std::vector<TLayer>& layers = model_.LayerAry;
  if (stale_) {
    first_.clear();
    for (std::size_t i = 0; i < layers.size(); ++i) first_.try_emplace(layers[i].Name, i);
    stale_ = false;
  }
  const auto found = first_.find(name);
  if (found != first_.end()) return layers[found->second].color;
  TLayer& added = layers.emplace_back();
  added.Name = name;
  first_.emplace(name, layers.size() - 1);
  return added.color;
}

void DxfReader::Take(std::int32_t code, std::string_view value) {
  const Word word = (code == 0 || code == 2) ? Classify(value) : Word::Other;
  if (inHeader_) {
    TakeHeader(code, value);
  } else if (code == 2 && word == Word::Header) {
    inHeader_ = true;
  }
  if (inLayerTable_) TakeLayerTable(code, value, word);
  if (inViewTable_) TakeViewTable(code, value, word);
  if (inTable_ && code == 2) {
    if (word == Word::Layer) {
      inLayerTable_ = true;
    } else if (word == Word::View) {
      inViewTable_ = true;
    }
  }
  if (code == 0) {
    // The end of a block or section ends its last entity as any next entity would.
    if ((word == Word::EndBlk || word == Word::EndSec) && (inBlockDef_ || inEntities_)) {
      CloseOpenEntity(value, word);
    }
    TakeStructure(word);
  }
  if (inBlockHeader_) TakeBlockHeader(code, value);
  if (inBlockDef_ || inEntities_) TakeEntity(code, value, word);
  if (inBlocks_ && code == 0 && word == Word::Block) {
    Append(m_.BlockAry);
    inBlockHeader_ = true;
  }
  if (code == 2) {
    if (!inBlocks_ && word == Word::Blocks) {
      inBlocks_ = true;
    } else if (!inEntities_ && word == Word::Entities) {
      inEntities_ = true;
    }
  }
}

// The HEADER section. The version is the group 1 after "$ACADVER"; from AC1021 on, strings
// are UTF-8. Before, they are written in the code page that the group 3 after $DWGCODEPAGE
// names, and string values after it (tables, blocks, entities) are decoded with it.
void DxfReader::TakeHeader(std::int32_t code, std::string_view value) {
  if (version_.empty()) {
    if (seenAcadVer_) {
      if (code == 1) {
        version_ = decoder_.Decode(value);
        if (version_ >= "AC1021") decoder_.SetUtf8(true);
      }
    } else if (code == 9 && value == "$ACADVER") {
      seenAcadVer_ = true;
    }
  }
  if (code == 9) {
    seenCodePage_ = value == "$DWGCODEPAGE";
    headerVariable_.assign(value);
  } else if (code == 40 && (headerVariable_ == "$DIMASZ" || headerVariable_ == "$DIMSCALE")) {
    // Only the leaders' arrowheads use these; a value that is no number is passed over.
    const std::optional<double> number = ParseReal(value);
    if (number && *number > 0.0) (headerVariable_ == "$DIMASZ" ? m_.DimAsz : m_.DimScale) = *number;
  } else if (seenCodePage_ && code == 3) {
    decoder_.SetCodePage(CodePageOfName(value));
    seenCodePage_ = false;
  }
}

void DxfReader::TakeLayerTable(std::int32_t code, std::string_view value, Word word) {
  if (inLayerEntry_) {
    TLayer& layer = m_.LayerAry[layerEntry_];
    switch (code) {
      case 0: inLayerEntry_ = false; break;
      case 2: decoder_.Assign(layer.Name, value); layers_.Invalidate(); break;
      case 6: Upper(layer.ltype, value); break;
      case 62: layer.color = SmallValue(value); break;
      case 70: layer.code70 = SmallValue(value); break;
      default: break;
    }
  }
  if (code != 0) return;
  if (word == Word::EndTab) {
    inTable_ = inLayerTable_ = inLayerEntry_ = false;
  } else if (word == Word::Layer) {
    m_.LayerAry.emplace_back();  // colour 7, flags 0, "CONTINUOUS", visible, no name yet
    layerEntry_ = m_.LayerAry.size() - 1;
    inLayerEntry_ = true;
    layers_.Invalidate();
  }
}

void DxfReader::TakeViewTable(std::int32_t code, std::string_view value, Word word) {
  if (inViewEntry_) {
    TViewTbl& view = m_.ViewAry.back();
    switch (code) {
      case 0: inViewEntry_ = false; break;
      case 2: decoder_.Assign(view.name, value); break;
      case 10: view.center.x = RealValue(value); break;
      case 20: view.center.y = RealValue(value); break;
      case 40: view.height = RealValue(value); break;
      case 41: view.width = RealValue(value); break;
      case 70: view.code70 = SmallValue(value); break;
      default: break;
    }
  }
  if (code != 0) return;
  if (word == Word::EndTab) {
    inViewTable_ = inViewEntry_ = false;
  } else if (word == Word::View) {
    m_.ViewAry.emplace_back();
    inViewEntry_ = true;
  }
}

void DxfReader::TakeStructure(Word word) {
  switch (word) {
    case Word::Table:
      inTable_ = true;
      break;
    case Word::EndBlk:
      inBlockDef_ = false;
      break;
    case Word::EndSec:
      inHeader_ = inBlocks_ = inViewEntry_ = inBlockDef_ = inEntities_ = false;
      break;
    default:
      break;
  }
}

void DxfReader::TakeBlockHeader(std::int32_t code, std::string_view value) {
  TBlockBlk& block = m_.BlockAry.back();
  switch (code) {
    case 0:
      inBlockHeader_ = false;
      inBlockDef_ = true;
      break;
    case 2: decoder_.Assign(block.name, value); break;
    case 6: Upper(block.ltype, value); break;
    case 8: decoder_.Assign(block.layer, value); break;
    default: TakeCoord(block.base, 10, code, value); break;
  }
}

void DxfReader::TakeEntity(std::int32_t code, std::string_view value, Word word) {
  OfferOpenEntity(code, value, word);
  if (inVertices_) TakeVertexSequence(code, value, word);
  if (code == 0) StartEntity(word);
}

// Only the first open kind, in this order, takes the pair.
void DxfReader::OfferOpenEntity(std::int32_t code, std::string_view value, Word word) {
  if (line_.open) {
    TakeLine(code, value);
  } else if (circle_.open) {
    TakeCircle(code, value);
  } else if (arc_.open) {
    TakeArc(code, value);
  } else if (lwp_.open) {
    TakeLwPolyline(code, value);
  } else if (polyline_.open) {
    TakePolylineHeader(code, value, word);
  } else if (text_.open) {
    TakeText(code, value);
  } else if (insert_.open) {
    if (insert_.ary == &m_.BlkInsertAry) {
      // Inserts nested in blocks were once passed over whole; they still never end a read.
      try {
        TakeInsert(code, value);
      } catch (const ConversionFailure&) {
      }
    } else {
      TakeInsert(code, value);
    }
  } else if (face_.open) {
    TakeFace(code, value);
  } else if (ellipse_.open) {
    TakeEllipse(code, value);
  } else {
    OfferFurtherEntity(code, value);
  }
}

// A group 0 that ends the block or section: the open entity closes as at any group 0, and a
// polyline header or vertex sequence left open (no SEQEND) ends with it.
void DxfReader::CloseOpenEntity(std::string_view value, Word word) {
  OfferOpenEntity(0, value, word);
  polyline_.open = inVertices_ = false;
}

void DxfReader::TakeVertexSequence(std::int32_t code, std::string_view value, Word word) {
  if (code == 0) {
    if (word == Word::SeqEnd) polyline_.open = inVertices_ = false;
    return;
  }
  if (code == 10) {
    polyLastVertex_ = AppendVertex(*polyVertices_, polyline_.Get().ihand, value);
    return;
  }
  if (code == 40 || code == 41) {
    // Widths, read since they are drawn: a value that is no number is passed over.
    if (polyLastVertex_ == kNone) return;
    TLwpEle& vertex = (*polyVertices_)[polyLastVertex_];
    (code == 40 ? vertex.code40 : vertex.code41) = ParseReal(value).value_or(0.0);
    return;
  }
  if (code != 20 && code != 30 && code != 42) return;
  const double number = RealValue(value);
  if (polyLastVertex_ == kNone) return;  // no vertex of this polyline yet
  TLwpEle& vertex = (*polyVertices_)[polyLastVertex_];
  switch (code) {
    case 20: vertex.code10.y = number; break;
    case 30: vertex.code10.z = number; break;
    default: vertex.code42 = number; break;
  }
}

std::size_t DxfReader::AppendVertex(std::vector<TLwpEle>& ary, int ihand,
                                    std::string_view x) {
  const double number = RealValue(x);
  TLwpEle& vertex = Append(ary);
  vertex.ihand = ihand;
  vertex.code10.x = number;
  return ary.size() - 1;
}

std::size_t DxfReader::NextCapacity(std::size_t size) const {
  const std::size_t doubled = 2 * size + 8;
  if (consumed_ == 0 || consumed_ >= total_) return doubled;
  const double predicted = static_cast<double>(size) * static_cast<double>(total_) /
                               static_cast<double>(consumed_) * 1.05 + 8.0;
  const std::size_t least = size + size / 8 + 8;
  // Until a sixty-fourth of the file has been read the estimate is too rough: doubling. From
  // then on it is trusted (it is then at most 67 times the size): the array reaches its final
  // size in one step, instead of a few, each of which touched fresh memory and left the old
  // behind (a first read's time goes mostly to touching fresh pages). Room reserved but never
  // filled is never touched.
  const std::size_t estimate = std::max(least, static_cast<std::size_t>(predicted));
  return consumed_ < total_ / 64 ? std::min(doubled, estimate) : estimate;
}

void DxfReader::ResolveColor(SmallInt& color, const std::string& layer) {
  if (color == kColorByLayer) color = layers_.Color(layer);
}

// Line type names are kept in upper case (ASCII letters only).
void DxfReader::Upper(std::string& target, std::string_view raw) const {
  decoder_.Assign(target, raw);
  for (char& c : target) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

}  // namespace zr::dxf
