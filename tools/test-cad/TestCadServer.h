#pragma once
// What makes the test CAD reachable: its ProgID in the registry, its application object in
// the running object table, and a message filter that can refuse calls while it is "busy".
#include <windows.h>
#include <objbase.h>

#include <string>

#include "TestCadLog.h"
#include "TestCadOptions.h"

namespace zr::testcad {

// <root>\<classes>\<ProgID>\CLSID = the class ID. A value that was there before is put back
// on Remove, so a real registration is never lost. Keys it creates are volatile and carry the
// process id, so that a killed test CAD's entry is removed by the next one.
class ProgIdRegistration {
 public:
  ProgIdRegistration() = default;
  ProgIdRegistration(const ProgIdRegistration&) = delete;
  ProgIdRegistration& operator=(const ProgIdRegistration&) = delete;
  ~ProgIdRegistration() { Remove(); }

  // False with the system's text in `error` when the registry cannot be written.
  bool Add(HKEY root, const std::wstring& classes, const std::string& progId, const CLSID& clsid,
           std::string& error);
  void Remove();

 private:
  HKEY root_ = nullptr;
  std::wstring key_;                 // the ProgID's key under the root
  bool created_ = false;             // the ProgID key did not exist before
  bool hadClsid_ = false;
  std::wstring previousClsid_;
};

// Registers the ProgID per user (HKCU\Software\Classes), and also in HKEY_CLASSES_ROOT when
// the system's ProgID lookup does not see the per-user entry (Wine reads only the latter).
class ProgIdRegistrations {
 public:
  bool Add(const std::string& progId, const CLSID& clsid, std::string& error);

 private:
  ProgIdRegistration user_, machine_;
};

// Answers incoming calls with "retry later" or "rejected" for a while after each command,
// as a CAD does while it runs one.
class BusyFilter final : public IMessageFilter {
 public:
  BusyFilter(FilterMode mode, int refuseMs, TestCadLog& log)
      : mode_(mode), refuseMs_(refuseMs), log_(log) {}
  void OnCommand() { refuseUntil_ = ::GetTickCount64() + static_cast<ULONGLONG>(refuseMs_); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }   // lives as long as the program
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override;
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override;
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override;

 private:
  FilterMode mode_;
  int refuseMs_;
  TestCadLog& log_;
  ULONGLONG refuseUntil_ = 0;
};

std::string ClassIdText(const CLSID& clsid);

}  // namespace zr::testcad
