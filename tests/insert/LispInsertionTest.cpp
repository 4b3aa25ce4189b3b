// The LISP mode of insertion and the two LISP loads, against a scripted CAD (automation) and
// a fake desktop with an AutoCAD LT frame window (command window).
#include "insert/LispInsertion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>

#include "insert/LispLoad.h"
#include "support/FakeCad.h"
#include "support/TempFolder.h"
#include "text/AnsiCodePage.h"
#include "text/Utf.h"

namespace zr::insert {
namespace {

using test::Journal;
using test::kProgId;

constexpr cadlink::WindowHandle kLtWindow = 0x3B0;
constexpr double kDeg = std::numbers::pi / 180.0;
const std::string kPath = "C:\\図面\\DXF\\L01B.dxf";

class LispInsertionTest : public ::testing::Test, public test::FakeCad {
 protected:
  LispInsertionTest() {
    desktop.windows.push_back({kLtWindow, "AutoCAD LT 2024 - [Drawing1.dwg]", "AfxMDIFrame140u"});
  }
  // The texts typed into the command window, decoded.
  std::vector<std::string> Typed() const {
    std::vector<std::string> texts;
    for (const auto& s : desktop.sent) {
      std::u16string units;
      for (std::size_t i = 0; i + 3 < s.bytes.size() + 1; i += 2) {
        units += static_cast<char16_t>(s.bytes[i] | (s.bytes[i + 1] << 8));
      }
      texts.push_back(text::Utf16ToUtf8(units));
    }
    return texts;
  }
  std::vector<std::string> Sent() const {
    std::vector<std::string> sends;
    for (const std::string& c : DocCalls()) {
      if (c.rfind("SendCommand", 0) == 0) sends.push_back(c);
    }
    return sends;
  }
  bool Journaled(const std::string& line) const {
    return std::find(journal->begin(), journal->end(), line) != journal->end();
  }

  LispInsertion lisp{desktop};
};

TEST_F(LispInsertionTest, EveryWayAndVariantSendsItsExactText) {
  const struct {
    std::string progId;
    bool auxiliary;
    TAcadPoint kiten;
    double factor;
    double kaiten;
    std::string automation;  // the SendCommand call as the journal shows it, or ""
    std::string typed;       // the command-window text, or ""
  } cases[] = {
      {kProgId, false, {}, 100.0, 15 * kDeg,
       "SendCommand(\"(zovezaRuzu \\\"C:\\\\\\\\図面\\\\\\\\DXF\\\\\\\\L01B.dxf\\\" 100 15 nil)\\r\")", ""},
      {kProgId, true, {0.05, -0.025, 0.0}, 100.0, 0.0,
       "SendCommand(\"(zovezaRuzu \\\"C:\\\\\\\\図面\\\\\\\\DXF\\\\\\\\L01B.dxf\\\" 100 0 "
       "(list 5.000000000000 -2.500000000000))\\r\")", ""},
      {"AutoCAD LT", false, {}, 153.4, 90 * kDeg, "",
       "-INSERT\r\"C:\\図面\\DXF\\L01B.dxf\"\rS\r153.4\rPS\r153.4\rR\r90\r"},
      // Any ProgID holding "AutoCAD LT" is typed; the offset is scaled, then turned by 90°.
      {"AutoCAD LT 2024", true, {1.0, 0.0, 0.0}, 100.0, 90 * kDeg, "",
       "(zovezaRuzu \"C:\\\\図面\\\\DXF\\\\L01B.dxf\" 100 90 (list 0.000000000000 "
       "100.000000000000))\r"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.progId + (c.auxiliary ? " auxiliary" : " plain"));
    journal->clear();
    desktop.sent.clear();
    for (auto& w : desktop.windows) w.iconic = true;
    TInsertRequest request;
    request.progId = c.progId;
    request.kiten = c.kiten;
    request.kaiten = c.kaiten;
    lisp.InsertByLisp(request, {kPath, "L01B", c.factor}, c.auxiliary);

    if (c.automation.empty()) {
      EXPECT_TRUE(DocCalls().empty());
      EXPECT_EQ(Typed(), std::vector<std::string>{c.typed});
      EXPECT_TRUE(Journaled("OpenIcon(" + std::to_string(kLtWindow) + ")"));
    } else {
      // No system variable is touched; a minimised CAD is restored before the call.
      EXPECT_EQ(DocCalls(), std::vector<std::string>{c.automation});
      EXPECT_TRUE(desktop.sent.empty());
      EXPECT_TRUE(Journaled("Sleep(500)"));
    }
  }
}

TEST_F(LispInsertionTest, NothingReachableSendsNothingAndSaysNothing) {
  TInsertRequest request;
  request.progId = kProgId;
  desktop.running.clear();  // the CAD is not running
  lisp.InsertByLisp(request, {kPath, "L01B", 100.0}, false);
  desktop.windows.clear();  // no AutoCAD LT window
  request.progId = "AutoCAD LT";
  lisp.InsertByLisp(request, {kPath, "L01B", 100.0}, true);
  EXPECT_TRUE(Sent().empty());
  EXPECT_TRUE(desktop.sent.empty());
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(LispInsertionTest, OverlongTypedTextIsRefusedWholeWithTheMessage) {
  TInsertRequest request;
  request.progId = "AutoCAD LT";
  const std::string deep = "C:\\" + std::string(520, 'd') + "\\L01B.dxf";
  lisp.InsertByLisp(request, {deep, "L01B", 100.0}, false);
  EXPECT_TRUE(desktop.sent.empty());
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_NE(desktop.messages[0].text.find("長すぎる"), std::string::npos);
}

TEST_F(LispInsertionTest, AutomationErrorOfTheLookupReachesTheCaller) {
  app->Set("ActiveDocument", [](const cadlink::AutoArgs&) -> cadlink::AutoValue {
    throw cadlink::AutomationError("RPC server unavailable");
  });
  TInsertRequest request;
  request.progId = kProgId;
  EXPECT_THROW(lisp.InsertByLisp(request, {kPath, "L01B", 100.0}, false), cadlink::AutomationError);
}

TEST_F(LispInsertionTest, ClickInLispModeCarriesTheResolvedFileAndFallbackFactor) {
  test::TempFolder dir;
  dir.Write("DXF/L01B.dxf", "");
  TInsertRequest request;
  request.blkNo = "L01";
  request.scale200 = true;  // only the B drawing exists: 200 * 0.767
  request.useLisp = true;
  request.progId = kProgId;
  request.exePath = dir.File("");
  request.dxfDir = "DXF";
  InsertBlock(request, desktop, lisp);
  ASSERT_EQ(Sent().size(), 1u);
  EXPECT_NE(Sent()[0].find("L01B.dxf\\\" 153.4 0 nil)"), std::string::npos) << Sent()[0];
  EXPECT_EQ(DocCalls().size(), 1u);  // no GetVariable, no wait
}

class LispLoadTest : public LispInsertionTest {
 protected:
  LispLoadTest() { desktop.registered["Gcad.Application"] = "{BRX}"; }
  void WriteLisp(std::string_view bytes) { dir.Write(kLispFileName, bytes); }
  test::TempFolder dir;
};

TEST_F(LispLoadTest, LoadSendsTheLoadExpressionOnlyWhenTheFileExists) {
  LoadLisp(desktop, dir.File(""), kProgId);
  EXPECT_TRUE(journal->empty());
  WriteLisp("(princ)\r\n");
  LoadLisp(desktop, dir.File(""), kProgId);
  const std::string load = LispLoadText(dir.File("zovezaRuzu.lsp")) + "\r";
  EXPECT_EQ(Sent(), std::vector<std::string>{"SendCommand(" + cadlink::AutoValue(load).Describe() + ")"});
  EXPECT_EQ(LispLoadText("C:\\a b\\zovezaRuzu.lsp"), "(load \"C:\\\\a b\\\\zovezaRuzu.lsp\")");
}

TEST_F(LispLoadTest, LineByLineTypesTrimmedNonEmptyLinesInOrder) {
  // Code page 932 without a mark, mixed line ends, blank and indented lines.
  WriteLisp(text::Utf8ToAnsi("(defun a () 1)\r\n\r\n   \t\r\n  (setq s \"図\")\t\r(princ)\n"));
  TypeLispLines(desktop, dir.File(""), kProgId);  // no "Gcad": nothing
  EXPECT_TRUE(journal->empty());
  TypeLispLines(desktop, dir.File(""), "Gcad.Application");
  EXPECT_EQ(Sent(), (std::vector<std::string>{"SendCommand(\"(defun a () 1)\\r\")",
                                              "SendCommand(\"(setq s \\\"図\\\")\\r\")",
                                              "SendCommand(\"(princ)\\r\")"}));
}

TEST_F(LispLoadTest, CadGoingAwayBetweenLinesEndsTheLoadSilently) {
  WriteLisp("\xEF\xBB\xBF(setq a 1)\r\n(setq b 2)\r\n(setq c 3)\r\n");
  int calls = 0;
  doc->Set("SendCommand", [&](const cadlink::AutoArgs&) -> cadlink::AutoValue {
    if (++calls == 2) throw cadlink::AutomationError("The RPC server is unavailable.");
    return {};
  });
  EXPECT_NO_THROW(TypeLispLines(desktop, dir.File(""), "Gcad.Application"));
  EXPECT_EQ(calls, 2);
  EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace zr::insert
