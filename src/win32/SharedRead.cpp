// Shared reading on Windows: CreateFileW with every sharing mode (the C library's streams
// refuse others the right to rename or delete the file while it is open).
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <ext/stdio_filebuf.h>

#include "text/SharedRead.h"
#include "text/Utf.h"

namespace zr::text {
namespace {

// The stream owns its buffer, which closes the file.
class SharedStream : public std::istream {
 public:
  explicit SharedStream(int fd) : std::istream(nullptr), buffer_(fd, std::ios::in | std::ios::binary) {
    rdbuf(&buffer_);
  }

 private:
  __gnu_cxx::stdio_filebuf<char> buffer_;
};

}  // namespace

std::unique_ptr<std::istream> OpenSharedReading(const std::string& path) {
  const std::u16string wide = Utf8ToUtf16(path);
  const HANDLE file = ::CreateFileW(reinterpret_cast<const wchar_t*>(wide.c_str()), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    ::CloseHandle(file);
    return nullptr;
  }
  return std::make_unique<SharedStream>(fd);
}

}  // namespace zr::text
