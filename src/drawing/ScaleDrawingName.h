#pragma once
// The DXF files of a block: one drawing per drawing scale, in the folder "DXF" beside the
// program, named after the block number and the scale letter.
#include <string>

namespace zr {

inline constexpr const char* kDxfDirName = "DXF";
#ifdef _WIN32
inline constexpr char kDirSeparator = '\\';
#else
inline constexpr char kDirSeparator = '/';
#endif

// The scale letter of the DXF file: "A" 1/200, "C" 1/50, otherwise "B" (1/100).
char ScaleLetter(bool scale200, bool scale50);

// The name of a block's DXF file in the folder "DXF": number + letter + ".dxf".
std::string DrawingLeafName(const std::string& blkNo, char scaleLetter);

// The DXF file of a block: program folder + "DXF" + separator + number + letter + ".dxf".
std::string BlockFileName(const std::string& exePath, const std::string& dxfDir,
                          const std::string& blkNo, char scaleLetter);

}  // namespace zr
