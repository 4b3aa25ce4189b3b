// TForm1: the palette's options: scale boxes, rotation buttons and step, and the context
// menu's entries that belong to the palette itself.
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>
#include <stdexcept>

#include "app/PaletteForm.h"

namespace zr {
namespace {

inline constexpr TColor kCaptionBlack = 0x00000000;
inline constexpr TColor kCaptionRed = 0x000000FF;
// Steps add up with rounding errors: an angle this close to 0° or 360° is one of them.
inline constexpr double kAngleToleranceDegrees = 1e-9;

double ToDegrees(double radians) { return radians * 180.0 / std::numbers::pi; }

// A rotation step as its button shows it ("+15", "-7.5", blanks around allowed); nothing
// for anything that is not a finite decimal number.
std::optional<double> ParseStep(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  if (s.starts_with('+')) s.remove_prefix(1);
  if (s.empty() || s.front() == '+') return std::nullopt;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value,
                                         std::chars_format::fixed);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

void TForm1::SetCheckBoxChecked(CheckBox box, bool checked) {
  if (view_.IsChecked(box) == checked) return;
  view_.SetChecked(box, checked);
  switch (box) {
    case CheckBox::CheckBox1:
      CheckBox1Click();
      break;
    case CheckBox::CheckBox2:
      CheckBox2Click();
      break;
    case CheckBox::CheckBox3:
      CheckBox3Click();
      break;
    case CheckBox::CheckBox4:
      CheckBox4Click();
      break;
  }
}

void TForm1::CheckBox1Click() {
  ScaleBoxClick(CheckBox::CheckBox1, CheckBox::CheckBox2, CheckBox::CheckBox3);
}
void TForm1::CheckBox2Click() {
  ScaleBoxClick(CheckBox::CheckBox2, CheckBox::CheckBox1, CheckBox::CheckBox3);
}
void TForm1::CheckBox3Click() {
  ScaleBoxClick(CheckBox::CheckBox3, CheckBox::CheckBox1, CheckBox::CheckBox2);
}

// The clicked box x and the two others: a checked x unchecks them; unchecking the only
// checked box checks it again. Each change runs that box's own handler.
void TForm1::ScaleBoxClick(CheckBox x, CheckBox y, CheckBox z) {
  if (view_.IsChecked(x)) {
    SetCheckBoxChecked(y, false);
    SetCheckBoxChecked(z, false);
  } else if (!view_.IsChecked(y) && !view_.IsChecked(z)) {
    SetCheckBoxChecked(x, true);
  }
  if (view_.IsChecked(x)) {
    view_.SetCheckBoxLook(x, kCaptionRed, false);
    view_.SetCheckBoxLook(y, kCaptionBlack, false);
    view_.SetCheckBoxLook(z, kCaptionBlack, false);
  }
  RedrawPage();
}

void TForm1::CheckBox4Click() {
  const bool on = view_.IsChecked(CheckBox::CheckBox4);
  view_.SetCheckBoxLook(CheckBox::CheckBox4, on ? kCaptionRed : kCaptionBlack, on);
}

void TForm1::SpeedButton3Click() { Rotate(SpeedButton::SpeedButton3); }
void TForm1::SpeedButton4Click() { Rotate(SpeedButton::SpeedButton4); }

// "+" turns 360° into 0°, "-" turns 0° into 360°; no other limit.
void TForm1::Rotate(SpeedButton button) {
  const std::string caption = view_.Caption(button);
  const std::optional<double> step = ParseStep(caption);
  if (!step) throw std::runtime_error("'" + caption + "' は浮動小数点数ではありません");
  double kaiten = state_.gbKaiten + *step * std::numbers::pi / 180.0;
  const double degrees = ToDegrees(kaiten);
  if (button == SpeedButton::SpeedButton3 && std::abs(degrees - 360.0) < kAngleToleranceDegrees) {
    kaiten = 0.0;
  }
  if (button == SpeedButton::SpeedButton4 && std::abs(degrees) < kAngleToleranceDegrees) {
    kaiten = 2.0 * std::numbers::pi;
  }
  state_.gbKaiten = kaiten;
  RedrawPage();
}

void TForm1::SpeedButton5Click() {
  state_.gbKaiten = 0.0;
  RedrawPage();
}

std::vector<MenuEntry> TForm1::PopupMenu1() const {
  PaletteMenuState s{state_.gbUseLISP, gbFlagDbClick, state_.gbLwpKiten, N20Checked,
                     N153Caption};
  const std::string blkNo = MenuBlock();
  s.onBlock = !blkNo.empty();
  s.isFavourite = s.onBlock && favourites_.Contains(blkNo);
  s.favouritesShown = favouritesShown_;
  return BuildPaletteMenu(s);
}

void TForm1::PopupMenu1Click(MenuCommand command) {
  for (const HojoKitenColorEntry& c : kHojoKitenColors) {
    if (c.command == command) return SetHojoKitenColor(c.color);
  }
  switch (command) {
    case MenuCommand::LoadLisp: return LISP1Click();
    case MenuCommand::LoadLispIjcadLt: return IJCADLT1Click();
    case MenuCommand::UseLisp: return N25Click();
    case MenuCommand::DoubleClick: return N1Click();
    case MenuCommand::Pitch15: return N154Click();
    case MenuCommand::Pitch30: return N304Click();
    case MenuCommand::Pitch45: return N452Click();
    case MenuCommand::DrafterPlus30: return N301Click();
    case MenuCommand::DrafterPlus15: return N151Click();
    case MenuCommand::DrafterMinus30: return N302Click();
    case MenuCommand::DrafterMinus15: return N152Click();
    case MenuCommand::DrafterOff: return OFF1Click();
    case MenuCommand::DrafterObject: return N3Click();
    case MenuCommand::Drafter180: return N180Z1Click();
    case MenuCommand::LwpKiten: return N16Click();
    case MenuCommand::ExtMinMax: return N20Click();
    case MenuCommand::TargetCad: return BricsCAD1Click();
    case MenuCommand::About: return N18Click();
    case MenuCommand::CheckCatalogue: return CheckCatalogue1Click();
    case MenuCommand::FavouriteAdd:
    case MenuCommand::FavouriteRemove:
    case MenuCommand::FavouriteEarlier:
    case MenuCommand::FavouriteLater: return FavouriteClick(command);
    default: return;  // cancel: choosing it only closes the menu
  }
}

void TForm1::N1Click() { gbFlagDbClick = !gbFlagDbClick; }

void TForm1::N25Click() { state_.gbUseLISP = !state_.gbUseLISP; }

void TForm1::N16Click() {
  state_.gbLwpKiten = !state_.gbLwpKiten;
  RedrawPage();
}

void TForm1::N20Click() { N20Checked = !N20Checked; }

void TForm1::N18Click() { view_.ShowAboutBox(); }

// Only the captions change: the angle stays and nothing is redrawn.
void TForm1::SetRotationPitch(int degrees) {
  const std::string step = std::to_string(degrees);
  view_.SetCaption(SpeedButton::SpeedButton3, "+" + step);
  view_.SetCaption(SpeedButton::SpeedButton4, "-" + step);
  N153Caption = PitchCaption(degrees);
}

void TForm1::SetHojoKitenColor(TColor color) {
  state_.gbHojoKitenColor = color;
  if (state_.gbHojoKiten) RedrawPage();
}

}  // namespace zr
