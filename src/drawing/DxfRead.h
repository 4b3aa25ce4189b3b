#pragma once
// The DXF reader: one pass over the group-code/value pairs of an ASCII DXF file, filling the
// entity model (layer and view tables, block definitions into the block set, ENTITIES into
// the model set). Everything it does not recognise is skipped.
#include <string>
#include <string_view>

#include "drawing/EntityModel.h"

namespace zr {

// Optional progress indicator.
class IProgressBar {
 public:
  virtual ~IProgressBar() = default;
  virtual void SetMax(int max) = 0;
  virtual void SetPosition(int position) = 0;
};

// The window that owns the reader's message boxes ("Wnd").
class IMessageOwner {
 public:
  virtual ~IMessageOwner() = default;
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};

// Error text of a file that exists but cannot be opened (held open by another program).
inline constexpr const char* kDxfBusyError = "busy";
inline constexpr const char* kDxfBusyMessage = "DXFファイルは使用中です．";
inline constexpr const char* kDxfMessageCaption = "DxfRead";

// Reads one ASCII DXF file into the model (emptied first). Bar and Wnd may be null.
// ErrMsg: empty on success, "busy", or "N1:code/N2:value" for the pair that could not be
// converted (reading stops there; what came before stays). AcadVer: $ACADVER or empty.
void DxfRead(TDxfModel& model, const std::string& FileName, IProgressBar* Bar,
             IMessageOwner* Wnd, std::string& ErrMsg, std::string& AcadVer);

// The same over a file's bytes already in memory.
void DxfReadFromBytes(TDxfModel& model, std::string_view bytes, IProgressBar* Bar,
                      IMessageOwner* Wnd, std::string& ErrMsg, std::string& AcadVer);

// Colour index of the layer with exactly this name; a missing layer is appended (colour 7,
// flags 0, line type "CONTINUOUS", visible) and 7 returned.
SmallInt LayerColor(TDxfModel& model, const std::string& name);

}  // namespace zr
