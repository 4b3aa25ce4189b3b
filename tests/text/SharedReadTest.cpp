// Files the palette reads stay open to others: the catalogue's keeper replaces them while the
// team's palettes are open.
#include "text/SharedRead.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/TempFolder.h"
#include "text/TextFile.h"

namespace zr::text {
namespace {

TEST(SharedRead, OthersMayWriteRenameAndDeleteAFileBeingRead) {
  test::TempFolder dir;
  dir.Write("BlockList.txt", "old lines");
  const std::unique_ptr<std::istream> in = OpenSharedReading(dir.File("BlockList.txt"));
  ASSERT_NE(in, nullptr);
  char first = 0;
  ASSERT_TRUE(in->get(first));
  EXPECT_EQ(first, 'o');

  std::ofstream(dir.Path() / "BlockList.txt", std::ios::binary | std::ios::app) << " more";
  EXPECT_EQ(std::filesystem::file_size(dir.Path() / "BlockList.txt"), 14u);  // written to
  // The file being read moved aside and a new one put in its place (Windows refuses to
  // rename over a file that is open, however it was opened).
  std::error_code renamed;
  std::filesystem::rename(dir.Path() / "BlockList.txt", dir.Path() / "BlockList.old", renamed);
  EXPECT_FALSE(renamed) << renamed.message();
  dir.Write("BlockList.txt", "new lines");
  EXPECT_EQ(ReadFileBytes(dir.File("BlockList.txt")), "new lines");
  dir.Write("E001B.dxf", "0\nEOF\n");
  const std::unique_ptr<std::istream> drawing = OpenSharedReading(dir.File("E001B.dxf"));
  ASSERT_NE(drawing, nullptr);
  std::error_code removed;
  EXPECT_TRUE(std::filesystem::remove(dir.Path() / "E001B.dxf", removed)) << removed.message();
  EXPECT_EQ(OpenSharedReading(dir.File("missing.txt")), nullptr);
}

}  // namespace
}  // namespace zr::text
