// CUsageReporter: tells the report server that a provider was first used
// successfully, or that a tune-up finished. The news travels in the agent
// text of one GET; no response is read, and a failed report is silent.
#pragma once

#include <string>

class CUsageReporter {
 public:
  CUsageReporter(const std::string& host, const std::string& path);

  // Sends the report, first with direct access and then, if that did not
  // get the request out, with the preconfigured access. 1 when sent, else 0.
  int Send(const std::string& product, int tagIndex, const std::string& reportText,
           const std::string& providerName);

 private:
  bool Attempt(const std::string& agent, unsigned long accessType) const;

  std::string host_;
  std::string path_;
  std::string product_;
};

// The program's two reports ("2.6" on first access, "2.6-TuneUp_Completed"
// at the end of a tune-up) for a provider kind: 0 when sent, 1 when not.
int SendUsageReport(const std::string& reportText, int providerKind);
