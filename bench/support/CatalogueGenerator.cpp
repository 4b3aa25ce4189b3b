#include "support/CatalogueGenerator.h"

#include <array>
#include <cstdio>
#include <random>

namespace zr::bench {
namespace {

struct Category {
  const char* tag;
  std::vector<const char*> stems;
};

const std::array<Category, 8> kCategories = {{
    {"LT", {"ダウンライト", "ＬＥＤダウンライト", "シーリングライト", "ペンダント", "ブラケット",
            "LEDベースライト", "非常用照明", "誘導灯", "スポットライト", "投光器", "ﾀﾞｳﾝﾗｲﾄ",
            "蛍光灯", "庭園灯", "ポール灯"}},
    {"OT", {"コンセント", "接地極付コンセント", "ｺﾝｾﾝﾄ", "防水コンセント", "抜止形コンセント",
            "フロアコンセント", "ＯＡタップ", "エアコン用コンセント", "200Vコンセント"}},
    {"SW", {"スイッチ", "3路スイッチ", "調光器", "タイマスイッチ", "人感センサ", "ﾘﾓｺﾝｽｲｯﾁ",
            "パイロットランプ付スイッチ", "防水スイッチ"}},
    {"PB", {"分電盤", "動力制御盤", "端子盤", "プルボックス", "開閉器", "漏電遮断器", "配線用遮断器"}},
    {"TL", {"電話用アウトレット", "情報用アウトレット", "テレビ端子", "インターホン親機",
            "インターホン子機", "スピーカー", "ｽﾋﾟｰｶｰ", "アンテナ", "無線ＬＡＮアクセスポイント"}},
    {"FA", {"差動式スポット型感知器", "定温式スポット型感知器", "煙感知器", "発信機", "表示灯",
            "地区音響装置", "受信機", "火災報知器", "非常放送スピーカー"}},
    {"PL", {"給水栓", "混合水栓", "洋風便器", "洗面器", "掃除流し", "排水金物", "ﾊﾞﾙﾌﾞ", "逆止弁",
            "量水器", "給湯器"}},
    {"AC", {"換気扇", "天井扇", "パッケージエアコン室内機", "室外機", "ﾀﾞｸﾄ", "吹出口", "吸込口",
            "ダンパー", "全熱交換器", "ファンコイルユニット"}},
}};

const std::vector<const char*> kModifiers = {"", "", "", "（埋込）", "（直付）", "（壁付）",
                                             "（露出）", "（屋外用）", "（防雨形）", "（角形）",
                                             "（丸形）", "・小形", "・大形", "（2灯）", "（ＬＥＤ）"};
const std::vector<const char*> kComments = {"", "", "天井埋込 φ100", "天井埋込 φ150", "天井直付",
                                            "壁付 H=1200", "壁付 H=300", "傍記 DL", "傍記 CL",
                                            "器具は別途", "電池内蔵形 30分", "屋外 防雨形",
                                            "100V 15A", "200V 20A", "2P15A×2", "□600 グリッド天井用",
                                            "ﾎﾞｯｸｽ別途", "ＪＩＳ Ｃ ０３０３", "矢印は照射方向"};

}  // namespace

std::vector<std::string> CatalogueTags() {
  std::vector<std::string> tags;
  for (const Category& category : kCategories) tags.emplace_back(category.tag);
  return tags;
}

std::vector<std::string> GenerateCatalogue(std::size_t blocks, std::uint32_t seed) {
  std::mt19937 rng(seed);
  const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
  std::vector<std::string> lines;
  lines.reserve(blocks);
  // The lines of a category stand together, as the catalogue requires.
  for (std::size_t i = 0; i < blocks; ++i) {
    const Category& category = kCategories[i * kCategories.size() / blocks];
    char number[32];
    std::snprintf(number, sizeof number, "%s%06zu", category.tag, i);
    std::string line = number;
    line += '\t';
    const bool quoted = pick(10) == 0;
    if (quoted) line += '"';
    line += category.stems[pick(category.stems.size())];
    line += kModifiers[pick(kModifiers.size())];
    if (pick(3) == 0) line += " " + std::to_string(10 + pick(90));
    if (quoted) line += '"';
    line += pick(2) == 0 ? "\t*" : "\t";
    line += pick(3) == 0 ? "\t*" : "\t";
    line += '\t';
    line += kComments[pick(kComments.size())];
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace zr::bench
