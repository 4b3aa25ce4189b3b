// The search field under the real window system: a burst of typed characters is reported
// once, with the whole text; the field keeps to its length limit; hiding it reports nothing.
#include "win32/SearchField.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/CatalogueSearch.h"

namespace zr::win32 {
namespace {

// A parent that forwards the edit's change notices to the field, as the palette does.
class Host {
 public:
  Host() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZrSearchFieldTestHost";
    ::RegisterClassW(&wc);
    window_ = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100,
                                nullptr, nullptr, wc.hInstance, this);
    cover_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 5, 45, 200, 15, window_,
                               nullptr, wc.hInstance, nullptr);
    ::ShowWindow(window_, SW_SHOWNOACTIVATE);
    field.Create(window_, 190, cover_);
    field.onChanged = [this](const std::string& text) { reports.push_back(text); };
  }
  ~Host() { ::DestroyWindow(window_); }

  // Handles the queued messages until every change has been reported or dropped and nothing
  // is left in the queue (five seconds at most), waiting between looks for the next message.
  bool Settle() {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    MSG msg;
    for (;;) {
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
      if (!field.Pending()) return true;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          end - std::chrono::steady_clock::now());
      if (left.count() <= 0) return false;
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()),
                                  QS_ALLINPUT);
    }
  }
  void Type(const std::wstring& text) {
    for (const wchar_t c : text) ::PostMessageW(field.Handle(), WM_CHAR, c, 1);
  }

  SearchField field;
  HWND cover_ = nullptr;
  std::vector<std::string> reports;

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_NCCREATE) {
      ::SetWindowLongPtrW(w, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    }
    auto* host = reinterpret_cast<Host*>(::GetWindowLongPtrW(w, GWLP_USERDATA));
    if (m == WM_COMMAND && HIWORD(wp) == EN_CHANGE && host != nullptr) host->field.OnEditChange();
    return ::DefWindowProcW(w, m, wp, lp);
  }
  HWND window_ = nullptr;
};

TEST(SearchField, ABurstOfKeysIsReportedOnceAndHidingReportsNothing) {
  Host host;
  EXPECT_FALSE(host.field.Shown());
  host.field.Show();
  EXPECT_TRUE(host.field.Shown());
  EXPECT_FALSE(::IsWindowVisible(host.cover_));

  host.Type(L"こんせんと");
  ASSERT_TRUE(host.Settle());
  EXPECT_EQ(host.reports, (std::vector<std::string>{"こんせんと"}));  // once, the whole burst

  host.Type(std::wstring(300, L'a'));  // typed past the limit
  ASSERT_TRUE(host.Settle());
  ASSERT_EQ(host.reports.size(), 2u);
  EXPECT_EQ(host.reports[1], "こんせんと" + std::string(kMaxQueryLength - 5, 'a'));

  host.Type(L"b");
  host.field.Hide();  // the pending change and the keys still queued go nowhere
  ASSERT_TRUE(host.Settle());
  EXPECT_EQ(host.reports.size(), 2u);
  EXPECT_EQ(::GetWindowTextLengthW(host.field.Handle()), 0);
  EXPECT_FALSE(host.field.Shown());
  EXPECT_TRUE(::IsWindowVisible(host.cover_));
}

}  // namespace
}  // namespace zr::win32
