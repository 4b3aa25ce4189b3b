#include "app/CatalogueCheck.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "app/Catalogue.h"
#include "app/CatalogueFolder.h"
#include "drawing/DxfRead.h"
#include "drawing/ScaleDrawingName.h"
#include "drawing/SlotThumbnail.h"
#include "text/TextFile.h"

namespace zr {
namespace {

constexpr char kScaleLetters[] = {'A', 'B', 'C'};
constexpr int kProbeSize = 100;          // any picture size tells whether there is something to fit
constexpr std::size_t kShownValue = 40;  // bytes of a bad pair shown in a message

// At most kShownValue bytes of a text, cut between whole characters.
std::string Clip(std::string_view text) {
  if (text.size() <= kShownValue) return std::string(text);
  std::size_t cut = kShownValue;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return std::string(text.substr(0, cut)) + "...";
}

std::string DxfFileLabel(const std::string& name) { return std::string(kDxfDirName) + "/" + name; }

// Whether a non-empty line of the sorted list begins with the tag.
bool SomeLineBegins(const std::vector<std::string_view>& sorted, std::string_view tag) {
  const auto it = std::lower_bound(sorted.begin(), sorted.end(), tag);
  return it != sorted.end() && it->starts_with(tag);
}

void CheckMenuLines(const std::vector<std::string>& menuLines,
                    const std::vector<std::string>& blockLines, std::vector<Problem>& problems) {
  std::vector<std::string_view> sorted(blockLines.begin(), blockLines.end());
  std::sort(sorted.begin(), sorted.end());
  std::unordered_map<std::string_view, int> tagLine;
  std::unordered_map<std::string_view, int> nameLine;
  for (std::size_t i = 0; i < menuLines.size(); ++i) {
    const std::string_view line = menuLines[i];
    const int n = static_cast<int>(i) + 1;
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
      if (!line.empty()) {
        AddProblem(problems, Severity::Error, ProblemKind::CategoryWithoutTab, kMenuListName, n,
                   Clip(line));
      }
      continue;
    }
    const std::string_view name = line.substr(0, tab);
    const std::string_view tag = line.substr(tab + 1);
    if (const auto [it, added] = nameLine.emplace(name, n); !added) {
      AddProblem(problems, Severity::Warning, ProblemKind::CategoryNameTwice, kMenuListName, n,
                 Clip(name), std::to_string(it->second));
    }
    if (tag.empty()) {
      AddProblem(problems, Severity::Error, ProblemKind::CategoryEmptyTag, kMenuListName, n,
                 Clip(name));
      continue;
    }
    if (const auto [it, added] = tagLine.emplace(tag, n); !added) {
      AddProblem(problems, Severity::Error, ProblemKind::CategoryTagTwice, kMenuListName, n,
                 Clip(name), std::to_string(it->second));
    } else if (!SomeLineBegins(sorted, tag)) {
      AddProblem(problems, Severity::Error, ProblemKind::CategoryTagUnused, kMenuListName, n,
                 Clip(name) + " (" + Clip(tag) + ")");
    }
  }
}

void CheckBlockLines(const std::vector<std::string>& blockLines, std::vector<Problem>& problems) {
  std::unordered_map<std::string, int> numberLine;
  std::vector<std::string> fields;
  for (std::size_t i = 0; i < blockLines.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    if (blockLines[i].empty()) continue;
    text::SplitTabs(blockLines[i], fields);
    if (fields.size() < 2) {
      AddProblem(problems, Severity::Error, ProblemKind::BlockLineShort, kBlockListName, n,
                 Clip(fields[0]));
      continue;
    }
    if (const auto [it, added] = numberLine.emplace(fields[0], n); !added) {
      AddProblem(problems, Severity::Error, ProblemKind::BlockNumberTwice, kBlockListName, n,
                 fields[0], std::to_string(it->second));
    }
  }
}

bool IsGroupCode(std::string_view line) {
  const std::size_t a = line.find_first_not_of(' ');
  if (a == std::string_view::npos) return false;
  std::size_t i = a + (line[a] == '-' ? 1 : 0);
  const std::size_t digitsFrom = i;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
  return i > digitsFrom && line.find_first_not_of(' ', i) == std::string_view::npos;
}

std::string_view Trimmed(std::string_view s) {
  const std::size_t a = s.find_first_not_of(" \t");
  if (a == std::string_view::npos) return {};
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

// Whether the text holds the end-of-file pair: a line "EOF" after a line "0" (what follows it,
// a CAD's trailing junk, is never read as drawing).
bool HasEofPair(std::string_view text) {
  for (std::size_t at = text.find("EOF"); at != std::string_view::npos;
       at = text.find("EOF", at + 3)) {
    const std::size_t lineStart = text.find_last_of("\r\n", at);
    if (lineStart == std::string_view::npos) continue;
    const std::size_t lineEnd = std::min(text.find_first_of("\r\n", at), text.size());
    if (Trimmed(text.substr(lineStart + 1, lineEnd - lineStart - 1)) != "EOF") continue;
    std::size_t prevEnd = lineStart;
    if (prevEnd > 0 && text[prevEnd] == '\n' && text[prevEnd - 1] == '\r') --prevEnd;
    const std::size_t prevStart = text.find_last_of("\r\n", prevEnd == 0 ? 0 : prevEnd - 1);
    const std::size_t from =
        prevStart == std::string_view::npos || prevEnd == 0 ? 0 : prevStart + 1;
    if (Trimmed(text.substr(from, prevEnd - from)) == "0") return true;
  }
  return false;
}

// The bad pair of the reader's error text "N1:code/N2:value": the line and what it holds.
void AddReaderError(const std::string& error, const std::string& file, const std::string& subject,
                    std::vector<Problem>& problems) {
  int line = 0;
  const std::size_t colon = error.find(':');
  if (colon != std::string::npos) {
    for (char c : error.substr(0, colon)) {
      if (c < '0' || c > '9' || line > 100'000'000) break;
      line = line * 10 + (c - '0');
    }
  }
  const std::string shown = Clip(colon == std::string::npos ? error : error.substr(colon + 1));
  AddProblem(problems, Severity::Error, ProblemKind::DrawingUnreadable, file, line, subject,
             "\"" + shown + "\"");
}

// The drawings a block line asks for, found as Windows finds them.
void CheckBlockDrawings(const std::string& dxfFolder, const std::vector<std::string>& blockLines,
                        const DrawingIndex& index, std::unordered_set<std::string>& used,
                        std::vector<Problem>& problems) {
  std::vector<std::string> fields;
  std::unordered_set<std::string> seen;
  for (std::size_t i = 0; i < blockLines.size(); ++i) {
    text::SplitTabs(blockLines[i], fields);
    if (fields.size() < 2 || fields[0].empty() || !seen.insert(fields[0]).second) continue;
    const int n = static_cast<int>(i) + 1;
    for (const char letter : kScaleLetters) {
      const std::string want = DrawingLeafName(fields[0], letter);
      const std::string* found = index.Find(want);
      if (found == nullptr) {
        const bool isB = letter == 'B';
        AddProblem(problems, isB ? Severity::Error : Severity::Warning,
                   isB ? ProblemKind::DrawingMissingB : ProblemKind::DrawingMissingScale,
                   kBlockListName, n, fields[0], DxfFileLabel(want));
        continue;
      }
      if (!used.insert(FileKey(*found)).second) continue;
      const std::optional<std::string> bytes = text::ReadFileBytes(JoinPath(dxfFolder, *found));
      if (!bytes) {
        AddProblem(problems, Severity::Error, ProblemKind::ListUnreadable, DxfFileLabel(*found), 0,
                   fields[0]);
        continue;
      }
      CheckDrawingBytes(*bytes, DxfFileLabel(*found), fields[0], problems);
    }
  }
}

void CheckDxfFolder(const std::string& folder, const std::vector<std::string>& blockLines,
                    std::vector<Problem>& problems) {
  const std::string dxfFolder = JoinPath(folder, kDxfDirName);
  const DrawingIndex index = ListDrawings(dxfFolder);
  if (!index.isFolder) {
    AddProblem(problems, Severity::Error, ProblemKind::DxfFolderMissing, kDxfDirName, 0, {});
    return;
  }
  std::unordered_set<std::string> used;
  CheckBlockDrawings(dxfFolder, blockLines, index, used, problems);
  std::vector<std::string> unlisted;
  for (const auto& [key, names] : index.byKey) {
    for (std::size_t k = 1; k < names.size(); ++k) {
      AddProblem(problems, Severity::Error, ProblemKind::DrawingCaseTwin, DxfFileLabel(names[k]), 0,
                 {}, names[0]);
    }
    if (!used.contains(key)) unlisted.push_back(names[0]);
  }
  std::sort(unlisted.begin(), unlisted.end());
  for (const std::string& name : unlisted) {
    AddProblem(problems, Severity::Warning, ProblemKind::DrawingUnlisted, DxfFileLabel(name), 0,
               {});
  }
}

// Reads one list file; false when the check cannot go on with it.
bool ReadList(const std::string& folder, const char* name, std::vector<std::string>& lines,
              std::vector<Problem>& problems) {
  ListFile list = ReadListFile(JoinPath(folder, name));
  if (!list.exists || !list.opened) {
    AddProblem(problems, Severity::Error,
               list.exists ? ProblemKind::ListUnreadable : ProblemKind::ListMissing, name, 0, {});
    return false;
  }
  if (list.unmarkedUtf8) {
    AddProblem(problems, Severity::Error, ProblemKind::ListUnmarkedUtf8, name, 0, {});
  } else if (list.undecodable) {
    AddProblem(problems, Severity::Warning, ProblemKind::ListUndecodable, name, 0, {});
  }
  lines = std::move(list.lines);
  return true;
}

}  // namespace

void CheckDrawingBytes(std::string_view bytes, const std::string& file, const std::string& subject,
                       std::vector<Problem>& problems) {
  if (bytes.starts_with("AutoCAD Binary DXF")) {
    AddProblem(problems, Severity::Error, ProblemKind::DrawingBinary, file, 0, subject);
    return;
  }
  // Another format: a DXF file begins with a group code. (A one-line file gives the reader no
  // pair to stumble on.)
  const std::string head =
      text::DecodeText(bytes.substr(0, std::min<std::size_t>(bytes.size(), 256)));
  const std::string_view first = std::string_view(head).substr(0, head.find_first_of("\r\n"));
  if (!bytes.empty() && !IsGroupCode(first)) {
    AddProblem(problems, Severity::Error, ProblemKind::DrawingUnreadable, file, 1, subject,
               std::string(1, '"').append(Clip(first)).append(1, '"'));
    return;
  }
  TDxfModel model;
  std::string error;
  std::string version;
  DxfReadFromBytes(model, bytes, nullptr, nullptr, error, version);
  if (!error.empty()) {
    AddReaderError(error, file, subject, problems);
    return;
  }
  const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
  const std::string decoded = utf16 ? text::DecodeText(bytes) : std::string();
  if (!bytes.empty() && !HasEofPair(utf16 ? std::string_view(decoded) : bytes)) {
    AddProblem(problems, Severity::Error, ProblemKind::DrawingTruncated, file, 0, subject);
    return;
  }
  if (MeasureSlotDrawing(model, kProbeSize, kProbeSize) == 0.0) {
    AddProblem(problems, Severity::Error, ProblemKind::DrawingEmpty, file, 0, subject);
  }
}

void CheckListLines(const std::vector<std::string>& menuLines,
                    const std::vector<std::string>& blockLines, std::vector<Problem>& problems) {
  CheckMenuLines(menuLines, blockLines, problems);
  CheckBlockLines(blockLines, problems);
}

CheckReport CheckCatalogue(const std::string& folder) {
  CheckReport report;
  std::error_code ec;
  report.folderReadable = std::filesystem::is_directory(text::PathFromUtf8(folder), ec);
  if (!report.folderReadable) {
    AddProblem(report.problems, Severity::Error, ProblemKind::FolderUnreadable, folder, 0, {});
    return report;
  }
  std::vector<std::string> menuLines;
  std::vector<std::string> blockLines;
  ReadList(folder, kMenuListName, menuLines, report.problems);
  const bool haveBlocks = ReadList(folder, kBlockListName, blockLines, report.problems);
  CheckListLines(menuLines, blockLines, report.problems);
  if (haveBlocks) CheckDxfFolder(folder, blockLines, report.problems);
  return report;
}

}  // namespace zr
