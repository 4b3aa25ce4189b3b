// Writes a generated catalogue into a folder, as the palette reads it (MenuList.txt and
// BlockList.txt in the ANSI code page, CRLF), for timing the palette's start from outside
// (scripts/measure-startup.sh):
//   MakeCatalogue <folder> <blocks>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/CatalogueGenerator.h"
#include "text/AnsiCodePage.h"
#include "text/TextFile.h"

int main(int argc, char** argv) {
  const long blocks = argc == 3 ? std::atol(argv[2]) : 0;
  if (blocks <= 0) {
    std::fprintf(stderr, "usage: %s <folder> <blocks>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  std::string menu;
  for (const std::string& tag : zr::bench::CatalogueTags()) {
    menu += zr::text::Utf8ToAnsi("分類 " + tag + "\t" + tag) + "\r\n";
  }
  std::string list;
  for (const std::string& line : zr::bench::GenerateCatalogue(static_cast<std::size_t>(blocks))) {
    list += zr::text::Utf8ToAnsi(line) + "\r\n";
  }
  if (!zr::text::WriteFileAtomically(folder + "/MenuList.txt", menu) ||
      !zr::text::WriteFileAtomically(folder + "/BlockList.txt", list)) {
    std::fprintf(stderr, "the catalogue could not be written into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
