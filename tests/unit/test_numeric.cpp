#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "common/logic/Numeric.h"

namespace {

constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();

struct WholeCase {
  const wchar_t* text;
  std::optional<int64_t> expected;
};

TEST(NumericReadWhole, RoundsHalvesToEvenOnTheDecimalDigits) {
  const WholeCase cases[] = {
      {L"0", 0},           {L"7", 7},          {L"+7", 7},          {L"-7", -7},
      {L"007", 7},         {L"5.", 5},         {L".9", 1},          {L"0.4", 0},
      {L"0.5", 0},         {L".5", 0},         {L"1.5", 2},         {L"2.5", 2},
      {L"3.5", 4},         {L"2.50", 2},       {L"2.51", 3},        {L"2.49999999999999999999", 2},
      {L"-2.5", -2},       {L"-3.5", -4},      {L"-.5", 0},         {L"-0", 0},
      {L"-0.6", -1},
      // A double would see 2.5 here and round to 2.
      {L"2.5000000000000001", 3},
      {L"2.5000000000000000000000000000000000000000000000000000000000000001", 3},
      {L"00000000000000000000000000000000000000000001", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Numeric::ReadWhole(c.text, kMin64, kMax64), c.expected) << "text: " << testing::PrintToString(std::wstring(c.text));
  }
}

TEST(NumericReadWhole, RefusesEverythingButPlainDecimals) {
  const std::wstring texts[] = {
      L"",   L"+",     L"-",    L".",     L"+.",     L"-.",    L"1e3",   L"1E3",  L"0x10", L"inf",
      L"nan", L" 1",   L"1 ",   L"\t1",   L"1,000",  L"1.2.3", L"--1",   L"+-1",  L"1-",   L"1_0",
      L"\uFF11",                  // full-width digit one
      L"\u0661",                  // Arabic-Indic digit one
      std::wstring(L"1\0", 2),    // an embedded NUL is not the end of the text
  };
  for (const std::wstring& text : texts) {
    EXPECT_EQ(Numeric::ReadWhole(text, kMin64, kMax64), std::nullopt) << testing::PrintToString(text);
    EXPECT_EQ(Numeric::ReadDouble(text), std::nullopt) << testing::PrintToString(text);
  }
}

TEST(NumericReadWhole, ChecksTheRangeAfterRounding) {
  struct RangeCase {
    const wchar_t* text;
    int64_t lo, hi;
    std::optional<int64_t> expected;
  };
  const RangeCase cases[] = {
      {L"2.5", 0, 2, 2},             {L"2.6", 0, 2, std::nullopt}, {L"-0.4", 0, 10, 0},
      {L"-0.6", 0, 10, std::nullopt}, {L"32767.4", -32768, 32767, 32767},
      {L"32767.5", -32768, 32767, std::nullopt}, {L"-32768.5", -32768, 32767, -32768},
      {L"-32768.51", -32768, 32767, std::nullopt}, {L"32768", -32768, 32767, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Numeric::ReadWhole(c.text, c.lo, c.hi), c.expected)
        << testing::PrintToString(std::wstring(c.text)) << " in [" << c.lo << ", " << c.hi << "]";
  }
}

TEST(NumericReadWhole, ReachesBothEndsOfInt64WithoutWrapping) {
  const WholeCase cases[] = {
      {L"9223372036854775807", kMax64},
      {L"-9223372036854775808", kMin64},
      {L"9223372036854775806.5", kMax64 - 1},    // even neighbour below
      {L"9223372036854775807.5", std::nullopt},  // would round to 2^63
      {L"9223372036854775807.4", kMax64},
      {L"9223372036854775808", std::nullopt},
      {L"-9223372036854775807.5", kMin64},       // odd magnitude rounds up to 2^63
      {L"-9223372036854775808.5", kMin64},       // even magnitude stays
      {L"-9223372036854775808.6", std::nullopt},
      {L"-9223372036854775809", std::nullopt},
      {L"18446744073709551616", std::nullopt},   // 2^64 wraps to 0 in 64-bit arithmetic
      {L"92233720368547758070", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Numeric::ReadWhole(c.text, kMin64, kMax64), c.expected) << testing::PrintToString(std::wstring(c.text));
  }
  EXPECT_EQ(Numeric::ReadWhole(std::wstring(5000, L'9'), kMin64, kMax64), std::nullopt);
  EXPECT_EQ(Numeric::ReadWhole(L"0." + std::wstring(5000, L'9'), kMin64, kMax64), 1);
}

TEST(NumericReadDouble, ReadsTheSameSyntaxCorrectlyRounded) {
  struct DoubleCase {
    const wchar_t* text;
    double expected;
  };
  const DoubleCase cases[] = {
      {L"1.5", 1.5},     {L"-0.25", -0.25}, {L".5", 0.5},   {L"5.", 5.0},     {L"+3", 3.0},
      {L"0.1", 0.1},     {L"129603", 129603.0},
      {L"9007199254740993", 9007199254740992.0},  // 2^53 + 1: halfway, to the even double
      {L"0.30000000000000004", 0.30000000000000004},
  };
  for (const auto& c : cases) {
    const auto value = Numeric::ReadDouble(c.text);
    ASSERT_TRUE(value.has_value()) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(*value, c.expected) << testing::PrintToString(std::wstring(c.text));
  }
}

TEST(NumericReadDouble, ZeroHasNoSignAndTheExtremesStayFinite) {
  const auto negativeZero = Numeric::ReadDouble(L"-0.000");
  ASSERT_TRUE(negativeZero.has_value());
  EXPECT_FALSE(std::signbit(*negativeZero));

  const auto tiny = Numeric::ReadDouble(L"-0." + std::wstring(400, L'0') + L"1");
  ASSERT_TRUE(tiny.has_value());
  EXPECT_EQ(*tiny, 0.0);

  EXPECT_EQ(Numeric::ReadDouble(L"1" + std::wstring(400, L'0')), std::nullopt);
  const auto large = Numeric::ReadDouble(L"1" + std::wstring(300, L'0'));
  ASSERT_TRUE(large.has_value());
  EXPECT_EQ(*large, 1e300);
}

}  // namespace
