#pragma once
// Shared pieces of the CAD link's Windows tests: COM on the test thread, and a desktop that
// records message boxes instead of showing them and the pauses it makes.
#include <windows.h>
#include <objbase.h>

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

// The real desktop adapter, except that message boxes are recorded, not shown.
class RecordingDesktop : public Win32Desktop {
 public:
  struct Shown {
    std::string text, caption;
    cadlink::MessagePlacement placement;
  };
  std::vector<Shown> shown;
  std::vector<int> sleeps;  // every pause asked for, in milliseconds
  void Sleep(int milliseconds) override {
    sleeps.push_back(milliseconds);
    Win32Desktop::Sleep(milliseconds);
  }
  void ShowMessage(const std::string& text, const std::string& caption,
                   cadlink::MessagePlacement placement) override {
    shown.push_back({text, caption, placement});
  }
};

}  // namespace zr::win32::testing
