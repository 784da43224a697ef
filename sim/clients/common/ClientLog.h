// The lab client programs' log, which the tests read: one line per event,
//
//   <tick> <program> <event> <detail>
//
// e.g. "1234567 AOL link-up mtu=576 rwin=8192 ttl=32" or
// "1234890 Juno key down VK_SPACE Button "&Yes"", the tick being the
// system's millisecond count (GetTickCount), which all programs share.
// Lines are appended one write at a time, so the programs of one test can
// share the file. Without a log path nothing is written.
#pragma once

#include <string>

class ClientLog {
 public:
  ClientLog(const std::string& program, const std::string& path)
      : program_(program), path_(path) {}

  void Write(const std::string& event, const std::string& detail = std::string()) const;

  // A text as the log quotes it: in double quotes, line breaks shown as "\n".
  static std::string Quoted(const std::string& text);

 private:
  std::string program_;
  std::string path_;
};
