#include "cadlink/TargetList.h"

#include <algorithm>

#include "text/AsciiCase.h"

namespace zr::cadlink {

namespace {

int FindExact(const std::vector<std::string>& lines, const std::string& progId) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find('\t') != std::string::npos && SplitTargetLine(lines[i]).progId == progId) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace

TTargetEntry SplitTargetLine(const std::string& line) {
  const std::size_t tab = line.find('\t');
  if (tab == std::string::npos) return {"", line};
  return {line.substr(0, tab), line.substr(tab + 1)};
}

std::string JoinTargetLine(const TTargetEntry& entry) { return entry.name + "\t" + entry.progId; }

int FindTargetLine(const std::vector<std::string>& lines, const std::string& progId) {
  const int exact = FindExact(lines, progId);
  if (exact >= 0) return exact;
  const std::string needle = "\t" + progId;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find(needle) != std::string::npos) return static_cast<int>(i);
  }
  return -1;
}

std::optional<std::string> FindTargetName(const std::vector<std::string>& lines,
                                          const std::string& progId) {
  const int found = FindTargetLine(lines, progId);
  if (found < 0) return std::nullopt;
  const std::string& line = lines[static_cast<std::size_t>(found)];
  // An exact line is split at its tab; a line with a longer ProgID is cut where it begins.
  if (FindExact(lines, progId) == found) return SplitTargetLine(line).name;
  return line.substr(0, line.find("\t" + progId));
}

bool TargetLineLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(text::AsciiLower(x)) < static_cast<unsigned char>(text::AsciiLower(y));
      });
}

void TTargetCADForm::FormShow(const std::string& progId) {
  if (closedFields_) {
    view_->SetFieldText(TargetField::Name, closedFields_->name);
    view_->SetFieldText(TargetField::ProgId, closedFields_->progId);
  }
  if (Reload()) {
    const int found = FindTargetLine(lines_, progId);
    selected_ = -1;
    Show();
    if (found >= 0) Select(found);
    return;
  }
  Show();
}

void TTargetCADForm::FormClose() {
  if (view_ != nullptr) closedFields_ = Fields();  // nothing when the window never got this far
}

void TTargetCADForm::ListBox1Click(int index) {
  if (index < 0 || index >= static_cast<int>(lines_.size())) return;
  Select(index);
}

void TTargetCADForm::SpeedButton1Click() {
  const std::string line = FieldLine();
  lines_.insert(std::upper_bound(lines_.begin(), lines_.end(), line, TargetLineLess), line);
  const auto equal = std::find_if(lines_.begin(), lines_.end(), [&](const std::string& l) {
    return text::EqualsIgnoringAsciiCase(l, line);
  });
  selected_ = -1;
  Show();
  Select(static_cast<int>(equal - lines_.begin()));
  Save();
}

void TTargetCADForm::SpeedButton2Click() {
  const int i = selected_;
  if (i < 0) return;
  lines_.erase(lines_.begin() + i);
  view_->SetFieldText(TargetField::Name, "");
  view_->SetFieldText(TargetField::ProgId, "");
  const int n = static_cast<int>(lines_.size());
  selected_ = -1;
  Show();
  // The line below when one remains there, else the one above.
  if (i + 1 < n) {
    Select(i);
  } else if (i - 1 >= 0) {
    Select(i - 1);
  }
  Save();
}

void TTargetCADForm::SpeedButton3Click() {
  if (selected_ < 0) return;
  lines_[static_cast<std::size_t>(selected_)] = FieldLine();
  Show();
  Save();
}

bool TTargetCADForm::Edit1KeyPress(char32_t key) {
  if (key != U'\r') return false;
  SpeedButton3Click();
  return true;
}

std::optional<TTargetEntry> TTargetCADForm::Button1Click() {
  TTargetEntry entry = Fields();
  if (entry.progId.find_first_not_of(" \t") == std::string::npos) {
    view_->ShowMessage(kTargetProgIdEmpty);
    return std::nullopt;
  }
  return entry;
}

TTargetEntry TTargetCADForm::Fields() const {
  return {view_->FieldText(TargetField::Name), view_->FieldText(TargetField::ProgId)};
}

std::string TTargetCADForm::FieldLine() const { return JoinTargetLine(Fields()); }

void TTargetCADForm::Select(int index) {
  selected_ = index;
  view_->SetSelection(selected_);
  const TTargetEntry entry = SplitTargetLine(lines_[static_cast<std::size_t>(index)]);
  view_->SetFieldText(TargetField::Name, entry.name);
  view_->SetFieldText(TargetField::ProgId, entry.progId);
}

void TTargetCADForm::Show() {
  view_->SetLines(lines_);
  view_->SetSelection(selected_);
}

bool TTargetCADForm::Reload() {
  if (!text::FileExists(path_)) return false;
  std::vector<std::string> lines;
  text::TextEncoding encoding = text::TextEncoding::Ansi;
  if (!text::ReadEditedTextLines(path_, lines, &encoding)) return false;
  lines_ = std::move(lines);
  std::stable_sort(lines_.begin(), lines_.end(), TargetLineLess);
  encoding_ = encoding;
  return true;
}

// A list that cannot be written is shown as the file has it, so the user never trusts a
// change that was not kept; the fields keep their text for another try.
void TTargetCADForm::Save() {
  if (text::WriteFileAtomically(path_, text::EncodeTextLines(lines_, encoding_))) return;
  view_->ShowMessage(kTargetListWriteFailed);
  if (!Reload()) lines_.clear();
  selected_ = -1;
  Show();
}

}  // namespace zr::cadlink
