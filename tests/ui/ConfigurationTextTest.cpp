// The configuration texts: stored test addresses, Microsoft Network and
// domain logins, typed redial counts, the browser version check, edit limits.
#include <gtest/gtest.h>

#include "ui/portable/ConfigurationText.h"

namespace {

using namespace configtext;

TEST(ConfigurationTextTest, TestAddressesGetThePrefixAndLoseOneTrailingSlash) {
  EXPECT_EQ("http://www.yahoo.com", StoredTestAddress("www.yahoo.com/"));
  EXPECT_EQ("HTTP://Example.com", StoredTestAddress("HTTP://Example.com"));
  EXPECT_EQ("http://a.b/", StoredTestAddress("http://a.b//"));
  EXPECT_EQ("http://x", StoredTestAddress("x"));
  EXPECT_EQ("http://http:", StoredTestAddress("http:/"));
  // A secure address is left as typed rather than becoming "http://https://...".
  EXPECT_EQ("https://secure.example", StoredTestAddress("https://secure.example/"));
}

TEST(ConfigurationTextTest, MicrosoftNetworkAndDomainLogins) {
  EXPECT_EQ("bob", MsnLoginShown("MSN/bob"));
  EXPECT_EQ("bob", MsnLoginShown("msn/bob"));
  EXPECT_EQ("MSN/ab", MsnLoginShown("ab"));
  EXPECT_EQ("MSN/", MsnLoginShown(""));
  EXPECT_EQ("carol", MsnLoginShown("carol"));
  EXPECT_EQ("MSN/bob", MsnLoginStored("bob"));
  EXPECT_EQ("msn/bob", MsnLoginStored("msn/bob"));
  EXPECT_EQ("MSN/MSN/", MsnLoginStored("MSN/"));

  std::string name, domain;
  SplitDomainLogin("joe@mindspring.com", name, domain);
  EXPECT_EQ("joe", name);
  EXPECT_EQ("mindspring.com", domain);
  SplitDomainLogin("@x", name, domain);
  EXPECT_EQ("", name);
  EXPECT_EQ("x", domain);
  SplitDomainLogin("plain", name, domain);
  EXPECT_EQ("plain", name);
  EXPECT_EQ("", domain);
  EXPECT_EQ(5u, LoginDomains(7).size());
  EXPECT_EQ(3u, LoginDomains(8).size());
  EXPECT_TRUE(LoginDomains(1).empty());

  // Whatever fits the edits fits the store once prefix or domain is added.
  for (int kind : {1, 4, 7, 8}) {
    size_t longest = kind == 4 ? 4 : 0;
    for (const std::string& d : LoginDomains(kind)) longest = std::max(longest, d.size() + 1);
    EXPECT_LE(LoginEditLimit(kind) + longest, kStoredTextLimit) << kind;
  }
  EXPECT_EQ(kStoredTextLimit, AddressEditLimit() + 7);
  EXPECT_EQ("abc", CutTo("abcdef", 3));
}

TEST(ConfigurationTextTest, RedialMustBeAWholeNumberAndOldBrowsersCompareByBytes) {
  int value = 0;
  EXPECT_TRUE(ParseWholeNumber(" 3 ", value));
  EXPECT_EQ(3, value);
  EXPECT_TRUE(ParseWholeNumber("-2147483648", value));
  EXPECT_EQ(-2147483647 - 1, value);
  for (const char* bad : {"", "abc", "3x", "99999999999", "2147483648", "+", "1 2"}) {
    EXPECT_FALSE(ParseWholeNumber(bad, value)) << bad;
  }
  EXPECT_TRUE(IsBrowserOlderThanVersion5("4.72.3110.0"));
  EXPECT_TRUE(IsBrowserOlderThanVersion5("4.99.9999.9"));
  EXPECT_FALSE(IsBrowserOlderThanVersion5("5.00.2919.6307"));
  // Byte by byte: version 10 and above sort before 4 (kept as the program has always compared).
  EXPECT_TRUE(IsBrowserOlderThanVersion5("11.0.9600"));
}

}  // namespace
