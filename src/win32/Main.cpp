// Program entry: one palette window on the user-interface thread, COM in a single-threaded
// apartment, the message loop until the palette closes.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <exception>

#include "win32/ErrorReport.h"
#include "win32/PaletteWindow.h"

namespace {

// COM for the thread, released when the program ends.
class ComApartment {
 public:
  ComApartment() : ok_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (ok_) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool ok_;
};

int RunMessageLoop(zr::win32::PaletteWindow& palette) {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (palette.PreTranslateMessage(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

int Run(HINSTANCE instance, int showCommand) {
  ComApartment com;
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                          ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);

  zr::win32::PaletteWindow palette;
  palette.Create(instance);
  palette.Show(showCommand);
  return RunMessageLoop(palette);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
  try {
    return Run(instance, showCommand);
  } catch (const std::exception& e) {
    zr::win32::ShowErrorReport(nullptr, e.what());
  } catch (...) {
    zr::win32::ShowErrorReport(nullptr, "Unknown error");
  }
  return 1;
}
