// What the hyperlink labels open.
#include <gtest/gtest.h>

#include "ui/portable/LinkAddress.h"

namespace {

TEST(LinkAddressTest, EachKindFormsItsAddress) {
  using links::AddressFor;
  EXPECT_EQ("mailto:sales@orvalis.com?subject=Velotune Sales Questions",
            AddressFor(1, "sales@orvalis.com", "Velotune Sales Questions"));
  // An address that already says mailto:, in any case, is not prefixed again.
  EXPECT_EQ("MAILTO:support@orvalis.com?subject=Velotune Support Questions",
            AddressFor(1, "MAILTO:support@orvalis.com", "Velotune Support Questions"));
  EXPECT_EQ("mailto:a@b", AddressFor(1, "mailto:a@b", ""));
  EXPECT_EQ("http://www.orvalis.com", AddressFor(2, "www.orvalis.com", ""));
  EXPECT_EQ("HTTP://www.orvalis.com", AddressFor(2, "HTTP://www.orvalis.com", ""));
  // A secure address keeps its scheme instead of becoming "http://https://...".
  EXPECT_EQ("https://www.orvalis.com", AddressFor(2, "https://www.orvalis.com", ""));
  EXPECT_EQ("C:\\Velotune\\help\\main.htm", AddressFor(4, "C:\\Velotune\\help\\main.htm", "ignored"));
  EXPECT_EQ("", AddressFor(3, "www.orvalis.com", ""));
  EXPECT_EQ("", AddressFor(0, "", ""));
}

}  // namespace
