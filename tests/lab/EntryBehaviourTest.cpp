// What the lab's phone-book entries make a dial do.
#include <gtest/gtest.h>

#include <vector>

#include "sim/ras/EntryBehaviour.h"
#include "sim/ras/LabPhonebook.h"

namespace {

struct Outcome {
  unsigned state;
  unsigned error;
};

Outcome LastStep(const std::vector<DialStep>& steps) {
  if (steps.empty()) return Outcome{0xFFFFFFFF, 0xFFFFFFFF};
  return Outcome{steps.back().state, steps.back().error};
}

class EntryBehaviourTest : public ::testing::Test {
 protected:
  EntryBehaviour Entry(const std::string& body) {
    book_.Parse("[Entry]\n" + body);
    return ReadEntryBehaviour(book_, "Entry");
  }
  Outcome Dial(const std::string& body, int dialNumber = 1, const std::string& user = "u",
               const std::string& password = "p") {
    return LastStep(BuildDialScript(Entry(body), dialNumber, user, password));
  }

  LabPhonebook book_;
};

TEST_F(EntryBehaviourTest, OutcomesEndTheirDialsWithTheirStatesAndErrors) {
  const struct {
    const char* body;
    unsigned state;
    unsigned error;
  } cases[] = {
      {"", 0x2000, 0},
      {"Outcome=Connect", 0x2000, 0},
      {"Outcome=busy", 2, 676},
      {"Outcome=nodialtone", 2, 680},
      {"Outcome=authfail", 6, 691},
      {"Outcome=cancel", 0x2001, 631},
      {"Outcome=drop", 0x2000, 0},
      {"Outcome=something else", 0x2000, 0},
  };
  for (const auto& c : cases) {
    Outcome outcome = Dial(c.body);
    EXPECT_EQ(c.state, outcome.state) << c.body;
    EXPECT_EQ(c.error, outcome.error) << c.body;
  }
  EXPECT_TRUE(HoldsPortElsewhere(Entry("Outcome=PortOpen")));
  EXPECT_FALSE(HoldsPortElsewhere(Entry("Outcome=busy")));
}

TEST_F(EntryBehaviourTest, AConnectingDialPassesTheStatesInOrder) {
  std::vector<unsigned> states;
  for (const DialStep& step : BuildDialScript(Entry(""), 1, "", "")) {
    EXPECT_EQ(0u, step.error);
    states.push_back(step.state);
  }
  EXPECT_EQ((std::vector<unsigned>{0, 1, 2, 3, 4, 5, 6, 10, 14, 0x2000}), states);
}

TEST_F(EntryBehaviourTest, BusyLinesClearAfterTheirCount) {
  EXPECT_EQ(676u, Dial("Busy=2", 1).error);
  EXPECT_EQ(676u, Dial("Busy=2", 2).error);
  EXPECT_EQ(0x2000u, Dial("Busy=2", 3).state);
  EXPECT_EQ(0x2000u, Dial("Busy=oops", 1).state) << "an unreadable count is no busy line";
}

TEST_F(EntryBehaviourTest, TheAccessServerChecksLoginAndPasswordWhenTheEntryNamesThem) {
  EXPECT_EQ(0x2000u, Dial("Login=jdoe\nPassword=pw", 1, "jdoe", "pw").state);
  EXPECT_EQ(691u, Dial("Login=jdoe\nPassword=pw", 1, "jdoe", "PW").error);
  EXPECT_EQ(691u, Dial("Login=jdoe\nPassword=pw", 1, "jdoe", "").error);
  EXPECT_EQ(691u, Dial("Password=", 1, "anyone", "pw").error) << "an empty password required";
  EXPECT_EQ(0x2000u, Dial("Password=", 1, "anyone", "").state);
  EXPECT_EQ(0x2000u, Dial("", 1, "", "").state) << "no check: anything goes";
}

TEST_F(EntryBehaviourTest, ScriptsReportExactlyTheirStatesAndSkipJunk) {
  std::vector<DialStep> steps =
      BuildDialScript(Entry("Script=0, 1 ,0x4000,2:12345, junk,-1,3:,4\nStepMs=7"), 1, "", "");
  ASSERT_EQ(5u, steps.size());
  EXPECT_EQ(0x4000u, steps[2].state);
  EXPECT_EQ(2u, steps[3].state);
  EXPECT_EQ(12345u, steps[3].error);
  EXPECT_EQ(4u, steps[4].state);
  for (const DialStep& step : steps) EXPECT_EQ(7u, step.delayMs);

  std::string endless = "Script=";
  for (int i = 0; i < 1000; ++i) endless += "1,";
  EXPECT_EQ(64u, BuildDialScript(Entry(endless), 1, "", "").size()) << "bounded";
}

TEST_F(EntryBehaviourTest, LinesDropWhenTheEntrySays) {
  EXPECT_EQ(0u, Entry("").dropAfterMs);
  EXPECT_EQ(5000u, Entry("Outcome=drop").dropAfterMs);
  EXPECT_EQ(2000u, Entry("DropAfter=2").dropAfterMs);
  EXPECT_EQ(629u, Entry("DropAfter=2").dropError);
  EXPECT_EQ(619u, Entry("DropAfter=2\nDropError=619").dropError);
  EXPECT_EQ(2000u, DropAfterMs(Entry("DropAfter=2"), 3));
  EXPECT_EQ(2000u, DropAfterMs(Entry("DropAfter=2\nDrops=1"), 1));
  EXPECT_EQ(0u, DropAfterMs(Entry("DropAfter=2\nDrops=1"), 2));
  EXPECT_EQ("Lab Modem", Entry("").device);
  EXPECT_EQ(28800, Entry("Speed=28800").speed);
}

}  // namespace
