#pragma once
// One small owner for any handle: non-copyable, movable, closed by the function given as
// template argument. Aliases name the kinds the program uses.
#include <windows.h>
#include <oleauto.h>  // BSTR, SysFreeString (not in windows.h when lean)

#include <utility>

namespace zr::win32 {

template <typename Handle, auto Close, Handle Invalid = Handle{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : handle_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  Handle release() { return std::exchange(handle_, Invalid); }
  void reset(Handle h = Invalid) {
    if (handle_ != Invalid) Close(handle_);
    handle_ = h;
  }

 private:
  Handle handle_ = Invalid;
};

inline void CloseHandleFn(HANDLE h) { ::CloseHandle(h); }
inline void DeleteObjectFn(HGDIOBJ h) { ::DeleteObject(h); }
inline void DeleteDcFn(HDC h) { ::DeleteDC(h); }
inline void DestroyWindowFn(HWND h) { ::DestroyWindow(h); }
inline void DestroyMenuFn(HMENU h) { ::DestroyMenu(h); }
inline void SysFreeStringFn(BSTR s) { ::SysFreeString(s); }

using UniqueKernelHandle = UniqueHandle<HANDLE, CloseHandleFn>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, DeleteObjectFn>;
using UniqueFont = UniqueHandle<HFONT, DeleteObjectFn>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteObjectFn>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteObjectFn>;
using UniquePen = UniqueHandle<HPEN, DeleteObjectFn>;
using UniqueMemoryDc = UniqueHandle<HDC, DeleteDcFn>;
using UniqueWindow = UniqueHandle<HWND, DestroyWindowFn>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenuFn>;
using UniqueBstr = UniqueHandle<BSTR, SysFreeStringFn>;

// Selects an object into a device context and puts the previous one back on scope exit.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(::SelectObject(dc, obj)) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() {
    if (old_ != nullptr && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace zr::win32
