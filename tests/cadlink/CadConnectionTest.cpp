#include "cadlink/CadConnection.h"

#include <gtest/gtest.h>

#include "cadlink/MessageFilterRules.h"
#include "support/CadLinkFakes.h"

namespace zr::cadlink {
namespace {

using testing::FakeAutoObject;
using testing::FakeDesktop;
using testing::Journal;

class CadConnection : public ::testing::Test {
 protected:
  CadConnection() {
    app->SetValue("HWND", std::int64_t{0x2A0});
    desktop.windows.push_back({0x2A0, "BricsCAD", "BricsCADMain"});
    desktop.registered["BricscadApp.AcadApplication"] = "{BRX}";
  }
  void Run() { desktop.running["{BRX}"] = app; }

  std::shared_ptr<Journal> journal = std::make_shared<Journal>();
  FakeDesktop desktop{journal};
  std::shared_ptr<FakeAutoObject> app = std::make_shared<FakeAutoObject>("App", journal);
};

TEST_F(CadConnection, ActiveOnlyWhenRegisteredAndRunning) {
  EXPECT_FALSE(IsCadActive(desktop, "BricscadApp.AcadApplication"));
  EXPECT_TRUE(desktop.messages.empty()) << "a CAD that is not running shows nothing";
  Run();
  EXPECT_TRUE(IsCadActive(desktop, "BricscadApp.AcadApplication"));
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(CadConnection, UnregisteredProgIdShowsTheInvalidDialogOnceAndCallsNothing) {
  Run();
  EXPECT_FALSE(IsCadActive(desktop, "No.Such.App"));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "ProgID（クラス文字列）: \"No.Such.App\" は無効です．");
  EXPECT_EQ(desktop.messages[0].caption, "Zoveza Ruzu 1.65 Dark");
  EXPECT_EQ(desktop.messages[0].placement, MessagePlacement::CentredOnScreen);
  EXPECT_EQ(*journal, (Journal{"ClassIdFromProgId(No.Such.App)", "ShowMessage"}));
}

TEST_F(CadConnection, ApplicationObjectIsObtainedAfreshAndFailuresRaise) {
  EXPECT_THROW(GetCadApp(desktop, "BricscadApp.AcadApplication"), AutomationError);
  EXPECT_THROW(GetCadApp(desktop, "No.Such.App"), AutomationError);
  EXPECT_TRUE(desktop.messages.empty()) << "the lookup itself shows nothing";
  Run();
  journal->clear();
  EXPECT_EQ(GetCadApp(desktop, "BricscadApp.AcadApplication"), app);
  EXPECT_EQ(GetCadApp(desktop, "BricscadApp.AcadApplication"), app);
  EXPECT_EQ(*journal, (Journal{"ClassIdFromProgId(BricscadApp.AcadApplication)",
                               "GetActiveObject({BRX})",
                               "ClassIdFromProgId(BricscadApp.AcadApplication)",
                               "GetActiveObject({BRX})"}));
}

TEST_F(CadConnection, ActivationRestoresAMinimisedWindowAndPausesReadingHwndEachTime) {
  desktop.windows[0].iconic = true;
  ActivateCadApp(desktop, *app, true);
  EXPECT_EQ(*journal, (Journal{"App.HWND", "IsIconic(672)", "App.HWND", "OpenIcon(672)",
                               "Sleep(500)", "App.HWND", "SetForegroundWindow(672)"}));
  EXPECT_FALSE(desktop.windows[0].iconic);
}

TEST_F(CadConnection, ActivationWithoutRestoreOnlyRaises) {
  desktop.windows[0].iconic = true;
  ActivateCadApp(desktop, *app, false);
  EXPECT_EQ(*journal, (Journal{"App.HWND", "SetForegroundWindow(672)"}));
  journal->clear();
  desktop.windows[0].iconic = false;
  ActivateCadApp(desktop, *app, true);
  EXPECT_EQ(*journal, (Journal{"App.HWND", "IsIconic(672)", "App.HWND",
                               "SetForegroundWindow(672)"}));
}

TEST_F(CadConnection, HwndIsTakenAsAPointerSizedHandle) {
  app->SetValue("HWND", std::int32_t{-2});  // a sign-extended 32-bit handle
  EXPECT_EQ(CadMainWindow(*app), static_cast<WindowHandle>(std::intptr_t{-2}));
  app->SetValue("HWND", "not a number");
  EXPECT_THROW(ActivateCadApp(desktop, *app, true), AutomationError);
}

TEST_F(CadConnection, NoCadMessageIsOwnedByThePalette) {
  ShowNoCadMessage(desktop);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "有効な CAD が見つかりません. ");
  EXPECT_EQ(desktop.messages[0].caption, "Zoveza Ruzu 1.65 Dark");
  EXPECT_EQ(desktop.messages[0].placement, MessagePlacement::OverPalette);
}

TEST(MessageFilterAnswers, RetryBusyEverySecondCancelRejectedNeverDispatch) {
  EXPECT_EQ(HandleInComingCallAnswer(), kServerCallIsHandled);
  EXPECT_EQ(RetryRejectedCallAnswer(kServerCallRetryLater), 1000u);
  EXPECT_EQ(RetryRejectedCallAnswer(kServerCallRejected), 0xFFFFFFFFu);
  EXPECT_EQ(RetryRejectedCallAnswer(7), kCancelCall);
  EXPECT_EQ(MessagePendingAnswer(), 1u);  // wait, do not process
}

}  // namespace
}  // namespace zr::cadlink
