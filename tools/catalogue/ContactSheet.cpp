#include "ContactSheet.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <numbers>
#include <unordered_set>

#include "PngFile.h"
#include "app/Catalogue.h"
#include "app/CatalogueFolder.h"
#include "app/PaletteState.h"
#include "drawing/Renderer.h"
#include "drawing/ScaleDrawingName.h"
#include "drawing/SlotThumbnail.h"
#include "text/TextFile.h"
#include "text/Utf.h"
#include "win32/GdiCanvas.h"

namespace zr::tool {
namespace {

namespace fs = std::filesystem;
using zr::win32::BitmapCanvas;

constexpr int kLabelHeight = 14;
constexpr int kTitleHeight = 20;
constexpr int kGap = 2;
constexpr TColor kLabelColor = 0x00C0C0C0;
constexpr TColor kTitleColor = 0x0080FFFF;
constexpr TColor kSheetColor = 0x00402020;

struct Options {
  std::string folder;
  std::string out;
  int cell = 106;
  int columns = 10;
  char scale = 'B';
  bool kiten = false;
  double rotateDeg = 0.0;
  std::string each;  // a folder for every thumbnail on its own as well, or empty
};

struct Entry {
  std::string file;   // UTF-8 path handed to DrawSlot
  std::string label;  // shown under the cell
};

struct Section {
  std::string title;
  std::vector<Entry> entries;
};

// The blocks of the catalogue by category, as the palette finds each category's lines; the
// lines no category reaches come last, so that every thumbnail is on the sheet.
std::vector<Section> CatalogueSections(const std::string& folder, char scale) {
  const std::vector<std::string> menu = ReadListFile(JoinPath(folder, kMenuListName)).lines;
  const std::vector<std::string> lines = ReadListFile(JoinPath(folder, kBlockListName)).lines;
  const std::string dxf = JoinPath(folder, kDxfDirName);
  std::vector<bool> shown(lines.size(), false);
  std::vector<Section> sections;
  std::vector<std::string> fields;
  auto addLine = [&](Section& s, std::size_t i) {
    text::SplitTabs(lines[i], fields);
    shown[i] = true;
    if (fields.size() < 2 || fields[0].empty()) return;
    s.entries.push_back({JoinPath(dxf, DrawingLeafName(fields[0], scale)), fields[0]});
  };
  std::unordered_set<std::string> seen;
  for (const std::string& name : MenuCategories(menu)) {
    if (!seen.insert(name).second) continue;
    const CategoryRange range = FindCategoryRange(lines, FindCategoryTag(menu, name));
    Section section{name, {}};
    for (int i = range.first; i >= 0 && i <= range.last; ++i) {
      addLine(section, static_cast<std::size_t>(i));
    }
    sections.push_back(std::move(section));
  }
  Section rest{"(no category)", {}};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!shown[i]) addLine(rest, i);
  }
  if (!rest.entries.empty()) sections.push_back(std::move(rest));
  return sections;
}

std::vector<Section> FolderSections(const std::string& folder) {
  Section section{Utf8Path(text::PathFromUtf8(folder).filename()), {}};
  const DrawingIndex index = ListDrawings(folder);
  for (const auto& [key, names] : index.byKey) {
    for (const std::string& name : names) section.entries.push_back({JoinPath(folder, name), name});
  }
  std::sort(section.entries.begin(), section.entries.end(),
            [](const Entry& a, const Entry& b) { return a.label < b.label; });
  return {section};
}

// The label cut, whole characters at a time, to the width.
std::string FitLabel(BitmapCanvas& sheet, const std::string& text, int width) {
  std::string label = zr::text::SanitizeUtf8(text);
  while (label.size() > 1 && sheet.TextWidth(label) > width) {
    std::size_t cut = label.size() - 1;
    while (cut > 0 && (static_cast<unsigned char>(label[cut]) & 0xC0) == 0x80) --cut;
    label.resize(cut);
  }
  return label;
}

int SectionHeight(const Options& opt, const Section& s) {
  const int rows = (static_cast<int>(s.entries.size()) + opt.columns - 1) / opt.columns;
  return kTitleHeight + rows * (opt.cell + kLabelHeight + kGap);
}

bool SavePng(const BitmapCanvas& sheet, const std::string& path);

// Draws one entry as the palette draws a slot, then copies it into its cell of the sheet
// (and, with --each, writes it on its own, named after its drawing file).
void DrawCell(BitmapCanvas& sheet, const Options& opt, const Entry& entry, int x, int y,
              TDxfModel& model, TPaletteState& state) {
  BitmapCanvas picture(opt.cell, opt.cell);
  ClearImage(picture, opt.cell, opt.cell, 0);
  DrawSlot(model, state, entry.file, picture, 0, opt.kiten,
           opt.rotateDeg * std::numbers::pi / 180.0);
  ::BitBlt(sheet.Dc(), x, y, opt.cell, opt.cell, picture.Dc(), 0, 0, SRCCOPY);
  sheet.TextOut(x, y + opt.cell + 1, FitLabel(sheet, entry.label, opt.cell));
  if (!opt.each.empty()) {
    const std::string name = entry.file.substr(entry.file.find_last_of("\\/") + 1);
    SavePng(picture, JoinPath(opt.each, name + ".png"));
  }
}

void DrawSections(BitmapCanvas& sheet, const Options& opt, const std::vector<Section>& sections) {
  TDxfModel model;
  TPaletteState state;
  state.gbLwpKiten = true;
  int top = kGap;
  for (const Section& s : sections) {
    sheet.SetFontColor(kTitleColor);
    sheet.TextOut(kGap, top + 2, FitLabel(sheet, s.title, sheet.Width() - 2 * kGap));
    sheet.SetFontColor(kLabelColor);
    for (std::size_t i = 0; i < s.entries.size(); ++i) {
      const int col = static_cast<int>(i) % opt.columns;
      const int row = static_cast<int>(i) / opt.columns;
      DrawCell(sheet, opt, s.entries[i], kGap + col * (opt.cell + kGap),
               top + kTitleHeight + row * (opt.cell + kLabelHeight + kGap), model, state);
    }
    top += SectionHeight(opt, s);
  }
}

bool SavePng(const BitmapCanvas& sheet, const std::string& path) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(sheet.Width()) * sheet.Height() * 3);
  for (int y = 0; y < sheet.Height(); ++y) {
    for (int x = 0; x < sheet.Width(); ++x) {
      const TColor c = sheet.PixelAt(x, y);  // 0x00BBGGRR
      rgb.push_back(static_cast<std::uint8_t>(c & 0xFF));
      rgb.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
      rgb.push_back(static_cast<std::uint8_t>((c >> 16) & 0xFF));
    }
  }
  return text::WriteFileAtomically(path, EncodePng(sheet.Width(), sheet.Height(), rgb));
}

bool ParseArgs(const std::vector<std::string>& args, Options& opt) {
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--cell" && hasValue) {
      opt.cell = std::clamp(std::stoi(args[++i]), 16, 512);
    } else if (a == "--columns" && hasValue) {
      opt.columns = std::clamp(std::stoi(args[++i]), 1, 100);
    } else if (a == "--scale" && hasValue && args[i + 1].size() == 1) {
      opt.scale = args[++i][0];
    } else if (a == "--rotate" && hasValue) {
      opt.rotateDeg = std::stod(args[++i]);
    } else if (a == "--each" && hasValue) {
      opt.each = args[++i];
    } else if (a == "--kiten") {
      opt.kiten = true;
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 2) return false;
  opt.folder = positional[0];
  opt.out = positional[1];
  return true;
}

}  // namespace

int RunSheet(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options opt;
  if (!ParseArgs(args, opt)) {
    err << "usage: ZrCatalogue sheet FOLDER OUT.png [--cell N] [--columns N] [--scale A|B|C] "
           "[--kiten] [--rotate DEGREES] [--each FOLDER]\n";
    return 2;
  }
  std::error_code ec;
  if (!fs::is_directory(text::PathFromUtf8(opt.folder), ec)) {
    err << "not a folder: " << opt.folder << '\n';
    return 2;
  }
  if (!opt.each.empty()) fs::create_directories(text::PathFromUtf8(opt.each), ec);
  const bool catalogue = text::FileExists(JoinPath(opt.folder, kBlockListName));
  const std::vector<Section> sections =
      catalogue ? CatalogueSections(opt.folder, opt.scale) : FolderSections(opt.folder);
  int height = kGap;
  std::size_t drawings = 0;
  for (const Section& s : sections) {
    height += SectionHeight(opt, s);
    drawings += s.entries.size();
  }
  if (drawings == 0) {
    err << "no drawings in " << opt.folder << '\n';
    return 1;
  }
  const int width = kGap + opt.columns * (opt.cell + kGap);
  BitmapCanvas sheet(width, height);
  ClearImage(sheet, width, height, kSheetColor);
  sheet.SetBrushStyle(BrushStyle::Clear);
  DrawSections(sheet, opt, sections);
  if (!SavePng(sheet, opt.out)) {
    err << "cannot write " << opt.out << '\n';
    return 1;
  }
  out << drawings << " drawings, " << sections.size() << " sections, " << width << " x " << height
      << " pixels: " << opt.out << '\n';
  return 0;
}

}  // namespace zr::tool
