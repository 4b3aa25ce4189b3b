#include "cadlink/CommandWindow.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/CadLinkFakes.h"
#include "text/Utf.h"

namespace zr::cadlink {
namespace {

using testing::FakeDesktop;
using testing::Journal;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kAfx8 = "Afx:00400000:8:00010003:00000000:00000000";

TEST(CadWindowRecognition, TitlePrefixesAreCaseSensitiveAndAnchored) {
  EXPECT_TRUE(IsCadWindowTitle("AutoCAD LT 2024 - [Drawing1.dwg]"));
  EXPECT_TRUE(IsCadWindowTitle("DWG TrueView 2024 - [a.dwg]"));
  EXPECT_TRUE(IsCadWindowTitle("Autodesk AutoCAD 2025"));
  EXPECT_TRUE(IsCadWindowTitle("AutoCAD "));
  EXPECT_FALSE(IsCadWindowTitle("AutoCAD"));               // the prefix ends with a blank
  EXPECT_FALSE(IsCadWindowTitle("AUTOCAD LT 2024"));
  EXPECT_FALSE(IsCadWindowTitle("autodesk viewer"));
  EXPECT_FALSE(IsCadWindowTitle(" AutoCAD LT"));
  EXPECT_FALSE(IsCadWindowTitle("Drawing1 - AutoCAD LT"));  // prefix only later
  EXPECT_FALSE(IsCadWindowTitle(""));
}

TEST(CadWindowRecognition, ClassIsAnMfcFrameWithEightOrTheMdiFrame) {
  EXPECT_TRUE(IsCadWindowClass(kAfx8));
  EXPECT_TRUE(IsCadWindowClass("Afx::8:"));
  EXPECT_TRUE(IsCadWindowClass("AfxMDIFrame140u"));
  EXPECT_TRUE(IsCadWindowClass("AfxMDIFrame80"));
  EXPECT_FALSE(IsCadWindowClass("Afx:00400000:0:00010003:00000000:00000000"));
  EXPECT_FALSE(IsCadWindowClass("Afx:8"));
  EXPECT_FALSE(IsCadWindowClass("MyAfx::8:"));
  EXPECT_FALSE(IsCadWindowClass("afxmdiframe140u"));
}

TEST(CommandMessage, LayoutCountsTheTerminator) {
  const Bytes bytes = CommandMessageBytes("UCS W\r");
  EXPECT_EQ(bytes.size(), 14u);
  EXPECT_EQ(bytes, (Bytes{'U', 0, 'C', 0, 'S', 0, ' ', 0, 'W', 0, '\r', 0, 0, 0}));
  EXPECT_EQ(CommandMessageBytes(""), (Bytes{0, 0}));
  // Japanese text in UTF-16LE: 図 is U+56F3; 𠀋 is the pair D840 DC0B.
  EXPECT_EQ(CommandMessageBytes("図\xF0\xA0\x80\x8B"),
            (Bytes{0xF3, 0x56, 0x40, 0xD8, 0x0B, 0xDC, 0, 0}));
}

TEST(CommandMessage, LimitIs511Utf16Units) {
  EXPECT_TRUE(FitsCommandMessage(std::string(511, 'a')));
  EXPECT_FALSE(FitsCommandMessage(std::string(512, 'a')));
  std::string japanese;
  for (int i = 0; i < 511; ++i) japanese += "図";  // 3 bytes, 1 unit each
  EXPECT_TRUE(FitsCommandMessage(japanese));
  // 255 surrogate pairs = 510 units fit; one more unit too; a further pair does not.
  std::string pairs;
  for (int i = 0; i < 255; ++i) pairs += "\xF0\xA0\x80\x8B";
  EXPECT_TRUE(FitsCommandMessage(pairs));
  EXPECT_TRUE(FitsCommandMessage(pairs + "a"));
  EXPECT_FALSE(FitsCommandMessage(pairs + "\xF0\xA0\x80\x8B"));
}

TEST(CommandMessage, EscBecomesEtx) {
  EXPECT_EQ(EscToEtx("\x1B\x1B" "UCS\x1B\r"), "\x03\x03UCS\x03\r");
  EXPECT_EQ(EscToEtx("plain"), "plain");
}

class CommandChannel : public ::testing::Test {
 protected:
  std::shared_ptr<Journal> journal = std::make_shared<Journal>();
  FakeDesktop desktop{journal};
  TCadWindowChannel channel{desktop};
};

TEST_F(CommandChannel, TopmostPassingWindowWins) {
  desktop.windows = {
      {1, "", kAfx8},                                    // empty title
      {2, "AutoCAD LT 2024", "Afx:00400000:0:1:0:0"},    // class without :8:
      {3, "autocad lt 2024", kAfx8},                     // case differs
      {4, "Drawing - AutoCAD ", kAfx8},                  // prefix later
      {5, "AutoCAD LT 2024 - [A.dwg]", kAfx8},
      {6, "AutoCAD LT 2023 - [B.dwg]", kAfx8},
  };
  EXPECT_EQ(channel.FindCadWindow(), 5u);
  EXPECT_EQ(channel.CadWnd, 5u);
  // No class read for windows whose title fails; the enumeration stops at the winner.
  EXPECT_EQ(*journal, (Journal{"FindWindowByClass(AfxMDIFrame140u)", "EnumWindows",
                               "WindowTitle(1)", "WindowTitle(2)", "WindowClass(2)",
                               "WindowTitle(3)", "WindowTitle(4)", "WindowTitle(5)",
                               "WindowClass(5)"}));
}

TEST_F(CommandChannel, MdiFrameWinsWhateverItsTitleAndPlace) {
  desktop.windows = {{5, "AutoCAD LT 2024 - [A.dwg]", kAfx8}, {9, "", "AfxMDIFrame140u"}};
  EXPECT_EQ(channel.FindCadWindow(), 9u);
  EXPECT_EQ(*journal, (Journal{"FindWindowByClass(AfxMDIFrame140u)"}));
}

TEST_F(CommandChannel, FailedSearchClearsTheLastWindow) {
  desktop.windows = {{5, "AutoCAD LT 2024", kAfx8}};
  EXPECT_EQ(channel.FindCadWindow(), 5u);
  desktop.windows = {{7, "Notepad", "Notepad"}};
  EXPECT_EQ(channel.FindCadWindow(), 0u);
  EXPECT_EQ(channel.CadWnd, 0u);
  EXPECT_FALSE(channel.ActivateCadWindow());
  EXPECT_FALSE(channel.SendCadCommandText("UCS W\r"));
  EXPECT_TRUE(desktop.sent.empty());
  EXPECT_TRUE(desktop.messages.empty()) << "nothing is shown when no window is found";
}

TEST_F(CommandChannel, SendsTheMessageThenPostsNull) {
  desktop.windows = {{5, "AutoCAD LT 2024", kAfx8}};
  EXPECT_TRUE(channel.SendCopyDataText(5, "UCS W\r"));
  ASSERT_EQ(desktop.sent.size(), 1u);
  EXPECT_EQ(desktop.sent[0].window, 5u);
  EXPECT_EQ(desktop.sent[0].dwData, 1u);
  EXPECT_EQ(desktop.sent[0].bytes.size(), 14u);
  EXPECT_EQ(*journal, (Journal{"IsWindowEnabled(5)", "SendCopyData(5)", "PostNull(5)"}));
}

TEST_F(CommandChannel, DisabledWindowGetsNothingButCountsAsFound) {
  desktop.windows = {{5, "AutoCAD LT 2024", kAfx8, false}};
  EXPECT_FALSE(channel.SendCopyDataText(5, "UCS W\r"));
  EXPECT_TRUE(channel.SendCadCommandText("UCS W\r"));
  EXPECT_TRUE(desktop.sent.empty());
}

TEST_F(CommandChannel, CommandRestoresRaisesAndSendsEtxForEsc) {
  desktop.windows = {{5, "AutoCAD LT 2024", kAfx8, true, true}};
  EXPECT_TRUE(channel.SendCadCommandText("\x1B\x1B" "UCS W\r"));
  EXPECT_EQ(*journal, (Journal{"FindWindowByClass(AfxMDIFrame140u)", "EnumWindows",
                               "WindowTitle(5)", "WindowClass(5)", "IsIconic(5)",
                               "OpenIcon(5)", "SetForegroundWindow(5)", "IsWindowEnabled(5)",
                               "SendCopyData(5)", "PostNull(5)"}));
  ASSERT_EQ(desktop.sent.size(), 1u);
  EXPECT_EQ(desktop.sent[0].bytes, CommandMessageBytes("\x03\x03UCS W\r"));
}

TEST_F(CommandChannel, ActivationRestoresWithoutPause) {
  desktop.windows = {{9, "", "AfxMDIFrame140u", true, true}};
  EXPECT_TRUE(channel.ActivateCadWindow());
  EXPECT_EQ(*journal, (Journal{"FindWindowByClass(AfxMDIFrame140u)", "IsIconic(9)",
                               "OpenIcon(9)", "SetForegroundWindow(9)"}));
  EXPECT_TRUE(desktop.sent.empty());
}

TEST_F(CommandChannel, EmptyTextSendsTheTerminatorAlone) {
  desktop.windows = {{5, "AutoCAD LT 2024", kAfx8}};
  EXPECT_TRUE(channel.SendCadCommandText(""));
  ASSERT_EQ(desktop.sent.size(), 1u);
  EXPECT_EQ(desktop.sent[0].bytes, (Bytes{0, 0}));
}

TEST_F(CommandChannel, OverlongTextIsRefusedWholeWithAMessage) {
  desktop.windows = {{5, "AutoCAD LT 2024", kAfx8}};
  std::string text = "-INSERT\r\"";
  while (text::Utf16Length(text) < 520) text += "C:\\図面\\";
  text += "E001B.dxf\"\r";
  EXPECT_TRUE(channel.SendCadCommandText(text)) << "a window was found";
  EXPECT_TRUE(desktop.sent.empty()) << "no cut text may reach the CAD";
  EXPECT_EQ(channel.CadWnd, 5u);
  EXPECT_EQ(std::count(journal->begin(), journal->end(), "SetForegroundWindow(5)"), 0)
      << "the CAD is not raised for a text it will not get";
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].caption, "Zoveza Ruzu 1.65 Dark");
  EXPECT_EQ(desktop.messages[0].placement, MessagePlacement::OverPalette);
  EXPECT_NE(desktop.messages[0].text.find("511"), std::string::npos);
  EXPECT_NE(desktop.messages[0].text.find("長すぎる"), std::string::npos);
  // The lower layer refuses it too, silently.
  EXPECT_FALSE(channel.SendCopyDataText(5, text));
  EXPECT_TRUE(desktop.sent.empty());
  EXPECT_EQ(desktop.messages.size(), 1u);
  // Without a CAD window nothing is shown, as for any text.
  desktop.windows.clear();
  EXPECT_FALSE(channel.SendCadCommandText(text));
  EXPECT_EQ(desktop.messages.size(), 1u);
}

TEST_F(CommandChannel, TextOfExactly511UnitsIsSent) {
  desktop.windows = {{5, "AutoCAD LT 2024", kAfx8}};
  std::string text(509, 'a');
  text += "\xF0\xA0\x80\x8B";  // 509 + 2 = 511 units
  EXPECT_TRUE(channel.SendCadCommandText(text));
  ASSERT_EQ(desktop.sent.size(), 1u);
  EXPECT_EQ(desktop.sent[0].bytes.size(), 1024u);
  EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace zr::cadlink
