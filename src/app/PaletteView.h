#pragma once
// The palette's controls as the core sees them: a humble view that shows what the core
// tells it and forwards the user's actions to the handlers of TForm1. Texts are UTF-8;
// positions and sizes are 96-dpi client units (the window scales them).
#include <string>

#include "app/PaletteLayout.h"
#include "drawing/Canvas.h"

namespace zr {

// One-line texts the core writes and reads back.
enum class TextControl {
  Edit1,        // name of the pointed block
  StaticText1,  // JIS mark
  StaticText2,  // ministry-standard mark
  StaticText3,  // information line
};

enum class SpeedButton {
  SpeedButton1,  // "<" previous page
  SpeedButton2,  // ">" next page
  SpeedButton3,  // "+" rotation
  SpeedButton4,  // "-" rotation
  SpeedButton5,  // no rotation
  SpeedButton6,  // auxiliary base points on/off
  SpeedButton7,  // align to two points
};

enum class CheckBox {
  CheckBox1,  // 1/200
  CheckBox2,  // 1/100
  CheckBox3,  // 1/50
  CheckBox4,  // no scale
};

// The bevel of a slot panel: none for the pointed slot, raised for the others.
enum class SlotBevel { None, Raised };

// The arrow of the category up-down control.
enum class UpDownButton { Next, Previous };

struct ViewPoint {
  int x = 0;
  int y = 0;
};

struct ViewSize {
  int width = 0;
  int height = 0;
};

class IPaletteView {
 public:
  virtual ~IPaletteView() = default;

  virtual std::string Title() const = 0;
  virtual void SetTitle(const std::string& title) = 0;

  // The window's outer size and the primary screen's size, in screen pixels.
  virtual ViewSize WindowSize() const = 0;
  virtual ViewSize ScreenSize() const = 0;
  virtual void MoveWindowTo(int left, int top) = 0;

  // Category box (ComboBox1). Selecting from the program runs no change event.
  virtual void ClearCategories() = 0;
  virtual void AddCategory(const std::string& name) = 0;
  virtual int CategoryCount() const = 0;
  virtual std::string CategoryAt(int index) const = 0;
  virtual int CategoryIndex() const = 0;  // -1 when none is selected
  virtual void SelectCategory(int index) = 0;

  virtual int UpDownPosition() const = 0;
  virtual void SetUpDownPosition(int position) = 0;

  virtual std::string Text(TextControl control) const = 0;
  virtual void SetText(TextControl control, const std::string& text) = 0;
  virtual std::string StatusText(int panel) const = 0;
  virtual void SetStatusText(int panel, const std::string& text) = 0;

  virtual bool IsEnabled(SpeedButton button) const = 0;
  virtual void SetEnabled(SpeedButton button, bool enabled) = 0;
  virtual bool IsChecked(CheckBox box) const = 0;

  // Slot k: its panel's place inside Panel1, its picture's hint ("\r" breaks the line),
  // its picture's canvas, and a repaint of the picture from that canvas.
  virtual void PlaceSlotPanel(int slot, const ControlRect& bounds) = 0;
  virtual void SetSlotHint(int slot, const std::string& hint) = 0;
  virtual ICanvas& SlotCanvas(int slot) = 0;
  virtual void InvalidateSlot(int slot) = 0;
  virtual SlotBevel GetSlotBevel(int slot) const = 0;
  virtual void SetSlotBevel(int slot, SlotBevel bevel) = 0;

  // Keyboard focus to the name field (Edit1).
  virtual void FocusNameField() = 0;
  // A screen position in the client coordinates of the first slot picture (Image1).
  virtual ViewPoint ScreenToImage1(ViewPoint screen) const = 0;

  // Options, About box and settings.
  // Sets a check box's mark; runs no handler (TForm1::SetCheckBoxChecked runs it).
  virtual void SetChecked(CheckBox box, bool checked) = 0;
  // The caption's colour (logical, 0x00BBGGRR: black or red) and weight.
  virtual void SetCheckBoxLook(CheckBox box, TColor color, bool bold) = 0;
  virtual std::string Caption(SpeedButton button) const = 0;
  virtual void SetCaption(SpeedButton button, const std::string& caption) = 0;
  // The window's outer top-left corner in screen pixels (its normal place when minimised).
  virtual ViewPoint WindowPosition() const = 0;
  // Whether a rectangle of screen pixels lies wholly on the monitors' work areas.
  virtual bool IsOnWorkArea(const ControlRect& screenRect) const = 0;
  // A modal message box owned by the palette, application title as caption, OK only.
  virtual void ShowMessage(const std::string& text) = 0;
  // The About box, modal.
  virtual void ShowAboutBox() = 0;
  // The catalogue check's dialog over the palette for the catalogue in `folder`; a line
  // chosen there comes back through TForm1::ShowCataloguePlace.
  virtual void ShowCatalogueCheck(const std::string& folder) = 0;

  // ---- Search across the catalogue ----
  // The category box's field shows `text` while the box's selection stays as it is.
  virtual void ShowCategoryBoxText(const std::string& text) = 0;
  // Shown: the search field appears over the information line with the keyboard focus and
  // its text selected. Hidden: it disappears with its text emptied (no change is reported)
  // and the information line shows again.
  virtual void ShowSearchField(bool shown) = 0;
  virtual bool SearchFieldShown() const = 0;
  // The slot that shows the keyboard focus frame (while the slots have the focus).
  virtual void ShowSlotFocus(int /*slot*/) {}
};

}  // namespace zr
