// The usage report (see UsageReporter.h).
#include "engine/UsageReporter.h"

#include <windows.h>
#include <wininet.h>

#include "engine/HttpGet.h"
#include "engine/portable/UsageReportText.h"
#include "settings/portable/ProviderKinds.h"

CUsageReporter::CUsageReporter(const std::string& host, const std::string& path)
    : host_(host), path_(path) {}

int CUsageReporter::Send(const std::string& product, int tagIndex, const std::string& reportText,
                         const std::string& providerName) {
  product_ = product;
  const std::string agent = usagereport::AgentText(product_, tagIndex, reportText, providerName);
  if (Attempt(agent, INTERNET_OPEN_TYPE_DIRECT)) return 1;
  return Attempt(agent, INTERNET_OPEN_TYPE_PRECONFIG) ? 1 : 0;
}

bool CUsageReporter::Attempt(const std::string& agent, unsigned long accessType) const {
  InternetHandle session(InternetOpenA(agent.c_str(), accessType, nullptr, nullptr, 0));
  if (!session.IsOpen()) return false;
  SetInternetTimeouts(session.Get());
  pagescan::HttpTarget target;
  target.host = host_;
  target.port = INTERNET_DEFAULT_HTTP_PORT;
  target.path = path_;
  CHttpGet request;
  bool sent = request.Send(session.Get(), target) == 0;
  request.Close();
  return sent;
}

int SendUsageReport(const std::string& reportText, int providerKind) {
  CUsageReporter reporter(usagereport::kServer, usagereport::kPath);
  int sent = reporter.Send(usagereport::kProduct, usagereport::kTagIndex, reportText,
                           ProviderNameFromKind(providerKind));
  return sent == 1 ? 0 : 1;
}
