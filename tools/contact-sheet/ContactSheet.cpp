// Renders the thumbnails of a whole catalogue folder (MenuList.txt/BlockList.txt beside a DXF
// folder) or of any folder of DXF files into one contact-sheet bitmap, each cell drawn by
// DrawSlot exactly as the palette draws a slot, with its file name underneath.
//
//   ContactSheet <folder> <out.bmp> [--cell N] [--columns N] [--scale A|B|C] [--kiten]
//                [--rotate DEGREES]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "app/PaletteState.h"
#include "drawing/Renderer.h"
#include "drawing/SlotThumbnail.h"
#include "text/TextFile.h"
#include "text/Utf.h"
#include "win32/GdiCanvas.h"
#include "win32/WideText.h"

namespace {

namespace fs = std::filesystem;
using zr::win32::BitmapCanvas;

constexpr int kLabelHeight = 14;
constexpr int kGap = 2;
constexpr zr::TColor kLabelColor = 0x00C0C0C0;
constexpr zr::TColor kSheetColor = 0x00402020;

struct Options {
  std::string folder;
  std::string out;
  int cell = 106;
  int columns = 10;
  char scale = 'B';
  bool kiten = false;
  double rotateDeg = 0.0;
};

struct Entry {
  std::string file;   // UTF-8 path handed to DrawSlot
  std::string label;  // shown under the cell
};

bool IsCatalogue(const fs::path& dir) {
  return fs::exists(dir / "BlockList.txt") && fs::is_directory(dir / "DXF");
}

std::string Utf8(const fs::path& p) { return zr::win32::Narrow(p.wstring()); }

// The blocks of BlockList.txt in file order, as the palette names their files.
std::vector<Entry> CatalogueEntries(const fs::path& dir, char scale) {
  std::vector<std::string> lines;
  zr::text::ReadTextLines(Utf8(dir / "BlockList.txt"), lines);
  std::vector<Entry> entries;
  std::vector<std::string> fields;
  for (const std::string& line : lines) {
    zr::text::SplitTabs(line, fields);
    if (fields.size() < 2 || fields[0].empty()) continue;
    const std::string blkNo = fields[0];
    entries.push_back({Utf8(dir) + "\\DXF\\" + blkNo + scale + ".dxf", blkNo});
  }
  return entries;
}

std::vector<Entry> FolderEntries(const fs::path& dir) {
  std::vector<Entry> entries;
  for (const auto& e : fs::directory_iterator(dir)) {
    if (!e.is_regular_file()) continue;
    std::wstring ext = e.path().extension().wstring();
    std::transform(ext.begin(), ext.end(), ext.begin(), ::towlower);
    if (ext != L".dxf") continue;
    entries.push_back({Utf8(e.path()), Utf8(e.path().filename())});
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.label < b.label; });
  return entries;
}

// Draws one entry as the palette draws a slot, then copies it into its cell of the sheet.
void DrawCell(BitmapCanvas& sheet, const Options& opt, const Entry& entry, int index,
              zr::TDxfModel& model, zr::TPaletteState& state) {
  BitmapCanvas picture(opt.cell, opt.cell);
  zr::ClearImage(picture, opt.cell, opt.cell, 0);
  const double theta = opt.rotateDeg * std::numbers::pi / 180.0;
  zr::DrawSlot(model, state, entry.file, picture, 0, opt.kiten, theta);

  const int col = index % opt.columns;
  const int row = index / opt.columns;
  const int x = kGap + col * (opt.cell + kGap);
  const int y = kGap + row * (opt.cell + kLabelHeight + kGap);
  ::BitBlt(sheet.Dc(), x, y, opt.cell, opt.cell, picture.Dc(), 0, 0, SRCCOPY);

  // The label is cut, whole characters at a time, to the cell's width.
  std::string label = zr::text::SanitizeUtf8(entry.label);
  while (label.size() > 1 && sheet.TextWidth(label) > opt.cell) {
    std::size_t cut = label.size() - 1;
    while (cut > 0 && (static_cast<unsigned char>(label[cut]) & 0xC0) == 0x80) --cut;
    label.resize(cut);
  }
  sheet.TextOut(x, y + opt.cell + 1, label);
}

bool ParseArgs(int argc, wchar_t** argv, Options& opt) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(zr::win32::Narrow(argv[i]));
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

int wmain(int argc, wchar_t** argv) {
  Options opt;
  try {
    if (!ParseArgs(argc, argv, opt)) {
      std::fprintf(stderr,
                   "usage: ContactSheet <folder> <out.bmp> [--cell N] [--columns N] "
                   "[--scale A|B|C] [--kiten] [--rotate DEGREES]\n");
      return 2;
    }
    const fs::path dir = zr::text::PathFromUtf8(opt.folder);
    if (!fs::is_directory(dir)) {
      std::fprintf(stderr, "not a folder: %s\n", opt.folder.c_str());
      return 1;
    }
    const std::vector<Entry> entries =
        IsCatalogue(dir) ? CatalogueEntries(dir, opt.scale) : FolderEntries(dir);
    if (entries.empty()) {
      std::fprintf(stderr, "no drawings in %s\n", opt.folder.c_str());
      return 1;
    }
    opt.columns = std::min<int>(opt.columns, static_cast<int>(entries.size()));
    const int rows = (static_cast<int>(entries.size()) + opt.columns - 1) / opt.columns;
    const int width = kGap + opt.columns * (opt.cell + kGap);
    const int height = kGap + rows * (opt.cell + kLabelHeight + kGap);
    BitmapCanvas sheet(width, height);
    zr::ClearImage(sheet, width, height, kSheetColor);
    sheet.SetBrushStyle(zr::BrushStyle::Clear);
    sheet.SetFontColor(kLabelColor);

    zr::TDxfModel model;
    zr::TPaletteState state;
    state.gbLwpKiten = true;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      DrawCell(sheet, opt, entries[i], static_cast<int>(i), model, state);
    }
    if (!sheet.SaveBmp(opt.out)) {
      std::fprintf(stderr, "cannot write %s\n", opt.out.c_str());
      return 1;
    }
    std::printf("%zu drawings, %d x %d pixels: %s\n", entries.size(), width, height,
                opt.out.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "error: %s\n", e.what());
    return 1;
  }
}
