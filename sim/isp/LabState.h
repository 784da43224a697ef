// What the lab's server knows beyond its pages: whether the simulated link
// is up and with which values, and the counters that tests read back (usage
// reports with their agent texts, requests served and refused). Shared by
// the connection threads, so every access takes the lock. Windows-free.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "sim/isp/HttpRequestHead.h"
#include "sim/isp/LinkModel.h"

// The link as one response sees it when it starts.
struct LinkSnapshot {
  bool up = false;
  LinkValues values;
  std::uint32_t generation = 0;      // changes at every link-up and link-down
  std::uint32_t responseNumber = 0;  // counts the responses of this link
};

class LabState {
 public:
  explicit LabState(const LinkValues& defaults);

  // Values a link-up request does not name come from the defaults.
  LinkValues Defaults() const;
  void SetDefaults(const LinkValues& defaults);

  void LinkUp(const LinkValues& values);
  void LinkDown();
  bool LinkStillUp(std::uint32_t generation) const;

  // Counts a content request. False (and counted as refused) when the link
  // is down, or when the request is one of the image fetches set to fail.
  bool Admit(const HttpRequestHead& request, LinkSnapshot& link);
  // The next `count` image requests fail as if the line had lost them.
  void FailImageFetches(unsigned count);
  void RecordReport(const HttpRequestHead& request);
  void ResetCounters();

  // "name=value" lines: the link, its values and the counters, then one
  // "report=host|agent" line per usage report in arrival order.
  std::string StatusText() const;
  // One line per request served: "host[:port] path<TAB>agent".
  std::string RequestLog() const;
  // A paced response whose head was delivered: the time the link model gave
  // the head, and the whole response when it was delivered whole (a client
  // that needs only the head, such as a Content-Length, closes after it).
  void RecordPaced(const LinkSnapshot& link, const std::string& path, double headMs,
                   bool whole, double wholeMs);
  // One line per such response:
  // "link generation<TAB>path<TAB>model ms of what was delivered<TAB>whole|head".
  std::string PacedLog() const;

 private:
  static constexpr size_t kLogLimit = 20000;

  mutable std::mutex mutex_;
  LinkValues defaults_;
  LinkSnapshot link_;
  unsigned ups_ = 0;
  unsigned downs_ = 0;
  unsigned served_ = 0;
  unsigned refused_ = 0;
  unsigned imageFailures_ = 0;
  std::vector<std::string> reports_;
  std::vector<std::string> requests_;
  std::vector<std::string> paced_;
};
