#pragma once
// The smallest block drawing the tests insert: a circle of radius 1 about the base point, so its
// range is 2 x 2 and the scale the palette works out from it is easy to check.

namespace zr::test {

constexpr const char* kCircleDxf =
    "0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n8\n0\n10\n0.0\n20\n0.0\n30\n0.0\n40\n1.0\n"
    "0\nENDSEC\n0\nEOF\n";

}  // namespace zr::test
