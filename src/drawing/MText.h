#pragma once
// Plain lines of an MTEXT's contents: paragraph breaks and inline formatting codes.
#include <string>
#include <string_view>
#include <vector>

namespace zr {

// The parts of the text between occurrences of "\P", in order; an empty part is an empty
// line, a text without "\P" is one line.
std::vector<std::string> SplitMText(std::string_view text);

// Removes every backslash code that a later semicolon ends ("\fArial;", "\C1;"), repeating
// until no backslash has a semicolon after it. Other backslashes and braces stay.
std::string StripMTextCodes(std::string_view line);

}  // namespace zr

namespace zr {

// The lines of an MTEXT as the CAD shows them, as plain text: "\P" (and "\X", "\N") break
// lines; formatting codes ("\f...;", "\H...;", "\C...;", "\L", "\O", "\K", ...) and group
// braces are dropped; "\S" stacks become "a/b"; "\\", "\{", "\}" and "\~" give their
// characters, "\U+XXXX" its character; the "%%c", "%%d", "%%p" symbols become Ø, ° and ±.
// A code that needs a semicolon and has none after it stays as written.
std::vector<std::string> MTextPlainLines(std::string_view text);

}  // namespace zr
