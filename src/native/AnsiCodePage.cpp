// Windows's ANSI code pages for the native build, through iconv; the system's is 932.
// Decoding is table-driven (iconv per character would be far too slow for the DXF reader):
// a code page's single bytes are looked up once, and the trail bytes of a lead byte the first
// time a text uses it (all of 932's rows at once took a first read several milliseconds).
#include "text/AnsiCodePage.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <memory>
#include <mutex>

#include "text/Utf.h"

namespace zr::text {
namespace {

constexpr const char* kSystemCodePage = "CP932";

// The code pages a table can be built for, by slot; slot 0 is the system's (932 among them).
constexpr std::array<unsigned, 14> kCodePages = {0,    874,  936,  949,  950,  1250, 1251,
                                                 1252, 1253, 1254, 1255, 1256, 1257, 1258};

using Row = std::array<char32_t, 256>;  // by trail byte; 0 = no character

// What iconv_open gives when it cannot convert.
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

struct CodePageTable {
  CodePageTable() = default;
  CodePageTable(const CodePageTable&) = delete;
  CodePageTable& operator=(const CodePageTable&) = delete;
  ~CodePageTable() {
    if (cd != kNoConverter) iconv_close(cd);
  }

  Row single{};                     // 0 = a lead byte or undefined
  std::array<bool, 256> mayLead{};  // from 0x81 on, undefined alone: a lead byte if any row
  iconv_t cd = kNoConverter;        // kept open for the rows still to build
  std::mutex cdLock;
  std::array<std::once_flag, 256> rowOnce;
  std::array<std::unique_ptr<Row>, 256> rows;  // none for a byte that leads nothing
};

char32_t ConvertOne(iconv_t cd, const char* in, std::size_t inLen) {
  char out[8];
  char* inPtr = const_cast<char*>(in);
  char* outPtr = out;
  std::size_t inLeft = inLen;
  std::size_t outLeft = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return 0;
  // Code pages with combining marks (1258) hold a letter back until told the text ended.
  if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return 0;
  if (inLeft != 0 || outLeft != sizeof out - 4) return 0;
  const auto* u = reinterpret_cast<const unsigned char*>(out);
  return static_cast<char32_t>(u[0] | (u[1] << 8) | (u[2] << 16) | (u[3] << 24));
}

// A byte that decodes on its own is a single character; one that does not may start a
// two-byte character.
void BuildSingles(CodePageTable& table) {
  for (int b = 1; b < 256; ++b) {
    const char c = static_cast<char>(b);
    table.single[b] = ConvertOne(table.cd, &c, 1);
    table.mayLead[b] = b >= 0x81 && table.single[b] == 0;
  }
}

// The two-byte characters that lead begins, or null when it begins none.
const Row* RowOf(CodePageTable& table, unsigned char lead) {
  std::call_once(table.rowOnce[lead], [&table, lead] {
    auto row = std::make_unique<Row>();
    bool any = false;
    const std::lock_guard<std::mutex> hold(table.cdLock);
    for (int t = 0x40; t <= 0xFE; ++t) {
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(t)};
      (*row)[t] = ConvertOne(table.cd, pair, 2);
      any = any || (*row)[t] != 0;
    }
    if (any) table.rows[lead] = std::move(row);
  });
  return table.rows[lead].get();
}

std::size_t SlotOf(unsigned codePage) {
  for (std::size_t i = 1; i < kCodePages.size(); ++i) {
    if (kCodePages[i] == codePage) return i;
  }
  return 0;
}

CodePageTable& Table(unsigned codePage) {
  static std::array<std::unique_ptr<CodePageTable>, kCodePages.size()> tables;
  static std::array<std::once_flag, kCodePages.size()> once;
  const std::size_t slot = SlotOf(codePage);
  std::call_once(once[slot], [slot] {
    auto table = std::make_unique<CodePageTable>();
    const std::string name =
        slot == 0 ? std::string(kSystemCodePage) : "CP" + std::to_string(kCodePages[slot]);
    table->cd = iconv_open("UTF-32LE", name.c_str());
    if (table->cd != kNoConverter) {
      BuildSingles(*table);
    } else if (slot == 0) {
      // No CP932 in this C library: ASCII still decodes, everything else is replaced.
      for (int b = 0; b < 0x80; ++b) table->single[b] = static_cast<char32_t>(b);
    } else {
      return;  // the system's code page stands in
    }
    tables[slot] = std::move(table);
  });
  return tables[slot] ? *tables[slot] : Table(0);
}

}  // namespace

std::string CodePageToUtf8(unsigned codePage, std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  CodePageTable& t = Table(codePage);
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      continue;
    }
    if (t.mayLead[b] && i + 1 < bytes.size()) {
      const Row* row = RowOf(t, b);
      const char32_t cp = row != nullptr ? (*row)[static_cast<unsigned char>(bytes[i + 1])] : 0;
      if (cp != 0) {
        AppendUtf8(out, cp);
        ++i;
        continue;
      }
    }
    const char32_t cp = t.single[b];
    AppendUtf8(out, cp != 0 ? cp : kReplacementChar);
  }
  return out;
}

std::string AnsiToUtf8(std::string_view bytes) { return CodePageToUtf8(0, bytes); }

namespace {

// Converts to the system's code page; a character it lacks becomes '?' when `lossy`, else
// ends the conversion with nothing.
std::optional<std::string> EncodeAnsi(std::string_view utf8, bool lossy) {
  if (IsAscii(utf8)) return std::string(utf8);
  iconv_t cd = iconv_open(kSystemCodePage, "UTF-8");
  if (cd == kNoConverter) {
    return lossy ? std::optional<std::string>(std::string(utf8)) : std::nullopt;
  }
  const std::string clean = SanitizeUtf8(utf8);
  std::string out;
  char* in = const_cast<char*>(clean.data());
  std::size_t inLeft = clean.size();
  char buffer[256];
  bool lost = false;
  while (inLeft > 0 && !lost) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, outPtr);
    if (r == static_cast<std::size_t>(-1) && errno == EILSEQ) {
      lost = !lossy;
      // Skip the one character the code page lacks and put '?' in its place.
      std::size_t skip = 1;
      while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
      in += skip;
      inLeft -= skip;
      out += '?';
    }
  }
  iconv_close(cd);
  if (lost) return std::nullopt;
  return out;
}

}  // namespace

std::string Utf8ToAnsi(std::string_view utf8) { return *EncodeAnsi(utf8, true); }

std::optional<std::string> Utf8ToAnsiExactly(std::string_view utf8) {
  std::optional<std::string> out = EncodeAnsi(utf8, false);
  // iconv's code page 932 maps some characters one way only (U+301C and U+FF5E to the same
  // bytes), so only the way back shows that the text survives.
  if (!out || AnsiToUtf8(*out) != utf8) return std::nullopt;
  return out;
}

}  // namespace zr::text
