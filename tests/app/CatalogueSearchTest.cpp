// Search across the catalogue: matching, the rule that every word must match, the ranking.
#include <gtest/gtest.h>

#include "app/CatalogueSearch.h"

namespace zr {
namespace {

const std::vector<std::string> kLines = {
    "L001\tダウンライト\t*\t\t天井埋込 LED",        // 0
    "L002\t\"ＬＥＤダウンライト\"\t\t*\t\"φ100\"",  // 1
    "L003\t非常用照明\t\t\tバッテリー内蔵",          // 2
    "no tab: no block",                               // 3
    "E001\tｺﾝｾﾝﾄ 2P\t*\t\t壁付",                     // 4
    "E002\t接地コンセント\t\t\t",                    // 5
    "E003\t防水ｺﾝｾﾝﾄ\t\t\t屋外 E001 と同形",         // 6
    "LED1\t照明器具(a+b)*[1]\t\t\tダウンライト用",   // 7
    "\t番号のないコンセント",                        // 8: no block number, no slot
    "E101-2\tケーブル\t\t\t3ヶ所",                  // 9
};

std::vector<int> Find(const char* query) { return CatalogueSearch(kLines).Find(query); }

TEST(CatalogueSearch, FindsAcrossWidthsKanaAndCase) {
  const struct {
    const char* query;
    std::vector<int> lines;
  } cases[] = {
      {"こんせんと", {4, 5, 6}},
      {"ｺﾝｾﾝﾄ", {4, 5, 6}},
      {"コンセント", {4, 5, 6}},
      {"ﾀﾞｳﾝﾗｲﾄ", {0, 1, 7}},
      {"φ１００", {1}},
      {"(a+b)*[1]", {7}},       // no pattern syntax
      {".*", {}},
      {"", {}},
      {"　 ", {}},              // blanks only: no words
      {"tab", {}},              // a line without a tab is no block
      {"ZZZ", {}},
      {"番号のない", {}},       // a line without a block number is no result
      {"ｅ１０１ー２", {9}},     // typed with the input method on
      {"3ケ所", {9}},
      {"ｹｰﾌﾞﾙ", {9}},
  };
  for (const auto& c : cases) EXPECT_EQ(Find(c.query), c.lines) << c.query;
}

TEST(CatalogueSearch, EveryWordMustMatchSomewhere) {
  EXPECT_EQ(Find("ダウンライト　天井"), (std::vector<int>{0}));  // full-width blank
  EXPECT_EQ(Find("コンセント 屋外"), (std::vector<int>{6}));
  EXPECT_EQ(Find("コンセント 天井"), (std::vector<int>{}));
}

TEST(CatalogueSearch, RanksNumberThenNamePrefixThenNameThenComment) {
  // "led": number of 7, name prefix of 1, comment of 0.
  EXPECT_EQ(Find("led"), (std::vector<int>{7, 1, 0}));
  // "e001": number of 4, comment of 6.
  EXPECT_EQ(Find("e001"), (std::vector<int>{4, 6}));
  // "ダウンライト": name prefix of 0, name of 1, comment of 7.
  EXPECT_EQ(Find("ダウンライト"), (std::vector<int>{0, 1, 7}));
  // Equals keep catalogue order; the weakest word decides before the sum.
  EXPECT_EQ(Find("コンセント"), (std::vector<int>{4, 5, 6}));
  EXPECT_EQ(Find("l00 ダウン"), (std::vector<int>{0, 1}));
  // Weakest words: name (1), comment (7 and 0); then the sums: 7 (number + comment) before
  // 0 (name prefix + comment).
  EXPECT_EQ(Find("ダウンライト led"), (std::vector<int>{1, 7, 0}));
}

TEST(CatalogueSearch, LongQueriesAreCutAtTheFieldLimit) {
  const std::string longName(300, 'a');
  CatalogueSearch search({"A1\t" + longName});
  EXPECT_EQ(search.Find(std::string(255, 'a')), (std::vector<int>{0}));
  EXPECT_EQ(search.Find(std::string(255, 'a') + "zzz"), (std::vector<int>{0}));  // cut
  EXPECT_EQ(CutQuery(std::string(254, 'a') + "照照").size(), 257u);
  EXPECT_EQ(CutQuery(std::string(254, 'a') + "\U0001F4A1").size(), 254u);  // pair kept whole
  EXPECT_EQ(CatalogueSearch(std::vector<std::string>{}).Find("a"), (std::vector<int>{}));
}

TEST(CatalogueSearch, FindsTheLineOfEachBlockNumber) {
  std::vector<std::string> lines = kLines;
  lines.push_back("E001\t重複");
  EXPECT_EQ(FindBlockLines(lines, {"E002", "L001", "gone", "E001", "no tab: no block"}),
            (std::vector<int>{5, 0, -1, 4, -1}));
}

}  // namespace
}  // namespace zr
