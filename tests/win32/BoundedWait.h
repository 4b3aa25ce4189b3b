#pragma once
// The one way the Windows tests wait for a state: look, and look again a moment later, until it
// holds or the bound has passed. The bound is reached only when something is wrong.
#include <chrono>
#include <functional>
#include <thread>

namespace zr::win32::testing {

// True as soon as `done` holds; false when it still does not after `timeout`.
inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout,
                      std::chrono::milliseconds step = std::chrono::milliseconds(2)) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(step);
  }
}

}  // namespace zr::win32::testing
