// The target CAD dialog's rules against a recording view and real list files.
#include "cadlink/TargetList.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "text/AnsiCodePage.h"
#include "text/TextFile.h"

namespace zr::cadlink {
namespace {

using Lines = std::vector<std::string>;

class FakeTargetView : public ITargetCadView {
 public:
  void SetLines(const Lines& l) override {
    lines = l;
    selected = -1;
  }
  void SetSelection(int index) override { selected = index; }
  std::string FieldText(TargetField f) const override { return f == TargetField::Name ? name : progId; }
  void SetFieldText(TargetField f, const std::string& t) override {
    (f == TargetField::Name ? name : progId) = t;
  }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }

  Lines lines;
  int selected = -1;
  std::string name, progId;
  Lines messages;
};

class TargetListTest : public ::testing::Test {
 protected:
  TargetListTest() {
    form.SetView(&view);
    form.SetListPath(dir.File(kTargetListFile));
  }
  void WriteList(const std::string& bytes) { dir.Write(kTargetListFile, bytes); }
  Lines FileLines() const {
    Lines lines;
    text::ReadTextLines(dir.File(kTargetListFile), lines);
    return lines;
  }
  void Show(const std::string& progId = "X") { form.FormShow(progId); }
  void Fields(const std::string& name, const std::string& progId) {
    view.name = name;
    view.progId = progId;
  }

  test::TempFolder dir;
  FakeTargetView view;
  TTargetCADForm form;
};

TEST_F(TargetListTest, ShowSortsAndSelectsTheExactTargetBeforeALongerOne) {
  WriteList(text::Utf8ToAnsi("ZWCAD\tZWCAD.Application\r\nbricsCAD V24\tBricscadApp.AcadApplication.24\r\n"
                             "BricsCAD\tBricscadApp.AcadApplication\r\nNoTab.Application\r\n"));
  Show("BricscadApp.AcadApplication");
  EXPECT_EQ(view.lines, (Lines{"BricsCAD\tBricscadApp.AcadApplication",
                               "bricsCAD V24\tBricscadApp.AcadApplication.24",
                               "NoTab.Application", "ZWCAD\tZWCAD.Application"}));
  EXPECT_EQ(view.selected, 0);
  EXPECT_EQ(view.name, "BricsCAD");
  // Only a longer ProgID holds it: its line is taken.
  Show("BricscadApp.AcadApplication.2");
  EXPECT_EQ(view.selected, 1);
  // A line without TAB: no name, the whole line is the ProgID.
  form.ListBox1Click(2);
  EXPECT_EQ(view.name, "");
  EXPECT_EQ(view.progId, "NoTab.Application");
  // No match: no selection, the fields keep their text; a missing file keeps the list.
  Show("GCAD.Application");
  EXPECT_EQ(view.selected, -1);
  EXPECT_EQ(view.progId, "NoTab.Application");
  dir.Remove(kTargetListFile);
  Show("GCAD.Application");
  EXPECT_EQ(view.lines.size(), 4u);
}

TEST_F(TargetListTest, AddSortsInSelectsAndWritesInTheEncodingItWasReadIn) {
  // UTF-16LE with its mark and LF line ends.
  WriteList(std::string("\xFF\xFE" "B\0\t\0b\0\n\0D\0\t\0d\0", 16));
  Show();
  Fields("c", "C.App");
  form.SpeedButton1Click();
  EXPECT_EQ(view.lines, (Lines{"B\tb", "c\tC.App", "D\td"}));
  EXPECT_EQ(view.selected, 1);
  EXPECT_EQ(*text::ReadFileBytes(dir.File(kTargetListFile)),
            text::EncodeTextLines({"B\tb", "c\tC.App", "D\td"}, text::TextEncoding::Utf16LE));
}

// A list saved by hand in any encoding keeps every untouched line byte for byte; a code
// page that cannot hold the new line gives way to UTF-16 instead of writing "?".
TEST_F(TargetListTest, AddKeepsEveryOtherLineInAnEncodingThatHoldsThemAll) {
  const std::string utf16 = text::EncodeTextLines(
      {"ブリックス\tB.App", "한국\tK.App"}, text::TextEncoding::Utf16LE);
  const struct {
    std::string file;
    TTargetEntry added;
    std::string expected;
  } cases[] = {
      // UTF-8 without a mark (Notepad's default), Japanese and Korean: stays so.
      {"ブリックス\tBricscadApp.AcadApplication\r\n한국 CAD\tK.App\r\n",
       {"ZWCAD", "ZWCAD.Application"},
       "ZWCAD\tZWCAD.Application\r\nブリックス\tBricscadApp.AcadApplication\r\n한국 CAD\tK.App\r\n"},
      // Code page 932, which holds no Korean, and no U+301C that would come back as "～".
      {"\x83\x75\x83\x8A\x83\x62\x83\x4E\x83\x58\tB.App\r\n", {"한국", "K.App"}, utf16},
      {"\x83\x75\x83\x8A\x83\x62\x83\x4E\x83\x58\tB.App\r\n", {"a\xE3\x80\x9C", "W"},
       text::EncodeTextLines({"a\xE3\x80\x9C\tW", "ブリックス\tB.App"}, text::TextEncoding::Utf16LE)},
      // Plain ASCII, and Japanese the code page holds: stays in the code page.
      {"Z\tZ.App\r\n", {"照明", "L"}, "Z\tZ.App\r\n\x8F\xC6\x96\xBE\tL\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.added.name);
    WriteList(c.file);
    Show();
    Fields(c.added.name, c.added.progId);
    form.SpeedButton1Click();
    EXPECT_EQ(*text::ReadFileBytes(dir.File(kTargetListFile)), c.expected);
    EXPECT_TRUE(view.messages.empty());
  }
}

TEST_F(TargetListTest, DeleteSelectsTheNextLineElseThePreviousOne) {
  const struct {
    Lines lines;
    int deleted;
    int selected;  // afterwards
  } cases[] = {
      {{"a\t1", "b\t2", "c\t3"}, 0, 0},   // the line that followed, now at the same place
      {{"a\t1", "b\t2", "c\t3"}, 1, 0},   // just above the last: the line before it
      {{"a\t1", "b\t2", "c\t3"}, 2, 1},   // the last: the new last
      {{"a\t1", "b\t2"}, 0, -1},          // the first of two: nothing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.deleted);
    std::string file;
    for (const std::string& l : c.lines) file += l + "\r\n";
    WriteList(file);
    Show();
    form.ListBox1Click(c.deleted);
    form.SpeedButton2Click();
    EXPECT_EQ(view.selected, c.selected);
    EXPECT_EQ(FileLines().size(), c.lines.size() - 1);
    if (c.selected < 0) {
      EXPECT_EQ(view.name + view.progId, "");
    }
  }
  form.SpeedButton2Click();  // nothing selected: nothing happens
  EXPECT_EQ(FileLines().size(), 1u);
}

TEST_F(TargetListTest, ChangeAndEnterReplaceInPlaceAndNeedASelection) {
  WriteList("a\t1\r\nb\t2\r\nc\t3\r\n");
  Show();
  Fields("z", "26");
  EXPECT_TRUE(form.Edit1KeyPress(U'\r'));  // no selection: swallowed, nothing changes
  EXPECT_EQ(FileLines(), (Lines{"a\t1", "b\t2", "c\t3"}));
  EXPECT_FALSE(form.Edit1KeyPress(U'x'));

  form.ListBox1Click(0);
  Fields("z", "26");
  EXPECT_TRUE(form.Edit1KeyPress(U'\r'));
  EXPECT_EQ(view.lines, (Lines{"z\t26", "b\t2", "c\t3"}));  // keeps its place until reloaded
  EXPECT_EQ(view.selected, 0);
  EXPECT_EQ(FileLines(), (Lines{"z\t26", "b\t2", "c\t3"}));
  Show();
  EXPECT_EQ(view.lines.back(), "z\t26");
  EXPECT_EQ(form.Button1Click(), (TTargetEntry{"z", "26"}));
}

// The window is made anew for each showing; the fields keep their texts across showings,
// whichever way the dialog closed, unless the current target's line fills them.
TEST_F(TargetListTest, FieldsOutliveTheWindowAndOkRefusesABlankProgId) {
  WriteList("a\t1\r\nb\t2\r\n");
  Show("2");
  Fields("typed", "Typed.App");  // confirmed without 追加: no line names it
  form.FormClose();
  FakeTargetView again;
  form.SetView(&again);
  form.FormShow("Typed.App");
  EXPECT_EQ(again.selected, -1);
  EXPECT_EQ(form.Button1Click(), (TTargetEntry{"typed", "Typed.App"}));
  form.ListBox1Click(0);
  form.SpeedButton2Click();  // its line deleted: both fields empty
  form.FormClose();
  form.SetView(&view);
  form.FormShow("1");
  EXPECT_EQ(view.name + view.progId, "");

  for (const char* blank : {"", " ", " \t "}) {
    Fields("name", blank);
    view.messages.clear();
    EXPECT_EQ(form.Button1Click(), std::nullopt);
    EXPECT_EQ(view.messages, Lines{kTargetProgIdEmpty});
  }
}

TEST_F(TargetListTest, UnwritableListSaysSoAndShowsWhatTheFileHolds) {
  form.SetListPath(dir.File("missing-folder/" + std::string(kTargetListFile)));
  Show();
  Fields("a", "A.App");
  form.SpeedButton1Click();
  EXPECT_EQ(view.messages, Lines{kTargetListWriteFailed});
  EXPECT_TRUE(view.lines.empty());
  EXPECT_EQ(view.progId, "A.App");  // kept for another try
}

}  // namespace
}  // namespace zr::cadlink
