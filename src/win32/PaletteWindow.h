#pragma once
// The palette window: creates the controls of the layout, shows what the core (TForm1)
// tells it and forwards the user's actions to TForm1's handlers. No rule lives here.
#include <windows.h>

#include <array>
#include <vector>

#include "app/PaletteForm.h"
#include "app/PaletteView.h"
#include "app/SlotPainter.h"
#include "win32/CatalogueCheckDialog.h"
#include "win32/SearchField.h"
#include "win32/SlotPreviewWindow.h"
#include "win32/SlotWindows.h"
#include "win32/TargetCadDialog.h"
#include "win32/ToolTips.h"
#include "win32/UniqueHandle.h"
#include "win32/Win32Desktop.h"

namespace zr::win32 {

class PaletteWindow final : public IPaletteView {
 public:
  PaletteWindow();
  ~PaletteWindow() override;
  PaletteWindow(const PaletteWindow&) = delete;
  PaletteWindow& operator=(const PaletteWindow&) = delete;

  // Creates the window and its controls and runs the window creation (FormCreate).
  void Create(HINSTANCE instance);
  // Runs FormShow, then shows the window.
  void Show(int showCommand);
  HWND Handle() const { return hwnd_; }
  TForm1& Form() { return form_; }
  // Offers a queued message to the palette before it is dispatched; true when the palette
  // took it. The wheel goes to the form first, whichever control has the focus.
  bool PreTranslateMessage(const MSG& msg);
  // Shows the large preview of slot k beside the palette (Space on the focused slot); the
  // next key, a press or the pointer leaving hides it.
  void ShowPreview(int slot) { preview_.Show(slot); }

  // IPaletteView
  std::string Title() const override;
  void SetTitle(const std::string& title) override;
  ViewSize WindowSize() const override;
  ViewSize ScreenSize() const override;
  void MoveWindowTo(int left, int top) override;
  void ClearCategories() override;
  void AddCategory(const std::string& name) override;
  int CategoryCount() const override;
  std::string CategoryAt(int index) const override;
  int CategoryIndex() const override;
  void SelectCategory(int index) override;
  int UpDownPosition() const override;
  void SetUpDownPosition(int position) override;
  std::string Text(TextControl control) const override;
  void SetText(TextControl control, const std::string& text) override;
  std::string StatusText(int panel) const override;
  void SetStatusText(int panel, const std::string& text) override;
  bool IsEnabled(SpeedButton button) const override;
  void SetEnabled(SpeedButton button, bool enabled) override;
  bool IsChecked(CheckBox box) const override;
  void PlaceSlotPanel(int slot, const ControlRect& bounds) override;
  void SetSlotHint(int slot, const std::string& hint) override;
  ICanvas& SlotCanvas(int slot) override;
  void InvalidateSlot(int slot) override;
  SlotBevel GetSlotBevel(int slot) const override;
  void SetSlotBevel(int slot, SlotBevel bevel) override;
  void FocusNameField() override;
  ViewPoint ScreenToImage1(ViewPoint screen) const override;
  // IPaletteView: options, About box and settings (PaletteWindowOptions.cpp).
  void SetChecked(CheckBox box, bool checked) override;
  void SetCheckBoxLook(CheckBox box, TColor color, bool bold) override;
  std::string Caption(SpeedButton button) const override;
  void SetCaption(SpeedButton button, const std::string& caption) override;
  ViewPoint WindowPosition() const override;
  bool IsOnWorkArea(const ControlRect& screenRect) const override;
  void ShowMessage(const std::string& text) override;
  void ShowAboutBox() override;
  void ShowCatalogueCheck(const std::string& folder) override;

  // ---- Search across the catalogue (PaletteWindowSearch.cpp) ----
  void ShowCategoryBoxText(const std::string& text) override;
  void ShowSearchField(bool shown) override;
  bool SearchFieldShown() const override;
  void ShowSlotFocus(int slot) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateFonts();
  void CreateControls();
  void CreateTopRow();
  void CreateSecondRow();
  void CreateSlotArea();
  void CreateStatusArea();
  HWND AddControl(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                  const ControlRect& bounds, int id, HFONT font, const char* hint = nullptr);
  HWND AddPagingButton(const wchar_t* caption, const ControlRect& bounds, int id,
                       const char* hint);
  void RegisterMessageFilter();
  void RevokeMessageFilter();

  void OnCommand(int id, int code, HWND from);
  void OnSlotMouse(int slot, const SlotPicture::MouseEvent& e);
  void OnSlotRelease(int slot, const SlotPicture::MouseEvent& e);
  void AfterInsertion();
  void OnUpDownScroll();
  bool OnMouseWheel(WPARAM wParam, LPARAM lParam);
  LRESULT OnCtlColor(HDC dc, HWND control);
  void OnClose();
  void WriteSettingsOnce();
  void OnDestroy();
  // The window moved to a monitor of another scale: fonts, controls and slot pictures are
  // laid out again at `dpi` and the page is drawn anew at the pictures' real size.
  void OnDpiChanged(int dpi, const RECT* suggested);
  // Lays the window out again when its monitor's scale is not the one it is laid out at.
  void FollowMonitorScale();
  void SetStatusParts();

  int Scale(int value) const { return ::MulDiv(value, dpi_, 96); }
  RECT ScaleRect(const ControlRect& r) const;
  HWND Control(int id) const { return ::GetDlgItem(hwnd_, id); }
  HWND TextControlHandle(TextControl control) const;
  HWND ButtonHandle(SpeedButton button) const;
  HWND CheckBoxHandle(CheckBox box) const;
  HWND StatusBar() const;
  // Options: the scale boxes' and rotation buttons' clicks, and the context menu.
  void OnOptionCommand(int id, int code);
  void OnContextMenu(HWND clicked, LPARAM screenPoint);

  // A control as laid out in 96-dpi units, to be placed again when the scale changes.
  struct Placed {
    HWND hwnd;
    ControlRect bounds;  // in its parent's client area
  };
  void Remember(HWND hwnd, const ControlRect& bounds);

  HWND hwnd_ = nullptr;
  HWND panel1_ = nullptr;
  std::vector<Placed> placed_;
  int dpi_ = 96;
  UniqueFont baseFont_;       // proportional Japanese font of the window
  UniqueFont fixedFont_;      // fixed-pitch Japanese font of the fields
  UniqueFont fixedBoldFont_;  // the marks and the paging buttons
  ToolTips tips_;
  std::array<HWND, kSlotCount> PnlAry{};  // slot panels, by slot number
  std::array<SlotPicture, kSlotCount> ImgAry;  // slot pictures, by slot number
  EngineSlotPainter painter_;
  Win32Desktop desktop_;       // the CAD link's desktop calls, message boxes over the palette
  TargetCadDialog targetDialog_;  // the target CAD dialog, kept for the run
  TForm1 form_;
  SlotPreviewWindow preview_;  // the large preview of the slot the pointer rests on
  CatalogueChecks catalogueChecks_;  // checks still running are waited for when it goes
  int pressedSlot_ = -1;       // slot under a left press that may become a click
  bool closePending_ = false;  // a close asked for while an insertion waited for the CAD
  bool settingsWritten_ = false;  // at the session's end or the close, whichever came first

  // ---- Search across the catalogue (PaletteWindowSearch.cpp) ----
  void CreateSearchField();
  // Ctrl+F opens the search, Esc ends it, Enter and the page keys act in its field.
  bool PreTranslateSearchKey(const MSG& msg);
  bool PreTranslateSlotKey(const MSG& msg);  // PaletteSlotKeys.cpp
  void OnSearchMenu();
  SearchField search_;
  bool quietCategoryText_ = false;  // the program writes the category box's field
};

}  // namespace zr::win32
