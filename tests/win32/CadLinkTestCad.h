#pragma once
// Starts the test CAD (ZrTestCad.exe) for a Windows test, waits until it has registered,
// reads its log, and always ends it: by closing it, else by terminating the process.
#include <windows.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BoundedWait.h"
#include "TestCadOptions.h"
#include "text/TextFile.h"
#include "win32/WideText.h"

namespace zr::win32::testing {

inline std::string UniqueName(const std::string& stem) {
  static int counter = 0;
  return stem + "." + std::to_string(::GetCurrentProcessId()) + "." + std::to_string(++counter);
}

class TestCadProcess {
 public:
  // `args` are the test CAD's options; --log is added. Check Ready() after construction.
  explicit TestCadProcess(std::vector<std::string> args, const std::string& name = "testcad") {
    logPath_ = std::string(ZR_TEST_OUTPUT_DIR) + "/" + UniqueName(name) + ".log";
    ::DeleteFileW(Widen(logPath_).c_str());
    args.push_back("--log");
    args.push_back(logPath_);
    std::wstring commandLine = Quote(Widen(ZR_TEST_CAD_EXE));
    for (const std::string& a : args) commandLine += L" " + Quote(Widen(a));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &si, &pi)) {
      return;
    }
    ::CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    const std::string ready = WaitForLine("Ready ", std::chrono::seconds(30));
    const std::size_t at = ready.find(" hwnd=");
    if (at != std::string::npos) {
      main_ = reinterpret_cast<HWND>(static_cast<std::intptr_t>(std::stoll(ready.substr(at + 6))));
    }
  }
  TestCadProcess(const TestCadProcess&) = delete;
  TestCadProcess& operator=(const TestCadProcess&) = delete;
  ~TestCadProcess() { Close(); }

  bool Ready() const { return main_ != nullptr; }
  HWND MainWindow() const { return main_; }
  const std::string& LogPath() const { return logPath_; }

  std::vector<std::string> Log() const {
    std::ifstream in(text::PathFromUtf8(logPath_), std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
  }
  // Lines logged after the first `from` lines.
  std::vector<std::string> LogFrom(std::size_t from) const {
    std::vector<std::string> all = Log();
    if (from >= all.size()) return {};
    return std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(from), all.end());
  }
  // Waits for a line that contains `part`; returns it, or "" after the timeout.
  std::string WaitForLine(const std::string& part, std::chrono::milliseconds timeout,
                          std::size_t from = 0) const {
    std::string found;
    WaitUntil(
        [&] {
          for (const std::string& line : LogFrom(from)) {
            if (line.find(part) != std::string::npos) {
              found = line;
              return true;
            }
          }
          // A test CAD that has ended writes nothing more.
          return process_ != nullptr && ::WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
        },
        timeout, std::chrono::milliseconds(50));
    return found;
  }

  // Changes what the running test CAD does (--fail, --wrong-type, --cancel-insert, --insert,
  // --reset); true when it took the text. The call returns after the change.
  bool Control(const std::string& options) const {
    const std::wstring text = Widen(options);
    COPYDATASTRUCT data{testcad::kTestCadControlId,
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)),
                        const_cast<wchar_t*>(text.c_str())};
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(main_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                 SMTO_ABORTIFHUNG, 10000, &result) != 0 &&
           result == TRUE;
  }

  // Ends the process at once, as a crash would: nothing is cleaned up.
  void Kill() {
    if (process_ == nullptr) return;
    ::TerminateProcess(process_, 98);
    ::WaitForSingleObject(process_, 10000);
    ::CloseHandle(process_);
    process_ = nullptr;
  }

  // Asks the test CAD to end (WM_CLOSE) and waits; terminates it when it does not end.
  // True when it ended by itself.
  bool Close() {
    if (process_ == nullptr) return true;
    if (main_ != nullptr) ::PostMessageW(main_, WM_CLOSE, 0, 0);
    bool clean = ::WaitForSingleObject(process_, 10000) == WAIT_OBJECT_0;
    if (!clean) {
      ::TerminateProcess(process_, 99);
      ::WaitForSingleObject(process_, 5000);
    }
    ::CloseHandle(process_);
    process_ = nullptr;
    return clean;
  }

 private:
  static std::wstring Quote(const std::wstring& s) {
    std::wstring out = L"\"";
    for (wchar_t c : s) {
      if (c == L'"') out += L'\\';
      out += c;
    }
    return out + L"\"";
  }

  std::string logPath_;
  HANDLE process_ = nullptr;
  HWND main_ = nullptr;
};

}  // namespace zr::win32::testing
