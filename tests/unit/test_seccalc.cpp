#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include "dialogs/logic/SecCalc.h"

using SecCalc::Boxes;

namespace {
std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }
std::string Show(const std::optional<Boxes>& b) {
  if (!b) return "(left as it is)";
  return Narrow((*b)[0] + L"|" + (*b)[1] + L"|" + (*b)[2] + L"|" + (*b)[3]);
}
std::string Show(const std::optional<std::wstring>& s) { return s ? Narrow(*s) : "(left as it is)"; }
}  // namespace

TEST(SecCalcSplit, TtlToDaysHoursMinutesSeconds) {
  const struct { const wchar_t* ttl; const char* boxes; } cases[] = {
      {L"3", "0|0|0|3"},
      {L"0", "0|0|0|0"},
      {L"90061", "1|1|1|1"},
      {L"86399", "0|23|59|59"},
      {L"86400", "1|0|0|0"},
      {L"129603", "1|12|0|3"},
      // Remainders keep the sign of the dividend.
      {L"-90", "0|0|-1|-30"},
      {L"-90061", "-1|-1|-1|-1"},
      // Fractions go to the nearest whole number, halves to even.
      {L"2.5", "0|0|0|2"},
      {L"3.5", "0|0|0|4"},
      {L"59.51", "0|0|1|0"},
      {L"2147483647", "24855|3|14|7"},
      {L"-2147483648", "-24855|-3|-14|-8"},
      // Not a 32-bit signed whole number: the boxes stay as they are.
      {L"2147483648", "(left as it is)"},
      {L"-2147483649", "(left as it is)"},
      {L"", "(left as it is)"},
      {L"-", "(left as it is)"},
      {L"abc", "(left as it is)"},
      {L"1e3", "(left as it is)"},
  };
  for (const auto& c : cases) EXPECT_EQ(Show(SecCalc::Split(c.ttl)), c.boxes) << Narrow(c.ttl);
}

TEST(SecCalcClamp, OnlyAboveTheLimitIsCutBack) {
  const struct { SecCalc::Box box; const wchar_t* text; const char* result; } cases[] = {
      {SecCalc::kHours, L"30", "23"},
      {SecCalc::kHours, L"23.5", "23"},
      {SecCalc::kHours, L"23", "(left as it is)"},
      {SecCalc::kHours, L"-100", "(left as it is)"},
      {SecCalc::kMinutes, L"60", "59"},
      {SecCalc::kMinutes, L"59", "(left as it is)"},
      {SecCalc::kSeconds, L"75", "59"},
      {SecCalc::kSeconds, L"59.0", "(left as it is)"},
      {SecCalc::kSeconds, L"-75", "(left as it is)"},
      {SecCalc::kDays, L"100000", "(left as it is)"},
      {SecCalc::kHours, L"abc", "(left as it is)"},
      {SecCalc::kHours, L"", "(left as it is)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Show(SecCalc::Clamp(c.box, c.text)), c.result) << c.box << " " << Narrow(c.text);
}

TEST(SecCalcJoin, BoxesToTtl) {
  const struct { Boxes boxes; const char* ttl; } cases[] = {
      {{L"0", L"0", L"0", L"3"}, "3"},
      {{L"1", L"1", L"1", L"1"}, "90061"},
      {{L"1.5", L"0", L"0", L"3"}, "129603"},
      {{L"0", L"23", L"0", L"3"}, "82803"},
      {{L"0", L"0", L"-1", L"-30"}, "-90"},
      {{L"0", L"0", L"0", L"0.5"}, "0.5"},
      // 0.1 x 86400 is 8640.000000000001 as a double: 15 significant digits hide that.
      {{L"0.1", L"0", L"0", L"0"}, "8640"},
      {{L"-0", L"-0", L"-0", L"-0"}, "0"},
      // Far beyond the 32-bit range, still plain digits.
      {{L"100000000000", L"0", L"0", L"0"}, "8640000000000000"},
      {{L"abc", L"0", L"0", L"0"}, "(left as it is)"},
      {{L"0", L"-", L"0", L"0"}, "(left as it is)"},
      {{L"0", L"0", L"", L"0"}, "(left as it is)"},
  };
  for (const auto& c : cases) EXPECT_EQ(Show(SecCalc::Join(c.boxes)), c.ttl) << Show(c.boxes);
}

TEST(SecCalcFormat, FifteenSignificantDigitsNeverAnExponent) {
  const struct { double value; const char* text; } cases[] = {
      {1e20, "100000000000000000000"},
      {123456789012345678.0, "123456789012346000"},
      {0.1 + 0.2, "0.3"},
      {1e-7, "0.0000001"},
      {-2.5, "-2.5"},
      {-0.0, "0"},
      {2147483648.0, "2147483648"},
      {std::numeric_limits<double>::infinity(), "(left as it is)"},
      {std::nan(""), "(left as it is)"},
  };
  for (const auto& c : cases) EXPECT_EQ(Show(SecCalc::FormatNumber(c.value)), c.text) << c.value;
}

// Both directions agree: the boxes of any 32-bit TTL give that TTL back, signs included.
TEST(SecCalcRoundTrip, EveryTtlComesBackFromItsBoxes) {
  int checked = 0;
  for (int64_t t = std::numeric_limits<int32_t>::min(); t <= std::numeric_limits<int32_t>::max(); t += 65537 * 7) {
    for (int64_t near : {t, t + 1, -t - 1, t % 86400}) {
      const std::wstring ttl = std::to_wstring(near);
      const auto boxes = SecCalc::Split(ttl);
      ASSERT_TRUE(boxes) << near;
      ASSERT_EQ(Show(SecCalc::Join(*boxes)), Narrow(ttl));
      ++checked;
    }
  }
  EXPECT_GT(checked, 30000);
}

// Whatever the size, plain digits that read back as the same double to 15 significant digits.
TEST(SecCalcFormat, ReadsBackWithinFifteenDigits) {
  for (double v = 1e-9; v < 1e300; v *= 7.77) {
    for (double x : {v, -v, v * 86400 + 0.1}) {
      const std::string text = Show(SecCalc::FormatNumber(x));
      ASSERT_EQ(text.find_first_not_of("-0123456789."), std::string::npos) << text;
      ASSERT_NEAR(std::strtod(text.c_str(), nullptr) / x, 1.0, 1e-14) << text;
    }
  }
}
