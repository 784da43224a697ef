// The downloader against the lab's ISP server: finding the test page with
// its refresh and frames, the fallback to the default test site, fetching
// images with and without a Content-Length, and what hostile or silent
// servers and a dropped link lead to.
#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "engine/Downloader.h"
#include "engine/portable/StatusCodes.h"
#include "framework/TimeScale.h"
#include "settings/DialUpProfile.h"
#include "tests/support/LabClient.h"
#include "tests/support/RegistryFixture.h"

namespace {

using Clock = std::chrono::steady_clock;

class DownloaderTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    ASSERT_FALSE(lab::Address().empty()) << "no lab server runs";
    timescale::OverrideFactor(0.01);
    link_.reset(new lab::LinkUp("speed=0"));
    CSettingsStore().SetProviderKind(1);
  }
  void TearDown() override {
    link_.reset();
    timescale::OverrideFactor(0);
    RegistryTest::TearDown();
  }
  static void SetProfileUrl(const std::string& url) {
    CDialUpProfile profile(1);
    ASSERT_EQ(0, profile.SetDefaultProfile("Lab"));
    ASSERT_EQ(0, profile.SetUrl("Lab", url));
  }
  std::unique_ptr<lab::LinkUp> link_;
};

TEST_F(DownloaderTest, TogglesBetweenTheProfileAddressAndTheDefaultSite) {
  SetProfileUrl("frames.lab.test");
  CDownloader downloader;
  ASSERT_EQ(0, downloader.Open());
  std::string page;
  ASSERT_EQ(0, downloader.GetTestPage(page));
  EXPECT_EQ(0, downloader.Toggle());
  EXPECT_EQ("http://frames.lab.test", downloader.PageAddress());
  // Both frames' documents follow the frameset, each once.
  std::vector<std::string> images;
  ASSERT_EQ(0, downloader.ListImages(page, images));
  EXPECT_EQ((std::vector<std::string>{"http://frames.lab.test/img/logo.gif",
                                      "http://frames.lab.test/img/banner.gif",
                                      "http://frames.lab.test/img/button.gif"}),
            images);

  page.clear();
  ASSERT_EQ(0, downloader.GetTestPage(page));
  EXPECT_EQ(1, downloader.Toggle());
  EXPECT_EQ("http://www.yahoo.com", downloader.PageAddress());
  EXPECT_EQ(0, downloader.Close());
}

TEST_F(DownloaderTest, FollowsARefreshFoundInALaterMetaTag) {
  SetProfileUrl("http://laterrefresh.lab.test");
  lab::MustControl("site?host=laterrefresh.lab.test&root=/later-refresh.html");
  CDownloader downloader;
  std::string page;
  ASSERT_EQ(0, downloader.GetTestPage(page));
  EXPECT_EQ("http://www.juno.com", downloader.RedirectAddress());
  std::vector<std::string> images;
  ASSERT_EQ(0, downloader.ListImages(page, images));
  ASSERT_EQ(4u, images.size());
  EXPECT_EQ("http://www.juno.com/img/banner.gif", images[1]);
}

TEST_F(DownloaderTest, FallsBackToTheDefaultSiteAndFailsWithoutAccess) {
  CDownloader downloader;
  std::string page;
  // No default profile: the address cannot be read.
  EXPECT_EQ(13, downloader.GetTestPage(page));
  SetProfileUrl("http://www.nowhere.test/");
  page.clear();
  EXPECT_EQ(0, downloader.GetTestPage(page));  // toggle 1: the default site
  page.clear();
  ASSERT_EQ(0, downloader.GetTestPage(page));  // no server: the second attempt reads the default site
  EXPECT_EQ("http://www.yahoo.com", downloader.PageAddress());
  EXPECT_NE(std::string::npos, page.find("img/banner.gif"));

  // A frameset without HTML sources ends the attempt too.
  SetProfileUrl("bad-frames.lab.test");
  page.clear();
  EXPECT_EQ(0, downloader.GetTestPage(page));
  page.clear();
  EXPECT_EQ(0, downloader.GetTestPage(page));
  EXPECT_EQ("http://www.yahoo.com", downloader.PageAddress());

  lab::MustControl("link-down");
  page.clear();
  EXPECT_EQ(62, downloader.GetTestPage(page));
  EXPECT_EQ(62, CDownloader::FetchText("http://www.yahoo.com/", page));
}

TEST_F(DownloaderTest, FetchCountsContentLengthOrTheBytesRead) {
  CDownloader downloader;
  ASSERT_EQ(0, downloader.Open());
  DWORD bytes = 0;
  EXPECT_EQ(0, downloader.Fetch("http://www.aol.com/img/logo.gif", bytes));
  EXPECT_EQ(4000u, bytes);
  EXPECT_EQ(0, downloader.Fetch("http://www.aol.com/img/banner.gif", bytes));
  EXPECT_EQ(12000u, bytes);
  EXPECT_EQ(0, downloader.Fetch("http://www.aol.com/img/empty.gif", bytes));
  EXPECT_EQ(0u, bytes);
  EXPECT_EQ(23, downloader.Fetch("www.aol.com/img/logo.gif", bytes));
  EXPECT_EQ(23, downloader.Fetch("http://www.aol.com:http/img/logo.gif", bytes));
  EXPECT_EQ(19, downloader.Fetch("http://www.aol.com/img/broken.gif", bytes));

  // An address with a port reaches that port.
  std::string web = lab::WebAddress();
  bytes = 0;
  EXPECT_EQ(0, downloader.Fetch("http://" + web + "/img/button.gif", bytes));
  EXPECT_EQ(1500u, bytes);
  EXPECT_NE(std::string::npos, lab::MustControl("requests").find(web + " /img/button.gif"));

  lab::MustControl("link-down");
  EXPECT_EQ(19, downloader.Fetch("http://www.aol.com/img/logo.gif", bytes));
}

TEST_F(DownloaderTest, HostilePagesAndSilentServersEndInBoundedTime) {
  std::string page;
  ASSERT_EQ(0, CDownloader::FetchText("http://www.aol.com/huge.html", page));
  EXPECT_LE(page.size(), 1024u * 1024u);
  EXPECT_NE(std::string::npos, page.find("/img/logo.gif"));
  for (const char* hostile : {"junk", "unterminated", "unquoted"}) {
    CDownloader downloader;
    SetProfileUrl(std::string("http://") + hostile + ".lab.test");
    page.clear();
    int status = downloader.GetTestPage(page);
    EXPECT_TRUE(status == 0 || status == 20 || status == 22) << hostile << ": " << status;
    std::vector<std::string> images;
    downloader.ListImages(page, images);
    EXPECT_LE(images.size(), 200u);
  }

  // Time-outs and the body deadline (both at their floors here) end every wait.
  auto start = Clock::now();
  page.clear();
  EXPECT_EQ(15, CDownloader::FetchText("http://www.aol.com/stall.html", page));
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(20));
  start = Clock::now();
  EXPECT_EQ(15, CDownloader::FetchText("http://www.aol.com/slow.html", page));
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(20));
  start = Clock::now();
  CDownloader downloader;
  ASSERT_EQ(0, downloader.Open());
  DWORD bytes = 0;
  EXPECT_EQ(19, downloader.Fetch("http://www.aol.com/img/stall.gif", bytes));
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
