// frmDeck's two-way converter between a TTL in seconds and days, hours, minutes, seconds:
// the arithmetic, and the change rules that the dialog's five boxes run (Converter).
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace SecCalc {

enum Box { kDays = 0, kHours = 1, kMinutes = 2, kSeconds = 3 };
using Boxes = std::array<std::wstring, 4>;

// The four box texts for a TTL text, each a plain whole number whose remainder keeps the sign
// of the TTL (-90 gives 0, 0, -1, -30). A fraction goes to the nearest whole number, halves to
// even. nullopt when the text is no number or lies outside the 32-bit signed range.
std::optional<Boxes> Split(std::wstring_view ttlText);

// The text that replaces a box's text when its number is above the box's limit (hours 23,
// minutes 59, seconds 59); nullopt when it stays: days, numbers at or below the limit
// (negative ones included) and texts that are no number.
std::optional<std::wstring> Clamp(Box box, std::wstring_view boxText);

// The TTL text for the four boxes: days x 86400 + hours x 3600 + minutes x 60 + seconds,
// fractions allowed. nullopt when a box is no number or the sum overflows a double.
std::optional<std::wstring> Join(const Boxes& boxes);

// Decimal text of at most 15 significant digits, never an exponent; a whole number has no
// decimal point and zero has no sign. Not finite: nullopt.
std::optional<std::wstring> FormatNumber(double value);

// The change rules of the five boxes. The dialog's boxes are reached through BoxText and SetBoxText;
// SetBoxText runs the written box's change rule before it returns (an edit control sends
// EN_CHANGE from inside WM_SETTEXT), so the rules nest, and the chain stops once a text is
// written that the box already holds (writing an equal text runs nothing).
class Converter {
public:
  static constexpr int kTTL = 4;   // txtTTL; 0..3 are the Box values

  virtual ~Converter() = default;
  void txtTTL_Change();
  void txtSecCalc_Change(int index);

protected:
  virtual std::wstring BoxText(int box) const = 0;
  virtual bool SetBoxText(int box, const std::wstring& text) = 0;  // false: equal, nothing ran
  virtual void FocusBox(int box) = 0;
  virtual void Changed() {}        // after txtTTL_Change: the dialog rebuilds its tag

private:
  void BoxesToTTL();
  bool m_writingBoxes = false;     // txtTTL_Change is writing the four boxes
};

}  // namespace SecCalc
