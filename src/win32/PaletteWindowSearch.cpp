// The palette window's side of the search: the field over the information line, its keys,
// the entry of the window menu, and the category box's text while results are shown.
#include "win32/PaletteWindow.h"

#include <commctrl.h>

#include "win32/ErrorReport.h"
#include "win32/PaletteControlIds.h"
#include "win32/WideText.h"

namespace zr::win32 {
namespace {

constexpr wchar_t kSearchMenuText[] = L"ブロックを検索\tCtrl+F";

bool ControlKeyDown() { return ::GetKeyState(VK_CONTROL) < 0; }

}  // namespace

// Mouse users find the search in the window menu; the layout keeps no room for a button.
void PaletteWindow::CreateSearchField() {
  search_.Create(hwnd_, ids::kSearchField, Control(ids::kStaticText3));
  tips_.Add(search_.Handle(), "番号・名称・コメントで検索\r複数の語はすべてを含むもの\rEsc: 元の分類に戻る");
  search_.onChanged = [this](const std::string& text) {
    Guarded(hwnd_, [&] { form_.SearchChanged(text); });
  };
  HMENU menu = ::GetSystemMenu(hwnd_, FALSE);
  if (menu == nullptr) return;
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, ids::kSearchMenuCommand, kSearchMenuText);
}

void PaletteWindow::OnSearchMenu() {
  Guarded(hwnd_, [&] { form_.SearchOpen(); });
}

bool PaletteWindow::PreTranslateSearchKey(const MSG& msg) {
  // With no control focused the keys come as system keys, to the active palette itself.
  const bool altHeld = (msg.lParam & (1 << 29)) != 0;
  const bool key = msg.message == WM_KEYDOWN || (msg.message == WM_SYSKEYDOWN && !altHeld);
  if (!key || hwnd_ == nullptr) return false;
  if (msg.hwnd != hwnd_ && ::IsChild(hwnd_, msg.hwnd) == FALSE) return false;
  const bool inField = msg.hwnd == search_.Handle();
  switch (msg.wParam) {
    case 'F':
      if (!ControlKeyDown() || altHeld) return false;
      OnSearchMenu();
      return true;
    case VK_ESCAPE: {
      // An opened category list closes first, as it always did.
      const bool dropped =
          ::SendMessageW(Control(ids::kComboBox1), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
      if (dropped || (!search_.Shown() && !form_.SearchResultsShown())) return false;
      Guarded(hwnd_, [&] { form_.SearchEscape(); });
      return true;
    }
    case VK_RETURN:
      if (!inField) return false;
      search_.Flush();
      return true;
    case VK_NEXT:
    case VK_PRIOR:
      if (!inField) return false;
      search_.Flush();
      Guarded(hwnd_, [&] {
        if (msg.wParam == VK_NEXT) {
          form_.SpeedButton2Click();
        } else {
          form_.SpeedButton1Click();
        }
      });
      return true;
    default:
      return false;
  }
}

void PaletteWindow::ShowCategoryBoxText(const std::string& text) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!::GetComboBoxInfo(Control(ids::kComboBox1), &info) || info.hwndItem == nullptr) return;
  // The box's own field, so that its list keeps the selected category.
  quietCategoryText_ = true;
  ::SetWindowTextW(info.hwndItem, Widen(text).c_str());
  quietCategoryText_ = false;
}

void PaletteWindow::ShowSearchField(bool shown) {
  if (shown) {
    search_.Show();
  } else {
    search_.Hide();
  }
}

bool PaletteWindow::SearchFieldShown() const { return search_.Shown(); }

}  // namespace zr::win32
