#pragma once
// The block catalogue: "MenuList.txt" names the categories and their tags, "BlockList.txt"
// lists the blocks, one per line, tab-separated. These are the rules on its lines; the
// palette's handlers (TForm1) apply them to the files and the controls.
#include <string>
#include <string_view>
#include <vector>

#include "app/PaletteState.h"
#include "drawing/ScaleDrawingName.h"

namespace zr {

inline constexpr const char* kMenuListName = "MenuList.txt";
inline constexpr const char* kBlockListName = "BlockList.txt";

// Lines of one category: first and last index into the catalogue lines, -1 when none.
struct CategoryRange {
  int first = -1;
  int last = -1;
  friend bool operator==(const CategoryRange&, const CategoryRange&) = default;
};

// Category names in file order: the text before the first tab of every line that has one.
std::vector<std::string> MenuCategories(const std::vector<std::string>& menuLines);

// The tag (text after the first tab) of the first line whose name equals `name` exactly;
// empty when no line does.
std::string FindCategoryTag(const std::vector<std::string>& menuLines, const std::string& name);

// The first run of consecutive lines that begin with `tag`; an empty tag finds nothing.
CategoryRange FindCategoryRange(const std::vector<std::string>& blockLines,
                                const std::string& tag);

// A field enclosed in double quotes loses its first and last characters; the test looks at
// the first character only.
std::string_view StripQuotes(std::string_view field);  // a view into `field`

// Fills the catalogue fields of a slot record from one block line and returns true; a line
// with fewer than two fields leaves the record alone and returns false. `hint` receives the
// slot picture's hint: the name, then "\r" and the comment when there is one.
bool ReadBlockLine(std::string_view line, TBlkList& slot, std::string& hint);

// The folder part of a file path, with its trailing separator ('\\', '/' or a drive's ':').
std::string ExtractFilePath(std::string_view path);

}  // namespace zr
