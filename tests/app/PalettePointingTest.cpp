// Pointing at a slot and clicking it, against a fake view and a scripted CAD.
#include <gtest/gtest.h>

#include "app/PaletteForm.h"
#include "support/FakeCad.h"
#include "support/FakePaletteView.h"
#include "support/PaletteRig.h"
#include "support/TempFolder.h"
#include "drawing/ScaleDrawingName.h"

namespace zr {
namespace {

using test::Journal;

TBlkList Block(const char* no, const char* name, const char* comment, bool jis, bool kok) {
  TBlkList b;
  b.BlkNo = no;
  b.BlkName = name;
  b.Comment = comment;
  b.IsJis = jis;
  b.IsKok = kok;
  return b;
}

class PalettePointingTest : public ::testing::Test, public test::FakeCad, protected test::PaletteRig {
 protected:
  PalettePointingTest() {
    form.SetDesktop(desktop);
    form.gbExePath = dir.File("");
    form.gbDxfDir = kDxfDirName;
    dir.Write("DXF/E001B.dxf", "");
    TBlkList& a = Slot(0);
    a = Block("E001", "照明器具", "天井付", true, false);
    a.ExtMin = {-1.0, -2.0, 0.0};
    a.ExtMax = {11.5, 1.0, 0.0};
    TBlkList& b = Slot(1);
    b = Block("E002", "非常灯", "", false, true);
    b.ExtMin = {-1.0, -2.0, 0.0};
    b.ExtMax = {3.0, 4.0, 0.0};
    Slot(2) = Block("E003", "範囲なし", "コメント", true, true);  // range never set
    TBlkList& line = Slot(3);  // one horizontal line: no height
    line = Block("E004", "配線", "一線", false, false);
    line.ExtMin = {0.0, 5.0, 0.0};
    line.ExtMax = {20.0, 5.0, 0.0};
  }
  TBlkList& Slot(int k) { return state.gbBlkList[static_cast<std::size_t>(k)]; }
  std::vector<std::string> Shown() const {
    return {view.texts[0], view.texts[1], view.texts[2], view.texts[3], view.status[0],
            view.status[1]};
  }

};

TEST_F(PalettePointingTest, PointingDescribesTheSlotInEveryDisplay) {
  const struct {
    int slot;
    bool n20;
    std::vector<std::string> shown;  // name, J, K, information, panel 0, panel 1
  } cases[] = {
      {0, false, {"照明器具", "Ｊ", "", "天井付", "E001", "12.500 x 3.000"}},
      {1, true, {"非常灯", "", "Ｋ", "ExtMin = -1.0000,-2.0000 ExtMax = 3.0000,4.0000", "E002",
                 "4.000 x 6.000"}},
      {2, false, {"範囲なし", "Ｊ", "Ｋ", "", "E003", ""}},  // empty range: no size, no comment
      {2, true, {"範囲なし", "Ｊ", "Ｋ", "", "E003", ""}},
      {3, false, {"配線", "", "", "", "E004", ""}},  // a width alone is no size either
      {5, false, {"", "", "", "", "", ""}},  // an empty slot empties everything
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slot);
    form.N20Checked = c.n20;
    form.Image1MouseMove(c.slot, 3, 4);
    EXPECT_EQ(Shown(), c.shown);
    for (int k = 0; k < kSlotCount; ++k) {
      EXPECT_EQ(view.bevels[static_cast<std::size_t>(k)],
                k == c.slot ? SlotBevel::None : SlotBevel::Raised);
    }
  }
}

TEST_F(PalettePointingTest, MovingWithinASlotWritesNothing) {
  for (const bool n20 : {false, true}) {  // the comment or the range on the information line
    SCOPED_TRACE(n20);
    form.N20Checked = n20;
    form.Image1MouseMove(5, 0, 0);  // an empty slot first
    const int before = view.bevelWrites;
    form.Image1MouseMove(0, 1, 1);
    const int texts = view.textWrites;
    const int status = view.statusWrites;
    const int bevels = view.bevelWrites;
    EXPECT_EQ(bevels, before + 2);  // slot 5 raised again, slot 0 flat
    form.Image1MouseMove(0, 40, 30);
    EXPECT_EQ(view.textWrites, texts);
    EXPECT_EQ(view.statusWrites, status);
    EXPECT_EQ(view.bevelWrites, bevels);
    form.Image1MouseMove(1, 0, 0);
    EXPECT_EQ(view.bevelWrites, bevels + 2);  // slot 0 raised again, slot 1 flat
  }
}

TEST_F(PalettePointingTest, ClickOrDoubleClickInsertsByTheOption) {
  const auto sends = [&] {
    const Journal calls = DocCalls();
    return std::count_if(calls.begin(), calls.end(),
                         [](const std::string& c) { return c.rfind("SendCommand", 0) == 0; });
  };
  form.Image1Click(0);
  form.Image1DblClick(0);
  EXPECT_EQ(sends(), 1);
  form.gbFlagDbClick = true;
  form.Image1Click(0);
  EXPECT_EQ(sends(), 1);
  form.Image1DblClick(0);
  EXPECT_EQ(sends(), 2);
}

TEST_F(PalettePointingTest, InsertionTakesThePaletteOptions) {
  dir.Write("DXF/E001A.dxf", "");
  dir.Write("DXF/E001C.dxf", "");
  const struct {
    std::array<bool, 4> checked;  // 1/200, 1/100, 1/50, None
    const char* sent;             // the drawing and the scale the command carries
  } cases[] = {
      {{false, false, true, false}, "E001C.dxf\\\"\\rS 50 PS 50 R 180"},
      {{true, false, false, false}, "E001A.dxf\\\"\\rS 200 PS 200 R 180"},
      {{false, true, false, true}, "E001B.dxf\\\"\\rS 1 PS 1 R 180"},
  };
  state.gbKaiten = 3.141592653589793;
  state.gbHojoKiten = true;
  Slot(0).Kiten[0] = {0.0, 1.0, 0.0};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sent);
    journal->clear();
    view.checked = c.checked;
    form.InsertBlock(0);
    const Journal calls = DocCalls();
    ASSERT_GE(calls.size(), 5u);
    EXPECT_NE(calls[4].find(std::string(c.sent) + "\\r_none\\r10,20\\r"), std::string::npos)
        << calls[4];
  }
}

TEST_F(PalettePointingTest, ASecondClickWhileTheCadIsBusyIsRefused) {
  int nested = 0;
  desktop.onProcessMessages = [&] {
    if (nested++ == 0) form.Image1Click(1);  // the user clicks again while the CAD waits
  };
  form.Image1Click(0);
  EXPECT_TRUE(form.IsInserting() == false);
  const Journal calls = DocCalls();
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                          [](const std::string& c) { return c.rfind("SendCommand", 0) == 0; }),
            1);
  form.Image1Click(0);  // once it has returned, the next click inserts again
  EXPECT_EQ(DocCalls().size(), calls.size() * 2);
}

TEST_F(PalettePointingTest, OnlyABlockWhoseCommandReachedTheCadIsRemembered) {
  const std::string deep(250, 'd');
  const std::string deepExe = dir.File(deep + "/" + deep + "/");
  dir.Write(deep + "/" + deep + "/DXF/E001B.dxf", "");
  cadlink::testing::FakeWindow lt{0x3B0, "AutoCAD LT 2024 - [Drawing1.dwg]", "AfxMDIFrame140u"};
  const struct {
    const char* what;
    const char* progId;
    bool lisp, auxiliary, cadRunning, ltWindow, ltEnabled, overlong, cancel;
    bool remembered;
  } cases[] = {
      {"automation", test::kProgId, false, false, true, false, true, false, false, true},
      {"at a point", test::kProgId, false, true, true, false, true, false, false, true},
      {"no CAD", test::kProgId, false, false, false, false, true, false, false, false},
      {"LT without LISP", "AutoCAD LT", false, false, true, true, true, false, false, false},
      {"over-long", test::kProgId, false, false, true, false, true, true, false, false},
      {"cancelled", test::kProgId, false, true, true, false, true, false, true, false},
      {"LISP", test::kProgId, true, false, true, false, true, false, false, true},
      {"LISP, no CAD", test::kProgId, true, false, false, false, true, false, false, false},
      {"LISP typed", "AutoCAD LT", true, false, true, true, true, false, false, true},
      {"LISP, no LT", "AutoCAD LT", true, false, true, false, true, false, false, false},
      {"LISP, LT busy", "AutoCAD LT", true, false, true, true, false, false, false, false},
      {"LISP over-long", "AutoCAD LT", true, false, true, true, true, true, false, false},
  };
  const auto running = desktop.running;
  const auto windows = desktop.windows;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    form.LoadRecentBlocks(RecentBlocks());
    state.gbProgID = c.progId;
    state.gbUseLISP = c.lisp;
    state.gbHojoKiten = c.auxiliary;
    Slot(0).Kiten[0] = {c.auxiliary ? 1.0 : 0.0, 0.0, 0.0};
    desktop.running = c.cadRunning ? running : decltype(running){};
    desktop.windows = windows;
    lt.enabled = c.ltEnabled;  // a CAD in a modal dialog takes no typed text
    if (c.ltWindow) desktop.windows.push_back(lt);
    form.gbExePath = c.overlong ? deepExe : dir.File("");
    cancelInsert = c.cancel;
    desktop.messages.clear();

    form.InsertBlock(0);
    EXPECT_EQ(form.Recent().Numbers(),
              c.remembered ? std::vector<std::string>{"E001"} : std::vector<std::string>{});
    EXPECT_EQ(desktop.messages.size(), c.overlong ? 1u : 0u);  // the refusal says why
  }
}

}  // namespace
}  // namespace zr
