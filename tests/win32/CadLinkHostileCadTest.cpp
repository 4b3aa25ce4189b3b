// A test CAD in another process that answers with wrong types, fails members, or is killed:
// every case ends in an AutomationError with a Japanese text, and nothing crashes.
#include <gtest/gtest.h>

#include "CadLinkTestCad.h"
#include "CadLinkTestSupport.h"
#include "TestCadServer.h"
#include "cadlink/CadConnection.h"

namespace zr::win32 {
namespace {

using cadlink::AutomationError;
using cadlink::AutoValue;
using testing::TestCadProcess;

bool IsJapanese(const std::string& text) { return text.find("。") != std::string::npos; }

TEST(CadLinkHostileCad, EveryWrongAnswerBecomesAnAutomationErrorInJapanese) {
  testing::ComApartment com;
  testing::RecordingDesktop desktop;
  const std::string progId = testing::UniqueName("ZrTest.Hostile");
  TestCadProcess cad({"--progid", progId}, "hostile");
  ASSERT_TRUE(cad.Ready());
  auto doc = cadlink::GetCadApp(desktop, progId)->GetObject("ActiveDocument");
  for (const auto& [kind, what] : testcad::WrongTypeKinds()) {
    SCOPED_TRACE(kind + ": " + what);
    ASSERT_TRUE(cad.Control("--reset --wrong-type Document.GetVariable=" + kind));
    const std::size_t before = cad.Log().size();
    try {
      // The view centre as the palette reads it: X and Y at least.
      const AutoValue centre = doc->Call("GetVariable", {"VIEWCTR"});
      ADD_FAILURE() << "read as " << centre.AsDoubles(2).size() << " numbers";
    } catch (const AutomationError& e) {
      EXPECT_TRUE(IsJapanese(e.what())) << e.what();
    }
    EXPECT_FALSE(cad.WaitForLine("WrongType Document.GetVariable -> " + kind,
                                 std::chrono::seconds(5), before)
                     .empty());
  }
  ASSERT_TRUE(cad.Control("--reset"));
  EXPECT_EQ(doc->Call("GetVariable", {"VIEWCTR"}).AsDoubles(2).size(), 3u) << "still serving";
  EXPECT_FALSE(cad.Control("--no-such-option"));
}

TEST(CadLinkHostileCad, InjectedFailureCrossesTheProcessWithItsText) {
  testing::ComApartment com;
  testing::RecordingDesktop desktop;
  const std::string progId = testing::UniqueName("ZrTest.Failing");
  TestCadProcess cad({"--progid", progId, "--fail", "Document.SetVariable:2"}, "failing");
  ASSERT_TRUE(cad.Ready());
  auto doc = cadlink::GetCadApp(desktop, progId)->GetObject("ActiveDocument");
  doc->Call("SetVariable", {"ATTREQ", std::int16_t{0}});
  try {
    doc->Call("SetVariable", {"ORTHOMODE", std::int16_t{1}});
    ADD_FAILURE() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_NE(std::string(e.what()).find("failure injected"), std::string::npos) << e.what();
  }
  doc->Call("SetVariable", {"ATTREQ", std::int16_t{1}});
  ASSERT_TRUE(cad.Control("--fail App.ActiveDocument"));
  EXPECT_THROW(cadlink::GetCadApp(desktop, progId)->GetObject("ActiveDocument"),
               AutomationError);
}

TEST(CadLinkHostileCad, AKilledCadLeavesNoRegistrationBehindTheNextOne) {
  testing::ComApartment com;
  testing::RecordingDesktop desktop;
  const std::string progId = testing::UniqueName("ZrTest.Killed");
  {
    TestCadProcess killed({"--progid", progId}, "killed");
    ASSERT_TRUE(killed.Ready());
    killed.Kill();
  }
  {
    TestCadProcess next({"--progid", progId}, "afterkill");
    ASSERT_TRUE(next.Ready());
    EXPECT_TRUE(cadlink::IsCadActive(desktop, progId));
    EXPECT_TRUE(next.Close());
  }
  // The stale entry was removed, not put back: the ProgID is unknown again.
  EXPECT_FALSE(cadlink::IsCadActive(desktop, progId));
  EXPECT_EQ(desktop.shown.size(), 1u) << "its ProgID is no longer registered";
}

// The registration's own keys are volatile; a classes key it had to make is not (a volatile
// one would refuse every ordinary key made under it later, as in a fresh Wine prefix).
TEST(CadLinkHostileCad, RegistrationKeysAreVolatileButNotTheClassesKey) {
  const std::wstring base = Widen("Software\\" + testing::UniqueName("ZrTestRegistry"));
  const std::string progId = "ZrTest.Volatile";
  CLSID clsid{};
  ASSERT_EQ(::CoCreateGuid(&clsid), S_OK);
  auto canCreateStable = [](const std::wstring& path) {
    HKEY k = nullptr;
    const LONG rc = ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE,
                                      nullptr, &k, nullptr);
    if (k != nullptr) ::RegCloseKey(k);
    return rc == ERROR_SUCCESS;
  };
  {
    testcad::ProgIdRegistration registration;
    std::string error;
    ASSERT_TRUE(registration.Add(HKEY_CURRENT_USER, base + L"\\Classes\\", progId, clsid, error))
        << error;
    EXPECT_TRUE(canCreateStable(base + L"\\Classes\\Stable"));
    EXPECT_FALSE(canCreateStable(base + L"\\Classes\\" + Widen(progId) + L"\\Stable"))
        << "the ProgID key should be volatile";
  }
  HKEY gone = nullptr;
  EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, (base + L"\\Classes\\" + Widen(progId)).c_str(), 0,
                            KEY_READ, &gone),
            ERROR_SUCCESS)
      << "removed when the registration ends";
  if (gone != nullptr) ::RegCloseKey(gone);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str());
}

}  // namespace
}  // namespace zr::win32
