#pragma once
// Where the palette shows what a catalogue problem concerns: the category to choose in the
// category box and the page of it that holds the block, and the check's lines as the palette
// lists them.
#include <optional>
#include <string>
#include <vector>

#include "app/CatalogueProblems.h"

namespace zr {

struct CataloguePlace {
  std::string category;  // the name the category box shows
  int page = 0;          // 0-based page of that category
  friend bool operator==(const CataloguePlace&, const CataloguePlace&) = default;
};

// The category and page holding block line `blockLine` (0-based): the first category, in
// menu order, whose lines (the run its tag begins) include it; its page is its position in
// that run divided by the slots of a page. None when no category shows the line. A category
// whose name an earlier line already took cannot be chosen and is passed over.
std::optional<CataloguePlace> PlaceOfBlockLine(const std::vector<std::string>& menuLines,
                                               const std::vector<std::string>& blockLines,
                                               int blockLine);

// The place a problem leads to: a block's (its line of the block list, or for a drawing the
// first line of its number), a category line's first page; none for the others.
std::optional<CataloguePlace> PlaceOfProblem(const Problem& problem,
                                             const std::vector<std::string>& menuLines,
                                             const std::vector<std::string>& blockLines);

inline constexpr const char* kNoProblemLine = "問題は見つかりませんでした";

// One line of the palette's check list: the problem as the console tool prints it, and where
// choosing it leads.
struct CheckLine {
  std::string text;
  std::optional<CataloguePlace> place;
};

struct CheckList {
  std::vector<CheckLine> lines;
  std::string summary;  // "エラー 0 件、警告 2 件"
};

// Checks the catalogue folder as the console tool does and describes every problem in
// Japanese; a single line says so when there is none.
CheckList CheckCatalogueLines(const std::string& folder);

}  // namespace zr
