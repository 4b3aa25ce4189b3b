// The About box: a dialog from an in-memory template, laid out in 96-dpi pixels scaled to the
// display, in the palette's dark look.
#include "win32/AboutBox.h"

#include <vector>

#include "win32/DarkButtons.h"
#include "win32/DarkTheme.h"
#include "win32/DisplayScale.h"
#include "win32/PixelLayout.h"
#include "win32/UniqueHandle.h"

namespace zr::win32 {
namespace {

constexpr wchar_t kCaption[] = L"バージョン情報";
constexpr wchar_t kFace[] = L"ＭＳ Ｐゴシック";
constexpr int kFontHeight = 12;
constexpr RECT kFrame{8, 8, 245, 96};    // the framed panel
constexpr POINT kIconAt{16, 18};
constexpr int kIconSize = 36;
constexpr RECT kName{60, 20, 243, 36};
constexpr RECT kVersion{60, 44, 243, 60};
constexpr RECT kOk{89, 104, 164, 129};

struct AboutContext {
  int dpi = 96;
  UniqueFont font;
  UniqueFont boldFont;
  HICON icon = nullptr;
  int Scale(int v) const { return ::MulDiv(v, dpi, 96); }
  RECT Scale(const RECT& r) const { return {Scale(r.left), Scale(r.top), Scale(r.right), Scale(r.bottom)}; }
};

HWND AddStatic(HWND box, const AboutContext& ctx, const wchar_t* text, const RECT& r, int id,
               HFONT font) {
  const RECT s = ctx.Scale(r);
  HWND control = ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                                   s.left, s.top, s.right - s.left, s.bottom - s.top, box,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void OnInit(HWND box, AboutContext& ctx) {
  ::SetWindowLongPtrW(box, DWLP_USER, reinterpret_cast<LONG_PTR>(&ctx));
  ::SetWindowTextW(box, kCaption);
  theme::ApplyDarkTitleBar(box);
  FitAndCentre(box, ctx.Scale(kAboutClientWidth), ctx.Scale(kAboutClientHeight), ctx.dpi, nullptr,
               ::GetWindow(box, GW_OWNER));

  AddStatic(box, ctx, kAboutProductName, kName, kAboutNameId, ctx.boldFont.get());
  AddStatic(box, ctx, kAboutVersion, kVersion, kAboutVersionId, ctx.font.get());
  const RECT ok = ctx.Scale(kOk);
  HWND button = ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
                                  ok.left, ok.top, ok.right - ok.left, ok.bottom - ok.top, box,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAboutOkId)), nullptr,
                                  nullptr);
  ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(ctx.font.get()), FALSE);
  InstallHoverTracking(button);
  ::SendMessageW(box, DM_SETDEFID, kAboutOkId, 0);
  ::SetFocus(button);
}

void OnPaint(HWND box, const AboutContext& ctx) {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(box, &ps);
  const RECT frame = ctx.Scale(kFrame);
  theme::Bevel(dc, frame, theme::kBevelDark, theme::kBevelLight);  // sunken
  const int size = ctx.Scale(kIconSize);
  if (ctx.icon != nullptr) {
    ::DrawIconEx(dc, ctx.Scale(kIconAt.x), ctx.Scale(kIconAt.y), ctx.icon, size, size, 0, nullptr,
                 DI_NORMAL);
  }
  ::EndPaint(box, &ps);
}

INT_PTR CALLBACK AboutProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* ctx = reinterpret_cast<AboutContext*>(::GetWindowLongPtrW(box, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      OnInit(box, *reinterpret_cast<AboutContext*>(lParam));
      return FALSE;  // the focus is set
    case WM_PAINT:
      if (ctx == nullptr) return FALSE;
      OnPaint(box, *ctx);
      return TRUE;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(theme::Brush(theme::kWindow));
    case WM_CTLCOLORSTATIC:
      ::SetTextColor(reinterpret_cast<HDC>(wParam), theme::kText);
      ::SetBkColor(reinterpret_cast<HDC>(wParam), theme::kWindow);
      return reinterpret_cast<INT_PTR>(theme::Brush(theme::kWindow));
    case WM_DRAWITEM:
      PaintFlatButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) ::EndDialog(box, IDOK);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowAboutBox(HWND owner) {
  AboutContext ctx;
  ctx.dpi = WindowDpi(owner);  // the monitor the palette is on
  ctx.font = MakeFont(kFace, ctx.Scale(kFontHeight), false);
  ctx.boldFont = MakeFont(kFace, ctx.Scale(kFontHeight), true);
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const int iconSize = ctx.Scale(kIconSize);
  ctx.icon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, iconSize,
                                             iconSize, LR_DEFAULTCOLOR));
  const std::vector<WORD> t =
      EmptyDialogTemplate(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  ::DialogBoxIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(t.data()), owner,
                            AboutProc, reinterpret_cast<LPARAM>(&ctx));
  if (ctx.icon != nullptr) ::DestroyIcon(ctx.icon);
}

}  // namespace zr::win32
