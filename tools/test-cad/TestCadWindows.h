#pragma once
// The test CAD's windows: the main window with its log list, and the extra top-level windows
// that stand in for CAD frames in the command-window search. Every window logs the
// WM_COPYDATA and WM_NULL messages it receives.
#include <windows.h>

#include <memory>
#include <vector>

#include "TestCadLog.h"
#include "TestCadOptions.h"

namespace zr::testcad {

class TestCadWindows {
 public:
  TestCadWindows(const TestCadOptions& options, TestCadLog& log);
  TestCadWindows(const TestCadWindows&) = delete;
  TestCadWindows& operator=(const TestCadWindows&) = delete;
  ~TestCadWindows();

  // Creates and shows every window; false when the main window cannot be made.
  bool Create(HINSTANCE instance);
  HWND Main() const { return main_; }
  const std::vector<HWND>& Extras() const { return extras_; }

  struct WindowData;

 private:
  const TestCadOptions& options_;
  TestCadLog& log_;
  HWND main_ = nullptr;
  std::vector<HWND> extras_;
  std::vector<std::unique_ptr<WindowData>> data_;
  HFONT font_ = nullptr;
};

}  // namespace zr::testcad
