#include "PaletteDriver.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "RealInput.h"
#include "TestWaits.h"
#include "win32/BoundedWait.h"

namespace zr::test {
namespace {

using namespace std::chrono_literals;

constexpr UINT kSendTimeoutMs = 5000;

// A block of memory inside another process, for messages that carry pointers.
class RemoteBlock {
 public:
  RemoteBlock(HANDLE process, std::size_t size)
      : process_(process),
        base_(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  ~RemoteBlock() {
    if (base_ != nullptr) ::VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
  }

  bool Valid() const { return base_ != nullptr; }
  char* At(std::size_t offset) const { return static_cast<char*>(base_) + offset; }
  bool Write(std::size_t offset, const void* data, std::size_t size) const {
    SIZE_T done = 0;
    return ::WriteProcessMemory(process_, At(offset), data, size, &done) != FALSE && done == size;
  }
  bool Read(std::size_t offset, void* data, std::size_t size) const {
    SIZE_T done = 0;
    return ::ReadProcessMemory(process_, At(offset), data, size, &done) != FALSE && done == size;
  }

 private:
  HANDLE process_;
  void* base_;
};

// A top-level window of the process with the class name (and visible, when asked).
struct FindContext {
  DWORD processId;
  const wchar_t* className;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM param) {
  auto* context = reinterpret_cast<FindContext*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  if (pid == context->processId && std::wcscmp(className, context->className) == 0 &&
      (!context->visibleOnly || ::IsWindowVisible(window))) {
    context->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindTopLevel(DWORD processId, const wchar_t* className, bool visibleOnly) {
  FindContext context{processId, className, visibleOnly, nullptr};
  ::EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&context));
  return context.found;
}

struct TipContext {
  DWORD processId;
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindToolTip(HWND window, LPARAM param) {
  auto* context = reinterpret_cast<TipContext*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  if (pid == context->processId && std::wcscmp(className, TOOLTIPS_CLASSW) == 0 &&
      ::GetWindow(window, GW_OWNER) == context->owner) {
    context->found = window;
    return FALSE;
  }
  return TRUE;
}

bool WriteBmp(const std::wstring& path, int width, int height, const std::vector<char>& rows) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(rows.size());
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
  return static_cast<bool>(out);
}

}  // namespace

PaletteDriver::~PaletteDriver() {
  if (process_.hProcess == nullptr) return;
  if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) Close(3000ms);
  if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(process_.hProcess, 1);
    ::WaitForSingleObject(process_.hProcess, 5000);
  }
  ::CloseHandle(process_.hThread);
  ::CloseHandle(process_.hProcess);
}

bool PaletteDriver::Launch(const std::wstring& exePath) {
  const std::wstring folder = std::filesystem::path(exePath).parent_path().wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  // Under Wine a start right after the copy of the program (or under heavy load) has been seen
  // to fail once: the start is tried again until it succeeds, for ten seconds at most, and
  // every failure is reported.
  int failures = 0;
  DWORD lastError = 0;
  const bool started = win32::testing::WaitUntil(
      [&] {
        std::wstring commandLine = L"\"" + exePath + L"\"";
        launchTime_ = Clock::now();
        if (::CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, folder.c_str(), &startup, &process_) != FALSE) {
          return true;
        }
        ++failures;
        lastError = ::GetLastError();
        return false;
      },
      10s, 50ms);
  if (failures > 0) {
    std::fprintf(stderr, "palette start failed %d time(s), last error %lu%s\n", failures,
                 static_cast<unsigned long>(lastError), started ? "; then it started" : "");
  }
  return started;
}

bool PaletteDriver::WaitUntil(const std::function<bool()>& done,
                              std::chrono::milliseconds timeout) {
  return win32::testing::WaitUntil(done, timeout);
}

bool PaletteDriver::WaitPainted(HWND window, std::chrono::milliseconds timeout) {
  const auto nothingToPaint = [](HWND w, LPARAM pending) -> BOOL {
    if (::GetUpdateRect(w, nullptr, FALSE) != FALSE) *reinterpret_cast<bool*>(pending) = true;
    return TRUE;
  };
  return WaitUntil(
      [&] {
        // A message answered means the window's thread has run its queue since the last look;
        // paint messages come only when nothing else is queued.
        DWORD_PTR answer = 0;
        if (::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) == 0) {
          return false;
        }
        bool pending = false;
        nothingToPaint(window, reinterpret_cast<LPARAM>(&pending));
        ::EnumChildWindows(window, nothingToPaint, reinterpret_cast<LPARAM>(&pending));
        return !pending;
      },
      timeout);
}

bool PaletteDriver::WaitForWindow(std::chrono::milliseconds timeout) {
  return WaitUntil(
      [&] {
        window_ = FindTopLevel(process_.dwProcessId, win32::ids::kPaletteClass, false);
        return window_ != nullptr;
      },
      timeout);
}

int PaletteDriver::Close(std::chrono::milliseconds timeout) {
  if (window_ != nullptr) ::PostMessageW(window_, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return -1;
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process_.hProcess, &code);
  return static_cast<int>(code);
}

HWND PaletteDriver::SlotPanel(int slot) const {
  return ::GetDlgItem(Control(win32::ids::kPanel1), win32::ids::kSlotPanelFirst + slot);
}

HWND PaletteDriver::SlotPicture(int slot) const {
  return ::GetDlgItem(SlotPanel(slot), win32::ids::kSlotPictureFirst + slot);
}

LRESULT PaletteDriver::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

std::wstring PaletteDriver::Text(HWND control) const {
  const auto length = static_cast<std::size_t>(Send(control, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  const auto copied = static_cast<std::size_t>(
      Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(copied);
  return text;
}

std::wstring PaletteDriver::StatusText(int panel) const {
  HWND bar = Control(win32::ids::kStatusBar1);
  const auto length = static_cast<std::size_t>(LOWORD(Send(bar, SB_GETTEXTLENGTHW, panel, 0)));
  RemoteBlock block(process_.hProcess, (length + 1) * sizeof(wchar_t));
  if (!block.Valid()) return L"<no remote memory>";
  Send(bar, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(block.At(0)));
  std::wstring text(length, L'\0');
  if (length > 0 && !block.Read(0, text.data(), length * sizeof(wchar_t))) return L"<unreadable>";
  return text;
}

int PaletteDriver::CategoryCount() const {
  return static_cast<int>(Send(Control(win32::ids::kComboBox1), CB_GETCOUNT, 0, 0));
}

int PaletteDriver::CategoryIndex() const {
  return static_cast<int>(Send(Control(win32::ids::kComboBox1), CB_GETCURSEL, 0, 0));
}

std::wstring PaletteDriver::CategoryAt(int index) const {
  // The system carries this message's text across processes itself.
  HWND combo = Control(win32::ids::kComboBox1);
  const LRESULT length = Send(combo, CB_GETLBTEXTLEN, index, 0);
  if (length < 0) return L"<none>";
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = Send(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
  return text;
}

std::wstring PaletteDriver::Hint(HWND control) const {
  TipContext context{process_.dwProcessId, window_, nullptr};
  ::EnumWindows(FindToolTip, reinterpret_cast<LPARAM>(&context));
  if (context.found == nullptr) return L"<no tooltip window>";
  constexpr std::size_t kChars = 1024;
  RemoteBlock block(process_.hProcess, sizeof(TOOLINFOW) + kChars * sizeof(wchar_t));
  if (!block.Valid()) return L"<no remote memory>";
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.hwnd = window_;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = reinterpret_cast<wchar_t*>(block.At(sizeof info));
  const wchar_t empty = L'\0';
  block.Write(0, &info, sizeof info);
  block.Write(sizeof info, &empty, sizeof empty);
  Send(context.found, TTM_GETTEXTW, kChars, reinterpret_cast<LPARAM>(block.At(0)));
  std::wstring text(kChars, L'\0');
  block.Read(sizeof info, text.data(), kChars * sizeof(wchar_t));
  text.resize(std::wcslen(text.c_str()));
  return text;
}

HWND PaletteDriver::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (::GetGUIThreadInfo(process_.dwThreadId, &info) == FALSE) return nullptr;
  return info.hwndFocus;
}

RECT PaletteDriver::PlaceOf(HWND control, HWND parent) const {
  RECT r{};
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, parent != nullptr ? parent : window_, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void PaletteDriver::ChooseCategory(int index) const {
  HWND combo = Control(win32::ids::kComboBox1);
  Send(combo, CB_SETCURSEL, index, 0);
  Send(window_, WM_COMMAND, MAKEWPARAM(win32::ids::kComboBox1, CBN_SELCHANGE),
       reinterpret_cast<LPARAM>(combo));
}

void PaletteDriver::Type(wchar_t character) const {
  HWND combo = Control(win32::ids::kComboBox1);
  Send(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));  // as on entering the box: all selected
  HWND edit = ::FindWindowExW(combo, nullptr, L"Edit", nullptr);
  Send(edit, WM_CHAR, character, 1);
}

void PaletteDriver::ClickUpDown(bool next) const {
  HWND upDown = Control(win32::ids::kUpDown1);
  RECT client{};
  ::GetClientRect(upDown, &client);
  const int x = next ? client.right * 3 / 4 : client.right / 4;
  const LPARAM at = MAKELPARAM(x, client.bottom / 2);
  Send(upDown, WM_LBUTTONDOWN, MK_LBUTTON, at);
  Send(upDown, WM_LBUTTONUP, 0, at);
}

void PaletteDriver::Click(int buttonId) const { Send(Control(buttonId), BM_CLICK, 0, 0); }

void PaletteDriver::Wheel(int clientX, int clientY, int delta) const {
  POINT p{clientX, clientY};
  ::ClientToScreen(window_, &p);
  HWND target = Focus() != nullptr ? Focus() : window_;
  ::PostMessageW(target, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                 MAKELPARAM(p.x, p.y));
}

namespace {

// The screen's pixels in the rectangle as bottom-up 24-bit rows.
std::vector<char> GrabScreen(const RECT& r, std::size_t& stride) {
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  std::vector<char> rows(stride * static_cast<std::size_t>(height));
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) {
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    std::memcpy(rows.data(), bits, rows.size());
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
  }
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return rows;
}

}  // namespace

bool PaletteDriver::SaveScreenshot(const std::wstring& path, const RECT& screenRect) {
  std::size_t stride = 0;
  const std::vector<char> rows = GrabScreen(screenRect, stride);
  return WriteBmp(path, screenRect.right - screenRect.left, screenRect.bottom - screenRect.top,
                  rows);
}

bool PaletteDriver::SaveScreenshot(const std::wstring& path) const {
  RECT client{};
  ::GetClientRect(window_, &client);
  ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return SaveScreenshot(path, client);
}

bool PaletteDriver::SaveScreenshotWith(HWND other, const std::wstring& path) const {
  if (!WaitPainted(other, kActionTimeout)) return false;
  RECT shot{};
  RECT r{};
  ::GetWindowRect(window_, &shot);
  ::GetWindowRect(other, &r);
  ::UnionRect(&shot, &shot, &r);
  return SaveScreenshot(path, shot);
}

int PaletteDriver::LitPixels(HWND control) {
  RECT r{};
  ::GetWindowRect(control, &r);
  std::size_t stride = 0;
  const std::vector<char> rows = GrabScreen(r, stride);
  int lit = 0;
  for (int y = 0; y < r.bottom - r.top; ++y) {
    const char* row = rows.data() + stride * static_cast<std::size_t>(y);
    for (int x = 0; x < r.right - r.left; ++x) {
      const char* p = row + 3 * x;
      if (p[0] != 0 || p[1] != 0 || p[2] != 0) ++lit;
    }
  }
  return lit;
}

HWND PaletteDriver::CategoryList() const {
  return FindTopLevel(process_.dwProcessId, L"ComboLBox", true);
}

bool PaletteDriver::Kill() {
  ::TerminateProcess(process_.hProcess, 1);
  return ::WaitForSingleObject(process_.hProcess, kSendTimeoutMs) == WAIT_OBJECT_0;
}

std::string PaletteDriver::InputState() const {
  const auto name = [](HWND window) {
    if (window == nullptr) return std::string("none");
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    char text[160];
    std::snprintf(text, sizeof text, "%p %ls pid %lu", static_cast<void*>(window), className,
                  static_cast<unsigned long>(pid));
    return std::string(text);
  };
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(Window(), nullptr), &info);
  return "foreground " + name(::GetForegroundWindow()) + "; palette " + name(Window()) +
         ": active " + name(info.hwndActive) + ", focus " + name(info.hwndFocus) + ", capture " +
         name(info.hwndCapture) + ", menu owner " + name(info.hwndMenuOwner) + ", flags " +
         std::to_string(info.flags);
}

bool PaletteDriver::MenuLoopEnded() const {
  // The menu windows go before the palette's menu loop returns; a right click in between is
  // taken by the ending loop and opens nothing.
  const DWORD thread = ::GetWindowThreadProcessId(Window(), nullptr);
  return WaitUntil(
      [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return ::GetGUIThreadInfo(thread, &info) &&
               (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) == 0;
      },
      kActionTimeout);
}

HWND PaletteDriver::OpenContextMenu(HWND control) const {
  if (!MenuLoopEnded()) {
    std::fprintf(stderr, "context menu: the palette's last menu loop did not end (%s)\n",
                 InputState().c_str());
    return nullptr;
  }
  ClickAt(PointIn(control), true);
  MovePointerAway();
  HWND menu = nullptr;
  WaitUntil([&] { return (menu = ProcessWindow(kMenuClass)) != nullptr; }, kActionTimeout);
  if (menu == nullptr) {
    std::fprintf(stderr, "context menu: no menu window after the right click (%s)\n",
                 InputState().c_str());
    return nullptr;
  }
  // A message to the menu window is answered only once the menu loop reads the queue.
  DWORD_PTR answer = 0;
  if (::SendMessageTimeoutW(menu, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &answer) == 0) {
    std::fprintf(stderr, "context menu: its menu loop does not answer\n");
    return nullptr;
  }
  // The palette reads the system's report of the pointer's move onto the click point late,
  // after the menu opened: it then lies on the menu's corner and clears the keyboard's
  // selection. The system's pointer position shows that report until it is read back from
  // the display after a tenth of a second without moves; keys go in once it rests away.
  const POINT away = AwayPoint();
  auto restingSince = Clock::now();
  const bool rests = WaitUntil(
      [&] {
        POINT p{};
        ::GetCursorPos(&p);
        if (p.x != away.x || p.y != away.y) restingSince = Clock::now();
        return Clock::now() - restingSince >= std::chrono::milliseconds(150);
      },
      kActionTimeout);
  if (!rests) std::fprintf(stderr, "context menu: the pointer does not rest away\n");
  return rests ? menu : nullptr;
}

bool PaletteDriver::OpenSubmenu() const {
  struct Count {
    DWORD processId;
    int visible;
  } count{process_.dwProcessId, 0};
  const auto visibleMenus = [&] {
    count.visible = 0;
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
          auto* c = reinterpret_cast<Count*>(param);
          DWORD pid = 0;
          ::GetWindowThreadProcessId(window, &pid);
          wchar_t className[64] = {};
          ::GetClassNameW(window, className, 64);
          if (pid == c->processId && std::wcscmp(className, kMenuClass) == 0 &&
              ::IsWindowVisible(window)) {
            ++c->visible;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.visible;
  };
  const int before = visibleMenus();
  PressKeys({VK_RIGHT});
  if (!WaitUntil([&] { return visibleMenus() > before; }, kActionTimeout)) return false;
  HWND menu = ProcessWindow(kMenuClass);
  DWORD_PTR answer = 0;
  return menu != nullptr &&
         ::SendMessageTimeoutW(menu, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &answer) != 0;
}

HWND PaletteDriver::ProcessWindow(const wchar_t* className) const {
  return FindTopLevel(process_.dwProcessId, className, true);
}

}  // namespace zr::test
