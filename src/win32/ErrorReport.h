#pragma once
// The application's error report: a message box with the error's text, the application
// title as caption and only an OK button. Handlers run guarded so that no exception crosses
// a window procedure.
#include <windows.h>

#include <exception>
#include <string>

namespace zr::win32 {

void ShowErrorReport(HWND owner, const std::string& text);
// The same box without the error icon, for what the user is told rather than warned of.
void ShowNotice(HWND owner, const std::string& text);

// Runs `action`; an exception ends it and is reported, the program carries on.
template <typename Action>
void Guarded(HWND owner, Action&& action) noexcept {
  try {
    action();
  } catch (const std::exception& e) {
    ShowErrorReport(owner, e.what());
  } catch (...) {
    ShowErrorReport(owner, "Unknown error");
  }
}

}  // namespace zr::win32
