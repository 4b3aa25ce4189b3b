// How the DXF reader ends: missing and unreadable files, pairs that cannot be converted,
// non-DXF input, and the progress indicator.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "DxfReadTestSupport.h"
#include "text/TextFile.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace zr {
namespace {

using testing::Dxf;
using testing::Entities;
using testing::Read;

struct RecordingOwner : IMessageOwner {
  void ShowMessage(const std::string& text, const std::string& caption) override {
    messages.push_back(caption + "|" + text);
  }
  std::vector<std::string> messages;
};

struct RecordingBar : IProgressBar {
  void SetMax(int max) override { calls.push_back("max " + std::to_string(max)); }
  void SetPosition(int position) override {
    calls.push_back("pos " + std::to_string(position));
    highest = std::max(highest, position);
  }
  std::vector<std::string> calls;
  int highest = 0;
};

std::string OutputPath(const std::string& name) {
  std::filesystem::create_directories(ZR_TEST_OUTPUT_DIR);
  return std::string(ZR_TEST_OUTPUT_DIR) + "/" + name;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(text::PathFromUtf8(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void ExpectOnlyLayerZero(const TDxfModel& model) {
  ASSERT_EQ(model.LayerAry.size(), 1u);
  EXPECT_EQ(model.LayerAry[0].Name, "0");
  EXPECT_EQ(model.LayerAry[0].color, 7);
  EXPECT_TRUE(model.LineAry.empty());
  EXPECT_TRUE(model.BlockAry.empty());
}

TEST(DxfReadFailure, MissingFileGivesAnEmptyModelWithoutError) {
  TDxfModel model;
  model.LineAry.resize(3);
  std::string err = "old", ver = "old";
  RecordingOwner owner;
  RecordingBar bar;
  DxfRead(model, OutputPath("no-such-file.dxf"), &bar, &owner, err, ver);
  EXPECT_EQ(err, "");
  EXPECT_EQ(ver, "");
  ExpectOnlyLayerZero(model);
  EXPECT_TRUE(owner.messages.empty());
  EXPECT_EQ(bar.calls, std::vector<std::string>{"pos 0"});
}

TEST(DxfReadFailure, FileIsReadThroughItsUtf8Path) {
  const std::string path = OutputPath("ブロック 表.dxf");
  WriteFile(path, Entities("0|LINE|10|4|0|ENDSEC"));
  TDxfModel model;
  std::string err, ver;
  DxfRead(model, path, nullptr, nullptr, err, ver);
  EXPECT_EQ(err, "");
  ASSERT_EQ(model.LineAry.size(), 1u);
  EXPECT_DOUBLE_EQ(model.LineAry[0].st.x, 4);
}

#ifndef _WIN32
TEST(DxfReadFailure, UnreadableFileIsBusy) {
  if (geteuid() == 0) GTEST_SKIP() << "file permissions do not stop the super-user";
  const std::string path = OutputPath("unreadable.dxf");
  WriteFile(path, Entities("0|LINE"));
  std::filesystem::permissions(path, std::filesystem::perms::none);
  TDxfModel model;
  std::string err, ver;
  RecordingOwner owner;
  DxfRead(model, path, nullptr, &owner, err, ver);
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  EXPECT_EQ(err, "busy");
  ExpectOnlyLayerZero(model);
  EXPECT_EQ(owner.messages, std::vector<std::string>{"DxfRead|DXFファイルは使用中です．"});
}
#endif

TEST(DxfReadFailure, BadGroupCodeStopsWithLineNumbersAndKeepsWhatCameBefore) {
  RecordingOwner owner;
  const auto r = Read(Dxf("0|SECTION|2|ENTITIES|0|LINE|10|1|x1|7|0|LINE|0|ENDSEC"), nullptr,
                      &owner);
  EXPECT_EQ(r.err, "9:x1/10:7");
  EXPECT_EQ(owner.messages, std::vector<std::string>{"DxfRead|9 : x1 / 10 : 7"});
  ASSERT_EQ(r.model.LineAry.size(), 1u);
  EXPECT_DOUBLE_EQ(r.model.LineAry[0].st.x, 1);
  EXPECT_EQ(r.model.LayerAry.size(), 1u);  // the end of the read still runs
}

TEST(DxfReadFailure, BadNumberInATakenFieldShowsBothLinesAsRead) {
  const auto r = Read(Entities("0|CIRCLE| 40|1,5|0|CIRCLE"));
  EXPECT_EQ(r.err, "7: 40/8:1,5");
  EXPECT_EQ(r.model.CircleAry.size(), 1u);
  // Integer fields take blanks around the digits, but nothing else, nor more than 16 bits.
  EXPECT_EQ(Read(Entities("0|LINE|62|  5 |0|LINE")).err, "");
  EXPECT_EQ(Read(Entities("0|LINE|62|5 5|0|LINE")).err, "7:62/8:5 5");
  EXPECT_EQ(Read(Entities("0|LINE|62|40000|0|LINE")).err, "7:62/8:40000");
  EXPECT_EQ(Read(Entities("0|LINE|10| 2.5 |0|LINE")).err, "");
}

TEST(DxfReadFailure, MessageOnlyWhenAnOwnerIsGiven) {
  const auto r = Read(Entities("0|LINE|10|x"));
  EXPECT_EQ(r.err, "7:10/8:x");
}

TEST(DxfReadFailure, BinaryDxfEndsAtTheFirstPair) {
  const char head[] = "AutoCAD Binary DXF\r\n\x1a\0";
  const char body[] = "\0SECTION\0\x02HEADER\0\x09$ACADVER\0\x01" "AC1009\0";
  std::string bytes(head, sizeof head - 1);
  bytes.append(body, sizeof body - 1);
  RecordingOwner owner;
  const auto r = Read(bytes, nullptr, &owner);
  EXPECT_EQ(r.err.rfind("1:AutoCAD Binary DXF/2:", 0), 0u) << r.err;
  EXPECT_EQ(owner.messages.size(), 1u);
  EXPECT_EQ(r.ver, "");
  ExpectOnlyLayerZero(r.model);
}

TEST(DxfReadFailure, ArbitraryBytesNeverCrashAndAlwaysEndWithLayers) {
  std::mt19937 rng(12345);
  const std::string alphabet = "0123456789 \r\n-.eLINECRTXSQDB\x83\x5c\xe3\x81";
  for (int round = 0; round < 300; ++round) {
    std::string bytes;
    const int length = static_cast<int>(rng() % 400);
    for (int i = 0; i < length; ++i) bytes += alphabet[rng() % alphabet.size()];
    if (round % 2 == 0) bytes = Entities("0|LWPOLYLINE|0|POLYLINE|0|VERTEX|0|TEXT|") + bytes;
    const auto r = Read(bytes);
    EXPECT_FALSE(r.model.LayerAry.empty());
    for (const TLwpEle& v : r.model.LwpEleAry) {
      EXPECT_GE(v.ihand, 0);
      EXPECT_LT(static_cast<std::size_t>(v.ihand), r.model.LwpAry.size());
    }
  }
}

TEST(DxfReadFailure, ProgressRunsToAboutFiftyAndEndsAtZero) {
  std::string body;
  for (int i = 0; i < 495; ++i) body += "0|LINE|";
  const std::string bytes = Entities(body + "0|LINE");  // 1000 lines, 500 pairs
  RecordingBar bar;
  Read(bytes, &bar);
  ASSERT_GE(bar.calls.size(), 4u);
  EXPECT_EQ(bar.calls[0], "pos 0");
  EXPECT_EQ(bar.calls[1], "max 50");
  EXPECT_EQ(bar.calls[2], "pos 1");   // pair 0
  EXPECT_EQ(bar.calls.back(), "pos 0");
  // step = 1000 div 100 + 1 = 11: pairs 0, 11, ..., 495 -> 46 steps.
  EXPECT_EQ(bar.highest, 46);
  EXPECT_EQ(bar.calls.size(), 2u + 46u + 1u);
}

TEST(DxfReadFailure, ProgressEndsAtZeroAfterABadPair) {
  RecordingBar bar;
  Read(Entities("0|LINE|10|bad"), &bar);
  EXPECT_EQ(bar.calls.back(), "pos 0");
}

TEST(DxfReadFailure, TrailingOddLineIsIgnored) {
  const auto r = Read(Dxf("0|SECTION|2|ENTITIES|0|CIRCLE|40|2|0|LINE|10"));
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.model.CircleAry.size(), 1u);
  EXPECT_EQ(r.model.LineAry.size(), 1u);
}

}  // namespace
}  // namespace zr
