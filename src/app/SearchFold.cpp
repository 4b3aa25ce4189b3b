#include "app/SearchFold.h"

#include "text/Utf.h"

namespace zr {
namespace {

constexpr char32_t kVoicedMark = 0x309B;      // ゛
constexpr char32_t kSemiVoicedMark = 0x309C;  // ゜
constexpr char32_t kLongVowelMark = 0x30FC;   // ー

// Half-width katakana U+FF66..U+FF9D in full width.
constexpr char16_t kHalfWidthKana[] = {
    0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5, 0x30E7, 0x30C3,  // ｦｧｨｩｪｫｬｭｮｯ
    0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1,  // ｰｱｲｳｴｵｶｷｸｹ
    0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6,  // ｺｻｼｽｾｿﾀﾁﾂﾃ
    0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8,  // ﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍ
    0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,  // ﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗ
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3,                                  // ﾘﾙﾚﾛﾜﾝ
};

// Half-width forms U+FFE8..U+FFEE (box line, arrows, square, circle) in full width.
constexpr char16_t kHalfWidthSigns[] = {0x2502, 0x2190, 0x2191, 0x2192, 0x2193, 0x25A0, 0x25CB};
// Full-width signs U+FFE0..U+FFE6 in their usual forms: ¢ £ ¬ ¯ ¦ ¥ ₩.
constexpr char16_t kFullWidthSigns[] = {0x00A2, 0x00A3, 0x00AC, 0x00AF, 0x00A6, 0x00A5, 0x20A9};

bool IsBlank(char32_t c) {
  return c < 0x20 || c == 0x7F || c == 0xA0 || c == 0x3000 || (c >= 0x2000 && c <= 0x200A) ||
         c == 0x202F || c == 0x205F;
}

// One code point folded on its own (the marks are joined by the caller).
char32_t FoldOne(char32_t c) {
  if (c < 0x80) {
    if (c >= 'A' && c <= 'Z') return c + ('a' - 'A');
    return IsBlank(c) ? U' ' : c;
  }
  if (c >= 0x3041 && c <= 0x3096) return FoldOne(c + 0x60);  // hiragana
  if (c == 0x309D || c == 0x309E) return c + 0x60;  // ゝゞ
  if (c >= 0xFF01 && c <= 0xFF5E) return FoldOne(c - 0xFEE0);
  if (c >= 0xFF66 && c <= 0xFF9D) return kHalfWidthKana[c - 0xFF66];
  switch (c) {
    case 0xFF61: return 0x3002;  // ｡
    case 0xFF62: return 0x300C;  // ｢
    case 0xFF63: return 0x300D;  // ｣
    case 0xFF64: return 0x3001;  // ､
    case 0xFF65: return 0x30FB;  // ･
    case 0xFF9E: return kVoicedMark;
    case 0xFF9F: return kSemiVoicedMark;
    case 0x3099: return kVoicedMark;      // combining forms
    case 0x309A: return kSemiVoicedMark;
    case 0x301C: return U'~';    // wave dash, which converters give for ～
    case 0x2212: return U'-';    // minus sign, for －
    // Hyphens and dashes: catalogues and input methods write any of them for '-'.
    case 0x2010: case 0x2011: case 0x2013: case 0x2014: case 0x2015: return U'-';
    case 0x30F5: return 0x30AB;  // ヵ, read as カ
    case 0x30F6: return 0x30B1;  // ヶ, read as ケ (3ヶ所)
    case 0x2016: return 0x2225;  // double vertical line and parallel
    default: break;
  }
  if (c >= 0xFFE0 && c <= 0xFFE6) return kFullWidthSigns[c - 0xFFE0];
  if (c >= 0xFFE8 && c <= 0xFFEE) return kHalfWidthSigns[c - 0xFFE8];
  return IsBlank(c) ? U' ' : c;
}

// The kana `base` with a voiced (or semi-voiced) mark; 0 when it takes none.
char16_t Voiced(char16_t base, bool semi) {
  if (semi) {
    if (base >= 0x30CF && base <= 0x30DB && (base - 0x30CF) % 3 == 0) return base + 2;  // ハ行
    return 0;
  }
  if (base >= 0x30AB && base <= 0x30C1 && (base - 0x30AB) % 2 == 0) return base + 1;  // カ..チ
  if (base == 0x30C4 || base == 0x30C6 || base == 0x30C8) return base + 1;            // ツテト
  if (base >= 0x30CF && base <= 0x30DB && (base - 0x30CF) % 3 == 0) return base + 1;  // ハ行
  if (base == 0x30A6) return 0x30F4;                                                  // ウ
  if (base >= 0x30EF && base <= 0x30F2) return base + 8;                              // ワヰヱヲ
  if (base == 0x30FD) return 0x30FE;                                                  // ヽ
  return 0;
}

bool IsAsciiAlnum(char32_t c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// With the input method on, "-" after a digit or letter is typed as ー ("１０１ー２"): there it
// is a hyphen. Between kana it is the long vowel mark (ボード is not ボ-ド). `next` is where
// the following character starts.
bool LongVowelIsHyphen(std::u16string_view before, std::string_view utf8, std::size_t next) {
  if (before.empty() || !IsAsciiAlnum(before.back())) return false;
  if (next >= utf8.size()) return true;  // typed so far: "１０１ー"
  const char32_t following = FoldOne(text::DecodeOne(utf8, next));
  return following == U' ' || IsAsciiAlnum(following);
}

}  // namespace

void AppendSearchFold(std::string_view utf8, std::u16string& out) {
  const std::size_t start = out.size();
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {  // most block numbers are ASCII
      out.push_back(static_cast<char16_t>(FoldOne(b)));
      ++i;
      continue;
    }
    char32_t c = FoldOne(text::DecodeOne(utf8, i));
    if (c == kLongVowelMark &&
        LongVowelIsHyphen(std::u16string_view(out).substr(start), utf8, i)) {
      c = U'-';
    }
    if ((c == kVoicedMark || c == kSemiVoicedMark) && out.size() > start) {
      const char16_t joined = Voiced(out.back(), c == kSemiVoicedMark);
      if (joined != 0) {
        out.back() = joined;
        continue;
      }
    }
    text::AppendUtf16(out, c);
  }
}

std::u16string SearchFold(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  AppendSearchFold(utf8, out);
  return out;
}

std::string SearchFoldUtf8(std::string_view utf8) {
  return text::Utf16ToUtf8(SearchFold(utf8));
}

}  // namespace zr
