// One read of one DXF file by a fresh process, for whole-process timing and peak memory
// (scripts/bench-first-read.sh runs it under /usr/bin/time):
//   DxfFirstRead generate <file> <megabytes>   writes a generated drawing
//   DxfFirstRead read <file>                   the palette's reader into a fresh model
//   DxfFirstRead bare <file>                   baseline: the file read in one piece, its lines
//                                              split into pairs in memory, nothing kept
//   DxfFirstRead reals <file>                  the baseline with every real converted too
#include <cstdio>
#include <cstdlib>
#include <string>

#include "drawing/DxfRead.h"
#include "support/BareLineSplit.h"
#include "support/DxfGenerator.h"

namespace {

int Read(const std::string& path) {
  // The palette keeps its model after a read: freeing it at the end is no part of reading.
  zr::TDxfModel& model = *new zr::TDxfModel;
  std::string err, ver;
  zr::DxfRead(model, path, nullptr, nullptr, err, ver);
  std::printf("lines %zu, arcs %zu, circles %zu, polylines %zu, vertices %zu, texts %zu%s%s\n",
              model.LineAry.size(), model.ArcAry.size(), model.CircleAry.size(),
              model.LwpAry.size(), model.LwpEleAry.size(), model.TextAry.size(),
              err.empty() ? "" : ", stopped at ", err.c_str());
  return err.empty() ? 0 : 1;
}

// The baseline: lines split into pairs, nothing kept.
int Bare(const std::string& path, bool withReals) {
  zr::bench::FileBuffer buffer;
  const zr::bench::BareSplit split = zr::bench::BareLineSplit(path, buffer, withReals);
  if (!split.read) return 1;
  std::printf("pairs %zu, code sum %ld, real sum %g\n", split.pairs, split.codeSum,
              split.realSum);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 2 ? argv[1] : "";
  if (mode == "generate" && argc > 3) {
    const auto bytes = static_cast<std::size_t>(std::atof(argv[3]) * 1024 * 1024);
    return zr::bench::WriteGeneratedDxf(argv[2], bytes, 7) ? 0 : 1;
  }
  if (mode == "read") return Read(argv[2]);
  if (mode == "bare" || mode == "reals") return Bare(argv[2], mode == "reals");
  std::fprintf(stderr, "usage: %s generate <file> <MB> | read <file> | bare <file> | reals <file>\n",
               argv[0]);
  return 2;
}
