// The production painter really reaches the drawing engine: a block file drawn into a slot
// sets the slot's range and paints the picture, a missing one leaves both alone.
#include "app/SlotPainter.h"

#include <gtest/gtest.h>

#include "support/RecordingCanvas.h"
#include "support/TempFolder.h"

namespace zr {
namespace {

const char kLineDxf[] =
    "0\nSECTION\n2\nENTITIES\n"
    "0\nLINE\n8\n0\n10\n-1.0\n20\n-0.5\n30\n0.0\n11\n2.0\n21\n1.5\n31\n0.0\n"
    "0\nENDSEC\n0\nEOF\n";

TEST(EngineSlotPainter, DrawsTheBlockFileAndStoresItsRange) {
  test::TempFolder dir;
  dir.Write("L01B.dxf", kLineDxf);
  TDxfModel model;
  TPaletteState state;
  EngineSlotPainter painter(model, state);
  testing::RecordingCanvas picture(53, 53);

  painter.ClearImage(picture, 53, 53, 0x000000);
  const std::size_t afterClear = picture.Ops().size();
  EXPECT_GT(afterClear, 0u);
  painter.DrawSlot(dir.File("L01B.dxf"), picture, 3, false, 0.0);
  EXPECT_GT(picture.Ops().size(), afterClear);
  EXPECT_DOUBLE_EQ(state.gbBlkList[3].ExtMin.x, -1.0);
  EXPECT_DOUBLE_EQ(state.gbBlkList[3].ExtMax.y, 1.5);

  testing::RecordingCanvas other(53, 53);
  painter.DrawSlot(dir.File("missing B.dxf"), other, 4, false, 0.0);
  EXPECT_TRUE(other.Ops().empty());
  EXPECT_EQ(state.gbBlkList[4].ExtMax.x, 0.0);
}

}  // namespace
}  // namespace zr
