// Benchmark: does the speed test's timed fetch measure the link, or the
// program? Against the lab's server with pacing off, it compares the time
// per image of CDownloader::Fetch with a minimal HTTP/1.0 request over a
// plain socket for the same object, and shows the clock's resolution. A third
// column times the bare WinINet calls the fetch is made of (connect, open
// request, send, query the length, close), to tell the program's own cost
// from the platform's.
// Run inside the lab: scripts/lab-isp.sh start build, then
//   scripts/wine-run.sh build build/tests/FetchBenchmark.exe [rounds]
#include <windows.h>
#include <wininet.h>

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

// The fetch's WinINet calls and nothing else: no time-outs, no body read.
bool BareWinInetFetch(HINTERNET session, const std::string& path) {
  HINTERNET connection = InternetConnectA(session, "www.yahoo.com", INTERNET_DEFAULT_HTTP_PORT, "",
                                          "", INTERNET_SERVICE_HTTP, 0, 0);
  HINTERNET request =
      HttpOpenRequestA(connection, "GET", path.c_str(), "HTTP/1.0", nullptr, nullptr,
                       INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
  bool sent = HttpSendRequestA(request, nullptr, 0, nullptr, 0) == TRUE;
  char length[16];
  DWORD size = sizeof(length);
  HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, length, &size, nullptr);
  InternetCloseHandle(request);
  InternetCloseHandle(connection);
  return sent;
}

void Compare(const char* name, const std::string& path, int rounds) {
  const std::string address = std::string("http://www.yahoo.com") + path;
  CDownloader downloader;
  downloader.Open();
  double program = MedianMs(rounds, [&] {
    DWORD bytes = 0;
    return downloader.Fetch(address, bytes) == 0;
  });
  HINTERNET session =
      InternetOpenA("DownloadData", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  double bare = MedianMs(rounds, [&] { return BareWinInetFetch(session, path); });
  InternetCloseHandle(session);
  double raw = MedianMs(rounds, [&] {
    std::string response;
    return lab::RawGet(address, "www.yahoo.com", response);
  });
  std::printf("%-36s program %7.3f ms  bare WinINet %7.3f ms  raw socket %7.3f ms  ratio %.2f\n",
              name, program, bare, raw, program / raw);
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
