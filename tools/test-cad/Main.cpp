// ZrTestCad: a stand-in for a CAD program. It registers a simulated application object under
// a ProgID, answers the palette's automation calls and command messages, and logs all of it.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>

#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "SimCad.h"
#include "TestCadLog.h"
#include "TestCadOptions.h"
#include "TestCadServer.h"
#include "TestCadWindows.h"
#include "WrongAnswers.h"
#include "win32/AutoObjectDispatch.h"
#include "win32/ComError.h"
#include "win32/WideText.h"

namespace {

using namespace zr;
using namespace zr::testcad;

constexpr const wchar_t* kCaption = L"ZrTestCad";

std::vector<std::string> CommandLineArguments() {
  int count = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(win32::Narrow(argv[i]));
  ::LocalFree(argv);
  return args;
}

int Fail(const std::string& text) {
  ::MessageBoxW(nullptr, win32::Widen(text).c_str(), kCaption, MB_OK | MB_ICONERROR);
  return 2;
}

// Registers the application object while it lives; takes it out of the table at the end.
class ActiveObject {
 public:
  ActiveObject(IUnknown* object, const CLSID& clsid) {
    hr_ = ::RegisterActiveObject(object, clsid, ACTIVEOBJECT_STRONG, &cookie_);
  }
  ~ActiveObject() {
    if (SUCCEEDED(hr_)) ::RevokeActiveObject(cookie_, nullptr);
  }
  HRESULT Result() const { return hr_; }

 private:
  HRESULT hr_ = E_FAIL;
  DWORD cookie_ = 0;
};

int Run(HINSTANCE instance) {
  TestCadOptions options;
  try {
    const std::vector<std::string> args = CommandLineArguments();
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "/?")) {
      ::MessageBoxW(nullptr, win32::Widen(TestCadUsage()).c_str(), kCaption, MB_OK);
      return 0;
    }
    options = ParseTestCadOptions(args);
  } catch (const std::exception& e) {
    return Fail(std::string(e.what()) + "\n\n" + TestCadUsage());
  }

  TestCadLog log;
  if (!options.logPath.empty() && !log.OpenFile(options.logPath)) {
    return Fail("The log file cannot be written: " + options.logPath);
  }
  TestCadWindows windows(options, log);
  if (!windows.Create(instance)) return Fail("The windows cannot be created.");

  SimCad sim(options.sim, [] { return static_cast<std::uint64_t>(::GetTickCount64()); },
             [&log](const std::string& line) { log.Write(line); });
  sim.SetMainWindow(static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(windows.Main())));
  BusyFilter filter(options.filter, options.filterMs, log);
  sim.SetOnCommand([&filter] { filter.OnCommand(); });
  if (options.filter != FilterMode::None) {
    ::CoRegisterMessageFilter(&filter, nullptr);
  }

  CLSID clsid{};
  ::CoCreateGuid(&clsid);
  ProgIdRegistrations registration;
  std::string error;
  if (!registration.Add(options.progId, clsid, error)) {
    return Fail("The ProgID cannot be registered: " + error);
  }
  // Options that change while it runs: failures, wrong answers, cancelled insertions.
  WrongTypes wrongTypes = options.wrongTypes;
  windows.SetOnControl([&sim, &wrongTypes](const std::string& text) -> std::string {
    try {
      ApplyTestCadControl(text, sim.Drawing().config, wrongTypes);
      sim.Drawing().callCounts.clear();
      return {};
    } catch (const std::exception& e) {
      return e.what();
    }
  });
  auto answerWrongly = [&wrongTypes, &log](const cadlink::IAutoObject& object,
                                          const std::string& member, VARIANT& result) {
    const std::string name = SimObjectLabel(object) + "." + member;
    const auto it = wrongTypes.find(AsciiUpper(name));
    if (it != wrongTypes.end() && PutWrongAnswer(it->second, result)) {
      log.Write("WrongType " + name + " -> " + it->second);
    }
  };
  Microsoft::WRL::ComPtr<IDispatch> application =
      win32::AutoObjectDispatch::Wrap(sim.Application(), answerWrongly);
  ActiveObject active(application.Get(), clsid);
  if (FAILED(active.Result())) {
    return Fail("RegisterActiveObject failed: " + win32::HResultText(active.Result()));
  }
  log.Write("Ready progid=" + options.progId + " clsid=" + ClassIdText(clsid) +
            " hwnd=" + std::to_string(reinterpret_cast<std::intptr_t>(windows.Main())) +
            " pid=" + std::to_string(::GetCurrentProcessId()));

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  if (options.filter != FilterMode::None) ::CoRegisterMessageFilter(nullptr, nullptr);
  log.Write("Ended");
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 3;
  int code = 0;
  try {
    code = Run(instance);
  } catch (const std::exception& e) {
    code = Fail(e.what());
  }
  ::CoUninitialize();
  return code;
}
