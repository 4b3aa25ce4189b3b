#include "drawing/ScaleDrawingName.h"

namespace zr {

char ScaleLetter(bool scale200, bool scale50) {
  if (scale200) return 'A';
  if (scale50) return 'C';
  return 'B';
}

std::string BlockFileName(const std::string& exePath, const std::string& dxfDir,
                          const std::string& blkNo, char scaleLetter) {
  return exePath + dxfDir + kDirSeparator + blkNo + scaleLetter + ".dxf";
}

}  // namespace zr
