// The lab's ISP server as the program and the stand-ins meet it: the link
// gate, the proxy route of the Wine prefix, pacing by the link model, the
// usage-report counter and the control requests.
#include <windows.h>
#include <wininet.h>
#include <gtest/gtest.h>

#include <future>
#include <string>

#include "framework/HighResolutionClock.h"

#include "sim/isp/LinkModel.h"
#include "tests/support/LabClient.h"

namespace {

// Reads a whole document through WinINet with the given access type.
bool WinInetGet(const std::string& url, DWORD access, std::string& body,
                const char* agent = "LabTest") {
  body.clear();
  HINTERNET session = InternetOpenA(agent, access, nullptr, nullptr, 0);
  if (session == nullptr) return false;
  HINTERNET file = InternetOpenUrlA(session, url.c_str(), nullptr, 0,
                                    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
  bool ok = file != nullptr;
  char buffer[4096];
  DWORD read = 0;
  while (ok && (ok = InternetReadFile(file, buffer, sizeof(buffer), &read) != FALSE) && read > 0) {
    body.append(buffer, read);
  }
  if (file != nullptr) InternetCloseHandle(file);
  InternetCloseHandle(session);
  return ok;
}

std::string BodyOf(const std::string& response) {
  size_t start = response.find("\r\n\r\n");
  return start == std::string::npos ? std::string() : response.substr(start + 4);
}

class IspServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(lab::Address().empty()) << "VELOTUNE_LAB_ISP is not set: no lab server runs";
    lab::MustControl("link-down");
    lab::MustControl("reset");
  }
  void TearDown() override {
    lab::MustControl("link-down");
    lab::MustControl("reset");
  }
};

TEST_F(IspServerTest, ServesOnlyWhileTheLinkIsUp) {
  std::string response;
  std::string body;
  EXPECT_FALSE(lab::RawGet("http://www.yahoo.com/", "www.yahoo.com", response));
  EXPECT_FALSE(WinInetGet("http://www.yahoo.com/", INTERNET_OPEN_TYPE_PRECONFIG, body));
  EXPECT_EQ("down", lab::StatusValue("link"));

  lab::MustControl("link-up?speed=0");
  EXPECT_TRUE(lab::RawGet("http://www.yahoo.com/", "www.yahoo.com", response));
  EXPECT_NE(std::string::npos, BodyOf(response).find("IMG SRC=\"/img/logo.gif\""));
  // The prefix's Internet settings route every host name to the lab.
  ASSERT_TRUE(WinInetGet("http://www.aol.com/img/photo.jpg", INTERNET_OPEN_TYPE_PRECONFIG, body));
  EXPECT_EQ(18000u, body.size());
  EXPECT_EQ(0, body.compare(0, 6, "GIF89a"));
  // Without the proxy the host name cannot be resolved on this machine.
  EXPECT_FALSE(WinInetGet("http://www.aol.com/", INTERNET_OPEN_TYPE_DIRECT, body));

  lab::MustControl("link-down");
  EXPECT_FALSE(WinInetGet("http://www.yahoo.com/", INTERNET_OPEN_TYPE_PRECONFIG, body));
  EXPECT_EQ("1", lab::StatusValue("ups"));
  EXPECT_EQ("1", lab::StatusValue("downs"));
}

TEST_F(IspServerTest, LinkUpReportsItsValuesAndCountsUsageReports) {
  lab::MustControl("link-up?mtu=576&rwin=3216&ttl=64&speed=0");
  EXPECT_EQ("576", lab::StatusValue("mtu"));
  EXPECT_EQ("3216", lab::StatusValue("rwin"));
  EXPECT_EQ("64", lab::StatusValue("ttl"));

  std::string response;
  ASSERT_TRUE(WinInetGet("http://www.orvalis.com/vthits.shtml", INTERNET_OPEN_TYPE_PRECONFIG,
                         response, "Velotune(Web)/2.6 [Juno]"));
  EXPECT_EQ(1, lab::StatusNumber("reports"));
  EXPECT_EQ("www.orvalis.com|Velotune(Web)/2.6 [Juno]", lab::StatusValue("report"));
  std::string requests = lab::MustControl("requests");
  EXPECT_NE(std::string::npos, requests.find("www.orvalis.com"));
  EXPECT_NE(std::string::npos, requests.find(" /vthits.shtml\tVelotune(Web)/2.6 [Juno]"));

  std::string answer;
  EXPECT_FALSE(lab::Control("site?host=x.test&root=relative", answer));
  EXPECT_FALSE(lab::Control("no-such-request", answer));
  EXPECT_TRUE(lab::Control("site?host=www.myisp.test&root=%2Fnoimages.html", answer));
  ASSERT_TRUE(lab::RawGet("http://www.myisp.test/", "www.myisp.test", response));
  EXPECT_NE(std::string::npos, response.find("Nothing to see"));
  // Unknown host names get no answer, as an unreachable server would give.
  EXPECT_FALSE(lab::RawGet("http://www.nowhere.test/", "www.nowhere.test", response));
}

TEST_F(IspServerTest, ResponsesArePacedByTheLinkModel) {
  lab::MustControl("link-up?mtu=1500&rwin=8760&ttl=32&speed=48000&scale=0.1");
  LinkValues values;
  values.scale = 0.1;
  ResponsePacer pacer(values, 1);
  double expected = pacer.SetupMs() + pacer.NextSegmentMs(120);
  for (int left = 12000; left > 0; left -= pacer.SegmentPayload()) {
    expected += pacer.NextSegmentMs(left < pacer.SegmentPayload() ? left : pacer.SegmentPayload());
  }
  std::string response;
  double start = hrclock::NowMilliseconds();
  ASSERT_TRUE(lab::RawGet("http://www.yahoo.com/img/banner.gif", "www.yahoo.com", response));
  double elapsed = hrclock::NowMilliseconds() - start;
  EXPECT_EQ(12000u, BodyOf(response).size());
  EXPECT_GT(elapsed, expected * 0.9);
  EXPECT_LT(elapsed, expected * 1.2 + 50);
}

TEST_F(IspServerTest, DroppingTheLinkCutsAResponseShort) {
  lab::MustControl("link-up?speed=48000&scale=1");
  auto fetch = std::async(std::launch::async, [] {
    std::string response;
    return lab::RawGet("http://www.yahoo.com/img/big.jpg", "www.yahoo.com", response);
  });
  Sleep(300);
  double start = hrclock::NowMilliseconds();
  lab::MustControl("link-down");
  ASSERT_EQ(std::future_status::ready, fetch.wait_for(std::chrono::seconds(5)));
  EXPECT_FALSE(fetch.get());
  EXPECT_LT(hrclock::NowMilliseconds() - start, 2000.0);
}

}  // namespace
