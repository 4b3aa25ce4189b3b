// Folding of catalogue texts: each row's texts must fold to the same text, or stay apart.
#include <gtest/gtest.h>

#include "app/SearchFold.h"

namespace zr {
namespace {

TEST(SearchFold, TextsReadAsTheSameWordFoldAlike) {
  const struct {
    std::vector<const char*> texts;  // all fold to the first one's folding
    const char* folded;
  } rows[] = {
      {{"コンセント", "ｺﾝｾﾝﾄ", "こんせんと"}, "コンセント"},
      {{"ダウンライト", "ﾀﾞｳﾝﾗｲﾄ", "だうんらいと", "ダウンライト"}, "ダウンライト"},
      {{"パイプ", "ﾊﾟｲﾌﾟ", "ぱいぷ", "ハ\u309Aイフ\u309A", "ハ゜イフ゜"}, "パイプ"},
      {{"ヴォールト", "ｳﾞｫｰﾙﾄ", "ゔぉーると"}, "ヴォールト"},
      {{"スイッチ", "ｽｲｯﾁ", "すいっち"}, "スイッチ"},          // small tsu stays small
      {{"LED照明", "ＬＥＤ照明", "led照明", "Led照明"}, "led照明"},
      {{"E-101", "Ｅ－１０１", "e−101", "ｅ‐101", "Ｅー１０１", "e–101", "e—101", "e―101"}, "e-101"},
      {{"101-2", "１０１ー２", "101ｰ2", "１０１－２", "101-2"}, "101-2"},  // as the input method types it
      {{"101-", "１０１ー"}, "101-"},                                        // typed so far
      {{"3ケ所", "3ヶ所", "３ヶ所", "3ゖ所"}, "3ケ所"},
      {{"カ月", "ヵ月", "ゕ月"}, "カ月"},
      {{"100V 15A", "１００Ｖ　１５Ａ", "100v\t15a"}, "100v 15a"},
      {{"「非常用」", "｢非常用｣"}, "「非常用」"},
      {{"ケーブル・ラック", "ｹｰﾌﾞﾙ･ﾗｯｸ"}, "ケーブル・ラック"},
      {{"φ100～φ150", "φ100〜φ150", "φ100~φ150"}, "φ100~φ150"},
      {{"￥", "¥"}, "¥"},
      {{"ﾞ", "゛"}, "゛"},                                   // a mark with no kana before it
      {{"ンﾞ", "ン゛"}, "ン゛"},                             // a kana that takes no mark
      {{"ゝ", "ヽ"}, "ヽ"},
  };
  for (const auto& row : rows) {
    for (const char* text : row.texts) {
      EXPECT_EQ(SearchFoldUtf8(text), row.folded) << text;
    }
  }
}

TEST(SearchFold, DifferentWordsStayApart) {
  const std::pair<const char*, const char*> apart[] = {
      {"キャップ", "キヤップ"},  // small and large kana
      {"ボード", "ボ-ド"},       // long vowel mark and hyphen
      {"1ーア", "1-ア"},         // ー next to kana stays a long vowel mark
      {"アー1", "ア-1"},
      {"ハ", "バ"},
      {"バ", "パ"},
      {"0", "o"},
  };
  for (const auto& [a, b] : apart) EXPECT_NE(SearchFoldUtf8(a), SearchFoldUtf8(b)) << a << " " << b;
}

TEST(SearchFold, AMarkNeverJoinsTheTextBefore) {
  std::u16string out = SearchFold("カ");
  AppendSearchFold("ﾞ", out);
  EXPECT_EQ(out, u"カ゛");
  EXPECT_EQ(SearchFold("\xFF" "a\xE3\x81"), u"\uFFFDa\uFFFD\uFFFD");  // each byte that is no UTF-8
}

}  // namespace
}  // namespace zr
