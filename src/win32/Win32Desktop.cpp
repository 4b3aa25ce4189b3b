#include "win32/Win32Desktop.h"

#include <objbase.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <exception>

#include "win32/ComError.h"
#include "win32/CopyDataSender.h"
#include "win32/DispatchObject.h"
#include "win32/WideText.h"

namespace zr::win32 {

using cadlink::WindowHandle;
using Microsoft::WRL::ComPtr;

namespace {

// GetWindowTextW / GetClassNameW buffer: 255 units with the terminator.
constexpr int kNameBufferUnits = 255;

CLSID ParseClassId(const std::string& classId) {
  CLSID clsid{};
  std::wstring text = Widen(classId);
  const HRESULT hr = ::CLSIDFromString(text.data(), &clsid);
  if (FAILED(hr)) ThrowHResult(hr, classId);
  return clsid;
}

// Moves the next activated window (the message box) to the centre of its monitor's work area.
thread_local HHOOK tCentreHook = nullptr;

LRESULT CALLBACK CentreOnActivate(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && tCentreHook != nullptr) {
    const HWND box = reinterpret_cast<HWND>(wParam);
    RECT r{};
    ::GetWindowRect(box, &r);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    ::GetMonitorInfoW(::MonitorFromWindow(box, MONITOR_DEFAULTTOPRIMARY), &mi);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = mi.rcWork.left + (mi.rcWork.right - mi.rcWork.left - w) / 2;
    const int y = mi.rcWork.top + (mi.rcWork.bottom - mi.rcWork.top - h) / 2;
    ::SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const HHOOK hook = tCentreHook;
    tCentreHook = nullptr;
    ::UnhookWindowsHookEx(hook);
    return 0;
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

struct EnumContext {
  const std::function<bool(WindowHandle)>* visit;
  std::exception_ptr error;
};

BOOL CALLBACK EnumThunk(HWND window, LPARAM lParam) {
  auto* context = reinterpret_cast<EnumContext*>(lParam);
  try {
    return (*context->visit)(FromHwnd(window)) ? TRUE : FALSE;
  } catch (...) {
    context->error = std::current_exception();
    return FALSE;
  }
}

}  // namespace

std::string Win32Desktop::ClassIdFromProgId(const std::string& progId) {
  const std::wstring name = Widen(progId);
  CLSID clsid{};
  const HRESULT hr = ::CLSIDFromProgID(name.c_str(), &clsid);
  if (FAILED(hr)) ThrowHResult(hr, progId);
  wchar_t text[64] = {};
  ::StringFromGUID2(clsid, text, 64);
  return Narrow(text);
}

bool Win32Desktop::IsObjectRunning(const std::string& classId) {
  const CLSID clsid = ParseClassId(classId);
  ComPtr<IUnknown> object;
  return SUCCEEDED(::GetActiveObject(clsid, nullptr, &object));
}

cadlink::AutoObjectPtr Win32Desktop::GetActiveObject(const std::string& classId) {
  const CLSID clsid = ParseClassId(classId);
  ComPtr<IUnknown> object;
  HRESULT hr = ::GetActiveObject(clsid, nullptr, &object);
  if (FAILED(hr)) ThrowHResult(hr);
  ComPtr<IDispatch> dispatch;
  hr = object.As(&dispatch);
  if (FAILED(hr)) ThrowHResult(hr, "IDispatch");
  return std::make_shared<DispatchObject>(dispatch);
}

bool Win32Desktop::IsIconic(WindowHandle window) { return ::IsIconic(ToHwnd(window)) != FALSE; }

void Win32Desktop::OpenIcon(WindowHandle window) { ::OpenIcon(ToHwnd(window)); }

void Win32Desktop::SetForegroundWindow(WindowHandle window) {
  ::SetForegroundWindow(ToHwnd(window));
}

void Win32Desktop::Sleep(int milliseconds) {
  ::Sleep(milliseconds < 0 ? 0 : static_cast<DWORD>(milliseconds));
}

void Win32Desktop::ProcessMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
      return;
    }
    if (preTranslate_ && preTranslate_(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void Win32Desktop::ShowMessage(const std::string& text, const std::string& caption,
                               cadlink::MessagePlacement placement) {
  const std::wstring wideText = Widen(text);
  const std::wstring wideCaption = Widen(caption);
  UINT style = MB_OK;
  if (owner_ == nullptr) style |= MB_TASKMODAL;
  if (placement == cadlink::MessagePlacement::CentredOnScreen && tCentreHook == nullptr) {
    tCentreHook = ::SetWindowsHookExW(WH_CBT, CentreOnActivate, nullptr, ::GetCurrentThreadId());
  }
  ::MessageBoxW(owner_, wideText.c_str(), wideCaption.c_str(), style);
  if (tCentreHook != nullptr) {
    ::UnhookWindowsHookEx(tCentreHook);
    tCentreHook = nullptr;
  }
}

void Win32Desktop::EnumWindows(const std::function<bool(WindowHandle)>& visit) {
  EnumContext context{&visit, nullptr};
  ::EnumWindows(EnumThunk, reinterpret_cast<LPARAM>(&context));
  if (context.error) std::rethrow_exception(context.error);
}

std::string Win32Desktop::WindowTitle(WindowHandle window) {
  wchar_t buffer[kNameBufferUnits] = {};
  const int n = ::GetWindowTextW(ToHwnd(window), buffer, kNameBufferUnits);
  return Narrow(std::wstring_view(buffer, n > 0 ? static_cast<std::size_t>(n) : 0));
}

std::string Win32Desktop::WindowClass(WindowHandle window) {
  wchar_t buffer[kNameBufferUnits] = {};
  const int n = ::GetClassNameW(ToHwnd(window), buffer, kNameBufferUnits);
  return Narrow(std::wstring_view(buffer, n > 0 ? static_cast<std::size_t>(n) : 0));
}

WindowHandle Win32Desktop::FindWindowByClass(const std::string& className) {
  const std::wstring name = Widen(className);
  return FromHwnd(::FindWindowW(name.c_str(), nullptr));
}

bool Win32Desktop::IsWindowEnabled(WindowHandle window) {
  return ::IsWindowEnabled(ToHwnd(window)) != FALSE;
}

void Win32Desktop::SendCopyData(WindowHandle window, std::uintptr_t dwData,
                                const std::vector<std::uint8_t>& bytes) {
  SendCopyDataMessage(ToHwnd(window), dwData, bytes);
}

void Win32Desktop::PostNull(WindowHandle window) {
  ::PostMessageW(ToHwnd(window), WM_NULL, 0, 0);
}

}  // namespace zr::win32
