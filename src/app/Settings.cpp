#include "app/Settings.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "text/AsciiCase.h"

namespace zr {
namespace {

struct NamedColor {
  const char* name;
  TColor color;
};
// The colour names of the settings file (0x00BBGGRR).
constexpr NamedColor kColorNames[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x000080}, {"clGreen", 0x008000},
    {"clOlive", 0x008080},  {"clNavy", 0x800000},   {"clPurple", 0x800080},
    {"clTeal", 0x808000},   {"clGray", 0x808080},   {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},    {"clLime", 0x00FF00},   {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
};

std::optional<int> ReadOptionalInteger(const text::IniFile& ini, const char* section,
                                       const char* key) {
  const std::optional<std::string> value = ini.Read(section, key);
  return value ? text::ParseIniInteger(*value) : std::nullopt;
}

int ReadInteger(const text::IniFile& ini, const char* section, const char* key, int fallback) {
  return ReadOptionalInteger(ini, section, key).value_or(fallback);
}

bool ReadBool(const text::IniFile& ini, const char* section, const char* key, bool fallback) {
  return ReadInteger(ini, section, key, fallback ? 1 : 0) != 0;
}

std::string ReadString(const text::IniFile& ini, const char* section, const char* key,
                       const std::string& fallback) {
  return ini.Read(section, key).value_or(fallback);
}

const char* Bool(bool b) { return b ? "1" : "0"; }

// Copies a file of any size, a piece at a time. (The library's copy_file failed under Wine
// on a file of 1 MB.)
bool CopyFileAside(const std::string& from, const std::string& to) {
  std::ifstream in(text::PathFromUtf8(from), std::ios::binary);
  std::ofstream out(text::PathFromUtf8(to), std::ios::binary | std::ios::trunc);
  if (!in || !out) return false;
  std::vector<char> piece(std::size_t{1} << 16);
  while (in) {
    in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
    out.write(piece.data(), in.gcount());
  }
  out.flush();
  return in.eof() && static_cast<bool>(out);
}

}  // namespace

std::string SettingsFileName(const std::string& exeFile) {
  const std::size_t slash = exeFile.find_last_of("\\/:");
  const std::size_t dot = exeFile.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? exeFile.substr(0, dot) : exeFile) + ".ini";
}

std::optional<TColor> ColorFromString(const std::string& text) {
  for (const NamedColor& c : kColorNames) {
    if (text::EqualsIgnoringAsciiCase(text, c.name)) return c.color;
  }
  const std::optional<int> n = text::ParseIniInteger(text);
  if (!n || *n < 0 || *n > 0xFFFFFF) return std::nullopt;
  return static_cast<TColor>(*n);
}

std::string ColorToString(TColor color) {
  for (const NamedColor& c : kColorNames) {
    if (c.color == color) return c.name;
  }
  char hex[16];
  std::snprintf(hex, sizeof hex, "$%08X", static_cast<unsigned>(color));
  return hex;
}

TPaletteSettings ReadSettings(const text::IniFile& ini, const TPaletteSettings& defaults) {
  TPaletteSettings s = defaults;
  if (const auto left = ReadOptionalInteger(ini, "Form", "Left")) s.left = left;
  if (const auto top = ReadOptionalInteger(ini, "Form", "Top")) s.top = top;
  s.scale200 = ReadBool(ini, "Scale", "200", s.scale200);
  s.scale100 = ReadBool(ini, "Scale", "100", s.scale100);
  s.scale050 = ReadBool(ini, "Scale", "050", s.scale050);
  s.scaleNon = ReadBool(ini, "Scale", "NON", s.scaleNon);
  s.dbClick = ReadBool(ini, "Block", "DbClick", s.dbClick);
  s.hojoKiten = ReadBool(ini, "Block", "HojoKiten", s.hojoKiten);
  s.lwpKiten = ReadBool(ini, "Block", "LwpKiten", s.lwpKiten);
  s.pitchCaption = ReadString(ini, "Menu", "Kaiten", s.pitchCaption);
  // A blank caption would leave the pitch submenu without a heading to open it by.
  if (s.pitchCaption.find_first_not_of(" \t") == std::string::npos) {
    s.pitchCaption = TPaletteSettings().pitchCaption;
  }
  if (const auto color = ini.Read("Color", "HojoKiten")) {
    s.hojoKitenColor = ColorFromString(*color).value_or(defaults.hojoKitenColor);
  }
  s.kaiten1 = ReadString(ini, "Caption", "Kaiten1", s.kaiten1);
  s.kaiten2 = ReadString(ini, "Caption", "Kaiten2", s.kaiten2);
  s.setsubi = ReadInteger(ini, "Combo", "Setsubi", s.setsubi);
  s.extMinMax = ReadBool(ini, "Block", "ExtMinMax", s.extMinMax);
  // An empty ProgID names no program; the title would name the first listed CAD for it.
  s.progID = ReadString(ini, "Target", "ProgID", s.progID);
  if (s.progID.find_first_not_of(' ') == std::string::npos) s.progID = defaults.progID;
  if (s.progID.find_first_not_of(' ') == std::string::npos) s.progID = kDefaultProgID;
  s.useLisp = ReadBool(ini, "InsertBlock", "useLISP", s.useLisp);
  // Always the file's own: the blocks one person inserted are no one else's defaults.
  s.recent = RecentBlocks::FromIniKeys(
      [&](const std::string& key) { return ini.Read(kRecentSection, key); });
  // Without the section (most files) its keys are not looked up one by one.
  s.favourites = !ini.HasSection(kFavouriteSection)
                     ? FavouriteBlocks()
                     : FavouriteBlocks::FromIniKeys([&](const std::string& key) {
                         return ini.Read(kFavouriteSection, key);
                       });
  return s;
}

void WriteSettings(const TPaletteSettings& s, text::IniFile& ini) {
  ini.Write("Form", "Left", std::to_string(s.left.value_or(0)));
  ini.Write("Form", "Top", std::to_string(s.top.value_or(0)));
  ini.Write("Scale", "200", Bool(s.scale200));
  ini.Write("Scale", "100", Bool(s.scale100));
  ini.Write("Scale", "050", Bool(s.scale050));
  ini.Write("Scale", "NON", Bool(s.scaleNon));
  ini.Write("Block", "DbClick", Bool(s.dbClick));
  ini.Write("Block", "HojoKiten", Bool(s.hojoKiten));
  ini.Write("Block", "LwpKiten", Bool(s.lwpKiten));
  ini.Write("Menu", "Kaiten", s.pitchCaption);
  ini.Write("Caption", "Kaiten1", s.kaiten1);
  ini.Write("Caption", "Kaiten2", s.kaiten2);
  ini.Write("Combo", "Setsubi", std::to_string(s.setsubi));
  ini.Write("Color", "HojoKiten", ColorToString(s.hojoKitenColor));
  ini.Write("Block", "ExtMinMax", Bool(s.extMinMax));
  ini.Write("Target", "ProgID", s.progID);
  ini.Write("InsertBlock", "useLISP", Bool(s.useLisp));
  s.recent.ToIniKeys([&](const std::string& key, const std::string& value) {
    ini.Write(kRecentSection, key, value);
  });
  if (s.favourites.Empty() && !ini.HasSection(kFavouriteSection)) return;
  s.favourites.ToIniKeys(
      [&](const std::string& key) { return ini.Read(kFavouriteSection, key); },
      [&](const std::string& key, const std::string& value) {
        ini.Write(kFavouriteSection, key, value);
      });
}

SettingsFile LoadSettingsFile(const std::string& path) {
  SettingsFile file;
  std::error_code ec;
  const auto size = std::filesystem::file_size(text::PathFromUtf8(path), ec);
  if (ec) return file;  // missing: a new file
  if (size > kMaxSettingsBytes) {
    file.ignored = true;
    return file;
  }
  const std::optional<std::string> bytes = text::ReadFileBytes(path);
  if (!bytes) return file;
  const std::string decoded = text::DecodeEditedText(*bytes, &file.encoding);
  if (decoded.find('\0') != std::string::npos) {
    file.ignored = true;
    file.encoding = kNewSettingsEncoding;
    return file;
  }
  if (bytes->empty()) file.encoding = kNewSettingsEncoding;
  file.ini = text::IniFile(text::SplitLines(decoded));
  return file;
}

bool SaveSettingsFile(const std::string& path, const TPaletteSettings& settings) {
  SettingsFile file = LoadSettingsFile(path);
  if (file.ignored && !CopyFileAside(path, path + ".bak")) return false;
  WriteSettings(settings, file.ini);
  // A code page that cannot hold the text (a Japanese caption on a Western system, say)
  // gives way to UTF-16.
  return text::WriteFileAtomically(path, text::EncodeTextLines(file.ini.Lines(), file.encoding));
}

}  // namespace zr
