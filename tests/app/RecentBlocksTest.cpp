// The recently inserted blocks: order, limit, and the settings section's lines.
#include <gtest/gtest.h>

#include <map>

#include "app/RecentBlocks.h"

namespace zr {
namespace {

using Lines = std::vector<std::string>;

TEST(RecentBlocks, MostRecentFirstEachOnceAtMostTheLimit) {
  RecentBlocks recent;
  for (const char* n : {"A", "B", "C", "A", ""}) recent.Record(n);
  EXPECT_EQ(recent.Numbers(), (Lines{"A", "C", "B"}));
  for (int i = 0; i < 40; ++i) {
    std::string n = "N";
    recent.Record(n += std::to_string(i));  // (a prefix + of GCC 12 warns falsely)
  }
  ASSERT_EQ(recent.Numbers().size(), kRecentLimit);
  EXPECT_EQ(recent.Numbers().front(), "N39");
  EXPECT_EQ(recent.Numbers().back(), "N12");
  recent.Keep([](const std::string& n) { return n != "N20" && n != "N39"; });
  EXPECT_EQ(recent.Numbers().front(), "N38");
  EXPECT_EQ(recent.Numbers().size(), kRecentLimit - 2);
}

TEST(RecentBlocks, SectionLinesRoundTripAndDamageIsSkipped) {
  RecentBlocks recent;
  for (const char* n : {"E001", "照明-01", "a=b"}) recent.Record(n);
  const Lines lines = recent.ToIniLines();
  EXPECT_EQ(lines, (Lines{"1=a=b", "2=照明-01", "3=E001"}));
  EXPECT_EQ(RecentBlocks::FromIniLines(lines).Numbers(), recent.Numbers());

  // Through single keys: an older, longer list's keys are emptied.
  std::map<std::string, std::string> keys{{"4", "OLD"}, {"28", "OLD"}};
  recent.ToIniKeys([&](const std::string& k, const std::string& v) { keys[k] = v; });
  EXPECT_EQ(keys.size(), kRecentLimit);
  EXPECT_EQ(keys["2"], "照明-01");
  EXPECT_EQ(keys["28"], "");
  const auto read = [&](const std::string& k) -> std::optional<std::string> {
    const auto it = keys.find(k);
    return it == keys.end() ? std::nullopt : std::optional<std::string>(it->second);
  };
  EXPECT_EQ(RecentBlocks::FromIniKeys(read).Numbers(), recent.Numbers());

  const Lines damaged = {"[Recent]", "; note", "10=J", "2 = B ", "x=C", "1=A", "3=", "4=A",
                         "2=dup", "-1=Z", "no equals"};
  EXPECT_EQ(RecentBlocks::FromIniLines(damaged).Numbers(), (Lines{"Z", "A", "B", "J"}));

  Lines many;
  for (int i = 1; i <= 40; ++i) many.push_back(std::to_string(i) + "=N" + std::to_string(i));
  EXPECT_EQ(RecentBlocks::FromIniLines(many).Numbers().size(), kRecentLimit);
}

}  // namespace
}  // namespace zr
