// Reading numbers that the user or TeraPad's settings give as text.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace Numeric {
// ASCII [+-]?(d+(.d*)?|.d+) only; the whole number nearest to the exact decimal value, halves to
// even (on the digits themselves, not through a double); nullopt when not numeric or outside [lo, hi]
// after rounding.
std::optional<int64_t> ReadWhole(std::wstring_view text, int64_t lo, int64_t hi);
// Same syntax, as a double (for the deck dialog's converter); nullopt when not numeric, or when the
// value is too large for a double (a value too small for one reads as zero).
std::optional<double> ReadDouble(std::wstring_view text);
}
