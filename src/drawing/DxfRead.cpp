#include "drawing/DxfRead.h"

#include <algorithm>
#include <exception>
#include <istream>
#include <memory>
#include <optional>

#include "drawing/DxfFilePairs.h"
#include "drawing/DxfPairs.h"
#include "drawing/DxfReader.h"
#include "text/SharedRead.h"
#include "text/TextFile.h"

namespace zr {
namespace {

constexpr int kProgressMax = 50;
// A file is read this much at a time; the buffer is kept for the next file unless a pair
// longer than a piece grew it past kKeptBytes.
constexpr std::size_t kPieceBytes = 1u << 20;
constexpr std::size_t kKeptBytes = 16u << 20;

void StartRead(TDxfModel& model, std::string& ErrMsg, std::string& AcadVer) {
  model.Clear();
  ErrMsg.clear();
  AcadVer.clear();
}

// Every read ends with at least one layer and the progress indicator back at 0.
void EndRead(TDxfModel& model, IProgressBar* Bar) {
  if (model.LayerAry.empty()) {
    TLayer& layer = model.LayerAry.emplace_back();
    layer.Name.assign(1, '0');
    layer.visible = false;  // only table entries and on-demand layers are marked visible
  }
  if (Bar != nullptr) Bar->SetPosition(0);
}

// The pair that could not be converted, by its line numbers and lines.
void ReportBadPair(const dxf::Pair& pair, const dxf::ValueDecoder& decoder,
                   IMessageOwner* Wnd, std::string& ErrMsg) {
  const std::string n1 = std::to_string(pair.codeLine);
  const std::string n2 = std::to_string(pair.valueLine);
  const std::string code = decoder.Decode(pair.codeText);
  const std::string value = decoder.Decode(pair.value);
  ErrMsg = n1 + ":" + code + "/" + n2 + ":" + value;
  if (Wnd != nullptr) {
    Wnd->ShowMessage(n1 + " : " + code + " / " + n2 + " : " + value, kDxfMessageCaption);
  }
}

// Sets the progress indicator up for the text; returns after how many pairs it moves on.
std::size_t StartProgress(IProgressBar* Bar, std::string_view text) {
  if (Bar == nullptr) return 1;
  Bar->SetPosition(0);
  Bar->SetMax(kProgressMax);
  return dxf::CountLines(text) / 100 + 1;
}

// Runs the reader over the pairs up to "0/EOF"; stops at the first bad pair. total is the
// number of bytes the pairs come from.
template <class Pairs>
void ReadPairs(TDxfModel& model, Pairs& pairs, std::size_t total, dxf::ValueDecoder& decoder,
               IProgressBar* Bar, std::size_t step, IMessageOwner* Wnd, std::string& ErrMsg,
               std::string& AcadVer) {
  int position = 0;
  dxf::DxfReader reader(model, decoder);
  dxf::Pair pair;
  std::size_t index = 0;
  try {
    while (pairs.Next(pair)) {
      if (Bar != nullptr && index % step == 0) Bar->SetPosition(++position);
      ++index;
      reader.SetExtent(pairs.Offset(), total);
      std::int32_t code = 0;
      if (!dxf::TakeGroupCode(pair.codeText, code)) throw dxf::ConversionFailure{};
      reader.Take(code, pair.value);
      // The drawing ends here; whatever follows (some writers leave trash) is no part of it.
      if (code == 0 && pair.value == "EOF") break;
    }
  } catch (const dxf::ConversionFailure&) {
    ReportBadPair(pair, decoder, Wnd, ErrMsg);
  }
  AcadVer = reader.Version();
}

// The pairs of bytes held in memory; a byte-order mark chooses the encoding of them all.
void ReadBytes(TDxfModel& model, std::string_view bytes, IProgressBar* Bar, IMessageOwner* Wnd,
               std::string& ErrMsg, std::string& AcadVer) {
  dxf::ValueDecoder decoder;
  std::string converted;
  std::string_view text = bytes;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    text.remove_prefix(3);
    decoder.SetUtf8(true);
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    converted = text::DecodeText(bytes);
    text = converted;
    decoder.SetUtf8(true);
  }
  const std::size_t step = StartProgress(Bar, text);
  dxf::PairCursor pairs(text);
  ReadPairs(model, pairs, text.size(), decoder, Bar, step, Wnd, ErrMsg, AcadVer);
}

// The pairs of an open file, read piece by piece. A UTF-16 file (converted as a whole) and a
// read with a progress indicator (which counts the lines first) take the file in one piece.
// False when the file could not be read.
bool ReadFile(TDxfModel& model, std::istream& in, IProgressBar* Bar, IMessageOwner* Wnd,
              std::string& ErrMsg, std::string& AcadVer) {
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return false;
  in.seekg(0, std::ios::beg);
  char head[3] = {};
  in.read(head, sizeof head);
  const std::string_view start(head, static_cast<std::size_t>(in.gcount()));
  in.clear();
  if (Bar != nullptr || start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.seekg(0, std::ios::beg);
    if (size > 0 && !in.read(bytes.data(), size)) return false;
    ReadBytes(model, bytes, Bar, Wnd, ErrMsg, AcadVer);
    return true;
  }
  dxf::ValueDecoder decoder;
  const bool bom = start == "\xEF\xBB\xBF";
  decoder.SetUtf8(bom);
  in.seekg(bom ? 3 : 0, std::ios::beg);
  thread_local std::string buffer;
  const std::size_t total = static_cast<std::size_t>(size) - (bom ? 3 : 0);
  // A file smaller than a piece is read in one go, into no more memory than it needs.
  dxf::FilePairs pairs(in, buffer, std::min(kPieceBytes, total + 1));
  ReadPairs(model, pairs, total, decoder, nullptr, 1, Wnd, ErrMsg, AcadVer);
  if (buffer.size() > kKeptBytes) std::string().swap(buffer);
  return !pairs.Failed();
}

}  // namespace

void DxfReadFromBytes(TDxfModel& model, std::string_view bytes, IProgressBar* Bar,
                      IMessageOwner* Wnd, std::string& ErrMsg, std::string& AcadVer) {
  StartRead(model, ErrMsg, AcadVer);
  ReadBytes(model, bytes, Bar, Wnd, ErrMsg, AcadVer);
  EndRead(model, Bar);
}

void DxfRead(TDxfModel& model, const std::string& FileName, IProgressBar* Bar,
             IMessageOwner* Wnd, std::string& ErrMsg, std::string& AcadVer) {
  StartRead(model, ErrMsg, AcadVer);
  if (!text::FileExists(FileName)) {
    EndRead(model, Bar);
    return;
  }
  bool read = false;
  try {
    // The keeper of the catalogue may replace the drawing meanwhile.
    const std::unique_ptr<std::istream> in = text::OpenSharedReading(FileName);
    read = in && ReadFile(model, *in, Bar, Wnd, ErrMsg, AcadVer);
  } catch (const std::exception&) {
    read = false;  // too large to hold, or a read error: reported like a file in use
  }
  if (!read) {
    StartRead(model, ErrMsg, AcadVer);  // nothing of a file that could not be read stays
    ErrMsg = kDxfBusyError;
    if (Wnd != nullptr) Wnd->ShowMessage(kDxfBusyMessage, kDxfMessageCaption);
  }
  EndRead(model, Bar);
}

SmallInt LayerColor(TDxfModel& model, const std::string& name) {
  for (const TLayer& layer : model.LayerAry) {
    if (layer.Name == name) return layer.color;
  }
  TLayer& added = model.LayerAry.emplace_back();
  added.Name = name;
  return added.color;
}

}  // namespace zr
