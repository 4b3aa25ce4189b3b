#include "drawing/Extents.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "drawing/PointMath.h"
#include "text/Utf.h"

namespace zr {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegToRad = kPi / 180.0;

// The running rectangle of CalcExtents.
class BoxAccumulator {
 public:
  void Add(const TExtBox& b) {
    if (!found_) {
      box_ = b;
      found_ = true;
      return;
    }
    box_.min.x = std::min(box_.min.x, b.min.x);
    box_.min.y = std::min(box_.min.y, b.min.y);
    box_.max.x = std::max(box_.max.x, b.max.x);
    box_.max.y = std::max(box_.max.y, b.max.y);
  }
  bool Found() const { return found_; }
  const TExtBox& Box() const { return box_; }

 private:
  TExtBox box_;
  bool found_ = false;
};

void Widen(TExtBox& box, const TAcadPoint& p) {
  box.min.x = std::min(box.min.x, p.x);
  box.min.y = std::min(box.min.y, p.y);
  box.max.x = std::max(box.max.x, p.x);
  box.max.y = std::max(box.max.y, p.y);
}

double TextXOffset(bool mtext, SmallInt code71, SmallInt code72, double w) {
  if (mtext) {
    switch (code71) {
      case 2: case 5: case 8: return -w / 2;
      case 3: case 6: case 9: return -w;
      default: return 0.0;
    }
  }
  switch (code72) {
    case 1: case 4: return -w / 2;
    case 2: case 3: case 5: return -w;
    default: return 0.0;
  }
}

double TextYOffset(bool mtext, SmallInt code71, SmallInt code72, SmallInt code73, double h) {
  const double middle = h / 2 - 0.03 * h;
  if (mtext) {
    if (code71 >= 4 && code71 <= 6) return middle;
    if (code71 >= 7 && code71 <= 9) return 0.855 * h;
    return 0.086 * h;
  }
  switch (code73) {
    case 0: return code72 == 4 ? middle : 0.855 * h;
    case 1: return 0.994 * h;
    case 2: return middle;
    case 3: return 0.086 * h;
    default: return h;
  }
}

}  // namespace

TExtBox MinMaxPoint(const TAcadPoint& a, const TAcadPoint& b) {
  return {{std::min(a.x, b.x), std::min(a.y, b.y), 0.0},
          {std::max(a.x, b.x), std::max(a.y, b.y), 0.0}};
}

TExtBox CircleExtents(const TAcadPoint& center, double radius) {
  return {{center.x - radius, center.y - radius, 0.0},
          {center.x + radius, center.y + radius, 0.0}};
}

TExtBox ArcExtents(const TAcadPoint& center, double radius, double start, double end) {
  TExtBox box = MinMaxPoint(PolarPoint(center, radius, start), PolarPoint(center, radius, end));
  const double right = center.x + radius;
  const double top = center.y + radius;
  const double left = center.x - radius;
  const double bottom = center.y - radius;
  const double s = start;
  const double e = end;
  if (e > s) {
    if (s == 0.0 || e == 2 * kPi) box.max.x = std::max(box.max.x, right);
    if (s <= kPi / 2 && kPi / 2 <= e) box.max.y = std::max(box.max.y, top);
    if (s <= kPi && kPi <= e) box.min.x = std::min(box.min.x, left);
    if (s <= 3 * kPi / 2 && 3 * kPi / 2 <= e) box.min.y = std::min(box.min.y, bottom);
  } else {
    // The arc passes angle 0.
    box.max.x = std::max(box.max.x, right);
    if (s <= kPi / 2 || e >= kPi / 2) box.max.y = std::max(box.max.y, top);
    if (s <= kPi || e >= kPi) box.min.x = std::min(box.min.x, left);
    if (s <= 3 * kPi / 2 || e >= 3 * kPi / 2) box.min.y = std::min(box.min.y, bottom);
  }
  return box;
}

double TextAdvance(std::string_view text) {
  const text::CharWidths n = text::CountCharWidths(text);
  return static_cast<double>(n.full) + kHalfWidthAdvance * static_cast<double>(n.half);
}

TExtBox TextExtents(const TAcadPoint& pt10, const TAcadPoint& pt11, SmallInt code71,
                    SmallInt code72, SmallInt code73, double advance, double code40,
                    double code41, double code50) {
  const bool mtext = code71 > 0;
  const TAcadPoint anchor = (mtext || (code72 == 0 && code73 == 0)) ? pt10 : pt11;
  TExtBox box{{anchor.x, anchor.y, 0.0}, {anchor.x, anchor.y, 0.0}};

  const double h = code40;
  const double w = mtext ? 0.8 * code40 * advance : code40 * code41 * advance;
  const TAcadPoint offset{TextXOffset(mtext, code71, code72, w),
                          TextYOffset(mtext, code71, code72, code73, h), 0.0};

  const double a = code50 * kDegToRad;
  TAcadPoint c0 = AddPoint(anchor, RotatePoint(offset, a));
  c0.z = 0.0;
  // The third corner leans 45° below the baseline direction, as the estimate has always done.
  const TAcadPoint c1 = PolarPoint(c0, w, a);
  const TAcadPoint c2 = PolarPoint(c0, h, a - kPi / 4);
  const TAcadPoint c3 = PolarPoint(c2, w, a);
  Widen(box, c0);
  Widen(box, c1);
  Widen(box, c2);
  Widen(box, c3);
  return box;
}

TExtBox TextExtents(const TTextBlk& t) {
  return TextExtents(t.pt10, t.pt11, t.code71, t.code72, t.code73, TextAdvance(t.str), t.code40,
                     t.code41, t.code50);
}

void CalcExtents(TDxfModel& model, bool withTexts, bool withPolylines) {
  model.DxfExtMin = TAcadPoint{};
  model.DxfExtMax = TAcadPoint{};
  BoxAccumulator acc;
  for (const TAcadLineBlk& l : model.LineAry) {
    if (l.code67 != 0 || (l.lwpflag && !withPolylines)) continue;
    acc.Add(MinMaxPoint(l.st, l.ed));
  }
  for (const TCircleBlk& c : model.CircleAry) {
    if (c.code67 != 0) continue;
    acc.Add(CircleExtents(c.center, c.hankei));
  }
  for (const TArcBlk& a : model.ArcAry) {
    if (a.code67 != 0 || (a.lwpflag && !withPolylines)) continue;
    acc.Add(ArcExtents(a.center, a.hankei, a.st * kDegToRad, a.ed * kDegToRad));
  }
  // Shapes of the drawing pass (ellipses, fills, splines, inserted curves ...); the bands
  // of wide polylines count with the polylines.
  for (const TShapeBlk& sh : model.ShapeAry) {
    if (sh.code67 != 0 || sh.pts.empty() || (sh.lwpflag && !withPolylines)) continue;
    TExtBox box{sh.pts[0], sh.pts[0]};
    for (const TAcadPoint& p : sh.pts) Widen(box, p);
    box.min.z = box.max.z = 0.0;
    acc.Add(box);
  }
  if (withTexts || !acc.Found()) {
    for (const TTextBlk& t : model.TextAry) {
      if (t.code67 != 0) continue;
      acc.Add(TextExtents(t));
    }
  }
  if (!acc.Found()) return;
  model.DxfExtMin = {acc.Box().min.x, acc.Box().min.y, 0.0};
  model.DxfExtMax = {acc.Box().max.x, acc.Box().max.y, 0.0};
}

}  // namespace zr
