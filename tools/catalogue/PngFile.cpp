#include "PngFile.h"

#include <array>

namespace zr::tool {
namespace {

constexpr std::size_t kStoredBlock = 65535;  // the largest deflate block without compression

std::uint32_t Crc32(const std::string& bytes, std::size_t from) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = from; i < bytes.size(); ++i) {
    c = table[(c ^ static_cast<std::uint8_t>(bytes[i])) & 0xFF] ^ (c >> 8);
  }
  return c ^ 0xFFFFFFFFu;
}

void Put32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void Chunk(std::string& out, const char* type, const std::string& data) {
  Put32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out += type;
  out += data;
  Put32(out, Crc32(out, typeAt));
}

// The zlib stream of the raw scanlines, in stored blocks.
std::string Zlib(const std::string& raw) {
  std::string z = "\x78\x01";
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const char ch : raw) {
    a = (a + static_cast<std::uint8_t>(ch)) % 65521;
    b = (b + a) % 65521;
  }
  std::size_t at = 0;
  do {
    const std::size_t n = std::min(kStoredBlock, raw.size() - at);
    z += static_cast<char>(at + n == raw.size() ? 1 : 0);
    z += static_cast<char>(n & 0xFF);
    z += static_cast<char>(n >> 8);
    z += static_cast<char>(~n & 0xFF);
    z += static_cast<char>((~n >> 8) & 0xFF);
    z.append(raw, at, n);
    at += n;
  } while (at < raw.size());
  Put32(z, (b << 16) | a);
  return z;
}

}  // namespace

std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb) {
  std::string raw;
  const std::size_t row = static_cast<std::size_t>(width) * 3;
  raw.reserve((row + 1) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    raw += '\0';  // no filter
    raw.append(reinterpret_cast<const char*>(rgb.data()) + row * static_cast<std::size_t>(y), row);
  }
  std::string header;
  Put32(header, static_cast<std::uint32_t>(width));
  Put32(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, plain
  std::string png = "\x89PNG\r\n\x1a\n";
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", Zlib(raw));
  Chunk(png, "IEND", {});
  return png;
}

}  // namespace zr::tool
