// The texts of a usage report: the distribution tags and the agent text
// that carries the report. Windows-free.
#pragma once

#include <string>

namespace usagereport {

inline constexpr char kServer[] = "www.orvalis.com";
inline constexpr char kPath[] = "/vthits.shtml";
inline constexpr char kProduct[] = "Velotune";
inline constexpr int kTagIndex = 11;
inline constexpr int kTagCount = 17;
inline constexpr char kFirstAccessReport[] = "2.6";
inline constexpr char kCompletionReport[] = "2.6-TuneUp_Completed";

// The distribution tag of an index, such as "(Web)"; empty outside the table.
std::string DistributionTag(int index);

// product, tag, "/", report text, " [", provider name, "]".
std::string AgentText(const std::string& product, int tagIndex, const std::string& reportText,
                      const std::string& providerName);

}  // namespace usagereport
