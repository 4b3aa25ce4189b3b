// The palette window's creation: its class, the window itself, its fonts and its controls.
#include "win32/PaletteWindow.h"

#include <commctrl.h>

#include <stdexcept>

#include "app/AppTitle.h"
#include "win32/DarkBars.h"
#include "win32/DarkButtons.h"
#include "win32/DarkFields.h"
#include "win32/DarkTheme.h"
#include "win32/DisplayScale.h"
#include "win32/MessageFilter.h"
#include "win32/PaletteControlIds.h"
#include "win32/PixelLayout.h"
#include "win32/WideText.h"

namespace zr::win32 {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                               WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_TOPMOST;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr wchar_t kProportionalFace[] = L"ＭＳ Ｐゴシック";
constexpr wchar_t kFixedFace[] = L"ＭＳ ゴシック";
constexpr int kFontHeight = 12;

std::string ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) throw std::runtime_error("the program's own path is unknown");
    if (n < path.size()) {
      path.resize(n);
      return Narrow(path);
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

void PaletteWindow::Create(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hIconSm = wc.hIcon;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = theme::Brush(theme::kWindow);
  wc.lpszClassName = ids::kPaletteClass;
  if (::RegisterClassExW(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("RegisterClassExW failed");
  }
  RegisterSlotWindowClasses(instance);

  dpi_ = SystemDpi();
  RECT outer{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
  ::AdjustWindowRectExForDpi(&outer, kWindowStyle, FALSE, kWindowExStyle, static_cast<UINT>(dpi_));
  if (::CreateWindowExW(kWindowExStyle, ids::kPaletteClass, Widen(kAppTitle).c_str(),
                        kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                        outer.bottom - outer.top, nullptr, nullptr, instance, this) == nullptr) {
    throw std::runtime_error("the palette window could not be created");
  }
  dpi_ = WindowDpi(hwnd_);  // its monitor's scale may not be the sign-in's
  SetClientSize(hwnd_, Scale(kClientWidth), Scale(kClientHeight), dpi_);
  theme::ApplyDarkTitleBar(hwnd_);
  CreateFonts();
  CreateControls();
  desktop_.SetOwner(hwnd_);
  desktop_.SetPreTranslate([this](const MSG& msg) { return PreTranslateMessage(msg); });
  form_.SetDesktop(desktop_);
  targetDialog_.SetOwner(hwnd_);
  form_.SetTargetCadDialog(targetDialog_);
  form_.FormCreate(ExecutablePath());
  RegisterMessageFilter();
}

// The COM message filter covers every automation call while the palette exists: it is
// created and registered at the end of window creation and revoked at its destruction.
// Every COM call into the CAD while the palette exists is covered by the filter, so a busy CAD
// is retried instead of failing.
void PaletteWindow::RegisterMessageFilter() {
  gbMessageFilter = TMessageFilter::Create();
  gbMessageFilter->RegisterFilter();
}

void PaletteWindow::RevokeMessageFilter() {
  if (!gbMessageFilter) return;
  gbMessageFilter->RevokeFilter();
  gbMessageFilter.Reset();
}

void PaletteWindow::CreateFonts() {
  baseFont_ = MakeFont(kProportionalFace, Scale(kFontHeight), false);
  fixedFont_ = MakeFont(kFixedFace, Scale(kFontHeight), false);
  fixedBoldFont_ = MakeFont(kFixedFace, Scale(kFontHeight), true);
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(baseFont_.get()), FALSE);
}

HWND PaletteWindow::AddControl(DWORD exStyle, const wchar_t* className, const wchar_t* text,
                               DWORD style, const ControlRect& bounds, int id, HFONT font,
                               const char* hint) {
  const RECT r = ScaleRect(bounds);
  HWND control = ::CreateWindowExW(exStyle, className, text, style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)),
                                   nullptr);
  if (control == nullptr) throw std::runtime_error("a control of the palette could not be created");
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  Remember(control, bounds);
  if (hint != nullptr) tips_.Add(control, hint);
  return control;
}

// The paging buttons start disabled; their hints show in either state.
HWND PaletteWindow::AddPagingButton(const wchar_t* caption, const ControlRect& bounds, int id,
                                    const char* hint) {
  HWND button = AddControl(0, WC_BUTTONW, caption, kChild | BS_PUSHBUTTON | BS_OWNERDRAW | WS_DISABLED,
                           bounds, id, fixedBoldFont_.get());
  tips_.AddShownWhenDisabled(button, hint);
  InstallHoverTracking(button);
  return button;
}

void PaletteWindow::CreateControls() {
  tips_.Create(hwnd_, baseFont_.get());
  CreateTopRow();
  CreateSecondRow();
  CreateSlotArea();
  CreateStatusArea();
  CreateSearchField();
}

void PaletteWindow::CreateTopRow() {
  // The box's height counts the opened list of 26 rows; the closed box is as high as its
  // selection field, which is set so that the box is 20 pixels high.
  ControlRect comboBounds = layout::ComboBox1;
  comboBounds.height += kCategoryRows * kFontHeight + 8;
  HWND combo = AddControl(0, WC_COMBOBOXW, L"", kChild | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                          comboBounds, ids::kComboBox1, fixedFont_.get());
  ::SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Scale(layout::ComboBox1.height - 6));
  ::SendMessageW(combo, CB_SETMINVISIBLE, kCategoryRows, 0);
  InstallDarkComboBox(combo);

  HWND upDown = AddControl(0, UPDOWN_CLASSW, L"", kChild | UDS_HORZ | UDS_NOTHOUSANDS,
                           layout::UpDown1, ids::kUpDown1, baseFont_.get(), "分類移動");
  ::SendMessageW(upDown, UDM_SETRANGE32, kUpDownMin, kUpDownMax);
  ::SendMessageW(upDown, UDM_SETPOS32, 0, kUpDownStart);
  InstallDarkUpDown(upDown);

  const DWORD flat = kChild | BS_PUSHBUTTON | BS_OWNERDRAW;
  InstallHoverTracking(AddControl(0, WC_BUTTONW, L"+15", flat, layout::SpeedButton3,
                                  ids::kSpeedButton3, baseFont_.get(), "左回転"));
  InstallHoverTracking(AddControl(0, WC_BUTTONW, L"0", flat, layout::SpeedButton5,
                                  ids::kSpeedButton5, baseFont_.get(), "回転なし"));
  InstallHoverTracking(AddControl(0, WC_BUTTONW, L"-15", flat, layout::SpeedButton4,
                                  ids::kSpeedButton4, baseFont_.get(), "右回転"));
}

void PaletteWindow::CreateSecondRow() {
  InstallDarkFrame(AddControl(WS_EX_CLIENTEDGE, WC_EDITW, L"",
                              kChild | ES_READONLY | ES_AUTOHSCROLL, layout::Edit1, ids::kEdit1,
                              fixedFont_.get(), "名称 （赤:JIS準拠）"));
  InstallDarkFrame(AddControl(0, WC_STATICW, L"", kChild | SS_CENTER | SS_NOTIFY | WS_BORDER,
                              layout::StaticText1, ids::kStaticText1, fixedBoldFont_.get(),
                              "JIS準拠"));
  InstallDarkFrame(AddControl(0, WC_STATICW, L"", kChild | SS_CENTER | SS_NOTIFY | WS_BORDER,
                              layout::StaticText2, ids::kStaticText2, fixedBoldFont_.get(),
                              "国交省標準図準拠"));

  const DWORD flat = kChild | BS_PUSHBUTTON | BS_OWNERDRAW;
  AddPagingButton(L"<", layout::SpeedButton1, ids::kSpeedButton1, "前の一覧へ");
  AddPagingButton(L">", layout::SpeedButton2, ids::kSpeedButton2, "次の一覧へ");
  InstallHoverTracking(AddControl(0, WC_BUTTONW, L"2p", flat, layout::SpeedButton7,
                                  ids::kSpeedButton7, baseFont_.get(), "2点の傾きに合わせる"));
  InstallHoverTracking(AddControl(0, WC_BUTTONW, L"・", flat, layout::SpeedButton6,
                                  ids::kSpeedButton6, baseFont_.get(), "補助基点 表示/非表示"));

  InstallDarkFrame(AddControl(0, WC_STATICW, L"", kChild | SS_LEFTNOWORDWRAP | SS_NOPREFIX |
                                                      SS_SUNKEN | SS_NOTIFY,
                              layout::StaticText3, ids::kStaticText3, fixedFont_.get()));
}

void PaletteWindow::CreateSlotArea() {
  panel1_ = CreatePlainPanel(hwnd_, ids::kPanel1, ScaleRect(layout::Panel1));
  Remember(panel1_, layout::Panel1);
  const RECT picture = ScaleRect(kSlotPictureRect);
  preview_.Attach(
      hwnd_, [this](int k) { return PreviewOfSlot(form_, *this, State(), k); },
      [this] { return !form_.IsInserting(); });
  for (int k = 0; k < kSlotCount; ++k) {
    const auto slot = static_cast<std::size_t>(k);
    PnlAry[slot] = CreateSlotPanel(panel1_, ids::kSlotPanelFirst + k, ScaleRect(SlotPanelRect(k)));
    Remember(PnlAry[slot], SlotPanelRect(k));
    ImgAry[slot].Create(PnlAry[slot], ids::kSlotPictureFirst + k, picture);
    ImgAry[slot].onMouse = [this, k](const SlotPicture::MouseEvent& e) { OnSlotMouse(k, e); };
    tips_.Add(ImgAry[slot].Handle(), "");
    preview_.WatchSlot(ImgAry[slot].Handle(), k);
  }
}

void PaletteWindow::CreateStatusArea() {
  HWND bar = AddControl(0, STATUSCLASSNAMEW, L"",
                        kChild | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                        layout::StatusBar1, ids::kStatusBar1, baseFont_.get());
  SetStatusParts();
  InstallDarkStatusBar(bar, 1u << kStatusBlockNo);

  const DWORD box = kChild | WS_TABSTOP | BS_AUTOCHECKBOX;
  const struct {
    const wchar_t* caption;
    ControlRect bounds;
    int id;
    const char* hint;
  } boxes[] = {{L"1/200", layout::CheckBox1, ids::kCheckBox1, nullptr},
               {L"1/100", layout::CheckBox2, ids::kCheckBox2, nullptr},
               {L"1/50", layout::CheckBox3, ids::kCheckBox3, nullptr},
               {L"None", layout::CheckBox4, ids::kCheckBox4, "尺度無し"}};
  for (const auto& b : boxes) {
    HWND check = AddControl(0, WC_BUTTONW, b.caption, box, b.bounds, b.id, fixedFont_.get(), b.hint);
    InstallDarkCheckBox(check);
    // The check boxes lie over the status bar.
    ::SetWindowPos(check, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  ::SendMessageW(Control(ids::kCheckBox2), BM_SETCHECK, BST_CHECKED, 0);
  SetCheckBoxCaptionColor(Control(ids::kCheckBox2), theme::kRed);
  ::SetWindowPos(panel1_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Both edges are scaled, so that neighbours that touch at 96 dpi still touch (and a picture
// still fits its panel) when the scale rounds.
RECT PaletteWindow::ScaleRect(const ControlRect& r) const {
  return RECT{Scale(r.left), Scale(r.top), Scale(r.left + r.width), Scale(r.top + r.height)};
}

}  // namespace zr::win32
