// The agent text of the usage reports.
#include <gtest/gtest.h>

#include "engine/portable/UsageReportText.h"

namespace {

TEST(UsageReportTextTest, AgentTextAndTags) {
  using namespace usagereport;
  EXPECT_EQ("Velotune(Web)/2.6-TuneUp_Completed [America Online]",
            AgentText(kProduct, kTagIndex, kCompletionReport, "America Online"));
  EXPECT_EQ("Velotune(Web)/2.6 []", AgentText(kProduct, kTagIndex, kFirstAccessReport, ""));
  EXPECT_EQ("Velotune/2.6 [Juno]", AgentText(kProduct, kTagCount, "2.6", "Juno"));
  EXPECT_EQ("", DistributionTag(-1));
  for (int i = 0; i < kTagCount; ++i) {
    std::string tag = DistributionTag(i);
    ASSERT_GE(tag.size(), 3u);
    EXPECT_EQ('(', tag.front());
    EXPECT_EQ(')', tag.back());
  }
}

}  // namespace
