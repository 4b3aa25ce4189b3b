#pragma once
// Generated drawings for benchmarks: realistic R2000 (AC1015) DXF files as a CAD program on a
// Japanese system writes them (CP932 text, handles, subclass markers), of a chosen size.
#include <cstddef>
#include <cstdint>
#include <string>

namespace zr::bench {

// What a generated drawing holds in its ENTITIES section.
struct GeneratedCounts {
  std::size_t lines = 0;
  std::size_t polylines = 0;  // LWPOLYLINE
  std::size_t vertices = 0;
  std::size_t arcs = 0;
  std::size_t circles = 0;
  std::size_t texts = 0;   // TEXT
  std::size_t mtexts = 0;  // MTEXT
};

// A drawing of about targetBytes bytes (at least a small complete file): 40 % lines, 15 %
// LWPOLYLINEs of 4 to 8 vertices (some bulged), 15 % arcs, 10 % circles, 15 % TEXT with
// Japanese (CP932) and ASCII strings, 5 % MTEXT. The same seed gives the same bytes.
std::string GenerateDxf(std::size_t targetBytes, std::uint32_t seed = 1,
                        GeneratedCounts* counts = nullptr);

// Writes GenerateDxf's drawing to a file; false when it cannot be written.
bool WriteGeneratedDxf(const std::string& path, std::size_t targetBytes,
                       std::uint32_t seed = 1, GeneratedCounts* counts = nullptr);

}  // namespace zr::bench
