// The palette's CAD commands besides insertion: "2p" redraws the page with the new rotation,
// the target dialog's OK sets the title and the ProgID the next command uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "app/PaletteForm.h"
#include "support/FakeCad.h"
#include "support/FakePaletteView.h"
#include "support/PaletteRig.h"
#include "support/TempFolder.h"

namespace zr {
namespace {

using test::AutoValue;
using test::kProgId;

// Shows nothing: answers as the user would, by OK with the given fields or by cancel.
class ScriptedTargetDialog : public cadlink::ITargetCadDialog {
 public:
  std::optional<cadlink::TTargetEntry> ShowModal(cadlink::TTargetCADForm&,
                                                 const std::string& progId) override {
    shownWith = progId;
    return answer;
  }
  std::optional<cadlink::TTargetEntry> answer;
  std::string shownWith;
};

class PaletteCadCommandsTest : public ::testing::Test, public test::FakeCad, protected test::PaletteRig {
 protected:
  PaletteCadCommandsTest() {
    dir.Write("MenuList.txt", "Lights\tL\r\n");
    dir.Write("BlockList.txt", "L01\tA\r\n");
    dir.Write("DXF/L01B.dxf", "");
    form.FormCreate(dir.File("ZovezaRuzu.exe"));
    form.FormShow();
    form.SetDesktop(desktop);
    form.SetTargetCadDialog(dialog);
    auto utility = std::make_shared<test::FakeAutoObject>("Utility", journal);
    utility->SetValue("GetAngle", 0.5);
    utility->SetValue("Prompt", AutoValue());
    doc->SetValue("Utility", AutoValue(utility));
  }

  ScriptedTargetDialog dialog;
};

TEST_F(PaletteCadCommandsTest, TwoPointsRedrawsThePageWithTheIndicatedRotation) {
  painter.Reset();
  form.SpeedButton7Click();
  EXPECT_EQ(state.gbKaiten, 0.5);
  ASSERT_EQ(painter.draws.size(), 1u);
  EXPECT_EQ(painter.draws[0].kaiten, 0.5);
  EXPECT_EQ(DocCalls().back(), "SendCommand(\"\\x1B\")");  // after the redraw
}

TEST_F(PaletteCadCommandsTest, TargetDialogOkSetsTitleAndProgIdCancelKeepsThem) {
  dialog.answer = std::nullopt;
  form.TargetCadClick();
  EXPECT_EQ(dialog.shownWith, kProgId);
  EXPECT_EQ(view.title, "Zoveza Ruzu 1.65 Dark");
  EXPECT_EQ(state.gbProgID, kProgId);

  dialog.answer = cadlink::TTargetEntry{"", "AutoCAD LT"};
  form.TargetCadClick();
  EXPECT_EQ(view.title, "Zoveza Ruzu 1.65 Dark [  ]");
  EXPECT_EQ(state.gbProgID, "AutoCAD LT");
  // The next command already goes to the new target: typed, not automated.
  form.DrafterClick(cadlink::DrafterCommand::Off);
  EXPECT_TRUE(DocCalls().empty());
}

TEST_F(PaletteCadCommandsTest, CommandsWhileAnInsertionWaitsAreRefusedWithAMessage) {
  dir.Write("zovezaRuzu.lsp", "(princ)\r\n");
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"LISP", [&] { form.PopupMenu1Click(MenuCommand::LoadLisp); }},
      {"LISP line by line", [&] { form.PopupMenu1Click(MenuCommand::LoadLispIjcadLt); }},
      {"drafter", [&] { form.PopupMenu1Click(MenuCommand::DrafterPlus30); }},
      {"2p", [&] { form.SpeedButton7Click(); }},
  };
  for (const auto& [what, command] : commands) {
    SCOPED_TRACE(what);
    view.texts[3].clear();
    bool chosen = false;
    desktop.onProcessMessages = [&] {  // chosen while the CAD waits for the insertion point
      if (!std::exchange(chosen, true)) command();
    };
    journal->clear();
    form.Image1Click(0);
    ASSERT_TRUE(chosen);
    const test::Journal calls = DocCalls();
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const std::string& c) { return c.rfind("SendCommand", 0) == 0; }),
              1);  // the insertion's own
    EXPECT_EQ(view.texts[3], "挿入の完了を待っています");
    desktop.onProcessMessages = nullptr;
  }
  view.texts[3].clear();
  form.PopupMenu1Click(MenuCommand::DrafterPlus30);  // once it has returned, commands run again
  EXPECT_EQ(view.texts[3], "");
  EXPECT_EQ(DocCalls().back().rfind("SendCommand", 0), 0u);
}

}  // namespace
}  // namespace zr
