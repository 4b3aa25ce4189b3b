// A DXF file held open without sharing by another program reads as "busy".
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "drawing/DxfRead.h"
#include "text/TextFile.h"

namespace zr {
namespace {

struct RecordingOwner : IMessageOwner {
  void ShowMessage(const std::string& text, const std::string& caption) override {
    messages.push_back(caption + "|" + text);
  }
  std::vector<std::string> messages;
};

TEST(DxfReadBusy, FileLockedByAnotherProgram) {
  std::filesystem::create_directories(ZR_TEST_OUTPUT_DIR);
  const std::string path = std::string(ZR_TEST_OUTPUT_DIR) + "/locked.dxf";
  {
    std::ofstream out(text::PathFromUtf8(path), std::ios::binary);
    out << "0\nSECTION\n2\nENTITIES\n0\nLINE\n0\nENDSEC\n";
  }
  const std::wstring wide = text::PathFromUtf8(path).wstring();
  HANDLE lock = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  TDxfModel model;
  std::string err, ver;
  RecordingOwner owner;
  DxfRead(model, path, nullptr, &owner, err, ver);
  CloseHandle(lock);
  EXPECT_EQ(err, "busy");
  ASSERT_EQ(owner.messages.size(), 1u);
  EXPECT_EQ(owner.messages[0], "DxfRead|DXFファイルは使用中です．");
  EXPECT_TRUE(model.LineAry.empty());
  ASSERT_EQ(model.LayerAry.size(), 1u);

  DxfRead(model, path, nullptr, nullptr, err, ver);  // released: reads normally
  EXPECT_EQ(err, "");
  EXPECT_EQ(model.LineAry.size(), 1u);
}

}  // namespace
}  // namespace zr
