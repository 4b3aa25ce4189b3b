#include "cadlink/CommandWindow.h"

#include <algorithm>

#include "cadlink/CadConnection.h"
#include "text/Utf.h"

namespace zr::cadlink {

bool IsCadWindowTitle(std::string_view title) {
  return title.starts_with("DWG TrueView ") || title.starts_with("AutoCAD ") ||
         title.starts_with("Autodesk ");
}

bool IsCadWindowClass(std::string_view className) {
  return (className.starts_with("Afx:") && className.find(":8:") != std::string_view::npos) ||
         className.starts_with("AfxMDIFrame");
}

std::string EscToEtx(std::string_view text) {
  std::string out(text);
  std::replace(out.begin(), out.end(), kEsc, kEtx);
  return out;
}

bool FitsCommandMessage(std::string_view text) {
  return text::Utf16Length(text) <= kMaxCommandUnits;
}

std::vector<std::uint8_t> CommandMessageBytes(std::string_view text) {
  const std::u16string units = text::Utf8ToUtf16(text);
  std::vector<std::uint8_t> bytes;
  bytes.reserve((units.size() + 1) * 2);
  for (const char16_t u : units) {
    bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(u >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

std::string CommandTooLongMessage(std::size_t units) {
  return "CAD へ送るコマンドが長すぎるため、何も送りませんでした（" + std::to_string(units) +
         " 文字、上限 " + std::to_string(kMaxCommandUnits) +
         " 文字）．ブロックのフォルダーのパスを短くしてください．";
}

int TCadWindowChannel::EnumCadWindowProc(WindowHandle window, std::intptr_t /*lParam*/) {
  const std::string title = desktop_.WindowTitle(window);
  if (title.empty() || !IsCadWindowTitle(title)) return 1;
  if (!IsCadWindowClass(desktop_.WindowClass(window))) return 1;
  CadWnd = window;
  return 0;
}

WindowHandle TCadWindowChannel::FindCadWindow() {
  CadWnd = desktop_.FindWindowByClass(kCadFrameClass);
  if (CadWnd == 0) {
    desktop_.EnumWindows([this](WindowHandle w) { return EnumCadWindowProc(w, 0) != 0; });
  }
  return CadWnd;
}

bool TCadWindowChannel::SendCopyDataText(WindowHandle window, std::string_view text) {
  if (!desktop_.IsWindowEnabled(window)) return false;
  // A cut command could insert the wrong thing: never send part of a text.
  if (!FitsCommandMessage(text)) return false;
  desktop_.SendCopyData(window, kCommandDataId, CommandMessageBytes(text));
  desktop_.PostNull(window);
  return true;
}

bool TCadWindowChannel::ActivateCadWindow() {
  if (FindCadWindow() == 0) return false;
  if (desktop_.IsIconic(CadWnd)) desktop_.OpenIcon(CadWnd);
  desktop_.SetForegroundWindow(CadWnd);
  return true;
}

bool TCadWindowChannel::SendCadCommandText(std::string_view text) {
  const std::string command = EscToEtx(text);
  if (FindCadWindow() == 0) return false;
  if (!FitsCommandMessage(command)) {
    desktop_.ShowMessage(CommandTooLongMessage(text::Utf16Length(command)), kAppTitle,
                         MessagePlacement::OverPalette);
    return true;
  }
  if (desktop_.IsIconic(CadWnd)) desktop_.OpenIcon(CadWnd);
  desktop_.SetForegroundWindow(CadWnd);
  SendCopyDataText(CadWnd, command);
  return true;
}

}  // namespace zr::cadlink
