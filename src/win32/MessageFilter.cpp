#include "win32/MessageFilter.h"

#include "cadlink/MessageFilterRules.h"

namespace zr::win32 {

Microsoft::WRL::ComPtr<TMessageFilter> gbMessageFilter;

Microsoft::WRL::ComPtr<TMessageFilter> TMessageFilter::Create() {
  Microsoft::WRL::ComPtr<TMessageFilter> filter;
  filter.Attach(new TMessageFilter());
  return filter;
}

void TMessageFilter::RegisterFilter() {
  FOldFilter.Reset();
  ::CoRegisterMessageFilter(this, FOldFilter.ReleaseAndGetAddressOf());
}

void TMessageFilter::RevokeFilter() {
  Microsoft::WRL::ComPtr<IMessageFilter> handedBack;
  ::CoRegisterMessageFilter(FOldFilter.Get(), handedBack.ReleaseAndGetAddressOf());
}

DWORD TMessageFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) {
  return cadlink::HandleInComingCallAnswer();
}

DWORD TMessageFilter::RetryRejectedCall(HTASK, DWORD, DWORD dwRejectType) {
  return cadlink::RetryRejectedCallAnswer(dwRejectType);
}

DWORD TMessageFilter::MessagePending(HTASK, DWORD, DWORD) {
  return cadlink::MessagePendingAnswer();
}

}  // namespace zr::win32
