// Pairs of a file read piece by piece must be exactly the pairs of the whole text: same
// lines, same line numbers, wherever the pieces happen to cut (through a line, between the CR
// and LF of a line break, through a pair longer than a piece).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "drawing/DxfFilePairs.h"
#include "text/TextFile.h"

namespace zr::dxf {
namespace {

namespace fs = std::filesystem;

struct Taken {
  std::string code, value;
  std::size_t codeLine, valueLine;
  friend bool operator==(const Taken&, const Taken&) = default;
};

std::vector<Taken> Whole(std::string_view text) {
  std::vector<Taken> out;
  PairCursor pairs(text);
  Pair p;
  while (pairs.Next(p)) {
    out.push_back({std::string(p.codeText), std::string(p.value), p.codeLine, p.valueLine});
  }
  return out;
}

std::vector<Taken> InPieces(const std::string& text, std::size_t piece, std::string& buffer) {
  std::istringstream in(text);
  FilePairs pairs(in, buffer, piece);
  std::vector<Taken> out;
  Pair p;
  while (pairs.Next(p)) {
    out.push_back({std::string(p.codeText), std::string(p.value), p.codeLine, p.valueLine});
  }
  EXPECT_FALSE(pairs.Failed());
  return out;
}

void ExpectSamePairs(const std::string& text, const std::string& what) {
  std::string buffer;  // shared by every piece size, as the reader keeps it from file to file
  const std::vector<Taken> whole = Whole(text);
  for (const std::size_t piece : {1u, 2u, 3u, 7u, 64u, 4096u}) {
    SCOPED_TRACE(what + ", pieces of " + std::to_string(piece));
    EXPECT_TRUE(InPieces(text, piece, buffer) == whole);
  }
}

TEST(DxfFilePairs, PiecesGiveThePairsOfTheWholeText) {
  const std::string longValue(300, 'x');
  const std::string texts[] = {
      "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n1.5\n0\nENDSEC\n0\nEOF\n",
      "  0\r\nLINE\r\n 10\r\n2\r\n\r\n\r\n  0\r\nEOF\r\n",  // CR LF, empty lines
      "0\rLINE\r10\r3\r0\rEOF",                             // CR alone, no final break
      "0\nTEXT\n1\n" + longValue + "\n1\n" + longValue + "\r\n0\nEOF\n",
      "0\nLINE\n10",  // a trailing odd line is dropped
      "",
  };
  int n = 0;
  for (const std::string& text : texts) ExpectSamePairs(text, "text " + std::to_string(n++));
}

TEST(DxfFilePairs, CorpusFilesInPieces) {
  std::error_code ec;
  const fs::path dir = text::PathFromUtf8(ZR_CORPUS_DIR);
  if (!fs::is_directory(dir, ec)) GTEST_SKIP() << "no DXF corpus at " << ZR_CORPUS_DIR;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() != ".dxf" || entry.file_size() > 200 * 1024) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    ExpectSamePairs(bytes.str(), entry.path().filename().string());
  }
}

}  // namespace
}  // namespace zr::dxf
