#pragma once
// Folding of Japanese catalogue text for matching: texts that a user reads as the same word
// fold to the same code units, so that a plain substring test finds them.
//
//  - full-width ASCII (letters, digits, symbols) becomes ASCII; ASCII letters become lower case;
//  - half-width katakana becomes full-width katakana; a voiced or semi-voiced mark (half-width,
//    combining or spacing) joins the kana before it (ｶﾞ, か゛ and ガ all fold to ガ); the
//    half-width long vowel mark becomes ー, the half-width small kana stay small;
//  - hiragana becomes katakana (small kana stay small, ゝゞ become ヽヾ);
//  - every blank (ideographic space, no-break space, tab, control characters) becomes ' ';
//  - the half-width CJK punctuation and the full-width signs (￥￠￡￢) become their usual
//    forms, and the characters that code page 932 converters disagree on (〜 and ～, ‖ and ∥)
//    fold together; hyphens, the minus sign and the dashes (‐ − – — ― －) become '-';
//  - ヶ and ヵ become ケ and カ (3ヶ所 is read 3ケ所).
// The long vowel mark ー (and ｰ) becomes '-' only after a digit or Latin letter and before
// another, a blank or the end, where the input method types it for '-' ("１０１ー２"); between
// kana it stays apart from '-' (ボード is not ボ-ド), as small kana stay apart from large ones
// (キャ is not キヤ). Bytes that are no UTF-8 fold to U+FFFD.
#include <string>
#include <string_view>

namespace zr {

// Appends the folded form of UTF-8 text to `out`; a mark at the start of the appended text
// never joins what `out` held before.
void AppendSearchFold(std::string_view utf8, std::u16string& out);
std::u16string SearchFold(std::string_view utf8);
// The folded text as UTF-8, for people to read (tests, diagnostics).
std::string SearchFoldUtf8(std::string_view utf8);

}  // namespace zr
