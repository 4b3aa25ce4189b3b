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
    case 0x80020008ul: return "変数の型が正しくありません。";
    case 0x8002000Aul: return "範囲を超えています。";
    case 0x800706BEul: return "リモート プロシージャ コールに失敗しました。";
    case 0x800706F7ul: return "スタブが不正なデータを受け取りました。";
    case 0x80004005ul: return "エラーを特定できません。";
    case 0x8000FFFFul: return "予期しないエラーです。";
    case 0x8007000Eul: return "メモリが不足しています。";
    case 0x80070057ul: return "パラメーターが間違っています。";
    default: return nullptr;
  }
}

}  // namespace

std::string HResultText(HRESULT hr) {
  char code[48];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
  // Our Japanese text first: the system's message table may be in another language (Wine's
  // is English whatever the locale), and the user is told in Japanese.
  if (const char* known = KnownText(hr)) return std::string(known) + " (" + code + ")";
  wchar_t* buffer = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hr), MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN),
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (n != 0 && buffer != nullptr) text.assign(buffer, n);
  if (buffer != nullptr) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
    text.pop_back();
  }
  if (!text.empty()) return Narrow(text) + " (" + code + ")";
  return std::string("オートメーション エラー ") + code;
}

void ThrowHResult(HRESULT hr, const std::string& context) {
  std::string text = HResultText(hr);
  if (!context.empty()) text += " (" + context + ")";
  throw cadlink::AutomationError(text, static_cast<std::int32_t>(hr));
}

}  // namespace zr::win32
