// A whole page fill: fourteen slot thumbnails, each read from its DXF file, expanded,
// measured and drawn (onto the recording canvas of the native tests); and one thumbnail of
// each file made to break a drawing (a huge insert array, self-nested blocks).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "app/PaletteState.h"
#include "drawing/Renderer.h"
#include "drawing/SlotThumbnail.h"
#include "support/DxfGenerator.h"
#include "support/NestedDxfGenerator.h"
#include "support/RecordingCanvas.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSlots = zr::kSlotCount;
constexpr int kPicture = 53;

// Fourteen different generated drawings of about `bytes` each, written once per run.
const std::vector<std::string>& GeneratedPage(std::size_t bytes) {
  static std::vector<std::string> files;
  static std::size_t madeFor = 0;
  if (madeFor == bytes) return files;
  const fs::path dir = fs::temp_directory_path() / "zr-pagefill-bench";
  fs::create_directories(dir);
  files.clear();
  for (int i = 0; i < kSlots; ++i) {
    const fs::path path = dir / ("S" + std::to_string(i) + "-" + std::to_string(bytes) + "B.dxf");
    zr::bench::WriteGeneratedDxf(path.string(), bytes, 100 + static_cast<std::uint32_t>(i));
    files.push_back(path.string());
  }
  madeFor = bytes;
  return files;
}

void FillPage(const std::vector<std::string>& files, zr::TDxfModel& model,
              zr::TPaletteState& state, std::array<zr::testing::RecordingCanvas*, kSlots>& pics) {
  for (int slot = 0; slot < kSlots; ++slot) {
    zr::testing::RecordingCanvas& pic = *pics[static_cast<std::size_t>(slot)];
    pic.ClearOps();
    zr::ClearImage(pic, kPicture, kPicture, 0);
    zr::DrawSlot(model, state, files[static_cast<std::size_t>(slot) % files.size()], pic, slot,
                 state.gbHojoKiten, state.gbKaiten);
  }
}

void Run(benchmark::State& bs, const std::vector<std::string>& files, bool hojoKiten) {
  if (files.empty()) {
    bs.SkipWithError("no drawings");
    return;
  }
  zr::TDxfModel model;
  zr::TPaletteState state;
  state.gbHojoKiten = hojoKiten;
  std::vector<zr::testing::RecordingCanvas> canvases;
  canvases.reserve(kSlots);
  std::array<zr::testing::RecordingCanvas*, kSlots> pics{};
  for (int i = 0; i < kSlots; ++i) pics[static_cast<std::size_t>(i)] = &canvases.emplace_back(kPicture, kPicture);

  std::size_t bytes = 0;
  for (const std::string& f : files) bytes += fs::file_size(f);
  for (auto _ : bs) {
    FillPage(files, model, state, pics);
    benchmark::DoNotOptimize(canvases.data());
  }
  std::size_t ops = 0;
  for (const auto& c : canvases) ops += c.Ops().size();
  bs.counters["ops_per_page"] = static_cast<double>(ops);
  bs.counters["file_bytes_per_page"] = static_cast<double>(bytes * kSlots / files.size());
  bs.SetBytesProcessed(static_cast<std::int64_t>(bs.iterations()) *
                       static_cast<std::int64_t>(bytes * kSlots / files.size()));
}

// The target case: fourteen slots of about 50 KB each.
void BM_PageFill50KB(benchmark::State& bs) { Run(bs, GeneratedPage(50 * 1024), false); }
BENCHMARK(BM_PageFill50KB)->Unit(benchmark::kMillisecond);

void BM_PageFill50KBWithBasePoints(benchmark::State& bs) {
  Run(bs, GeneratedPage(50 * 1024), true);
}
BENCHMARK(BM_PageFill50KBWithBasePoints)->Unit(benchmark::kMillisecond);

// The first page of the demo catalogue's symbols (B drawings), as the palette shows them.
void BM_PageFillDemoCatalogue(benchmark::State& bs) {
  std::vector<std::string> files;
  const fs::path dir = fs::path(ZR_DEMO_DIR) / "DXF";
  if (fs::is_directory(dir)) {
    for (const auto& e : fs::directory_iterator(dir)) {
      const std::string name = e.path().filename().string();
      if (name.size() > 5 && name.compare(name.size() - 5, 5, "B.dxf") == 0) {
        files.push_back(e.path().string());
      }
    }
  }
  std::sort(files.begin(), files.end());
  if (files.size() > kSlots) files.resize(kSlots);
  if (files.empty()) {
    bs.SkipWithError("demo catalogue not found");
    return;
  }
  Run(bs, files, false);
}
BENCHMARK(BM_PageFillDemoCatalogue)->Unit(benchmark::kMillisecond);

// Fourteen symbols built of blocks nested three deep, 200 to 400 inserts drawn each.
const std::vector<std::string>& NestedPage(std::size_t* insertsDrawn) {
  static std::vector<std::string> files;
  static std::size_t drawn = 0;
  if (files.empty()) {
    const fs::path dir = fs::temp_directory_path() / "zr-pagefill-bench";
    fs::create_directories(dir);
    for (int i = 0; i < kSlots; ++i) {
      const fs::path path = dir / ("N" + std::to_string(i) + ".dxf");
      zr::bench::NestedCounts counts;
      zr::bench::WriteFile(path.string(),
                           zr::bench::GenerateNestedSymbol(200 + static_cast<std::uint32_t>(i),
                                                           &counts));
      drawn += counts.insertsDrawn;
      files.push_back(path.string());
    }
  }
  *insertsDrawn = drawn;
  return files;
}

void BM_PageFillNestedBlocks(benchmark::State& bs) {
  std::size_t inserts = 0;
  const std::vector<std::string>& files = NestedPage(&inserts);
  Run(bs, files, false);
  bs.counters["inserts_per_page"] = static_cast<double>(inserts);
}
BENCHMARK(BM_PageFillNestedBlocks)->Unit(benchmark::kMillisecond);

// One thumbnail of a pathological file, read and drawn: bounded by the drawing budget.
void BM_PathologicalThumbnail(benchmark::State& bs) {
  const auto kind = static_cast<zr::bench::Pathology>(bs.range(0));
  bs.SetLabel(zr::bench::PathologyName(kind));
  const fs::path dir = fs::temp_directory_path() / "zr-pagefill-bench";
  fs::create_directories(dir);
  const std::string path = (dir / (std::string(zr::bench::PathologyName(kind)) + ".dxf")).string();
  zr::bench::WriteFile(path, zr::bench::GeneratePathological(kind));
  zr::TDxfModel model;
  zr::TPaletteState state;
  zr::testing::RecordingCanvas pic(kPicture, kPicture);
  for (auto _ : bs) {
    pic.ClearOps();
    zr::ClearImage(pic, kPicture, kPicture, 0);
    zr::DrawSlot(model, state, path, pic, 0, false, 0.0);
  }
  bs.counters["ops"] = static_cast<double>(pic.Ops().size());
}
BENCHMARK(BM_PathologicalThumbnail)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
