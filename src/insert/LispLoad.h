#pragma once
// Bringing the companion LISP file into the CAD: a LISP load through automation, or for
// IJCAD LT, whose command line has no file load of its own reach, the file's lines typed one
// by one.
#include <string>

#include "cadlink/Desktop.h"

namespace zr::insert {

// The companion file's path: the program folder (with its separator) and the file name.
std::string LispFilePath(const std::string& exePath);

// "(load "<escaped path>")".
std::string LispLoadText(const std::string& lispPath);

// The line as it is typed: spaces and control characters removed from both ends.
std::string TrimForCommandLine(const std::string& line);

// LISP1Click: sends the load text and a carriage return to the active drawing. Does nothing
// when the file is missing or no CAD runs under progId; automation errors propagate.
void LoadLisp(cadlink::IDesktop& desktop, const std::string& exePath, const std::string& progId);

// IJCADLT1Click: for a ProgID containing "Gcad", sends every non-empty trimmed line of the
// file, each followed by a carriage return, in file order. Any failure (file, CAD, a CAD that
// goes away between two lines) ends it silently; lines already sent stay sent.
void TypeLispLines(cadlink::IDesktop& desktop, const std::string& exePath,
                   const std::string& progId);

}  // namespace zr::insert
