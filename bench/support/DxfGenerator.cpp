#include "support/DxfGenerator.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <random>
#include <string_view>
#include <vector>

#include "support/DxfPairWriter.h"
#include "text/AnsiCodePage.h"

namespace zr::bench {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Texts of a building-services drawing; converted to CP932 once.
constexpr std::array<const char*, 14> kJapaneseTexts = {
    "分電盤", "表示灯", "ソケット", "能力表", "十字継手", "コンセント 2口", "照明器具 FL40W",
    "換気扇", "給水管 VP20", "排水管 VP50", "スイッチ", "非常用照明", "火災報知器", "制御盤"};
constexpr std::array<const char*, 8> kAsciiTexts = {
    "P-1", "EL-2", "100V 15A", "FL40W", "VP50", "A-12", "SW-3", "DB-1F"};
constexpr std::array<const char*, 4> kMTexts = {
    "電灯\\P能力表\\Pソケット十", "{\\fMS Gothic|b0|i0|c128;分電盤 表示}\\P1F-A",
    "動力盤\\P3φ200V", "系統図\\P表示灯\\P能力 十分"};
constexpr std::array<const char*, 6> kLayers = {"0", "設備", "照明", "文字", "配管", "外形"};

class Writer : public DxfPairWriter {
 public:
  Writer(std::uint32_t seed, GeneratedCounts& counts) : rng_(seed), counts_(counts) {
    for (const char* t : kJapaneseTexts) japanese_.push_back(text::Utf8ToAnsi(t));
    for (const char* t : kMTexts) mtexts_.push_back(text::Utf8ToAnsi(t));
    for (const char* t : kLayers) layers_.push_back(text::Utf8ToAnsi(t));
  }

  void Header(double extent);
  void Tables();
  void Blocks();
  void Objects();
  void Entity(double extent);

 private:
  double Uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(rng_); }
  int Pick(int n) { return std::uniform_int_distribution<>(0, n - 1)(rng_); }
  // Half of the coordinates sit on a 0.5 grid (as drawn with snap), half are free.
  double Coord(double v) { return Pick(2) == 0 ? std::round(v * 2.0) / 2.0 : v; }
  void Common(std::string_view subclass);
  void Table(std::string_view name, int count);
  void Line(double cx, double cy, double size);
  void Polyline(double cx, double cy, double size);
  void Arc(double cx, double cy, double size, bool full);
  void Text(double cx, double cy, double size);
  void MText(double cx, double cy, double size);

  std::mt19937 rng_;
  GeneratedCounts& counts_;
  std::vector<std::string> japanese_, mtexts_, layers_;
};

void Writer::Header(double extent) {
  Pair(0, "SECTION");
  Pair(2, "HEADER");
  Pair(9, "$ACADVER");
  Pair(1, "AC1015");
  Pair(9, "$ACADMAINTVER");
  Int(70, 6);
  Pair(9, "$DWGCODEPAGE");
  Pair(3, "ANSI_932");
  Pair(9, "$INSBASE");
  Real(10, 0.0);
  Real(20, 0.0);
  Real(30, 0.0);
  Pair(9, "$EXTMIN");
  Real(10, 0.0);
  Real(20, 0.0);
  Real(30, 0.0);
  Pair(9, "$EXTMAX");
  Real(10, extent);
  Real(20, extent);
  Real(30, 0.0);
  Pair(9, "$LUNITS");
  Int(70, 2);
  Pair(9, "$HANDSEED");
  Pair(5, "FFFFF");
  Pair(0, "ENDSEC");
  Pair(0, "SECTION");
  Pair(2, "CLASSES");
  Pair(0, "ENDSEC");
}

void Writer::Table(std::string_view name, int count) {
  Pair(0, "TABLE");
  Pair(2, name);
  Pair(5, NextHandle());
  Pair(330, "0");
  Pair(100, "AcDbSymbolTable");
  Int(70, count);
}

void Writer::Tables() {
  Pair(0, "SECTION");
  Pair(2, "TABLES");
  Table("VPORT", 1);
  Pair(0, "VPORT");
  Pair(5, NextHandle());
  Pair(100, "AcDbSymbolTableRecord");
  Pair(100, "AcDbViewportTableRecord");
  Pair(2, "*ACTIVE");
  Int(70, 0);
  Pair(0, "ENDTAB");
  Table("LTYPE", 2);
  for (const char* lt : {"ByBlock", "ByLayer", "Continuous", "DASHED"}) {
    Pair(0, "LTYPE");
    Pair(5, NextHandle());
    Pair(100, "AcDbSymbolTableRecord");
    Pair(100, "AcDbLinetypeTableRecord");
    Pair(2, lt);
    Int(70, 0);
    Pair(3, "");
    Int(72, 65);
    Int(73, 0);
    Real(40, 0.0);
  }
  Pair(0, "ENDTAB");
  Table("LAYER", static_cast<int>(layers_.size()));
  for (std::size_t i = 0; i < layers_.size(); ++i) {
    Pair(0, "LAYER");
    Pair(5, NextHandle());
    Pair(330, "2");
    Pair(100, "AcDbSymbolTableRecord");
    Pair(100, "AcDbLayerTableRecord");
    Pair(2, layers_[i]);
    Int(70, 0);
    Int(62, i == 0 ? 7 : static_cast<long>(i));
    Pair(6, i == 4 ? "DASHED" : "Continuous");
    Int(370, -3);
  }
  Pair(0, "ENDTAB");
  Table("STYLE", 1);
  Pair(0, "STYLE");
  Pair(5, NextHandle());
  Pair(100, "AcDbSymbolTableRecord");
  Pair(100, "AcDbTextStyleTableRecord");
  Pair(2, "Standard");
  Int(70, 0);
  Real(40, 0.0);
  Real(41, 1.0);
  Pair(3, "msgothic.ttc");
  Pair(0, "ENDTAB");
  Table("VIEW", 0);
  Pair(0, "ENDTAB");
  Table("BLOCK_RECORD", 2);
  for (const char* name : {"*Model_Space", "*Paper_Space", "SYM1"}) {
    Pair(0, "BLOCK_RECORD");
    Pair(5, NextHandle());
    Pair(100, "AcDbSymbolTableRecord");
    Pair(100, "AcDbBlockTableRecord");
    Pair(2, name);
  }
  Pair(0, "ENDTAB");
  Pair(0, "ENDSEC");
}

void Writer::Blocks() {
  Pair(0, "SECTION");
  Pair(2, "BLOCKS");
  for (const char* name : {"*Model_Space", "*Paper_Space", "SYM1"}) {
    Pair(0, "BLOCK");
    Pair(5, NextHandle());
    Pair(100, "AcDbEntity");
    Pair(8, "0");
    Pair(100, "AcDbBlockBegin");
    Pair(2, name);
    Int(70, 0);
    Real(10, 0.0);
    Real(20, 0.0);
    Real(30, 0.0);
    Pair(3, name);
    Pair(1, "");
    if (std::string_view(name) == "SYM1") {
      Pair(0, "CIRCLE");
      Common("AcDbCircle");
      Real(10, 0.0);
      Real(20, 0.0);
      Real(30, 0.0);
      Real(40, 50.0);
      Line(0.0, 0.0, 50.0);
    }
    Pair(0, "ENDBLK");
    Pair(5, NextHandle());
    Pair(100, "AcDbEntity");
    Pair(8, "0");
    Pair(100, "AcDbBlockEnd");
  }
  Pair(0, "ENDSEC");
}

void Writer::Objects() {
  Pair(0, "SECTION");
  Pair(2, "OBJECTS");
  Pair(0, "DICTIONARY");
  Pair(5, "C");
  Pair(330, "0");
  Pair(100, "AcDbDictionary");
  Int(281, 1);
  Pair(0, "ENDSEC");
  Pair(0, "EOF");
}

// Handle, owner, layer (sometimes a colour or line type) and the subclass marker.
void Writer::Common(std::string_view subclass) {
  Pair(5, NextHandle());
  Pair(330, "1F");
  Pair(100, "AcDbEntity");
  Pair(8, layers_[static_cast<std::size_t>(Pick(static_cast<int>(layers_.size())))]);
  const int style = Pick(10);
  if (style == 0) Int(62, 1 + Pick(7));
  if (style == 1) Pair(6, "DASHED");
  Pair(100, subclass);
}

void Writer::Line(double cx, double cy, double size) {
  Pair(0, "LINE");
  Common("AcDbLine");
  Real(10, Coord(cx + Uniform(-size, size)));
  Real(20, Coord(cy + Uniform(-size, size)));
  Real(30, 0.0);
  Real(11, Coord(cx + Uniform(-size, size)));
  Real(21, Coord(cy + Uniform(-size, size)));
  Real(31, 0.0);
}

void Writer::Polyline(double cx, double cy, double size) {
  const int n = 4 + Pick(5);
  Pair(0, "LWPOLYLINE");
  Common("AcDbPolyline");
  Int(90, n);
  Int(70, Pick(2));
  Real(43, 0.0);
  double angle = Uniform(0.0, 2 * kPi);
  for (int i = 0; i < n; ++i) {
    angle += 2 * kPi / n;
    Real(10, Coord(cx + size * std::cos(angle)));
    Real(20, Coord(cy + size * std::sin(angle)));
    if (Pick(4) == 0) Real(42, Uniform(-1.0, 1.0));
  }
  ++counts_.polylines;
  counts_.vertices += static_cast<std::size_t>(n);
}

void Writer::Arc(double cx, double cy, double size, bool full) {
  Pair(0, full ? "CIRCLE" : "ARC");
  Common("AcDbCircle");
  Real(10, Coord(cx));
  Real(20, Coord(cy));
  Real(30, 0.0);
  Real(40, Coord(Uniform(size / 10.0, size)));
  if (full) return;
  Pair(100, "AcDbArc");
  Real(50, std::round(Uniform(0.0, 360.0)));
  Real(51, Uniform(0.0, 360.0));
}

void Writer::Text(double cx, double cy, double size) {
  const bool japanese = Pick(3) != 0;
  const std::string& str = japanese ? japanese_[static_cast<std::size_t>(Pick(static_cast<int>(japanese_.size())))]
                                    : std::string(kAsciiTexts[static_cast<std::size_t>(Pick(8))]);
  const bool aligned = Pick(3) == 0;
  Pair(0, "TEXT");
  Common("AcDbText");
  Real(10, Coord(cx));
  Real(20, Coord(cy));
  Real(30, 0.0);
  Real(40, std::round(size / 5.0) + 2.5);
  Pair(1, str);
  if (Pick(4) == 0) Real(50, 90.0);
  if (aligned) {
    Int(72, 1);
    Real(11, Coord(cx));
    Real(21, Coord(cy));
    Real(31, 0.0);
  }
  Pair(100, "AcDbText");
  if (aligned) Int(73, 2);
}

void Writer::MText(double cx, double cy, double size) {
  Pair(0, "MTEXT");
  Common("AcDbMText");
  Real(10, Coord(cx));
  Real(20, Coord(cy));
  Real(30, 0.0);
  Real(40, std::round(size / 5.0) + 2.5);
  Real(41, size * 4.0);
  Int(71, 1 + Pick(9));
  Int(72, 5);
  const std::string& str = mtexts_[static_cast<std::size_t>(Pick(static_cast<int>(mtexts_.size())))];
  if (Pick(8) == 0) Pair(3, str + "\\P" + str + "\\P");  // a long text arrives in chunks
  Pair(1, str);
  Pair(7, "Standard");
  Real(50, 0.0);
}

// One entity of the mix, placed in a cluster of the drawing.
void Writer::Entity(double extent) {
  const double cx = Uniform(0.0, extent);
  const double cy = Uniform(0.0, extent);
  const double size = Uniform(5.0, 60.0);
  const int roll = Pick(100);
  if (roll < 40) {
    Line(cx, cy, size);
    ++counts_.lines;
  } else if (roll < 55) {
    Polyline(cx, cy, size);
  } else if (roll < 70) {
    Arc(cx, cy, size, false);
    ++counts_.arcs;
  } else if (roll < 80) {
    Arc(cx, cy, size, true);
    ++counts_.circles;
  } else if (roll < 95) {
    Text(cx, cy, size);
    ++counts_.texts;
  } else {
    MText(cx, cy, size);
    ++counts_.mtexts;
  }
}

}  // namespace

std::string GenerateDxf(std::size_t targetBytes, std::uint32_t seed, GeneratedCounts* counts) {
  GeneratedCounts local;
  GeneratedCounts& c = counts != nullptr ? *counts : local;
  c = {};
  // About 200 bytes an entity: the drawing's side grows with the square root of its size.
  const double extent = 200.0 * std::sqrt(static_cast<double>(targetBytes / 200 + 1));
  Writer w(seed, c);
  w.Header(extent);
  w.Tables();
  w.Blocks();
  w.Pair(0, "SECTION");
  w.Pair(2, "ENTITIES");
  constexpr std::size_t kTrailer = 120;
  while (w.Size() + kTrailer < targetBytes) w.Entity(extent);
  w.Pair(0, "ENDSEC");
  w.Objects();
  return w.Take();
}

bool WriteGeneratedDxf(const std::string& path, std::size_t targetBytes, std::uint32_t seed,
                       GeneratedCounts* counts) {
  const std::string bytes = GenerateDxf(targetBytes, seed, counts);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

}  // namespace zr::bench
