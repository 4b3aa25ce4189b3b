#include "support/NestedDxfGenerator.h"

#include <array>
#include <charconv>
#include <fstream>
#include <random>
#include <string_view>
#include <vector>

#include "support/DxfPairWriter.h"
#include "text/AnsiCodePage.h"

namespace zr::bench {
namespace {

class Out : public DxfPairWriter {
 public:
  void Point(int code, double x, double y) {
    Real(code, x);
    Real(code + 10, y);
    Real(code + 20, 0.0);
  }
  void Handle() { Pair(5, NextHandle()); }
  void Entity(std::string_view kind, std::string_view layer, std::string_view subclass) {
    Pair(0, kind);
    Handle();
    Pair(100, "AcDbEntity");
    Pair(8, layer);
    Pair(100, subclass);
  }

  void Start(const std::vector<std::string>& layers, double extent);
  void BeginBlock(std::string_view name, double bx, double by);
  void EndBlock();
  void Insert(std::string_view name, double x, double y, double sx, double sy, double angle,
              int columns = 1, int rows = 1, double dx = 0.0, double dy = 0.0,
              std::string_view attrib = {});
  void Finish();
};

void Out::Start(const std::vector<std::string>& layers, double extent) {
  Pair(0, "SECTION");
  Pair(2, "HEADER");
  Pair(9, "$ACADVER");
  Pair(1, "AC1015");
  Pair(9, "$DWGCODEPAGE");
  Pair(3, "ANSI_932");
  Pair(9, "$INSBASE");
  Point(10, 0.0, 0.0);
  Pair(9, "$EXTMIN");
  Point(10, 0.0, 0.0);
  Pair(9, "$EXTMAX");
  Point(10, extent, extent);
  Pair(0, "ENDSEC");
  Pair(0, "SECTION");
  Pair(2, "TABLES");
  Pair(0, "TABLE");
  Pair(2, "LAYER");
  Handle();
  Pair(100, "AcDbSymbolTable");
  Int(70, static_cast<long>(layers.size()));
  for (std::size_t i = 0; i < layers.size(); ++i) {
    Pair(0, "LAYER");
    Handle();
    Pair(100, "AcDbSymbolTableRecord");
    Pair(100, "AcDbLayerTableRecord");
    Pair(2, layers[i]);
    Int(70, 0);
    Int(62, i == 0 ? 7 : static_cast<long>(i));
    Pair(6, "Continuous");
  }
  Pair(0, "ENDTAB");
  Pair(0, "ENDSEC");
  Pair(0, "SECTION");
  Pair(2, "BLOCKS");
}

void Out::BeginBlock(std::string_view name, double bx, double by) {
  Pair(0, "BLOCK");
  Handle();
  Pair(100, "AcDbEntity");
  Pair(8, "0");
  Pair(100, "AcDbBlockBegin");
  Pair(2, name);
  Int(70, 0);
  Point(10, bx, by);
  Pair(3, name);
  Pair(1, "");
}

void Out::EndBlock() {
  Pair(0, "ENDBLK");
  Handle();
  Pair(100, "AcDbEntity");
  Pair(8, "0");
  Pair(100, "AcDbBlockEnd");
}

void Out::Insert(std::string_view name, double x, double y, double sx, double sy, double angle,
                 int columns, int rows, double dx, double dy, std::string_view attrib) {
  Entity(columns > 1 || rows > 1 ? "MINSERT" : "INSERT", "0", "AcDbBlockReference");
  if (!attrib.empty()) Int(66, 1);
  Pair(2, name);
  Point(10, x, y);
  if (sx != 1.0) Real(41, sx);
  if (sy != 1.0) Real(42, sy);
  if (angle != 0.0) Real(50, angle);
  if (columns > 1) Int(70, columns);
  if (rows > 1) Int(71, rows);
  if (dx != 0.0) Real(44, dx);
  if (dy != 0.0) Real(45, dy);
  if (attrib.empty()) return;
  Entity("ATTRIB", "0", "AcDbText");
  Point(10, x + 1.0, y + 1.0);
  Real(40, 1.5);
  Pair(1, attrib);
  Pair(100, "AcDbAttribute");
  Pair(2, "NO");
  Int(70, 0);
  Pair(0, "SEQEND");
  Handle();
  Pair(100, "AcDbEntity");
  Pair(8, "0");
}

void Out::Finish() {
  Pair(0, "ENDSEC");
  Pair(0, "SECTION");
  Pair(2, "OBJECTS");
  Pair(0, "DICTIONARY");
  Pair(5, "C");
  Pair(100, "AcDbDictionary");
  Pair(0, "ENDSEC");
  Pair(0, "EOF");
}

void Line(Out& o, std::string_view layer, double x1, double y1, double x2, double y2) {
  o.Entity("LINE", layer, "AcDbLine");
  o.Point(10, x1, y1);
  o.Point(11, x2, y2);
}

void Circle(Out& o, std::string_view layer, double x, double y, double r) {
  o.Entity("CIRCLE", layer, "AcDbCircle");
  o.Point(10, x, y);
  o.Real(40, r);
}

void Arc(Out& o, std::string_view layer, double x, double y, double r, double st, double ed) {
  o.Entity("ARC", layer, "AcDbCircle");
  o.Point(10, x, y);
  o.Real(40, r);
  o.Pair(100, "AcDbArc");
  o.Real(50, st);
  o.Real(51, ed);
}

void Rect(Out& o, std::string_view layer, double x, double y, double w, double h) {
  o.Entity("LWPOLYLINE", layer, "AcDbPolyline");
  o.Int(90, 4);
  o.Int(70, 1);
  for (const auto& [px, py] : std::array<std::array<double, 2>, 4>{
           {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}}) {
    o.Real(10, px);
    o.Real(20, py);
  }
}

void Text(Out& o, std::string_view layer, double x, double y, double h, std::string_view s) {
  o.Entity("TEXT", layer, "AcDbText");
  o.Point(10, x, y);
  o.Real(40, h);
  o.Pair(1, s);
  o.Pair(100, "AcDbText");
}

void Dot(Out& o, std::string_view layer, double x, double y, double r) {
  o.Entity("SOLID", layer, "AcDbTrace");
  o.Point(10, x - r, y - r);
  o.Point(11, x + r, y - r);
  o.Point(12, x - r, y + r);
  o.Point(13, x + r, y + r);
}

// The leaf blocks (level 3), a few primitives each, about 10 units across.
constexpr std::array<const char*, 5> kLeaves = {"BRK", "TERM", "DOT", "LAMP", "OUTLET"};

void LeafBlocks(Out& o, const std::string& label, const std::string& layer) {
  o.BeginBlock("BRK", 0.0, 0.0);
  Rect(o, "0", -3.0, -5.0, 6.0, 10.0);
  Line(o, "0", 0.0, -5.0, 0.0, -2.0);
  Arc(o, "0", 0.0, 0.0, 2.0, 270.0, 90.0);
  Line(o, "0", 0.0, 2.0, 0.0, 5.0);
  o.EndBlock();
  o.BeginBlock("TERM", 0.0, 0.0);
  Circle(o, "0", 0.0, 0.0, 1.0);
  Line(o, "0", -1.0, -1.0, 1.0, 1.0);
  Line(o, "0", 0.0, 1.0, 0.0, 4.0);
  o.EndBlock();
  o.BeginBlock("DOT", 0.0, 0.0);
  Dot(o, "0", 0.0, 0.0, 0.8);
  o.EndBlock();
  o.BeginBlock("LAMP", 0.0, 0.0);
  Circle(o, "0", 0.0, 0.0, 4.0);
  Line(o, "0", -2.8, -2.8, 2.8, 2.8);
  Line(o, "0", -2.8, 2.8, 2.8, -2.8);
  Text(o, layer, 5.0, 0.0, 2.5, label);
  o.EndBlock();
  o.BeginBlock("OUTLET", 0.0, 0.0);
  Arc(o, "0", 0.0, 0.0, 3.0, 0.0, 180.0);
  Line(o, "0", -3.0, 0.0, 3.0, 0.0);
  Line(o, "0", -1.0, 1.0, -1.0, 2.0);
  Line(o, "0", 1.0, 1.0, 1.0, 2.0);
  Dot(o, "0", 0.0, -1.5, 0.6);
  o.EndBlock();
}

std::string LevelName(int level) {
  std::string name(1, 'L');
  name += std::to_string(level);
  return name;
}

}  // namespace

std::string GenerateNestedSymbol(std::uint32_t seed, NestedCounts* counts) {
  std::mt19937 rng(seed);
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(rng); };
  NestedCounts c;
  const std::vector<std::string> layers = {"0", text::Utf8ToAnsi("設備"),
                                           text::Utf8ToAnsi("文字")};
  const std::string label = text::Utf8ToAnsi("照明");
  Out o;
  o.Start(layers, 400.0);
  LeafBlocks(o, label, layers[2]);

  // Level 2: a row of breakers with their terminals and marks.
  const int perRow = pick(6, 8);
  o.BeginBlock("ROW", 0.0, 0.0);
  Line(o, "0", -5.0, 8.0, perRow * 10.0, 8.0);
  for (int k = 0; k < perRow; ++k) {
    o.Insert("BRK", k * 10.0, 0.0, 1.0, 1.0, 0.0);
    o.Insert("TERM", k * 10.0, -9.0, 1.0, 1.0, 0.0);
  }
  o.Insert("DOT", -5.0, 8.0, 1.0, 1.0, 0.0);
  o.Insert("DOT", perRow * 10.0, 8.0, 1.0, 1.0, 0.0);
  o.EndBlock();
  const std::size_t perRowDrawn = 2 * static_cast<std::size_t>(perRow) + 2;
  c.insertRecords += perRowDrawn;

  // Level 1: the panel, rows stacked in a frame, with a few marks of its own.
  const int rows = pick(4, 6);
  o.BeginBlock("PANEL", 0.0, 0.0);
  Rect(o, layers[1], -10.0, -15.0, perRow * 10.0 + 15.0, rows * 25.0 + 10.0);
  Text(o, layers[2], -8.0, rows * 25.0 - 2.0, 3.0, text::Utf8ToAnsi("分電盤 L-1"));
  for (int r = 0; r < rows; ++r) o.Insert("ROW", 0.0, r * 25.0, 1.0, 1.0, 0.0);
  for (int k = 0; k < 4; ++k) o.Insert("LAMP", k * 12.0, -12.0, 0.5, 0.5, 0.0);
  o.EndBlock();
  c.insertRecords += static_cast<std::size_t>(rows) + 4;
  const std::size_t perPanelDrawn = 1 + static_cast<std::size_t>(rows) * (1 + perRowDrawn) + 4;

  o.Pair(0, "ENDSEC");
  o.Pair(0, "SECTION");
  o.Pair(2, "ENTITIES");
  const int panels = pick(1, 2);
  for (int p = 0; p < panels; ++p) o.Insert("PANEL", 20.0 + p * 150.0, 250.0, 1.0, 1.0, 0.0);
  // Around the panels: the fittings of the plan, some turned or mirrored, some numbered.
  const int fittings = pick(140, 160);
  for (int k = 0; k < fittings; ++k) {
    const char* leaf = kLeaves[static_cast<std::size_t>(pick(1, 4))];
    const double angle = 90.0 * pick(0, 3);
    const double mirror = pick(0, 5) == 0 ? -1.0 : 1.0;
    const std::string number = pick(0, 2) == 0 ? "C-" + std::to_string(k) : std::string();
    o.Insert(leaf, 10.0 + (k % 15) * 25.0, 10.0 + (k / 15) * 22.0, mirror, 1.0, angle, 1, 1,
             0.0, 0.0, number);
  }
  c.insertRecords += static_cast<std::size_t>(panels + fittings);
  c.insertsDrawn = static_cast<std::size_t>(panels) * perPanelDrawn +
                   static_cast<std::size_t>(fittings);
  o.Finish();
  if (counts != nullptr) *counts = c;
  return o.Take();
}

const char* PathologyName(Pathology kind) {
  switch (kind) {
    case Pathology::HugeArray: return "huge-array";
    case Pathology::SelfDirect: return "self-direct";
    case Pathology::SelfThrough: return "self-through";
    case Pathology::Doubling: return "doubling";
  }
  return "";
}

std::string GeneratePathological(Pathology kind) {
  Out o;
  o.Start({"0"}, 1000.0);
  std::string top = "A";
  switch (kind) {
    case Pathology::HugeArray:
      o.BeginBlock("CELL", 0.0, 0.0);
      Line(o, "0", 0.0, 0.0, 0.8, 0.8);
      Circle(o, "0", 0.4, 0.4, 0.3);
      o.EndBlock();
      o.BeginBlock("A", 0.0, 0.0);
      o.Insert("CELL", 0.0, 0.0, 1.0, 1.0, 0.0, 1000, 1000, 1.0, 1.0);
      o.EndBlock();
      break;
    case Pathology::SelfDirect:
      o.BeginBlock("A", 0.0, 0.0);
      Circle(o, "0", 0.0, 0.0, 10.0);
      o.Insert("A", 5.0, 0.0, 0.5, 0.5, 0.0);
      o.EndBlock();
      break;
    case Pathology::SelfThrough:
      o.BeginBlock("A", 0.0, 0.0);
      Circle(o, "0", 0.0, 0.0, 10.0);
      o.Insert("B", 5.0, 0.0, 0.5, 0.5, 0.0);
      o.EndBlock();
      o.BeginBlock("B", 0.0, 0.0);
      Line(o, "0", -10.0, 0.0, 10.0, 0.0);
      o.Insert("A", 0.0, 5.0, 0.5, 0.5, 0.0);
      o.EndBlock();
      break;
    case Pathology::Doubling:
      for (int level = 63; level >= 0; --level) {
        o.BeginBlock(LevelName(level), 0.0, 0.0);
        Line(o, "0", 0.0, 0.0, 1.0, 1.0);
        if (level < 63) {
          const std::string next = LevelName(level + 1);
          o.Insert(next, 0.0, 0.0, 0.5, 0.5, 0.0);
          o.Insert(next, 500.0, 0.0, 0.5, 0.5, 0.0);
        }
        o.EndBlock();
      }
      top = "L0";
      break;
  }
  o.Pair(0, "ENDSEC");
  o.Pair(0, "SECTION");
  o.Pair(2, "ENTITIES");
  o.Insert(top, 0.0, 0.0, 1.0, 1.0, 0.0);
  o.Finish();
  return o.Take();
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

}  // namespace zr::bench
