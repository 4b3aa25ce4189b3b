#include "drawing/SlotThumbnail.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "drawing/DrawingExpansion.h"
#include "drawing/DxfRead.h"
#include "drawing/Extents.h"
#include "drawing/PointMath.h"
#include "drawing/PolyToLineArc.h"
#include "drawing/Renderer.h"
#include "text/TextFile.h"

namespace zr {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegToRad = kPi / 180.0;
// The drawing's limiting dimension fills 1 / 1.25 = 80 % of the picture.
constexpr double kFitMargin = 1.25;
// A base point closer than this to an edge of the range counts as lying on it.
constexpr double kOnEdge = 0.001;
constexpr std::size_t kLetterFromEnd = 5;  // the scale letter in front of ".dxf"

// Units per pixel that fit the extents into the picture; 0 when nothing can be fitted.
double FitScale(const TDxfModel& model, int width, int height) {
  if (width <= 0 || height <= 0) return 0.0;
  const double dx = model.DxfExtMax.x - model.DxfExtMin.x;
  const double dy = model.DxfExtMax.y - model.DxfExtMin.y;
  double s = dy / height;
  if (!(s >= dx / width)) s = dx / width;
  s = s * kFitMargin;
  // Extents of zero width and height (everything at one point) give no scale.
  if (!(s > 0.0) || !std::isfinite(s)) return 0.0;
  return s;
}

void DrawEntities(const TDxfModel& model, ICanvas& picture, TPixel center, const TAcadPoint& c,
                  double theta, double sx, double sy, double s) {
  for (const TAcadLineBlk& l : model.LineAry) {
    DrawLineEnt(picture, center, SubPoint(l.st, c), SubPoint(l.ed, c), theta, sx, sy, s);
  }
  for (const TCircleBlk& ci : model.CircleAry) {
    DrawArcEnt(picture, center, SubPoint(ci.center, c), theta, sx, sy, 0.0, 0.0, ci.hankei, s);
  }
  for (const TArcBlk& a : model.ArcAry) {
    DrawArcEnt(picture, center, SubPoint(a.center, c), theta, sx, sy, a.st * kDegToRad,
               a.ed * kDegToRad, a.hankei, s);
  }
  const double thetaDeg = theta * 180.0 / kPi;
  for (const TTextBlk& t : model.TextAry) {
    DrawTextEnt(picture, center, t, kWhite, thetaDeg, RotatePoint(SubPoint(t.pt11, c), theta),
                RotatePoint(SubPoint(t.pt10, c), theta), s);
  }
  for (const TShapeBlk& shape : model.ShapeAry) {
    DrawShapeEnt(picture, center, shape, c, theta, sx, sy, s, kWhite);
  }
}

}  // namespace

TSlotFile ResolveSlotFile(const std::string& fileName) {
  TSlotFile file{fileName, kBaseMarkRed};
  if (fileName.size() < kLetterFromEnd) return file;
  const std::size_t letterAt = fileName.size() - kLetterFromEnd;
  if (fileName[letterAt] == 'B' || text::FileExists(fileName)) return file;
  // The letter is one byte of ASCII; a longer (multi-byte) character there is cut whole.
  std::size_t cut = letterAt;
  while (cut > 0 && (static_cast<unsigned char>(fileName[cut]) & 0xC0) == 0x80) --cut;
  file.name = fileName.substr(0, cut) + "B.dxf";
  file.markColor = kBaseMarkYellow;
  return file;
}

void DrawSlot(TDxfModel& model, TSlotState& state, const std::string& fileName,
              ICanvas& picture, int slot, bool hojoKiten, double kaiten) {
  const TSlotFile file = ResolveSlotFile(fileName);
  std::string errMsg;  // a damaged file draws what was read before the damage
  std::string version;
  DxfRead(model, file.name, nullptr, nullptr, errMsg, version);
  DrawSlotModel(model, state, picture, slot, hojoKiten, kaiten, file.markColor);
}

double MeasureSlotDrawing(TDxfModel& model, int width, int height) {
  PolyToLineArc(model);
  ExpandDrawing(model);
  CalcExtents(model, true, true);
  if (model.DxfExtMin.x == 0.0 && model.DxfExtMin.y == 0.0 && model.DxfExtMax.x == 0.0 &&
      model.DxfExtMax.y == 0.0) {
    return 0.0;
  }
  return FitScale(model, width, height);
}

void DrawSlotModel(TDxfModel& model, TSlotState& state, ICanvas& picture, int slot,
                   bool hojoKiten, double kaiten, TColor markColor) {
  TBlkList& rec = state.gbBlkList.at(static_cast<std::size_t>(slot));
  const double sx = 1.0;
  const double sy = 1.0;
  rec.ExtMin.x = rec.ExtMin.y = 0.0;
  rec.ExtMax.x = rec.ExtMax.y = 0.0;
  const double s = MeasureSlotDrawing(model, picture.Width(), picture.Height());
  if (s == 0.0) return;
  const TAcadPoint c = ScalePoint(AddPoint(model.DxfExtMin, model.DxfExtMax), 0.5);
  const TPixel center = PictureCenter(picture);

  DrawEntities(model, picture, center, c, kaiten, sx, sy, s);

  CalcExtents(model, false, state.gbLwpKiten);
  rec.ExtMin = model.DxfExtMin;
  rec.ExtMax = model.DxfExtMax;
  if (hojoKiten) {
    SetSlotKiten(model, rec, c, s, sx, sy);
    DrawSlotKiten(picture, rec, state.gbHojoKitenColor, c, kaiten, sx, sy, s);
  }
  DrawMark(picture, center, SubPoint(TAcadPoint{}, c), kaiten, sx, sy, markColor,
           MarkHalfSide(picture), s);
}

void SetSlotKiten(const TDxfModel& model, TBlkList& slot, const TAcadPoint& c, double s,
                  double sx, double sy) {
  slot.ImgSyaku = s;
  slot.ImgXsc = sx;
  slot.ImgYsc = sy;
  slot.CadCenter = c;
  slot.KitenNo = 5;
  const double x0 = model.DxfExtMin.x;
  const double y0 = model.DxfExtMin.y;
  const double x1 = model.DxfExtMax.x;
  const double y1 = model.DxfExtMax.y;
  // Numbered like a numeric keypad: 1-3 bottom row, 4-6 through the base point, 7-9 top.
  const double xs[3] = {x0, 0.0, x1};
  const double ys[3] = {y0, 0.0, y1};
  slot.Kiten[0] = TAcadPoint{};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) slot.Kiten[1 + row * 3 + col] = {xs[col], ys[row], 0.0};
  }
  // A base point on the bottom or top edge: the middle row goes through the centre instead.
  if (std::fabs(y0) < kOnEdge || std::fabs(y1) < kOnEdge) {
    for (int k : {4, 5, 6}) slot.Kiten[k].y = c.y;
  }
  // On the left or right edge: the middle column likewise.
  if (std::fabs(x0) < kOnEdge || std::fabs(x1) < kOnEdge) {
    for (int k : {2, 5, 8}) slot.Kiten[k].x = c.x;
  }
}

int MarkHalfSide(const ICanvas& picture) {
  const int side = std::min(picture.Width(), picture.Height());
  return std::max(1, (side + kSlotPictureSide / 2) / kSlotPictureSide);
}

void DrawSlotKiten(ICanvas& picture, const TBlkList& slot, TColor color, const TAcadPoint& c,
                   double theta, double sx, double sy, double s) {
  const TPixel center = PictureCenter(picture);
  picture.SetBrushStyle(BrushStyle::Solid);
  picture.SetPenColor(color);
  picture.SetBrushColor(color);
  const int h = MarkHalfSide(picture);
  for (int k = 9; k >= 1; --k) {
    const TPixel p = TransformToPixel(SubPoint(slot.Kiten[k], c), center, theta, sx, sy, s);
    picture.Rectangle(p.x - h, p.y - h, p.x + h + 1, p.y + h + 1);
  }
}

int PickKiten(TSlotState& state, const ICanvas& picture, int slot, int x, int y) {
  TBlkList& rec = state.gbBlkList.at(static_cast<std::size_t>(slot));
  const TAcadPoint m = PixelToWorld({x, y}, PictureCenter(picture), rec.ImgSyaku);
  int choice = 1;
  double best = 0.0;
  for (int k = 1; k <= 9; ++k) {
    TAcadPoint q = RotatePoint(SubPoint(rec.Kiten[k], rec.CadCenter), state.gbKaiten);
    q.x = q.x * rec.ImgXsc;
    q.y = q.y * rec.ImgYsc;
    const double d = PointDist(m, q);
    if (k == 1 || d < best) {
      choice = k;
      best = d;
    }
  }
  rec.Kiten[0] = rec.Kiten[choice];
  rec.KitenNo = choice;
  return choice;
}

}  // namespace zr
