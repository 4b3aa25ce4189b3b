#pragma once
// The CAD link's desktop calls on Windows: COM class and running-object lookup, window calls,
// the user-interface thread's pauses and message pump, and message boxes owned by the palette.
#include <windows.h>

#include <functional>

#include "cadlink/Desktop.h"

namespace zr::win32 {

class Win32Desktop : public cadlink::IDesktop {
 public:
  // The palette window owns the message boxes; none (0) until it exists.
  void SetOwner(HWND owner) { owner_ = owner; }
  HWND Owner() const { return owner_; }
  // Offered every message that ProcessMessages takes from the queue before it is dispatched
  // (the palette's own pre-translation, as in its message loop); true means it was handled.
  void SetPreTranslate(std::function<bool(const MSG&)> preTranslate) {
    preTranslate_ = std::move(preTranslate);
  }

  std::string ClassIdFromProgId(const std::string& progId) override;
  bool IsObjectRunning(const std::string& classId) override;
  cadlink::AutoObjectPtr GetActiveObject(const std::string& classId) override;

  bool IsIconic(cadlink::WindowHandle window) override;
  void OpenIcon(cadlink::WindowHandle window) override;
  void SetForegroundWindow(cadlink::WindowHandle window) override;
  void Sleep(int milliseconds) override;
  void ProcessMessages() override;
  void ShowMessage(const std::string& text, const std::string& caption,
                   cadlink::MessagePlacement placement) override;

  void EnumWindows(const std::function<bool(cadlink::WindowHandle)>& visit) override;
  std::string WindowTitle(cadlink::WindowHandle window) override;
  std::string WindowClass(cadlink::WindowHandle window) override;
  cadlink::WindowHandle FindWindowByClass(const std::string& className) override;
  bool IsWindowEnabled(cadlink::WindowHandle window) override;
  void SendCopyData(cadlink::WindowHandle window, std::uintptr_t dwData,
                    const std::vector<std::uint8_t>& bytes) override;
  void PostNull(cadlink::WindowHandle window) override;

 private:
  HWND owner_ = nullptr;
  std::function<bool(const MSG&)> preTranslate_;
};

inline HWND ToHwnd(cadlink::WindowHandle h) { return reinterpret_cast<HWND>(h); }
inline cadlink::WindowHandle FromHwnd(HWND h) { return reinterpret_cast<cadlink::WindowHandle>(h); }

}  // namespace zr::win32
