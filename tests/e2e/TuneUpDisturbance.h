// What the lab host does to a tune-up besides running it: the ends that cut
// one short (Stop in the waits before the timed fetches, Stop in the middle
// of a fetch, Stop while the first test after the baseline dials - with the
// America Online or CompuServe client signing on -, a modem that another
// program holds when the next test dials)
// and an authentication failure inside a run that the engine's redial gets
// over. The phone book is the host's own copy of the lab's, so an entry can
// change under a running tune-up as a provider's access server would.
//
// Every end is checked for what each end of a tune-up must leave behind:
// the user's TCP/IP values and the AOL client's, the link down, no RAS
// connection, no AOL client left open, the result log closed, the dial
// engine idle, the tree normal and Start enabled.
#pragma once

#include <functional>
#include <string>

#include "engine/VTDoc.h"
#include "tests/e2e/TuneUpHostWindow.h"
#include "tests/support/RegistrySnapshot.h"
#include "tests/support/TuneUpTestFrame.h"

namespace disturbance {

// Copies the lab's phone book into `folder` and has this process's RAS
// stand-in read the copy; false when there is none to copy.
bool UseOwnPhonebook(const std::string& folder);

// The ways in which an end of a tune-up is not clean; empty when it is.
std::string UncleanEnd(CVTDoc& doc, TestMainFrame& frame, const RegistryValueMap& userValues);

// Whether `name` is an end that cuts a tune-up short.
bool IsEnd(const std::string& name);

// Starts a tune-up of `item` and cuts it short as `name` says. Prints
// "end <name>: clean" or "end <name>: unclean: <why>", the last status line
// and whether test values were in effect when it acted; true when clean.
bool RunEnd(const std::string& name, const std::string& entry, int item, CVTDoc& doc,
            TestMainFrame& frame, TuneUpHostWindow& window,
            const RegistryValueMap& userValues);

// The authentication failure inside a run: once the collection has
// connected, the access server of `entry` wants another password; the first
// failure it causes gives the right one back. Poll() on every turn of the
// host's loop; Report() prints "disturbance auth-fail: ..." lines.
class AuthFailure {
 public:
  explicit AuthFailure(std::string entry) : entry_(std::move(entry)) {}
  void Poll(TestMainFrame& frame);
  void Report() const;

 private:
  std::string entry_;
  std::string passwordBefore_;
  size_t armedAt_ = 0;
  bool armed_ = false;
  bool seen_ = false;
};

}  // namespace disturbance
