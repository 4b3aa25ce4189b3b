#include "win32/ComError.h"

#include <cstdio>

#include "win32/WideText.h"

namespace zr::win32 {

namespace {

// Texts for the codes the CAD link meets, for systems whose message table lacks them.
const char* KnownText(HRESULT hr) {
  switch (static_cast<unsigned long>(hr)) {
    case 0x80010001ul: return "呼び出し先が呼び出しを拒否しました。";
    case 0x8001010Aul: return "呼び出し先がビジー状態のため、呼び出しを処理できません。";
    case 0x80010108ul: return "呼び出されたオブジェクトはクライアントから切断されています。";
    case 0x800706BAul: return "RPC サーバーを利用できません。";
    case 0x800401F3ul: return "無効なクラス文字列です。";
    case 0x800401E3ul: return "操作を利用できません。";
    case 0x80020003ul: return "メンバーが見つかりません。";
    case 0x80020005ul: return "型が一致しません。";
    case 0x80020006ul: return "名前が不明です。";
    case 0x80020009ul: return "例外が発生しました。";
    case 0x8002000Eul: return "パラメーターの数が無効です。";
    case 0x8002000Ful: return "省略できないパラメーターです。";
    default: return nullptr;
  }
}

}  // namespace

std::string HResultText(HRESULT hr) {
  wchar_t* buffer = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (n != 0 && buffer != nullptr) text.assign(buffer, n);
  if (buffer != nullptr) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
    text.pop_back();
  }
  if (!text.empty()) return Narrow(text);
  char code[48];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
  if (const char* known = KnownText(hr)) return std::string(known) + " (" + code + ")";
  return std::string("automation error ") + code;
}

void ThrowHResult(HRESULT hr, const std::string& context) {
  std::string text = HResultText(hr);
  if (!context.empty()) text += " (" + context + ")";
  throw cadlink::AutomationError(text, static_cast<std::int32_t>(hr));
}

}  // namespace zr::win32
