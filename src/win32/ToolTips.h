#pragma once
// The palette's hints: one tooltip control serving every control that has a hint. Hints may
// have several lines; a "\r" in the text breaks the line.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace zr::win32 {

class ToolTips {
 public:
  ToolTips() = default;
  ToolTips(const ToolTips&) = delete;
  ToolTips& operator=(const ToolTips&) = delete;

  // Creates the tooltip window for controls of `owner`, in the given font, at the owner's scale.
  void Create(HWND owner, HFONT font);
  // The owner is laid out at `dpi` now: hints take the new font and a width of that scale.
  void SetScale(int dpi, HFONT font);
  HWND Handle() const { return tip_; }
  // Shows `hint` (UTF-8) when the mouse rests on `control`; an empty hint shows nothing.
  void Add(HWND control, const std::string& hint);
  // The same for a control that may be disabled: the hint shows over it then as well (the
  // owner receives the mouse while its control is disabled).
  void AddShownWhenDisabled(HWND control, const std::string& hint);
  void SetHint(HWND control, const std::string& hint);
  // The controls whose hints show while disabled moved: their areas follow them.
  void MoveDisabledTools();

 private:
  TOOLINFOW Info(HWND control, std::wstring& text) const;

  HWND owner_ = nullptr;
  HWND tip_ = nullptr;
  std::vector<HWND> shownWhenDisabled_;
};

// The hint's text for the tooltip: every line break as CR LF.
std::wstring HintText(const std::string& hint);

}  // namespace zr::win32
