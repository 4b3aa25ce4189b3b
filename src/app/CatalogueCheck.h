#pragma once
// The catalogue check: reads a catalogue folder exactly as the palette does (same decoding,
// tab split, drawing names and reader) and lists every problem a user would meet.
#include <string>
#include <vector>

#include "app/CatalogueProblems.h"

namespace zr {

struct CheckReport {
  bool folderReadable = false;  // false: the folder is missing or is no folder
  std::vector<Problem> problems;
};

CheckReport CheckCatalogue(const std::string& folder);

// The problems of one drawing file's bytes, as the palette's reader and slot see them; `file`
// and `subject` go into the problems.
void CheckDrawingBytes(std::string_view bytes, const std::string& file, const std::string& subject,
                       std::vector<Problem>& problems);

// The problems of the two lists' lines alone (categories, tags, block lines, numbers).
void CheckListLines(const std::vector<std::string>& menuLines,
                    const std::vector<std::string>& blockLines, std::vector<Problem>& problems);

}  // namespace zr
