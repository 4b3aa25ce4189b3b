#pragma once
// Shared pieces of the CAD link's Windows tests: COM on the test thread, and a desktop that
// records message boxes instead of showing them and the pauses it is asked for, without pausing.
#include <windows.h>
#include <objbase.h>

#include <functional>
#include <string>
#include <vector>

#include "win32/Win32Desktop.h"

namespace zr::win32::testing {

// A single-threaded apartment for the tests of one suite.
class ComApartment {
 public:
  ComApartment() : hr_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(hr_)) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  HRESULT hr_;
};

// The real desktop adapter, except that message boxes are recorded, not shown, and pauses are
// recorded, not waited out: a test that needs time to pass says what passes in `onSleep`.
class RecordingDesktop : public Win32Desktop {
 public:
  struct Shown {
    std::string text, caption;
    cadlink::MessagePlacement placement;
  };
  std::vector<Shown> shown;
  std::vector<int> sleeps;  // every pause asked for, in milliseconds
  std::function<void(int)> onSleep;  // called at each pause, when set
  void Sleep(int milliseconds) override {
    sleeps.push_back(milliseconds);
    if (onSleep) onSleep(milliseconds);
  }
  void ShowMessage(const std::string& text, const std::string& caption,
                   cadlink::MessagePlacement placement) override {
    shown.push_back({text, caption, placement});
  }
};

}  // namespace zr::win32::testing
