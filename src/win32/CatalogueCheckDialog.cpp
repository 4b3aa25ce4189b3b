// The catalogue check's dialog: a summary line, the list of problems and a close button, laid
// out in 96-dpi pixels scaled to the display, in the palette's dark look, beside the palette
// so that the page a chosen line leads to stays in view.
#include "win32/CatalogueCheckDialog.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <optional>
#include <vector>

#include "win32/DarkButtons.h"
#include "win32/DarkFields.h"
#include "win32/DarkTheme.h"
#include "win32/DisplayScale.h"
#include "win32/PixelLayout.h"
#include "win32/UniqueHandle.h"
#include "win32/WideText.h"

namespace zr::win32 {

struct CatalogueChecks::Run {
  std::mutex mutex;
  HWND notify = nullptr;  // the dialog while it is open
  UINT message = 0;
  std::optional<CheckList> list;
  std::atomic<bool> finished{false};
};

namespace {

constexpr UINT kCheckDone = WM_APP + 1;
constexpr wchar_t kFace[] = L"ＭＳ Ｐゴシック";
constexpr int kFontHeight = 12;
constexpr int kClientWidth = 640;  // 96-dpi pixels
constexpr int kClientHeight = 270;
constexpr RECT kSummary{8, 8, 632, 24};
constexpr RECT kList{8, 28, 632, 230};
constexpr RECT kClose{552, 238, 632, 262};
constexpr wchar_t kHowToChoose[] = L"　(行をダブルクリックするか Enter で、その分類とページを表示します)";

CheckList RunCheck(const std::string& folder) {
  try {
    return CheckCatalogueLines(folder);
  } catch (const std::exception& e) {
    CheckList failed;
    failed.lines.push_back({std::string("検査できませんでした: ") + e.what(), std::nullopt});
    return failed;
  }
}

struct DialogContext {
  int dpi = 96;
  UniqueFont font;
  std::string folder;
  CatalogueChecks* checks = nullptr;
  const std::function<void(const CataloguePlace&)>* choose = nullptr;
  std::shared_ptr<CatalogueChecks::Run> run;
  std::vector<std::optional<CataloguePlace>> places;  // by list line
  int Scale(int v) const { return ::MulDiv(v, dpi, 96); }
  RECT Scale(const RECT& r) const { return {Scale(r.left), Scale(r.top), Scale(r.right), Scale(r.bottom)}; }
};

HWND AddControl(HWND box, const DialogContext& ctx, const wchar_t* className, const wchar_t* text,
                DWORD style, DWORD exStyle, const RECT& r, int id) {
  const RECT s = ctx.Scale(r);
  HWND control = ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, s.left,
                                   s.top, s.right - s.left, s.bottom - s.top, box,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(ctx.font.get()), FALSE);
  return control;
}

LONG Clamp(LONG v, LONG low, LONG high) { return std::max(low, std::min(v, high)); }

LONG Overlap(const RECT& a, const RECT& b) {
  RECT both{};
  return ::IntersectRect(&both, &a, &b) ? (both.right - both.left) * (both.bottom - both.top) : 0;
}

// Beside the palette: right, left, below or above, kept on the work area; the first side that
// hides the least of the palette (none, where the screen has room).
void PlaceBesideOwner(HWND box, HWND owner) {
  RECT o{};
  RECT d{};
  if (owner == nullptr || !::GetWindowRect(owner, &o) || !::GetWindowRect(box, &d)) return;
  const RECT work = MonitorWorkArea(owner);
  const LONG width = d.right - d.left;
  const LONG height = d.bottom - d.top;
  const POINT sides[] = {{o.right, o.top}, {o.left - width, o.top}, {o.left, o.bottom},
                         {o.left, o.top - height}};
  POINT best{d.left, d.top};
  LONG hidden = Overlap(d, o);
  for (const POINT& side : sides) {
    const LONG x = Clamp(side.x, work.left, work.right - width);
    const LONG y = Clamp(side.y, work.top, work.bottom - height);
    const LONG h = Overlap({x, y, x + width, y + height}, o);
    if (h >= hidden) continue;
    best = {x, y};
    hidden = h;
  }
  ::SetWindowPos(box, nullptr, best.x, best.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnInit(HWND box, DialogContext& ctx) {
  ::SetWindowLongPtrW(box, DWLP_USER, reinterpret_cast<LONG_PTR>(&ctx));
  ::SetWindowTextW(box, kCheckCaption);
  theme::ApplyDarkTitleBar(box);
  const HWND owner = ::GetWindow(box, GW_OWNER);
  FitAndCentre(box, ctx.Scale(kClientWidth), ctx.Scale(kClientHeight), ctx.dpi, nullptr, owner);
  PlaceBesideOwner(box, owner);

  AddControl(box, ctx, L"STATIC", kCheckRunning, SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, kSummary,
             kCheckSummaryId);
  const HWND list = AddControl(box, ctx, L"LISTBOX", L"",
                               WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                               WS_EX_CLIENTEDGE, kList, kCheckListId);
  InstallDarkFrame(list);
  const HWND close = AddControl(box, ctx, L"BUTTON", L"閉じる", WS_TABSTOP | BS_OWNERDRAW, 0, kClose,
                                kCheckCloseId);
  InstallHoverTracking(close);
  ::SetFocus(list);
  ctx.run = ctx.checks->Start(ctx.folder, box, kCheckDone);
}

// The lines in the list, scrolled sideways as far as the longest needs.
void OnDone(HWND box, DialogContext& ctx) {
  std::optional<CheckList> list;
  {
    const std::lock_guard lock(ctx.run->mutex);
    list.swap(ctx.run->list);
  }
  if (!list) return;
  const HWND listBox = ::GetDlgItem(box, kCheckListId);
  HDC dc = ::GetDC(listBox);
  const HGDIOBJ oldFont = ::SelectObject(dc, ctx.font.get());
  int widest = 0;
  for (const CheckLine& line : list->lines) {
    const std::wstring text = Widen(line.text);
    ::SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
    ctx.places.push_back(line.place);
  }
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(listBox, dc);
  ::SendMessageW(listBox, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + ctx.Scale(8)), 0);
  ::SendMessageW(listBox, LB_SETCURSEL, 0, 0);
  const std::wstring summary = Widen(list->summary) + kHowToChoose;
  ::SetDlgItemTextW(box, kCheckSummaryId, summary.c_str());
}

// The selected line's place shows in the palette; the keys stay with the list.
void ChooseLine(HWND box, const DialogContext& ctx) {
  const HWND listBox = ::GetDlgItem(box, kCheckListId);
  const LRESULT index = ::SendMessageW(listBox, LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= ctx.places.size()) return;
  const std::optional<CataloguePlace>& place = ctx.places[static_cast<std::size_t>(index)];
  if (!place) return;
  (*ctx.choose)(*place);
  ::SetFocus(listBox);
}

INT_PTR OnCommand(HWND box, DialogContext& ctx, int id, int code) {
  if (id == kCheckCloseId) {
    ::EndDialog(box, IDCANCEL);
  } else if (id == IDOK && ::GetFocus() == ::GetDlgItem(box, kCheckListId)) {
    ChooseLine(box, ctx);  // Enter in the list
  } else if (id == kCheckListId && code == LBN_DBLCLK) {
    ChooseLine(box, ctx);
  }
  return TRUE;
}

INT_PTR CALLBACK CheckProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* ctx = reinterpret_cast<DialogContext*>(::GetWindowLongPtrW(box, DWLP_USER));
  if (message == WM_INITDIALOG) {
    OnInit(box, *reinterpret_cast<DialogContext*>(lParam));
    return FALSE;  // the focus is set
  }
  if (ctx == nullptr) return FALSE;
  switch (message) {
    case kCheckDone:
      OnDone(box, *ctx);
      return TRUE;
    case WM_COMMAND:
      return OnCommand(box, *ctx, LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY:
      if (ctx->run) {
        const std::lock_guard lock(ctx->run->mutex);
        ctx->run->notify = nullptr;  // a check still running keeps its list to itself
      }
      return FALSE;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(theme::Brush(theme::kWindow));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX: {
      const bool label = message == WM_CTLCOLORSTATIC;
      HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetTextColor(dc, theme::kText);
      ::SetBkColor(dc, label ? theme::kWindow : theme::kSurface);
      return reinterpret_cast<INT_PTR>(theme::Brush(label ? theme::kWindow : theme::kSurface));
    }
    case WM_DRAWITEM:
      PaintFlatButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

CatalogueChecks::~CatalogueChecks() {
  for (Worker& w : workers_) w.thread.join();
}

std::shared_ptr<CatalogueChecks::Run> CatalogueChecks::Start(const std::string& folder,
                                                             HWND notify, UINT message) {
  // Checks that ended are joined at once; one still running stays until it ends.
  for (auto it = workers_.begin(); it != workers_.end();) {
    if (!it->run->finished) {
      ++it;
      continue;
    }
    it->thread.join();
    it = workers_.erase(it);
  }
  auto run = std::make_shared<Run>();
  run->notify = notify;
  run->message = message;
  std::thread thread([run, folder] {
    CheckList list = RunCheck(folder);
    const std::lock_guard lock(run->mutex);
    run->list = std::move(list);
    if (run->notify != nullptr) ::PostMessageW(run->notify, run->message, 0, 0);
    run->finished = true;
  });
  workers_.push_back({std::move(thread), run});
  return run;
}

void ShowCatalogueCheckDialog(HWND owner, const std::string& folder, CatalogueChecks& checks,
                              const std::function<void(const CataloguePlace&)>& choose) {
  DialogContext ctx;
  ctx.dpi = WindowDpi(owner);  // the monitor the palette is on
  ctx.font = MakeFont(kFace, ctx.Scale(kFontHeight), false);
  ctx.folder = folder;
  ctx.checks = &checks;
  ctx.choose = &choose;
  const std::vector<WORD> t = EmptyDialogTemplate(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(t.data()),
                            owner, CheckProc, reinterpret_cast<LPARAM>(&ctx));
}

}  // namespace zr::win32
