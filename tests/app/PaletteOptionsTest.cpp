// The palette's options against a fake view: scale boxes, rotation, context menu entries.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "app/Catalogue.h"
#include "app/PaletteForm.h"
#include "support/FakePaletteView.h"
#include "support/PaletteRig.h"
#include "support/TempFolder.h"

namespace zr {
namespace {

using test::FakePaletteView;
using test::FakeSlotPainter;

constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlack = 0x000000;

class PaletteOptionsTest : public ::testing::Test, protected test::PaletteRig {
 protected:
  void SetUp() override {
    dir.Write(kMenuListName, "Lamps\tL\r\n");
    dir.Write(kBlockListName, "L01\tLamp\r\n");
    form.FormCreate(dir.File("ZovezaRuzu.exe"));
    form.FormShow();
    painter.Reset();
  }
  // A user's click on a check box: the box toggles, then its handler runs.
  void ClickBox(int n) {
    const auto box = static_cast<CheckBox>(n - 1);
    view.checked[static_cast<std::size_t>(n - 1)] = !view.IsChecked(box);
    switch (n) {
      case 1: form.CheckBox1Click(); break;
      case 2: form.CheckBox2Click(); break;
      case 3: form.CheckBox3Click(); break;
      default: form.CheckBox4Click(); break;
    }
  }
  double Degrees() const { return state.gbKaiten * 180.0 / std::numbers::pi; }
  std::string LastDrawnFile() const {
    return painter.draws.empty() ? "" : painter.draws.back().fileName;
  }

};

TEST_F(PaletteOptionsTest, EveryScaleClickSequenceEndsWithExactlyOneRedBox) {
  const struct {
    std::vector<int> clicks;
    int checked;  // 1 = 1/200, 2 = 1/100, 3 = 1/50
    char letter;
  } cases[] = {
      {{1}, 1, 'A'},       {{3}, 3, 'C'},          {{2}, 2, 'B'},  // the checked box stays
      {{1, 3}, 3, 'C'},    {{3, 3}, 3, 'C'},       {{1, 2}, 2, 'B'},
      {{3, 1, 1, 2}, 2, 'B'},
  };
  for (const auto& c : cases) {
    SetUp();
    view.checked = {false, true, false, false};
    for (int n : c.clicks) ClickBox(n);
    for (int n = 1; n <= 3; ++n) {
      const auto i = static_cast<std::size_t>(n - 1);
      const bool on = n == c.checked;
      EXPECT_EQ(view.checked[i], on) << "box " << n << " after " << c.clicks.size() << " clicks";
      EXPECT_EQ(view.checkLooks[i].color, on ? kRed : kBlack) << "box " << n;
    }
    EXPECT_EQ(LastDrawnFile(), BlockFileName(dir.File(""), "DXF", "L01", c.letter));
  }
}

TEST_F(PaletteOptionsTest, NoneBoxIsRedAndBoldWhenCheckedAndRedrawsNothing) {
  ClickBox(4);
  EXPECT_EQ(view.checkLooks[3], (FakePaletteView::CheckLook{kRed, true}));
  ClickBox(4);
  EXPECT_EQ(view.checkLooks[3], (FakePaletteView::CheckLook{kBlack, false}));
  EXPECT_TRUE(painter.draws.empty());
}

TEST_F(PaletteOptionsTest, RotationButtonsStepByTheirCaptionsAndWrapAtZeroAndFullTurn) {
  const struct {
    int pitch;
    int plus;   // presses of "+" from 0
    int minus;  // then presses of "-"
    double degrees;
  } cases[] = {
      {15, 24, 0, 0.0},   // a full turn comes back to exactly 0, rounding or not
      {45, 8, 0, 0.0},    {30, 1, 0, 30.0},  {15, 0, 1, -15.0},  {15, 0, 3, -45.0},
      {15, 2, 2, 360.0},  // back to 0 with "-" gives the full turn
      {30, 13, 1, 360.0},  // 390 - 30
  };
  for (const auto& c : cases) {
    form.SetRotationPitch(c.pitch);
    form.SpeedButton5Click();
    for (int i = 0; i < c.plus; ++i) form.SpeedButton3Click();
    for (int i = 0; i < c.minus; ++i) form.SpeedButton4Click();
    const std::string what = std::to_string(c.plus) + " x +" + std::to_string(c.pitch) + ", " +
                             std::to_string(c.minus) + " x -";
    if (c.degrees == 0.0) {
      EXPECT_EQ(state.gbKaiten, 0.0) << what;
    } else if (c.degrees == 360.0) {
      EXPECT_EQ(state.gbKaiten, 2.0 * std::numbers::pi) << what;
    } else {
      EXPECT_NEAR(Degrees(), c.degrees, 1e-9) << what;
    }
  }
  form.SpeedButton5Click();
  EXPECT_EQ(state.gbKaiten, 0.0);
  EXPECT_EQ(painter.draws.back().kaiten, 0.0);
}

TEST_F(PaletteOptionsTest, PitchChangesOnlyTheCaptions) {
  form.SpeedButton3Click();
  painter.Reset();
  const double kaiten = state.gbKaiten;
  form.PopupMenu1Click(MenuCommand::Pitch30);
  EXPECT_EQ(view.captions[2], "+30");
  EXPECT_EQ(view.captions[3], "-30");
  EXPECT_EQ(form.N153Caption, "回転角度ピッチ 30°");
  EXPECT_EQ(state.gbKaiten, kaiten);
  EXPECT_TRUE(painter.draws.empty());
}

TEST_F(PaletteOptionsTest, CaptionThatIsNoNumberIsReportedAndChangesNothing) {
  for (const char* caption : {"abc", "+", "15°", "", "inf", "1e999"}) {
    view.captions[2] = caption;
    state.gbKaiten = 0.25;
    painter.Reset();
    try {
      form.SpeedButton3Click();
      ADD_FAILURE() << "no error for '" << caption << "'";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(caption) + "' は浮動小数点数ではありません");
    }
    EXPECT_EQ(state.gbKaiten, 0.25);
    EXPECT_TRUE(painter.draws.empty());
  }
}

TEST_F(PaletteOptionsTest, MenuListsEveryEntryInOrderWithSeparatorsAndChecks) {
  std::string names;
  for (const MenuEntry& e : form.PopupMenu1()) {
    names += e.IsSeparator() ? "-" : e.name + (e.checked ? "*" : "");
    names += e.submenu.empty() ? " " : "(" + std::to_string(e.submenu.size()) + ") ";
  }
  EXPECT_EQ(names,
            "LISP1 IJCADLT1 N25 - N1 - N153(3) - N9(5) - N301 N151 - N302 N152 - OFF1 N3 N180Z1 "
            "- N16 - N20 - BricsCAD1 N18 - N7 - CheckCatalogue1 ");

  form.PopupMenu1Click(MenuCommand::UseLisp);
  form.PopupMenu1Click(MenuCommand::DoubleClick);
  form.PopupMenu1Click(MenuCommand::LwpKiten);
  form.PopupMenu1Click(MenuCommand::ExtMinMax);
  names.clear();
  for (const MenuEntry& e : form.PopupMenu1()) {
    if (e.checked) names += e.name + " ";
  }
  EXPECT_EQ(names, "N25 N1 N16 N20 ");
  EXPECT_TRUE(state.gbUseLISP);
  EXPECT_TRUE(form.gbFlagDbClick);
  EXPECT_TRUE(state.gbLwpKiten);
  EXPECT_TRUE(form.N20Checked);
  EXPECT_EQ(form.PopupMenu1()[6].caption, "回転角度ピッチ 45°");
  // Separators are marked: an entry whose caption came empty is still an entry.
  const MenuEntry pitch = BuildPaletteMenu({})[6];
  EXPECT_FALSE(pitch.IsSeparator());
  EXPECT_EQ(pitch.submenu.size(), 3u);
}

TEST_F(PaletteOptionsTest, MenuEntriesRedrawOnlyWhatTheThumbnailsShow) {
  const struct {
    MenuCommand command;
    bool baseMarksShown;
    bool redraws;
  } cases[] = {
      {MenuCommand::LwpKiten, false, true},     {MenuCommand::ColorBlue, false, false},
      {MenuCommand::ColorPurple, true, true},   {MenuCommand::ExtMinMax, true, false},
      {MenuCommand::UseLisp, true, false},      {MenuCommand::DoubleClick, true, false},
      {MenuCommand::DrafterOff, true, false},   {MenuCommand::LoadLisp, true, false},
      {MenuCommand::TargetCad, true, false},    {MenuCommand::Cancel, true, false},
  };
  for (const auto& c : cases) {
    state.gbHojoKiten = c.baseMarksShown;
    painter.Reset();
    form.PopupMenu1Click(c.command);
    EXPECT_EQ(!painter.draws.empty(), c.redraws) << static_cast<int>(c.command);
  }
  EXPECT_EQ(state.gbHojoKitenColor, 0x00FF00FFu);
  EXPECT_EQ(view.aboutBoxes, 0);
  form.PopupMenu1Click(MenuCommand::About);
  EXPECT_EQ(view.aboutBoxes, 1);
}

}  // namespace
}  // namespace zr
