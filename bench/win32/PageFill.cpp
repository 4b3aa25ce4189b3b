// A whole page fill on Windows (or under Wine): fourteen symbols, each read, drawn with GDI
// into its slot picture's bitmap and blitted into the slot window, as the palette fills a
// page. The symbols: generated drawings of about 51 KB (target 3 ms a page), symbols built of
// nested blocks with a few hundred inserts each (target 20 ms), or one pathological file in
// the first slot (a huge insert array, self-nested blocks: bounded by the drawing budget).
// Many pages; the median, the spread and the share of pages slower than the target are
// printed, never asserted. Run by scripts/measure-page-fill.sh.
//   zr_page_fill [pages (200)] [kilobytes per symbol (51) | nested | huge-array |
//                               self-direct | self-through | doubling]
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/PaletteState.h"
#include "drawing/DxfRead.h"
#include "drawing/Renderer.h"
#include "drawing/SlotThumbnail.h"
#include "support/DxfGenerator.h"
#include "support/NestedDxfGenerator.h"
#include "win32/SlotWindows.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kSlots = zr::kSlotCount;
constexpr int kSide = zr::kSlotPictureSide;
constexpr wchar_t kHostClass[] = L"ZrPageFillBench";

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// dir/<letter><number>.dxf (built step by step: GCC 12 warns wrongly about "S" + string).
fs::path SymbolPath(const fs::path& dir, char letter, int number) {
  std::string name(1, letter);
  name += std::to_string(number);
  return dir / name.append(".dxf");
}

std::vector<std::string> WriteSymbols(const fs::path& dir, std::size_t bytes) {
  fs::create_directories(dir);
  std::vector<std::string> files;
  for (int i = 0; i < kSlots; ++i) {
    const fs::path path = SymbolPath(dir, 'S', i);
    zr::bench::WriteGeneratedDxf(path.string(), bytes, 100 + static_cast<std::uint32_t>(i));
    files.push_back(path.string());
  }
  return files;
}

std::vector<std::string> WriteNestedSymbols(const fs::path& dir) {
  fs::create_directories(dir);
  std::vector<std::string> files;
  for (int i = 0; i < kSlots; ++i) {
    const fs::path path = SymbolPath(dir, 'N', i);
    zr::bench::WriteFile(path.string(),
                         zr::bench::GenerateNestedSymbol(200 + static_cast<std::uint32_t>(i)));
    files.push_back(path.string());
  }
  return files;
}

// The page's files and the target for one page, by the kind named on the command line.
std::pair<std::vector<std::string>, double> WritePage(const fs::path& dir,
                                                      const std::string& kind) {
  if (kind == "nested") return {WriteNestedSymbols(dir), 20.0};
  for (const auto p : {zr::bench::Pathology::HugeArray, zr::bench::Pathology::SelfDirect,
                       zr::bench::Pathology::SelfThrough, zr::bench::Pathology::Doubling}) {
    if (kind != zr::bench::PathologyName(p)) continue;
    fs::create_directories(dir);
    const std::string path = (dir / kind).replace_extension(".dxf").string();
    zr::bench::WriteFile(path, zr::bench::GeneratePathological(p));
    return {{path}, 100.0};
  }
  const int kilobytes = std::max(1, std::atoi(kind.c_str()));
  return {WriteSymbols(dir, static_cast<std::size_t>(kilobytes) * 1024), 3.0};
}

HWND CreateHost(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = kHostClass;
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  ::RegisterClassW(&wc);
  const int width = 2 * (kSide + 4) + 40;
  const int height = (kSlots / 2) * (kSide + 4) + 60;
  return ::CreateWindowExW(0, kHostClass, L"page fill", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           width, height, nullptr, nullptr, instance, nullptr);
}

// Lets the windows handle what is waiting (their first paint) before the timing starts.
void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

// One page: every slot read and drawn into its bitmap, then painted into its window. Returns
// the milliseconds of the drawing part (reading included) and of the painting part.
std::pair<double, double> FillPage(const std::vector<std::string>& files, zr::TDxfModel& model,
                                   zr::TPaletteState& state,
                                   std::array<zr::win32::SlotPicture, kSlots>& pictures) {
  const Clock::time_point start = Clock::now();
  for (std::size_t k = 0; k < files.size(); ++k) {
    zr::win32::SlotPicture& picture = pictures[k];
    zr::ClearImage(picture.Canvas(), kSide, kSide, 0);
    zr::DrawSlot(model, state, files[k], picture.Canvas(), static_cast<int>(k),
                 state.gbHojoKiten, state.gbKaiten);
    picture.Invalidate();
  }
  ::GdiFlush();
  const Clock::time_point drawn = Clock::now();
  for (auto& picture : pictures) ::UpdateWindow(picture.Handle());  // WM_PAINT: the blit
  ::GdiFlush();
  return {Ms(drawn - start), Ms(Clock::now() - drawn)};
}

// The page's files read, expanded and measured without drawing: what GDI adds is the rest
// of the drawing part.
double ReadPage(const std::vector<std::string>& files, zr::TDxfModel& model) {
  const Clock::time_point start = Clock::now();
  for (const std::string& file : files) {
    std::string err, version;
    zr::DxfRead(model, file, nullptr, nullptr, err, version);
    zr::MeasureSlotDrawing(model, kSide, kSide);
  }
  return Ms(Clock::now() - start);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int Run(int pages, const std::string& kind) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  zr::win32::RegisterSlotWindowClasses(instance);
  const HWND host = CreateHost(instance);
  if (host == nullptr) return std::fprintf(stderr, "no window\n"), 1;
  std::array<zr::win32::SlotPicture, kSlots> pictures;
  for (int k = 0; k < kSlots; ++k) {
    const int x = 8 + (k % 2) * (kSide + 4);
    const int y = 8 + (k / 2) * (kSide + 4);
    pictures[static_cast<std::size_t>(k)].Create(host, 100 + k, RECT{x, y, x + kSide, y + kSide});
  }
  Pump();

  const fs::path dir = fs::temp_directory_path() / "zr-pagefill-gdi";
  const auto [files, targetMs] = WritePage(dir, kind);
  std::uintmax_t bytes = 0;
  for (const std::string& f : files) bytes += fs::file_size(f);

  zr::TDxfModel model;
  zr::TPaletteState state;
  FillPage(files, model, state, pictures);  // warm: files cached, model arrays grown
  std::vector<double> ms, drawing, painting, reading;
  for (int i = 0; i < pages; ++i) {
    const Clock::time_point start = Clock::now();
    const auto [draw, paint] = FillPage(files, model, state, pictures);
    ms.push_back(Ms(Clock::now() - start));
    drawing.push_back(draw);
    painting.push_back(paint);
    Pump();
    reading.push_back(ReadPage(files, model));
  }
  std::sort(ms.begin(), ms.end());
  const double target = targetMs;
  const auto over = std::count_if(ms.begin(), ms.end(), [target](double v) { return v > target; });
  std::printf("page fill (%s), %zu slots of %.1f KB (read, GDI drawing, blit), %d pages: median "
              "%.2f ms,"
              " min %.2f ms, 90th percentile %.2f ms, max %.2f ms; over %.0f ms: %lld pages\n"
              "  of which (medians) reading and drawing into the bitmaps %.2f ms, painting the "
              "windows %.2f ms; reading and expanding alone %.2f ms\n",
              kind.c_str(), files.size(),
              static_cast<double>(bytes) / static_cast<double>(files.size()) / 1024.0, pages,
              ms[ms.size() / 2], ms.front(), ms[ms.size() * 9 / 10], ms.back(), targetMs,
              static_cast<long long>(over), Median(drawing), Median(painting),
              Median(reading));
  ::DestroyWindow(host);
  std::error_code ec;
  fs::remove_all(dir, ec);
  return 0;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  const int pages = argc > 1 ? std::max(1, _wtoi(argv[1])) : 200;
  std::string kind = "51";
  if (argc > 2) {
    kind.clear();
    for (const wchar_t* c = argv[2]; *c != 0; ++c) kind += static_cast<char>(*c & 0x7F);
  }
  return Run(pages, kind);
}
