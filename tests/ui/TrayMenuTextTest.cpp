// The tray menus' texts and side-bar figures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/portable/TrayMenuText.h"

namespace {

std::vector<std::string> Numbered(const std::string& prefix, int count) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) names.push_back(prefix + std::to_string(i));
  return names;
}

TEST(TrayMenuTextTest, DialToListsPutTheShortKeysFirstWithoutDuplicatesAndStopAt21) {
  const std::vector<std::string> merged =
      traymenu::MergeNames({"Old Entry", "Lab ISP", ""}, {"LAB isp", "Busy ISP", "Old Entry"});
  EXPECT_EQ((std::vector<std::string>{"Old Entry", "Lab ISP", "Busy ISP"}), merged);

  EXPECT_EQ(Numbered("Entry ", 21), traymenu::MergeNames(Numbered("Entry ", 25), {}));
  const std::vector<std::string> both = traymenu::MergeNames(Numbered("Short ", 15), Numbered("Long ", 10));
  ASSERT_EQ(21u, both.size());
  EXPECT_EQ("Short 15", both[14]);
  EXPECT_EQ("Long 6", both[20]);
  EXPECT_TRUE(traymenu::MergeNames({}, {}).empty());
}

TEST(TrayMenuTextTest, ItemTextsKeepAmpersandsLiteralAndLongNamesFit) {
  EXPECT_EQ("AT&&T Dial && Go", traymenu::ItemText("AT&T Dial & Go"));
  EXPECT_EQ(0, traymenu::Mnemonic(traymenu::ItemText("AT&T")));

  const std::string longName(300, 'x');
  EXPECT_EQ(traymenu::kMaxItemText, traymenu::ItemText(longName).size());
  // A doubled "&" that would not fit is left out whole.
  const std::string edge = std::string(traymenu::kMaxItemText - 1, 'y') + "&z";
  EXPECT_EQ(std::string(traymenu::kMaxItemText - 1, 'y'), traymenu::ItemText(edge));
}

TEST(TrayMenuTextTest, MnemonicsAreTheLetterAfterASingleAmpersandInUpperCase) {
  EXPECT_EQ('D', traymenu::Mnemonic("&Dial"));
  EXPECT_EQ('U', traymenu::Mnemonic("Hang &Up"));
  EXPECT_EQ('X', traymenu::Mnemonic("E&xit"));
  EXPECT_EQ('H', traymenu::Mnemonic("Online &Help"));
  EXPECT_EQ('T', traymenu::Mnemonic("A&&B &to"));
  EXPECT_EQ(0, traymenu::Mnemonic("Show Main Program"));
  EXPECT_EQ(0, traymenu::Mnemonic("trailing&"));
}

TEST(TrayMenuTextTest, TheSideBarFadesInBandsFromTheTopColourToTheBottomColour) {
  const traymenu::Rgb black{0, 0, 0};
  const traymenu::Rgb blue{128, 128, 255};
  for (int height : {1, 50, 128, 300, 1000}) {
    const std::vector<traymenu::Band> bands = traymenu::GradientBands(height, black, blue);
    ASSERT_FALSE(bands.empty()) << height;
    const int bandHeight = height / 128 > 0 ? height / 128 : 1;
    int covered = 0;
    for (size_t i = 0; i < bands.size(); ++i) {
      EXPECT_EQ(covered, bands[i].top) << height;
      EXPECT_LE(bands[i].height, bandHeight);
      covered += bands[i].height;
      if (i > 0) {
        EXPECT_GE(bands[i].colour.blue, bands[i - 1].colour.blue) << height;
        EXPECT_GE(bands[i].colour.red, bands[i - 1].colour.red) << height;
      }
    }
    EXPECT_EQ(height, covered);
    EXPECT_EQ(0, bands.front().colour.red);
    EXPECT_EQ(0, bands.front().colour.blue);
    if (bands.size() > 1) {
      EXPECT_EQ(128, bands.back().colour.red);
      EXPECT_EQ(128, bands.back().colour.green);
      EXPECT_EQ(255, bands.back().colour.blue);
    }
  }
  EXPECT_TRUE(traymenu::GradientBands(0, black, blue).empty());
}

}  // namespace
