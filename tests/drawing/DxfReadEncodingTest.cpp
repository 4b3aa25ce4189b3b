// Text encodings of DXF files: the declared or the system code page before AC1021, UTF-8
// from AC1021 on, and files with a byte-order mark.
#include <gtest/gtest.h>

#include <string>

#include "DxfReadTestSupport.h"
#include "text/Utf.h"

namespace zr {
namespace {

using testing::Dxf;
using testing::Read;

// 表 and ソ in code page 932: both end in 0x5C, the backslash.
constexpr const char* kHyouCp932 = "\x95\x5c";
constexpr const char* kSoCp932 = "\x83\x5c";
constexpr const char* kHyouUtf8 = "表";

std::string Header(const std::string& version) {
  return "0|SECTION|2|HEADER|9|$ACADVER|1|" + version + "|0|ENDSEC|";
}

struct Fixture {
  TDxfModel model;
  std::string err, ver;
};

Fixture ReadFixture(const std::string& name) {
  Fixture f;
  DxfRead(f.model, std::string(ZR_TEST_DATA_DIR) + "/dxf/" + name, nullptr, nullptr, f.err,
          f.ver);
  return f;
}

void ExpectJapaneseSymbols(const Fixture& f) {
  EXPECT_EQ(f.err, "");
  ASSERT_EQ(f.model.LayerAry.size(), 2u);
  EXPECT_EQ(f.model.LayerAry[1].Name, "設備");
  EXPECT_EQ(f.model.LayerAry[1].ltype, "破線ビ");  // the trail byte 0x72 is no letter 'r'
  ASSERT_EQ(f.model.BlockAry.size(), 1u);
  EXPECT_EQ(f.model.BlockAry[0].name, "記号");
  ASSERT_EQ(f.model.BlkTextAry.size(), 1u);
  EXPECT_EQ(f.model.BlkTextAry[0].str, "能");
  EXPECT_EQ(f.model.BlkTextAry[0].bname, "記号");
  ASSERT_EQ(f.model.TextAry.size(), 3u);
  EXPECT_EQ(f.model.TextAry[0].str, "分電盤 表示");
  EXPECT_EQ(f.model.TextAry[0].color, 3);
  EXPECT_EQ(f.model.TextAry[1].str, "電灯\\P能力表\\Pソケット十");
  EXPECT_TRUE(f.model.TextAry[1].mtflag);
  EXPECT_EQ(f.model.TextAry[2].str, "ソ");
  ASSERT_EQ(f.model.InsertAry.size(), 1u);
  EXPECT_EQ(f.model.InsertAry[0].name, "記号");
  ASSERT_EQ(f.model.LwpAry.size(), 1u);
  EXPECT_EQ(f.model.LwpAry[0].ltype, "破線ビ");
  EXPECT_EQ(f.model.LwpEleAry.size(), 4u);
  ASSERT_EQ(f.model.LineAry.size(), 1u);
}

TEST(DxfReadEncoding, Cp932DrawingBeforeAc1021) {
  const Fixture f = ReadFixture("cp932-symbols-r2000.dxf");
  EXPECT_EQ(f.ver, "AC1015");
  ExpectJapaneseSymbols(f);
}

TEST(DxfReadEncoding, Utf8DrawingFromAc1021OnReadsTheSameCharacters) {
  const Fixture f = ReadFixture("utf8-symbols-r2018.dxf");
  EXPECT_EQ(f.ver, "AC1032");
  ExpectJapaneseSymbols(f);
}

// A header with a version and a declared code page, then one TEXT and one layer name.
std::string WithCodePage(const std::string& version, const std::string& codePage,
                         const std::string& text) {
  return Dxf("0|SECTION|2|HEADER|9|$ACADVER|1|" + version + "|9|$DWGCODEPAGE|3|" + codePage +
             "|0|ENDSEC|0|SECTION|2|ENTITIES|0|TEXT|8|" + text + "|1|" + text +
             "|0|ENDSEC|0|EOF");
}

TEST(DxfReadEncoding, DeclaredCodePageDecodesFilesBeforeAc1021) {
  struct Case {
    const char* version;
    const char* codePage;
    const char* bytes;
    const char* text;
  };
  const Case cases[] = {
      {"AC1015", "ANSI_1252", "Stra\xdf" "e \xc4", "Straße Ä"},
      {"AC1009", "ANSI_1251", "\xc4\xe0", "Да"},
      {"AC1018", "ANSI_1250", "\x8a", "Š"},
      {"AC1015", "ANSI_932", "\x95\x5c", "表"},
      {"AC1015", "ANSI_936", "\xb1\xed", "表"},
      {"AC1015", "ANSI_949", "\xb0\xa1", "가"},
      {"AC1015", "ANSI_950", "\xaa\xed", "表"},
      {"AC1012", "dos932", "\x95\x5c", "表"},        // the DOS name of the same code page
      {"AC1015", "ANSI_9999", "\x95\x5c", "表"},     // unknown: the system's code page
      {"AC1015", "dos850", "\x95\x5c", "表"},
      {"AC1021", "ANSI_1252", "\xe8\xa1\xa8", "表"},  // from AC1021 on UTF-8 whatever it says
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.version) + " " + c.codePage);
    const auto r = Read(WithCodePage(c.version, c.codePage, c.bytes));
    ASSERT_EQ(r.model.TextAry.size(), 1u);
    EXPECT_EQ(r.model.TextAry[0].str, c.text);
    EXPECT_EQ(r.model.TextAry[0].layer, c.text);
  }
}

TEST(DxfReadEncoding, TrailByteBackslashBeforeParagraphCode) {
  const std::string mtext = std::string(kHyouCp932) + "\\P" + kSoCp932 + "\\P";
  const auto r = Read(Dxf(Header("AC1018") + "0|SECTION|2|ENTITIES|0|MTEXT|1|" + mtext +
                          "|0|LINE|0|ENDSEC"));
  ASSERT_EQ(r.model.TextAry.size(), 1u);
  EXPECT_EQ(r.model.TextAry[0].str, "表\\Pソ\\P");
}

TEST(DxfReadEncoding, DecodingSwitchesToUtf8OnceTheVersionIsKnown) {
  const std::string utf8Text = kHyouUtf8;
  const auto r = Read(Dxf("0|SECTION|2|ENTITIES|0|TEXT|1|" + utf8Text + "|0|ENDSEC|" +
                          Header("AC1021") + "0|SECTION|2|ENTITIES|0|TEXT|1|" + utf8Text +
                          "|0|LINE|0|ENDSEC"));
  EXPECT_EQ(r.ver, "AC1021");
  ASSERT_EQ(r.model.TextAry.size(), 2u);
  EXPECT_NE(r.model.TextAry[0].str, utf8Text);  // decoded with the code page
  EXPECT_TRUE(text::IsValidUtf8(r.model.TextAry[0].str));
  EXPECT_EQ(r.model.TextAry[1].str, utf8Text);
}

TEST(DxfReadEncoding, SameBytesDecodeAnewOnceTheCodePageIsKnown) {
  // The same layer bytes before and after a header that declares another code page.
  const std::string entity = "0|SECTION|2|ENTITIES|0|TEXT|8|\x95\x5c|1|x|0|ENDSEC|";
  const auto r = Read(Dxf(entity +
                          "0|SECTION|2|HEADER|9|$ACADVER|1|AC1015|9|$DWGCODEPAGE|3|ANSI_1252|"
                          "0|ENDSEC|" + entity + "0|EOF"));
  ASSERT_EQ(r.model.TextAry.size(), 2u);
  EXPECT_EQ(r.model.TextAry[0].layer, "表");  // the system's code page, 932
  EXPECT_EQ(r.model.TextAry[1].layer, "\u2022\\");
}

TEST(DxfReadEncoding, VersionsBelowAc1021KeepTheCodePage) {
  const auto r = Read(Dxf(Header("AC1018") + "0|SECTION|2|ENTITIES|0|TEXT|1|" + kHyouCp932 +
                          "|0|LINE|0|ENDSEC"));
  ASSERT_EQ(r.model.TextAry.size(), 1u);
  EXPECT_EQ(r.model.TextAry[0].str, "表");
}

TEST(DxfReadEncoding, MalformedUtf8BecomesReplacementCharacters) {
  const auto r = Read(Dxf(Header("AC1027") + "0|SECTION|2|ENTITIES|0|TEXT|1|A\xff" "B\xe3\x81|0|"
                          "LINE|8|\xc0\xaf|0|ENDSEC"));
  ASSERT_EQ(r.model.TextAry.size(), 1u);
  EXPECT_TRUE(text::IsValidUtf8(r.model.TextAry[0].str));
  EXPECT_EQ(r.model.TextAry[0].str.substr(0, 1), "A");
  EXPECT_NE(r.model.TextAry[0].str.find("\xEF\xBF\xBD"), std::string::npos);
  ASSERT_EQ(r.model.LineAry.size(), 1u);
  EXPECT_TRUE(text::IsValidUtf8(r.model.LineAry[0].layer));
}

TEST(DxfReadEncoding, ByteOrderMarkChoosesUtf8ForTheWholeFile) {
  const auto r = Read("\xEF\xBB\xBF" + Dxf(Header("AC1015") + "0|SECTION|2|ENTITIES|0|TEXT|1|" +
                                           kHyouUtf8 + "|0|LINE|0|ENDSEC"));
  EXPECT_EQ(r.ver, "AC1015");
  ASSERT_EQ(r.model.TextAry.size(), 1u);
  EXPECT_EQ(r.model.TextAry[0].str, kHyouUtf8);
  // From AC1021 on the text stays as it is, not decoded twice.
  const auto r2 = Read("\xEF\xBB\xBF" + Dxf(Header("AC1024") + "0|SECTION|2|ENTITIES|0|TEXT|1|" +
                                            kHyouUtf8 + "|0|LINE|0|ENDSEC"));
  ASSERT_EQ(r2.model.TextAry.size(), 1u);
  EXPECT_EQ(r2.model.TextAry[0].str, kHyouUtf8);
}

TEST(DxfReadEncoding, Utf16FileWithByteOrderMark) {
  const std::u16string body = text::Utf8ToUtf16(Dxf("0|SECTION|2|ENTITIES|0|TEXT|1|表示|0|LINE", "\r\n"));
  std::string bytes = "\xFF\xFE";
  for (const char16_t u : body) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  const auto r = Read(bytes);
  EXPECT_EQ(r.err, "");
  ASSERT_EQ(r.model.TextAry.size(), 1u);
  EXPECT_EQ(r.model.TextAry[0].str, "表示");
}

TEST(DxfReadEncoding, LineTypesAreUpperCasedInAsciiOnly) {
  const auto r = Read(Dxf(Header("AC1027") +
                          "0|SECTION|2|ENTITIES|0|LINE|6|dashDot|0|LINE|6|ｄａｓｈ破線x|"
                          "0|CIRCLE|6|ビr|8|layer|0|ENDSEC"));
  ASSERT_EQ(r.model.LineAry.size(), 2u);
  EXPECT_EQ(r.model.LineAry[0].ltype, "DASHDOT");
  EXPECT_EQ(r.model.LineAry[1].ltype, "ｄａｓｈ破線X");
  ASSERT_EQ(r.model.CircleAry.size(), 1u);
  EXPECT_EQ(r.model.CircleAry[0].ltype, "ビR");
  EXPECT_EQ(r.model.CircleAry[0].layer, "layer");  // layer names keep their case
}

}  // namespace
}  // namespace zr
