// The lab's sites and pages (see SiteCatalog.h).
#include "sim/isp/SiteCatalog.h"

#include <cctype>
#include <cstdint>

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string Page(const std::string& title, const std::string& head, const std::string& body) {
  return "<HTML>\r\n<HEAD>\r\n<TITLE>" + title + "</TITLE>\r\n" + head + "</HEAD>\r\n<BODY>\r\n" +
         body + "</BODY>\r\n</HTML>\r\n";
}

// The test page: sources root-relative, relative and absolute, and images
// served with and without a Content-Length.
std::string TestPage(const std::string& hostAndPort) {
  return Page("Welcome", "",
              "<IMG SRC=\"/img/logo.gif\" WIDTH=120 HEIGHT=40>\r\n"
              "<P>News, weather and sports from around the world.</P>\r\n"
              "<img src = \"img/banner.gif\">\r\n"
              "<TABLE><TR><TD><IMG  SRC=\"http://" + hostAndPort +
                  "/img/photo.jpg\" ALT=\"Today\"></TD></TR></TABLE>\r\n"
              "<A HREF=\"/more.html\"><Img Src=\"/img/button.gif\"></A>\r\n");
}

std::string RefreshPage(const std::string& target) {
  return Page("Moved", "<META HTTP-EQUIV=\"Refresh\" CONTENT=\"0; URL=" + target + "\">\r\n",
              "<P>This page has moved.</P>\r\n");
}

std::string LaterRefreshPage() {
  return Page("Moved",
              "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=iso-8859-1\">\r\n"
              "<meta http-equiv = \"Refresh\" content=\"2; URL=http://www.juno.com\">\r\n",
              "<P>This page has moved.</P>\r\n");
}

std::string FramesPage() {
  return "<HTML>\r\n<HEAD><TITLE>Portal</TITLE></HEAD>\r\n<FRAMESET ROWS=\"80,*\">\r\n"
         "<FRAME NAME=\"top\" SRC=\"frame-top.html\">\r\n"
         "<frame src=\"frame-main.html\" name=\"main\">\r\n"
         "</FRAMESET>\r\n</HTML>\r\n";
}

std::string BadFramesPage() {
  return "<HTML><FRAMESET COLS=\"50%,50%\"><FRAME SRC=\"left.asp\"><FRAME SRC=\"right.asp\">"
         "</FRAMESET></HTML>\r\n";
}

// The hostile pages: what a broken or malicious server might send.
std::string HugePage() {
  const std::string line =
      "<P>Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor.</P>\r\n";
  std::string body = "<IMG SRC=\"/img/logo.gif\">\r\n";
  body.reserve(6 * 1024 * 1024 + 1024);
  while (body.size() < 6 * 1024 * 1024) body += line;
  body += "<IMG SRC=\"/img/button.gif\">\r\n";
  return Page("Huge", "", body);
}

std::string JunkBytes() {
  static const char* const kFragments[] = {"IMG SRC=", "<META HTTP-EQUIV", "URL=", "<FRAME SRC=",
                                           "<FRAME NAME=", ".html", "\"", "http://", ">", "/"};
  std::string junk;
  std::uint32_t state = 2463534242u;
  while (junk.size() < 512 * 1024) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    if (state % 16 == 0) {
      junk += kFragments[(state >> 8) % (sizeof(kFragments) / sizeof(kFragments[0]))];
    } else {
      junk += static_cast<char>(state >> 24);
    }
  }
  return junk;
}

std::string UnterminatedPage() {
  return "<HTML><BODY><IMG SRC=\"/img/logo.gif\">\r\n<IMG SRC=\"img/banner.gif <P unterminated\r\n"
         "<FRAME SRC=\"broken.html <META HTTP-EQUIV=\"Refresh\" CONTENT=\"0; URL=/x.html\r\n"
         "<IMG SRC=<IMG SRC=\"\"<IMG SRC=\"http://<IMG SRC=\"";
}

std::string UnquotedPage() {
  return Page("Unquoted", "",
              "<IMG SRC=/img/logo.gif>\r\n<IMG SRC='/img/banner.gif'>\r\n"
              "<IMG SRC=          \"/img/photo.jpg\">\r\n");
}

SiteContent Html(const std::string& body) {
  SiteContent content;
  content.body = body;
  return content;
}

SiteContent Image(size_t size, bool sendLength, unsigned seed) {
  SiteContent content;
  content.contentType = "image/gif";
  content.body = ImageBytes(size, seed);
  content.sendLength = sendLength;
  return content;
}

SiteContent NotFound() {
  SiteContent content = Html(Page("Not Found", "", "<H1>404 Not Found</H1>\r\n"));
  content.status = 404;
  return content;
}

SiteContent WithDelivery(SiteContent content, Delivery delivery) {
  content.delivery = delivery;
  content.sendLength = false;
  return content;
}

SiteContent Pages(const std::string& hostAndPort, const std::string& path) {
  if (path == "/index.html") return Html(TestPage(hostAndPort));
  if (path == "/refresh.html") return Html(RefreshPage("http://www.yahoo.com"));
  if (path == "/relative-refresh.html") return Html(RefreshPage("/index.html"));
  if (path == "/later-refresh.html") return Html(LaterRefreshPage());
  if (path == "/refresh-frames.html") return Html(RefreshPage("http://frames.lab.test"));
  if (path == "/bad-refresh.html") {
    return Html(Page("Moved", "<META HTTP-EQUIV=\"Refresh\" CONTENT=\"0; URL=/index.html\" >", ""));
  }
  if (path == "/frames.html") return Html(FramesPage());
  if (path == "/frame-top.html") return Html(Page("Top", "", "<IMG SRC=\"/img/logo.gif\">\r\n"));
  if (path == "/frame-main.html") {
    return Html(Page("Main", "", "<IMG SRC=\"img/banner.gif\"><IMG SRC=\"/img/button.gif\">\r\n"));
  }
  if (path == "/bad-frames.html") return Html(BadFramesPage());
  if (path == "/noimages.html") return Html(Page("Text only", "", "<P>Nothing to see.</P>\r\n"));
  if (path == "/broken-images.html") {
    return Html(Page("Broken", "",
                     "<IMG SRC=\"/img/logo.gif\"><IMG SRC=\"/img/broken.gif\">"
                     "<IMG SRC=\"/img/empty.gif\"><IMG SRC=\"/img/empty-nolength.gif\">\r\n"));
  }
  if (path == "/all-broken.html") {
    return Html(Page("Broken", "", "<IMG SRC=\"/img/broken.gif\"><IMG SRC=\"/img/empty.gif\">\r\n"));
  }
  if (path == "/big-image.html") return Html(Page("Big", "", "<IMG SRC=\"/img/big.jpg\">\r\n"));
  if (path == "/stalled-image.html") {
    return Html(Page("Stalled", "", "<IMG SRC=\"/img/logo.gif\"><IMG SRC=\"/img/stall.gif\">\r\n"));
  }
  if (path == "/huge.html") return Html(HugePage());
  if (path == "/junk.html") return Html(JunkBytes());
  if (path == "/unterminated.html") return Html(UnterminatedPage());
  if (path == "/unquoted.html") return Html(UnquotedPage());
  if (path == "/stall.html") return WithDelivery(Html(TestPage(hostAndPort)), Delivery::kStall);
  if (path == "/slow.html") return WithDelivery(Html(TestPage(hostAndPort)), Delivery::kTrickle);
  if (path == "/silent.html") return WithDelivery(Html(TestPage(hostAndPort)), Delivery::kSilent);
  return NotFound();
}

SiteContent Images(const std::string& path) {
  if (path == "/img/logo.gif") return Image(4000, true, 1);
  if (path == "/img/banner.gif") return Image(12000, false, 2);
  if (path == "/img/photo.jpg") return Image(18000, false, 3);
  if (path == "/img/button.gif") return Image(1500, true, 4);
  if (path == "/img/big.jpg") return Image(60000, false, 5);
  if (path == "/img/empty.gif") return Image(0, true, 6);
  if (path == "/img/empty-nolength.gif") return Image(0, false, 7);
  if (path == "/img/broken.gif") return WithDelivery(Image(100, false, 8), Delivery::kReset);
  if (path == "/img/stall.gif") return WithDelivery(Image(8000, false, 9), Delivery::kStall);
  return NotFound();
}

}  // namespace

std::string ImageBytes(size_t size, unsigned seed) {
  std::string bytes = std::string("GIF89a").substr(0, size);
  std::uint32_t state = 0x9E3779B9u ^ (seed * 7919u);
  while (bytes.size() < size) {
    state = state * 1664525u + 1013904223u;
    bytes += static_cast<char>(state >> 24);
  }
  return bytes;
}

SiteCatalog::SiteCatalog() {
  for (const char* host : {sites::kDefaultTestSite, "www.aol.com", "www.netzero.net",
                           "www.juno.com", "www.att.net", sites::kReportServer, "127.0.0.1",
                           "localhost"}) {
    roots_[host] = "/index.html";
  }
}

bool SiteCatalog::SetSite(const std::string& host, const std::string& rootPath) {
  if (host.empty() || rootPath.empty() || rootPath[0] != '/' || rootPath == "/") return false;
  roots_[Lower(host)] = rootPath;
  return true;
}

std::string SiteCatalog::RootOf(const std::string& host) const {
  std::string name = Lower(host);
  auto known = roots_.find(name);
  if (known != roots_.end()) return known->second;
  if (EndsWith(name, sites::kScenarioDomain) && name.size() > sizeof(sites::kScenarioDomain) - 1) {
    std::string label = name.substr(0, name.size() - (sizeof(sites::kScenarioDomain) - 1));
    if (label.find('.') == std::string::npos) return "/" + label + ".html";
  }
  return std::string();
}

bool SiteCatalog::Lookup(const std::string& host, const std::string& hostAndPort,
                         const std::string& path, SiteContent& content) const {
  std::string root = RootOf(host);
  if (root.empty()) return false;
  std::string page = path == "/" ? root : path;
  if (page == sites::kReportPath) {
    // A report is counted however it is answered: as the site's own page
    // is delivered (so a test can hold a report up with a stalled root).
    Delivery rootDelivery = Pages(hostAndPort, root).delivery;
    content = Html(Page("Thanks", "", "<P>Counted.</P>\r\n"));
    if (rootDelivery != Delivery::kNormal) content = WithDelivery(content, rootDelivery);
    content.usageReport = true;
  } else if (page.compare(0, 5, "/img/") == 0) {
    content = Images(page);
  } else {
    content = Pages(hostAndPort, page);
  }
  return true;
}
