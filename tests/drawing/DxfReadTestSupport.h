#pragma once
// Small DXF texts written inline in tests, and reading them into a fresh model.
#include <string>
#include <string_view>

#include "drawing/DxfRead.h"

namespace zr::testing {

// "0|SECTION|2|ENTITIES" -> the lines "0", "SECTION", "2", "ENTITIES", each ended by LF.
inline std::string Dxf(std::string_view bars, std::string_view eol = "\n") {
  std::string out;
  std::size_t start = 0;
  while (start <= bars.size()) {
    const std::size_t bar = bars.find('|', start);
    const std::size_t end = bar == std::string_view::npos ? bars.size() : bar;
    out.append(bars.substr(start, end - start));
    out.append(eol);
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return out;
}

// The pairs inside an ENTITIES section (closed by ENDSEC and EOF).
inline std::string Entities(std::string_view bars) {
  return Dxf("0|SECTION|2|ENTITIES|" + std::string(bars) + "|0|ENDSEC|0|EOF");
}

// The pairs inside one block definition named B1 of a BLOCKS section.
inline std::string InBlock(std::string_view bars) {
  return Dxf("0|SECTION|2|BLOCKS|0|BLOCK|2|B1|8|0|10|1|20|2|30|0|" + std::string(bars) +
             "|0|ENDBLK|0|ENDSEC|0|EOF");
}

struct ReadResult {
  TDxfModel model;
  std::string err;
  std::string ver;
};

inline ReadResult Read(std::string_view bytes, IProgressBar* bar = nullptr,
                       IMessageOwner* wnd = nullptr) {
  ReadResult r;
  DxfReadFromBytes(r.model, bytes, bar, wnd, r.err, r.ver);
  return r;
}

}  // namespace zr::testing
