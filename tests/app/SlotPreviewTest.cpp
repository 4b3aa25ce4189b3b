// The large preview of a slot: where it goes beside the palette, what it says and its
// picture drawn anew at its own size.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/SlotPreview.h"
#include "drawing/ScaleDrawingName.h"
#include "support/PaletteRig.h"
#include "support/RecordingCanvas.h"

namespace zr {
namespace {

TEST(SlotPreviewPlace, BesideThePaletteInsideTheWorkAreaAndNeverUnderThePointer) {
  // A palette of 440 x 300 on a work area of 1280 x 760; a preview of 230 x 330, gap 4,
  // margin 8 around the pointer.
  const ScreenRect area{0, 0, 1280, 760};
  const struct {
    const char* what;
    ScreenRect workArea;
    ScreenRect palette;
    ViewPoint pointer;
    ScreenRect expected;
  } cases[] = {
      {"room on the right", area, {100, 50, 540, 350}, {200, 150}, {544, 50, 774, 380}},
      {"flipped to the left at the right edge", area, {800, 50, 1240, 350}, {900, 150},
       {566, 50, 796, 380}},
      {"held above the bottom edge", area, {100, 600, 540, 900}, {200, 700}, {544, 430, 774, 760}},
      {"on a monitor left of the primary", {-1280, 0, 0, 760}, {-500, 50, -60, 350},
       {-400, 150}, {-734, 50, -504, 380}},
      // Space on a focused slot: the pointer rests where the preview would go.
      {"moved below a pointer beside the palette", area, {100, 50, 540, 350}, {600, 100},
       {544, 109, 774, 439}},
      {"moved above a pointer low beside the palette", area, {100, 300, 540, 600}, {600, 500},
       {544, 162, 774, 492}},
      // A palette as wide as the work area: over it, at the edge away from the pointer.
      {"no room on either side, pointer on the left", {0, 0, 700, 760}, {10, 50, 690, 350},
       {100, 150}, {470, 50, 700, 380}},
      {"no room on either side, pointer on the right", {0, 0, 700, 760}, {10, 50, 690, 350},
       {600, 150}, {0, 50, 230, 380}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ScreenRect r = PlacePreview({c.workArea, c.palette, c.pointer, {230, 330}, 4, 8});
    EXPECT_EQ(r, c.expected) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    EXPECT_FALSE((ScreenRect{r.left - 8, r.top - 8, r.right + 8, r.bottom + 8}.Contains(c.pointer)));
    EXPECT_TRUE(r.left >= c.workArea.left && r.right <= c.workArea.right &&
                r.top >= c.workArea.top && r.bottom <= c.workArea.bottom);
  }
}

class SlotPreviewTest : public ::testing::Test, protected test::PaletteRig {
 protected:
  SlotPreviewTest() {
    form.gbExePath = dir.File("");
    form.gbDxfDir = kDxfDirName;
    TBlkList& rec = state.gbBlkList[3];
    rec.BlkNo = "L01";
    rec.BlkName = "照明 01";
    rec.Comment = "天井付";
    rec.ExtMin = {-1.0, -2.0, 0.0};
    rec.ExtMax = {11.5, 1.0, 0.0};
    rec.Kiten[0] = {11.5, 1.0, 0.0};  // the user picked base point 9
    rec.KitenNo = 9;
  }
};

TEST_F(SlotPreviewTest, DescribesTheBlockWithTheScaleDrawingsThatExist) {
  dir.Write("DXF/L01A.dxf", "");
  dir.Write("DXF/L01C.dxf", "");
  view.checked[static_cast<int>(CheckBox::CheckBox3)] = true;  // 1/50 shown
  const TSlotPreview p = PreviewOfSlot(form, view, state, 3);
  EXPECT_EQ(p.fileName, BlockFileName(form.gbExePath, kDxfDirName, "L01", 'C'));
  const std::vector<PreviewLine> expected{{"番号", "L01"},
                                          {"名称", "照明 01"},
                                          {"コメント", "天井付"},
                                          {"大きさ", "12.500 x 3.000"},
                                          {"図面", "A ○  B ×  C ○"}};
  EXPECT_EQ(p.lines, expected);

  // A range of no height shows no size, as pointing does; an empty slot has no drawing.
  state.gbBlkList[3].ExtMax.y = -2.0;
  EXPECT_EQ(PreviewOfSlot(form, view, state, 3).lines[3].value, "");
  EXPECT_EQ(PreviewOfSlot(form, view, state, 4).fileName, "");
}

TEST_F(SlotPreviewTest, PictureIsDrawnAtItsOwnSizeAndTheSlotKeepsItsChosenBasePoint) {
  // A circle of radius 1 about the base point: 80 % of a 212-pixel picture is 169.6 pixels.
  dir.Write("DXF/L01B.dxf",
            "0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n8\n0\n10\n0.0\n20\n0.0\n30\n0.0\n40\n1.0\n"
            "0\nENDSEC\n0\nEOF\n");
  state.gbHojoKiten = true;
  const TBlkList before = state.gbBlkList[3];
  const TSlotPreview p = PreviewOfSlot(form, view, state, 3);
  TDxfModel model;
  testing::RecordingCanvas picture(212, 212);
  DrawPreviewPicture(model, p, picture);

  const auto arc = std::find_if(picture.Ops().begin(), picture.Ops().end(),
                                [](const testing::DrawOp& op) { return op.kind == testing::OpKind::Arc; });
  ASSERT_NE(arc, picture.Ops().end());
  EXPECT_NEAR(arc->v[2] - arc->v[0], 170, 2);
  // Nine base points and the base point mark, in squares of 9 pixels (4x the slot's 3).
  const auto squares = std::count_if(picture.Ops().begin(), picture.Ops().end(), [](const auto& op) {
    return op.kind == testing::OpKind::Rectangle && op.v[2] - op.v[0] == 9;
  });
  EXPECT_EQ(squares, 10);
  EXPECT_EQ(state.gbBlkList[3].KitenNo, before.KitenNo);
  EXPECT_EQ(state.gbBlkList[3].Kiten[0].x, before.Kiten[0].x);
  EXPECT_EQ(state.gbBlkList[3].ExtMax.x, before.ExtMax.x);
}

}  // namespace
}  // namespace zr
