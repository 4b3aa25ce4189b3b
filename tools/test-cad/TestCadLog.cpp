#include "TestCadLog.h"

#include "cadlink/AutoValue.h"
#include "text/Utf.h"
#include "win32/WideText.h"

namespace zr::testcad {

namespace {
constexpr LRESULT kMaxListLines = 5000;
}

TestCadLog::~TestCadLog() {
  if (file_ != nullptr) std::fclose(file_);
}

bool TestCadLog::OpenFile(const std::string& path) {
  if (file_ != nullptr) std::fclose(file_);
  file_ = ::_wfopen(win32::Widen(path).c_str(), L"wb");
  return file_ != nullptr;
}

void TestCadLog::Write(const std::string& line) {
  if (file_ != nullptr) {
    std::fwrite(line.data(), 1, line.size(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
  }
  if (list_ != nullptr) pending_.push_back(line);
}

void TestCadLog::ShowPending() {
  if (list_ == nullptr || pending_.empty()) return;
  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  for (const std::string& line : pending_) {
    if (::SendMessageW(list_, LB_GETCOUNT, 0, 0) >= kMaxListLines) {
      ::SendMessageW(list_, LB_DELETESTRING, 0, 0);
    }
    const std::wstring w = win32::Widen(line);
    ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
  }
  pending_.clear();
  const LRESULT count = ::SendMessageW(list_, LB_GETCOUNT, 0, 0);
  if (count > 0) ::SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(count - 1), 0);
  ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list_, nullptr, TRUE);
}

std::string CopyDataText(const COPYDATASTRUCT& data) {
  const auto* bytes = static_cast<const unsigned char*>(data.lpData);
  const std::size_t size = bytes != nullptr ? data.cbData : 0;
  std::u16string units;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  if (!units.empty() && units.back() == u'\0') units.pop_back();
  return text::Utf16ToUtf8(units);
}

std::string DescribeCopyData(const std::string& windowTitle, WPARAM wParam,
                             const COPYDATASTRUCT& data) {
  const auto* bytes = static_cast<const unsigned char*>(data.lpData);
  const std::size_t size = bytes != nullptr ? data.cbData : 0;
  std::string line = "WM_COPYDATA window=" + cadlink::AutoValue(windowTitle).Describe() +
                     " wParam=" + std::to_string(wParam) +
                     " dwData=" + std::to_string(data.dwData) +
                     " cbData=" + std::to_string(data.cbData) +
                     " text=" + cadlink::AutoValue(CopyDataText(data)).Describe() +
                     " bytes=";
  static const char* const kHex = "0123456789ABCDEF";
  for (std::size_t i = 0; i < size; ++i) {
    if (i > 0) line += ' ';
    line += kHex[bytes[i] >> 4];
    line += kHex[bytes[i] & 15];
  }
  return line;
}

}  // namespace zr::testcad
