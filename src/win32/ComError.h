#pragma once
// Result codes of COM calls as the CAD link's AutomationError.
#include <windows.h>

#include <string>

#include "cadlink/AutoValue.h"

namespace zr::win32 {

// A Japanese text of our own for the codes the CAD link meets; else the system's Japanese
// text; each with the code in hex. Else "オートメーション エラー 0x8xxxxxxx".
std::string HResultText(HRESULT hr);

// Throws AutomationError with the code's text (and the context, when given, after it).
[[noreturn]] void ThrowHResult(HRESULT hr, const std::string& context = {});

}  // namespace zr::win32
