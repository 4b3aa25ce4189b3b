#include "drawing/DrawingExpansion.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <type_traits>
#include <vector>

#include "drawing/Curves.h"
#include "drawing/PolyToLineArc.h"
#include "drawing/Shapes.h"

namespace zr {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kRadToDeg = 180.0 / kPi;

// What a block's contents take from the insert that draws them: BYBLOCK colour, layer "0",
// paper space.
struct Owner {
  const std::string* layer = nullptr;
  SmallInt color = 7;
  SmallInt code67 = 0;
};

// One block definition's contents gathered as a model set, its polylines expanded.
struct Block {
  TAcadPoint base;
  TDxfModel content;
  bool expanded = false;
};

double NormalDeg(double a) {
  a = std::fmod(a, 360.0);
  return a < 0.0 ? a + 360.0 : a;
}

class Expansion {
 public:
  Expansion(TDxfModel& model, std::size_t budget) : m_(model), left_(budget) {}

  std::size_t Run() {
    if (!m_.InsertAry.empty() || !m_.DimAry.empty()) GatherBlocks();
    EmitShapes(m_, TAffine{}, nullptr, true);
    EmitInserts(m_, TAffine{}, nullptr);
    return used_;
  }

 private:
  bool Charge(std::size_t n) {
    if (n > left_) {
      left_ = 0;
      return false;
    }
    left_ -= n;
    used_ += n;
    return true;
  }

  template <class T>
  void Adopt(T& r, const Owner* owner) {
    if (owner == nullptr) return;
    if (r.color == kColorByBlock) r.color = owner->color;
    if (r.layer == "0") r.layer = *owner->layer;
    if (owner->code67 != 0) r.code67 = owner->code67;
  }

  void AddShape(TShapeBlk s, const Owner* owner) {
    if (!Charge(ShapeCost(s))) return;
    Adopt(s, owner);
    m_.ShapeAry.push_back(std::move(s));
  }

  // Appends each record of a block-set array to the contents of its block.
  template <class T>
  void Distribute(const std::vector<T>& from, std::vector<T> TDxfModel::*to) {
    Block* last = nullptr;
    const std::string* lastName = nullptr;
    for (const T& r : from) {
      if (lastName == nullptr || r.bname != *lastName) {
        const auto it = blocks_.find(r.bname);
        last = it == blocks_.end() ? nullptr : it->second.get();
        lastName = &r.bname;
      }
      if (last != nullptr) (last->content.*to).push_back(r);
    }
  }

  // Each block's contents once, by name (the first definition of a name counts), in one
  // pass over each block-set array.
  void GatherBlocks() {
    for (const TBlockBlk& b : m_.BlockAry) {
      if (blocks_.count(b.name) != 0) continue;
      auto block = std::make_unique<Block>();
      block->base = b.base;
      blocks_.emplace(b.name, std::move(block));
    }
    if (blocks_.empty()) return;
    Distribute(m_.BlkLineAry, &TDxfModel::LineAry);
    Distribute(m_.BlkCircleAry, &TDxfModel::CircleAry);
    Distribute(m_.BlkArcAry, &TDxfModel::ArcAry);
    Distribute(m_.BlkLwpAry, &TDxfModel::LwpAry);
    Distribute(m_.BlkTextAry, &TDxfModel::TextAry);
    Distribute(m_.BlkEllipseAry, &TDxfModel::EllipseAry);
    Distribute(m_.BlkInsertAry, &TDxfModel::InsertAry);
    Distribute(m_.BlkDimAry, &TDxfModel::DimAry);
    Distribute(m_.BlkSolidAry, &TDxfModel::SolidAry);
    Distribute(m_.BlkPointAry, &TDxfModel::PointAry);
    Distribute(m_.BlkHatchAry, &TDxfModel::HatchAry);
    Distribute(m_.BlkSplineAry, &TDxfModel::SplineAry);
    Distribute(m_.BlkLeaderAry, &TDxfModel::LeaderAry);
    for (const TLwpEle& v : m_.BlkLwpEleAry) {
      const auto hand = static_cast<std::size_t>(v.ihand);
      if (hand >= m_.BlkLwpAry.size()) continue;
      const auto it = blocks_.find(m_.BlkLwpAry[hand].bname);
      if (it != blocks_.end()) it->second->content.LwpEleAry.push_back(v);
    }
  }

  // A block by name, its polylines expanded the first time it is drawn.
  const Block* Find(const std::string& name) {
    const auto it = blocks_.find(name);
    if (it == blocks_.end()) return nullptr;
    Block& block = *it->second;
    if (!block.expanded) {
      PolyToLineArc(block.content);
      block.expanded = true;
    }
    return &block;
  }

  // The vertices of each polyline of a model set, in order.
  static std::vector<std::vector<TLwpEle>> VertexRuns(const TDxfModel& src) {
    std::vector<std::vector<TLwpEle>> runs(src.LwpAry.size());
    std::map<int, std::size_t> byHand;
    for (std::size_t i = 0; i < src.LwpAry.size(); ++i) byHand[src.LwpAry[i].ihand] = i;
    for (const TLwpEle& v : src.LwpEleAry) {
      const auto it = byHand.find(v.ihand);
      if (it != byHand.end()) runs[it->second].push_back(v);
    }
    return runs;
  }

  // The kinds drawn as shapes. Top: the model set itself, whose ellipses are in world
  // coordinates and whose polylines keep their plain rule (no extrusion).
  void EmitShapes(const TDxfModel& src, const TAffine& map, const Owner* owner, bool top) {
    for (const TEllipseBlk& e : src.EllipseAry) AddShape(EllipseShape(e, map), owner);
    for (const TSolidBlk& s : src.SolidAry) AddShape(SolidShape(s, map), owner);
    for (const TPointBlk& p : src.PointAry) AddShape(PointShape(p, map), owner);
    for (const THatchBlk& h : src.HatchAry) {
      for (TShapeBlk& s : HatchShapes(h, map)) AddShape(std::move(s), owner);
    }
    for (const TSplineBlk& s : src.SplineAry) AddShape(SplineShape(s, map), owner);
    const double arrow = m_.DimAsz * m_.DimScale;
    for (const TLeaderBlk& l : src.LeaderAry) {
      for (TShapeBlk& s : LeaderShapes(l, map, arrow)) AddShape(std::move(s), owner);
    }
    // Most drawings have no wide polyline: their vertices need not be gathered.
    const bool anyWidth =
        std::any_of(src.LwpAry.begin(), src.LwpAry.end(),
                    [](const TLwpBlk& p) { return p.code40 != 0.0 || p.code41 != 0.0; }) ||
        std::any_of(src.LwpEleAry.begin(), src.LwpEleAry.end(),
                    [](const TLwpEle& v) { return v.code40 != 0.0 || v.code41 != 0.0; });
    if (!anyWidth) return;
    const auto runs = VertexRuns(src);
    for (std::size_t i = 0; i < src.LwpAry.size(); ++i) {
      TLwpBlk poly = src.LwpAry[i];
      if (top) poly.code210 = kDefaultExtrusion;
      for (TShapeBlk& s : WidePolylineShapes(poly, runs[i], map)) AddShape(std::move(s), owner);
    }
  }

  void EmitPlain(const TDxfModel& src, const TAffine& map, const Owner* owner) {
    for (const TAcadLineBlk& l : src.LineAry) {
      if (!Charge(1)) return;
      TAcadLineBlk& r = m_.LineAry.emplace_back(l);
      r.bname.clear();
      // A polyline's straight segment lies in its polyline's plane; a LINE is in world space.
      const TAffine full = l.lwpflag ? map.After(OcsToWorld(l.code210)) : map;
      r.st = full.Apply(l.st);
      r.ed = full.Apply(l.ed);
      Adopt(r, owner);
    }
    for (const TCircleBlk& c : src.CircleAry) EmitArc(c, c.center, 0.0, 0.0, true, map, owner);
    for (const TArcBlk& a : src.ArcAry) EmitArc(a, a.center, a.st, a.ed, false, map, owner);
    for (const TTextBlk& t : src.TextAry) EmitText(t, map, owner);
  }

  // A circle or arc stays one under a similar map, mirrored ones running the other way;
  // any other map draws it as an outline.
  template <class T>
  void EmitArc(const T& r, const TAcadPoint& centre, double st, double ed, bool circle,
               const TAffine& map, const Owner* owner) {
    const TAffine full = map.After(OcsToWorld(r.code210));
    if (!full.IsSimilarity()) {
      TShapeBlk s = ArcShape(centre, r.hankei, st, ed, circle, full);
      s.layer = r.layer;
      s.color = r.color;
      s.code67 = r.code67;
      if constexpr (std::is_same_v<T, TArcBlk>) s.lwpflag = r.lwpflag;
      AddShape(std::move(s), owner);
      return;
    }
    if (!Charge(1)) return;
    const double scale = std::sqrt(std::fabs(full.Det()));
    const double turn = std::atan2(full.c, full.a) * kRadToDeg;
    if constexpr (std::is_same_v<T, TCircleBlk>) {
      TCircleBlk& out = m_.CircleAry.emplace_back(r);
      out.bname.clear();
      out.center = full.Apply(centre);
      out.hankei = r.hankei * scale;
      out.code210 = kDefaultExtrusion;
      Adopt(out, owner);
    } else {
      TArcBlk& out = m_.ArcAry.emplace_back(r);
      out.bname.clear();
      out.center = full.Apply(centre);
      out.hankei = r.hankei * scale;
      out.code210 = kDefaultExtrusion;
      if (full.Det() > 0.0) {
        out.st = NormalDeg(st + turn);
        out.ed = NormalDeg(ed + turn);
      } else {
        out.st = NormalDeg(turn - ed);
        out.ed = NormalDeg(turn - st);
      }
      Adopt(out, owner);
    }
  }

  // A text keeps reading left to right: its points move, its height and width follow the
  // map along its own directions, its angle turns with the map.
  void EmitText(const TTextBlk& t, const TAffine& map, const Owner* owner) {
    if (!Charge(1)) return;
    TTextBlk& r = m_.TextAry.emplace_back(t);
    r.bname.clear();
    const double a = t.code50 * kDegToRad;
    const TAcadPoint dir = map.ApplyVector({std::cos(a), std::sin(a), 0.0});
    const TAcadPoint up = map.ApplyVector({-std::sin(a), std::cos(a), 0.0});
    const double along = std::hypot(dir.x, dir.y);
    const double across = std::hypot(up.x, up.y);
    r.pt10 = map.Apply(t.pt10);
    r.pt11 = t.mtflag ? map.ApplyVector(t.pt11) : map.Apply(t.pt11);
    r.code40 = t.code40 * across;
    if (t.mtflag) {
      r.code41 = t.code41 * along;
    } else if (across > 0.0) {
      r.code41 = t.code41 * along / across;
    }
    r.code50 = NormalDeg(std::atan2(dir.y, dir.x) * kRadToDeg);
    Adopt(r, owner);
  }

  void EmitInserts(const TDxfModel& src, const TAffine& map, const Owner* owner) {
    for (const TInsertBlk& in : src.InsertAry) EmitInsert(in, map, owner, false);
    for (const TInsertBlk& d : src.DimAry) EmitInsert(d, map, owner, true);
  }

  void EmitInsert(const TInsertBlk& in, const TAffine& map, const Owner* owner, bool dimension) {
    const Block* block = Find(in.name);
    if (block == nullptr || left_ == 0) return;
    // A block inside itself, directly or through others, is drawn once and stopped there.
    if (std::find(stack_.begin(), stack_.end(), in.name) != stack_.end()) return;
    if (static_cast<int>(stack_.size()) >= kMostBlockDepth) return;
    Owner next;
    TInsertBlk self = in;
    Adopt(self, owner);
    next.layer = &self.layer;
    next.color = self.color;
    next.code67 = self.code67;
    const int columns = dimension ? 1 : std::max<int>(1, in.code70);
    const int rows = dimension ? 1 : std::max<int>(1, in.code71);
    TAffine place = dimension ? TAffine{}
                              : OcsToWorld(in.code210)
                                    .After(TAffine::Translate(in.base.x, in.base.y))
                                    .After(TAffine::Rotate(in.rotate * kDegToRad));
    const TAffine shape = TAffine::Scale(dimension ? 1.0 : in.scale.x,
                                         dimension ? 1.0 : in.scale.y)
                              .After(TAffine::Translate(-block->base.x, -block->base.y));
    stack_.push_back(in.name);
    for (int row = 0; row < rows && left_ > 0; ++row) {
      for (int col = 0; col < columns && left_ > 0; ++col) {
        if (!Charge(1)) break;
        const TAffine cell = map.After(place)
                                 .After(TAffine::Translate(col * in.code44, row * in.code45))
                                 .After(shape);
        EmitPlain(block->content, cell, &next);
        EmitShapes(block->content, cell, &next, false);
        EmitInserts(block->content, cell, &next);
      }
    }
    stack_.pop_back();
  }

  TDxfModel& m_;
  std::size_t left_;
  std::size_t used_ = 0;
  std::map<std::string, std::unique_ptr<Block>> blocks_;
  std::vector<std::string> stack_;
};

}  // namespace

std::size_t ExpandDrawing(TDxfModel& model, std::size_t budget) {
  return Expansion(model, budget).Run();
}

}  // namespace zr
