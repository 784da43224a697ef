// Benchmark: does the speed test's timed fetch measure the link, or the
// program? Against the lab's server with pacing off, it compares the time
// per image of CDownloader::Fetch with a minimal HTTP/1.0 request over a
// plain socket for the same object, and shows the clock's resolution.
// Run inside the lab: scripts/lab-isp.sh start build, then
//   scripts/wine-run.sh build build/tests/FetchBenchmark.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/Downloader.h"
#include "engine/ResultLog.h"
#include "tests/support/LabClient.h"

namespace {

// Median milliseconds of `rounds` runs of `fetch`, timed with the speed test's stopwatch.
template <typename Fetch>
double MedianMs(int rounds, Fetch fetch) {
  CResultLog stopwatch;
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    stopwatch.StartStopwatch();
    if (!fetch()) {
      std::printf("fetch failed\n");
      std::exit(1);
    }
    stopwatch.StopStopwatch();
    times.push_back(stopwatch.ElapsedMilliseconds());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Compare(const char* name, const std::string& path, int rounds) {
  const std::string address = std::string("http://www.yahoo.com") + path;
  CDownloader downloader;
  downloader.Open();
  double program = MedianMs(rounds, [&] {
    DWORD bytes = 0;
    return downloader.Fetch(address, bytes) == 0;
  });
  double raw = MedianMs(rounds, [&] {
    std::string response;
    return lab::RawGet(address, "www.yahoo.com", response);
  });
  std::printf("%-36s program %7.3f ms  raw socket %7.3f ms  ratio %.2f\n", name, program, raw,
              program / raw);
}

double StopwatchResolutionMs() {
  CResultLog stopwatch;
  double smallest = 1e9;
  for (int i = 0; i < 1000; ++i) {
    stopwatch.StartStopwatch();
    do {
      stopwatch.StopStopwatch();
    } while (stopwatch.ElapsedMilliseconds() <= 0.0);
    smallest = std::min(smallest, stopwatch.ElapsedMilliseconds());
  }
  return smallest;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 200;
  std::string answer;
  if (lab::Address().empty() || !lab::Control("link-up?speed=0", answer)) {
    std::printf("no lab server (VELOTUNE_LAB_ISP)\n");
    return 1;
  }
  std::printf("rounds %d, loopback, no pacing; medians per image\n", rounds);
  Compare("logo.gif (Content-Length, 4000 B)", "/img/logo.gif", rounds);
  Compare("banner.gif (no length, 12000 B)", "/img/banner.gif", rounds);
  Compare("big.jpg (no length, 60000 B)", "/img/big.jpg", rounds);
  std::printf("stopwatch resolution %.6f ms\n", StopwatchResolutionMs());
  lab::Control("link-down", answer);
  return 0;
}
