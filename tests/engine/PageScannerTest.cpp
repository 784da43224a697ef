// The page scanner on the cases a test page can present, and on hostile text.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "engine/portable/PageScanner.h"

using namespace pagescan;

namespace {

const char kPage[] = "http://www.example.com/dir/page.htm";

std::vector<std::string> Images(const std::string& page, const std::string& base = kPage) {
  std::vector<std::string> images;
  ListImages(page, base, images);
  return images;
}

TEST(PageScannerTest, MatcherIgnoresCaseAndBlanks) {
  size_t first = 0;
  size_t last = 0;
  for (const char* text : {"xx<img src=\"a\"", "xx<IMG   SRC =\"a\"", "xx<Img Src  =  \"a\"",
                           "xx<IMGSRC=\"a\"", "xx<IMG\tSRC=\"a\""}) {
    ASSERT_TRUE(FindKeyword(text, "IMG SRC =", 0, first, last)) << text;
    EXPECT_EQ(3u, first) << text;
    EXPECT_EQ('=', text[last]) << text;
  }
  // The match starts on the keyword's first character, from the given start.
  ASSERT_TRUE(FindKeyword("  url=x", "URL=", 0, first, last));
  EXPECT_EQ(2u, first);
  EXPECT_EQ(5u, last);
  EXPECT_FALSE(FindKeyword("URL=x", "URL=", 1, first, last));
  EXPECT_FALSE(FindKeyword("IMG SR", "IMG SRC =", 0, first, last));
  EXPECT_FALSE(FindKeyword("anything", "   ", 0, first, last));
  EXPECT_FALSE(FindKeyword("", "A", 5, first, last));
}

TEST(PageScannerTest, ImageSourcesAndHowTheyBecomeAddresses) {
  std::vector<std::string> images = Images(
      "<IMG SRC=\"/a.gif\"><img src=\"b.gif\"><IMG SRC=\"http://cdn.example.com/c.gif\">"
      "<IMG SRC='d.gif'><IMG SRC=        \"e.gif\"><IMG SRC=       \"f.gif\"><IMG SRC=g.gif>");
  ASSERT_EQ(4u, images.size());
  EXPECT_EQ(std::string(kPage) + "/a.gif", images[0]);
  // Relative to the page address, whatever path it ends in.
  EXPECT_EQ(std::string(kPage) + "/b.gif", images[1]);
  EXPECT_EQ("http://cdn.example.com/c.gif", images[2]);
  // The opening quote 8 characters after "=" counts, 9 does not.
  EXPECT_EQ(std::string(kPage) + "/f.gif", images[3]);
  EXPECT_EQ(1u, ListImages("<IMG SRC=\"x\">", "http://r", images));
  EXPECT_EQ("http://r/x", images.back());

  EXPECT_TRUE(Images("<IMG SRC='/only-single.gif'>").empty());
  EXPECT_TRUE(Images("<IMG SRC=\"never-closed.gif").empty());
  EXPECT_EQ(0, ImageListStatus(1, 0));
  EXPECT_EQ(23, ImageListStatus(0, 1));
  EXPECT_EQ(52, ImageListStatus(0, 0));
}

TEST(PageScannerTest, ImageListIsBounded) {
  std::string page;
  for (int i = 0; i < 1000; ++i) page += "<IMG SRC=\"/x.gif\">";
  EXPECT_EQ(kMaxImages, Images(page).size());
}

TEST(PageScannerTest, MetaRefresh) {
  std::string target;
  EXPECT_EQ(0, FindRefresh("<HTML><BODY>no refresh</BODY>", kPage, target));
  EXPECT_EQ(0, FindRefresh("<META HTTP-EQUIV=\"Refresh\" CONTENT=\"0; URL=/x.html\"", kPage, target));
  EXPECT_EQ(21, FindRefresh("<meta http-equiv=\"Refresh\" content=\"0; URL=/x.html\">", "http://h",
                            target));
  EXPECT_EQ("http://h/x.html", target);
  // Found only in a later META tag than the first.
  EXPECT_EQ(21, FindRefresh("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html\">"
                            "<META HTTP-EQUIV=\"Refresh\" CONTENT=\"1; URL=x.html\">",
                            "http://h", target));
  EXPECT_EQ("http://h/x.html", target);
  EXPECT_EQ(21, FindRefresh("<META HTTP-EQUIV=\"Refresh\" CONTENT=\"0; URL=http://o/p.html\">",
                            "http://h", target));
  EXPECT_EQ("http://o/p.html", target);
  // A relative target with a folder stays below the page address.
  EXPECT_EQ(21, FindRefresh("<META HTTP-EQUIV=\"Refresh\" CONTENT=\"0; URL=sub/p.html\">",
                            "http://h", target));
  EXPECT_EQ("http://h/sub/p.html", target);
  // The target must end in a double quote just before the ">".
  EXPECT_EQ(20, FindRefresh("<META HTTP-EQUIV=\"Refresh\" CONTENT=\"0; URL=/x.html\" >", kPage,
                            target));
  EXPECT_EQ(20, FindRefresh("<META HTTP-EQUIV=Refresh CONTENT=0;URL=>", kPage, target));
}

TEST(PageScannerTest, FrameSources) {
  std::vector<std::string> frames;
  EXPECT_EQ(0, ListFrames("<FRAMESET><FRAME NAME=\"a\" SRC=\"top.html\">"
                          "<frame src=\"/main.html\" name=\"m\"></FRAMESET>",
                          frames));
  ASSERT_EQ(2u, frames.size());
  EXPECT_EQ("/top.html", frames[0]);
  EXPECT_EQ("/main.html", frames[1]);
  frames.clear();
  EXPECT_EQ(0, ListFrames("<FRAME SRC=\"a.htm\">", frames));
  EXPECT_EQ(0, ListFrames("<FRAME SRC=\"/b.HTM\">", frames));
  EXPECT_EQ((std::vector<std::string>{"/a.htm", "/b.HTM"}), frames);

  frames.clear();
  EXPECT_EQ(0, ListFrames("<P>no frames</P>", frames));
  EXPECT_TRUE(frames.empty());
  EXPECT_EQ(22, ListFrames("<FRAME SRC=\"left.asp\"><FRAME SRC=\"right.asp\">", frames));
  EXPECT_EQ(0, ListFrames("<FRAME SRC=\"a.html\"><FRAME SRC=\"right.asp\">", frames));

  EXPECT_EQ("http://h/p", FrameBase("", "h/p"));
  EXPECT_EQ("http://r", FrameBase("http://r", "http://h"));
}

TEST(PageScannerTest, FrameListEndsOnTagsWhoseSourceQuoteComesFirst) {
  // The quote before ".html" lies before the tag: the search must still move on.
  std::vector<std::string> frames;
  EXPECT_EQ(0, ListFrames("\"            <FRAME NAME=a SRC=b.html> \"", frames));
  EXPECT_EQ(1u, frames.size());
  frames.clear();
  std::string many;
  for (int i = 0; i < 100; ++i) many += "<FRAME SRC=\"f.html\">";
  EXPECT_EQ(0, ListFrames(many, frames));
  EXPECT_EQ(kMaxFrames, frames.size());
}

TEST(PageScannerTest, SplittingImageAddresses) {
  HttpTarget target;
  ASSERT_TRUE(SplitHttpAddress("http://www.aol.com/img/a.gif", target));
  EXPECT_EQ("www.aol.com", target.host);
  EXPECT_EQ(80, target.port);
  EXPECT_EQ("/img/a.gif", target.path);
  ASSERT_TRUE(SplitHttpAddress("http://127.0.0.1:18080/x/y.gif?z", target));
  EXPECT_EQ("127.0.0.1", target.host);
  EXPECT_EQ(18080, target.port);
  EXPECT_EQ("/x/y.gif?z", target.path);
  ASSERT_TRUE(SplitHttpAddress("http://host", target));
  EXPECT_EQ("/", target.path);
  EXPECT_FALSE(SplitHttpAddress("ftp://host/a", target));
  EXPECT_FALSE(SplitHttpAddress("http:///a", target));
  EXPECT_FALSE(SplitHttpAddress("http://host:0/a", target));
  EXPECT_FALSE(SplitHttpAddress("http://host:99999/a", target));
  EXPECT_FALSE(SplitHttpAddress("http://host:8o/a", target));

  EXPECT_EQ("http://www.x.com", WithHttpScheme("www.x.com"));
  EXPECT_EQ("http://HTTP://x", WithHttpScheme("HTTP://x"));
  EXPECT_EQ("http://x", WithHttpScheme("http://x"));

  std::string text = "a";
  AppendWithoutLineBreaks(text, "b\r\nc\nd\r", 7);
  EXPECT_EQ("abcd", text);
}

TEST(PageScannerTest, HostileTextEndsQuickly) {
  std::string junk;
  unsigned state = 12345;
  const char* pieces[] = {"IMG SRC=", "\"", "<META HTTP-EQUIV", "URL=", ">", "<FRAME SRC=",
                          ".html", " ", "http://", "\0"};
  while (junk.size() < 2 * 1024 * 1024) {
    state = state * 1103515245u + 12345u;
    junk += (state >> 16) % 4 == 0 ? std::string(pieces[(state >> 8) % 10])
                                    : std::string(1, static_cast<char>(state >> 24));
  }
  junk += std::string(1024 * 1024, ' ');
  auto start = std::chrono::steady_clock::now();
  std::string target;
  std::vector<std::string> list;
  FindRefresh(junk, kPage, target);
  ListFrames(junk, list);
  ListImages(junk, kPage, list);
  EXPECT_LE(list.size(), kMaxFrames + kMaxImages);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
