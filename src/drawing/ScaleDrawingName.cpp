#include "drawing/ScaleDrawingName.h"

namespace zr {

char ScaleLetter(bool scale200, bool scale50) {
  if (scale200) return 'A';
  if (scale50) return 'C';
  return 'B';
}

std::string DrawingLeafName(const std::string& blkNo, char scaleLetter) {
  return blkNo + scaleLetter + ".dxf";
}

std::string BlockFileName(const std::string& exePath, const std::string& dxfDir,
                          const std::string& blkNo, char scaleLetter) {
  return exePath + dxfDir + kDirSeparator + DrawingLeafName(blkNo, scaleLetter);
}

}  // namespace zr
