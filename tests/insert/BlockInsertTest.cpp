// Block insertion against a scripted CAD: every call the insertion makes goes to one journal,
// so each test checks the exact sequence a real CAD would receive.
#include "insert/BlockInsert.h"

#include <gtest/gtest.h>

#include "drawing/ScaleDrawingName.h"
#include "support/FakeCad.h"
#include "support/TempFolder.h"

namespace zr::insert {
namespace {

using cadlink::AutoArgs;
using cadlink::AutomationError;
using cadlink::AutoValue;
using cadlink::DoubleArray;
using cadlink::testing::Journal;
using test::kProgId;

class RecordingLisp : public ILispInsertion {
 public:
  InsertOutcome InsertByLisp(const TInsertRequest&, const TBlockFile& file,
                             bool auxiliary) override {
    calls.push_back(file.name + (auxiliary ? " aux" : " plain") + " " + ScaleText(file.factor));
    return InsertOutcome::Sent;
  }
  std::vector<std::string> calls;
};

class BlockInsertTest : public ::testing::Test, public test::FakeCad {
 protected:
  BlockInsertTest() {
    dir.Write("DXF/E001B.dxf", "0\nEOF\n");
    request.blkNo = "E001";
    request.progId = kProgId;
    request.exePath = dir.File("");
    request.dxfDir = kDxfDirName;
  }

  void Insert() { InsertBlock(request, desktop, lisp); }
  std::string Path(const std::string& file) const {
    return ForwardSlashes(dir.File("") + "DXF" + kDirSeparator + file);
  }

  test::TempFolder dir;
  TInsertRequest request;
  RecordingLisp lisp;
};

TEST_F(BlockInsertTest, ScaleBoxesAndMissingDrawingsChooseFileAndFactor) {
  struct Case {
    const char* files;  // drawings present besides E001B
    bool b200, b50, none;
    const char* file;   // "" = no file: the message
    const char* scale;
  };
  const Case cases[] = {
      {"A", true, false, false, "E001A", "200"},  {"", true, false, false, "E001B", "153.4"},
      {"", false, true, false, "E001B", "66.65"}, {"C", false, true, false, "E001C", "50"},
      {"", false, false, false, "E001B", "100"},  {"", false, false, true, "E001B", "1"},
      {"", true, false, true, "E001B", "0.767"},  {"", false, true, true, "E001B", "1.333"},
      {"-", true, false, false, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.files) + " " + c.scale);
    test::TempFolder folder;
    if (std::string(c.files) != "-") folder.Write("DXF/E001B.dxf", "");
    if (std::string(c.files) == "A" || std::string(c.files) == "C") {
      folder.Write(std::string("DXF/E001") + c.files + ".dxf", "");
    }
    const auto file = ResolveBlockFile(folder.File(""), kDxfDirName, "E001",
                                       ChooseScale(c.b200, c.b50, c.none));
    if (*c.file == '\0') {
      EXPECT_FALSE(file.has_value());
      continue;
    }
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->name, c.file);
    EXPECT_EQ(ScaleText(file->factor), c.scale);
  }
}

TEST_F(BlockInsertTest, PlainVariantSendsTheCommandWaitsAndPutsAttreqBack) {
  const std::string insert =
      "SendCommand(\"-INSERT\\r\\\"" + Path("E001B.dxf") + "\\\"\\rS 100 PS 100 R 15\\r\")";
  const struct {
    std::int16_t attreq;
    Journal expected;
  } cases[] = {
      {1, {"GetVariable(\"ATTREQ\")", "SetVariable(\"ATTREQ\", Int16(0))", insert, kWait,
           "SetVariable(\"ATTREQ\", &Int16(1))"}},
      // Already off: the drawing's variable is left alone.
      {0, {"GetVariable(\"ATTREQ\")", insert, kWait}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.attreq);
    journal->clear();
    variables["ATTREQ"] = c.attreq;
    request.kaiten = std::numbers::pi / 12;  // 15 degrees
    Insert();
    EXPECT_EQ(DocCalls(), c.expected);
    // The CAD was brought to the front before the command.
    const auto at = [&](const std::string& line) {
      return std::find(journal->begin(), journal->end(), line) - journal->begin();
    };
    EXPECT_LT(at("SetForegroundWindow(672)"), at("Doc.GetVariable(\"ATTREQ\")"));
    EXPECT_TRUE(desktop.messages.empty());
  }
}

TEST_F(BlockInsertTest, AuxiliaryVariantCopiesFromTheOffsetPointAndRestoresOrthoMode) {
  const std::string insert =
      "SendCommand(\"-INSERT\\r\\\"E001B\\\"\\rS 100 PS 100 R 90\\r_none\\r10,20\\r\")";
  const std::string copy = "SendCommand(\"COPYBASE\\r_none\\r-190,20\\rSI\\rLAST\\r\")";
  const std::string erase = "SendCommand(\"ERASE\\rSI\\rLAST\\r\")";
  const std::string paste = "SendCommand(\"PASTECLIP\\r\")";
  const struct {
    std::int16_t ortho, attreq;
    Journal expected;
  } cases[] = {
      {1, 1, {"GetVariable(\"VIEWCTR\")", "GetVariable(\"ORTHOMODE\")", "GetVariable(\"ATTREQ\")",
              "SetVariable(\"ATTREQ\", Int16(0))", insert,
              // The copy needs the inserted block, and "ORTHOMODE 1" must not answer the paste.
              kWait, "SetVariable(\"ATTREQ\", &Int16(1))", "SetVariable(\"ORTHOMODE\", Int16(0))",
              copy, erase, paste, kWait, "SendCommand(\"ORTHOMODE 1\\r\")"}},
      // Both already off: nothing is switched off, nothing put back.
      {0, 0, {"GetVariable(\"VIEWCTR\")", "GetVariable(\"ORTHOMODE\")", "GetVariable(\"ATTREQ\")",
              insert, kWait, copy, erase, paste, kWait}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ortho);
    journal->clear();
    request.hojoKiten = true;
    request.kiten = {0.0, 2.0, 0.0};
    request.kaiten = std::numbers::pi / 2;  // the offset (0, 200) turns to (-200, 0)
    variables["ORTHOMODE"] = c.ortho;
    variables["ATTREQ"] = c.attreq;
    blockNames = {"e001b"};  // defined in other letter case: referenced by name
    Insert();
    EXPECT_EQ(DocCalls(), c.expected);
    EXPECT_EQ(std::count(journal->begin(), journal->end(), "Set.Delete()"), 2);
    EXPECT_EQ(variables["ORTHOMODE"].AsInt32(), c.ortho);
    EXPECT_EQ(variables["ATTREQ"].AsInt32(), c.attreq);
  }
}

TEST_F(BlockInsertTest, CancelledInsertionCopiesNothingButStillRestoresOrthoMode) {
  request.hojoKiten = true;
  request.kiten = {1.0, 0.0, 0.0};
  variables["ORTHOMODE"] = std::int32_t{1};
  variables["ATTREQ"] = std::int32_t{0};
  cancelInsert = true;
  entities = 3;  // the drawing is not empty: the last entity stays the same
  Insert();
  const Journal calls = DocCalls();
  ASSERT_EQ(calls.size(), 7u);
  EXPECT_EQ(calls[3].substr(0, 20), "SendCommand(\"-INSERT");
  EXPECT_EQ(calls[4], kWait);
  EXPECT_EQ(calls[5], "SetVariable(\"ORTHOMODE\", 0)");
  EXPECT_EQ(calls[6], "SendCommand(\"ORTHOMODE 1\\r\")");
}

TEST_F(BlockInsertTest, AuxiliaryPointNearZeroOrHiddenInsertsPlainly) {
  const struct {
    bool hojo;
    TAcadPoint kiten;
  } cases[] = {{true, {0.0005, -0.0009, 0}}, {false, {0.0, 2.0, 0}}};
  for (const auto& c : cases) {
    journal->clear();
    request.hojoKiten = c.hojo;
    request.kiten = c.kiten;
    Insert();
    EXPECT_EQ(DocCalls().front(), "GetVariable(\"ATTREQ\")");
  }
}

TEST_F(BlockInsertTest, FailureHalfWayPutsTheVariablesBackSilently) {
  request.hojoKiten = true;
  request.kiten = {0.0, 2.0, 0.0};
  variables["ORTHOMODE"] = std::int16_t{1};
  variables["ATTREQ"] = std::int16_t{1};
  int sends = 0;
  doc->Set("SendCommand", [&](const AutoArgs&) -> AutoValue {
    ++entities;
    if (++sends == 2) throw AutomationError("呼び出しが拒否されました");  // COPYBASE fails
    return AutoValue();
  });
  Insert();
  const Journal calls = DocCalls();
  EXPECT_EQ(calls.back(), "SetVariable(\"ORTHOMODE\", &Int16(1))");
  EXPECT_EQ(variables["ATTREQ"].AsInt32(), 1);
  EXPECT_EQ(variables["ORTHOMODE"].AsInt32(), 1);
  EXPECT_EQ(variables["ORTHOMODE"].GetKind(), AutoValue::Kind::Int16);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "SetVariable(\"ATTREQ\", &Int16(1))"), 1);
  EXPECT_TRUE(desktop.messages.empty());

  // A failing put-back is ignored as well.
  journal->clear();
  doc->Set("SetVariable", [](const AutoArgs&) -> AutoValue { throw AutomationError("x"); });
  EXPECT_NO_THROW(Insert());
}

TEST_F(BlockInsertTest, SystemVariablesAreSetInTheTypeTheCadGave) {
  variables["ATTREQ"] = std::int16_t{1};
  Insert();
  EXPECT_EQ(variables["ATTREQ"].GetKind(), AutoValue::Kind::Int16);
  EXPECT_EQ(DocCalls()[1], "SetVariable(\"ATTREQ\", Int16(0))");
}

TEST_F(BlockInsertTest, WaysThatSendNothing) {
  // Empty slot; AutoCAD LT without LISP; no CAD running; a path too long for a command.
  TInsertRequest empty = request;
  empty.blkNo.clear();
  InsertBlock(empty, desktop, lisp);
  TInsertRequest lt = request;
  lt.progId = "AutoCAD LT";
  InsertBlock(lt, desktop, lisp);
  EXPECT_TRUE(journal->empty());

  desktop.running.clear();
  Insert();
  EXPECT_EQ(*journal, (Journal{"ClassIdFromProgId(" + std::string(kProgId) + ")",
                               "IsObjectRunning({BRX})"}));
  EXPECT_TRUE(desktop.messages.empty());

  desktop.running["{BRX}"] = app;
  const std::string deep(520, 'd');
  dir.Write(deep.substr(0, 250) + "/" + deep.substr(0, 250) + "/DXF/E001B.dxf", "");
  request.exePath = dir.File(deep.substr(0, 250) + "/" + deep.substr(0, 250) + "/");
  journal->clear();
  Insert();
  EXPECT_TRUE(DocCalls().empty());
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_NE(desktop.messages[0].text.find("511"), std::string::npos);
}

// One command message carries 511 UTF-16 units: the automation way refuses longer texts whole,
// counted on the text it would send (with the auxiliary point, the view centre's part too).
TEST_F(BlockInsertTest, CommandOverOneMessageIsRefusedWholeInEitherVariant) {
  const struct {
    bool auxiliary;
    std::size_t pathLength;  // the plain command is the path + 28, the auxiliary one + 40
    bool refused;
  } cases[] = {{false, 483, false}, {false, 484, true}, {true, 471, false}, {true, 472, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pathLength);
    journal->clear();
    desktop.messages.clear();
    // The drawing under a folder padded to give its path the wanted length.
    const std::string tail = "DXF/E001B.dxf";
    std::size_t need = c.pathLength - dir.File("").size() - tail.size();
    std::string folder;
    for (; need > 250; need -= 200) folder += std::string(199, 'p') + "/";
    folder += std::string(need - 1, 'q') + "/";
    dir.Write(folder + tail, "");
    request.exePath = dir.File(folder);
    ASSERT_EQ(ForwardSlashes(request.exePath + "DXF" + kDirSeparator + "E001B.dxf").size(),
              c.pathLength);
    request.hojoKiten = c.auxiliary;
    request.kiten = {0.0, 2.0, 0.0};
    Insert();
    const Journal calls = DocCalls();
    const auto sends = std::count_if(calls.begin(), calls.end(), [](const std::string& line) {
      return line.rfind("SendCommand", 0) == 0;
    });
    if (c.refused) {
      EXPECT_EQ(sends, 0);
      EXPECT_EQ(calls, c.auxiliary ? Journal{"GetVariable(\"VIEWCTR\")"} : Journal{});
      ASSERT_EQ(desktop.messages.size(), 1u);
      EXPECT_NE(desktop.messages[0].text.find("511"), std::string::npos);
    } else {
      EXPECT_EQ(sends, c.auxiliary ? 4 : 1);
      EXPECT_TRUE(desktop.messages.empty());
    }
  }
}

TEST_F(BlockInsertTest, MissingFileShowsTheMessageAndCallsNoCad) {
  request.blkNo = "X999";
  Insert();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "挿入するファイルが見つかりません. ");
  EXPECT_EQ(desktop.messages[0].caption, "Zoveza Ruzu 1.65 Dark");
  EXPECT_EQ(*journal, Journal{"ShowMessage"});
}

TEST_F(BlockInsertTest, LispModeTakesTheResolvedFileInsteadOfAutomation) {
  request.useLisp = true;
  request.progId = "AutoCAD LT";
  request.scale200 = true;
  request.hojoKiten = true;
  request.kiten = {0.0, 2.0, 0.0};
  Insert();
  EXPECT_EQ(lisp.calls, std::vector<std::string>{"E001B aux 153.4"});
  EXPECT_TRUE(journal->empty());
}

TEST_F(BlockInsertTest, ErrorsBeforeTheFirstVariableReachTheCaller) {
  app->Set("ActiveDocument", [](const AutoArgs&) -> AutoValue { throw AutomationError("x"); });
  EXPECT_THROW(Insert(), AutomationError);
  app->SetValue("ActiveDocument", AutoValue(doc));
  blocks->Set("Count", [](const AutoArgs&) -> AutoValue { throw AutomationError("x"); });
  EXPECT_THROW(Insert(), AutomationError);
}

TEST_F(BlockInsertTest, LastObjectIdReusesTheTemporarySetAndDeletesItOnEveryPath) {
  EXPECT_EQ(GetLastObjectID(*doc), 0);  // empty drawing
  entities = 2;
  sets->SetValue("Count", std::int32_t{1});
  sets->Set("Item", [this](const AutoArgs&) { return AutoValue(set); });
  set->SetValue("Name", "ssTemp");
  set->Set("Clear", [](const AutoArgs&) { return AutoValue(); });
  journal->clear();
  EXPECT_EQ(GetLastObjectID(*doc), 1002);
  EXPECT_EQ(*journal, (Journal{"Doc.SelectionSets", "Sets.Count", "Sets.Item(0)", "Set.Name",
                               "Set.Clear()", "Set.Select(4, &[0, 0, 0], &[0, 0, 0], <omitted>, <omitted>)",
                               "Set.Count", "Set.Item(0)", "Entity.ObjectID", "Set.Delete()"}));

  set->Set("Item", [](const AutoArgs&) -> AutoValue { throw AutomationError("x"); });
  journal->clear();
  EXPECT_EQ(GetLastObjectID(*doc), 0);
  EXPECT_EQ(journal->back(), "Set.Delete()");
}

}  // namespace
}  // namespace zr::insert
