// ZrCatalogue: the catalogue keeper's tool (check, build, sheet). A console program; its
// messages are UTF-8 (the Windows console is switched to UTF-8 output).
#include <iostream>
#include <string>
#include <vector>

#include "CatalogueTool.h"

#ifdef _WIN32
#include <windows.h>

#include "ContactSheet.h"
#include "win32/WideText.h"

int wmain(int argc, wchar_t** argv) {
  ::SetConsoleOutputCP(CP_UTF8);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(zr::win32::Narrow(argv[i]));
  try {
    return zr::tool::RunCatalogueTool(args, std::cout, std::cerr, &zr::tool::RunSheet);
  } catch (const std::exception& e) {
    std::cerr << "error: " << e.what() << '\n';
    return 1;
  }
}
#else
int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return zr::tool::RunCatalogueTool(args, std::cout, std::cerr, nullptr);
  } catch (const std::exception& e) {
    std::cerr << "error: " << e.what() << '\n';
    return 1;
  }
}
#endif
