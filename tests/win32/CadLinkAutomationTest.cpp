// The automation connection against the test CAD in another process.
#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>

#include "CadLinkTestCad.h"
#include "CadLinkTestSupport.h"
#include "cadlink/CadConnection.h"
#include "cadlink/CadReadiness.h"

namespace zr::win32 {
namespace {

using cadlink::AutoArg;
using cadlink::AutomationError;
using cadlink::AutoValue;
using cadlink::DoubleArray;
using testing::RecordingDesktop;
using testing::TestCadProcess;

constexpr int kBusyMs = 1500;

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

class CadLinkAutomation : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    com_ = new testing::ComApartment();
    progId_ = new std::string(testing::UniqueName("ZrTest.Automation"));
    cad_ = new TestCadProcess({"--progid", *progId_, "--busy-ms", std::to_string(kBusyMs),
                               "--angle", "90"},
                              "automation");
  }
  static void TearDownTestSuite() {
    delete cad_;
    delete progId_;
    delete com_;
  }
  void SetUp() override { ASSERT_TRUE(cad_->Ready()) << "the test CAD did not start"; }

  static testing::ComApartment* com_;
  static std::string* progId_;
  static TestCadProcess* cad_;
  RecordingDesktop desktop;
};

testing::ComApartment* CadLinkAutomation::com_ = nullptr;
std::string* CadLinkAutomation::progId_ = nullptr;
TestCadProcess* CadLinkAutomation::cad_ = nullptr;

TEST_F(CadLinkAutomation, ConnectionCheckTrueFalseAndInvalid) {
  EXPECT_TRUE(cadlink::IsCadActive(desktop, *progId_));
  EXPECT_TRUE(desktop.shown.empty());

  // Registered, but nothing of that class is running.
  const std::string idle = testing::UniqueName("ZrTest.NotRunning");
  const std::wstring clsid = L"{6B3F1A52-2C1D-4E8A-9A57-0D9C3E1B7F01}";
  std::vector<std::pair<HKEY, std::wstring>> written;
  auto write = [&](HKEY root, const std::wstring& key) {
    HKEY k = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(root, (key + L"\\CLSID").c_str(), 0, nullptr, 0, KEY_WRITE,
                                nullptr, &k, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsid.c_str()),
                     static_cast<DWORD>((clsid.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(k);
    written.emplace_back(root, key);
  };
  write(HKEY_CURRENT_USER, L"Software\\Classes\\" + Widen(idle));
  CLSID found{};
  if (FAILED(::CLSIDFromProgID(Widen(idle).c_str(), &found))) {
    write(HKEY_CLASSES_ROOT, Widen(idle));  // where Wine looks
  }
  EXPECT_FALSE(cadlink::IsCadActive(desktop, idle));
  EXPECT_TRUE(desktop.shown.empty()) << "a CAD that is not running shows nothing";
  for (const auto& [root, key] : written) ::RegDeleteTreeW(root, key.c_str());

  const std::string invalid = testing::UniqueName("ZrTest.Unregistered");
  EXPECT_FALSE(cadlink::IsCadActive(desktop, invalid));
  ASSERT_EQ(desktop.shown.size(), 1u);
  EXPECT_EQ(desktop.shown[0].text, cadlink::InvalidProgIdMessage(invalid));
  EXPECT_EQ(desktop.shown[0].caption, "Zoveza Ruzu 1.65 Dark");
  EXPECT_EQ(desktop.shown[0].placement, cadlink::MessagePlacement::CentredOnScreen);
}

TEST_F(CadLinkAutomation, MembersAreCalledLateBoundAcrossTheProcess) {
  const std::size_t before = cad_->Log().size();
  auto app = cadlink::GetCadApp(desktop, *progId_);
  EXPECT_EQ(cadlink::CadMainWindow(*app), FromHwnd(cad_->MainWindow()));
  auto doc = app->GetObject("ActiveDocument");
  EXPECT_EQ(doc->Call("GetVariable", {"VIEWCTR"}).AsDoubles(), (DoubleArray{1500, 800, 0}));

  // ATTREQ crosses the process as a 16-bit integer both ways; a 32-bit one is refused.
  AutoValue attreq = doc->Call("GetVariable", {"ATTREQ"});
  EXPECT_EQ(attreq, AutoValue(std::int16_t{1}));
  EXPECT_THROW(doc->Call("SetVariable", {"ATTREQ", std::int32_t{0}}), AutomationError);
  doc->Call("SetVariable", {"ATTREQ", cadlink::SameKindInteger(attreq, 0)});
  EXPECT_EQ(doc->Call("GetVariable", {"ATTREQ"}), AutoValue(std::int16_t{0}));
  doc->Call("SetVariable", {"ATTREQ", AutoArg::ByRef(attreq)});  // put the saved value back
  EXPECT_EQ(doc->Call("GetVariable", {"ATTREQ"}).AsInt32(), 1);

  doc->Call("SendCommand", {"-INSERT\r\"Z:/zr/DXF/E001B.dxf\"\rS 100 PS 100 R 0\r"});
  auto sets = doc->GetObject("SelectionSets");
  AutoValue name("ssTemp");
  auto set = sets->Call("Add", {AutoArg::ByRef(name)}).AsObject();
  AutoValue p1(DoubleArray{0, 0, 0}), p2(DoubleArray{0, 0, 0});
  set->Call("Select", {std::int32_t{4}, AutoArg::ByRef(p1), AutoArg::ByRef(p2),
                       AutoValue::Omitted(), AutoValue::Omitted()});
  ASSERT_EQ(set->Get("Count").AsInt32(), 1);
  const AutoValue id = set->Call("Item", {std::int32_t{0}}).AsObject()->Get("ObjectID");
  EXPECT_EQ(id.GetKind(), AutoValue::Kind::Int64);
  EXPECT_GT(id.AsInt64(), std::int64_t{0xFFFFFFFF});
  set->Call("Delete", {});
  auto blocks = doc->GetObject("Blocks");
  const std::int32_t count = blocks->Get("Count").AsInt32();
  EXPECT_EQ(blocks->Call("Item", {count - 1}).AsObject()->Get("Name").AsText(), "E001B");

  auto utility = doc->GetObject("Utility");
  EXPECT_NEAR(utility->Call("GetAngle", {AutoValue::Omitted(), "角度を指示 : "}).AsDouble(),
              std::numbers::pi / 2, 1e-12);
  utility->Call("Prompt", {"90.0000\r\n"});
  try {
    doc->Call("GetVariable", {"NOSUCHVAR"});
    ADD_FAILURE() << "no error";
  } catch (const AutomationError& e) {
    EXPECT_NE(std::string(e.what()).find("unknown system variable NOSUCHVAR"), std::string::npos)
        << e.what();
  }

  const std::vector<std::string> log = cad_->LogFrom(before);
  // Argument-less reads arrive as property reads, everything else as method calls.
  EXPECT_TRUE(Contains(log, "App.HWND -> "));
  EXPECT_TRUE(Contains(log, "App.ActiveDocument -> <Document>"));
  EXPECT_TRUE(Contains(log, "Document.SetVariable(\"ATTREQ\", Int16(0)) -> <empty>"));
  EXPECT_TRUE(Contains(log, "Document.SetVariable(\"ATTREQ\", &Int16(1)) -> <empty>"));
  EXPECT_TRUE(Contains(log, "SelectionSets.Add(&\"ssTemp\") -> <SelectionSet>"));
  EXPECT_TRUE(Contains(
      log, "SelectionSet.Select(4, &[0, 0, 0], &[0, 0, 0], <omitted>, <omitted>) -> <empty>"));
  EXPECT_TRUE(Contains(log, "SelectionSet.Delete() -> <empty>"));
  EXPECT_TRUE(Contains(
      log, "Utility.GetAngle(<omitted>, \"角度を指示 : \") -> Double(1.5707963267948966)"));
  EXPECT_TRUE(Contains(log, "Utility.Prompt(\"90.0000\\r\\n\") -> <empty>"));
}

TEST_F(CadLinkAutomation, ReadinessWaitReturnsOnlyAfterTheCadTurnsIdle) {
  auto app = cadlink::GetCadApp(desktop, *progId_);
  auto doc = app->GetObject("ActiveDocument");
  const std::size_t before = cad_->Log().size();
  doc->Call("SendCommand", {"-INSERT\r\"E002B\"\rS 100 PS 100 R 0\r"});
  // The test CAD stays busy after the command until ESC cancels it; ESC goes once the CAD
  // has answered busy, so the wait polls it busy, then idle once, and ends there.
  bool cancelled = false;
  desktop.onSleep = [&](int) {
    if (cancelled || !Contains(cad_->LogFrom(before), "State.IsQuiescent -> false")) return;
    doc->Call("SendCommand", {"\x1B"});
    cancelled = true;
  };
  cadlink::WaitCadQuiescent(desktop, *progId_, *app, 200);
  std::vector<std::string> states;
  for (const std::string& line : cad_->LogFrom(before)) {
    if (line.rfind("State.IsQuiescent", 0) == 0) states.push_back(line);
  }
  ASSERT_GE(states.size(), 2u);
  EXPECT_EQ(states.front(), "State.IsQuiescent -> false");
  EXPECT_EQ(states.back(), "State.IsQuiescent -> true");
  EXPECT_EQ(std::count(states.begin(), states.end(), "State.IsQuiescent -> true"), 1);
  EXPECT_EQ(desktop.sleeps.front(), 200) << "the poll interval";
  EXPECT_TRUE(cancelled) << "the CAD turned idle before it was seen busy";
}

TEST_F(CadLinkAutomation, ActivationRestoresAMinimisedCadAndPauses) {
  auto app = cadlink::GetCadApp(desktop, *progId_);
  const HWND main = cad_->MainWindow();
  ::ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(::IsIconic(main));
  cadlink::ActivateCadApp(desktop, *app, true);
  EXPECT_EQ(desktop.sleeps, std::vector<int>{500});
  EXPECT_FALSE(::IsIconic(main));

  ::ShowWindow(main, SW_MINIMIZE);
  cadlink::ActivateCadApp(desktop, *app, false);
  EXPECT_TRUE(::IsIconic(main)) << "without the restore flag a minimised CAD stays so";
  EXPECT_EQ(desktop.sleeps.size(), 1u);
  ::ShowWindow(main, SW_RESTORE);
}

TEST(CadLinkTestCadLifetime, EndingTheCadRemovesItsRegistration) {
  testing::ComApartment com;
  RecordingDesktop desktop;
  const std::string progId = testing::UniqueName("ZrTest.Lifetime");
  TestCadProcess cad({"--progid", progId}, "lifetime");
  ASSERT_TRUE(cad.Ready());
  EXPECT_TRUE(cadlink::IsCadActive(desktop, progId));
  EXPECT_TRUE(cad.Close()) << "the test CAD should end on WM_CLOSE";
  EXPECT_EQ(cad.Log().back(), "Ended");
  EXPECT_FALSE(cadlink::IsCadActive(desktop, progId));
  EXPECT_EQ(desktop.shown.size(), 1u) << "its ProgID is no longer registered";
  EXPECT_THROW(cadlink::GetCadApp(desktop, progId), AutomationError);
}

}  // namespace
}  // namespace zr::win32
