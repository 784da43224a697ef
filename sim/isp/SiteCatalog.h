// The web as the lab serves it: which host names are known, and what each
// path returns. Every known site serves the same set of paths; a site's own
// page is what its root "/" returns. Windows-free.
//
// Known sites: the default test site, the providers' home pages, the usage
// report server, the loopback address itself, every "<page>.lab.test" host
// (whose root is "/<page>.html") and any host a test registers.
#pragma once

#include <map>
#include <string>

// How the server delivers a response beyond sending its bytes.
enum class Delivery {
  kNormal,
  kReset,    // the connection is reset before anything is sent
  kStall,    // the head and the start of the body are sent, then nothing more
  kTrickle,  // the body comes a byte at a time with long pauses
  kSilent,   // nothing is sent, not even the head, until the connection is reset
};

struct SiteContent {
  int status = 200;
  std::string contentType = "text/html";
  std::string body;
  bool sendLength = true;  // a Content-Length header; otherwise the body ends with the connection
  Delivery delivery = Delivery::kNormal;
  bool usageReport = false;
};

namespace sites {
inline constexpr char kDefaultTestSite[] = "www.yahoo.com";
inline constexpr char kReportServer[] = "www.orvalis.com";
inline constexpr char kReportPath[] = "/vthits.shtml";
inline constexpr char kScenarioDomain[] = ".lab.test";
}  // namespace sites

class SiteCatalog {
 public:
  SiteCatalog();

  // Adds a site, or changes the page its root returns. False for a root that is not a path.
  bool SetSite(const std::string& host, const std::string& rootPath);
  // The root page of a host; empty when the host is not known.
  std::string RootOf(const std::string& host) const;

  // What `path` returns on `host` (`hostAndPort` as the client named it, for
  // absolute addresses in pages). False when the host is not known.
  bool Lookup(const std::string& host, const std::string& hostAndPort, const std::string& path,
              SiteContent& content) const;

 private:
  std::map<std::string, std::string> roots_;
};

// The body of a lab image: `size` bytes that begin like a GIF file.
std::string ImageBytes(size_t size, unsigned seed);
