#include <gtest/gtest.h>

#include "bridge/logic/OSName.h"

using OSName::FromVersion;

// From a fault put in by hand that the whole suite let pass: Windows Me (4.90) was named
// "Win98". Wine's emulation runs only Windows 98 for our tests; the numbers of every family are
// checked here.
TEST(OSName, EachFamilyByItsVersionNumbers) {
  EXPECT_EQ(FromVersion(OSName::kWin32Windows, 4, 0), L"Win95");
  EXPECT_EQ(FromVersion(OSName::kWin32Windows, 4, 10), L"Win98");
  EXPECT_EQ(FromVersion(OSName::kWin32Windows, 4, 90), L"WinMe");
  EXPECT_EQ(FromVersion(OSName::kWin32Windows, 3, 95), L"Win95");
  EXPECT_EQ(FromVersion(OSName::kWin32NT, 4, 0), L"WinNT");
  EXPECT_EQ(FromVersion(OSName::kWin32NT, 10, 0), L"WinNT");
  EXPECT_EQ(FromVersion(OSName::kWin32s, 3, 10), L"Win3.1 ");
  EXPECT_EQ(FromVersion(3, 10, 0), L"");
}
