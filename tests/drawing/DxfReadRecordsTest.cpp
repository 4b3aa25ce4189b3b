// The record layer of the DXF reader: which pairs land in which records.
#include <gtest/gtest.h>

#include <vector>

#include "DxfReadTestSupport.h"

namespace zr {
namespace {

using testing::Dxf;
using testing::Entities;
using testing::InBlock;
using testing::Read;

constexpr const char* kLayerTable =
    "0|SECTION|2|TABLES|0|TABLE|2|LAYER|70|2|"
    "0|LAYER|2|Wall|70|0|62|3|6|continuous|"
    "0|LAYER|2|Pipe|70|4|62|5|6|Dashed|"
    "0|ENDTAB|0|ENDSEC|";

TEST(DxfReadRecords, LineTakesItsGroupsAndResolvesByLayer) {
  const auto r = Read(Dxf(std::string(kLayerTable) +
                          "0|SECTION|2|ENTITIES|"
                          "0|LINE|8|Pipe|6|hidden|10|1.5|20|2|30|3|11|4|21|5|31|6|67|1|210|9|"
                          "0|LINE|8|Wall|62|256|"
                          "0|LINE|62|2|"
                          "0|ENDSEC"));
  ASSERT_EQ(r.model.LineAry.size(), 3u);
  const TAcadLineBlk& a = r.model.LineAry[0];
  EXPECT_EQ(a.layer, "Pipe");
  EXPECT_EQ(a.ltype, "HIDDEN");
  EXPECT_EQ(a.bname, "");
  EXPECT_EQ(a.color, 5);  // BYLAYER resolved through the layer table
  EXPECT_DOUBLE_EQ(a.st.x, 1.5);
  EXPECT_DOUBLE_EQ(a.st.y, 2.0);
  EXPECT_DOUBLE_EQ(a.st.z, 3.0);
  EXPECT_DOUBLE_EQ(a.ed.x, 4.0);
  EXPECT_DOUBLE_EQ(a.ed.y, 5.0);
  EXPECT_DOUBLE_EQ(a.ed.z, 6.0);
  EXPECT_EQ(a.code67, 0);            // LINEs take neither 67 ...
  EXPECT_DOUBLE_EQ(a.code210.z, 1);  // ... nor the extrusion
  EXPECT_DOUBLE_EQ(a.code210.x, 0);
  EXPECT_EQ(r.model.LineAry[1].color, 3);  // explicit 256 is BYLAYER too
  EXPECT_EQ(r.model.LineAry[1].ltype, "BYLAYER");
  EXPECT_EQ(r.model.LineAry[2].layer, "0");
  EXPECT_EQ(r.model.LineAry[2].color, 2);
}

TEST(DxfReadRecords, LayerTableEntriesKeepNameCaseAndUpperCaseLineType) {
  const auto r = Read(Dxf(std::string(kLayerTable) + "0|EOF"));
  ASSERT_EQ(r.model.LayerAry.size(), 2u);
  EXPECT_EQ(r.model.LayerAry[0].Name, "Wall");
  EXPECT_EQ(r.model.LayerAry[0].ltype, "CONTINUOUS");
  EXPECT_EQ(r.model.LayerAry[0].color, 3);
  EXPECT_TRUE(r.model.LayerAry[0].visible);
  EXPECT_EQ(r.model.LayerAry[1].Name, "Pipe");
  EXPECT_EQ(r.model.LayerAry[1].code70, 4);
  EXPECT_EQ(r.model.LayerAry[1].ltype, "DASHED");
}

TEST(DxfReadRecords, MissingLayerIsAddedWithColorSeven) {
  const auto r = Read(Dxf(std::string(kLayerTable) +
                          "0|SECTION|2|ENTITIES|0|LINE|8|New|0|LINE|8|New|62|1|0|ENDSEC"));
  ASSERT_EQ(r.model.LayerAry.size(), 3u);
  EXPECT_EQ(r.model.LayerAry[2].Name, "New");
  EXPECT_EQ(r.model.LayerAry[2].color, 7);
  EXPECT_EQ(r.model.LayerAry[2].ltype, "CONTINUOUS");
  EXPECT_TRUE(r.model.LayerAry[2].visible);
  EXPECT_EQ(r.model.LineAry[0].color, 7);
}

TEST(DxfReadRecords, LayerColorFindsTheFirstExactNameOrAddsTheLayer) {
  TDxfModel model;
  model.LayerAry.resize(3);
  model.LayerAry[0].Name = "Wall";
  model.LayerAry[0].color = 3;
  model.LayerAry[1].Name = "Pipe";
  model.LayerAry[1].color = -5;  // a layer switched off keeps its negative colour
  model.LayerAry[2].Name = "Wall";
  model.LayerAry[2].color = 4;
  EXPECT_EQ(LayerColor(model, "Wall"), 3);
  EXPECT_EQ(LayerColor(model, "Pipe"), -5);
  EXPECT_EQ(LayerColor(model, "wall"), 7);
  ASSERT_EQ(model.LayerAry.size(), 4u);
  EXPECT_EQ(model.LayerAry[3].Name, "wall");
  EXPECT_EQ(model.LayerAry[3].ltype, "CONTINUOUS");
  EXPECT_EQ(model.LayerAry[3].code70, 0);
  EXPECT_TRUE(model.LayerAry[3].visible);
  EXPECT_EQ(LayerColor(model, "wall"), 7);
  EXPECT_EQ(model.LayerAry.size(), 4u);
}

TEST(DxfReadRecords, ByLayerFollowsTheLayerTableAsItStandsWhenTheEntityCloses) {
  const auto r = Read(Dxf(
      "0|SECTION|2|TABLES|0|TABLE|2|LAYER|"
      "0|LAYER|2|A|62|1|0|LAYER|2|A|62|2|0|ENDTAB|0|ENDSEC|"
      "0|SECTION|2|ENTITIES|0|LINE|8|A|0|LINE|8|Z|0|ENDSEC|"
      "0|SECTION|2|TABLES|0|TABLE|2|LAYER|0|LAYER|2|Z|62|5|0|LAYER|2|Y|62|6|0|ENDTAB|0|ENDSEC|"
      "0|SECTION|2|ENTITIES|0|LINE|8|Y|0|LINE|0|ENDSEC|0|EOF"));
  ASSERT_EQ(r.model.LineAry.size(), 4u);
  EXPECT_EQ(r.model.LineAry[0].color, 1);  // the first of two layers named A
  EXPECT_EQ(r.model.LineAry[1].color, 7);  // closed at its ENDSEC, before Z entered the table
  EXPECT_EQ(r.model.LineAry[2].color, 6);
}

TEST(DxfReadRecords, FileWithoutLayerTableGetsLayerZero) {
  const auto r = Read(Entities("0|CIRCLE|10|1|20|2|40|3|62|4"));
  ASSERT_EQ(r.model.LayerAry.size(), 1u);
  EXPECT_EQ(r.model.LayerAry[0].Name, "0");
  EXPECT_EQ(r.model.LayerAry[0].color, 7);
  EXPECT_EQ(r.model.LayerAry[0].code70, 0);
  EXPECT_EQ(r.model.LayerAry[0].ltype, "CONTINUOUS");
}

TEST(DxfReadRecords, LineInBlockGoesToTheBlockSet) {
  const auto r = Read(InBlock("0|LINE|10|1|20|1|11|2|21|2|0|CIRCLE|40|1"));
  ASSERT_EQ(r.model.BlockAry.size(), 1u);
  EXPECT_EQ(r.model.BlockAry[0].name, "B1");
  EXPECT_DOUBLE_EQ(r.model.BlockAry[0].base.x, 1);
  EXPECT_DOUBLE_EQ(r.model.BlockAry[0].base.y, 2);
  ASSERT_EQ(r.model.BlkLineAry.size(), 1u);
  EXPECT_EQ(r.model.BlkLineAry[0].bname, "B1");
  EXPECT_EQ(r.model.BlkLineAry[0].color, 7);
  EXPECT_TRUE(r.model.LineAry.empty());
  ASSERT_EQ(r.model.BlkCircleAry.size(), 1u);
}

TEST(DxfReadRecords, InsertAndFaceInBlockAreIgnored) {
  const auto r = Read(InBlock("0|INSERT|2|X|10|5|0|3DFACE|10|1|0|ARC|40|2"));
  EXPECT_TRUE(r.model.InsertAry.empty());
  EXPECT_TRUE(r.model.FaceAry.empty());
  ASSERT_EQ(r.model.BlkArcAry.size(), 1u);
  EXPECT_DOUBLE_EQ(r.model.BlkArcAry[0].hankei, 2);
  EXPECT_DOUBLE_EQ(r.model.BlkArcAry[0].center.x, 0);  // the INSERT's 10 went nowhere
}

TEST(DxfReadRecords, PolylineWithVerticesKeepsItsHandle) {
  const auto r = Read(Entities(
      "0|LWPOLYLINE|90|1|10|9|20|9|"
      "0|POLYLINE|8|P|66|1|70|1|10|0|20|0|30|0|"
      "0|VERTEX|8|P|10|1|20|2|30|3|42|0.5|70|0|"
      "0|VERTEX|10|4|20|5|"
      "0|VERTEX|10|6|20|7|42|-1|"
      "0|SEQEND|8|P|0|LINE"));
  ASSERT_EQ(r.model.LwpAry.size(), 2u);
  const TLwpBlk& poly = r.model.LwpAry[1];
  EXPECT_EQ(poly.ihand, 1);
  EXPECT_EQ(poly.code70, 1);
  EXPECT_EQ(poly.layer, "P");
  EXPECT_EQ(poly.color, 7);
  ASSERT_EQ(r.model.LwpEleAry.size(), 4u);
  EXPECT_EQ(r.model.LwpEleAry[0].ihand, 0);
  for (int i = 1; i < 4; ++i) EXPECT_EQ(r.model.LwpEleAry[i].ihand, 1);
  EXPECT_DOUBLE_EQ(r.model.LwpEleAry[1].code10.x, 1);  // the header's own 10 is not a vertex
  EXPECT_DOUBLE_EQ(r.model.LwpEleAry[1].code10.z, 3);
  EXPECT_DOUBLE_EQ(r.model.LwpEleAry[1].code42, 0.5);
  EXPECT_DOUBLE_EQ(r.model.LwpEleAry[2].code42, 0);
  EXPECT_DOUBLE_EQ(r.model.LwpEleAry[3].code10.y, 7);
  EXPECT_DOUBLE_EQ(r.model.LwpEleAry[3].code42, -1);
  EXPECT_EQ(r.model.LineAry.size(), 1u);
}

TEST(DxfReadRecords, LwPolylineVerticesAndBulges) {
  const auto r = Read(Entities(
      "0|LWPOLYLINE|8|L|62|256|90|3|70|1|43|0|10|0|20|0|42|1|10|2|20|0|10|2|20|2|210|0|220|0|"
      "230|-1|0|LINE"));
  ASSERT_EQ(r.model.LwpAry.size(), 1u);
  EXPECT_EQ(r.model.LwpAry[0].code70, 1);
  EXPECT_EQ(r.model.LwpAry[0].color, 7);
  EXPECT_DOUBLE_EQ(r.model.LwpAry[0].code210.z, -1);
  ASSERT_EQ(r.model.LwpEleAry.size(), 3u);
  EXPECT_DOUBLE_EQ(r.model.LwpEleAry[0].code42, 1);
  EXPECT_DOUBLE_EQ(r.model.LwpEleAry[1].code10.x, 2);
  EXPECT_DOUBLE_EQ(r.model.LwpEleAry[2].code10.y, 2);
}

TEST(DxfReadRecords, VertexGroupsBeforeTheFirstVertexTouchNoOtherPolyline) {
  const auto r = Read(Entities(
      "0|LWPOLYLINE|10|1|20|1|42|0.25|"
      "0|LWPOLYLINE|20|99|42|99|10|5|20|6"));
  ASSERT_EQ(r.model.LwpEleAry.size(), 2u);
  EXPECT_DOUBLE_EQ(r.model.LwpEleAry[0].code10.y, 1);
  EXPECT_DOUBLE_EQ(r.model.LwpEleAry[0].code42, 0.25);
  EXPECT_DOUBLE_EQ(r.model.LwpEleAry[1].code10.y, 6);
  EXPECT_TRUE(r.err.empty());
}

TEST(DxfReadRecords, TextGroupsAndDefaults) {
  const auto r = Read(Entities(
      "0|TEXT|8|T|10|1|20|2|30|0|40|2.5|1|Hello|50|90|72|1|11|3|21|4|73|2|0|"
      "ATTRIB|1|A|74|3|73|1|0|"
      "ATTRIB|1|B|73|1|74|3|0|"
      "MTEXT|1|M|71|5|41|10|0|LINE"));
  ASSERT_EQ(r.model.TextAry.size(), 4u);
  const TTextBlk& t = r.model.TextAry[0];
  EXPECT_EQ(t.str, "Hello");
  EXPECT_EQ(t.layer, "T");
  EXPECT_DOUBLE_EQ(t.pt10.y, 2);
  EXPECT_DOUBLE_EQ(t.pt11.x, 3);
  EXPECT_DOUBLE_EQ(t.code40, 2.5);
  EXPECT_DOUBLE_EQ(t.code41, 1.0);
  EXPECT_DOUBLE_EQ(t.code50, 90);
  EXPECT_EQ(t.code72, 1);
  EXPECT_EQ(t.code73, 2);
  EXPECT_FALSE(t.mtflag);
  EXPECT_EQ(r.model.TextAry[1].code73, 1);  // 73 and 74: whichever comes last
  EXPECT_EQ(r.model.TextAry[2].code73, 3);
  EXPECT_TRUE(r.model.TextAry[3].mtflag);
  EXPECT_EQ(r.model.TextAry[3].code71, 5);
  EXPECT_DOUBLE_EQ(r.model.TextAry[3].code41, 10);
}

TEST(DxfReadRecords, EmptyTextsAreDroppedAndTheirPlaceReused) {
  const auto r = Read(Entities(
      "0|TEXT|8|Gone|10|5|40|9|0|"
      "TEXT|1||0|"
      "TEXT|1|Kept|0|"
      "TEXT|1|Second|8|S|0|LINE"));
  ASSERT_EQ(r.model.TextAry.size(), 2u);
  EXPECT_EQ(r.model.TextAry[0].str, "Kept");
  // Nothing of a dropped text leaks into the record that takes its place.
  EXPECT_EQ(r.model.TextAry[0].layer, "");
  EXPECT_DOUBLE_EQ(r.model.TextAry[0].pt10.x, 0);
  EXPECT_DOUBLE_EQ(r.model.TextAry[0].code40, 0);
  EXPECT_EQ(r.model.TextAry[1].str, "Second");
  // A text without a layer resolves BYLAYER through a layer with an empty name.
  EXPECT_EQ(r.model.TextAry[0].color, 7);
  bool unnamed = false;
  for (const TLayer& l : r.model.LayerAry) unnamed |= l.Name.empty();
  EXPECT_TRUE(unnamed);
}

TEST(DxfReadRecords, MTextChunksAreCompletedByGroupOne) {
  const auto r = Read(Entities(
      "0|MTEXT|3|first chunk, |3|second chunk, |1|end|0|"
      "TEXT|1|only|0|"
      "TEXT|1|replaced|1|again|0|"
      "MTEXT|1|start|3| more|0|LINE"));
  ASSERT_EQ(r.model.TextAry.size(), 4u);
  EXPECT_EQ(r.model.TextAry[0].str, "first chunk, second chunk, end");
  EXPECT_EQ(r.model.TextAry[1].str, "only");
  EXPECT_EQ(r.model.TextAry[2].str, "again");
  EXPECT_EQ(r.model.TextAry[3].str, "start more");
}

TEST(DxfReadRecords, InsertFaceAndEllipseInEntities) {
  const auto r = Read(Entities(
      "0|INSERT|2|Sym|8|E|10|1|20|2|30|3|41|2|42|3|43|4|50|45|66|1|67|1|62|5|"
      "0|3DFACE|10|0|20|0|11|1|21|0|12|1|22|1|70|2|"
      "0|3DFACE|10|0|13|7|23|8|33|9|"
      "0|ELLIPSE|10|1|20|1|11|5|21|0|40|0.5|41|0|42|3.14|210|0|220|0|230|1|0|LINE"));
  ASSERT_EQ(r.model.InsertAry.size(), 1u);
  const TInsertBlk& in = r.model.InsertAry[0];
  EXPECT_EQ(in.name, "Sym");
  EXPECT_DOUBLE_EQ(in.base.z, 3);
  EXPECT_DOUBLE_EQ(in.scale.x, 2);
  EXPECT_DOUBLE_EQ(in.scale.z, 4);
  EXPECT_DOUBLE_EQ(in.rotate, 45);
  EXPECT_EQ(in.code66, 1);
  EXPECT_EQ(in.code67, 1);
  EXPECT_EQ(in.color, 5);
  ASSERT_EQ(r.model.FaceAry.size(), 2u);
  EXPECT_EQ(r.model.FaceAry[0].count, 3);
  EXPECT_EQ(r.model.FaceAry[0].code70, 2);
  EXPECT_DOUBLE_EQ(r.model.FaceAry[0].pt[2].y, 1);
  EXPECT_EQ(r.model.FaceAry[1].count, 4);
  EXPECT_DOUBLE_EQ(r.model.FaceAry[1].pt[3].z, 9);
  ASSERT_EQ(r.model.EllipseAry.size(), 1u);
  EXPECT_DOUBLE_EQ(r.model.EllipseAry[0].endpoint.x, 5);
  EXPECT_DOUBLE_EQ(r.model.EllipseAry[0].henpei, 0.5);
  EXPECT_DOUBLE_EQ(r.model.EllipseAry[0].owari, 3.14);
}

TEST(DxfReadRecords, ViewTableEntries) {
  const auto r = Read(Dxf(
      "0|SECTION|2|TABLES|0|TABLE|2|VIEW|70|1|"
      "0|VIEW|2|Front|70|0|40|10|10|3|20|4|41|20|"
      "0|VIEW|2|Top|70|1|"
      "0|ENDTAB|0|ENDSEC|0|EOF"));
  ASSERT_EQ(r.model.ViewAry.size(), 2u);
  EXPECT_EQ(r.model.ViewAry[0].name, "Front");
  EXPECT_DOUBLE_EQ(r.model.ViewAry[0].center.x, 3);
  EXPECT_DOUBLE_EQ(r.model.ViewAry[0].center.y, 4);
  EXPECT_DOUBLE_EQ(r.model.ViewAry[0].height, 10);
  EXPECT_DOUBLE_EQ(r.model.ViewAry[0].width, 20);
  EXPECT_EQ(r.model.ViewAry[1].code70, 1);
}

TEST(DxfReadRecords, EndBlkAndEndSecCloseTheLastEntity) {
  const auto r = Read(Dxf(
      "0|SECTION|2|TABLES|0|TABLE|2|LAYER|0|LAYER|2|Y|62|3|0|ENDTAB|0|ENDSEC|"
      "0|SECTION|2|BLOCKS|"
      "0|BLOCK|2|A|0|LINE|8|X|0|ENDBLK|8|0|"
      "0|BLOCK|2|B|0|POLYLINE|8|Y|0|VERTEX|10|1|0|ENDBLK|"
      "0|ENDSEC|"
      "0|SECTION|2|ENTITIES|0|LINE|8|Y|10|5|0|TEXT|8|Y|0|ENDSEC|"
      "0|SECTION|2|OBJECTS|10|9|0|ENDSEC|0|EOF"));
  ASSERT_EQ(r.model.BlkLineAry.size(), 1u);
  EXPECT_EQ(r.model.BlkLineAry[0].layer, "X");  // ENDBLK's own layer is not taken
  EXPECT_EQ(r.model.BlkLineAry[0].color, 7);
  ASSERT_EQ(r.model.BlkLwpAry.size(), 1u);
  EXPECT_EQ(r.model.BlkLwpAry[0].color, 3);
  EXPECT_EQ(r.model.BlkLwpEleAry.size(), 1u);  // the unended vertex sequence ends with its block
  ASSERT_EQ(r.model.LineAry.size(), 1u);
  EXPECT_EQ(r.model.LineAry[0].color, 3);
  EXPECT_TRUE(r.model.TextAry.empty());  // an empty text is dropped at ENDSEC too
}

TEST(DxfReadRecords, NothingAfterEofIsRead) {
  const auto r = Read(Dxf("0|SECTION|2|ENTITIES|0|CIRCLE|8|L|0|EOF|0|LINE|10|not a number"));
  EXPECT_EQ(r.err, "");
  ASSERT_EQ(r.model.CircleAry.size(), 1u);
  EXPECT_EQ(r.model.CircleAry[0].color, 7);  // EOF closes an entity left open
  EXPECT_TRUE(r.model.LineAry.empty());
}

TEST(DxfReadRecords, MTextColumnDataAfterGroup101IsNotTheTextsOwn) {
  const auto r = Read(Entities(
      "0|MTEXT|10|720|20|2296|40|50|41|591|71|1|72|5|1|edges|"
      "101|Embedded Object|70|1|10|1|20|0|11|720|21|2296|40|591|41|0|71|2|72|1|"
      "0|ATTRIB|10|3|1|a|101|Embedded Object|10|1|1|b"));
  ASSERT_EQ(r.model.TextAry.size(), 2u);
  const TTextBlk& m = r.model.TextAry[0];
  EXPECT_DOUBLE_EQ(m.pt10.x, 720);
  EXPECT_DOUBLE_EQ(m.pt11.x, 0);
  EXPECT_DOUBLE_EQ(m.code40, 50);
  EXPECT_DOUBLE_EQ(m.code41, 591);
  EXPECT_EQ(m.code71, 1);
  EXPECT_EQ(m.code72, 5);
  EXPECT_DOUBLE_EQ(r.model.TextAry[1].pt10.x, 3);  // the next text reads in full again
  EXPECT_EQ(r.model.TextAry[1].str, "a");
}

TEST(DxfReadRecords, UnknownEntitiesSectionsAndTablesAreSkipped) {
  const auto r = Read(Dxf(
      "0|SECTION|2|CLASSES|0|CLASS|1|LINE|0|ENDSEC|"
      "0|SECTION|2|ENTITIES|0|POINT|10|abc|0|HATCH|10|1|0|LINE|10|1|0|DIMENSION|"
      "0|ENDSEC|0|SECTION|2|OBJECTS|0|LINE|10|7|0|ENDSEC|0|EOF"));
  EXPECT_TRUE(r.err.empty());  // the POINT's bad number is never converted
  ASSERT_EQ(r.model.LineAry.size(), 1u);
  EXPECT_DOUBLE_EQ(r.model.LineAry[0].st.x, 1);
}

TEST(DxfReadRecords, KeywordsAreCaseSensitiveAndWhole) {
  const auto r = Read(Entities("0|line|10|1|0|LINE |10|2|0| LINE|0|LINE|10|3"));
  ASSERT_EQ(r.model.LineAry.size(), 1u);
  EXPECT_DOUBLE_EQ(r.model.LineAry[0].st.x, 3);
}

TEST(DxfReadRecords, VersionComesFromTheHeader) {
  const auto r = Read(Dxf("0|SECTION|2|HEADER|9|$ACADVER|1|AC1015|9|$X|1|no|0|ENDSEC|0|EOF"));
  EXPECT_EQ(r.ver, "AC1015");
  EXPECT_EQ(Read(Entities("0|LINE")).ver, "");
}

TEST(DxfReadRecords, ReadingAgainStartsFromAnEmptyModel) {
  TDxfModel model;
  std::string err, ver;
  DxfReadFromBytes(model, Entities("0|LINE|0|TEXT|1|x|0|LINE"), nullptr, nullptr, err, ver);
  model.DxfExtMax = {1, 1, 0};
  DxfReadFromBytes(model, Entities("0|CIRCLE|10|1"), nullptr, nullptr, err, ver);
  EXPECT_TRUE(model.LineAry.empty());
  EXPECT_TRUE(model.TextAry.empty());
  EXPECT_EQ(model.CircleAry.size(), 1u);
  EXPECT_DOUBLE_EQ(model.DxfExtMax.x, 0);
}


TEST(DxfReadRecords, UnclosedPolylineTakesNoVerticesOfTheNextOne) {
  // Neither polyline has its SEQEND; the second one's vertices stay its own and in order.
  const auto r = Read(Entities(
      "0|POLYLINE|0|VERTEX|10|1|0|"
      "LWPOLYLINE|10|2|10|3|0|"
      "POLYLINE|0|TEXT|1|t|0|VERTEX|10|4|0|"
      "LWPOLYLINE|10|5|0|VERTEX|10|6|0|SEQEND|0|LINE|10|7"));
  ASSERT_EQ(r.model.LwpAry.size(), 4u);
  std::vector<int> hands;
  for (const TLwpEle& v : r.model.LwpEleAry) hands.push_back(v.ihand);
  EXPECT_EQ(hands, (std::vector<int>{0, 1, 1, 2, 3}));
  ASSERT_EQ(r.model.LineAry.size(), 1u);
  EXPECT_DOUBLE_EQ(r.model.LineAry[0].st.x, 7);
}

TEST(DxfReadRecords, VertexSequenceWithoutSeqEndTakesLaterPoints) {
  // Without SEQEND the sequence stays open: a LINE's start point also becomes a vertex.
  const auto r = Read(Entities("0|POLYLINE|0|VERTEX|10|1|0|LINE|10|2|20|3|0|CIRCLE"));
  ASSERT_EQ(r.model.LwpEleAry.size(), 2u);
  EXPECT_DOUBLE_EQ(r.model.LwpEleAry[1].code10.x, 2);
  EXPECT_DOUBLE_EQ(r.model.LwpEleAry[1].code10.y, 3);
  ASSERT_EQ(r.model.LineAry.size(), 1u);
  EXPECT_DOUBLE_EQ(r.model.LineAry[0].st.x, 2);
}

}  // namespace
}  // namespace zr
