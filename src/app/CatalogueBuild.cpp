#include "app/CatalogueBuild.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "app/Catalogue.h"
#include "app/CatalogueFolder.h"
#include "drawing/ScaleDrawingName.h"
#include "text/AnsiCodePage.h"
#include "text/TextFile.h"

namespace zr {
namespace {

namespace fs = std::filesystem;
using text::TextEncoding;

struct SourceDrawing {
  std::string path;  // UTF-8
  std::string fileName;
  SourceName parsed;
};

struct SourceCategory {
  std::string name;  // the sub-folder's name, or the numbers' leading letters in a flat folder
  bool fromFolder = false;
  std::vector<SourceDrawing> drawings;
};

// Entries of a folder sorted by name: the folders or the ".dxf" files. Links to folders are
// not followed into, so a loop of links cannot trap the walk.
std::vector<fs::path> SortedEntries(const fs::path& dir, bool folders) {
  std::vector<fs::path> out;
  std::error_code ec;
  fs::directory_iterator it(dir, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code typeEc;
    const bool isDir = it->is_directory(typeEc) && !it->is_symlink(typeEc);
    if (folders ? isDir : (!isDir && HasDxfExtension(Utf8Path(it->path().filename())))) {
      out.push_back(it->path());
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

// The leading text of a number before its first digit: a flat folder's category.
std::string LeadingLetters(const std::string& number) {
  const std::size_t digit = number.find_first_of("0123456789");
  if (digit == 0 || number.empty()) return number.substr(0, 1);
  return number.substr(0, digit);
}

void AddDrawings(const fs::path& dir, SourceCategory& category, std::vector<Problem>& problems) {
  for (const fs::path& file : SortedEntries(dir, false)) {
    SourceDrawing drawing{Utf8Path(file), Utf8Path(file.filename()), {}};
    if (!ParseSourceName(drawing.fileName, drawing.parsed)) {
      AddProblem(problems, Severity::Warning, ProblemKind::SourceMisnamed, drawing.path, 0, {});
      continue;
    }
    category.drawings.push_back(std::move(drawing));
  }
}

// The categories of the source; the catalogue's own DXF folder, when it lies in the source
// (a catalogue built in place), is no category.
std::vector<SourceCategory> ScanSource(const std::string& source, const fs::path& ownDxf,
                                       std::vector<Problem>& problems) {
  std::vector<SourceCategory> categories;
  const fs::path root = text::PathFromUtf8(source);
  for (const fs::path& dir : SortedEntries(root, true)) {
    std::error_code ec;
    if (fs::equivalent(dir, ownDxf, ec)) continue;
    SourceCategory category{Utf8Path(dir.filename()), true, {}};
    AddDrawings(dir, category, problems);
    if (!category.drawings.empty()) categories.push_back(std::move(category));
  }
  // Drawings right in the source folder: one category per leading letters of the numbers.
  SourceCategory flat;
  AddDrawings(root, flat, problems);
  std::map<std::string, SourceCategory> byLetters;
  for (SourceDrawing& d : flat.drawings) {
    const std::string letters = LeadingLetters(d.parsed.number);
    SourceCategory& c = byLetters[letters];
    c.name = letters;
    c.drawings.push_back(std::move(d));
  }
  for (auto& [letters, category] : byLetters) categories.push_back(std::move(category));
  return categories;
}

// A list file being edited: the palette's lines, and for a file in the ANSI code page the
// bytes of each line as they were, so that a line kept is written back byte for byte.
struct EditedList {
  const char* name = nullptr;
  bool existed = false;
  bool undecodable = false;
  TextEncoding encoding = TextEncoding::Ansi;
  bool unmarkedUtf8 = false;
  std::vector<std::string> lines;
  std::vector<std::optional<std::string>> raw;  // nullopt: a line added now
  bool changed = false;

  void Insert(std::size_t at, std::string line) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    raw.insert(raw.begin() + static_cast<std::ptrdiff_t>(at), std::nullopt);
    changed = true;
  }
};

bool ReadEditedList(const std::string& catalogue, const char* name, EditedList& list,
                    std::vector<Problem>& problems) {
  list.name = name;
  const std::string path = JoinPath(catalogue, name);
  const ListFile info = ReadListFile(path);
  list.existed = info.exists;
  if (!info.exists) return true;
  const std::optional<std::string> bytes = text::ReadFileBytes(path);
  if (!info.opened || !bytes) {
    AddProblem(problems, Severity::Error, ProblemKind::ListUnreadable, name, 0, {});
    return false;
  }
  list.encoding = info.encoding;
  list.unmarkedUtf8 = info.unmarkedUtf8;
  list.undecodable = info.undecodable;
  if (info.unmarkedUtf8) {
    list.lines = text::SplitLines(*bytes);
  } else if (info.encoding == TextEncoding::Ansi) {
    // CR and LF never stand inside a character of the ANSI code pages: split the bytes.
    for (std::string& line : text::SplitLines(*bytes)) {
      list.lines.push_back(text::AnsiToUtf8(line));
      list.raw.emplace_back(std::move(line));
    }
    return true;
  } else {
    list.lines = info.lines;
  }
  list.raw.resize(list.lines.size());
  for (std::size_t i = 0; i < list.lines.size(); ++i) list.raw[i] = std::string();
  return true;
}

bool AnsiHolds(const std::string& utf8) { return text::AnsiToUtf8(text::Utf8ToAnsi(utf8)) == utf8; }

// The encoding the list is written in: the one it has, unless a line cannot be held in it.
std::optional<TextEncoding> ChooseEncoding(const EditedList& list, std::vector<Change>& changes,
                                           std::vector<Problem>& problems) {
  if (list.unmarkedUtf8) {
    changes.push_back({ChangeKind::Reencode, list.name, 0, "UTF-8 (BOM)"});
    return TextEncoding::Utf8Bom;
  }
  if (list.encoding != TextEncoding::Ansi) return list.encoding;
  for (std::size_t i = 0; i < list.lines.size(); ++i) {
    if (list.raw[i] || AnsiHolds(list.lines[i])) continue;
    if (list.undecodable) {
      AddProblem(problems, Severity::Error, ProblemKind::ListUndecodable, list.name, 0, {});
      return std::nullopt;
    }
    if (list.existed) changes.push_back({ChangeKind::Reencode, list.name, 0, "UTF-16 LE (BOM)"});
    return TextEncoding::Utf16LE;
  }
  return TextEncoding::Ansi;
}

std::string EncodeList(const EditedList& list, TextEncoding encoding) {
  if (encoding != TextEncoding::Ansi) return text::EncodeTextLines(list.lines, encoding);
  std::string out;
  for (std::size_t i = 0; i < list.lines.size(); ++i) {
    out += list.raw[i] ? *list.raw[i] : text::Utf8ToAnsi(list.lines[i]);
    out += "\r\n";
  }
  return out;
}

std::string FieldZero(const std::string& line) { return line.substr(0, line.find('\t')); }

bool AllBeginWith(const SourceCategory& category, const std::string& tag) {
  return !tag.empty() &&
         std::all_of(category.drawings.begin(), category.drawings.end(),
                     [&](const SourceDrawing& d) { return d.parsed.number.starts_with(tag); });
}

// The tag the keeper gave, or the one the category list has, or the folder's name when the
// numbers begin with it, or else the leading letters the numbers share.
std::string ChooseTag(const SourceCategory& category, const EditedList& menu,
                      const BuildOptions& options) {
  if (const auto it = options.tags.find(category.name); it != options.tags.end()) {
    return it->second;
  }
  if (std::string tag = FindCategoryTag(menu.lines, category.name); !tag.empty()) return tag;
  if (AllBeginWith(category, category.name)) return category.name;
  std::string common = LeadingLetters(category.drawings.front().parsed.number);
  while (!common.empty() && !AllBeginWith(category, common)) common.pop_back();
  return common.empty() ? category.name : common;
}

struct NewBlock {
  std::string number;
  std::string name;
};

// The blocks of a category not yet in the block list, by number, named from their files.
std::vector<NewBlock> NewBlocks(const SourceCategory& category,
                                const std::unordered_set<std::string>& listed) {
  std::map<std::string, std::string> names;
  for (const SourceDrawing& d : category.drawings) {
    if (listed.contains(d.parsed.number)) continue;
    std::string& name = names[d.parsed.number];
    if (name.empty() || d.parsed.letter == 'B') name = d.parsed.name;
  }
  std::vector<NewBlock> out;
  for (auto& [number, name] : names) out.push_back({number, name.empty() ? number : name});
  return out;
}

void AddCategoryLines(const std::vector<SourceCategory>& categories, EditedList& menu,
                      EditedList& blocks, const BuildOptions& options) {
  std::unordered_set<std::string> listed;
  for (const std::string& line : blocks.lines) listed.insert(FieldZero(line));
  for (const SourceCategory& category : categories) {
    const std::string tag = ChooseTag(category, menu, options);
    const bool known = std::any_of(menu.lines.begin(), menu.lines.end(), [&](const auto& l) {
      const std::size_t tab = l.find('\t');
      return tab != std::string::npos &&
             (l.substr(0, tab) == category.name || l.substr(tab + 1) == tag);
    });
    if (!known) menu.Insert(menu.lines.size(), category.name + "\t" + tag);
    const std::vector<NewBlock> added = NewBlocks(category, listed);
    if (added.empty()) continue;
    const CategoryRange range = FindCategoryRange(blocks.lines, tag);
    std::size_t at =
        range.first >= 0 ? static_cast<std::size_t>(range.last) + 1 : blocks.lines.size();
    for (const NewBlock& b : added) {
      blocks.Insert(at++, b.number + "\t" + b.name + "\t\t\t");
      listed.insert(b.number);
    }
  }
}

void ReportAddedLines(const EditedList& list, ChangeKind kind, std::vector<Change>& changes) {
  for (std::size_t i = 0; i < list.lines.size(); ++i) {
    if (!list.raw[i]) changes.push_back({kind, list.name, static_cast<int>(i) + 1, list.lines[i]});
  }
}

void ReportGoneLines(const EditedList& blocks, const std::set<std::string>& numbers,
                     std::vector<Problem>& problems) {
  for (std::size_t i = 0; i < blocks.lines.size(); ++i) {
    const std::string& line = blocks.lines[i];
    if (!blocks.raw[i] || line.find('\t') == std::string::npos) continue;
    const std::string number = FieldZero(line);
    if (number.empty() || numbers.contains(number)) continue;
    AddProblem(problems, Severity::Warning, ProblemKind::SourceLineGone, kBlockListName,
               static_cast<int>(i) + 1, number);
  }
}

struct DrawingCopy {
  std::string from;
  std::string to;
};

// The drawings to copy into the catalogue's DXF folder: new ones, and changed ones over the
// file of that name in whatever letter case it has there.
std::vector<DrawingCopy> PlanDrawings(const std::vector<SourceCategory>& categories,
                                      const std::string& dxfFolder, std::vector<Change>& changes,
                                      std::vector<Problem>& problems) {
  const DrawingIndex index = ListDrawings(dxfFolder);
  std::unordered_map<std::string, std::string> taken;  // key -> source file
  std::vector<DrawingCopy> copies;
  for (const SourceCategory& category : categories) {
    for (const SourceDrawing& d : category.drawings) {
      const std::string leaf = DrawingLeafName(d.parsed.number, d.parsed.letter);
      if (const auto [it, added] = taken.emplace(FileKey(leaf), d.path); !added) {
        AddProblem(problems, Severity::Warning, ProblemKind::SourceCaseTwin, d.path, 0, {},
                   it->second);
        continue;
      }
      const std::string* existing = index.Find(leaf);
      const std::string target = existing != nullptr ? *existing : leaf;
      const std::string label = std::string(kDxfDirName) + "/" + target;
      if (existing != nullptr) {
        const auto now = text::ReadFileBytes(JoinPath(dxfFolder, target));
        const auto from = text::ReadFileBytes(d.path);
        if (now && from && *now == *from) continue;
      }
      changes.push_back({existing != nullptr ? ChangeKind::ReplaceDrawing : ChangeKind::CopyDrawing,
                         label, 0, d.path});
      copies.push_back({d.path, JoinPath(dxfFolder, target)});
    }
  }
  return copies;
}

bool WriteDrawings(const std::vector<DrawingCopy>& copies, std::vector<Problem>& problems) {
  for (const DrawingCopy& copy : copies) {
    const std::optional<std::string> bytes = text::ReadFileBytes(copy.from);
    if (!bytes || !text::WriteFileAtomically(copy.to, *bytes)) {
      AddProblem(problems, Severity::Error, ProblemKind::WriteFailed, copy.to, 0, {});
      return false;
    }
  }
  return true;
}

bool WriteList(const std::string& catalogue, const EditedList& list, TextEncoding encoding,
               std::vector<Problem>& problems) {
  if (!list.changed && !list.unmarkedUtf8) return true;
  if (text::WriteFileAtomically(JoinPath(catalogue, list.name), EncodeList(list, encoding))) {
    return true;
  }
  AddProblem(problems, Severity::Error, ProblemKind::WriteFailed, list.name, 0, {});
  return false;
}

}  // namespace

bool ParseSourceName(const std::string& fileName, SourceName& parsed) {
  if (!HasDxfExtension(fileName)) return false;
  const std::string stem = fileName.substr(0, fileName.size() - 4);
  const std::size_t cut = stem.find_first_of(" _");
  const std::string head = stem.substr(0, cut);
  if (head.size() < 2) return false;
  const char letter = static_cast<char>(head.back() & ~0x20);  // a, b, c as A, B, C
  if (letter != 'A' && letter != 'B' && letter != 'C') return false;
  parsed.number = head.substr(0, head.size() - 1);
  parsed.letter = letter;
  parsed.name.clear();
  if (cut != std::string::npos) {
    const std::size_t a = stem.find_first_not_of(" _", cut);
    if (a != std::string::npos) parsed.name = stem.substr(a, stem.find_last_not_of(' ') - a + 1);
  }
  return parsed.name.find('\t') == std::string::npos;
}

BuildReport BuildCatalogue(const std::string& source, const std::string& catalogue,
                           const BuildOptions& options) {
  BuildReport report;
  std::error_code ec;
  report.sourceReadable = fs::is_directory(text::PathFromUtf8(source), ec);
  if (!report.sourceReadable) {
    AddProblem(report.problems, Severity::Error, ProblemKind::FolderUnreadable, source, 0, {});
    return report;
  }
  const fs::path root = text::PathFromUtf8(catalogue);
  const fs::path dxf = root / kDxfDirName;
  if ((fs::exists(root, ec) && !fs::is_directory(root, ec)) ||
      (fs::exists(dxf, ec) && !fs::is_directory(dxf, ec))) {
    AddProblem(report.problems, Severity::Error, ProblemKind::DxfFolderMissing, Utf8Path(dxf), 0,
               {});
    return report;
  }
  const std::vector<SourceCategory> categories = ScanSource(source, dxf, report.problems);
  EditedList menu;
  EditedList blocks;
  if (!ReadEditedList(catalogue, kMenuListName, menu, report.problems) ||
      !ReadEditedList(catalogue, kBlockListName, blocks, report.problems)) {
    return report;
  }
  AddCategoryLines(categories, menu, blocks, options);
  ReportAddedLines(menu, ChangeKind::AddCategory, report.changes);
  ReportAddedLines(blocks, ChangeKind::AddBlock, report.changes);
  std::set<std::string> numbers;
  for (const SourceCategory& c : categories) {
    for (const SourceDrawing& d : c.drawings) numbers.insert(d.parsed.number);
  }
  ReportGoneLines(blocks, numbers, report.problems);
  const std::vector<DrawingCopy> copies =
      PlanDrawings(categories, Utf8Path(dxf), report.changes, report.problems);
  const auto menuEncoding = ChooseEncoding(menu, report.changes, report.problems);
  const auto blockEncoding = ChooseEncoding(blocks, report.changes, report.problems);
  if (options.dryRun || !menuEncoding || !blockEncoding || report.changes.empty()) return report;

  fs::create_directories(dxf, ec);
  // Drawings first, then the lines that name them: the palette never meets a line early.
  report.written = WriteDrawings(copies, report.problems) &&
                   WriteList(catalogue, blocks, *blockEncoding, report.problems) &&
                   WriteList(catalogue, menu, *menuEncoding, report.problems);
  return report;
}

}  // namespace zr
