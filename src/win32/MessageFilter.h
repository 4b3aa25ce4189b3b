#pragma once
// TMessageFilter: the COM message filter the palette registers for its whole lifetime, so
// that calls into a busy CAD are retried every second instead of failing, and the palette
// dispatches no window messages while such a call is blocked.
#include <windows.h>
#include <objbase.h>
#include <wrl/client.h>

#include "win32/ComObject.h"

namespace zr::win32 {

class TMessageFilter final : public ComObject<IMessageFilter> {
 public:
  // A new filter, not yet registered (FOldFilter null).
  static Microsoft::WRL::ComPtr<TMessageFilter> Create();
  // Registers this filter on the calling thread and keeps the one it replaces.
  void RegisterFilter();
  // Puts the replaced filter back; the reference COM hands back (this one) is released.
  void RevokeFilter();

  // IMessageFilter
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD dwCallType, HTASK htaskCaller,
                                             DWORD dwTickCount,
                                             LPINTERFACEINFO lpInterfaceInfo) override;
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK htaskCallee, DWORD dwTickCount,
                                            DWORD dwRejectType) override;
  DWORD STDMETHODCALLTYPE MessagePending(HTASK htaskCallee, DWORD dwTickCount,
                                         DWORD dwPendingType) override;

 private:
  TMessageFilter() = default;
  ~TMessageFilter() override = default;

  Microsoft::WRL::ComPtr<IMessageFilter> FOldFilter;  // filter registered before this one
};

// The palette's one filter: created and registered at the end of the palette window's
// creation, revoked when it is destroyed.
extern Microsoft::WRL::ComPtr<TMessageFilter> gbMessageFilter;

}  // namespace zr::win32
