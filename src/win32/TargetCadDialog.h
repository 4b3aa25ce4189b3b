#pragma once
// The target CAD dialog ("ターゲット CAD"): a modal dialog laid out at the palette's 96-dpi
// sizes, showing what the core's TTargetCADForm tells it and forwarding the user's actions.
#include <windows.h>

#include <optional>
#include <string>

#include "cadlink/TargetList.h"
#include "win32/UniqueHandle.h"

namespace zr::win32 {

namespace target_ids {
enum : int {
  kListBox1 = 1001,
  kGroupBox1,
  kLabel1,
  kEdit1,
  kSpeedButton1,  // 追加
  kLabel2,
  kSpeedButton2,  // 削除
  kEdit2,
  kSpeedButton3,  // 変更
  kButton1 = IDOK,
  kButton2 = IDCANCEL,
};
inline constexpr wchar_t kCaption[] = L"ターゲット CAD";
}  // namespace target_ids

class TargetCadDialog final : public cadlink::ITargetCadDialog, public cadlink::ITargetCadView {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }

  // ITargetCadDialog
  std::optional<cadlink::TTargetEntry> ShowModal(cadlink::TTargetCADForm& form,
                                                 const std::string& progId) override;
  // ITargetCadView
  void SetLines(const std::vector<std::string>& lines) override;
  void SetSelection(int index) override;
  std::string FieldText(cadlink::TargetField field) const override;
  void SetFieldText(cadlink::TargetField field, const std::string& text) override;
  void ShowMessage(const std::string& text) override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInit();
  void CreateControls();
  HWND Add(const wchar_t* className, const wchar_t* text, DWORD style, RECT bounds, int id,
           HFONT font, DWORD exStyle = 0);
  void OnCommand(int id, int code);
  int Scale(int value) const { return ::MulDiv(value, dpi_, 96); }
  HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }

  HWND owner_ = nullptr;
  HWND dialog_ = nullptr;
  int dpi_ = 96;
  cadlink::TTargetCADForm* form_ = nullptr;
  std::string progId_;
  std::optional<cadlink::TTargetEntry> result_;
  UniqueFont font11_, font12_, font13_;
};

}  // namespace zr::win32
