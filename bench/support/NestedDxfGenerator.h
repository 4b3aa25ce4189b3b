#pragma once
// Generated drawings of symbols built of blocks (a panel of rows of breakers, terminals and
// marks, nested three deep and placed many times), and files made to break a drawing: a huge
// insert array, blocks that contain themselves, a nesting that doubles at every level.
#include <cstddef>
#include <cstdint>
#include <string>

namespace zr::bench {

// What a nested-block symbol holds and draws.
struct NestedCounts {
  std::size_t insertRecords = 0;  // INSERT entities in the file (blocks and ENTITIES)
  std::size_t insertsDrawn = 0;   // inserts drawn once every block is expanded
};

// One symbol of 200 to 400 drawn inserts: a panel block (level 1) of row blocks (level 2) of
// small leaf blocks (level 3: lines, arcs, circles, a polyline, a text, a SOLID dot), placed
// once or twice, beside 140 to 160 leaf inserts of its own, some with an ATTRIB. R2000,
// CP932 text. The same seed gives the same bytes.
std::string GenerateNestedSymbol(std::uint32_t seed, NestedCounts* counts = nullptr);

enum class Pathology {
  HugeArray,     // an INSERT of a block holding a 1,000 x 1,000 MINSERT of a small cell
  SelfDirect,    // a block that inserts itself
  SelfThrough,   // block A inserts B, B inserts A
  Doubling,      // 64 blocks, each inserting the next one twice (2^64 leaves)
};
const char* PathologyName(Pathology kind);
std::string GeneratePathological(Pathology kind);

bool WriteFile(const std::string& path, const std::string& bytes);

}  // namespace zr::bench
