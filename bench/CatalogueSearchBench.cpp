// Search across a generated catalogue of 100,000 blocks: the index built at start-up, and the
// query of every keystroke while a word is typed letter by letter (ranking included).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/CatalogueSearch.h"
#include "support/CatalogueGenerator.h"
#include "text/AnsiCodePage.h"
#include "text/TextFile.h"

namespace {

constexpr std::size_t kBlocks = 100000;

const std::vector<std::string>& Catalogue() {
  static const std::vector<std::string> lines = zr::bench::GenerateCatalogue(kBlocks);
  return lines;
}

const zr::CatalogueSearch& Index() {
  static const zr::CatalogueSearch index(Catalogue());
  return index;
}

// The texts in the field after each keystroke of `word` (one character at a time).
std::vector<std::string> Keystrokes(const std::string& word) {
  std::vector<std::string> texts;
  for (std::size_t i = 1; i <= word.size(); ++i) {
    if (i < word.size() && (static_cast<unsigned char>(word[i]) & 0xC0) == 0x80) continue;
    texts.push_back(word.substr(0, i));
  }
  return texts;
}

void BM_IndexBuild(benchmark::State& state) {
  const std::vector<std::string>& lines = Catalogue();
  for (auto _ : state) {
    zr::CatalogueSearch index(lines);
    benchmark::DoNotOptimize(index.BlockCount());
  }
  state.counters["blocks"] = static_cast<double>(Index().BlockCount());
}
BENCHMARK(BM_IndexBuild)->Unit(benchmark::kMillisecond);

// One iteration is one keystroke: the prefixes of the word in turn. With `withLines`, also
// the palette's copy of the result lines that its pages are filled from.
void TypeWord(benchmark::State& state, const std::string& word, bool withLines) {
  const zr::CatalogueSearch& index = Index();
  const std::vector<std::string> texts = Keystrokes(word);
  std::size_t k = 0;
  std::size_t found = 0;
  for (auto _ : state) {
    const std::vector<int> hits = index.Find(texts[k]);
    if (withLines) {
      std::vector<std::string> lines;
      lines.reserve(hits.size());
      for (const int line : hits) lines.push_back(Catalogue()[static_cast<std::size_t>(line)]);
      benchmark::DoNotOptimize(lines.data());
    }
    found += hits.size();
    k = (k + 1) % texts.size();
  }
  state.counters["keystrokes"] = static_cast<double>(texts.size());
  state.counters["hits_per_key"] =
      benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}

void BM_Keystroke(benchmark::State& state, const char* word) { TypeWord(state, word, false); }
void BM_KeystrokeAndLines(benchmark::State& state, const char* word) { TypeWord(state, word, true); }

BENCHMARK_CAPTURE(BM_Keystroke, led, "led")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, number_lt0123, "lt0123")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, hiragana_konsento, "こんせんと")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, katakana_daunraito, "ダウンライト")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, halfwidth_daunraito, "ﾀﾞｳﾝﾗｲﾄ")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, two_words, "照明 埋込 φ1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, long_vowel_only, "ー")->Unit(benchmark::kMillisecond);
// The first keystroke of a word in the block numbers' letters: the most candidates.
BENCHMARK_CAPTURE(BM_Keystroke, first_letter_l, "l")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeystrokeAndLines, led, "led")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeystrokeAndLines, long_vowel_only, "ー")->Unit(benchmark::kMillisecond);

// The recent blocks' check against the catalogue at start-up: 28 numbers spread over it,
// two of them gone.
void BM_RecentBlocksCheck(benchmark::State& state) {
  const std::vector<std::string>& lines = Catalogue();
  std::vector<std::string> numbers;
  for (std::size_t i = 0; i < 26; ++i) {
    numbers.emplace_back(zr::BlockNumberOf(lines[(i * 3847 + 11) % lines.size()]));
  }
  numbers.insert(numbers.end(), {"GONE1", "GONE2"});
  for (auto _ : state) benchmark::DoNotOptimize(zr::FindBlockLines(lines, numbers));
}
BENCHMARK(BM_RecentBlocksCheck)->Unit(benchmark::kMillisecond);

// A query of the field's whole length: 255 characters, many words.
void BM_LongestQuery(benchmark::State& state) {
  std::string query;
  while (query.size() < 3 * 255) query += "ダウンライト 埋込 ";
  for (auto _ : state) benchmark::DoNotOptimize(Index().Find(query));
}
BENCHMARK(BM_LongestQuery)->Unit(benchmark::kMillisecond);

// What start-up does with a catalogue of 100,000 blocks: read "BlockList.txt" (code page
// 932, as delivered) into lines, then build the index.
void BM_StartupReadAndIndex(benchmark::State& state) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "zr-search-bench-BlockList.txt";
  std::string bytes;
  for (const std::string& line : Catalogue()) bytes += zr::text::Utf8ToAnsi(line) + "\r\n";
  if (!zr::text::WriteFileAtomically(file.string(), bytes)) {
    state.SkipWithError("the catalogue could not be written");
    return;
  }
  for (auto _ : state) {
    std::vector<std::string> lines;
    zr::text::ReadTextLines(file.string(), lines);
    zr::CatalogueSearch index(lines);
    benchmark::DoNotOptimize(index.BlockCount());
  }
  std::filesystem::remove(file);
}
BENCHMARK(BM_StartupReadAndIndex)->Unit(benchmark::kMillisecond);

}  // namespace
