// Request heads as the lab's server parses them, and its site catalogue.
#include <gtest/gtest.h>

#include "sim/isp/HttpRequestHead.h"
#include "sim/isp/SiteCatalog.h"

namespace {

TEST(HttpRequestHeadTest, ProxyAndOriginForms) {
  HttpRequestHead request;
  ASSERT_TRUE(ParseRequestHead(
      "GET http://WWW.Yahoo.com:8080/img/a.gif?x=1 HTTP/1.0\r\nHost: other\r\n"
      "User-Agent:  Velotune(CD)/2.6 [Juno]\r\n",
      request));
  EXPECT_TRUE(request.proxyForm);
  EXPECT_EQ("www.yahoo.com", request.host);
  EXPECT_EQ("WWW.Yahoo.com:8080", request.hostAndPort);
  EXPECT_EQ("/img/a.gif", request.path);
  EXPECT_EQ("x=1", request.query);
  EXPECT_EQ("Velotune(CD)/2.6 [Juno]", request.agent);

  ASSERT_TRUE(ParseRequestHead("GET /_lab/status HTTP/1.1\r\nhost: 127.0.0.1:5000", request));
  EXPECT_FALSE(request.proxyForm);
  EXPECT_EQ("127.0.0.1", request.host);
  EXPECT_EQ("/_lab/status", request.path);

  ASSERT_TRUE(ParseRequestHead("GET http://frames.lab.test HTTP/1.0", request));
  EXPECT_EQ("/", request.path);
}

TEST(HttpRequestHeadTest, MalformedLinesAreRefused) {
  HttpRequestHead request;
  EXPECT_FALSE(ParseRequestHead("", request));
  EXPECT_FALSE(ParseRequestHead("GET", request));
  EXPECT_FALSE(ParseRequestHead("GET index.html HTTP/1.0", request));
  EXPECT_FALSE(ParseRequestHead("GET http:// HTTP/1.0", request));
  EXPECT_FALSE(ParseRequestHead(std::string("\0\0\0 \0 \0", 8), request));
}

TEST(HttpRequestHeadTest, QueryValues) {
  std::string value;
  double number = 0;
  EXPECT_TRUE(QueryValue("host=a.b&root=%2Fframes.html&x", "root", value));
  EXPECT_EQ("/frames.html", value);
  EXPECT_TRUE(QueryValue("host=a.b&root=%2Fframes.html&x", "x", value));
  EXPECT_EQ("", value);
  EXPECT_FALSE(QueryValue("host=a.b", "root", value));
  EXPECT_TRUE(QueryNumber("mtu=576&scale=0.05", "scale", number));
  EXPECT_DOUBLE_EQ(0.05, number);
  EXPECT_FALSE(QueryNumber("mtu=57x6", "mtu", number));
  EXPECT_FALSE(QueryNumber("mtu=%", "mtu", number));
}

TEST(SiteCatalogTest, KnownSitesScenarioHostsAndRegisteredSites) {
  SiteCatalog catalog;
  SiteContent content;
  EXPECT_EQ("/index.html", catalog.RootOf("WWW.YAHOO.COM"));
  EXPECT_EQ("/frames.html", catalog.RootOf("frames.lab.test"));
  EXPECT_EQ("", catalog.RootOf("a.b.lab.test"));
  EXPECT_EQ("", catalog.RootOf(".lab.test"));
  EXPECT_FALSE(catalog.Lookup("www.unknown.test", "www.unknown.test", "/", content));

  EXPECT_TRUE(catalog.SetSite("www.myisp.test", "/relative-refresh.html"));
  EXPECT_FALSE(catalog.SetSite("www.myisp.test", "refresh.html"));
  ASSERT_TRUE(catalog.Lookup("www.myisp.test", "www.myisp.test", "/", content));
  EXPECT_NE(std::string::npos, content.body.find("URL=/index.html\""));

  ASSERT_TRUE(catalog.Lookup("www.aol.com", "www.aol.com:81", "/", content));
  EXPECT_NE(std::string::npos, content.body.find("http://www.aol.com:81/img/photo.jpg"));
  ASSERT_TRUE(catalog.Lookup("www.aol.com", "www.aol.com", "/img/banner.gif", content));
  EXPECT_EQ(12000u, content.body.size());
  EXPECT_FALSE(content.sendLength);
  ASSERT_TRUE(catalog.Lookup("www.aol.com", "www.aol.com", "/vthits.shtml", content));
  EXPECT_TRUE(content.usageReport);
  ASSERT_TRUE(catalog.Lookup("www.aol.com", "www.aol.com", "/nothing", content));
  EXPECT_EQ(404, content.status);
}

}  // namespace
