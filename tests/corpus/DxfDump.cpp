// Reads DXF files with the palette's reader and prints, for each, one JSON object with the
// error text, the version and the number of records in every array of the model. The corpus
// comparison script sets these counts against those of an independent DXF library.
#include <cstdio>
#include <string>
#include <vector>

#include "drawing/DxfRead.h"

namespace {

std::string Json(const std::string& s) {
  std::string out = "\"";
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", u);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

template <class T>
std::size_t NonEmptyTexts(const T& texts) {
  std::size_t n = 0;
  for (const auto& t : texts) n += t.str.empty() ? 0 : 1;
  return n;
}

// The model set's non-empty texts as a JSON list.
std::string TextList(const std::vector<zr::TTextBlk>& texts) {
  std::string out;
  for (const auto& t : texts) {
    if (t.str.empty()) continue;
    if (!out.empty()) out += ", ";
    out += Json(t.str);
  }
  return out;
}

void Dump(const std::string& path) {
  zr::TDxfModel m;
  std::string err, ver;
  zr::DxfRead(m, path, nullptr, nullptr, err, ver);
  std::printf(
      "{\"file\": %s, \"err\": %s, \"ver\": %s, \"layers\": %zu, \"views\": %zu, "
      "\"blocks\": %zu, \"model\": {\"LINE\": %zu, \"CIRCLE\": %zu, \"ARC\": %zu, "
      "\"POLYLINE\": %zu, \"VERTEX\": %zu, \"TEXT\": %zu, \"INSERT\": %zu, \"3DFACE\": %zu, "
      "\"ELLIPSE\": %zu}, \"block\": {\"LINE\": %zu, \"CIRCLE\": %zu, \"ARC\": %zu, "
      "\"POLYLINE\": %zu, \"VERTEX\": %zu, \"TEXT\": %zu, \"ELLIPSE\": %zu}, "
      "\"nonEmptyTexts\": {\"model\": %zu, \"block\": %zu}, \"texts\": [%s]}\n",
      Json(path).c_str(), Json(err).c_str(), Json(ver).c_str(), m.LayerAry.size(),
      m.ViewAry.size(), m.BlockAry.size(), m.LineAry.size(), m.CircleAry.size(),
      m.ArcAry.size(), m.LwpAry.size(), m.LwpEleAry.size(), m.TextAry.size(),
      m.InsertAry.size(), m.FaceAry.size(), m.EllipseAry.size(), m.BlkLineAry.size(),
      m.BlkCircleAry.size(), m.BlkArcAry.size(), m.BlkLwpAry.size(), m.BlkLwpEleAry.size(),
      m.BlkTextAry.size(), m.BlkEllipseAry.size(),
      NonEmptyTexts(m.TextAry), NonEmptyTexts(m.BlkTextAry), TextList(m.TextAry).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) Dump(argv[i]);
  return 0;
}
