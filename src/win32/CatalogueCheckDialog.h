#pragma once
// "カタログを検査": the catalogue check's problems listed in a modal dialog over the palette.
// The check runs on a thread of its own, so that a big catalogue never stops the palette's
// windows; a line chosen in the list shows its block's category and page in the palette.
#include <windows.h>

#include <functional>
#include <list>
#include <memory>
#include <string>
#include <thread>

#include "app/CataloguePlace.h"

namespace zr::win32 {

inline constexpr wchar_t kCheckCaption[] = L"カタログを検査";
inline constexpr wchar_t kCheckRunning[] = L"検査しています…";
inline constexpr int kCheckSummaryId = 1201;
inline constexpr int kCheckListId = 1202;
inline constexpr int kCheckCloseId = IDCANCEL;  // "閉じる", also Esc and the close box

// The checks the palette's dialogs started. A check outlives a dialog closed before it ends;
// the palette waits for such a check only when it goes away itself.
class CatalogueChecks {
 public:
  struct Run;  // the state a check shares with its dialog

  CatalogueChecks() = default;
  CatalogueChecks(const CatalogueChecks&) = delete;
  CatalogueChecks& operator=(const CatalogueChecks&) = delete;
  ~CatalogueChecks();

  // Starts the check of `folder`; `message` is posted to `notify` when its list is ready.
  std::shared_ptr<Run> Start(const std::string& folder, HWND notify, UINT message);

 private:
  struct Worker {
    std::thread thread;
    std::shared_ptr<Run> run;
  };
  std::list<Worker> workers_;
};

// Shows the dialog until the user closes it; `choose` gets the place of each line chosen.
void ShowCatalogueCheckDialog(HWND owner, const std::string& folder, CatalogueChecks& checks,
                              const std::function<void(const CataloguePlace&)>& choose);

}  // namespace zr::win32
