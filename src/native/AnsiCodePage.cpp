// Windows's ANSI code pages for the native build, through iconv; the system's is 932.
// Decoding builds a lookup table per code page once (iconv per character would be far too
// slow for the DXF reader), then runs table-driven.
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

struct CodePageTable {
  std::array<char32_t, 256> single{};                   // 0 = a lead byte or undefined
  std::array<bool, 256> isLead{};
  std::unique_ptr<std::array<std::array<char32_t, 256>, 256>> dbcs;  // [lead][trail]
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

// A byte that decodes on its own is a single character; one that does not but starts a
// two-byte character with some trail byte is a lead byte.
void Build(CodePageTable& table, iconv_t cd) {
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    table.single[b] = b == 0 ? 0 : ConvertOne(cd, &c, 1);
    if (b < 0x81 || table.single[b] != 0) continue;
    for (int t = 0x40; t <= 0xFE; ++t) {
      const char pair[2] = {c, static_cast<char>(t)};
      const char32_t cp = ConvertOne(cd, pair, 2);
      if (cp == 0) continue;
      if (!table.dbcs) table.dbcs = std::make_unique<std::array<std::array<char32_t, 256>, 256>>();
      (*table.dbcs)[b][t] = cp;
      table.isLead[b] = true;
    }
  }
}

std::size_t SlotOf(unsigned codePage) {
  for (std::size_t i = 1; i < kCodePages.size(); ++i) {
    if (kCodePages[i] == codePage) return i;
  }
  return 0;
}

const CodePageTable& Table(unsigned codePage) {
  static std::array<std::unique_ptr<CodePageTable>, kCodePages.size()> tables;
  static std::array<std::once_flag, kCodePages.size()> once;
  const std::size_t slot = SlotOf(codePage);
  std::call_once(once[slot], [slot] {
    auto table = std::make_unique<CodePageTable>();
    const std::string name =
        slot == 0 ? std::string(kSystemCodePage) : "CP" + std::to_string(kCodePages[slot]);
    iconv_t cd = iconv_open("UTF-32LE", name.c_str());
    if (cd != reinterpret_cast<iconv_t>(-1)) {
      Build(*table, cd);
      iconv_close(cd);
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
  const CodePageTable& t = Table(codePage);
  const auto* dbcs = t.dbcs.get();  // held locally: the text's stores may alias the member
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      continue;
    }
    if (t.isLead[b] && i + 1 < bytes.size()) {
      const char32_t cp = (*dbcs)[b][static_cast<unsigned char>(bytes[i + 1])];
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
  if (cd == reinterpret_cast<iconv_t>(-1)) {
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
