#pragma once
// The palette's settings file: the executable's name with ".ini", beside it, or the user's
// own file (SettingsPlace.h). The values the
// palette keeps between runs, read with their defaults and written back into the file so
// that keys and sections the palette does not know stay as they were.
#include <optional>
#include <string>

#include "app/FavouriteBlocks.h"
#include "app/PaletteState.h"
#include "app/RecentBlocks.h"
#include "text/IniFile.h"
#include "text/TextFile.h"

namespace zr {

// A new settings file is UTF-16 (little endian, with its mark): Japanese survives on every
// code page, Notepad reads it, and so do the system's own profile functions.
inline constexpr text::TextEncoding kNewSettingsEncoding = text::kLosslessEncoding;
// A larger file is no settings file: it is ignored when read and kept aside when written.
inline constexpr std::size_t kMaxSettingsBytes = std::size_t{1} << 20;

struct TPaletteSettings {
  std::optional<int> left;  // Form/Left, Form/Top: the window's outer top-left corner;
  std::optional<int> top;   // nothing when missing (the window is centred)
  bool scale200 = false;    // Scale/200, 100, 050, NON: the check boxes
  bool scale100 = true;
  bool scale050 = false;
  bool scaleNon = false;
  bool dbClick = false;     // Block/DbClick
  bool hojoKiten = false;   // Block/HojoKiten
  bool lwpKiten = false;    // Block/LwpKiten
  std::string pitchCaption = "回転角度ピッチ 45°";  // Menu/Kaiten
  TColor hojoKitenColor = kAqua;                     // Color/HojoKiten
  std::string kaiten1 = "+45";  // Caption/Kaiten1, Kaiten2: the rotation buttons
  std::string kaiten2 = "-45";
  int setsubi = 0;              // Combo/Setsubi: category index, -1 none
  bool extMinMax = false;       // Block/ExtMinMax
  std::string progID = kDefaultProgID;  // Target/ProgID
  bool useLisp = false;                 // InsertBlock/useLISP
  RecentBlocks recent;      // [Recent] 1..28: the blocks inserted last, newest first
  FavouriteBlocks favourites;  // [Favorites] 1..: the user's favourites, in their order
};

// The executable's path with its extension replaced by ".ini".
std::string SettingsFileName(const std::string& exeFile);

// Colours by their names ("clAqua", any ASCII case) or as numbers ("$00FFFF00", decimal);
// nothing for anything else. Written by name where there is one, else as "$00BBGGRR".
std::optional<TColor> ColorFromString(const std::string& text);
std::string ColorToString(TColor color);

// The values of the file, each missing or unreadable one with its default: the palette's
// own, or those of another file read first (a user's file over the one beside the program).
TPaletteSettings ReadSettings(const text::IniFile& ini, const TPaletteSettings& defaults = {});
// Writes every key, in the palette's writing order.
void WriteSettings(const TPaletteSettings& settings, text::IniFile& ini);

// The settings file as read: its lines and encoding. A missing, empty, oversized or binary
// file reads as no lines; `ignored` tells the latter two apart.
struct SettingsFile {
  text::IniFile ini;
  text::TextEncoding encoding = kNewSettingsEncoding;
  bool ignored = false;
};
SettingsFile LoadSettingsFile(const std::string& path);

// Writes the settings into the file as it is on disk now, in the encoding it has (a new
// file, or one whose code page cannot hold the text, in kNewSettingsEncoding), through a
// temporary file renamed over it. An ignored file is first copied aside to "<path>.bak".
// False when anything fails; the old file is then as it was.
bool SaveSettingsFile(const std::string& path, const TPaletteSettings& settings);

}  // namespace zr
