#pragma once
// TForm1: the palette window's state and handlers. The window (a humble view) forwards the
// user's actions here; every rule of the start-up, the catalogue and its pages lives here.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CataloguePlace.h"
#include "app/CatalogueSearch.h"
#include "app/FavouriteBlocks.h"
#include "app/PaletteMenu.h"
#include "app/PaletteState.h"
#include "app/PaletteView.h"
#include "app/RecentBlocks.h"
#include "app/Settings.h"
#include "app/SettingsPlace.h"
#include "app/SlotFocus.h"
#include "app/SlotPainter.h"
#include "cadlink/Desktop.h"
#include "cadlink/Drafter.h"
#include "cadlink/TargetList.h"
#include "insert/LispInsertion.h"

namespace zr {

inline constexpr int kStatusBlockNo = 0;  // status panel with the block number
inline constexpr int kStatusSize = 1;     // status panel with the block's size
// The information line's answer to a CAD command chosen while an insertion waits.
inline constexpr const char* kInsertionPendingMessage = "挿入の完了を待っています";
// The information line's answer to a click on a favourite the catalogue no longer has.
inline constexpr const char* kGoneFavouriteMessage = "このブロックはカタログにありません";

class TForm1 {
 public:
  TForm1(IPaletteView& view, TPaletteState& state, ISlotPainter& painter)
      : view_(view), state_(state), painter_(painter) {}
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Lifecycle, called by the window in this order. `exeFile` is the running executable.
  void FormCreate(const std::string& exeFile);
  void FormShow();
  void FormClose();
  void FormDestroy();

  // Catalogue and pages.
  void ComboBox1Change();                         // category change
  void ComboBox1Typed(const std::string& typed);  // text typed into the category box
  void UpDown1Click(UpDownButton button);         // category arrows
  void UpDown1Moved(int position);                // the up-down control's new position
  void SpeedButton1Click();                       // previous page
  void SpeedButton2Click();                       // next page
  // A wheel turn of `wheelDelta` (120 a notch, negative towards the user) over the slot
  // area: handled, and every whole notch gathered runs FormMouseWheelDown or FormMouseWheelUp.
  void FormMouseWheel(int wheelDelta, ViewPoint screen, bool& handled);
  void FormMouseWheelDown(ViewPoint screen, bool& handled);
  void FormMouseWheelUp(ViewPoint screen, bool& handled);
  // Page load: fills the fourteen slots from lines st + kaisi .. ed of sl. TName is the
  // category tag, passed for the callers' sake and not used.
  void ReadBlockListSL(const std::vector<std::string>& sl, const std::string& TName, int st,
                       int ed, int kaisi);
  // Redraw of the current page.
  void RedrawPage();

  // Slots and base points.
  // A mouse press (any button) at (x, y) of slot k's picture: while the auxiliary base points
  // are shown, the nearest one becomes the slot's chosen base point.
  void Image1MouseDown(int slot, int x, int y);
  void SpeedButton6Click();  // auxiliary base points shown / hidden

  // Pointing and insertion. The pointer at (x, y) of slot k's picture describes its block.
  void Image1MouseMove(int slot, int x, int y);
  void Image1Click(int slot);     // inserts on a single click unless double click is chosen
  void Image1DblClick(int slot);  // inserts on a double click when it is chosen
  // Inserts the block of slot idx into the CAD drawing. A click while an insertion waits for
  // the CAD is refused, so insertions never nest.
  void InsertBlock(int idx);
  bool IsInserting() const { return inserting_; }
  // The desktop the insertion reaches the CAD through; until it is set, clicks insert nothing.
  void SetDesktop(cadlink::IDesktop& desktop);

  // CAD commands of the context menu and the "2p" button. None runs before the desktop is
  // set. While an insertion waits for the CAD none runs (its text would answer the pending
  // prompt): the information line says kInsertionPendingMessage instead.
  // "■ LISP をロード" (false) and "■ LISP をロード ( IJCAD LT )" (true).
  void LoadLispClick(bool typedLineByLine);
  void DrafterClick(cadlink::DrafterCommand command);  // the seven drafter entries
  void SpeedButton7Click();  // "2p": rotation from an angle indicated in the CAD
  // "ターゲット CAD": the target dialog; OK sets the title and gbProgID.
  void TargetCadClick();
  void SetTargetCadDialog(cadlink::ITargetCadDialog& dialog) { targetDialog_ = &dialog; }
  cadlink::TTargetCADForm& TargetCadForm() { return targetForm_; }

  // Window fields.
  int ImgSize = 0;                 // side of a slot picture
  int gbTAgSt = 0;                 // first catalogue line of the current category, -1 none
  int gbTagEd = 0;                 // last catalogue line of the current category, -1 none
  std::string gbTagName;           // tag of the current category
  int gbImgKaisi = 0;              // offset of the current page inside the category
  std::string gbDxfDir;            // folder of the block DXF files below the program folder
  std::string gbExePath;           // program folder, with a trailing separator
  std::string gbBlkListFName;      // the block list file
  std::string gbMnuListFName;      // the category list file
  bool gbFlagDbClick = false;      // insertion on double click instead of single click
  std::vector<std::string> BlkListSL;  // the catalogue lines read at start-up

  std::string ExeFile() const { return exeFile_; }


 private:
  void ReadCatalogue();
  void SetTextIfChanged(TextControl control, const std::string& text);
  void SetStatusIfChanged(int panel, const std::string& text);
  void ResetSlot(int slot);
  void FillSlots(const std::vector<std::string>& sl, int st, int ed, int kaisi);
  void DrawSlots();
  void UpdatePagingButtons(const std::vector<std::string>& sl, int st, int ed, int kaisi);
  bool OverSlotArea(ViewPoint screen) const;
  void PageByWheel(ViewPoint screen, bool& handled, SpeedButton button);
  void DescribeSlot(const TBlkList& rec);
  void SetBevelIfChanged(int slot, SlotBevel bevel);
  bool RefusedWhileInserting();

  IPaletteView& view_;
  TPaletteState& state_;
  ISlotPainter& painter_;
  std::string exeFile_;
  int upDownPosition_ = kUpDownStart;
  int wheelAccumulator_ = 0;
  cadlink::IDesktop* desktop_ = nullptr;
  std::unique_ptr<insert::LispInsertion> lisp_;
  bool inserting_ = false;
  cadlink::ITargetCadDialog* targetDialog_ = nullptr;
  cadlink::TTargetCADForm targetForm_;  // the dialog's list and fields, kept for the run

  // ---- Options, context menu, About box and settings ----
 public:
  // Scale boxes: exactly one of 1/200, 1/100, 1/50 stays checked; "None" on its own.
  void CheckBox1Click();
  void CheckBox2Click();
  void CheckBox3Click();
  void CheckBox4Click();
  // Sets a check box as the program does: a change of its mark runs its click handler.
  void SetCheckBoxChecked(CheckBox box, bool checked);
  // Rotation: "+" and "-" by the step in their captions, "0" back to no rotation.
  void SpeedButton3Click();
  void SpeedButton4Click();
  void SpeedButton5Click();

  // Context menu (PopupMenu1): its entries as they are now, and the choice of one.
  std::vector<MenuEntry> PopupMenu1() const;
  void PopupMenu1Click(MenuCommand command);
  void N1Click();   // insert by double click
  void N25Click();  // insert through LISP
  void N16Click();  // polylines count for the base-point range
  void N20Click();  // the information line shows the base-point range
  void N18Click();  // About box
  void SetRotationPitch(int degrees);
  void N154Click() { SetRotationPitch(15); }
  void N304Click() { SetRotationPitch(30); }
  void N452Click() { SetRotationPitch(45); }
  void SetHojoKitenColor(TColor color);  // N10Click .. N14Click: the colour submenu

  // The CAD commands of the menu, under their entries' names (PaletteCadCommands.cpp).
  void LISP1Click() { LoadLispClick(false); }
  void IJCADLT1Click() { LoadLispClick(true); }
  void N301Click() { DrafterClick(cadlink::DrafterCommand::Plus30); }
  void N151Click() { DrafterClick(cadlink::DrafterCommand::Plus15); }
  void N302Click() { DrafterClick(cadlink::DrafterCommand::Minus30); }
  void N152Click() { DrafterClick(cadlink::DrafterCommand::Minus15); }
  void OFF1Click() { DrafterClick(cadlink::DrafterCommand::Off); }
  void N3Click() { DrafterClick(cadlink::DrafterCommand::Object); }
  void N180Z1Click() { DrafterClick(cadlink::DrafterCommand::Turn180); }
  void BricsCAD1Click() { TargetCadClick(); }

  // "カタログを検査": the check of the palette's own catalogue, in a dialog over it
  // (PaletteCatalogueCheck.cpp).
  void CheckCatalogue1Click();
  // A line chosen in that dialog: the category box chooses the place's category (its first
  // entry of that name) and the page shows; a name no longer in the box changes nothing.
  void ShowCataloguePlace(const CataloguePlace& place);

  // Settings file: read during FormCreate, written by FormClose.
  void ReadSettings();
  // False (after the message) when the file could not be written; it is then unchanged.
  bool WriteSettings();
  // The file read and written: beside the executable, or the user's own (SettingsPlace.h).
  std::string SettingsPath() const { return settingsPlace_.path; }

  bool N20Checked = false;  // check mark of "補助基点の範囲を表示する"
  std::string N153Caption = PitchCaption(45);  // caption of the pitch submenu

 private:
  void ScaleBoxClick(CheckBox x, CheckBox y, CheckBox z);
  void Rotate(SpeedButton button);
  void PlaceWindow(const TPaletteSettings& settings);
  void ApplySettings(const TPaletteSettings& settings);
  TPaletteSettings CurrentSettings() const;
  SettingsPlace settingsPlace_;  // chosen once, when the window is created


  // ---- Search across the catalogue and the recently inserted blocks (PaletteSearch.cpp) ----
 public:
  // Results and recent blocks are pages like a category's: BlkListSL then holds their lines
  // (so paging, the wheel and every redraw work on them) and the catalogue waits aside.
  void SearchOpen();                            // Ctrl+F or the menu entry: the field opens
  void SearchChanged(const std::string& typed); // the field's text, once per input burst
  void SearchEscape();                          // Esc: the field closes, back where the user was
  bool SearchResultsShown() const { return searchFrom_.has_value(); }
  // The catalogue's lines whatever the pages show.
  const std::vector<std::string>& CatalogueLines() const;
  // The recent blocks as the settings file keeps them (RecentBlocks.h: FromIniKeys and
  // ToIniKeys, or FromIniLines and ToIniLines). Load after the catalogue is read, whose
  // blocks alone stay, and before the stored category is selected, which may be their entry.
  void LoadRecentBlocks(RecentBlocks recent);
  const RecentBlocks& Recent() const { return recent_; }
  int RecentCategoryIndex() const { return recentEntry_; }  // -1 while the box has no entry

 private:
  // Where the user browses, kept while search results are shown.
  struct BrowsePlace {
    int category = -1;  // the category box's selection
    bool recent = false;
    std::string tag;
    int st = -1;
    int ed = -1;
    int kaisi = 0;
    bool favourites = false;
  };
  bool SearchTakesCategoryChange();
  void RememberInsertedBlock(const std::string& blkNo);
  void ShowLinesAsPage(std::vector<std::string> lines, int kaisi);
  void PutCatalogueBack();
  void ShowRecentPage(int kaisi);
  void ReturnToBrowsePlace();
  void AddRecentEntry();
  void DropRecentNotFound(const std::vector<int>& found);
  void EnsureSearchIndex();

  CatalogueSearch searchIndex_;
  const std::string* indexedData_ = nullptr;  // the lines the index was built from
  std::size_t indexedSize_ = 0;
  bool indexed_ = false;
  RecentBlocks recent_;
  int recentEntry_ = -1;                       // "最近使ったブロック" in the category box
  bool recentShown_ = false;                   // the recent blocks are the page source
  std::vector<std::string> catalogueLines_;    // the catalogue while BlkListSL holds others
  bool catalogueAside_ = false;
  std::optional<BrowsePlace> searchFrom_;      // set while search results are shown
  std::vector<std::u16string> searchWords_;    // the words of the results shown
  // ---- end of search ----

  // ---- Favourites (PaletteFavourites.cpp) ----
 public:
  // The slot the context menu opens over, -1 for none; set before PopupMenu1 is asked.
  void SetMenuSlot(int slot) { menuSlot_ = slot; }
  // Loaded with the settings, after the recent blocks.
  void LoadFavourites(FavouriteBlocks favourites);
  const FavouriteBlocks& Favourites() const { return favourites_; }
  int FavouritesCategoryIndex() const { return favouriteEntry_; }  // -1 while none

 private:
  std::string MenuBlock() const;
  void FavouriteClick(MenuCommand command);
  void AddFavouritesEntry();
  void ShowFavouritesPage(int kaisi);
  bool IsGoneFavourite(const std::string& blkNo) const;
  void DrawGoneFavourite(int slot, const std::string& blkNo);

  FavouriteBlocks favourites_;
  int favouriteEntry_ = -1;                   // "お気に入り" in the category box
  bool favouritesShown_ = false;              // the favourites are the page source
  std::vector<std::string> goneFavourites_;   // of those, the ones the catalogue lacks
  int menuSlot_ = -1;

  // ---- The keyboard on the slots (PaletteKeyboard.cpp) ----
 public:
  // The slot with the keyboard focus: always one showing a block while the page has any.
  int FocusedSlot() const;
  // An arrow, Page Up / Down, Home or End: the focus moves, paging when it must, and the
  // slot is described as pointing describes it.
  void SlotKeyDown(SlotKey key);
  // Enter: the focused block is inserted, by whichever click the option asks for.
  void SlotEnter();
  // Keypad digit 1..9: the focused slot's auxiliary base point of that number, while the
  // base points are shown (they are numbered as the keypad is laid out).
  void SlotKeypad(int digit);

 private:
  int CategoryBlocks() const;
  int focusedSlot_ = 0;
  // ---- end of the keyboard ----
};

}  // namespace zr
