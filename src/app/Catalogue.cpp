#include "app/Catalogue.h"

#include "text/TextFile.h"

namespace zr {
namespace {

// Index of the last UTF-8 character's first byte.
std::size_t LastCharStart(std::string_view s) {
  std::size_t i = s.size() - 1;
  while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
  return i;
}

}  // namespace

std::vector<std::string> MenuCategories(const std::vector<std::string>& menuLines) {
  std::vector<std::string> names;
  for (const std::string& line : menuLines) {
    const std::size_t tab = line.find('\t');
    if (tab != std::string::npos) names.push_back(line.substr(0, tab));
  }
  return names;
}

std::string FindCategoryTag(const std::vector<std::string>& menuLines, const std::string& name) {
  for (const std::string& line : menuLines) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    if (std::string_view(line).substr(0, tab) == name) return line.substr(tab + 1);
  }
  return {};
}

CategoryRange FindCategoryRange(const std::vector<std::string>& blockLines,
                                const std::string& tag) {
  CategoryRange range;
  if (tag.empty()) return range;
  const int count = static_cast<int>(blockLines.size());
  for (int i = 0; i < count; ++i) {
    const bool inCategory = blockLines[static_cast<std::size_t>(i)].starts_with(tag);
    if (range.first < 0) {
      if (inCategory) range.first = i;
      continue;
    }
    if (!inCategory) {
      range.last = i - 1;
      return range;
    }
  }
  if (range.first >= 0) range.last = count - 1;
  return range;
}

std::string_view StripQuotes(std::string_view field) {
  if (!field.starts_with('"')) return field;
  // Drop the opening quote and the last character, whatever it is: a whole character, so
  // that a name ending in a multi-byte character without its closing quote stays valid text.
  const std::string_view rest = field.substr(1);
  if (rest.empty()) return {};
  return rest.substr(0, LastCharStart(rest));
}

bool ReadBlockLine(std::string_view line, TBlkList& slot, std::string& hint) {
  std::vector<std::string> fields;
  text::SplitTabs(line, fields);
  if (fields.size() < 2) return false;
  slot.BlkNo = fields[0];
  slot.BlkName = StripQuotes(fields[1]);
  hint = slot.BlkName;
  if (fields.size() >= 3) slot.IsJis = fields[2] == "*";
  if (fields.size() >= 4) slot.IsKok = fields[3] == "*";
  if (fields.size() >= 5) {
    slot.Comment = StripQuotes(fields[4]);
    if (!slot.Comment.empty()) hint += "\r" + slot.Comment;
  }
  return true;
}

std::string ExtractFilePath(std::string_view path) {
  const std::size_t cut = path.find_last_of("\\/:");
  if (cut == std::string_view::npos) return {};
  return std::string(path.substr(0, cut + 1));
}

}  // namespace zr
