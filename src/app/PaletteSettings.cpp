// TForm1: the settings file read at window creation and written at close.
#include <filesystem>
#include <system_error>

#include "app/PaletteForm.h"

namespace zr {

void TForm1::ReadSettings() {
  TPaletteSettings defaults;
  if (settingsPlace_.PerUser()) {
    defaults = zr::ReadSettings(LoadSettingsFile(settingsPlace_.defaultsPath).ini);
  }
  ApplySettings(zr::ReadSettings(LoadSettingsFile(SettingsPath()).ini, defaults));
}

// Applies the values in the order of the file's keys. The scale boxes go through their
// handlers, as clicks would; Combo/Setsubi only selects (showing the window changes to it).
void TForm1::ApplySettings(const TPaletteSettings& s) {
  PlaceWindow(s);
  // No category has been looked up yet: the scale handlers' redraws show no page.
  gbTAgSt = -1;
  gbTagEd = -1;
  SetCheckBoxChecked(CheckBox::CheckBox1, s.scale200);
  SetCheckBoxChecked(CheckBox::CheckBox2, s.scale100);
  SetCheckBoxChecked(CheckBox::CheckBox3, s.scale050);
  SetCheckBoxChecked(CheckBox::CheckBox4, s.scaleNon);
  gbFlagDbClick = s.dbClick;
  state_.gbHojoKiten = s.hojoKiten;
  state_.gbLwpKiten = s.lwpKiten;
  N153Caption = s.pitchCaption;
  state_.gbHojoKitenColor = s.hojoKitenColor;
  view_.SetCaption(SpeedButton::SpeedButton3, s.kaiten1);
  view_.SetCaption(SpeedButton::SpeedButton4, s.kaiten2);
  // The recent entry joins the box first: the stored index may point at it.
  LoadRecentBlocks(s.recent);
  LoadFavourites(s.favourites);
  if (s.setsubi < view_.CategoryCount()) view_.SelectCategory(s.setsubi < 0 ? -1 : s.setsubi);
  N20Checked = s.extMinMax;
  state_.gbProgID = s.progID;
  state_.gbUseLISP = s.useLisp;
}

// A stored place that lies on the monitors' work areas is kept, on whichever monitor; any
// other falls back, each coordinate on its own, to the centre of the primary screen.
void TForm1::PlaceWindow(const TPaletteSettings& s) {
  const ViewSize screen = view_.ScreenSize();
  const ViewSize window = view_.WindowSize();
  const int centreLeft = (screen.width - window.width) / 2;
  const int centreTop = (screen.height - window.height) / 2;
  int left = s.left.value_or(centreLeft);
  int top = s.top.value_or(centreTop);
  if (!view_.IsOnWorkArea({left, top, window.width, window.height})) {
    if (left < 0 || left > screen.width - window.width) left = centreLeft;
    if (top < 0 || top > screen.height - window.height) top = centreTop;
  }
  view_.MoveWindowTo(left, top);
}

TPaletteSettings TForm1::CurrentSettings() const {
  TPaletteSettings s;
  const ViewPoint at = view_.WindowPosition();
  s.left = at.x;
  s.top = at.y;
  s.scale200 = view_.IsChecked(CheckBox::CheckBox1);
  s.scale100 = view_.IsChecked(CheckBox::CheckBox2);
  s.scale050 = view_.IsChecked(CheckBox::CheckBox3);
  s.scaleNon = view_.IsChecked(CheckBox::CheckBox4);
  s.dbClick = gbFlagDbClick;
  s.hojoKiten = state_.gbHojoKiten;
  s.lwpKiten = state_.gbLwpKiten;
  s.pitchCaption = N153Caption;
  s.kaiten1 = view_.Caption(SpeedButton::SpeedButton3);
  s.kaiten2 = view_.Caption(SpeedButton::SpeedButton4);
  s.setsubi = view_.CategoryIndex();
  s.hojoKitenColor = state_.gbHojoKitenColor;
  s.extMinMax = N20Checked;
  s.progID = state_.gbProgID;
  s.useLisp = state_.gbUseLISP;
  s.recent = Recent();
  s.favourites = Favourites();
  return s;
}

bool TForm1::WriteSettings() {
  const std::string path = SettingsPath();
  if (settingsPlace_.PerUser()) {
    // The user's first close makes their folder; a failure shows in the write below.
    std::error_code ignored;
    std::filesystem::create_directories(text::PathFromUtf8(path).parent_path(), ignored);
  }
  if (SaveSettingsFile(path, CurrentSettings())) return true;
  view_.ShowMessage(path + " に書き込めません");
  return false;
}

}  // namespace zr
