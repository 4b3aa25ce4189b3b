#pragma once
// The test CAD's log: every line goes to the log file (UTF-8, flushed at once so that tests
// can read it while the program runs) and to the list box of the main window. The list is
// filled in batches (ShowPending, from a timer): drawing each line as it comes would cost
// tens of milliseconds per call under Wine and distort what the palette's tests measure.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace zr::testcad {

class TestCadLog {
 public:
  TestCadLog() = default;
  TestCadLog(const TestCadLog&) = delete;
  TestCadLog& operator=(const TestCadLog&) = delete;
  ~TestCadLog();

  // Starts a new log file (an existing one is replaced); false when it cannot be written.
  bool OpenFile(const std::string& path);
  void AttachList(HWND listBox) { list_ = listBox; }
  void Write(const std::string& line);
  // Adds the lines written since the last call to the list.
  void ShowPending();

 private:
  std::FILE* file_ = nullptr;
  HWND list_ = nullptr;
  std::vector<std::string> pending_;
};

// The UTF-16 text a WM_COPYDATA carries, without its terminating NUL, in UTF-8.
std::string CopyDataText(const COPYDATASTRUCT& data);

// "WM_COPYDATA window=... dwData=1 cbData=14 text="UCS W\r" bytes=55 00 ..." for a message.
std::string DescribeCopyData(const std::string& windowTitle, WPARAM wParam,
                             const COPYDATASTRUCT& data);

}  // namespace zr::testcad
