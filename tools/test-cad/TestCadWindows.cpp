#include "TestCadWindows.h"

#include <set>
#include <string>

#include "cadlink/AutoValue.h"
#include "win32/WideText.h"

namespace zr::testcad {

struct TestCadWindows::WindowData {
  TestCadLog* log;
  const ControlFn* onControl;
  std::string title;
  bool isMain;
  std::string className;
  HWND list = nullptr;
  HWND header = nullptr;
};

namespace {

constexpr int kListId = 100;
constexpr int kHeaderId = 101;
constexpr int kHeaderHeight = 20;  // the title, shown inside: Xvfb draws no window frames
constexpr UINT_PTR kShowLogTimer = 1;
constexpr UINT kShowLogEveryMs = 150;

LRESULT RunControl(const TestCadWindows::WindowData& data, const COPYDATASTRUCT& message) {
  std::string text = CopyDataText(message);
  while (!text.empty() && text.back() == '\0') text.pop_back();
  std::string error = "no control function";
  if (data.onControl != nullptr && *data.onControl) error = (*data.onControl)(text);
  data.log->Write("Control " + cadlink::AutoValue(text).Describe() + " -> " +
                  (error.empty() ? std::string("ok") : "! " + error));
  return error.empty() ? TRUE : FALSE;
}

LRESULT CALLBACK TestCadWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* data = reinterpret_cast<TestCadWindows::WindowData*>(
      ::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (data == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  try {
    switch (message) {
      case WM_COPYDATA:
        if (data->isMain &&
            reinterpret_cast<COPYDATASTRUCT*>(lParam)->dwData == kTestCadControlId) {
          return RunControl(*data, *reinterpret_cast<COPYDATASTRUCT*>(lParam));
        }
        data->log->Write(
            DescribeCopyData(data->title, wParam, *reinterpret_cast<COPYDATASTRUCT*>(lParam)));
        return TRUE;
      case WM_NULL:
        data->log->Write("WM_NULL window=" + cadlink::AutoValue(data->title).Describe());
        return 0;
      case WM_SIZE:
        if (data->list != nullptr) {
          const int height = HIWORD(lParam) > kHeaderHeight ? HIWORD(lParam) - kHeaderHeight : 0;
          ::MoveWindow(data->header, 0, 0, LOWORD(lParam), kHeaderHeight, TRUE);
          ::MoveWindow(data->list, 0, kHeaderHeight, LOWORD(lParam), height, TRUE);
        }
        return 0;
      case WM_TIMER:
        if (wParam == kShowLogTimer) data->log->ShowPending();
        return 0;
      case WM_CLOSE:  // closing any of its windows ends the test CAD
        ::PostQuitMessage(0);
        return 0;
      case WM_DESTROY:
        if (data->isMain) ::PostQuitMessage(0);
        return 0;
      case WM_PAINT:
        if (!data->isMain) {
          // Without a window manager there is no frame: show the title inside.
          PAINTSTRUCT ps;
          HDC dc = ::BeginPaint(window, &ps);
          RECT r{};
          ::GetClientRect(window, &r);
          const std::wstring text = win32::Widen(data->title) + L"\n" +
                                    win32::Widen(cadlink::AutoValue(data->className).Describe());
          ::DrawTextW(dc, text.c_str(), -1, &r, DT_LEFT | DT_TOP | DT_WORDBREAK);
          ::EndPaint(window, &ps);
          return 0;
        }
        break;
      default:
        break;
    }
  } catch (const std::exception&) {
    // A log that cannot be written must not take the window down.
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterClassOnce(HINSTANCE instance, const std::wstring& name) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = TestCadWndProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = name.c_str();
  return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

TestCadWindows::TestCadWindows(const TestCadOptions& options, TestCadLog& log)
    : options_(options), log_(log) {}

TestCadWindows::~TestCadWindows() {
  for (HWND w : extras_) ::DestroyWindow(w);
  if (main_ != nullptr && ::IsWindow(main_)) ::DestroyWindow(main_);
  if (font_ != nullptr) ::DeleteObject(font_);
}

bool TestCadWindows::Create(HINSTANCE instance) {
  const std::wstring mainClass = win32::Widen(options_.mainClass);
  if (!RegisterClassOnce(instance, mainClass)) return false;
  data_.push_back(std::make_unique<WindowData>(
      WindowData{&log_, &onControl_, options_.mainTitle, true, options_.mainClass}));
  main_ = ::CreateWindowExW(0, mainClass.c_str(), win32::Widen(options_.mainTitle).c_str(),
                            WS_OVERLAPPEDWINDOW, options_.x, options_.y, options_.width,
                            options_.height, nullptr, nullptr, instance, data_.back().get());
  if (main_ == nullptr) return false;

  font_ = ::CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック");
  RECT client{};
  ::GetClientRect(main_, &client);
  HWND header = ::CreateWindowExW(0, L"STATIC", win32::Widen(options_.mainTitle).c_str(),
                                  WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE, 0,
                                  0, client.right, kHeaderHeight, main_,
                                  reinterpret_cast<HMENU>(kHeaderId), instance, nullptr);
  ::SendMessageW(header, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  data_.back()->header = header;
  HWND list = ::CreateWindowExW(
      0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT,
      0, kHeaderHeight, client.right, client.bottom - kHeaderHeight, main_,
      reinterpret_cast<HMENU>(kListId), instance, nullptr);
  ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  ::SendMessageW(list, LB_SETHORIZONTALEXTENT, 4000, 0);
  data_.back()->list = list;
  log_.AttachList(list);
  ::SetTimer(main_, kShowLogTimer, kShowLogEveryMs, nullptr);

  int offset = 0;
  for (const ExtraWindow& extra : options_.windows) {
    const std::wstring cls = win32::Widen(extra.className);
    if (!RegisterClassOnce(instance, cls)) return false;
    data_.push_back(
        std::make_unique<WindowData>(
            WindowData{&log_, nullptr, extra.title, false, extra.className}));
    HWND w = ::CreateWindowExW(0, cls.c_str(), win32::Widen(extra.title).c_str(),
                               WS_OVERLAPPEDWINDOW, options_.x + options_.width + 10 + offset,
                               options_.y + offset, 360, 120, nullptr, nullptr, instance,
                               data_.back().get());
    offset += 24;
    if (w == nullptr) return false;
    extras_.push_back(w);
  }

  ::ShowWindow(main_, options_.minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
  if (options_.disabled) ::EnableWindow(main_, FALSE);
  for (std::size_t i = 0; i < extras_.size(); ++i) {
    const ExtraWindow& extra = options_.windows[i];
    ::ShowWindow(extras_[i], extra.minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
    if (extra.disabled) ::EnableWindow(extras_[i], FALSE);
  }
  // Stack the extra windows in the order given, the first on top.
  for (std::size_t i = extras_.size(); i-- > 0;) {
    ::SetWindowPos(extras_[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return true;
}

}  // namespace zr::testcad
