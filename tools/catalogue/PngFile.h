#pragma once
// A picture as a PNG file: 8-bit RGB, stored without compression (no library needed; the
// sheets are looked at, not shipped).
#include <cstdint>
#include <string>
#include <vector>

namespace zr::tool {

// rgb: width * height * 3 bytes, rows top down. The PNG file's bytes.
std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace zr::tool
