// The numeric reader takes any text without failing, agrees with itself across ranges, and
// stays within half a unit of the double reading of the same text.
#include <cmath>
#include <cstring>
#include <limits>

#include "FuzzText.h"
#include "common/logic/Numeric.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first 16 bytes, when there are that many, choose a range; the rest is the text.
  int64_t lo = std::numeric_limits<int64_t>::min(), hi = std::numeric_limits<int64_t>::max();
  if (size >= 16) {
    std::memcpy(&lo, data, 8);
    std::memcpy(&hi, data + 8, 8);
    data += 16;
    size -= 16;
  }
  const std::wstring text = FuzzText(data, size);

  const auto whole = Numeric::ReadWhole(text, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max());
  const auto ranged = Numeric::ReadWhole(text, lo, hi);
  const auto real = Numeric::ReadDouble(text);

  // Same syntax: a whole reading implies a double reading.
  FUZZ_CHECK(!whole || real);
  // The range is applied after rounding, and only there.
  FUZZ_CHECK(ranged == (whole && *whole >= lo && *whole <= hi ? whole : std::nullopt));

  if (whole) {
    FUZZ_CHECK(std::isfinite(*real));
    const double distance = std::fabs(static_cast<double>(*whole) - *real);
    // Exactly half a unit at most; the double and its conversion add relative error only.
    FUZZ_CHECK(distance <= 0.5 + 4 * std::numeric_limits<double>::epsilon() * std::fabs(*real));
  } else if (real && std::fabs(*real) < 9.2e18) {
    FUZZ_CHECK(false);  // a numeric text well inside int64 must have a whole reading
  }
  return 0;
}
