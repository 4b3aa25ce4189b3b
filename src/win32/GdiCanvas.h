#pragma once
// The real drawing surface: ICanvas over a GDI device context. One-pixel solid pens, solid or
// hollow brushes, fonts created from a TLogFont and restored in stack order. Every GDI object
// it creates is owned and deleted by it, and every selection is undone by the destructor.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "drawing/Canvas.h"
#include "win32/UniqueHandle.h"

namespace zr::win32 {

class GdiCanvas : public ICanvas {
 public:
  // Draws into dc (not owned), whose drawable area is width x height pixels.
  GdiCanvas(HDC dc, int width, int height);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void PolyPolygon(const std::vector<int>& xy, const std::vector<int>& ringSizes) override;
  void FillRect(int x1, int y1, int x2, int y2) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;

  void SetPenColor(TColor color) override;
  void SetBrushColor(TColor color) override;
  void SetBrushStyle(BrushStyle style) override;
  void SetFontColor(TColor color) override;

  void PushFont(const TLogFont& font) override;
  void PopFont() override;
  std::string FontFaceName() const override;

  HDC DeviceContext() const { return dc_; }
  int FontDepth() const { return static_cast<int>(fonts_.size()); }

 protected:
  // Makes font the canvas's base font (owned, selected until the canvas is released).
  void SetBaseFont(UniqueFont font);
  // Pops every pushed font, puts back the objects the device context held before and deletes
  // the canvas's own; the canvas draws nothing afterwards. Derived classes that own the device
  // context call it before they delete it.
  void Release();

 private:
  struct PushedFont {
    UniqueFont font;
    HGDIOBJ previous;
  };

  void SelectPen();
  void SelectBrush();

  HDC dc_;
  int width_;
  int height_;
  TColor penColor_ = 0;
  TColor brushColor_ = 0x00FFFFFF;
  BrushStyle brushStyle_ = BrushStyle::Solid;
  UniquePen pen_;
  UniqueBrush brush_;
  UniqueFont baseFont_;
  // Objects the device context held before this canvas selected its own.
  HGDIOBJ originalPen_ = nullptr;
  HGDIOBJ originalBrush_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;
  std::vector<PushedFont> fonts_;
};

// A 32-bit DIB section in a memory DC, with a GdiCanvas over it. Starts black, font face
// "ＭＳ Ｐゴシック" (a TrueType face, so that escapement works and Japanese renders).
class BitmapCanvas : public GdiCanvas {
 public:
  BitmapCanvas(int width, int height);
  ~BitmapCanvas() override;

  HDC Dc() const { return DeviceContext(); }
  HBITMAP Bitmap() const { return bitmap_.get(); }
  // 0x00BBGGRR; 0 outside the bitmap.
  TColor PixelAt(int x, int y) const;
  // Writes a 24-bit Windows bitmap file; false when the file cannot be written.
  bool SaveBmp(const std::string& path) const;

 private:
  struct Surface {
    UniqueMemoryDc dc;
    UniqueBitmap bitmap;
    const std::uint32_t* bits = nullptr;
  };
  static Surface MakeSurface(int width, int height);
  BitmapCanvas(Surface surface, int width, int height);

  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ originalBitmap_ = nullptr;
  const std::uint32_t* bits_ = nullptr;
};

}  // namespace zr::win32
