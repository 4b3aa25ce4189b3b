#pragma once
// The test CAD's command line.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "SimCad.h"

namespace zr::testcad {

inline constexpr const char* kDefaultTestCadProgId = "BricscadApp.AcadApplication";
// dwData of a WM_COPYDATA to the main window that carries a control text (options that may
// change while the test CAD runs) instead of a command.
inline constexpr unsigned long kTestCadControlId = 0x5A52;

// "LABEL.MEMBER" in upper case -> the kind of wrong answer the member gives (WrongTypeKinds).
using WrongTypes = std::map<std::string, std::string>;

enum class FilterMode { None, RetryLater, Rejected };

// A top-level window opened for the command-window search.
struct ExtraWindow {
  std::string className;
  std::string title;
  bool minimized = false;
  bool disabled = false;
};

struct TestCadOptions {
  std::string progId = kDefaultTestCadProgId;
  std::string logPath;            // empty: the log is only shown
  SimCadConfig sim;
  WrongTypes wrongTypes;
  FilterMode filter = FilterMode::None;
  int filterMs = 0;               // how long after each SendCommand calls are refused
  std::string mainTitle;          // empty: "ZrTestCad - <ProgID>"
  std::string mainClass = "ZrTestCadWindow";
  bool minimized = false;
  bool disabled = false;
  int x = 0, y = 0, width = 440, height = 600;
  std::vector<ExtraWindow> windows;  // stacked in this order, the first on top
};

// Parses the arguments (without the program name); "/name" is the same as "--name". Throws
// std::invalid_argument with a readable text for an unknown option or a bad value.
TestCadOptions ParseTestCadOptions(const std::vector<std::string>& args);

// Applies a control text: the options that may change while the test CAD runs, separated by
// blanks (--fail, --wrong-type, --cancel-insert, --insert, --reset). Throws
// std::invalid_argument like ParseTestCadOptions.
void ApplyTestCadControl(const std::string& text, SimCadConfig& sim, WrongTypes& wrongTypes);

// The wrong answers --wrong-type offers, each with what it sends.
const std::vector<std::pair<std::string, std::string>>& WrongTypeKinds();

// The option summary shown for --help or after an error.
const char* TestCadUsage();

}  // namespace zr::testcad
