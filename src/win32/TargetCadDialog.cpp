#include "win32/TargetCadDialog.h"

#include <commctrl.h>
#include <imm.h>

#include <stdexcept>
#include <vector>

#include "cadlink/Desktop.h"
#include "win32/DarkButtons.h"
#include "win32/DarkFields.h"
#include "win32/DarkTheme.h"
#include "win32/DisplayScale.h"
#include "win32/ErrorReport.h"
#include "win32/PixelLayout.h"
#include "win32/WideText.h"
#include "win32/WindowText.h"

namespace zr::win32 {
namespace {

namespace ids = target_ids;
constexpr int kClientWidth = 315;
constexpr int kClientHeight = 307;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr RECT kGroupBox1{8, 151, 8 + 297, 151 + 105};

// A rectangle from left, top, width, height; positions inside the frame are offset by it.
RECT Box(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }
RECT InFrame(int left, int top, int width, int height) {
  return Box(kGroupBox1.left + left, kGroupBox1.top + top, width, height);
}

}  // namespace

std::optional<cadlink::TTargetEntry> TargetCadDialog::ShowModal(cadlink::TTargetCADForm& form,
                                                                const std::string& progId) {
  form_ = &form;
  progId_ = progId;
  result_.reset();
  std::vector<WORD> dialogTemplate = EmptyDialogTemplate(kDialogStyle);
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const INT_PTR r = ::DialogBoxIndirectParamW(
      instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner_, DialogProc,
      reinterpret_cast<LPARAM>(this));
  form.SetView(nullptr);
  form_ = nullptr;
  dialog_ = nullptr;
  if (r == -1) throw std::runtime_error("the target CAD dialog could not be shown");
  return r == IDOK ? result_ : std::nullopt;
}

INT_PTR CALLBACK TargetCadDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TargetCadDialog*>(lParam);
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    self->dialog_ = dialog;
  }
  auto* self = reinterpret_cast<TargetCadDialog*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  return self != nullptr ? self->OnMessage(message, wParam, lParam) : FALSE;
}

INT_PTR TargetCadDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Guarded(dialog_, [&] { OnInit(); });
      return FALSE;  // the focus was set to the list
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_DESTROY:  // the fields still exist; their texts outlive the window in the core
      Guarded(dialog_, [&] { form_->FormClose(); });
      return FALSE;
    case WM_DRAWITEM:
      PaintFlatButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(theme::Brush(theme::kWindow));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      const bool label = message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN;
      ::SetTextColor(dc, theme::kText);
      ::SetBkColor(dc, label ? theme::kWindow : theme::kSurface);
      return reinterpret_cast<INT_PTR>(theme::Brush(label ? theme::kWindow : theme::kSurface));
    }
    default:
      return FALSE;
  }
}

void TargetCadDialog::OnInit() {
  // Laid out for the monitor of the palette, on which it is centred.
  dpi_ = WindowDpi(owner_ != nullptr ? owner_ : dialog_);
  ::SetWindowTextW(dialog_, ids::kCaption);
  theme::ApplyDarkTitleBar(dialog_);
  font11_ = MakeFont(L"Tahoma", Scale(11), false, DEFAULT_CHARSET);
  font12_ = MakeFont(L"Tahoma", Scale(12), false, DEFAULT_CHARSET);
  font13_ = MakeFont(L"Tahoma", Scale(13), false, DEFAULT_CHARSET);
  ::SendMessageW(dialog_, WM_SETFONT, reinterpret_cast<WPARAM>(font11_.get()), FALSE);
  CreateControls();

  // Client area at its size, the dialog centred on the palette's monitor and above the
  // palette, which stays on top of every window.
  FitAndCentre(dialog_, Scale(kClientWidth), Scale(kClientHeight), dpi_, HWND_TOPMOST, owner_);

  form_->SetView(this);
  form_->FormShow(progId_);
  ::SetFocus(Item(ids::kListBox1));
}

// Creation order gives the tab order: list, OK, cancel, name field, ProgID field.
void TargetCadDialog::CreateControls() {
  Add(WC_BUTTONW, L"", BS_GROUPBOX, kGroupBox1, ids::kGroupBox1, font11_.get());
  Add(WC_STATICW, L"名称 （説明）", SS_NOPREFIX, InFrame(16, 3, 190, 16), ids::kLabel1, font12_.get());
  Add(WC_STATICW, L"ProgID （クラス文字列）", SS_NOPREFIX, InFrame(16, 53, 190, 16), ids::kLabel2,
      font12_.get());
  InstallDarkFrame(Add(WC_LISTBOXW, L"", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS,
                       Box(8, 8, 297, 137), ids::kListBox1, font13_.get(), WS_EX_CLIENTEDGE));
  const DWORD flat = BS_PUSHBUTTON | BS_OWNERDRAW;
  InstallHoverTracking(Add(WC_BUTTONW, L"OK", flat | WS_TABSTOP, Box(80, 271, 75, 25), ids::kButton1,
                           font11_.get()));
  InstallHoverTracking(Add(WC_BUTTONW, L"取り消し", flat | WS_TABSTOP, Box(161, 271, 88, 25),
                           ids::kButton2, font11_.get()));
  for (const auto& [id, bounds] : {std::pair{ids::kEdit1, InFrame(16, 23, 198, 24)},
                                   std::pair{ids::kEdit2, InFrame(16, 73, 198, 24)}}) {
    HWND field = Add(WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, bounds, id, font13_.get(),
                     WS_EX_CLIENTEDGE);
    InstallDarkFrame(field);
    ::ImmAssociateContext(field, nullptr);  // no input-method editor: ProgIDs are ASCII
    ::SetWindowSubclass(field, FieldProc, 1, reinterpret_cast<DWORD_PTR>(this));
  }
  InstallHoverTracking(Add(WC_BUTTONW, L"追加", flat, InFrame(220, 21, 71, 22), ids::kSpeedButton1,
                           font11_.get()));
  InstallHoverTracking(Add(WC_BUTTONW, L"削除", flat, InFrame(220, 49, 71, 22), ids::kSpeedButton2,
                           font11_.get()));
  InstallHoverTracking(Add(WC_BUTTONW, L"変更", flat, InFrame(220, 77, 71, 22), ids::kSpeedButton3,
                           font11_.get()));
}

HWND TargetCadDialog::Add(const wchar_t* className, const wchar_t* text, DWORD style, RECT b,
                          int id, HFONT font, DWORD exStyle) {
  HWND control = ::CreateWindowExW(
      exStyle, className, text, kChild | style, Scale(b.left), Scale(b.top),
      Scale(b.right - b.left), Scale(b.bottom - b.top), dialog_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  if (control == nullptr) throw std::runtime_error("a control of the target CAD dialog could not be created");
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

// Enter in either field changes the selected line instead of closing the dialog.
LRESULT CALLBACK TargetCadDialog::FieldProc(HWND field, UINT message, WPARAM wParam,
                                            LPARAM lParam, UINT_PTR /*id*/, DWORD_PTR self) {
  auto* dialog = reinterpret_cast<TargetCadDialog*>(self);
  if (message == WM_GETDLGCODE && lParam != 0 &&
      reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN && wParam == VK_RETURN) {
    return DLGC_WANTALLKEYS;
  }
  if (message == WM_CHAR && dialog->form_ != nullptr) {
    bool swallowed = false;
    Guarded(dialog->dialog_, [&] { swallowed = dialog->form_->Edit1KeyPress(static_cast<char32_t>(wParam)); });
    if (swallowed) return 0;
  }
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(field, FieldProc, 1);
  return ::DefSubclassProc(field, message, wParam, lParam);
}

void TargetCadDialog::OnCommand(int id, int code) {
  switch (id) {
    case ids::kButton1:
      // A blank ProgID keeps the dialog open: the core has said why.
      Guarded(dialog_, [&] { result_ = form_->Button1Click(); });
      if (result_) ::EndDialog(dialog_, IDOK);
      break;
    case ids::kButton2:
      ::EndDialog(dialog_, IDCANCEL);
      break;
    case ids::kListBox1:
      if (code == LBN_SELCHANGE) {
        const int index = static_cast<int>(::SendMessageW(Item(id), LB_GETCURSEL, 0, 0));
        Guarded(dialog_, [&] { form_->ListBox1Click(index); });
      }
      break;
    case ids::kSpeedButton1:
      if (code == BN_CLICKED) Guarded(dialog_, [&] { form_->SpeedButton1Click(); });
      break;
    case ids::kSpeedButton2:
      if (code == BN_CLICKED) Guarded(dialog_, [&] { form_->SpeedButton2Click(); });
      break;
    case ids::kSpeedButton3:
      if (code == BN_CLICKED) Guarded(dialog_, [&] { form_->SpeedButton3Click(); });
      break;
    default:
      break;
  }
}

void TargetCadDialog::SetLines(const std::vector<std::string>& lines) {
  HWND list = Item(ids::kListBox1);
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& line : lines) {
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
  }
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
}

void TargetCadDialog::SetSelection(int index) {
  ::SendMessageW(Item(ids::kListBox1), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string TargetCadDialog::FieldText(cadlink::TargetField field) const {
  return WindowText(Item(field == cadlink::TargetField::Name ? ids::kEdit1 : ids::kEdit2));
}

void TargetCadDialog::SetFieldText(cadlink::TargetField field, const std::string& text) {
  ::SetWindowTextW(Item(field == cadlink::TargetField::Name ? ids::kEdit1 : ids::kEdit2),
                   Widen(text).c_str());
}

void TargetCadDialog::ShowMessage(const std::string& text) {
  ShowNotice(dialog_, text);
}

}  // namespace zr::win32
