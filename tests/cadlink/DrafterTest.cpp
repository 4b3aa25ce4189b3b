// The seven drafter rows on both routes and "2p", against a scripted CAD and a fake desktop.
#include "cadlink/Drafter.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "cadlink/CadConnection.h"
#include "support/FakeCad.h"
#include "text/Utf.h"

namespace zr::cadlink {
namespace {

using test::kProgId;

constexpr WindowHandle kLtWindow = 0x3B0;

class DrafterTest : public ::testing::Test, public test::FakeCad {
 protected:
  DrafterTest() {
    desktop.windows.push_back({kLtWindow, "AutoCAD LT 2024 - [a.dwg]", "AfxMDIFrame140u"});
    doc->SetValue("Utility", AutoValue(utility));
    utility->Set("GetAngle", [this](const AutoArgs&) -> AutoValue {
      if (angleFails) throw AutomationError("cancelled");
      return angle;
    });
    utility->Set("Prompt", [](const AutoArgs&) { return AutoValue(); });
  }
  bool Journaled(const std::string& line) const {
    return std::find(journal->begin(), journal->end(), line) != journal->end();
  }
  std::string TypedText() const {
    if (desktop.sent.size() != 1) return "<" + std::to_string(desktop.sent.size()) + " sent>";
    std::u16string units;
    const auto& b = desktop.sent[0].bytes;
    for (std::size_t i = 0; i + 2 < b.size(); i += 2) units += static_cast<char16_t>(b[i] | (b[i + 1] << 8));
    return text::Utf16ToUtf8(units);
  }
  void Reset() {
    journal->clear();
    desktop.sent.clear();
    desktop.messages.clear();
    for (auto& w : desktop.windows) w.iconic = true;
  }

  std::shared_ptr<test::FakeAutoObject> utility =
      std::make_shared<test::FakeAutoObject>("Utility", journal);
  double angle = 0.0;
  bool angleFails = false;
};

TEST_F(DrafterTest, EveryRowOnBothRoutesWithItsRestoreAndGuard) {
  const struct {
    DrafterCommand command;
    std::string lt, automation;
    bool restore, guarded;
  } rows[] = {
      {DrafterCommand::Plus30, "UCS Z 30\r", "UCS Z 30\\r", true, true},
      {DrafterCommand::Plus15, "UCS Z 15\r", "UCS Z 15\\r", false, false},
      {DrafterCommand::Minus30, "UCS z -30\r", "UCS Z -30\\r", true, true},
      {DrafterCommand::Minus15, "UCS Z -15\r", "UCS Z -15\\r", true, false},
      {DrafterCommand::Off, "UCS W\r", "UCS W\\r", true, false},
      {DrafterCommand::Object, "UCS OB\r", "UCS OB\\r", true, true},
      {DrafterCommand::Turn180, "UCS Z 180\r", "UCS Z 180\\r", false, false},
  };
  ASSERT_EQ(std::size(rows), kDrafterRows.size());
  for (const auto& r : rows) {
    SCOPED_TRACE(r.lt);
    Reset();
    RunDrafterCommand(desktop, "AutoCAD LT", r.command);
    EXPECT_EQ(TypedText(), r.lt);
    EXPECT_TRUE(DocCalls().empty());

    Reset();
    RunDrafterCommand(desktop, kProgId, r.command);
    EXPECT_EQ(DocCalls(), std::vector<std::string>{"SendCommand(\"" + r.automation + "\")"});
    EXPECT_EQ(Journaled("OpenIcon(672)"), r.restore);
    EXPECT_EQ(Journaled("Sleep(500)"), r.restore);
    EXPECT_TRUE(desktop.sent.empty());

    // A drawing that cannot be read: silent for the guarded rows, reported for the others.
    Reset();
    app->Set("ActiveDocument", [](const AutoArgs&) -> AutoValue { throw AutomationError("no doc"); });
    if (r.guarded) {
      EXPECT_NO_THROW(RunDrafterCommand(desktop, kProgId, r.command));
    } else {
      EXPECT_THROW(RunDrafterCommand(desktop, kProgId, r.command), AutomationError);
    }
    app->SetValue("ActiveDocument", AutoValue(doc));
  }
}

TEST_F(DrafterTest, NoCadOrAFailingSendSaysOnlyWhatItShould) {
  doc->Set("SendCommand", [](const AutoArgs&) -> AutoValue { throw AutomationError("busy"); });
  EXPECT_NO_THROW(RunDrafterCommand(desktop, kProgId, DrafterCommand::Off));
  EXPECT_TRUE(desktop.messages.empty());

  // Only the exact value "AutoCAD LT" is typed: this one is an (unregistered) ProgID.
  RunDrafterCommand(desktop, "AutoCAD LT 2024", DrafterCommand::Off);
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_EQ(desktop.messages[0].text, InvalidProgIdMessage("AutoCAD LT 2024"));
  EXPECT_EQ(desktop.messages[1].text, kNoCadMessage);
  EXPECT_TRUE(desktop.sent.empty());
}

TEST_F(DrafterTest, TwoPointsEchoApplyThenOneEsc) {
  angle = 1.5707963267948966;
  const auto result = AlignToTwoPoints(desktop, kProgId, [&](double a) {
    journal->push_back("apply " + std::to_string(a));
  });
  ASSERT_TRUE(result);
  EXPECT_EQ(*result, angle);
  const std::vector<std::string> tail(journal->end() - 6, journal->end());
  EXPECT_EQ(tail, (std::vector<std::string>{
                      "Doc.Utility",
                      "Utility.GetAngle(<omitted>, \"ブロックの傾きを合わせる角度を指示 : \")",
                      "Doc.Utility", "Utility.Prompt(\"90.0000\\r\\n\")", "apply 1.570796",
                      "Doc.SendCommand(\"\\x1B\")"}));
  EXPECT_EQ(AngleEchoText(-0.5), "-28.6479\r\n");  // a period whatever the locale
}

TEST_F(DrafterTest, TwoPointsDoesNothingForLtAndKeepsTheRotationOnCancel) {
  bool applied = false;
  const auto apply = [&](double) { applied = true; };
  EXPECT_FALSE(AlignToTwoPoints(desktop, "AutoCAD LT", apply));
  EXPECT_TRUE(journal->empty());

  angleFails = true;
  EXPECT_FALSE(AlignToTwoPoints(desktop, kProgId, apply));
  EXPECT_FALSE(applied);
  EXPECT_FALSE(Journaled("Doc.SendCommand(\"\\x1B\")"));
  EXPECT_TRUE(desktop.messages.empty());

  desktop.running.clear();
  EXPECT_FALSE(AlignToTwoPoints(desktop, kProgId, apply));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, kNoCadMessage);
}

}  // namespace
}  // namespace zr::cadlink
