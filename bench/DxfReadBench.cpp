// Throughput and peak memory of the DXF reader on generated drawings and on the corpus.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "drawing/DxfRead.h"
#include "support/BareLineSplit.h"
#include "support/DxfGenerator.h"
#include "text/AnsiCodePage.h"

// Heap accounting for this program: current and peak bytes held, so that a read's peak
// memory can be set against the size of the file it read.
namespace {
std::atomic<std::size_t> gHeldBytes{0};
std::atomic<std::size_t> gPeakBytes{0};

void* Allocate(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  const std::size_t held = gHeldBytes += malloc_usable_size(p);
  std::size_t peak = gPeakBytes.load();
  while (held > peak && !gPeakBytes.compare_exchange_weak(peak, held)) {
  }
  return p;
}

void Release(void* p) noexcept {
  if (p == nullptr) return;
  gHeldBytes -= malloc_usable_size(p);
  std::free(p);
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

namespace {

namespace fs = std::filesystem;

// Generated drawings are written once per run into a temporary folder; counts[kilobytes]
// tells what each holds.
std::map<std::size_t, zr::bench::GeneratedCounts> gGenerated;

std::string GeneratedFile(std::size_t kilobytes) {
  static const fs::path dir = fs::temp_directory_path() / "zr-dxfread-bench";
  const fs::path path = dir / ("generated-" + std::to_string(kilobytes) + "kb.dxf");
  static std::vector<std::size_t> written;
  if (std::find(written.begin(), written.end(), kilobytes) == written.end()) {
    fs::create_directories(dir);
    zr::bench::WriteGeneratedDxf(path.string(), kilobytes * 1024, 7, &gGenerated[kilobytes]);
    written.push_back(kilobytes);
  }
  return path.string();
}

// Reads the file repeatedly into the program's model (as the palette does) and reports bytes
// per second, entity counts, and for a first read into a fresh model on a fresh thread its
// time and its peak heap relative to the file size.
void ReadFile(benchmark::State& state, const std::string& path,
              const zr::bench::GeneratedCounts* expected = nullptr) {
  std::error_code ec;
  const auto size = static_cast<std::size_t>(fs::file_size(path, ec));
  if (ec || size == 0) {
    state.SkipWithError("file missing");
    return;
  }
  // Peak of a first read: a fresh model on a fresh thread (whose file buffer is empty). The
  // code page table, built once per process, is built before.
  zr::text::AnsiToUtf8("\x95\x5c");
  std::size_t peak = 0;
  double firstReadMs = 0;
  std::thread([&] {
    zr::TDxfModel fresh;
    std::string e, v;
    const std::size_t before = gHeldBytes.load();
    gPeakBytes = before;
    const auto start = std::chrono::steady_clock::now();
    zr::DxfRead(fresh, path, nullptr, nullptr, e, v);
    firstReadMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    peak = gPeakBytes.load() - before;
  }).join();
  // The timed reads go into the program's own model, whose arrays keep their room from
  // read to read.
  zr::TDxfModel& model = zr::Model();
  std::string err, ver;
  for (auto _ : state) {
    zr::DxfRead(model, path, nullptr, nullptr, err, ver);
    benchmark::DoNotOptimize(model.LineAry.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
  state.counters["file_MB"] = static_cast<double>(size) / (1024.0 * 1024.0);
  state.counters["peak_x_file"] = static_cast<double>(peak) / static_cast<double>(size);
  state.counters["first_read_ms"] = firstReadMs;
  state.counters["lines"] = static_cast<double>(model.LineAry.size());
  state.counters["texts"] = static_cast<double>(model.TextAry.size());
  if (!err.empty()) state.SetLabel("stopped: " + err.substr(0, 40));
  // A generated drawing must read back as what was written.
  if (expected != nullptr &&
      (model.LineAry.size() != expected->lines || model.ArcAry.size() != expected->arcs ||
       model.CircleAry.size() != expected->circles || model.LwpAry.size() != expected->polylines ||
       model.LwpEleAry.size() != expected->vertices ||
       model.TextAry.size() != expected->texts + expected->mtexts || !err.empty())) {
    state.SkipWithError("the generated drawing did not read back as written");
  }
}

void BM_DxfReadGenerated(benchmark::State& state) {
  const auto kilobytes = static_cast<std::size_t>(state.range(0));
  const std::string path = GeneratedFile(kilobytes);
  ReadFile(state, path, &gGenerated[kilobytes]);
}
// Sizes in KB: a palette symbol (50 KB), then 1 MB, 20 MB and 100 MB drawings.
BENCHMARK(BM_DxfReadGenerated)
    ->Arg(50)
    ->Arg(1024)
    ->Arg(20 * 1024)
    ->Arg(100 * 1024)
    ->Unit(benchmark::kMillisecond);

// Baseline: what any line-based reader does at least, done the fast way: the file read in one
// piece (into memory kept from read to read, as the reader keeps its buffer), split into lines
// in memory, every group code converted, nothing kept.
void BM_BareLineSplit(benchmark::State& state) {
  const std::string path = GeneratedFile(static_cast<std::size_t>(state.range(0)));
  long sum = 0;
  zr::bench::FileBuffer buffer;
  for (auto _ : state) {
    sum += zr::bench::BareLineSplit(path, buffer).codeSum;
  }
  benchmark::DoNotOptimize(sum);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(path)));
}
BENCHMARK(BM_BareLineSplit)->Arg(50)->Arg(1024)->Arg(20 * 1024)->Unit(benchmark::kMillisecond);

// The reader against the baseline in interleaved rounds on the same file, warm: each round
// reads it once each way (the order turning), so that a load on the machine weighs on all
// alike. Reported: the median of the rounds' ratios (reader / baseline) and the ratio of the
// best times; the same for the baseline that also converts every real, the least that any
// reader producing the drawing's numbers has to do.
void BM_ReadOverBare(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const std::string path = GeneratedFile(static_cast<std::size_t>(state.range(0)));
  zr::TDxfModel& model = zr::Model();
  std::string err, ver;
  zr::bench::FileBuffer buffer;
  double sum = 0;
  const auto timed = [](const auto& run) {
    const auto start = Clock::now();
    run();
    return std::chrono::duration<double>(Clock::now() - start).count();
  };
  const std::function<double()> runs[] = {
      [&] { return timed([&] { sum += zr::bench::BareLineSplit(path, buffer).codeSum; }); },
      [&] { return timed([&] { sum += zr::bench::BareLineSplit(path, buffer, true).realSum; }); },
      [&] { return timed([&] { zr::DxfRead(model, path, nullptr, nullptr, err, ver); }); }};
  constexpr std::size_t kBare = 0, kReals = 1, kRead = 2;
  for (const auto& run : runs) run();
  std::vector<double> readRatios, realsRatios;
  double best[3] = {1e9, 1e9, 1e9};
  std::size_t round = 0;
  for (auto _ : state) {
    double t[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
      const std::size_t which = (round + i) % 3;
      t[which] = runs[which]();
      best[which] = std::min(best[which], t[which]);
    }
    readRatios.push_back(t[kRead] / t[kBare]);
    realsRatios.push_back(t[kReals] / t[kBare]);
    ++round;
  }
  benchmark::DoNotOptimize(sum);
  const auto median = [](std::vector<double>& v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  state.counters["ratio_median"] = median(readRatios);
  // The best time of each over its best (a round's own ratio can be anything when one of
  // its reads was interrupted).
  state.counters["ratio_of_bests"] = best[kRead] / best[kBare];
  state.counters["floor_median"] = median(realsRatios);
  state.counters["floor_of_bests"] = best[kReals] / best[kBare];
  state.counters["rounds"] = static_cast<double>(round);
}
BENCHMARK(BM_ReadOverBare)->Arg(50)->Arg(1024)->Arg(20 * 1024)->Unit(benchmark::kMillisecond);

// Every corpus file larger than 100 KB on its own, when the corpus is there.
const bool kCorpusRegistered = [] {
  std::error_code ec;
  const fs::path dir(ZR_CORPUS_DIR);
  if (!fs::is_directory(dir, ec)) return false;
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    if (entry.path().extension() != ".dxf" || entry.file_size(ec) < 100 * 1024) continue;
    const std::string path = entry.path().string();
    benchmark::RegisterBenchmark(("BM_DxfReadCorpus/" + entry.path().filename().string()).c_str(),
                                 [path](benchmark::State& state) { ReadFile(state, path); })
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
