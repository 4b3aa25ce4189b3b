// The test CAD's simulated application and its command line (the parts that need no window).
#include <gtest/gtest.h>

#include <numbers>

#include "SimCad.h"
#include "TestCadOptions.h"
#include "cadlink/CadConnection.h"
#include "cadlink/CadReadiness.h"
#include "support/CadLinkFakes.h"

namespace zr::testcad {
namespace {

using cadlink::AutoArg;
using cadlink::AutoArgs;
using cadlink::AutomationError;
using cadlink::AutoValue;
using cadlink::DoubleArray;

class SimCadTest : public ::testing::Test {
 protected:
  SimCadTest() {
    config.busyMs = 1000;
    config.mainWindow = 0x1234;
  }
  SimCad& Make() {
    sim = std::make_unique<SimCad>(config, [this] { return clock; },
                                   [this](const std::string& l) { log.push_back(l); });
    app = sim->Application();
    doc = app->GetObject("ActiveDocument");
    return *sim;
  }
  std::int64_t LastObjectId() {
    auto sets = doc->GetObject("SelectionSets");
    auto set = sets->Call("Add", {"ssTemp"}).AsObject();
    AutoValue p1(DoubleArray{0, 0, 0}), p2(DoubleArray{0, 0, 0});
    set->Call("Select", {std::int32_t{4}, AutoArg::ByRef(p1), AutoArg::ByRef(p2),
                         AutoValue::Omitted(), AutoValue::Omitted()});
    std::int64_t id = 0;
    if (set->Get("Count").AsInt32() > 0) {
      id = set->Call("Item", {std::int32_t{0}}).AsObject()->Get("ObjectID").AsInt64();
    }
    set->Call("Delete", {});
    return id;
  }

  SimCadConfig config;
  std::uint64_t clock = 5000;
  std::vector<std::string> log;
  std::unique_ptr<SimCad> sim;
  cadlink::AutoObjectPtr app, doc;
};

TEST_F(SimCadTest, LogsEveryMemberWithArgumentsAndResult) {
  Make();
  log.clear();
  app->Get("HWND");
  doc->Call("SendCommand", {"UCS W\r"});
  EXPECT_THROW(doc->Call("Clear", {}), AutomationError);
  AutoValue attreq(std::int16_t{1});
  doc->Call("SetVariable", {"ATTREQ", AutoArg::ByRef(attreq)});
  EXPECT_THROW(doc->Call("GetVariable", {"NOSUCHVAR"}), AutomationError);
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[0], "App.HWND -> Int64(4660)");
  EXPECT_EQ(log[1], "Document.SendCommand(\"UCS W\\r\") -> <empty>");
  EXPECT_EQ(log[2], "Document.Clear() -> ! Unknown name: Clear");
  EXPECT_EQ(log[3], "Document.SetVariable(\"ATTREQ\", &Int16(1)) -> <empty>");
  EXPECT_EQ(log[4].rfind("Document.GetVariable(\"NOSUCHVAR\") -> ! ", 0), 0u);
}

TEST_F(SimCadTest, CommandKeepsTheCadBusyUntilTheTimeHasPassedOrEscCancels) {
  Make();
  auto state = [&] { return app->GetObject("GetAcadState")->Get("IsQuiescent").AsBool(); };
  EXPECT_TRUE(state());
  doc->Call("SendCommand", {"-INSERT\r\"E001B\"\rS 100 PS 100 R 0\r"});
  EXPECT_FALSE(state());
  clock += 999;
  EXPECT_FALSE(app->GetObject("GetGcadState")->Get("IsQuiescent").AsBool());
  clock += 1;
  EXPECT_TRUE(app->GetObject("GetZcadState")->Get("IsQuiescent").AsBool());
  doc->Call("SendCommand", {"PASTECLIP\r"});
  EXPECT_FALSE(state());
  doc->Call("SendCommand", {"\x1B"});
  EXPECT_TRUE(state());
}

TEST_F(SimCadTest, InsertLearnsTheBlockAndAddsAnEntityWithA64BitId) {
  Make();
  EXPECT_EQ(LastObjectId(), 0);
  doc->Call("SendCommand", {"-INSERT\r\"C:/Zr/DXF/E001B.dxf\"\rS 100 PS 100 R 0\r"});
  const std::int64_t first = LastObjectId();
  EXPECT_GT(first, std::int64_t{0xFFFFFFFF});
  auto blocks = doc->GetObject("Blocks");
  ASSERT_EQ(blocks->Get("Count").AsInt32(), 3);
  EXPECT_EQ(blocks->Call("Item", {std::int32_t{2}}).AsObject()->Get("Name").AsText(), "E001B");
  doc->Call("SendCommand", {"-INSERT\r\"e001b\"\rS 50 PS 50 R 15\r"});  // known, any case
  EXPECT_EQ(blocks->Get("Count").AsInt32(), 3);
  EXPECT_EQ(LastObjectId(), first + 1);
  doc->Call("SendCommand", {"COPYBASE\r_none\r1,2\rSI\rLAST\r"});
  doc->Call("SendCommand", {"ERASE\rSI\rLAST\r"});
  EXPECT_EQ(LastObjectId(), first);
  doc->Call("SendCommand", {"PASTECLIP\r"});
  EXPECT_EQ(LastObjectId(), first + 2);
  EXPECT_EQ(sim->Drawing().entities.back().blockName, "e001b");
  EXPECT_EQ(sim->Drawing().commands.size(), 5u);
}

// The calls of an insertion with an auxiliary base point, as the palette makes them, and the
// log an end-to-end test compares: every argument with its automation type.
TEST_F(SimCadTest, AuxiliaryInsertionLeavesTheExactSequenceInTheLog) {
  config.blocks.push_back("e001b");  // defined before, in other letter case
  Make();
  log.clear();
  auto blocks = doc->GetObject("Blocks");
  const std::int32_t count = blocks->Get("Count").AsInt32();
  EXPECT_EQ(blocks->Call("Item", {count - 1}).AsObject()->Get("Name").AsText(), "e001b");
  const auto centre = doc->Call("GetVariable", {"VIEWCTR"}).AsDoubles();
  const AutoValue ortho = doc->Call("GetVariable", {"ORTHOMODE"});
  AutoValue attreq = doc->Call("GetVariable", {"ATTREQ"});
  doc->Call("SetVariable", {"ATTREQ", cadlink::SameKindInteger(attreq, 0)});
  const std::int64_t before = LastObjectId();
  doc->Call("SendCommand", {"-INSERT\r\"E001B\"\rS 100 PS 100 R 0\r_none\r1500,800\r"});
  EXPECT_TRUE(app->GetObject("GetAcadState")->Get("IsQuiescent").AsBool() == false);
  clock += 1000;
  EXPECT_TRUE(app->GetObject("GetAcadState")->Get("IsQuiescent").AsBool());
  const std::int64_t after = LastObjectId();
  doc->Call("SetVariable", {"ATTREQ", AutoArg::ByRef(attreq)});
  EXPECT_EQ(before, 0);
  EXPECT_NE(after, before);
  EXPECT_EQ(centre, (DoubleArray{1500, 800, 0}));
  EXPECT_EQ(ortho, AutoValue(std::int16_t{0}));
  const std::vector<std::string> expected{
      "Document.Blocks -> <Blocks>",
      "Blocks.Count -> 3",
      "Blocks.Item(2) -> <Block>",
      "Block.Name -> \"e001b\"",
      "Document.GetVariable(\"VIEWCTR\") -> [1500, 800, 0]",
      "Document.GetVariable(\"ORTHOMODE\") -> Int16(0)",
      "Document.GetVariable(\"ATTREQ\") -> Int16(1)",
      "Document.SetVariable(\"ATTREQ\", Int16(0)) -> <empty>",
      "Document.SelectionSets -> <SelectionSets>",
      "SelectionSets.Add(\"ssTemp\") -> <SelectionSet>",
      "SelectionSet.Select(4, &[0, 0, 0], &[0, 0, 0], <omitted>, <omitted>) -> <empty>",
      "SelectionSet.Count -> 0",
      "SelectionSet.Delete() -> <empty>",
      "Document.SendCommand(\"-INSERT\\r\\\"E001B\\\"\\rS 100 PS 100 R 0\\r_none\\r1500,800\\r\") "
      "-> <empty>",
      "App.GetAcadState -> <State>",
      "State.IsQuiescent -> false",
      "App.GetAcadState -> <State>",
      "State.IsQuiescent -> true",
      "Document.SelectionSets -> <SelectionSets>",
      "SelectionSets.Add(\"ssTemp\") -> <SelectionSet>",
      "SelectionSet.Select(4, &[0, 0, 0], &[0, 0, 0], <omitted>, <omitted>) -> <empty>",
      "SelectionSet.Count -> 1",
      "SelectionSet.Item(0) -> <Entity>",
      "Entity.ObjectID -> Int64(5368709120)",
      "SelectionSet.Delete() -> <empty>",
      "Document.SetVariable(\"ATTREQ\", &Int16(1)) -> <empty>",
  };
  EXPECT_EQ(log, expected);
}

TEST_F(SimCadTest, InjectedFailuresCancelledInsertAndPredefinedBlocks) {
  config.blocks.push_back("E001B");
  config.cancelInsert = true;
  config.failures = {{"DOCUMENT.SETVARIABLE", 2}, {"HWND", 0}};
  Make();
  EXPECT_THROW(app->Get("HWND"), AutomationError);
  EXPECT_THROW(app->Get("HWND"), AutomationError);
  doc->Call("SetVariable", {"ATTREQ", std::int16_t{0}});
  try {
    doc->Call("SetVariable", {"ORTHOMODE", std::int16_t{0}});
    ADD_FAILURE() << "the second call should fail";
  } catch (const AutomationError& e) {
    EXPECT_EQ(log.back(), "Document.SetVariable(\"ORTHOMODE\", Int16(0)) -> ! " +
                              std::string(e.what()));
  }
  doc->Call("SetVariable", {"ATTREQ", std::int16_t{1}});
  // A cancelled -INSERT adds no entity; a block known in other case is not added again.
  doc->Call("SendCommand", {"-INSERT\r\"e001b\"\rS 1 PS 1 R 0\r"});
  EXPECT_EQ(LastObjectId(), 0);
  EXPECT_EQ(doc->GetObject("Blocks")->Get("Count").AsInt32(), 3);
}

TEST_F(SimCadTest, SelectionSetsBehaveLikeACadCollection) {
  Make();
  auto sets = doc->GetObject("SelectionSets");
  AutoValue name("ssTemp");
  auto set = sets->Call("Add", {AutoArg::ByRef(name)}).AsObject();
  EXPECT_THROW(sets->Call("Add", {"SSTEMP"}), AutomationError);  // names are unique
  ASSERT_EQ(sets->Get("Count").AsInt32(), 1);
  EXPECT_EQ(sets->Call("Item", {std::int32_t{0}}).AsObject()->Get("Name").AsText(), "ssTemp");
  EXPECT_THROW(set->Call("Select", {std::int32_t{5}}), AutomationError);
  EXPECT_THROW(set->Call("Select", {std::int32_t{4}, DoubleArray{0, 0}}), AutomationError);
  EXPECT_THROW(sets->Call("Item", {std::int32_t{1}}), AutomationError);
  set->Call("Delete", {});
  EXPECT_EQ(sets->Get("Count").AsInt32(), 0);
  EXPECT_THROW(set->Get("Count"), AutomationError);
}

TEST_F(SimCadTest, VariablesAngleAndPrompt) {
  config.angleDegrees = 90;
  Make();
  EXPECT_EQ(doc->Call("GetVariable", {"attreq"}), AutoValue(std::int16_t{1}));
  EXPECT_EQ(doc->Call("GetVariable", {"VIEWCTR"}).AsDoubles(), (DoubleArray{1500, 800, 0}));
  doc->Call("SetVariable", {"ORTHOMODE", std::int16_t{1}});
  EXPECT_EQ(doc->Call("GetVariable", {"ORTHOMODE"}), AutoValue(std::int16_t{1}));
  // A strict CAD refuses another automation type than the one it answers.
  for (const AutoValue& wrong : {AutoValue("zero"), AutoValue(std::int32_t{0}),
                                 AutoValue(false), AutoValue(0.0)}) {
    EXPECT_THROW(doc->Call("SetVariable", {"ATTREQ", wrong}), AutomationError) << wrong.Describe();
  }
  EXPECT_EQ(doc->Call("GetVariable", {"ATTREQ"}), AutoValue(std::int16_t{1}));
  doc->Call("SendCommand", {"ORTHOMODE 0\r"});
  EXPECT_EQ(doc->Call("GetVariable", {"ORTHOMODE"}), AutoValue(std::int16_t{0}));
  auto utility = doc->GetObject("Utility");
  EXPECT_DOUBLE_EQ(utility->Call("GetAngle", {AutoValue::Omitted(), "角度 : "}).AsDouble(),
                   std::numbers::pi / 2);
  utility->Call("Prompt", {"90.0000\r\n"});
  EXPECT_EQ(sim->Drawing().prompts, (std::vector<std::string>{"90.0000\r\n"}));
}

TEST_F(SimCadTest, GetAngleCanFail) {
  config.angleFails = true;
  Make();
  EXPECT_THROW(doc->GetObject("Utility")->Call("GetAngle", {AutoValue::Omitted(), "?"}),
               AutomationError);
}

TEST_F(SimCadTest, ReadinessWaitReturnsOnceTheSimulatedCadIsIdle) {
  Make();
  cadlink::testing::FakeDesktop desktop;
  desktop.onSleep = [this](int ms) { clock += static_cast<std::uint64_t>(ms); };
  doc->Call("SendCommand", {"-INSERT\r\"E001B\"\rS 100 PS 100 R 0\r"});
  const std::uint64_t sent = clock;
  cadlink::WaitCadQuiescent(desktop, "BricscadApp.AcadApplication", *app, 200);
  // 200 before the first poll, polls every 200 until 1000 have passed, 200 after the last.
  EXPECT_EQ(clock - sent, 1200u);
}

TEST(BlockNameFromInsertName, PathsGiveTheirFileStem) {
  EXPECT_EQ(BlockNameFromInsertName("E001B"), "E001B");
  EXPECT_EQ(BlockNameFromInsertName("C:/a.b/E001B.dxf"), "E001B");
  EXPECT_EQ(BlockNameFromInsertName("C:\\図面\\E001B.dxf"), "E001B");
  EXPECT_EQ(BlockNameFromInsertName("C:/a/.dxf"), ".dxf");
}

TEST(TestCadOptions, DefaultsStandInForThePalettesDefaultCad) {
  const TestCadOptions o = ParseTestCadOptions({});
  EXPECT_EQ(o.progId, "BricscadApp.AcadApplication");
  EXPECT_EQ(o.mainTitle, "ZrTestCad - BricscadApp.AcadApplication");
  EXPECT_EQ(o.filter, FilterMode::None);
  EXPECT_TRUE(o.windows.empty());
}

TEST(TestCadOptions, ParsesEveryOption) {
  const TestCadOptions o = ParseTestCadOptions(
      {"--block", "E001B", "--fail", "Document.SendCommand", "--fail", "HWND:3",
       "--cancel-insert", "--wrong-type", "Document.GetVariable=r8-over-variants",
       "--progid", "ZrTest.A", "--log", "Z:/tmp/a.log", "--busy-ms", "1500", "--angle", "-22.5",
       "--filter", "reject", "--var", "VIEWCTR=1,2.5,0", "--var", "attreq=0", "--var",
       "ORTHOMODE=1:i4", "--var", "USERI1=7", "--var", "BIG=-3:i8", "--window",
       "AfxMDIFrame140u|AutoCAD LT 2024|minimized|disabled", "--window", "Afx:1:8:2|", "--title",
       "AutoCAD LT 2024 - [Drawing1.dwg]", "--class", "Afx:9:8:9", "--minimized", "--disabled",
       "--pos", "10,20,300,400", "--angle-fails"});
  EXPECT_EQ(o.progId, "ZrTest.A");
  EXPECT_EQ(o.sim.blocks.back(), "E001B");
  EXPECT_EQ(o.sim.failures, (std::map<std::string, int>{{"DOCUMENT.SENDCOMMAND", 0},
                                                        {"HWND", 3}}));
  EXPECT_TRUE(o.sim.cancelInsert);
  EXPECT_EQ(o.wrongTypes, (WrongTypes{{"DOCUMENT.GETVARIABLE", "r8-over-variants"}}));
  EXPECT_EQ(o.logPath, "Z:/tmp/a.log");
  EXPECT_EQ(o.sim.busyMs, 1500);
  EXPECT_EQ(o.sim.angleDegrees, -22.5);
  EXPECT_TRUE(o.sim.angleFails);
  EXPECT_EQ(o.filter, FilterMode::Rejected);
  EXPECT_EQ(o.filterMs, 3000);
  EXPECT_EQ(o.sim.variables.at("VIEWCTR"), AutoValue(DoubleArray{1, 2.5, 0}));
  EXPECT_EQ(o.sim.variables.at("ATTREQ"), AutoValue(std::int16_t{0}));  // its real width
  EXPECT_EQ(o.sim.variables.at("ORTHOMODE"), AutoValue(std::int32_t{1}));
  EXPECT_EQ(o.sim.variables.at("USERI1"), AutoValue(std::int32_t{7}));
  EXPECT_EQ(o.sim.variables.at("BIG"), AutoValue(std::int64_t{-3}));
  ASSERT_EQ(o.windows.size(), 2u);
  EXPECT_EQ(o.windows[0].className, "AfxMDIFrame140u");
  EXPECT_EQ(o.windows[0].title, "AutoCAD LT 2024");
  EXPECT_TRUE(o.windows[0].minimized && o.windows[0].disabled);
  EXPECT_EQ(o.windows[1].title, "");
  EXPECT_FALSE(o.windows[1].minimized || o.windows[1].disabled);
  EXPECT_EQ(o.mainClass, "Afx:9:8:9");
  EXPECT_TRUE(o.minimized && o.disabled);
  EXPECT_EQ(o.x + o.y + o.width + o.height, 730);
}

TEST(TestCadOptions, TakesWindowsStyleOptionsButNotSlashValues) {
  const TestCadOptions o =
      ParseTestCadOptions({"/progid", "ZrTest.B", "/log", "/tmp/a.log", "--title", "/x"});
  EXPECT_EQ(o.progId, "ZrTest.B");
  EXPECT_EQ(o.logPath, "/tmp/a.log");
  EXPECT_EQ(o.mainTitle, "/x");
  EXPECT_THROW(ParseTestCadOptions({"/"}), std::invalid_argument);
}

TEST(TestCadOptions, RejectsWhatItCannotDo) {
  using Args = std::vector<std::string>;
  for (const Args& bad : {Args{"--busy-ms"}, Args{"--busy-ms", "1s"}, Args{"--filter", "maybe"},
                          Args{"--window", "NoTitle"}, Args{"--window", "|t"},
                          Args{"--window", "C|t|hidden"}, Args{"--var", "=1"},
                          Args{"--var", "A=1:i3"}, Args{"--var", "ATTREQ=40000"},
                          Args{"--fail", "HWND:0"}, Args{"--fail", "App."},
                          Args{"--wrong-type", "GetVariable=error"},
                          Args{"--wrong-type", "Document.GetVariable=garbage"},
                          Args{"--pos", "1,2,3"}, Args{"--progid", ""}, Args{"--busy-ms", "-5"},
                          Args{"--verbose"}}) {
    EXPECT_THROW(ParseTestCadOptions(bad), std::invalid_argument) << bad[0];
  }
}

TEST(TestCadOptions, ControlTextsChangeWhatTheRunningCadDoes) {
  SimCadConfig sim;
  WrongTypes wrong;
  ApplyTestCadControl("--fail  Document.GetVariable --cancel-insert", sim, wrong);
  ApplyTestCadControl("--wrong-type App.ActiveDocument=empty", sim, wrong);
  EXPECT_EQ(sim.failures.count("DOCUMENT.GETVARIABLE"), 1u);
  EXPECT_TRUE(sim.cancelInsert);
  EXPECT_EQ(wrong.at("APP.ACTIVEDOCUMENT"), "empty");
  ApplyTestCadControl("--insert", sim, wrong);
  EXPECT_FALSE(sim.cancelInsert);
  ApplyTestCadControl("--cancel-insert --reset", sim, wrong);
  EXPECT_TRUE(sim.failures.empty() && wrong.empty() && !sim.cancelInsert);
  EXPECT_THROW(ApplyTestCadControl("--progid X", sim, wrong), std::invalid_argument);
  EXPECT_THROW(ApplyTestCadControl("--fail", sim, wrong), std::invalid_argument);
}

}  // namespace
}  // namespace zr::testcad
