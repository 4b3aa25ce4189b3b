#include "TestCadServer.h"

#include "win32/ComError.h"
#include "win32/WideText.h"

namespace zr::testcad {

namespace {

std::wstring ReadDefaultValue(HKEY key) {
  wchar_t buffer[128] = {};
  DWORD size = sizeof buffer - sizeof(wchar_t);
  DWORD type = 0;
  if (::RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  return buffer;
}

bool WriteDefaultValue(HKEY key, const std::wstring& value) {
  return ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
         ERROR_SUCCESS;
}

constexpr const wchar_t* kOwnerValue = L"ZrTestCadPid";

void WriteOwner(HKEY key) {
  const DWORD pid = ::GetCurrentProcessId();
  ::RegSetValueExW(key, kOwnerValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&pid),
                   sizeof pid);
}

// A ProgID key that a test CAD made and that outlived it (killed before it could clean up) is
// removed; a key without the mark, or of a test CAD still running, is left alone.
void RemoveStale(HKEY root, const std::wstring& key) {
  DWORD pid = 0;
  DWORD size = sizeof pid;
  if (::RegGetValueW(root, key.c_str(), kOwnerValue, RRF_RT_REG_DWORD, nullptr, &pid, &size) !=
      ERROR_SUCCESS) {
    return;
  }
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
  const bool running = process != nullptr && ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  if (process != nullptr) ::CloseHandle(process);
  if (!running) ::RegDeleteTreeW(root, key.c_str());
}

}  // namespace

std::string ClassIdText(const CLSID& clsid) {
  wchar_t text[64] = {};
  ::StringFromGUID2(clsid, text, 64);
  return win32::Narrow(text);
}

bool ProgIdRegistration::Add(HKEY root, const std::wstring& classes, const std::string& progId,
                             const CLSID& clsid, std::string& error) {
  root_ = root;
  key_ = classes + win32::Widen(progId);
  RemoveStale(root_, key_);
  HKEY probe = nullptr;
  created_ = ::RegOpenKeyExW(root_, key_.c_str(), 0, KEY_READ, &probe) != ERROR_SUCCESS;
  if (probe != nullptr) ::RegCloseKey(probe);
  // The classes key stays a stable one (a missing one made volatile would refuse every
  // stable key under it). Keys made below it are volatile: the system drops them at the
  // latest when the user's session ends, and the owner mark lets the next test CAD remove
  // them after a kill.
  HKEY parent = root_;
  LONG rc = ERROR_SUCCESS;
  if (!classes.empty()) {
    const std::wstring path = classes.substr(0, classes.find_last_not_of(L'\\') + 1);
    rc = ::RegCreateKeyExW(root_, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                           &parent, nullptr);
  }
  HKEY progIdKey = nullptr;
  if (rc == ERROR_SUCCESS) {
    rc = ::RegCreateKeyExW(parent, win32::Widen(progId).c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                           KEY_READ | KEY_WRITE, nullptr, &progIdKey, nullptr);
    if (parent != root_) ::RegCloseKey(parent);
  }
  HKEY clsidKey = nullptr;
  if (rc == ERROR_SUCCESS) {
    if (created_) WriteOwner(progIdKey);
    rc = ::RegCreateKeyExW(progIdKey, L"CLSID", 0, nullptr, REG_OPTION_VOLATILE,
                           KEY_READ | KEY_WRITE, nullptr, &clsidKey, nullptr);
    ::RegCloseKey(progIdKey);
  }
  if (rc != ERROR_SUCCESS) {
    error = win32::HResultText(HRESULT_FROM_WIN32(rc));
    if (created_) ::RegDeleteTreeW(root_, key_.c_str());
    key_.clear();
    return false;
  }
  previousClsid_ = ReadDefaultValue(clsidKey);
  hadClsid_ = !previousClsid_.empty();
  const bool ok = WriteDefaultValue(clsidKey, win32::Widen(ClassIdText(clsid)));
  ::RegCloseKey(clsidKey);
  if (!ok) error = "the ProgID's class ID could not be written";
  return ok;
}

void ProgIdRegistration::Remove() {
  if (key_.empty()) return;
  if (created_) {
    ::RegDeleteTreeW(root_, key_.c_str());
  } else {
    HKEY clsidKey = nullptr;
    if (::RegOpenKeyExW(root_, (key_ + L"\\CLSID").c_str(), 0, KEY_WRITE,
                        &clsidKey) == ERROR_SUCCESS) {
      if (hadClsid_) {
        WriteDefaultValue(clsidKey, previousClsid_);
      } else {
        ::RegDeleteValueW(clsidKey, nullptr);
      }
      ::RegCloseKey(clsidKey);
    }
  }
  key_.clear();
}

bool ProgIdRegistrations::Add(const std::string& progId, const CLSID& clsid, std::string& error) {
  if (!user_.Add(HKEY_CURRENT_USER, L"Software\\Classes\\", progId, clsid, error)) return false;
  CLSID found{};
  if (SUCCEEDED(::CLSIDFromProgID(win32::Widen(progId).c_str(), &found)) && found == clsid) {
    return true;
  }
  return machine_.Add(HKEY_CLASSES_ROOT, L"", progId, clsid, error);
}

HRESULT BusyFilter::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IMessageFilter) {
    *object = static_cast<IMessageFilter*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

DWORD BusyFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) {
  if (mode_ == FilterMode::None || ::GetTickCount64() >= refuseUntil_) return SERVERCALL_ISHANDLED;
  if (mode_ == FilterMode::RetryLater) {
    log_.Write("HandleInComingCall -> SERVERCALL_RETRYLATER");
    return SERVERCALL_RETRYLATER;
  }
  log_.Write("HandleInComingCall -> SERVERCALL_REJECTED");
  return SERVERCALL_REJECTED;
}

DWORD BusyFilter::RetryRejectedCall(HTASK, DWORD, DWORD) { return static_cast<DWORD>(-1); }

DWORD BusyFilter::MessagePending(HTASK, DWORD, DWORD) { return PENDINGMSG_WAITDEFPROCESS; }

}  // namespace zr::testcad
