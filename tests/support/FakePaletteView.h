#pragma once
// Test doubles of the palette's humble view and of the slot painter: they keep what the
// core shows, count the writes, and record the drawing engine's calls.
#include <array>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/PaletteView.h"
#include "app/SlotPainter.h"
#include "support/RecordingCanvas.h"

namespace zr::test {

class FakePaletteView : public IPaletteView {
 public:
  FakePaletteView() {
    canvases.reserve(kSlotCount);
    for (int k = 0; k < kSlotCount; ++k) canvases.emplace_back(kImgSize, kImgSize);
  }

  std::string Title() const override { return title; }
  void SetTitle(const std::string& t) override { title = t; }

  ViewSize WindowSize() const override { return windowSize; }
  ViewSize ScreenSize() const override { return screenSize; }
  void MoveWindowTo(int left, int top) override { windowPos = {left, top}; }

  void ClearCategories() override {
    categories.clear();
    categoryIndex = -1;
  }
  void AddCategory(const std::string& name) override { categories.push_back(name); }
  int CategoryCount() const override { return static_cast<int>(categories.size()); }
  std::string CategoryAt(int index) const override {
    return categories.at(static_cast<std::size_t>(index));
  }
  int CategoryIndex() const override { return categoryIndex; }
  void SelectCategory(int index) override {
    categoryIndex = index >= 0 && index < CategoryCount() ? index : -1;
    categoryBoxText.clear();
  }

  int UpDownPosition() const override { return upDownPosition; }
  void SetUpDownPosition(int position) override { upDownPosition = position; }

  std::string Text(TextControl c) const override { return texts[static_cast<int>(c)]; }
  void SetText(TextControl c, const std::string& text) override {
    texts[static_cast<int>(c)] = text;
    ++textWrites;
  }
  std::string StatusText(int panel) const override {
    return status.at(static_cast<std::size_t>(panel));
  }
  void SetStatusText(int panel, const std::string& text) override {
    status.at(static_cast<std::size_t>(panel)) = text;
    ++statusWrites;
  }

  bool IsEnabled(SpeedButton b) const override { return enabled[static_cast<int>(b)]; }
  void SetEnabled(SpeedButton b, bool on) override { enabled[static_cast<int>(b)] = on; }
  bool IsChecked(CheckBox b) const override { return checked[static_cast<int>(b)]; }

  void PlaceSlotPanel(int slot, const ControlRect& bounds) override {
    slotPanels.at(static_cast<std::size_t>(slot)) = bounds;
  }
  void SetSlotHint(int slot, const std::string& hint) override {
    hints.at(static_cast<std::size_t>(slot)) = hint;
  }
  ICanvas& SlotCanvas(int slot) override { return canvases.at(static_cast<std::size_t>(slot)); }
  void InvalidateSlot(int slot) override { ++invalidations.at(static_cast<std::size_t>(slot)); }

  void FocusNameField() override { ++nameFieldFocus; }
  ViewPoint ScreenToImage1(ViewPoint screen) const override {
    return {screen.x - image1Origin.x, screen.y - image1Origin.y};
  }

  // Options, About box and settings.
  void SetChecked(CheckBox b, bool on) override { checked[static_cast<int>(b)] = on; }
  void SetCheckBoxLook(CheckBox b, TColor color, bool bold) override {
    checkLooks[static_cast<int>(b)] = {color, bold};
  }
  std::string Caption(SpeedButton b) const override { return captions[static_cast<int>(b)]; }
  void SetCaption(SpeedButton b, const std::string& caption) override {
    captions[static_cast<int>(b)] = caption;
  }
  ViewPoint WindowPosition() const override { return windowPos; }
  bool IsOnWorkArea(const ControlRect& r) const override {
    for (const ControlRect& area : workAreas) {
      if (r.left >= area.left && r.top >= area.top && r.left + r.width <= area.left + area.width &&
          r.top + r.height <= area.top + area.height) {
        return true;
      }
    }
    return false;
  }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowAboutBox() override { ++aboutBoxes; }
  void ShowCatalogueCheck(const std::string& folder) override { checkedFolders.push_back(folder); }

  // The slot whose picture is `canvas`, -1 for none.
  SlotBevel GetSlotBevel(int slot) const override { return bevels[static_cast<std::size_t>(slot)]; }
  void SetSlotBevel(int slot, SlotBevel bevel) override {
    bevels[static_cast<std::size_t>(slot)] = bevel;
    ++bevelWrites;
  }

  // ---- Search across the catalogue ----
  void ShowCategoryBoxText(const std::string& text) override { categoryBoxText = text; }
  void ShowSearchField(bool shown) override { searchFieldShown = shown; }
  bool SearchFieldShown() const override { return searchFieldShown; }
  // What the category box's field shows: the search's text, else the selected entry.
  std::string CategoryBoxText() const {
    if (!categoryBoxText.empty()) return categoryBoxText;
    return categoryIndex >= 0 ? CategoryAt(categoryIndex) : std::string();
  }

  int SlotOf(const ICanvas& canvas) const {
    for (int k = 0; k < kSlotCount; ++k) {
      if (&canvases[static_cast<std::size_t>(k)] == &canvas) return k;
    }
    return -1;
  }

  static std::array<SlotBevel, kSlotCount> MakeRaised() {
    std::array<SlotBevel, kSlotCount> all;
    all.fill(SlotBevel::Raised);
    return all;
  }

  std::string title;
  ViewSize windowSize{397, 228};
  ViewSize screenSize{1280, 800};
  ViewPoint windowPos{-1, -1};
  std::vector<std::string> categories;
  int categoryIndex = -1;
  int upDownPosition = kUpDownStart;
  std::array<std::string, 4> texts{};
  std::array<std::string, kStatusPanelCount> status{};
  std::array<bool, 7> enabled{};  // the paging buttons start disabled
  std::array<bool, 4> checked{false, true, false, false};  // 1/100 at start
  std::array<ControlRect, kSlotCount> slotPanels{};
  std::array<std::string, kSlotCount> hints{};
  std::vector<testing::RecordingCanvas> canvases;  // the slot pictures
  std::array<int, kSlotCount> invalidations{};
  ViewPoint image1Origin{105, 167};  // screen position of the first picture's origin
  std::array<SlotBevel, kSlotCount> bevels = MakeRaised();
  int bevelWrites = 0;
  int textWrites = 0;
  int statusWrites = 0;
  int nameFieldFocus = 0;

  // Options, About box and settings.
  struct CheckLook {
    TColor color = 0;
    bool bold = false;
    bool operator==(const CheckLook&) const = default;
  };
  std::array<CheckLook, 4> checkLooks{{{0, false}, {0x0000FF, false}, {0, false}, {0, false}}};
  std::array<std::string, 7> captions{"<", ">", "+15", "-15", "0", "・", "2p"};
  std::vector<ControlRect> workAreas{{0, 0, 1280, 770}};  // the primary screen less a task bar
  std::vector<std::string> messages;
  int aboutBoxes = 0;
  std::vector<std::string> checkedFolders;  // ShowCatalogueCheck, in order

  std::string categoryBoxText;  // set by the search, emptied by a selection
  bool searchFieldShown = false;
};

// Records the page load's calls into the drawing engine.
class FakeSlotPainter : public ISlotPainter {
 public:
  struct Clear {
    int slot;
    int width;
    int height;
    TColor color;
  };
  struct Draw {
    std::string fileName;
    int slot;
    bool hojoKiten;
    double kaiten;
  };

  struct Pick {
    int slot;
    int x;
    int y;
    bool operator==(const Pick&) const = default;
  };

  explicit FakeSlotPainter(const FakePaletteView& view) : view_(view) {}

  void ClearImage(ICanvas& picture, int width, int height, TColor color) override {
    clears.push_back({view_.SlotOf(picture), width, height, color});
  }
  void DrawSlot(const std::string& fileName, ICanvas& picture, int slot, bool hojoKiten,
                double kaiten) override {
    EXPECT_EQ(view_.SlotOf(picture), slot) << "picture of another slot";
    draws.push_back({fileName, slot, hojoKiten, kaiten});
  }
  int PickKiten(const ICanvas& picture, int slot, int x, int y) override {
    EXPECT_EQ(view_.SlotOf(picture), slot) << "picture of another slot";
    picks.push_back({slot, x, y});
    return 5;
  }

  // The slots drawn, in call order.
  std::vector<int> DrawnSlots() const {
    std::vector<int> slots;
    for (const Draw& d : draws) slots.push_back(d.slot);
    return slots;
  }
  void Reset() {
    clears.clear();
    draws.clear();
    picks.clear();
  }

  std::vector<Clear> clears;
  std::vector<Draw> draws;
  std::vector<Pick> picks;

 private:
  const FakePaletteView& view_;
};

}  // namespace zr::test
