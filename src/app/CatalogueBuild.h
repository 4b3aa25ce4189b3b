#pragma once
// Makes or updates a catalogue from a folder of drawings as a CAD exports them: one
// sub-folder per category (or one flat folder), files named by block number and scale letter
// ("LT001B.dxf", optionally followed by a blank or "_" and the block's name). Lines, names,
// marks, comments and order the keeper edited are kept; new blocks go to the end of their
// category; lines whose drawings are gone are reported, never deleted.
#include <map>
#include <string>
#include <vector>

#include "app/CatalogueProblems.h"

namespace zr {

struct BuildOptions {
  bool dryRun = false;
  std::map<std::string, std::string> tags;  // category (sub-folder) name -> tag
};

enum class ChangeKind { AddCategory, AddBlock, CopyDrawing, ReplaceDrawing, Reencode };

struct Change {
  ChangeKind kind = ChangeKind::AddBlock;
  std::string file;  // relative to the catalogue
  int line = 0;      // 1-based line in the file written, 0 when none
  std::string what;  // the line added, the drawing copied, the new encoding
};

struct BuildReport {
  bool sourceReadable = false;
  bool written = false;  // false after a dry run, an error, or when nothing changed
  std::vector<Change> changes;
  std::vector<Problem> problems;
};

BuildReport BuildCatalogue(const std::string& source, const std::string& catalogue,
                           const BuildOptions& options);

std::string DescribeChange(const Change& change, MessageLanguage language);

// A source drawing's file name taken apart; false when it is not "<number><A|B|C>[ _name].dxf".
struct SourceName {
  std::string number;
  char letter = 'B';
  std::string name;  // the block's name, or empty
};
bool ParseSourceName(const std::string& fileName, SourceName& parsed);

}  // namespace zr
