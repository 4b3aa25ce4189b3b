#pragma once
// The catalogue tool's commands over the portable core: check, build and (in the Windows
// build, where the palette's renderer draws) sheet.
#include <ostream>
#include <string>
#include <vector>

namespace zr::tool {

// The sheet command: arguments after "sheet"; returns the exit status.
using SheetCommand = int (*)(const std::vector<std::string>& args, std::ostream& out,
                             std::ostream& err);

// args: the command line without the program name. Exit status: check 0 (no error,
// warnings allowed), 1 (an error), 2 (the folder cannot be read, or a bad command line).
int RunCatalogueTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     SheetCommand sheet);

}  // namespace zr::tool
