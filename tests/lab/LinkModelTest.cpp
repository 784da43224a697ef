// The lab's link model: the tune-up candidates have the best answers the
// README promises, and the knobs (noise, pacing off) behave.
#include <gtest/gtest.h>

#include "sim/isp/LinkModel.h"

namespace {

double ResponseMs(const LinkValues& values, int bodyBytes, std::uint32_t number = 1) {
  ResponsePacer pacer(values, number);
  double total = pacer.SetupMs() + pacer.NextSegmentMs(150);
  for (int left = bodyBytes; left > 0; left -= pacer.SegmentPayload()) {
    total += pacer.NextSegmentMs(left < pacer.SegmentPayload() ? left : pacer.SegmentPayload());
  }
  return total;
}

// One pass over the lab's test page as the timed test sees it: two images
// answered by their Content-Length alone, two read in full.
double TestPageMs(int mtu, int rwin, int ttl) {
  LinkValues values;
  values.mtu = mtu;
  values.rwin = rwin;
  values.ttl = ttl;
  return 2 * ResponseMs(values, 0) + ResponseMs(values, 12000) + ResponseMs(values, 18000);
}

TEST(LinkModelTest, TuneUpCandidatesHaveOneBestAnswer) {
  // MTU, with the Windows 98 defaults RWIN 8760 and TTL 32 in effect.
  double mtu576 = TestPageMs(576, 8760, 32);
  double mtu1000 = TestPageMs(1000, 8760, 32);
  double mtu1500 = TestPageMs(1500, 8760, 32);
  EXPECT_LT(mtu1000 * 1.03, mtu1500);
  EXPECT_LT(mtu1000 * 1.03, mtu576);
  // RWIN as 2, 6 and 16 segments of the MSS that belongs to MTU 1000.
  double rwin2 = TestPageMs(1000, 2 * 960, 32);
  double rwin6 = TestPageMs(1000, 6 * 960, 32);
  double rwin16 = TestPageMs(1000, 16 * 960, 32);
  EXPECT_LT(rwin6 * 1.03, rwin2);
  EXPECT_LT(rwin6 * 1.03, rwin16);
  // TTL: short TTLs lose the segments that take a long detour.
  double ttl32 = TestPageMs(1000, 5760, 32);
  double ttl64 = TestPageMs(1000, 5760, 64);
  double ttl128 = TestPageMs(1000, 5760, 128);
  EXPECT_LT(ttl64 * 1.03, ttl32);
  EXPECT_LT(ttl128 * 1.03, ttl64);
  // A manual RWIN tune-up writes the candidates as they are, over the
  // Windows 98 defaults MTU 1500 and TTL 32: the largest window wins.
  double manual8576 = TestPageMs(1500, 8576, 32);
  EXPECT_LT(manual8576 * 1.03, TestPageMs(1500, 3216, 32));
  EXPECT_LT(manual8576 * 1.03, TestPageMs(1500, 1072, 32));
  // The tuned link beats the defaults clearly.
  EXPECT_LT(ttl128 * 1.15, mtu1500);
}

TEST(LinkModelTest, WindowBelowOneSegmentShrinksTheSegment) {
  LinkValues values;
  values.mtu = 1500;
  values.rwin = 1072;
  ResponsePacer pacer(values, 1);
  EXPECT_EQ(1072, pacer.SegmentPayload());
  values.rwin = 8760;
  EXPECT_EQ(1460, ResponsePacer(values, 1).SegmentPayload());
}

TEST(LinkModelTest, NoiseIsRepeatableAndBounded) {
  LinkValues values;
  values.seed = 42;
  values.noisePercent = 5;
  LinkValues quiet = values;
  quiet.seed = 0;
  double plain = ResponseMs(quiet, 12000);
  bool varied = false;
  for (std::uint32_t number = 1; number < 50; ++number) {
    double noisy = ResponseMs(values, 12000, number);
    EXPECT_DOUBLE_EQ(noisy, ResponseMs(values, 12000, number));
    EXPECT_GE(noisy, plain * 0.95 - 1e-6);
    EXPECT_LE(noisy, plain * 1.05 + 1e-6);
    varied = varied || noisy != plain;
  }
  EXPECT_TRUE(varied);
}

TEST(LinkModelTest, PacingOffAndHostileValues) {
  LinkValues values;
  values.speed = 0;
  EXPECT_FALSE(ResponsePacer(values, 1).Paced());
  EXPECT_EQ(0.0, ResponseMs(values, 100000));
  values.speed = 48000;
  values.scale = 0;
  EXPECT_FALSE(ResponsePacer(values, 1).Paced());

  LinkValues odd;
  odd.mtu = -5;
  odd.rwin = 0;
  odd.ttl = 100000;
  odd.scale = 0.5;
  ResponsePacer pacer(odd, 1);
  EXPECT_GE(pacer.SegmentPayload(), 1);
  EXPECT_GT(pacer.NextSegmentMs(10), 0.0);
  EXPECT_LE(pacer.LossShare(), linkmodel::kMaxLossShare);
}

TEST(LinkModelTest, ScaleShortensEveryTime) {
  LinkValues values;
  double full = ResponseMs(values, 18000);
  values.scale = 0.1;
  EXPECT_NEAR(full * 0.1, ResponseMs(values, 18000), 1e-6);
}

}  // namespace
