#pragma once
// A canvas for native tests: records every drawing operation with its pixel coordinates and
// the pen, brush and font state it ran with. Text width is deterministic: UTF-16 units times
// the font's width (half its height when the width is 0).
#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "drawing/Canvas.h"
#include "text/Utf.h"

namespace zr::testing {

enum class OpKind { Line, Arc, Rectangle, FillRect, Text, Polygon };

struct DrawOp {
  OpKind kind = OpKind::Line;
  int v[8] = {};  // Line: x1 y1 x2 y2; Arc: the eight arguments; rectangles: x1 y1 x2 y2;
                  // Text: x y
  std::string text;
  std::vector<int> xy, rings;  // Polygon: the corners and the corner count of each ring
  TColor pen = 0;
  TColor brush = 0;
  BrushStyle brushStyle = BrushStyle::Solid;
  TColor fontColor = 0;
  TLogFont font;
};

class RecordingCanvas : public ICanvas {
 public:
  RecordingCanvas(int width, int height, std::string face = "TestFace")
      : width_(width), height_(height) {
    base_.height = 12;
    base_.faceName = std::move(face);
  }

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void MoveTo(int x, int y) override {
    penX_ = x;
    penY_ = y;
  }
  void LineTo(int x, int y) override {
    Record(OpKind::Line, {penX_, penY_, x, y});
    penX_ = x;
    penY_ = y;
  }
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override {
    Record(OpKind::Arc, {x1, y1, x2, y2, x3, y3, x4, y4});
  }
  void Rectangle(int x1, int y1, int x2, int y2) override {
    Record(OpKind::Rectangle, {x1, y1, x2, y2});
  }
  void PolyPolygon(const std::vector<int>& xy, const std::vector<int>& ringSizes) override {
    // As strict as the window system: each ring has at least two corners and together they
    // use every pair of xy.
    long long corners = 0;
    for (const int n : ringSizes) {
      if (n < 2) throw std::invalid_argument("PolyPolygon: ring of fewer than two corners");
      corners += n;
    }
    if (ringSizes.empty() || corners * 2 != static_cast<long long>(xy.size())) {
      throw std::invalid_argument("PolyPolygon: corner counts do not match the points");
    }
    DrawOp& op = Record(OpKind::Polygon, {});
    op.xy = xy;
    op.rings = ringSizes;
  }
  void FillRect(int x1, int y1, int x2, int y2) override {
    Record(OpKind::FillRect, {x1, y1, x2, y2});
  }
  void TextOut(int x, int y, const std::string& text) override {
    Record(OpKind::Text, {x, y}).text = text;
  }
  int TextWidth(const std::string& text) override {
    const TLogFont& f = CurrentFont();
    const int perChar = f.width > 0 ? f.width : std::max(1, f.height / 2);
    return static_cast<int>(text::Utf16Length(text)) * perChar;
  }

  void SetPenColor(TColor color) override { pen_ = color; }
  void SetBrushColor(TColor color) override { brush_ = color; }
  void SetBrushStyle(BrushStyle style) override { brushStyle_ = style; }
  void SetFontColor(TColor color) override { fontColor_ = color; }

  void PushFont(const TLogFont& font) override {
    fonts_.push_back(font);
    ++pushes_;
  }
  void PopFont() override {
    if (!fonts_.empty()) fonts_.pop_back();
  }
  std::string FontFaceName() const override { return CurrentFont().faceName; }

  const TLogFont& CurrentFont() const { return fonts_.empty() ? base_ : fonts_.back(); }
  int FontDepth() const { return static_cast<int>(fonts_.size()); }
  int FontPushes() const { return pushes_; }
  TColor Pen() const { return pen_; }
  TColor Brush() const { return brush_; }
  BrushStyle Style() const { return brushStyle_; }

  const std::vector<DrawOp>& Ops() const { return ops_; }
  std::vector<DrawOp> OpsOf(OpKind kind) const {
    std::vector<DrawOp> out;
    for (const DrawOp& op : ops_) {
      if (op.kind == kind) out.push_back(op);
    }
    return out;
  }
  void ClearOps() { ops_.clear(); }

 private:
  DrawOp& Record(OpKind kind, std::initializer_list<int> values) {
    DrawOp& op = ops_.emplace_back();
    op.kind = kind;
    std::copy(values.begin(), values.end(), op.v);
    op.pen = pen_;
    op.brush = brush_;
    op.brushStyle = brushStyle_;
    op.fontColor = fontColor_;
    op.font = CurrentFont();
    return op;
  }

  int width_;
  int height_;
  int penX_ = 0;
  int penY_ = 0;
  TColor pen_ = 0;
  TColor brush_ = 0x00FFFFFF;
  BrushStyle brushStyle_ = BrushStyle::Solid;
  TColor fontColor_ = 0;
  TLogFont base_;
  std::vector<TLogFont> fonts_;
  int pushes_ = 0;
  std::vector<DrawOp> ops_;
};

}  // namespace zr::testing
