#pragma once
// Where the palette's controls sit: client pixels at 96 dots per inch. The window scales
// them when the display's DPI differs; the core always works in these units.

namespace zr {

struct ControlRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const ControlRect&, const ControlRect&) = default;
};

inline constexpr int kClientWidth = 391;
inline constexpr int kClientHeight = 199;
inline constexpr int kImgSize = kSlotPictureSide;  // ImgSize: side of a slot picture
inline constexpr int kSlotsPerRow = 7;
inline constexpr int kCategoryRows = 26;     // rows of the opened category box
inline constexpr int kUpDownMin = 0;
inline constexpr int kUpDownMax = 1000;
inline constexpr int kUpDownStart = 500;
inline constexpr int kStatusPanelCount = 5;
inline constexpr int kStatusPanelWidths[kStatusPanelCount] = {80, 108, 155, 115, 50};

namespace layout {
inline constexpr ControlRect ComboBox1{3, 3, 233, 20};
inline constexpr ControlRect UpDown1{239, 2, 54, 19};
inline constexpr ControlRect SpeedButton3{301, 3, 33, 17};  // "+" rotation
inline constexpr ControlRect SpeedButton5{336, 3, 19, 17};  // no rotation
inline constexpr ControlRect SpeedButton4{356, 3, 33, 17};  // "-" rotation
inline constexpr ControlRect Edit1{4, 24, 229, 20};         // name field
inline constexpr ControlRect StaticText1{242, 26, 11, 16};  // JIS mark
inline constexpr ControlRect StaticText2{258, 26, 17, 16};  // ministry mark
inline constexpr ControlRect SpeedButton1{279, 23, 27, 21}; // previous page
inline constexpr ControlRect SpeedButton2{307, 23, 25, 21}; // next page
inline constexpr ControlRect SpeedButton7{334, 23, 20, 21}; // two-point alignment
inline constexpr ControlRect SpeedButton6{356, 23, 33, 21}; // auxiliary base points
inline constexpr ControlRect StaticText3{5, 45, 378, 15};   // information line
inline constexpr ControlRect Panel1{2, 64, 389, 133};       // slot area
inline constexpr ControlRect StatusBar1{0, 177, 391, 22};
inline constexpr ControlRect CheckBox1{192, 180, 53, 17};   // 1/200
inline constexpr ControlRect CheckBox2{243, 180, 53, 17};   // 1/100
inline constexpr ControlRect CheckBox3{296, 180, 45, 17};   // 1/50
inline constexpr ControlRect CheckBox4{345, 180, 47, 17};   // no scale
}  // namespace layout

// The panel of slot k (0..13) inside Panel1: two rows of seven, ImgSize + 1 square.
constexpr ControlRect SlotPanelRect(int slot) {
  const int column = slot < kSlotsPerRow ? slot : slot - kSlotsPerRow;
  const int top = slot < kSlotsPerRow ? 2 : kImgSize + 4;
  return ControlRect{2 + column * (kImgSize + 2), top, kImgSize + 1, kImgSize + 1};
}

// The picture inside a slot panel, in the panel's coordinates: ImgSize square inside the
// one-pixel bevel.
inline constexpr ControlRect kSlotPictureRect{1, 1, kImgSize, kImgSize};

}  // namespace zr
