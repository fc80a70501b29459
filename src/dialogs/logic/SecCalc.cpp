#include "dialogs/logic/SecCalc.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include "common/logic/Numeric.h"

namespace SecCalc {

std::optional<Boxes> Split(std::wstring_view ttlText) {
  const auto read = Numeric::ReadWhole(ttlText, std::numeric_limits<int32_t>::min(),
                                       std::numeric_limits<int32_t>::max());
  if (!read) return std::nullopt;
  // C++ division truncates toward zero, so each remainder keeps the sign of its dividend.
  const int32_t t = static_cast<int32_t>(*read);
  const int32_t r1 = t % 86400, r2 = r1 % 3600;
  return Boxes{std::to_wstring(t / 86400), std::to_wstring(r1 / 3600), std::to_wstring(r2 / 60),
               std::to_wstring(r2 % 60)};
}

std::optional<std::wstring> Clamp(Box box, std::wstring_view boxText) {
  double limit;
  switch (box) {
    case kHours: limit = 23; break;
    case kMinutes:
    case kSeconds: limit = 59; break;
    default: return std::nullopt;
  }
  const auto value = Numeric::ReadDouble(boxText);
  if (!value || !(*value > limit)) return std::nullopt;
  return box == kHours ? L"23" : L"59";
}

std::optional<std::wstring> Join(const Boxes& boxes) {
  static constexpr double kUnit[4] = {86400, 3600, 60, 1};
  double total = 0;
  for (int i = 0; i < 4; ++i) {
    const auto value = Numeric::ReadDouble(boxes[i]);
    if (!value) return std::nullopt;
    total += *value * kUnit[i];
  }
  return FormatNumber(total);
}

std::optional<std::wstring> FormatNumber(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  if (value == 0) return L"0";
  // Rounded to 15 significant digits, "d.dddddddddddddde±x": 0.1 days gives 8640, not the
  // 8640.000000000001 that the double holds.
  char buf[40];
  const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14).ptr;
  std::string_view s(buf, end - buf);
  const bool negative = s.front() == '-';
  if (negative) s.remove_prefix(1);
  const auto e = s.find('e');
  std::string digits = std::string(1, s[0]) + std::string(s.substr(2, e - 2));
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string_view exponent = s.substr(e + 1);
  if (exponent.front() == '+') exponent.remove_prefix(1);
  int exp = 0;
  std::from_chars(exponent.data(), exponent.data() + exponent.size(), exp);

  const int whole = exp + 1;   // digits before the decimal point
  const int n = static_cast<int>(digits.size());
  std::string out;
  if (whole <= 0)
    out = "0." + std::string(-whole, '0') + digits;
  else if (whole >= n)
    out = digits + std::string(whole - n, '0');
  else
    out = digits.substr(0, whole) + "." + digits.substr(whole);
  if (negative) out.insert(out.begin(), '-');
  return std::wstring(out.begin(), out.end());
}

namespace {
// Sets a flag for its lifetime and gives back the earlier value, exceptions included.
struct HoldBack {
  explicit HoldBack(bool& flag) : m_flag(flag), m_outer(std::exchange(flag, true)) {}
  ~HoldBack() { m_flag = m_outer; }
  HoldBack(const HoldBack&) = delete;
  HoldBack& operator=(const HoldBack&) = delete;
  bool& m_flag;
  bool m_outer;
};
}  // namespace

void Converter::txtTTL_Change() {
  if (BoxText(kTTL).empty()) {
    SetBoxText(kTTL, L"0");
    FocusBox(kTTL);
  }
  // A TTL that is no 32-bit whole number leaves the boxes as they are.
  if (const auto boxes = Split(BoxText(kTTL))) {
    bool changed = false;
    {
      // Between the four writes the boxes hold a mix of new and old numbers (900 s written
      // over 0:0:0:9 passes through 0:0:15:9). Turned back into a TTL at once, the mix would
      // overwrite the TTL being split, move its caret to the start while the author types,
      // and with numbers of both signs walk down one unit per nested run. So the boxes'
      // way back waits until all four are written, and then runs once.
      const HoldBack hold(m_writingBoxes);
      for (int i = 0; i < 4; ++i) changed |= SetBoxText(i, (*boxes)[i]);
    }
    if (changed) BoxesToTTL();
  }
  Changed();
}

void Converter::txtSecCalc_Change(int index) {
  for (int i = 0; i < 4; ++i) {
    if (BoxText(i).empty()) {
      SetBoxText(i, L"0");
      FocusBox(index);
    }
  }
  for (Box box : {kHours, kMinutes, kSeconds})
    if (const auto limit = Clamp(box, BoxText(box))) SetBoxText(box, *limit);
  if (!m_writingBoxes) BoxesToTTL();
}

// A box that is no number leaves the TTL as it is.
void Converter::BoxesToTTL() {
  if (const auto ttl = Join({BoxText(0), BoxText(1), BoxText(2), BoxText(3)})) SetBoxText(kTTL, *ttl);
}

}  // namespace SecCalc
