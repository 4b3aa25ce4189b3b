#include "drawing/DxfRead.h"

#include <exception>
#include <optional>

#include "drawing/DxfPairs.h"
#include "drawing/DxfReader.h"
#include "text/TextFile.h"

namespace zr {
namespace {

constexpr int kProgressMax = 50;

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

// Runs the reader over every pair of the text; stops at the first bad pair.
void ReadPairs(TDxfModel& model, std::string_view text, dxf::ValueDecoder& decoder,
               IProgressBar* Bar, IMessageOwner* Wnd, std::string& ErrMsg,
               std::string& AcadVer) {
  std::size_t step = 1;
  int position = 0;
  if (Bar != nullptr) {
    Bar->SetPosition(0);
    Bar->SetMax(kProgressMax);
    step = dxf::CountLines(text) / 100 + 1;
  }
  dxf::DxfReader reader(model, decoder);
  dxf::PairCursor pairs(text);
  dxf::Pair pair;
  std::size_t index = 0;
  try {
    while (pairs.Next(pair)) {
      if (Bar != nullptr && index % step == 0) Bar->SetPosition(++position);
      ++index;
      const std::optional<std::int32_t> code = dxf::ParseGroupCode(pair.codeText);
      if (!code) throw dxf::ConversionFailure{};
      reader.Take(*code, pair.value);
    }
  } catch (const dxf::ConversionFailure&) {
    ReportBadPair(pair, decoder, Wnd, ErrMsg);
  }
  AcadVer = reader.Version();
}

}  // namespace

void DxfReadFromBytes(TDxfModel& model, std::string_view bytes, IProgressBar* Bar,
                      IMessageOwner* Wnd, std::string& ErrMsg, std::string& AcadVer) {
  StartRead(model, ErrMsg, AcadVer);
  dxf::ValueDecoder decoder;
  std::string converted;
  std::string_view text = bytes;
  // A byte-order mark chooses the encoding of the whole file.
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    text.remove_prefix(3);
    decoder.SetUtf8(true);
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    converted = text::DecodeText(bytes);
    text = converted;
    decoder.SetUtf8(true);
  }
  ReadPairs(model, text, decoder, Bar, Wnd, ErrMsg, AcadVer);
  EndRead(model, Bar);
}

void DxfRead(TDxfModel& model, const std::string& FileName, IProgressBar* Bar,
             IMessageOwner* Wnd, std::string& ErrMsg, std::string& AcadVer) {
  StartRead(model, ErrMsg, AcadVer);
  if (!text::FileExists(FileName)) {
    EndRead(model, Bar);
    return;
  }
  std::optional<std::string> bytes;
  try {
    bytes = text::ReadFileBytes(FileName);
  } catch (const std::exception&) {
    bytes.reset();  // too large to hold, or a read error: reported like a file in use
  }
  if (!bytes) {
    ErrMsg = kDxfBusyError;
    if (Wnd != nullptr) Wnd->ShowMessage(kDxfBusyMessage, kDxfMessageCaption);
    EndRead(model, Bar);
    return;
  }
  DxfReadFromBytes(model, *bytes, Bar, Wnd, ErrMsg, AcadVer);
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
