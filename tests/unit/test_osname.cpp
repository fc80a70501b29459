#include <gtest/gtest.h>

#include "bridge/logic/OSName.h"

// From a fault put in by hand that the whole suite let pass: Windows Me (4.90) was named "Win98".
// Wine runs our tests as Windows 98 only; the family of every version is checked here.
TEST(OSName, EachFamilyByItsVersionNumbers) {
  EXPECT_EQ(OSName::FromVersion(OSName::kWin32Windows, 4, 0), L"Win95");
  EXPECT_EQ(OSName::FromVersion(OSName::kWin32Windows, 4, 10), L"Win98");
  EXPECT_EQ(OSName::FromVersion(OSName::kWin32Windows, 4, 90), L"WinMe");
  EXPECT_EQ(OSName::FromVersion(OSName::kWin32NT, 10, 0), L"WinNT");
  EXPECT_EQ(OSName::FromVersion(OSName::kWin32s, 3, 10), L"Win3.1 ");
}
