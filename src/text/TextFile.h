#pragma once
// Whole text files as lists of lines: decoded by their byte-order mark, else in the ANSI
// code page (or as UTF-8 for hand-edited files); written without losing a character to a
// temporary file beside the target and renamed over it.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zr::text {

enum class TextEncoding { Ansi, Utf8Bom, Utf16LE, Utf16BE, Utf8 };  // Utf8: no mark

// A UTF-8 path as the file system's path type (wide on Windows).
std::filesystem::path PathFromUtf8(std::string_view utf8);
bool FileExists(const std::string& path);
// The file's bytes, or nothing when it cannot be opened. Others may replace the file
// meanwhile (SharedRead.h).
std::optional<std::string> ReadFileBytes(const std::string& path);

// Decodes a whole file's bytes to UTF-8, choosing the encoding by byte-order mark.
std::string DecodeText(std::string_view bytes, TextEncoding* encoding = nullptr);
// The same for files people edit by hand, which editors also save as UTF-8 without a mark:
// without a mark, text that is well-formed UTF-8 and not plain ASCII is read as UTF-8.
std::string DecodeEditedText(std::string_view bytes, TextEncoding* encoding = nullptr);
// Lines end at CR LF, LF or CR; a final line break adds no empty line; empty lines stay.
std::vector<std::string> SplitLines(std::string_view text);
// Reads a text file into lines; false (and no lines) when it cannot be opened.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines,
                   TextEncoding* encoding = nullptr);
// The same through DecodeEditedText, for files people edit by hand and the palette writes.
bool ReadEditedTextLines(const std::string& path, std::vector<std::string>& lines,
                         TextEncoding* encoding = nullptr);

// What holds every character: the encoding text goes to when the code page cannot hold it.
inline constexpr TextEncoding kLosslessEncoding = TextEncoding::Utf16LE;
// The lines in the encoding (with its byte-order mark), each ended by CR LF. Text that the
// ANSI code page cannot hold exactly is written in kLosslessEncoding instead, so that no
// character is ever written as another.
std::string EncodeTextLines(const std::vector<std::string>& lines, TextEncoding encoding);
// Writes to a temporary file beside the target and renames it over the target, so that a
// failed write never leaves a half file. False when any step fails (the target is untouched).
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Splits at every separator: n separators give n + 1 fields, empty fields kept.
std::vector<std::string> Split(std::string_view line, char separator);
// Splits at every tab; replaces `fields`.
void SplitTabs(std::string_view line, std::vector<std::string>& fields);

}  // namespace zr::text
