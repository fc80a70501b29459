#include "common/logic/Numeric.h"

#include <charconv>
#include <limits>
#include <string>

namespace Numeric {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The pieces of a decimal text: sign, digits before and after the point.
struct Decimal {
  bool negative = false;
  std::wstring_view whole;
  std::wstring_view fraction;
};

std::optional<Decimal> Parse(std::wstring_view text) {
  Decimal d;
  size_t i = 0;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) d.negative = text[i++] == L'-';
  const size_t wholeStart = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  d.whole = text.substr(wholeStart, i - wholeStart);
  if (i < text.size() && text[i] == L'.') {
    const size_t fractionStart = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    d.fraction = text.substr(fractionStart, i - fractionStart);
  }
  if (i != text.size() || (d.whole.empty() && d.fraction.empty())) return std::nullopt;
  return d;
}

}  // namespace

std::optional<int64_t> ReadWhole(std::wstring_view text, int64_t lo, int64_t hi) {
  const auto d = Parse(text);
  if (!d) return std::nullopt;

  // The magnitude is built in unsigned arithmetic; anything past 2^63 lies outside every int64
  // range, whatever the sign, so it stops there instead of wrapping.
  constexpr uint64_t limit = uint64_t{1} << 63;
  uint64_t magnitude = 0;
  for (wchar_t c : d->whole) {
    const uint64_t digit = static_cast<uint64_t>(c - L'0');
    if (magnitude > (limit - digit) / 10) return std::nullopt;
    magnitude = magnitude * 10 + digit;
  }

  // Halves to even, decided on the digits: above half when the first fraction digit is over 5,
  // or is 5 followed by any non-zero digit.
  if (!d->fraction.empty()) {
    const wchar_t first = d->fraction[0];
    const bool beyondHalf = d->fraction.substr(1).find_first_not_of(L'0') != std::wstring_view::npos;
    const bool up = first > L'5' || (first == L'5' && (beyondHalf || magnitude % 2 == 1));
    if (up) {
      if (magnitude == limit) return std::nullopt;
      ++magnitude;
    }
  }

  int64_t value;
  if (d->negative) {
    value = magnitude == limit ? std::numeric_limits<int64_t>::min() : -static_cast<int64_t>(magnitude);
  } else {
    if (magnitude == limit) return std::nullopt;
    value = static_cast<int64_t>(magnitude);
  }
  if (value < lo || value > hi) return std::nullopt;
  return value;
}

std::optional<double> ReadDouble(std::wstring_view text) {
  const auto d = Parse(text);
  if (!d) return std::nullopt;

  // Only ASCII digits and one point are left, so the narrowing is exact; from_chars rounds
  // correctly and, unlike strtod, does not depend on the C locale's decimal point.
  std::string digits;
  digits.reserve(d->whole.size() + d->fraction.size() + 2);
  digits += '0';  // ".5" has no digit before the point
  for (wchar_t c : d->whole) digits += static_cast<char>(c);
  if (!d->fraction.empty()) {
    digits += '.';
    for (wchar_t c : d->fraction) digits += static_cast<char>(c);
  }

  double value = 0;
  const auto [end, ec] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
  if (ec == std::errc::result_out_of_range) {
    // Past the largest double only when there are significant digits before the point;
    // otherwise the value is merely below the smallest one.
    if (d->whole.find_first_not_of(L'0') != std::wstring_view::npos) return std::nullopt;
    value = 0;
  } else if (ec != std::errc{} || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  // "-0" and "-0.000" are plain zero: a negative zero would come back out as the text "-0".
  return d->negative && value != 0 ? -value : value;
}

}  // namespace Numeric
