// The DXF reader over real files of CAD programs, libraries and devices (the corpus folder
// beside the project, when it is there).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "drawing/DxfRead.h"
#include "text/TextFile.h"
#include "text/Utf.h"

namespace zr {
namespace {

namespace fs = std::filesystem;

struct CorpusRead {
  TDxfModel model;
  std::string err, ver;
};

bool HaveCorpus() {
  std::error_code ec;
  return fs::is_directory(text::PathFromUtf8(ZR_CORPUS_DIR), ec);
}

CorpusRead ReadCorpus(const std::string& name) {
  CorpusRead r;
  DxfRead(r.model, std::string(ZR_CORPUS_DIR) + "/" + name, nullptr, nullptr, r.err, r.ver);
  return r;
}

#define REQUIRE_CORPUS() \
  if (!HaveCorpus()) GTEST_SKIP() << "no DXF corpus at " << ZR_CORPUS_DIR

bool Finite(const TAcadPoint& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// What holds after any read: layers present, finite coordinates, vertices grouped by polyline
// in order, every closed entity's colour resolved, every string valid UTF-8.
void ExpectModelInvariants(const TDxfModel& m, const std::string& name) {
  SCOPED_TRACE(name);
  EXPECT_FALSE(m.LayerAry.empty());
  for (const TAcadLineBlk& l : m.LineAry) {
    EXPECT_TRUE(Finite(l.st) && Finite(l.ed));
    EXPECT_TRUE(text::IsValidUtf8(l.layer));
  }
  for (const TTextBlk& t : m.TextAry) {
    EXPECT_TRUE(Finite(t.pt10));
    EXPECT_TRUE(text::IsValidUtf8(t.str));
  }
  int lastHand = -1;
  for (const TLwpEle& v : m.LwpEleAry) {
    EXPECT_GE(v.ihand, lastHand) << "vertices out of polyline order";
    EXPECT_LT(static_cast<std::size_t>(v.ihand), m.LwpAry.size());
    EXPECT_TRUE(Finite(v.code10));
    lastHand = v.ihand;
  }
  for (std::size_t i = 0; i < m.LwpAry.size(); ++i) EXPECT_EQ(m.LwpAry[i].ihand, static_cast<int>(i));
  for (const TAcadLineBlk& l : m.LineAry) EXPECT_NE(l.color, kColorByLayer);
}

TEST(DxfCorpus, EveryFileReadsWithoutHarm) {
  REQUIRE_CORPUS();
  int files = 0;
  for (const auto& entry : fs::directory_iterator(text::PathFromUtf8(ZR_CORPUS_DIR))) {
    if (entry.path().extension() != ".dxf") continue;
    const std::u8string u8 = entry.path().filename().u8string();
    const std::string name(u8.begin(), u8.end());
    const CorpusRead r = ReadCorpus(name);
    ExpectModelInvariants(r.model, name);
    EXPECT_TRUE(text::IsValidUtf8(r.err)) << name;
    ++files;
  }
  EXPECT_GT(files, 30);
}

struct Expected {
  const char* file;
  const char* version;
  std::size_t lines, circles, arcs, polylines, texts, ellipses;
};

TEST(DxfCorpus, SymbolFilesGiveTheirEntityCounts) {
  REQUIRE_CORPUS();
  const Expected expected[] = {
      {"lc-elk31.dxf", "AC1021", 6, 5, 1, 0, 0, 0},
      {"lc-lamp-hl13.dxf", "AC1021", 18, 3, 8, 0, 0, 0},  // and a HATCH, skipped
      {"lc-dev23.dxf", "AC1021", 14, 0, 2, 0, 0, 2},
      {"lc-pattern-arcs.dxf", "", 0, 0, 10, 0, 0, 0},     // no HEADER at all
      {"dp-ellipse-noheader.dxf", "", 0, 0, 0, 0, 0, 2},
      {"lc-relay-2p2w.dxf", "AC1021", 18, 6, 5, 0, 6, 0},
      {"ez-poli-all-r12.dxf", "AC1009", 0, 0, 0, 30, 0, 0},
      {"kicad-silks.dxf", "", 31751, 0, 0, 0, 0, 0},      // HEADER without $ACADVER
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.file);
    const CorpusRead r = ReadCorpus(e.file);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.ver, e.version);
    EXPECT_EQ(r.model.LineAry.size(), e.lines);
    EXPECT_EQ(r.model.CircleAry.size(), e.circles);
    EXPECT_EQ(r.model.ArcAry.size(), e.arcs);
    EXPECT_EQ(r.model.LwpAry.size(), e.polylines);
    EXPECT_EQ(r.model.TextAry.size(), e.texts);
    EXPECT_EQ(r.model.EllipseAry.size(), e.ellipses);
  }
}

TEST(DxfCorpus, PolylineBulgesAndBlockGeometry) {
  REQUIRE_CORPUS();
  const CorpusRead poli = ReadCorpus("ez-poli-all-r12.dxf");
  const auto bulged = std::count_if(poli.model.LwpEleAry.begin(), poli.model.LwpEleAry.end(),
                                    [](const TLwpEle& v) { return v.code42 != 0; });
  EXPECT_EQ(bulged, 37);
  EXPECT_EQ(poli.model.FaceAry.size(), 1u);

  const CorpusRead face = ReadCorpus("ez-3dface.dxf");
  EXPECT_EQ(face.model.FaceAry.size(), 44u);  // the two inside a block are not taken

  const CorpusRead opto = ReadCorpus("lc-opto-ve16.dxf");
  ASSERT_EQ(opto.model.InsertAry.size(), 1u);
  EXPECT_TRUE(opto.model.LineAry.empty());  // the block's geometry is not expanded
  EXPECT_FALSE(opto.model.BlkLineAry.empty());
  for (const TAcadLineBlk& l : opto.model.BlkLineAry) EXPECT_FALSE(l.bname.empty());
}

TEST(DxfCorpus, JapaneseDrawingsReadTheSameInBothEncodings) {
  REQUIRE_CORPUS();
  for (const std::string symbol : {"panel", "outlet"}) {
    const CorpusRead cp932 = ReadCorpus("ezja-" + symbol + "-r2000-cp932.dxf");
    const CorpusRead utf8 = ReadCorpus("ezja-" + symbol + "-r2018-utf8.dxf");
    EXPECT_EQ(cp932.ver, "AC1015");
    EXPECT_EQ(utf8.ver, "AC1032");
    ASSERT_EQ(cp932.model.TextAry.size(), utf8.model.TextAry.size());
    ASSERT_FALSE(cp932.model.TextAry.empty());
    for (std::size_t i = 0; i < cp932.model.TextAry.size(); ++i) {
      EXPECT_EQ(cp932.model.TextAry[i].str, utf8.model.TextAry[i].str);
    }
  }
  const CorpusRead panel = ReadCorpus("ezja-panel-r2000-cp932.dxf");
  std::vector<std::string> texts;
  for (const TTextBlk& t : panel.model.TextAry) texts.push_back(t.str);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "分電盤 表示"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "電灯\\P能力表\\Pソケット十"), texts.end());
}

TEST(DxfCorpus, LongMTextKeepsAllItsChunks) {
  REQUIRE_CORPUS();
  const CorpusRead r = ReadCorpus("ez-mtext-inline-codes.dxf");
  std::size_t longest = 0;
  for (const TTextBlk& t : r.model.TextAry) longest = std::max(longest, t.str.size());
  EXPECT_GT(longest, 250u);  // more than one group 3 chunk's worth
}

TEST(DxfCorpus, BinaryFileStopsAtTheFirstPair) {
  REQUIRE_CORPUS();
  const CorpusRead binary = ReadCorpus("ez-bin-r12.dxf");
  EXPECT_EQ(binary.err.rfind("1:AutoCAD Binary DXF/2:", 0), 0u);
  EXPECT_EQ(binary.model.LayerAry.size(), 1u);
}

TEST(DxfCorpus, DamagedFilesReadAsMeant) {
  REQUIRE_CORPUS();
  // Integers with blanks after them ("7 ") are read like any others.
  const CorpusRead recover = ReadCorpus("ez-recover01.dxf");
  EXPECT_EQ(recover.err, "");
  EXPECT_EQ(recover.model.LineAry.size(), 1441u);
  EXPECT_EQ(recover.model.TextAry.size(), 18u);  // of 63: the empty ones are dropped
  // The lines after "0/EOF" are no part of the drawing.
  const CorpusRead trash = ReadCorpus("ez-trash-after-eof.dxf");
  EXPECT_EQ(trash.err, "");
  ASSERT_EQ(trash.model.CircleAry.size(), 1u);
  EXPECT_EQ(trash.model.CircleAry[0].color, 7);
}

}  // namespace
}  // namespace zr
