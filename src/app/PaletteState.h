#pragma once
// The process-wide palette state shared by the subsystems. The program uses the one instance
// State(); tests make their own.
#include <string>

#include "drawing/SlotRecord.h"

namespace zr {

inline constexpr const char* kDefaultProgID = "BricscadApp.AcadApplication";

struct TPaletteState : TSlotState {
  bool gbHojoKiten = false;       // auxiliary base points shown
  std::string gbProgID = kDefaultProgID;  // target CAD's ProgID ("AutoCAD LT" is none)
  bool gbUseLISP = false;         // insert through the LISP function
};

TPaletteState& State();

}  // namespace zr
