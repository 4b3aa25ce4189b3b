#pragma once
// The test CAD's windows: the main window with its log list, and the extra top-level windows
// that stand in for CAD frames in the command-window search. Every window logs the
// WM_COPYDATA and WM_NULL messages it receives. A WM_COPYDATA to the main window with dwData
// kTestCadControlId is a control text instead, handed to the control function.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
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

  // Runs a control text; returns "" or the error's text.
  using ControlFn = std::function<std::string(const std::string&)>;
  void SetOnControl(ControlFn fn) { onControl_ = std::move(fn); }

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
  ControlFn onControl_;
};

}  // namespace zr::testcad
