#pragma once
// What the catalogue tool finds wrong with a catalogue, one problem per finding, and the
// plain-words text of each in Japanese (the default) or English.
#include <string>
#include <vector>

namespace zr {

enum class Severity { Error, Warning };

enum class ProblemKind {
  FolderUnreadable,     // the catalogue folder itself cannot be read
  ListMissing,          // MenuList.txt or BlockList.txt is not there
  ListUnreadable,       // it is there but cannot be opened
  ListUnmarkedUtf8,     // UTF-8 without a byte-order mark: read in the ANSI code page, garbled
  ListUndecodable,      // bytes the ANSI code page cannot decode
  CategoryWithoutTab,   // a non-empty category line without a tab: not in the category box
  CategoryEmptyTag,     // a category whose tag is empty shows nothing
  CategoryTagUnused,    // the tag begins no line of the block list
  CategoryTagTwice,     // two categories with one tag
  CategoryNameTwice,    // two categories with one name: the second is never reached
  BlockLineShort,       // fewer than two fields: the slot stays empty
  BlockNumberTwice,     // one block number on two lines
  DrawingMissingB,      // no "B" drawing: no thumbnail, no insertion
  DrawingMissingScale,  // no "A" or "C" drawing: the "B" one stands in
  DrawingUnreadable,    // the DXF reader cannot read it (not DXF, damaged)
  DrawingBinary,        // a binary DXF, which the reader does not read
  DrawingTruncated,     // ends before its end-of-file marker
  DrawingEmpty,         // nothing to draw: black slot, no size
  DrawingUnlisted,      // no line lists this drawing
  DrawingCaseTwin,      // two drawing files whose names differ in letter case only
  DxfFolderMissing,     // the "DXF" folder is missing or is not a folder
  SourceMisnamed,       // build: a drawing named neither by number and letter
  SourceLineGone,       // build: a catalogue line whose drawings are gone from the source
  SourceCaseTwin,       // build: two source drawings for one block and letter
  WriteFailed,          // build: a file cannot be written
};

struct Problem {
  Severity severity = Severity::Error;
  ProblemKind kind = ProblemKind::FolderUnreadable;
  std::string file;     // relative to the catalogue ("BlockList.txt", "DXF/LT001B.dxf")
  int line = 0;         // 1-based line of `file`; 0 when the problem is not one line's
  std::string subject;  // the block number or category it concerns, or empty
  std::string detail;   // what the text needs besides: another line, a file name, ...
};

// Appends one problem.
void AddProblem(std::vector<Problem>& problems, Severity severity, ProblemKind kind,
                std::string file, int line, std::string subject, std::string detail = {});

enum class MessageLanguage { Japanese, English };

// One line: severity, file[:line], subject and what is wrong.
std::string DescribeProblem(const Problem& problem, MessageLanguage language);
bool HasError(const std::vector<Problem>& problems);
// The closing line of a list: how many errors and warnings.
std::string CountProblems(const std::vector<Problem>& problems, MessageLanguage language);

}  // namespace zr
