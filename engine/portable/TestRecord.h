// One test of a tune-up, and the argument of the TCP/IP parameter operations
// and of the result analysis. Windows-free.
#pragma once

// Test record kinds.
constexpr int kRecordBaseline = 1;  // measure with the user's own settings, change nothing
constexpr int kRecordManual = 2;    // manual test of one parameter; also "the value in effect"
constexpr int kRecordAuto = 3;      // part of an Auto Tune-Up; also "the stored best value"

// TCP/IP parameter kinds.
constexpr int kParameterNone = 0;  // baseline records
constexpr int kParameterMtu = 1;
constexpr int kParameterRwin = 2;
constexpr int kParameterTtl = 3;
constexpr int kParameterCacheSize = 4;
// The parameter field of an Auto Tune-Up request with America Online.
constexpr int kParameterAolAuto = 5;

struct TestRecord {
  int kind = 0;
  int parameter = 0;
  int value = 0;
  double elapsed = 0.0;  // milliseconds of the timed fetches
};
