#include "insert/LispLoad.h"

#include <exception>
#include <vector>

#include "cadlink/CadConnection.h"
#include "insert/LispInsertion.h"
#include "text/TextFile.h"

namespace zr::insert {

namespace {

bool IsBlankOrControl(unsigned char c) { return c <= ' ' || c == 0x7F; }


}  // namespace

std::string LispFilePath(const std::string& exePath) { return exePath + kLispFileName; }

std::string LispLoadText(const std::string& lispPath) {
  return "(load \"" + EscapeBackslashes(lispPath) + "\")";
}

std::string TrimForCommandLine(const std::string& line) {
  std::size_t first = 0;
  std::size_t last = line.size();
  while (first < last && IsBlankOrControl(static_cast<unsigned char>(line[first]))) ++first;
  while (last > first && IsBlankOrControl(static_cast<unsigned char>(line[last - 1]))) --last;
  return line.substr(first, last - first);
}

void LoadLisp(cadlink::IDesktop& desktop, const std::string& exePath, const std::string& progId) {
  const std::string path = LispFilePath(exePath);
  if (!text::FileExists(path)) return;
  if (!cadlink::IsCadActive(desktop, progId)) return;
  const std::string load = LispLoadText(path);
  cadlink::OpenActiveDrawing(desktop, progId).doc->Call("SendCommand", {load + "\r"});
}

void TypeLispLines(cadlink::IDesktop& desktop, const std::string& exePath,
                   const std::string& progId) {
  const std::string path = LispFilePath(exePath);
  if (!text::FileExists(path) || progId.find("Gcad") == std::string::npos) return;
  try {
    if (!cadlink::IsCadActive(desktop, progId)) return;
    const cadlink::AutoObjectPtr doc = cadlink::OpenActiveDrawing(desktop, progId).doc;
    std::vector<std::string> lines;
    if (!text::ReadTextLines(path, lines)) return;
    for (const std::string& line : lines) {
      const std::string typed = TrimForCommandLine(line);
      if (!typed.empty()) doc->Call("SendCommand", {typed + "\r"});
    }
  } catch (const std::exception&) {
    // Silent by design: a half-typed file is completed by typing it again.
  }
}

}  // namespace zr::insert
