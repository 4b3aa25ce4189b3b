#pragma once
// The list of target CAD programs ("TargetCAD_APIVersion.txt": name, TAB, ProgID per line)
// and the target CAD dialog's rules: the sorted list, add, delete, change, Enter in a field,
// OK, and the palette title that names the target. The window is a humble view.
#include <optional>
#include <string>
#include <vector>

#include "text/TextFile.h"

namespace zr::cadlink {

inline constexpr const char* kTargetListFile = "TargetCAD_APIVersion.txt";
inline constexpr const char* kTargetListWriteFailed =
    "ターゲット CAD の一覧を保存できませんでした．一覧はファイルの内容に戻しました．";
inline constexpr const char* kTargetProgIdEmpty =
    "ProgID が空です．一覧から選ぶか ProgID を入力してください．";

struct TTargetEntry {
  std::string name;    // text before the first TAB; empty when the line has none
  std::string progId;  // text after the first TAB, else the whole line
  bool operator==(const TTargetEntry&) const = default;
};

TTargetEntry SplitTargetLine(const std::string& line);
std::string JoinTargetLine(const TTargetEntry& entry);

// The line that names `progId` among `lines`: the first whose ProgID is exactly progId, else
// the first that holds a TAB immediately followed by progId (so a leading part of a longer
// ProgID still finds its line). -1 when none.
int FindTargetLine(const std::vector<std::string>& lines, const std::string& progId);

// The name to show for `progId`: the found line's name; for a line found by the leading-part
// rule, the text before the matching TAB.
std::optional<std::string> FindTargetName(const std::vector<std::string>& lines,
                                          const std::string& progId);

// The list box's order: ASCII letters without case, then code points.
bool TargetLineLess(const std::string& a, const std::string& b);

enum class TargetField { Name, ProgId };  // Edit1, Edit2

// The dialog's controls as the core sees them.
class ITargetCadView {
 public:
  virtual ~ITargetCadView() = default;
  // Replaces the list's content, already in display order; nothing is selected after it.
  virtual void SetLines(const std::vector<std::string>& lines) = 0;
  virtual void SetSelection(int index) = 0;  // -1: none
  virtual std::string FieldText(TargetField field) const = 0;
  virtual void SetFieldText(TargetField field, const std::string& text) = 0;
  virtual void ShowMessage(const std::string& text) = 0;
};

// TTargetCADForm: the dialog's state, kept for the whole run.
class TTargetCADForm {
 public:
  void SetListPath(std::string path) { path_ = std::move(path); }
  // The window that shows the dialog; set before FormShow.
  void SetView(ITargetCadView* view) { view_ = view; }

  // Puts back the fields' texts of the last close, reloads the list from the file (a
  // missing file keeps the list) and selects the line of the current target.
  void FormShow(const std::string& progId);
  // The dialog closes, however it closes: keeps the fields' texts for the next showing.
  void FormClose();
  void ListBox1Click(int index);  // a line chosen in the list
  void SpeedButton1Click();       // 追加: the fields as a new line at its sorted place
  void SpeedButton2Click();       // 削除: the selected line; nothing without a selection
  void SpeedButton3Click();       // 変更: the selected line, in place; nothing without one
  // A character typed in either field: Enter runs 変更 and is swallowed (true).
  bool Edit1KeyPress(char32_t key);
  // OK: the target the fields name; nothing (and a message) for a blank ProgID, which
  // would leave every CAD command without a program.
  std::optional<TTargetEntry> Button1Click();

  const std::vector<std::string>& Lines() const { return lines_; }
  int Selected() const { return selected_; }
  text::TextEncoding Encoding() const { return encoding_; }

 private:
  TTargetEntry Fields() const;
  std::string FieldLine() const;
  void Select(int index);
  void Save();
  bool Reload();
  void Show();

  std::string path_;
  ITargetCadView* view_ = nullptr;
  std::vector<std::string> lines_;
  int selected_ = -1;
  std::optional<TTargetEntry> closedFields_;  // the fields' texts at the last close
  // How the file was last read; a new file is written in the ANSI code page.
  text::TextEncoding encoding_ = text::TextEncoding::Ansi;
};

// Runs the dialog modally over the palette; the OK target, or nothing on cancel.
class ITargetCadDialog {
 public:
  virtual ~ITargetCadDialog() = default;
  virtual std::optional<TTargetEntry> ShowModal(TTargetCADForm& form,
                                                const std::string& progId) = 0;
};

}  // namespace zr::cadlink
