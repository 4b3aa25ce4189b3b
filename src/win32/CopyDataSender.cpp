#include "win32/CopyDataSender.h"

namespace zr::win32 {

LRESULT SendCopyDataMessage(HWND target, ULONG_PTR dwData,
                            const std::vector<std::uint8_t>& bytes) {
  COPYDATASTRUCT data{};
  data.dwData = dwData;
  data.cbData = static_cast<DWORD>(bytes.size());
  data.lpData = const_cast<std::uint8_t*>(bytes.data());
  return ::SendMessageW(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

}  // namespace zr::win32
