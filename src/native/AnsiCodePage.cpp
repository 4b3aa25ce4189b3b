// Code page 932 for the native build, through iconv. Decoding builds a lookup table once
// (iconv per character would be far too slow for the DXF reader), then runs table-driven.
#include "text/AnsiCodePage.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <memory>
#include <mutex>

#include "text/Utf.h"

namespace zr::text {
namespace {

constexpr const char* kCodePage = "CP932";

struct Cp932Table {
  std::array<char32_t, 256> single{};                   // 0 = a lead byte or undefined
  std::array<bool, 256> isLead{};
  std::array<std::array<char32_t, 256>, 256> dbcs{};    // [lead][trail], 0 = undefined
};

char32_t ConvertOne(iconv_t cd, const char* in, std::size_t inLen) {
  char out[8];
  char* inPtr = const_cast<char*>(in);
  char* outPtr = out;
  std::size_t inLeft = inLen;
  std::size_t outLeft = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return 0;
  if (inLeft != 0 || outLeft != sizeof out - 4) return 0;
  const auto* u = reinterpret_cast<const unsigned char*>(out);
  return static_cast<char32_t>(u[0] | (u[1] << 8) | (u[2] << 16) | (u[3] << 24));
}

const Cp932Table& Table() {
  static std::unique_ptr<Cp932Table> table;
  static std::once_flag once;
  std::call_once(once, [] {
    table = std::make_unique<Cp932Table>();
    iconv_t cd = iconv_open("UTF-32LE", kCodePage);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
      // No CP932 in this C library: ASCII still decodes, everything else is replaced.
      for (int b = 0; b < 0x80; ++b) table->single[b] = static_cast<char32_t>(b);
      return;
    }
    for (int b = 0; b < 256; ++b) {
      const char c = static_cast<char>(b);
      table->single[b] = b == 0 ? 0 : ConvertOne(cd, &c, 1);
      table->isLead[b] = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
      if (!table->isLead[b]) continue;
      for (int t = 0x40; t <= 0xFC; ++t) {
        const char pair[2] = {c, static_cast<char>(t)};
        table->dbcs[b][t] = ConvertOne(cd, pair, 2);
      }
    }
    iconv_close(cd);
  });
  return *table;
}

}  // namespace

std::string AnsiToUtf8(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  const Cp932Table& t = Table();
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      continue;
    }
    if (t.isLead[b] && i + 1 < bytes.size()) {
      const char32_t cp = t.dbcs[b][static_cast<unsigned char>(bytes[i + 1])];
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

std::string Utf8ToAnsi(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  iconv_t cd = iconv_open(kCodePage, "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(utf8);
  const std::string clean = SanitizeUtf8(utf8);
  std::string out;
  char* in = const_cast<char*>(clean.data());
  std::size_t inLeft = clean.size();
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, outPtr);
    if (r == static_cast<std::size_t>(-1) && errno == EILSEQ) {
      // Skip the one character the code page lacks and put '?' in its place.
      std::size_t skip = 1;
      while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
      in += skip;
      inLeft -= skip;
      out += '?';
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace zr::text
