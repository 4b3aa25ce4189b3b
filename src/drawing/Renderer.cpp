#include "drawing/Renderer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "drawing/MText.h"
#include "drawing/PointMath.h"
#include "text/Utf.h"

namespace zr {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * kPi;
// The coordinate range the window system draws reliably.
constexpr double kPixelLimit = 134217727.0;  // 2^27 - 1
constexpr int kMinArcRadius = 2;
constexpr double kFarRadial = 4096.0;
constexpr int kMinTextHeight = 3;
constexpr int kFitJustify = 5;

double ReduceBelowTwoPi(double a) {
  if (!std::isfinite(a)) return a;
  if (a > 1e6) a = std::fmod(a, kTwoPi);
  while (a > kTwoPi) a -= kTwoPi;
  return a;
}

// Sweep of a counter-clockwise arc from a to b, in [0, 2π).
double Sweep(double a, double b) {
  double d = std::fmod(b - a, kTwoPi);
  if (d < 0) d += kTwoPi;
  return d;
}

TPixel RadialPoint(TPixel p, double angle, double radius) {
  return {p.x + RoundPixel(std::cos(angle) * radius), p.y + RoundPixel(-std::sin(angle) * radius)};
}

// Offset of a TEXT's or ATTRIB's cell corner from its anchor, hundredths of a pixel.
TAcadPoint PlainTextOffset(SmallInt code72, SmallInt code73, double w, double h) {
  double x = 0.0;
  if (code72 == 1 || code72 == 4) x = -w / 2;
  if (code72 == 2) x = -w;
  double y = h;
  switch (code73) {
    case 0: y = code72 == 4 ? h / 2 - 0.03 * h : 0.855 * h; break;
    case 1: y = 0.994 * h; break;
    case 2: y = h / 2 - 0.03 * h; break;
    case 3: y = 0.086 * h; break;
    default: break;
  }
  return {x, y, 0.0};
}

// Offset of an MTEXT's cell corner by its attachment point, hundredths of a pixel.
TAcadPoint MTextOffset(SmallInt code71, double w, double h) {
  double x = 0.0;
  if (code71 == 2 || code71 == 5 || code71 == 8) x = -w / 2;
  if (code71 == 3 || code71 == 6 || code71 == 9) x = -w;
  double y = 0.086 * h;
  if (code71 >= 4 && code71 <= 6) y = h / 2 - 0.03 * h;
  if (code71 >= 7 && code71 <= 9) y = 0.855 * h;
  return {x, y, 0.0};
}

}  // namespace

int RoundPixel(double v) {
  if (std::isnan(v)) return 0;
  if (v > kPixelLimit) return static_cast<int>(kPixelLimit);
  if (v < -kPixelLimit) return -static_cast<int>(kPixelLimit);
  return static_cast<int>(std::nearbyint(v));  // the default mode rounds halves to even
}

TPixel PictureCenter(const ICanvas& canvas) { return {canvas.Width() / 2, canvas.Height() / 2}; }

TPixel WorldToPixel(const TAcadPoint& r, TPixel center, double s) {
  return {center.x + RoundPixel(r.x / s), center.y + RoundPixel(-r.y / s)};
}

TAcadPoint PixelToWorld(TPixel pixel, TPixel center, double s) {
  return {(pixel.x - center.x) * s, -(pixel.y - center.y) * s, 0.0};
}

TPixel TransformToPixel(const TAcadPoint& p, TPixel center, double theta, double sx, double sy,
                        double s) {
  TAcadPoint r = RotatePoint(p, theta);
  r.x = r.x * sx;
  r.y = r.y * sy;
  return WorldToPixel(r, center, s);
}

void DrawLineEnt(ICanvas& canvas, TPixel center, const TAcadPoint& st, const TAcadPoint& ed,
                 double theta, double sx, double sy, double s) {
  const TPixel a = TransformToPixel(st, center, theta, sx, sy, s);
  const TPixel b = TransformToPixel(ed, center, theta, sx, sy, s);
  canvas.MoveTo(a.x, a.y);
  canvas.LineTo(b.x, b.y);
}

void DrawArcEnt(ICanvas& canvas, TPixel center, const TAcadPoint& c, double theta, double sx,
                double sy, double start, double end, double radius, double s) {
  const TPixel p = TransformToPixel(c, center, theta, sx, sy, s);
  const int r = RoundPixel(radius / s);
  double a = start + theta;
  double b = end + theta;
  if (sx < 0) {
    const double a2 = ReduceBelowTwoPi(3 * kPi - b);
    const double b2 = ReduceBelowTwoPi(3 * kPi - a);
    a = a2;
    b = b2;
  }
  if (sy < 0) {
    const double a0 = a;
    a = kTwoPi - b;
    b = kTwoPi - a0;
  }
  if (r < kMinArcRadius) return;

  TPixel from = RadialPoint(p, a, r);
  TPixel to = RadialPoint(p, b, r);
  // Coinciding radial points make a whole circle. For a real part-arc whose end directions
  // round to the same pixel, give the directions from points far out, where they differ and
  // keep their angles to a fraction of a degree; an arc too short even for that covers less
  // than a pixel and is left out.
  const double sweep = Sweep(a, b);
  if (from == to && sweep > 1e-9 && sweep < kTwoPi - 1e-9) {
    for (double far = std::max(2.0 * r, kFarRadial); from == to; far *= 2) {
      if (far > kPixelLimit / 4) return;
      from = RadialPoint(p, a, far);
      to = RadialPoint(p, b, far);
    }
  }
  canvas.Arc(p.x - r, p.y - r, p.x + r, p.y + r, from.x, from.y, to.x, to.y);
}

void DrawTextEnt(ICanvas& canvas, TPixel center, const TTextBlk& text, TColor color,
                 double thetaDeg, const TAcadPoint& pt11, const TAcadPoint& pt10, double s) {
  const bool mtext = text.code71 > 0;
  const bool fromPt10 =
      mtext || ((text.code72 == 0 || text.code72 == 3 || text.code72 == 5) && text.code73 == 0);
  const TAcadPoint& anchor = fromPt10 ? pt10 : pt11;

  const int height = RoundPixel(text.code40 / s * 1.3);
  if (height < kMinTextHeight) return;

  int width = 0;
  if (mtext) {
    width = RoundPixel(text.code40 / s * 1.3 * 0.51 * 0.8 * 0.75);
  } else if (text.code72 == kFitJustify) {
    const std::size_t chars = text::Utf16Length(text.str);
    if (chars == 0) return;  // nothing to fit
    width = RoundPixel(PointDist(pt10, pt11) / s * 1.3 * 0.8 / static_cast<double>(chars));
  } else {
    width = RoundPixel(text.code40 / s * 1.3 * 0.51 * text.code41 * 0.75);
  }

  TLogFont font;
  font.height = height;
  font.width = width;
  font.escapement = mtext ? 0 : RoundPixel((text.code50 + thetaDeg) * 10);
  font.charSet = 1;
  font.faceName = canvas.FontFaceName();
  canvas.PushFont(font);

  const double h = height * 100.0;
  TAcadPoint offset;
  if (mtext) {
    offset = MTextOffset(text.code71, RoundPixel(text.code41 / s * 1.3) * 100.0, h);
  } else {
    offset = PlainTextOffset(text.code72, text.code73, canvas.TextWidth(text.str) * 100.0, h);
  }
  offset = RotatePoint(offset, (text.code50 + thetaDeg) * kPi / 180.0);
  const TAcadPoint corner{anchor.x + offset.x / 100 * s, anchor.y + offset.y / 100 * s, 0.0};
  const TPixel px = WorldToPixel(corner, center, s);

  canvas.SetFontColor(color);
  canvas.SetBrushStyle(BrushStyle::Clear);
  if (mtext) {
    int y = px.y;
    const int step = RoundPixel(height * 1.2);
    for (const std::string& line : MTextPlainLines(text.str)) {
      canvas.TextOut(px.x, y, line);
      y += step;
    }
  } else {
    canvas.TextOut(px.x, px.y, text.str);
  }
  canvas.PopFont();
}

void DrawShapeEnt(ICanvas& canvas, TPixel center, const TShapeBlk& shape, const TAcadPoint& c,
                  double theta, double sx, double sy, double s, TColor color) {
  if (shape.pts.empty()) return;
  std::vector<TPixel> px;
  px.reserve(shape.pts.size());
  for (const TAcadPoint& p : shape.pts) {
    px.push_back(TransformToPixel(SubPoint(p, c), center, theta, sx, sy, s));
  }
  if (shape.kind == ShapeKind::Dot) {
    canvas.SetBrushStyle(BrushStyle::Solid);
    canvas.SetBrushColor(color);
    canvas.FillRect(px[0].x, px[0].y, px[0].x + 1, px[0].y + 1);
    return;
  }
  if (shape.kind == ShapeKind::Fill) {
    std::vector<int> xy;
    std::vector<int> rings;
    std::size_t at = 0;
    for (const int n : shape.rings) {
      const std::size_t count = static_cast<std::size_t>(n);
      if (at + count > px.size()) break;
      if (count >= 2) {
        for (std::size_t i = at; i < at + count; ++i) {
          xy.push_back(px[i].x);
          xy.push_back(px[i].y);
        }
        rings.push_back(n);
      }
      at += count;
    }
    if (rings.empty()) return;
    canvas.SetBrushStyle(BrushStyle::Solid);
    canvas.SetBrushColor(color);
    canvas.SetPenColor(color);
    canvas.PolyPolygon(xy, rings);
    return;
  }
  // An outline: consecutive points on the same pixel add nothing.
  canvas.MoveTo(px[0].x, px[0].y);
  TPixel last = px[0];
  bool drawn = false;
  for (std::size_t i = 1; i < px.size(); ++i) {
    if (px[i] == last) continue;
    canvas.LineTo(px[i].x, px[i].y);
    last = px[i];
    drawn = true;
  }
  if (!drawn) {
    canvas.LineTo(px[0].x + 1, px[0].y);  // a curve within one pixel still shows as one
  } else if (shape.closed && !(last == px[0])) {
    canvas.LineTo(px[0].x, px[0].y);
  }
}

void DrawMark(ICanvas& canvas, TPixel center, const TAcadPoint& p, double theta, double sx,
              double sy, TColor color, int k, double s) {
  const TPixel px = TransformToPixel(p, center, theta, sx, sy, s);
  // Filled whatever was drawn before: a text leaves the brush clear.
  canvas.SetBrushStyle(BrushStyle::Solid);
  canvas.SetBrushColor(color);
  canvas.SetPenColor(color);
  canvas.Rectangle(px.x - k, px.y - k, px.x + k + 1, px.y + k + 1);
}

void ClearImage(ICanvas& canvas, int width, int height, TColor color) {
  canvas.SetBrushStyle(BrushStyle::Solid);
  canvas.SetBrushColor(color);
  canvas.SetPenColor(color);
  canvas.FillRect(0, 0, width, height);
  canvas.SetPenColor(kWhite);
}

}  // namespace zr
