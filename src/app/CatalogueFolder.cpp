#include "app/CatalogueFolder.h"

#include <algorithm>
#include <system_error>

#include "text/AsciiCase.h"
#include "text/Utf.h"

namespace zr {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

}  // namespace

ListFile ReadListFile(const std::string& path) {
  ListFile list;
  list.exists = text::FileExists(path);
  if (!list.exists) return list;
  const std::optional<std::string> bytes = text::ReadFileBytes(path);
  if (!bytes) return list;
  list.opened = true;
  // The palette's own decoding; the edited-text rule only tells what an editor meant.
  const std::string decoded = text::DecodeText(*bytes, &list.encoding);
  text::TextEncoding edited = text::TextEncoding::Ansi;
  text::DecodeEditedText(*bytes, &edited);
  list.unmarkedUtf8 = edited == text::TextEncoding::Utf8;
  list.undecodable = !list.unmarkedUtf8 && decoded.find(kReplacementUtf8) != std::string::npos &&
                     bytes->find(kReplacementUtf8) == std::string::npos;
  list.lines = text::SplitLines(decoded);
  return list;
}

std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
}

std::string JoinPath(const std::string& folder, std::string_view name) {
  return Utf8Path(text::PathFromUtf8(folder) / text::PathFromUtf8(name));
}

std::string FileKey(std::string_view name) {
  std::string key(name);
  for (char& c : key) c = text::AsciiLower(c);
  return key;
}

bool HasDxfExtension(std::string_view name) {
  return name.size() > 4 && text::EqualsIgnoringAsciiCase(name.substr(name.size() - 4), ".dxf");
}

const std::string* DrawingIndex::Find(std::string_view name) const {
  const auto it = byKey.find(FileKey(name));
  return it == byKey.end() ? nullptr : &it->second.front();
}

DrawingIndex ListDrawings(const std::string& folder) {
  DrawingIndex index;
  std::error_code ec;
  const std::filesystem::path dir = text::PathFromUtf8(folder);
  index.isFolder = std::filesystem::is_directory(dir, ec);
  if (!index.isFolder) return index;
  // Not recursive and following no link to another folder: a loop of links cannot trap it.
  std::filesystem::directory_iterator it(dir, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code typeEc;
    if (it->is_directory(typeEc)) continue;
    const std::string name = Utf8Path(it->path().filename());
    if (!HasDxfExtension(name)) continue;
    index.byKey[FileKey(name)].push_back(name);
  }
  for (auto& [key, names] : index.byKey) std::sort(names.begin(), names.end());
  return index;
}

}  // namespace zr
