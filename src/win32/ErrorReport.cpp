#include "win32/ErrorReport.h"

#include "app/AppTitle.h"
#include "win32/WideText.h"

namespace zr::win32 {

void ShowErrorReport(HWND owner, const std::string& text) {
  ::MessageBoxW(owner, Widen(text).c_str(), Widen(kAppTitle).c_str(), MB_OK | MB_ICONSTOP);
}

void ShowNotice(HWND owner, const std::string& text) {
  ::MessageBoxW(owner, Widen(text).c_str(), Widen(kAppTitle).c_str(), MB_OK);
}

}  // namespace zr::win32
