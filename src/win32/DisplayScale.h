#pragma once
// The display scale in dots per inch and the monitor a window is on. Every window of the
// palette asks through the query here, so that a test can stand in monitors of other scales
// (a window system may give every monitor the scale of the system).
#include <windows.h>

namespace zr::win32 {

// What the window system tells of the monitor a window is on.
class MonitorQuery {
 public:
  virtual ~MonitorQuery() = default;
  // The scale the window is shown at: its monitor's (a child's is its top-level window's).
  virtual int WindowDpi(HWND window) const = 0;
  // The work area of the monitor the window is on, or is nearest to.
  virtual RECT WorkArea(HWND window) const = 0;
};

// Puts `query` in the window system's place for as long as it lives (tests). Not nested.
class ScopedMonitorQuery {
 public:
  explicit ScopedMonitorQuery(const MonitorQuery& query);
  ~ScopedMonitorQuery();
  ScopedMonitorQuery(const ScopedMonitorQuery&) = delete;
  ScopedMonitorQuery& operator=(const ScopedMonitorQuery&) = delete;
};

// The system's scale (of the sign-in), 96 when it cannot be read.
int SystemDpi();
// The scale of the monitor the window is on (per-monitor aware), else the system's.
int WindowDpi(HWND window);
// The work area of the monitor the window is on (the nearest when it is on none).
RECT MonitorWorkArea(HWND window);

}  // namespace zr::win32
