#pragma once
// The palette's search field: a one-line edit laid over the information line and hidden
// until the user searches, so that the window looks and behaves as before while nobody does.
// It reports its text once per input burst: each change restarts a short timer, and the
// system delivers a timer only once the input already queued has been handled.
#include <windows.h>

#include <functional>
#include <string>

namespace zr::win32 {

class SearchField {
 public:
  SearchField() = default;
  SearchField(const SearchField&) = delete;
  SearchField& operator=(const SearchField&) = delete;

  // Creates the field hidden, for `cover` (the control it stands in for while shown), whose
  // place and font it takes each time it is shown; at most kMaxQueryLength characters.
  void Create(HWND parent, int id, HWND cover);
  HWND Handle() const { return edit_; }
  bool Shown() const {
    return edit_ != nullptr && (::GetWindowLongPtrW(edit_, GWL_STYLE) & WS_VISIBLE) != 0;
  }

  // Shows the field in place of the cover, with the focus and its text selected.
  void Show();
  // Hides it, empties it without reporting, and shows the cover again.
  void Hide();
  // The edit's EN_CHANGE: the text is reported once the burst of input is over.
  void OnEditChange();
  // Reports a pending change now (Enter).
  void Flush();
  // A change waits for the end of its burst to be reported.
  bool Pending() const { return pending_; }
  // Takes the cover's place and font as they are now (after a change of display scale).
  void PlaceOverCover();

  std::function<void(const std::string& text)> onChanged;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR id, DWORD_PTR self);
  void Report();

  HWND edit_ = nullptr;
  HWND cover_ = nullptr;
  bool quiet_ = false;    // changes made by the program itself are not reported
  bool pending_ = false;  // a change waits for the end of its burst
};

}  // namespace zr::win32
