#pragma once
// The end-to-end tests' start of the palette: the program copied into the test's folder (which
// holds its catalogue), the pointer off the palette, the window shown and, when the test names
// it, the first page loaded.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "PaletteDriver.h"
#include "RealInput.h"
#include "TestWaits.h"
#include "win32/WideText.h"

namespace zr::test {

// Starts the palette in `folder`; with `firstBlock`, waits until status panel 0 names it (the
// first page is shown), otherwise until the window is visible.
inline ::testing::AssertionResult StartPalette(PaletteDriver& palette,
                                               const std::filesystem::path& folder,
                                               const std::wstring& firstBlock = L"") {
  const std::filesystem::path exe = folder / "ZovezaRuzu.exe";
  std::filesystem::copy_file(std::filesystem::path(ZR_PALETTE_EXE), exe,
                             std::filesystem::copy_options::skip_existing);
  // A pointer left over an empty slot would describe that slot, emptying panel 0.
  MovePointerAway();
  if (!palette.Launch(exe.wstring())) return ::testing::AssertionFailure() << "the palette did not start";
  if (!palette.WaitForWindow(kStartTimeout)) {
    return ::testing::AssertionFailure() << "the palette window did not appear";
  }
  const bool shown = PaletteDriver::WaitUntil(
      [&] {
        return firstBlock.empty() ? ::IsWindowVisible(palette.Window()) != FALSE
                                  : palette.StatusText(0) == firstBlock;
      },
      kStartTimeout);
  if (shown) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "the first page was not shown: panel 0 \"" << win32::Narrow(palette.StatusText(0))
         << "\", title \"" << win32::Narrow(palette.Text(palette.Window())) << "\", "
         << palette.CategoryCount() << " categories, visible "
         << (::IsWindowVisible(palette.Window()) != FALSE);
}

}  // namespace zr::test
