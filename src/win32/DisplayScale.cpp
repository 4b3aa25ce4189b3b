#include "win32/DisplayScale.h"

namespace zr::win32 {
namespace {

class SystemMonitors final : public MonitorQuery {
 public:
  int WindowDpi(HWND window) const override {
    const UINT dpi = window != nullptr ? ::GetDpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
  }
  RECT WorkArea(HWND window) const override {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info) != FALSE) {
      return info.rcWork;
    }
    return RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
};

const SystemMonitors kSystem;
const MonitorQuery* current = &kSystem;

}  // namespace

ScopedMonitorQuery::ScopedMonitorQuery(const MonitorQuery& query) { current = &query; }
ScopedMonitorQuery::~ScopedMonitorQuery() { current = &kSystem; }

int SystemDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND window) { return current->WindowDpi(window); }

RECT MonitorWorkArea(HWND window) { return current->WorkArea(window); }

}  // namespace zr::win32
