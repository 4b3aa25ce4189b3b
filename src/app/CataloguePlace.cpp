#include "app/CataloguePlace.h"

#include <unordered_set>

#include "app/Catalogue.h"
#include "app/CatalogueCheck.h"
#include "app/CatalogueFolder.h"
#include "app/PaletteState.h"
#include "drawing/ScaleDrawingName.h"
#include "drawing/SlotRecord.h"
#include "text/TextFile.h"

namespace zr {
namespace {

// The first block line whose number (first field) is `number`, or -1.
int FindNumberLine(const std::vector<std::string>& blockLines, const std::string& number) {
  std::vector<std::string> fields;
  for (std::size_t i = 0; i < blockLines.size(); ++i) {
    text::SplitTabs(blockLines[i], fields);
    if (!fields.empty() && fields[0] == number) return static_cast<int>(i);
  }
  return -1;
}

// The check names a drawing "DXF/<name>".
bool IsDrawingFile(const std::string& file) {
  return file.starts_with(std::string(kDxfDirName) + "/");
}

}  // namespace

std::optional<CataloguePlace> PlaceOfBlockLine(const std::vector<std::string>& menuLines,
                                               const std::vector<std::string>& blockLines,
                                               int blockLine) {
  if (blockLine < 0 || blockLine >= static_cast<int>(blockLines.size())) return std::nullopt;
  std::unordered_set<std::string> names;
  for (const std::string& line : menuLines) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    std::string name = line.substr(0, tab);
    // The box finds a name's first category only.
    if (!names.insert(name).second) continue;
    const CategoryRange range = FindCategoryRange(blockLines, line.substr(tab + 1));
    if (range.first < 0 || blockLine < range.first || blockLine > range.last) continue;
    return CataloguePlace{std::move(name), (blockLine - range.first) / kSlotCount};
  }
  return std::nullopt;
}

std::optional<CataloguePlace> PlaceOfProblem(const Problem& problem,
                                             const std::vector<std::string>& menuLines,
                                             const std::vector<std::string>& blockLines) {
  if (problem.file == kBlockListName && problem.line > 0) {
    return PlaceOfBlockLine(menuLines, blockLines, problem.line - 1);
  }
  if (problem.file == kMenuListName && problem.line > 0 &&
      problem.line <= static_cast<int>(menuLines.size())) {
    const std::string& line = menuLines[static_cast<std::size_t>(problem.line - 1)];
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) return std::nullopt;  // not in the category box
    return CataloguePlace{line.substr(0, tab), 0};
  }
  if (IsDrawingFile(problem.file) && !problem.subject.empty()) {
    return PlaceOfBlockLine(menuLines, blockLines, FindNumberLine(blockLines, problem.subject));
  }
  return std::nullopt;
}

CheckList CheckCatalogueLines(const std::string& folder) {
  const CheckReport report = CheckCatalogue(folder);
  // The lines the problems' line numbers count, decoded as the palette decodes them.
  const ListFile menu = ReadListFile(JoinPath(folder, kMenuListName));
  const ListFile blocks = ReadListFile(JoinPath(folder, kBlockListName));
  CheckList list;
  list.summary = CountProblems(report.problems, MessageLanguage::Japanese);
  for (const Problem& p : report.problems) {
    list.lines.push_back({DescribeProblem(p, MessageLanguage::Japanese),
                     PlaceOfProblem(p, menu.lines, blocks.lines)});
  }
  if (list.lines.empty()) list.lines.push_back({kNoProblemLine, std::nullopt});
  return list;
}

}  // namespace zr
