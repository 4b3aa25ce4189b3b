// Time from a real click on a slot to the insertion command arriving in the test CAD, under
// the real palette and the real test CAD: many clicks, then the median and the spread.
// Run through scripts/measure-insert.sh (Windows build, under Wine on Linux).
//   zr_insert_latency [clicks] [palette.exe]
// With a palette given, that palette runs in place on the catalogue beside it (the release
// check of scripts/package.sh); otherwise a copy runs on a one-block catalogue.
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/CircleDrawing.h"
#include "e2e/PaletteDriver.h"
#include "e2e/RealInput.h"
#include "support/TempFolder.h"
#include "win32/BoundedWait.h"
#include "win32/CadLinkTestCad.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kLookStep{1};
using zr::win32::testing::WaitUntil;

std::size_t CountLines(const zr::win32::testing::TestCadProcess& cad, const std::string& part) {
  std::size_t n = 0;
  for (const std::string& line : cad.Log()) n += line.find(part) != std::string::npos;
  return n;
}

int Run(int clicks, std::filesystem::path exe) {
  zr::test::TempFolder dir;
  if (exe.empty()) {
    exe = dir.Path() / "ZovezaRuzu.exe";
    std::filesystem::copy_file(std::filesystem::path(ZR_PALETTE_EXE), exe);
    dir.Write("MenuList.txt", "Lamps\tL\r\n");
    dir.Write("BlockList.txt", "L01\tLamp\r\n");
    dir.Write("DXF/L01B.dxf", zr::test::kCircleDxf);
  }

  zr::test::MovePointerAway();
  zr::win32::testing::TestCadProcess cad({"--pos", "0,0,300,300"}, "latency");
  if (!cad.Ready()) return std::fprintf(stderr, "the test CAD did not start\n"), 1;
  zr::test::PaletteDriver palette;
  if (!palette.Launch(exe.wstring()) || !palette.WaitForWindow(30s) ||
      !zr::test::PaletteDriver::WaitUntil([&] { return !palette.StatusText(0).empty(); }, 30s)) {
    return std::fprintf(stderr, "the palette did not show its page\n"), 1;
  }

  std::vector<double> ms;
  for (int i = 0; i < clicks; ++i) {
    const std::size_t sent = CountLines(cad, "Document.SendCommand(");
    const std::size_t done = CountLines(cad, "SetVariable(\"ATTREQ\", &");
    const Clock::time_point start = Clock::now();
    // Two clicks at one place within the double-click time make a double click, which in
    // single-click mode inserts nothing more: alternate between two points of the slot.
    zr::test::ClickAt(zr::test::PointIn(palette.SlotPicture(0), i % 2 ? 0.3 : 0.7, 0.5));
    // A millisecond's pause between looks: looking without pause (each look reads the test
    // CAD's log) took a core from the palette and the test CAD it times, on a machine of two.
    // What the pause adds is at most one step, within the figures' resolution.
    if (!WaitUntil([&] { return CountLines(cad, "Document.SendCommand(") > sent; }, 10s,
                   kLookStep)) {
      return std::fprintf(stderr, "no command arrived\n"), 1;
    }
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    // The insertion ends (the readiness wait, the variable put back) before the next click.
    if (!WaitUntil([&] { return CountLines(cad, "SetVariable(\"ATTREQ\", &") > done; }, 10s)) {
      return std::fprintf(stderr, "the insertion did not end\n"), 1;
    }
  }
  std::sort(ms.begin(), ms.end());
  std::printf("click to SendCommand in the test CAD, %d clicks: median %.1f ms, min %.1f ms, "
              "90th percentile %.1f ms, max %.1f ms (looked for every %d ms)\n",
              clicks, ms[ms.size() / 2], ms.front(), ms[ms.size() * 9 / 10], ms.back(),
              static_cast<int>(kLookStep.count()));
  return 0;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  const int clicks = argc > 1 ? std::max(1, _wtoi(argv[1])) : 30;
  const std::filesystem::path exe = argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::path();
  return Run(clicks, exe);
}
