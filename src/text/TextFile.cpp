#include "text/TextFile.h"

#include <fstream>
#include <system_error>

#include "text/AnsiCodePage.h"
#include "text/SharedRead.h"
#include "text/Utf.h"

namespace zr::text {
namespace {

std::u16string BytesToUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    out += static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
  }
  if (bytes.size() % 2 != 0) out += static_cast<char16_t>(kReplacementChar);  // cut last unit
  return out;
}

void AppendUtf16Bytes(std::string& out, std::u16string_view text, bool bigEndian) {
  for (const char16_t u : text) {
    const char hi = static_cast<char>(u >> 8);
    const char lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  }
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines, TextEncoding* encoding,
               std::string (*decode)(std::string_view, TextEncoding*)) {
  lines.clear();
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return false;
  lines = SplitLines(decode(*bytes, encoding));
  return true;
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(
      std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(PathFromUtf8(path), ec);
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  const std::unique_ptr<std::istream> file = OpenSharedReading(path);
  if (!file) return std::nullopt;
  std::istream& in = *file;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.seekg(0, std::ios::beg);
  if (size > 0 && !in.read(bytes.data(), size)) return std::nullopt;
  return bytes;
}

std::string DecodeText(std::string_view bytes, TextEncoding* encoding) {
  auto set = [&](TextEncoding e) {
    if (encoding != nullptr) *encoding = e;
  };
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    set(TextEncoding::Utf8Bom);
    return SanitizeUtf8(bytes.substr(3));
  }
  if (bytes.starts_with("\xFF\xFE")) {
    set(TextEncoding::Utf16LE);
    return Utf16ToUtf8(BytesToUtf16(bytes.substr(2), false));
  }
  if (bytes.starts_with("\xFE\xFF")) {
    set(TextEncoding::Utf16BE);
    return Utf16ToUtf8(BytesToUtf16(bytes.substr(2), true));
  }
  set(TextEncoding::Ansi);
  return AnsiToUtf8(bytes);
}

std::string DecodeEditedText(std::string_view bytes, TextEncoding* encoding) {
  const bool marked = bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") ||
                      bytes.starts_with("\xFE\xFF");
  if (marked || IsAscii(bytes) || !IsValidUtf8(bytes)) return DecodeText(bytes, encoding);
  if (encoding != nullptr) *encoding = TextEncoding::Utf8;
  return std::string(bytes);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines,
                   TextEncoding* encoding) {
  return ReadLines(path, lines, encoding, DecodeText);
}

bool ReadEditedTextLines(const std::string& path, std::vector<std::string>& lines,
                         TextEncoding* encoding) {
  return ReadLines(path, lines, encoding, DecodeEditedText);
}

std::string EncodeTextLines(const std::vector<std::string>& lines, TextEncoding encoding) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  if (encoding == TextEncoding::Ansi) {
    if (std::optional<std::string> ansi = Utf8ToAnsiExactly(text)) return std::move(*ansi);
    encoding = kLosslessEncoding;
  }
  switch (encoding) {
    case TextEncoding::Ansi:  // handled above
    case TextEncoding::Utf8:
      return text;
    case TextEncoding::Utf8Bom:
      return "\xEF\xBB\xBF" + text;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
      const bool be = encoding == TextEncoding::Utf16BE;
      std::string out = be ? "\xFE\xFF" : "\xFF\xFE";
      AppendUtf16Bytes(out, Utf8ToUtf16(text), be);
      return out;
    }
  }
  return text;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::filesystem::path target = PathFromUtf8(path);
  std::filesystem::path temp = target;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return false;
  }
  return true;
}

std::vector<std::string> Split(std::string_view line, char separator) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = line.find(separator, start);
    if (at == std::string_view::npos) {
      fields.emplace_back(line.substr(start));
      return fields;
    }
    fields.emplace_back(line.substr(start, at - start));
    start = at + 1;
  }
}

void SplitTabs(std::string_view line, std::vector<std::string>& fields) {
  fields = Split(line, '\t');
}

}  // namespace zr::text
