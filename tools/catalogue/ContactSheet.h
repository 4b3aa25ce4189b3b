#pragma once
// The sheet command: every thumbnail of a catalogue, drawn by the palette's own renderer, one
// labelled section per category, in one PNG picture.
#include <ostream>
#include <string>
#include <vector>

namespace zr::tool {

//   sheet FOLDER OUT.png [--cell N] [--columns N] [--scale A|B|C] [--kiten] [--rotate DEGREES]
//         [--each PICTURES]
// FOLDER: a catalogue (BlockList.txt beside a DXF folder) or any folder of DXF files.
// PICTURES: every thumbnail also on its own, as <drawing file name>.png (for comparing
// thumbnails with another renderer file by file).
int RunSheet(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zr::tool
