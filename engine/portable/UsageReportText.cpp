// The texts of a usage report (see UsageReportText.h).
#include "engine/portable/UsageReportText.h"

namespace usagereport {
namespace {

// The channels through which the program was handed out.
const char* const kTags[kTagCount] = {
    "(CD)",     "(Retail)",  "(OEM)",    "(Magazine)", "(Shareware)", "(Bundle)",
    "(ISP)",    "(Trial)",   "(Partner)", "(Reseller)", "(Email)",    "(Web)",
    "(Promo)",  "(School)",  "(Kiosk)",  "(Beta)",     "(Press)",
};

}  // namespace

std::string DistributionTag(int index) {
  if (index < 0 || index >= kTagCount) return std::string();
  return kTags[index];
}

std::string AgentText(const std::string& product, int tagIndex, const std::string& reportText,
                      const std::string& providerName) {
  return product + DistributionTag(tagIndex) + "/" + reportText + " [" + providerName + "]";
}

}  // namespace usagereport
