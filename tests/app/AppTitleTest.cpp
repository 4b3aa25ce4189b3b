#include "app/AppTitle.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace zr {
namespace {

using Lines = std::vector<std::string>;

TEST(FindTargetName, FirstLineWithTabFollowedByTheProgID) {
  const Lines targets{"AutoCAD\tAutoCAD.Application", "BricsCAD V24\tBricscadApp.AcadApplication.24",
                      "BricsCAD\tBricscadApp.AcadApplication", "LT\tAutoCAD LT"};
  // The line of exactly that ProgID wins over an earlier line of a longer one; a leading
  // part of a longer ProgID matches only when no line has it exactly.
  EXPECT_EQ(cadlink::FindTargetName(targets, "BricscadApp.AcadApplication"), "BricsCAD");
  EXPECT_EQ(cadlink::FindTargetName(targets, "BricscadApp.AcadApp"), "BricsCAD V24");
  EXPECT_EQ(cadlink::FindTargetName(targets, "AutoCAD LT"), "LT");
  EXPECT_EQ(cadlink::FindTargetName(targets, "autocad.application"), std::nullopt);
  EXPECT_EQ(cadlink::FindTargetName(targets, "GCAD.Application"), std::nullopt);
}

TEST(FindTargetName, NameIsTheTextBeforeTheMatchingTab) {
  // The match may follow a later tab of the line: everything before that tab is the name.
  EXPECT_EQ(cadlink::FindTargetName({"Old\tX.App\tNew.App"}, "New.App"), "Old\tX.App");
  EXPECT_EQ(cadlink::FindTargetName({"\tX.App"}, "X.App"), "");
  EXPECT_EQ(cadlink::FindTargetName({"X.App"}, "X.App"), std::nullopt);  // no tab: no match
}

TEST(TitleWithTarget, BracketsTheName) {
  EXPECT_EQ(TitleWithTarget(kAppTitle, "BricsCAD"), "Zoveza Ruzu 1.65 Dark [ BricsCAD ]");
  EXPECT_EQ(TitleWithTarget(kAppTitle, ""), "Zoveza Ruzu 1.65 Dark [  ]");
}

TEST(StartupTitle, ReadsTheTargetListWhenItExists) {
  test::TempFolder dir;
  const std::string list = dir.File(cadlink::kTargetListFile);
  EXPECT_EQ(StartupTitle(list, "BricscadApp.AcadApplication"), "Zoveza Ruzu 1.65 Dark");

  // Code page 932 without a byte-order mark, CR line ends.
  dir.Write(cadlink::kTargetListFile, "\x83\x75\x83\x8A\x83\x62\x83\x4E\x83\x58\tBricscadApp.AcadApplication\r"
                             "GstarCAD\tGCAD.Application\r");
  EXPECT_EQ(StartupTitle(list, "GCAD.Application"), "Zoveza Ruzu 1.65 Dark [ GstarCAD ]");
  EXPECT_EQ(StartupTitle(list, "BricscadApp.AcadApplication"),
            "Zoveza Ruzu 1.65 Dark [ ブリックス ]");
  EXPECT_EQ(StartupTitle(list, "ZWCAD.Application"), "Zoveza Ruzu 1.65 Dark");

  dir.Write(cadlink::kTargetListFile, "\xEF\xBB\xBFZWCAD\tZWCAD.Application\n");  // UTF-8 with its mark
  EXPECT_EQ(StartupTitle(list, "ZWCAD.Application"), "Zoveza Ruzu 1.65 Dark [ ZWCAD ]");
  dir.Write(cadlink::kTargetListFile, "한국 CAD\tK.App\n");  // UTF-8 without a mark
  EXPECT_EQ(StartupTitle(list, "K.App"), "Zoveza Ruzu 1.65 Dark [ 한국 CAD ]");
}

}  // namespace
}  // namespace zr
