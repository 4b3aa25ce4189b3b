#pragma once
// Text in the system's ANSI code page: on Windows the system's (CP_ACP), in the native
// build code page 932, the one of the Japanese systems the palette serves.
#include <optional>
#include <string>
#include <string_view>

namespace zr::text {

// Bytes that the code page cannot decode become U+FFFD.
std::string AnsiToUtf8(std::string_view bytes);
// The same in one of Windows's ANSI code pages (874, 932, 936, 949, 950, 1250 to 1258), as
// a file may declare its own; 0, or a code page the system lacks, is the system's.
std::string CodePageToUtf8(unsigned codePage, std::string_view bytes);
// Characters that the code page cannot hold become '?'.
std::string Utf8ToAnsi(std::string_view utf8);
// The text in the system's code page only when every character survives the way there and
// back: nothing when one is missing or would come back as another (a best fit, or one of
// the code page's one-way mappings such as U+301C to the full-width tilde).
std::optional<std::string> Utf8ToAnsiExactly(std::string_view utf8);

}  // namespace zr::text
