// Feeds arbitrary bytes to the DXF reader, with a progress indicator and a message owner, and
// checks what must hold after every read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/DrawingExpansion.h"
#include "drawing/DxfFilePairs.h"
#include "drawing/DxfPairs.h"
#include "drawing/DxfRead.h"
#include "drawing/Extents.h"
#include "drawing/PolyToLineArc.h"
#include "drawing/SlotRecord.h"
#include "drawing/SlotThumbnail.h"
#include "text/Utf.h"

namespace {

struct Bar : zr::IProgressBar {
  void SetMax(int m) override { max = m; }
  void SetPosition(int p) override {
    if (p < 0 || p > max + 1) std::abort();  // at most one step past the maximum rounding
    position = p;
  }
  int max = 0;
  int position = 0;
};

struct Owner : zr::IMessageOwner {
  void ShowMessage(const std::string& text, const std::string& caption) override {
    if (caption != "DxfRead" || !zr::text::IsValidUtf8(text)) std::abort();
    ++shown;
  }
  int shown = 0;
};

void Check(bool condition) {
  if (!condition) std::abort();
}

// A canvas that draws nothing but refuses what the window system would refuse.
struct NullCanvas : zr::ICanvas {
  int Width() const override { return 106; }
  int Height() const override { return 106; }
  void MoveTo(int, int) override {}
  void LineTo(int, int) override { ++ops; }
  void Arc(int, int, int, int, int, int, int, int) override { ++ops; }
  void Rectangle(int, int, int, int) override { ++ops; }
  void PolyPolygon(const std::vector<int>& xy, const std::vector<int>& rings) override {
    std::size_t corners = 0;
    for (const int n : rings) {
      Check(n >= 2);
      corners += static_cast<std::size_t>(n);
    }
    Check(!rings.empty() && corners * 2 == xy.size());
    ++ops;
  }
  void FillRect(int, int, int, int) override { ++ops; }
  void TextOut(int, int, const std::string& text) override {
    Check(zr::text::IsValidUtf8(text));
    ++ops;
  }
  int TextWidth(const std::string& text) override { return static_cast<int>(text.size()); }
  void SetPenColor(zr::TColor) override {}
  void SetBrushColor(zr::TColor) override {}
  void SetBrushStyle(zr::BrushStyle) override {}
  void SetFontColor(zr::TColor) override {}
  void PushFont(const zr::TLogFont&) override {}
  void PopFont() override {}
  std::string FontFaceName() const override { return "F"; }
  std::size_t ops = 0;
};

// The thumbnail of what was read: the drawing pass stays within its budget and every
// shape's rings use its points exactly.
void CheckDrawing(zr::TDxfModel& model) {
  zr::TSlotState state;
  NullCanvas canvas;
  const std::size_t shapesBefore = model.ShapeAry.size();
  Check(shapesBefore == 0);
  zr::DrawSlotModel(model, state, canvas, 0, true, 0.5, 0x0000FF);
  Check(canvas.ops <= 4 * zr::kDrawingBudget + 1000);
  for (const zr::TShapeBlk& s : model.ShapeAry) {
    if (s.kind != zr::ShapeKind::Fill) continue;
    std::size_t corners = 0;
    for (const int n : s.rings) corners += static_cast<std::size_t>(n);
    Check(corners == s.pts.size());
  }
}

// A file read piece by piece (a piece size taken from the input) gives the pairs of the
// whole text, line numbers and all.
void CheckPiecesGiveTheSamePairs(std::string_view bytes) {
  const std::size_t piece = bytes.empty() ? 1 : static_cast<unsigned char>(bytes[0]) % 16 + 1;
  std::istringstream in{std::string(bytes)};
  std::string buffer;
  zr::dxf::FilePairs pieces(in, buffer, piece);
  zr::dxf::PairCursor whole(bytes);
  zr::dxf::Pair a, b;
  for (;;) {
    const bool more = whole.Next(a);
    Check(pieces.Next(b) == more);
    if (!more) break;
    Check(a.codeText == b.codeText && a.value == b.value && a.codeLine == b.codeLine &&
          a.valueLine == b.valueLine);
  }
}

// Every line read as a real gives, bit for bit, what the full conversion gives.
void CheckRealsAsFullConversion(std::string_view bytes) {
  zr::dxf::LineCursor lines(bytes);
  std::string_view line;
  while (lines.Next(line)) {
    const std::optional<double> quick = zr::dxf::ParseReal(line);
    const std::optional<double> full = zr::dxf::ParseRealFully(line);
    Check(quick.has_value() == full.has_value());
    Check(!quick || std::memcmp(&*quick, &*full, sizeof(double)) == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The program's own model, reused from read to read as the palette does.
  zr::TDxfModel& model = zr::Model();
  std::string err, ver;
  Bar bar;
  Owner owner;
  zr::DxfReadFromBytes(model, std::string_view(reinterpret_cast<const char*>(data), size), &bar,
                       &owner, err, ver);
  Check(!model.LayerAry.empty());
  Check(bar.position == 0);
  Check(owner.shown == (err.empty() ? 0 : 1));
  Check(zr::text::IsValidUtf8(err) && zr::text::IsValidUtf8(ver));
  for (const auto* vertices : {&model.LwpEleAry, &model.BlkLwpEleAry}) {
    const auto& polylines = vertices == &model.LwpEleAry ? model.LwpAry : model.BlkLwpAry;
    int last = -1;
    for (const zr::TLwpEle& v : *vertices) {
      Check(v.ihand >= last && static_cast<std::size_t>(v.ihand) < polylines.size());
      last = v.ihand;
    }
  }
  for (const zr::TTextBlk& t : model.TextAry) Check(zr::text::IsValidUtf8(t.str));
  CheckPiecesGiveTheSamePairs(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckRealsAsFullConversion(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckDrawing(model);
  return 0;
}
