// TForm1: start-up, show, close and destruction of the palette window.
#include "app/AppTitle.h"
#include "app/Catalogue.h"
#include "app/PaletteForm.h"
#include "text/TextFile.h"

namespace zr {

void TForm1::FormCreate(const std::string& exeFile) {
  view_.SetTitle(kAppTitle);

  state_.gbLwpKiten = false;
  state_.gbHojoKitenColor = kAqua;
  gbFlagDbClick = false;
  state_.gbHojoKiten = false;

  exeFile_ = exeFile;
  gbDxfDir = kDxfDirName;
  gbExePath = ExtractFilePath(exeFile);
  gbBlkListFName = gbExePath + kBlockListName;
  gbMnuListFName = gbExePath + kMenuListName;

  state_.gbKaiten = 0.0;

  SetStatusIfChanged(kStatusSize, "");

  ImgSize = kImgSize;
  for (int k = 0; k < kSlotCount; ++k) view_.PlaceSlotPanel(k, SlotPanelRect(k));

  ReadCatalogue();
  settingsPlace_ = FindSettingsPlace(exeFile);
  ReadSettings();

  view_.SetTitle(StartupTitle(gbExePath + cadlink::kTargetListFile, state_.gbProgID));
  // The window registers the COM message filter once this returns.
}

// Start-up reading: the category box from the category list, then the catalogue lines. A
// block list that is missing leaves the catalogue empty.
void TForm1::ReadCatalogue() {
  BlkListSL.clear();
  if (text::FileExists(gbMnuListFName)) {
    view_.ClearCategories();
    std::vector<std::string> menu;
    text::ReadTextLines(gbMnuListFName, menu);
    for (const std::string& name : MenuCategories(menu)) view_.AddCategory(name);
    if (view_.CategoryCount() > 0) {
      view_.SetUpDownPosition(kUpDownStart);
      upDownPosition_ = kUpDownStart;
      view_.SelectCategory(0);
    }
  }
  if (text::FileExists(gbBlkListFName)) text::ReadTextLines(gbBlkListFName, BlkListSL);
}

void TForm1::FormShow() {
  if (view_.CategoryIndex() >= 0) ComboBox1Change();
}

void TForm1::FormClose() {
  // The settings keep the category the user browses, not the search's results.
  if (SearchResultsShown()) SearchEscape();
  WriteSettings();
}

void TForm1::FormDestroy() {
  BlkListSL.clear();
  // The window revokes the COM message filter after this.
}

}  // namespace zr
