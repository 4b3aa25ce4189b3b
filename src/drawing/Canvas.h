#pragma once
// The drawing surface of a slot picture. The renderer draws through this interface only;
// the GDI implementation lives in src/win32/, a recording one in the tests.
#include <string>
#include <vector>

#include "drawing/EntityModel.h"

namespace zr {

enum class BrushStyle { Solid, Clear };

// A logical font as the window system describes one.
struct TLogFont {
  int height = 0;       // positive: cell height in pixels
  int width = 0;        // average character width, 0 = default
  int escapement = 0;   // tenths of a degree, counter-clockwise
  int orientation = 0;
  int weight = 0;       // 0 = default
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int charSet = 1;      // DEFAULT_CHARSET
  int outPrecision = 0;
  int clipPrecision = 0;
  int quality = 0;
  int pitchAndFamily = 0;
  std::string faceName;  // UTF-8
};

class ICanvas {
 public:
  virtual ~ICanvas() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void MoveTo(int x, int y) = 0;
  // A line from the pen position to (x, y), excluding the end pixel; the pen moves there.
  virtual void LineTo(int x, int y) = 0;
  // Elliptic arc in the box (x1, y1)-(x2, y2), counter-clockwise from the radial point
  // (x3, y3) to (x4, y4); a whole ellipse when the two radial points coincide.
  virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
  // Rectangle filled with the brush and outlined with the pen, right and bottom exclusive.
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  // Polygons filled with the brush and outlined with the pen: ringSizes[i] corners each,
  // taken in turn from xy (x, y pairs). Where rings overlap an even number of times stays
  // unfilled, so an inner ring is a hole.
  virtual void PolyPolygon(const std::vector<int>& xy, const std::vector<int>& ringSizes) = 0;
  // Fills the rectangle with the brush, no outline.
  virtual void FillRect(int x1, int y1, int x2, int y2) = 0;
  // Text with its top-left corner at (x, y), in the current font and font colour.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual int TextWidth(const std::string& text) = 0;

  virtual void SetPenColor(TColor color) = 0;
  virtual void SetBrushColor(TColor color) = 0;
  virtual void SetBrushStyle(BrushStyle style) = 0;
  virtual void SetFontColor(TColor color) = 0;

  // Creates the font and selects it; PopFont re-selects the previous one and deletes it.
  virtual void PushFont(const TLogFont& font) = 0;
  virtual void PopFont() = 0;
  virtual std::string FontFaceName() const = 0;
};

}  // namespace zr
