// The catalogue check over a generated catalogue of 10,000 blocks with 30,000 drawings of the
// demo's size (about 17 KB, as a CAD writes them), beside the honest limit: only reading every
// list and drawing file's bytes, which any check has to do at least.
// The drawings are hard links to 30 distinct files, so the folder costs little disk; the files
// are read through the page cache in both runs alike.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/CatalogueCheck.h"
#include "support/CatalogueGenerator.h"
#include "support/DxfGenerator.h"
#include "support/TempFolder.h"
#include "text/AnsiCodePage.h"
#include "text/TextFile.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBlocks = 10000;
constexpr std::size_t kDistinctDrawings = 30;
constexpr std::size_t kDrawingBytes = 17 * 1024;

struct GeneratedCatalogue {
  zr::test::TempFolder dir;
  std::size_t drawings = 0;

  GeneratedCatalogue() {
    std::string menu;
    for (const std::string& tag : zr::bench::CatalogueTags()) {
      menu += zr::text::Utf8ToAnsi("分類 " + tag + "\t" + tag) + "\r\n";
    }
    std::string list;
    std::vector<std::string> numbers;
    for (const std::string& line : zr::bench::GenerateCatalogue(kBlocks)) {
      list += zr::text::Utf8ToAnsi(line) + "\r\n";
      numbers.push_back(line.substr(0, line.find('\t')));
    }
    dir.Write("MenuList.txt", menu);
    dir.Write("BlockList.txt", list);
    fs::create_directories(dir.Path() / "DXF");
    std::vector<fs::path> originals;
    for (std::size_t i = 0; i < kDistinctDrawings; ++i) {
      originals.push_back(dir.Path() / ("original" + std::to_string(i) + ".dxf"));
      zr::bench::WriteGeneratedDxf(originals.back().string(), kDrawingBytes,
                                   static_cast<std::uint32_t>(i + 1));
    }
    for (const std::string& number : numbers) {
      for (const char letter : {'A', 'B', 'C'}) {
        const fs::path to = dir.Path() / "DXF" / (number + letter + ".dxf");
        std::error_code ec;
        fs::create_hard_link(originals[drawings % kDistinctDrawings], to, ec);
        if (!ec) ++drawings;
      }
    }
  }
};

GeneratedCatalogue& Catalogue() {
  static GeneratedCatalogue catalogue;
  return catalogue;
}

void BM_CheckCatalogue(benchmark::State& state) {
  GeneratedCatalogue& c = Catalogue();
  std::size_t problems = 0;
  for (auto _ : state) {
    const zr::CheckReport report = zr::CheckCatalogue(c.dir.File(""));
    problems = report.problems.size();
    benchmark::DoNotOptimize(problems);
  }
  state.counters["drawings"] = static_cast<double>(c.drawings);
  state.counters["problems"] = static_cast<double>(problems);
}
BENCHMARK(BM_CheckCatalogue)->Unit(benchmark::kSecond)->Iterations(3);

// The limit: the lists and every drawing read into memory, nothing else.
void BM_ReadEveryFileOnly(benchmark::State& state) {
  GeneratedCatalogue& c = Catalogue();
  for (auto _ : state) {
    std::size_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(c.dir.Path())) {
      if (!entry.is_regular_file()) continue;
      bytes += zr::text::ReadFileBytes(entry.path().string()).value_or("").size();
    }
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_ReadEveryFileOnly)->Unit(benchmark::kSecond)->Iterations(3);

}  // namespace
