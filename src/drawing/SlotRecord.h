#pragma once
// The slot record TBlkList and the part of the palette state that drawing a slot reads and
// writes. The palette's own state (app/PaletteState.h) extends it.
#include <array>
#include <string>

#include "drawing/EntityModel.h"

namespace zr {

inline constexpr int kSlotCount = 14;
// Side of a slot picture at 96 dpi, in pixels; at other display scales pictures are larger.
inline constexpr int kSlotPictureSide = 53;
inline constexpr TColor kAqua = 0x00FFFF00;

// The block shown in one slot.
struct TBlkList {
  std::string BlkNo;    // block number; empty = the slot is empty
  std::string BlkName;
  std::string Comment;
  bool IsJis = false;   // follows the JIS symbol standard
  bool IsKok = false;   // follows the ministry's standard drawings
  double ImgSyaku = 0.0;  // drawing units per thumbnail pixel
  double ImgXsc = 0.0;
  double ImgYsc = 0.0;
  TAcadPoint CadCenter;   // drawing point at the picture centre
  std::array<TAcadPoint, 10> Kiten{};  // 1..9 auxiliary base points, 0 the chosen one
  TAcadPoint ExtMin;      // auxiliary-base-point range
  TAcadPoint ExtMax;
  int KitenNo = 0;        // number (1..9) of the chosen base point
};

// What the slot thumbnails share: the fourteen records, the rotation they are drawn with and
// the base-point options.
struct TSlotState {
  std::array<TBlkList, kSlotCount> gbBlkList{};
  double gbKaiten = 0.0;          // insertion rotation, radians, counter-clockwise
  TColor gbHojoKitenColor = kAqua;
  bool gbLwpKiten = false;        // polylines count for the base-point range
};

}  // namespace zr
