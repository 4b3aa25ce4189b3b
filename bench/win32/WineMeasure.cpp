// Timings of the Windows build under Wine (or on Windows), printed, never asserted:
//   automation  the cost of one late-bound call into the test CAD in another process
//               (App.HWND), median of many;
//   start-up    process start of the palette to its first page shown, over several starts.
// Run by scripts/measure-win32.sh; the numbers depend on the machine and its load.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "CadLinkTestCad.h"
#include "CadLinkTestSupport.h"
#include "PaletteDriver.h"
#include "cadlink/CadConnection.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void Report(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  const std::size_t n = ms.size();
  std::printf("%-40s n=%zu median %.3f ms  min %.3f  p90 %.3f  max %.3f\n", what, n, ms[n / 2],
              ms.front(), ms[n * 9 / 10], ms.back());
}

int MeasureAutomation(int calls) {
  zr::win32::testing::ComApartment com;
  zr::win32::testing::RecordingDesktop desktop;
  const std::string progId = zr::win32::testing::UniqueName("ZrBench.Automation");
  zr::win32::testing::TestCadProcess cad({"--progid", progId}, "bench-automation");
  if (!cad.Ready()) {
    std::printf("the test CAD did not start\n");
    return 1;
  }
  auto app = zr::cadlink::GetCadApp(desktop, progId);
  for (int i = 0; i < 20; ++i) app->Get("HWND");  // warm up
  std::vector<double> ms;
  for (int i = 0; i < calls; ++i) {
    const auto start = Clock::now();
    app->Get("HWND");
    ms.push_back(Ms(Clock::now() - start));
  }
  Report("late-bound cross-process call (App.HWND)", ms);
  return 0;
}

// The palette beside a copy of the demo catalogue, in a fresh folder.
int MeasureStartUp(int runs) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("zr-bench-" + std::to_string(::GetCurrentProcessId()));
  fs::create_directories(folder);
  fs::copy(fs::path(ZR_DEMO_DIR), folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  fs::copy_file(fs::path(ZR_PALETTE_EXE), folder / "ZovezaRuzu.exe", fs::copy_options::overwrite_existing);
  std::vector<double> ms;
  for (int run = 0; run < runs; ++run) {
    zr::test::PaletteDriver driver;
    if (!driver.Launch((folder / "ZovezaRuzu.exe").wstring()) || !driver.WaitForWindow(60s) ||
        !zr::test::PaletteDriver::WaitUntil(
            [&] {
              return ::IsWindowVisible(driver.Window()) != FALSE && !driver.StatusText(0).empty();
            },
            60s)) {
      std::printf("the palette did not show its first page\n");
      return 1;
    }
    ms.push_back(Ms(Clock::now() - driver.LaunchTime()));
    driver.Close(10s);
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  Report("palette start to first page shown", ms);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string which = argc > 1 ? argv[1] : "all";
  int failed = 0;
  if (which == "all" || which == "automation") failed += MeasureAutomation(1000);
  if (which == "all" || which == "start-up") failed += MeasureStartUp(7);
  return failed == 0 ? 0 : 1;
}
