#include "cadlink/CadReadiness.h"

#include <gtest/gtest.h>

#include "support/CadLinkFakes.h"

namespace zr::cadlink {
namespace {

using testing::FakeAutoObject;
using testing::FakeDesktop;
using testing::Journal;

TEST(ChooseQuiescencePoll, FollowsTheFamilyOfTheProgId) {
  const QuiescencePoll acad{"GetAcadState", false, PollPause::SleepThenProcess};
  const QuiescencePoll gcad{"GetGcadState", false, PollPause::SleepThenProcess};
  const QuiescencePoll zcad{"GetZcadState", false, PollPause::SleepThenProcess};
  const QuiescencePoll autoCad{"GetAcadState", true, PollPause::ProcessThenSleep};

  EXPECT_EQ(ChooseQuiescencePoll("BricscadApp.AcadApplication"), acad);
  EXPECT_EQ(ChooseQuiescencePoll("IntelliCAD.Application"), acad);
  // GCAD in any case: the ProgID's own last two characters against "24".
  EXPECT_EQ(ChooseQuiescencePoll("GCAD.Application.23"), gcad);
  EXPECT_EQ(ChooseQuiescencePoll("Gcad.Application.19"), gcad);
  EXPECT_EQ(ChooseQuiescencePoll("gcad.application.23"), gcad);
  EXPECT_EQ(ChooseQuiescencePoll("Gcad.Application.24"), acad);
  EXPECT_EQ(ChooseQuiescencePoll("Gcad.Application.25"), acad);
  EXPECT_EQ(ChooseQuiescencePoll("Gcad.Application"), acad);   // "on" > "24"
  EXPECT_EQ(ChooseQuiescencePoll("Gcad.Application.1"), gcad);  // ".1" < "24"
  EXPECT_EQ(ChooseQuiescencePoll("xgcadx.app.2z"), acad);
  // First rule that applies wins.
  EXPECT_EQ(ChooseQuiescencePoll("GCAD.AutoApplication.20"), gcad);
  EXPECT_EQ(ChooseQuiescencePoll("ZWCAD.AutoApplication"), zcad);
  EXPECT_EQ(ChooseQuiescencePoll("ZwCad.Application.2024"), zcad);
  EXPECT_EQ(ChooseQuiescencePoll("AutoCAD.Application.24"), autoCad);
  EXPECT_EQ(ChooseQuiescencePoll("autocad.application"), autoCad);
  EXPECT_EQ(ChooseQuiescencePoll("AutoCAD LT"), autoCad);
}

TEST(ChooseQuiescencePoll, ComparesUtf16CodeUnits) {
  // A tail of one BMP character and "4": U+FF12 (full-width 2) sorts above "2".
  EXPECT_EQ(ChooseQuiescencePoll("GCAD.\xEF\xBC\x92" "4").stateMember, "GetAcadState");
  // A surrogate pair at the end counts as two units, both above "2".
  EXPECT_EQ(ChooseQuiescencePoll("GCAD.\xF0\xA0\x80\x8B").stateMember, "GetAcadState");
  EXPECT_EQ(ChooseQuiescencePoll("GCAD.1\xEF\xBC\x92").stateMember, "GetGcadState");
}

// An application whose state objects report busy for `busyPolls` reads, then idle.
class Readiness : public ::testing::Test {
 protected:
  void MakeApp(int busyPolls) {
    auto state = std::make_shared<FakeAutoObject>("State", journal);
    auto polls = std::make_shared<int>(0);
    state->Set("IsQuiescent", [polls, busyPolls](const AutoArgs&) {
      return AutoValue((*polls)++ >= busyPolls);
    });
    for (const char* m : {"GetAcadState", "GetGcadState", "GetZcadState"}) {
      app->SetValue(m, AutoObjectPtr(state));
    }
    app->SetValue("ActiveDocument", AutoObjectPtr(doc));
  }

  std::shared_ptr<Journal> journal = std::make_shared<Journal>();
  FakeDesktop desktop{journal};
  std::shared_ptr<FakeAutoObject> app = std::make_shared<FakeAutoObject>("App", journal);
  std::shared_ptr<FakeAutoObject> doc = std::make_shared<FakeAutoObject>("Doc", journal);
};

TEST_F(Readiness, IdleCadStillCostsTwoIntervals) {
  MakeApp(0);
  WaitCadQuiescent(desktop, "BricscadApp.AcadApplication", *app, 200);
  EXPECT_EQ(*journal, (Journal{"Sleep(200)", "ProcessMessages", "App.GetAcadState",
                               "State.IsQuiescent", "Sleep(200)"}));
}

TEST_F(Readiness, DefaultRuleSleepsThenProcessesBetweenPolls) {
  MakeApp(2);
  WaitCadQuiescent(desktop, "BricscadApp.AcadApplication", *app, 200);
  EXPECT_EQ(*journal, (Journal{"Sleep(200)", "ProcessMessages",
                               "App.GetAcadState", "State.IsQuiescent", "Sleep(200)",
                               "ProcessMessages",
                               "App.GetAcadState", "State.IsQuiescent", "Sleep(200)",
                               "ProcessMessages",
                               "App.GetAcadState", "State.IsQuiescent", "Sleep(200)"}));
}

TEST_F(Readiness, AutoRuleReadsTheDocumentAndProcessesBeforeSleeping) {
  MakeApp(1);
  WaitCadQuiescent(desktop, "AutoCAD.Application", *app, 150);
  EXPECT_EQ(*journal, (Journal{"Sleep(150)", "ProcessMessages", "ProcessMessages",
                               "App.ActiveDocument",
                               "App.GetAcadState", "State.IsQuiescent", "ProcessMessages",
                               "Sleep(150)",
                               "App.GetAcadState", "State.IsQuiescent", "Sleep(150)"}));
}

TEST_F(Readiness, GcadAndZwcadPollTheirOwnStateMembers) {
  MakeApp(1);
  WaitCadQuiescent(desktop, "Gcad.Application.23", *app, 200);
  EXPECT_EQ(*journal, (Journal{"Sleep(200)", "ProcessMessages", "App.GetGcadState",
                               "State.IsQuiescent", "Sleep(200)", "ProcessMessages",
                               "App.GetGcadState", "State.IsQuiescent", "Sleep(200)"}));
  journal->clear();
  MakeApp(0);
  WaitCadQuiescent(desktop, "ZWCAD.Application", *app, 200);
  EXPECT_EQ(*journal, (Journal{"Sleep(200)", "ProcessMessages", "App.GetZcadState",
                               "State.IsQuiescent", "Sleep(200)"}));
}

TEST_F(Readiness, AutomationErrorLeavesTheWait) {
  MakeApp(1000000);
  int pumps = 0;
  desktop.onProcessMessages = [&] {
    if (++pumps == 3) app->Set("GetAcadState", [](const AutoArgs&) -> AutoValue {
      throw AutomationError("The CAD has ended");
    });
  };
  EXPECT_THROW(WaitCadQuiescent(desktop, "BricscadApp.AcadApplication", *app, 200),
               AutomationError);
  EXPECT_EQ(pumps, 3);
}

TEST_F(Readiness, NonBooleanStateFails) {
  auto state = std::make_shared<FakeAutoObject>("State", journal);
  state->SetValue("IsQuiescent", "yes");
  app->SetValue("GetAcadState", AutoObjectPtr(state));
  EXPECT_THROW(WaitCadQuiescent(desktop, "BricscadApp.AcadApplication", *app, 200),
               AutomationError);
}

}  // namespace
}  // namespace zr::cadlink
