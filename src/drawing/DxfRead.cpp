#include "drawing/DxfRead.h"

#include <exception>
#include <fstream>
#include <memory>
#include <optional>

#include "drawing/DxfPairs.h"
#include "drawing/DxfReader.h"
#include "text/TextFile.h"

namespace zr {
namespace {

constexpr int kProgressMax = 50;

// The bytes of the file last read. Its memory is kept for the next read (drawings are read
// one after the other, page after page) unless it grew past kKeptBytes.
class FileBuffer {
 public:
  static constexpr std::size_t kKeptBytes = 256u << 20;

  // The whole file, or nothing when it cannot be opened or read.
  std::optional<std::string_view> Load(const std::string& path) {
    std::ifstream in(text::PathFromUtf8(path), std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) return std::nullopt;
    const auto length = static_cast<std::size_t>(size);
    if (length > capacity_) {
      data_.reset();  // no old and new buffer at once
      data_ = std::make_unique_for_overwrite<char[]>(length);
      capacity_ = length;
    }
    in.seekg(0, std::ios::beg);
    if (length > 0 && !in.read(data_.get(), size)) return std::nullopt;
    return std::string_view(data_.get(), length);
  }

  void Trim() {
    if (capacity_ <= kKeptBytes) return;
    data_.reset();
    capacity_ = 0;
  }

 private:
  std::unique_ptr<char[]> data_;
  std::size_t capacity_ = 0;
};

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

// Runs the reader over the pairs of the text up to "0/EOF"; stops at the first bad pair.
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
      reader.SetExtent(pairs.Offset(), text.size());
      const std::optional<std::int32_t> code = dxf::ParseGroupCode(pair.codeText);
      if (!code) throw dxf::ConversionFailure{};
      reader.Take(*code, pair.value);
      // The drawing ends here; whatever follows (some writers leave trash) is no part of it.
      if (*code == 0 && pair.value == "EOF") break;
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
  thread_local FileBuffer buffer;
  std::optional<std::string_view> bytes;
  try {
    bytes = buffer.Load(FileName);
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
  buffer.Trim();
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
