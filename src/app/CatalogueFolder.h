#pragma once
// A catalogue folder as the palette finds it: the two list files decoded as the palette
// decodes them, and the drawing files of a folder found as Windows finds them, whatever the
// letter case of their names.
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "text/TextFile.h"

namespace zr {

struct ListFile {
  bool exists = false;
  bool opened = false;
  text::TextEncoding encoding = text::TextEncoding::Ansi;  // as the palette reads it
  bool unmarkedUtf8 = false;       // UTF-8 without a mark: the palette garbles it
  bool undecodable = false;        // bytes the code page cannot decode (U+FFFD in the lines)
  std::vector<std::string> lines;  // the palette's lines
};
ListFile ReadListFile(const std::string& path);

// A UTF-8 path joined with a UTF-8 name, and the UTF-8 text of a path.
std::string JoinPath(const std::string& folder, std::string_view name);
std::string Utf8Path(const std::filesystem::path& path);

// Windows compares file names without regard to letter case: the key of a name.
std::string FileKey(std::string_view name);

// The ".dxf" files of a folder (any letter case of the extension), by key; a key with two
// names marks files that one Windows folder cannot hold apart.
struct DrawingIndex {
  bool isFolder = false;
  std::unordered_map<std::string, std::vector<std::string>> byKey;  // names sorted
  const std::string* Find(std::string_view name) const;             // the first file of that key
};
DrawingIndex ListDrawings(const std::string& folder);

bool HasDxfExtension(std::string_view name);

}  // namespace zr
