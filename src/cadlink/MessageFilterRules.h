#pragma once
// The palette's answers as a COM message filter: take every incoming call, retry a busy CAD
// every second without limit, cancel a rejected call, and dispatch nothing while blocked.
#include <cstdint>

namespace zr::cadlink {

// Values of the COM message-filter protocol.
inline constexpr std::uint32_t kServerCallIsHandled = 0;
inline constexpr std::uint32_t kServerCallRejected = 1;
inline constexpr std::uint32_t kServerCallRetryLater = 2;
inline constexpr std::uint32_t kPendingMsgCancelCall = 0;
inline constexpr std::uint32_t kPendingMsgWaitNoProcess = 1;
inline constexpr std::uint32_t kPendingMsgWaitDefProcess = 2;
// RetryRejectedCall: retry after this many milliseconds, or cancel the call.
inline constexpr std::uint32_t kRetryAfterMs = 1000;
inline constexpr std::uint32_t kCancelCall = 0xFFFFFFFFu;  // (DWORD)-1

// Every incoming call is handled.
constexpr std::uint32_t HandleInComingCallAnswer() { return kServerCallIsHandled; }

// A "retry later" answer is retried after 1000 ms however long the CAD has been busy (the
// tick count is not consulted); any other rejection cancels the call.
constexpr std::uint32_t RetryRejectedCallAnswer(std::uint32_t rejectType) {
  return rejectType == kServerCallRetryLater ? kRetryAfterMs : kCancelCall;
}

// Keep waiting for the reply without dispatching the pending message.
constexpr std::uint32_t MessagePendingAnswer() { return kPendingMsgWaitNoProcess; }

}  // namespace zr::cadlink
