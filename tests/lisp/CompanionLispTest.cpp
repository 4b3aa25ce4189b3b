// The companion file zovezaRuzu.lsp, run by a small evaluator with the CAD's functions
// recorded: the commands it issues for the palette's own call texts, the system variables it
// puts back (also when the user cancels), and its lines typed one by one.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <numbers>
#include <set>

#include "MiniLisp.h"
#include "insert/LispInsertion.h"
#include "insert/LispLoad.h"
#include "text/TextFile.h"

namespace zr::lisp {
namespace {

using Strings = std::vector<std::string>;
using Variables = std::map<std::string, std::string>;

const std::string kPath = "C:\\図面\\DXF\\L01B.dxf";
// Settings a user may have: none of them may leak into the insertion, all must come back.
const Variables kUserVariables{{"CMDECHO", "1"}, {"ATTREQ", "1"}, {"OSMODE", "37"},
                               {"AUNITS", "3"}, {"ANGBASE", "1.5"}, {"ANGDIR", "1"}};

std::string CompanionFile() {
  std::ifstream in(std::string(ZR_DEMO_DIR) + "/" + insert::kLispFileName, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A drawing seen from LISP: its variables, block table and files, the user's answers, and
// every command with the variables as they stood when it ran.
class LispCad {
 public:
  explicit LispCad(Interpreter& lisp) {
    for (const auto& [name, value] : kUserVariables) vars[name] = value;
    lisp.Define("GETVAR", [this](const Args& a) {
      Need(a, 1, 1, "getvar");
      auto it = vars.find(Text(a[0]));
      return it == vars.end() ? Value() : ReadAll(it->second).at(0);
    });
    lisp.Define("SETVAR", [this](const Args& a) {
      Need(a, 2, 2, "setvar");
      vars[Text(a[0])] = Print(a[1]);
      return a[1];
    });
    lisp.Define("GETPOINT", [this](const Args&) {
      if (pick == "cancel") throw LispError("Function cancelled");
      return pick.empty() ? Value() : ReadAll(pick).at(0);
    });
    lisp.Define("COMMAND", [this](const Args& a) {
      Strings args;
      for (const Value& v : a) {
        const bool text = v && std::holds_alternative<std::string>(v->v);
        args.push_back(text ? Text(v) : Print(v));
        if (args.back() == "\\" && cancelAtPause) throw LispError("Function cancelled");
      }
      if (!commandError.empty()) throw LispError(commandError);
      commands.push_back(args);
      varsAtCommand = vars;
      return Value();
    });
    lisp.Define("FINDFILE", [this](const Args& a) { return files.count(Text(a.at(0))) ? a[0] : Value(); });
    lisp.Define("TBLSEARCH", [this](const Args& a) {
      return blocks.count(Text(a.at(1))) ? List({Str("BLOCK")}) : Value();
    });
    lisp.Define("ALERT", [this](const Args& a) {
      alerts.push_back(Text(a.at(0)));
      return Value();
    });
  }

  // What -INSERT made of a command's answers, asked prompt by prompt as a CAD asks them: the
  // options S and R before the point fix scale and rotation; otherwise the X scale, the Y scale
  // (not asked for a block defined to scale uniformly) and the rotation follow the point.
  // Answers left over are typed at the command prompt; missing ones leave the command waiting.
  struct Insertion {
    std::string block, point, xScale, yScale, rotation;
    Strings leftOver;
    bool waiting = false;
    bool operator==(const Insertion&) const = default;
  };
  Insertion Interpret(const Strings& args) const {
    Insertion ins;
    std::size_t i = 1;
    auto next = [&](std::string& to) {
      if (i < args.size()) to = args[i++];
      else ins.waiting = true;
    };
    next(ins.block);
    std::string scale;
    for (;;) {
      std::string point;
      next(point);
      if (ins.waiting) return ins;
      std::string option = point.substr(point.rfind('_') == 0 ? 1 : 0);
      for (char& ch : option) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
      if (option == "S") next(scale);
      else if (option == "R") next(ins.rotation);
      else { ins.point = point; break; }
    }
    if (scale.empty()) {
      next(ins.xScale);
      ins.yScale = ins.xScale;
      if (!uniformBlocks.count(ins.block)) next(ins.yScale);
    } else {
      ins.xScale = ins.yScale = scale;
    }
    if (ins.rotation.empty()) next(ins.rotation);
    ins.leftOver.assign(args.begin() + static_cast<std::ptrdiff_t>(std::min(i, args.size())), args.end());
    return ins;
  }

  Variables vars;
  Variables varsAtCommand;
  std::set<std::string> uniformBlocks;  // blocks defined to scale uniformly
  std::set<std::string> files{kPath};
  std::set<std::string> blocks;
  std::string pick = "(100.0 200.0 0.0)";  // "" for Enter, "cancel" for ESC
  bool cancelAtPause = false;
  std::string commandError;  // a command the CAD refuses with this error
  std::vector<Strings> commands;
  Strings alerts;
};

class CompanionLispTest : public ::testing::Test {
 protected:
  CompanionLispTest() {
    lisp.SetGlobal("*ERROR*", userErrorHandler);
    lisp.Run(CompanionFile());
  }
  void Call(const std::string& text) { lisp.Run(text); }
  void ExpectAllPutBack() {
    EXPECT_EQ(cad.vars, kUserVariables);
    EXPECT_EQ(lisp.Global("*ERROR*"), userErrorHandler);
  }
  // The file's error branch reported nothing since `from`.
  void ExpectNoErrorReported(std::size_t from = 0) {
    EXPECT_EQ(lisp.Output().find("zovezaRuzu:", from), std::string::npos) << lisp.Output();
  }

  Interpreter lisp;
  LispCad cad{lisp};
  Value userErrorHandler = ReadAll("(lambda (m) nil)").at(0);
};

TEST_F(CompanionLispTest, PlainCallInsertsAtTheUsersPointInDegreesAndPutsEverythingBack) {
  Call(insert::LispCallText(kPath, 100.0, 15 * std::numbers::pi / 180, std::nullopt));
  ASSERT_EQ(cad.commands.size(), 1u);
  EXPECT_EQ(cad.commands[0][0], "_.-INSERT");
  EXPECT_EQ(cad.Interpret(cad.commands[0]), (LispCad::Insertion{kPath, "\\", "100", "100", "15", {}, false}));
  // Degrees counter-clockwise from east, no attribute prompts, while the command ran.
  EXPECT_EQ(cad.varsAtCommand.at("AUNITS"), "0");
  EXPECT_EQ(cad.varsAtCommand.at("ANGBASE"), "0");
  EXPECT_EQ(cad.varsAtCommand.at("ANGDIR"), "0");
  EXPECT_EQ(cad.varsAtCommand.at("ATTREQ"), "0");
  EXPECT_EQ(cad.varsAtCommand.at("OSMODE"), "37");  // the user snaps while placing it
  ExpectAllPutBack();
  ExpectNoErrorReported();
}

TEST_F(CompanionLispTest, AuxiliaryPointLandsOnThePickedPointWithoutSnapping) {
  cad.blocks.insert("L01B");  // defined already: referenced by name, not redefined
  Call(insert::LispCallText(kPath, 100.0, 0.0, TAcadPoint{5.0, -2.5, 0.0}));
  ASSERT_EQ(cad.commands.size(), 1u);
  EXPECT_EQ(cad.Interpret(cad.commands[0]),
            (LispCad::Insertion{"L01B", "(95 202.5 0)", "100", "100", "0", {}, false}));
  EXPECT_EQ(cad.varsAtCommand.at("OSMODE"), "0");
  ExpectAllPutBack();
  ExpectNoErrorReported();
}

// A block defined to scale uniformly has no Y scale prompt: answers given by position after the
// point would then put the scale into the rotation and type the rotation at the command prompt.
TEST_F(CompanionLispTest, UniformlyScaledBlockTakesTheSameScaleAndRotation) {
  cad.uniformBlocks = {kPath, "L01B"};
  for (const bool auxiliary : {false, true}) {
    SCOPED_TRACE(auxiliary);
    cad.commands.clear();
    if (auxiliary) cad.blocks.insert("L01B");
    Call(insert::LispCallText(kPath, 50.0, 30 * std::numbers::pi / 180,
                              auxiliary ? std::optional<TAcadPoint>({5.0, -2.5, 0.0}) : std::nullopt));
    ASSERT_EQ(cad.commands.size(), 1u);
    const LispCad::Insertion ins = cad.Interpret(cad.commands[0]);
    EXPECT_EQ(ins.xScale, "50");
    EXPECT_EQ(ins.yScale, "50");
    EXPECT_EQ(ins.rotation, "30");
    EXPECT_TRUE(ins.leftOver.empty());
    EXPECT_FALSE(ins.waiting);
    ExpectAllPutBack();
  }
}

TEST_F(CompanionLispTest, CancelOrEnterPutsEverythingBackQuietly) {
  const struct {
    std::string pick;
    bool auxiliary;
    bool cancelAtPause;
  } cases[] = {{"cancel", true, false}, {"", true, false}, {"(0 0 0)", false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pick);
    cad.pick = c.pick;
    cad.cancelAtPause = c.cancelAtPause;
    const std::size_t printed = lisp.Output().size();
    Call(insert::LispCallText(kPath, 50.0, 0.0,
                              c.auxiliary ? std::optional<TAcadPoint>({1.0, 1.0, 0.0}) : std::nullopt));
    EXPECT_TRUE(cad.commands.empty());
    ExpectAllPutBack();
    EXPECT_EQ(lisp.Output().find("cancelled", printed), std::string::npos);
    ExpectNoErrorReported(printed);
  }
}

TEST_F(CompanionLispTest, ErrorOfTheCadIsReportedAndEverythingPutBack) {
  cad.commandError = "bad argument type: numberp: nil";
  Call(insert::LispCallText(kPath, 100.0, 0.0, std::nullopt));
  EXPECT_TRUE(cad.commands.empty());
  ExpectAllPutBack();
  EXPECT_NE(lisp.Output().find("\nzovezaRuzu: bad argument type: numberp: nil"), std::string::npos)
      << lisp.Output();
}

TEST_F(CompanionLispTest, MissingDrawingFileIsReportedAndChangesNothing) {
  Call(insert::LispCallText("C:\\gone\\X01B.dxf", 100.0, 0.0, std::nullopt));
  EXPECT_TRUE(cad.commands.empty());
  ExpectAllPutBack();
  EXPECT_NE(lisp.Output().find("C:\\gone\\X01B.dxf not found."), std::string::npos);
}

// The evaluator refuses what the CAD refuses, so that a slip in the file fails here too, and
// runs *error* where the error happened: a handler sees the failing function's locals.
TEST(MiniLispEvaluator, ArgumentCountsAndErrorHandlerAsInTheCad) {
  const struct {
    const char* expression;
    const char* message;  // what *error* receives, with the local it saw
  } cases[] = {
      {"(if t 1 2 3)", "too many arguments: if 7"},  // (if test (setq ...) (command ...) else)
      {"(if t)", "too few arguments: if 7"},
      {"(setq a 1 b)", "too few arguments: setq 7"},
      {"(getvar)", "too few arguments: getvar 7"},
      {"(getvar \"A\" 1)", "too many arguments: getvar 7"},
      {"(setvar \"A\")", "too few arguments: setvar 7"},
      {"(car 1)", "bad argument type: consp 1 7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression);
    Interpreter lisp;
    LispCad cad(lisp);
    lisp.Run("(defun *error* (m) (setq seen (strcat m \" \" local))) (setq local \"global\")");
    lisp.Run(std::string("(defun g (/ local) (setq local \"7\") ") + c.expression + ")");
    lisp.Run("(g)");
    ASSERT_NE(lisp.Global("seen"), nullptr);
    EXPECT_EQ(Text(lisp.Global("seen")), c.message);
    EXPECT_EQ(Text(lisp.Global("local")), "global");  // put back once the error has unwound
  }
}

TEST(CompanionLispFile, LinesTypedOneByOneDefineTheSameFunctions) {
  const std::string file = CompanionFile();
  ASSERT_FALSE(file.empty());
  // Plain ASCII: the same bytes whether the CAD or the palette reads it in UTF-8 or CP932.
  for (const char c : file) ASSERT_LT(static_cast<unsigned char>(c), 0x80);

  Interpreter whole, typed;
  LispCad cadA(whole), cadB(typed);
  typed.Run(insert::kLispCheckExpression);
  EXPECT_EQ(cadB.alerts, Strings{"zovezaRuzu.lsp がロードされていません."});

  whole.Run(file);
  for (const std::string& line : text::SplitLines(file)) {
    const std::string sent = insert::TrimForCommandLine(line);
    if (sent.empty()) continue;
    ASSERT_NO_THROW(ReadAll(sent)) << "not a whole expression: " << sent;
    typed.Run(sent);
  }
  for (const char* fn : {"zovezaRuzu", "zr:basename", "zr:blockref", "zr:save", "zr:restore",
                         "zr:error", "zr:begin", "zr:end", "zr:shift", "zr:insert"}) {
    SCOPED_TRACE(fn);
    ASSERT_NE(whole.Global(fn), nullptr);
    EXPECT_EQ(Print(typed.Global(fn)), Print(whole.Global(fn)));
  }
  typed.Run(insert::kLispCheckExpression);
  EXPECT_EQ(cadB.alerts.size(), 1u);  // defined now: no second alert
}

}  // namespace
}  // namespace zr::lisp
