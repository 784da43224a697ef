// The browser and the mail program of the end-to-end tests: Wine's
// winebrowser is pointed at a script that appends every address it is given
// to a fixed log, and ".htm" pages are associated with winebrowser as on a
// machine with a browser. Everything is put back when the object goes.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

class BrowserStandIn {
 public:
  // `script` is the logging script's Linux path.
  explicit BrowserStandIn(const std::string& script);
  ~BrowserStandIn();

  BrowserStandIn(const BrowserStandIn&) = delete;
  BrowserStandIn& operator=(const BrowserStandIn&) = delete;

  // Every address logged so far, blanks unescaped as winebrowser escapes them.
  std::string Logged() const;
  // Waits until the log holds `text`; false when it does not in time.
  bool WaitForLogged(const std::string& text, DWORD timeoutMs) const;

 private:
  bool madeAssociation_ = false;
};

}  // namespace e2e
