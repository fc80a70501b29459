// The deck dialog's converter, driven as an author drives it: boxes typed into and emptied in
// any order. Nothing fails, the nesting of the change rules stays shallow, and every settled
// state is a fixed point: running the rule of the box just typed into again changes nothing,
// and a TTL that splits agrees with boxes that join.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <string>

#include "FuzzText.h"
#include "dialogs/logic/SecCalc.h"

namespace {

// Five boxes that behave as edit controls: a write of a different text runs that box's rule
// before it returns.
class Boxes final : public SecCalc::Converter {
public:
  std::array<std::wstring, 5> text{L"0", L"0", L"0", L"0", L"0"};
  int depth = 0, deepest = 0;

  // What EN_CHANGE does in the dialog.
  void RunRule(int box) {
    ++depth;
    deepest = std::max(deepest, depth);
    FUZZ_CHECK(depth < 16);
    box == kTTL ? txtTTL_Change() : txtSecCalc_Change(box);
    --depth;
  }
  // The author's typing: the control changes and notifies, whatever the text.
  void Type(int box, std::wstring t) {
    text[box] = std::move(t);
    RunRule(box);
  }

protected:
  std::wstring BoxText(int box) const override { return text[box]; }
  bool SetBoxText(int box, const std::wstring& t) override {
    if (text[box] == t) return false;
    text[box] = t;
    RunRule(box);
    return true;
  }
  void FocusBox(int) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  Boxes boxes;
  for (int step = 0; step < 16 && in.remaining_bytes() > 0; ++step) {
    const int box = in.ConsumeIntegralInRange<int>(0, 4);
    const std::string bytes = in.ConsumeBool() ? std::string() : in.ConsumeRandomLengthString(24);
    boxes.Type(box, FuzzText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    FUZZ_CHECK(boxes.depth == 0);

    const auto settled = boxes.text;
    boxes.RunRule(box);
    FUZZ_CHECK(boxes.text == settled);

    for (const auto& t : settled) FUZZ_CHECK(!t.empty());   // an emptied box reads 0 again
    // The two sides agree: a TTL that splits and boxes that join mean the same whole seconds
    // (a box may keep a text such as ".0" whose number the TTL already holds).
    const auto split = SecCalc::Split(settled[SecCalc::Converter::kTTL]);
    const auto joined = SecCalc::Join({settled[0], settled[1], settled[2], settled[3]});
    if (split && joined) FUZZ_CHECK(SecCalc::Split(*joined) == split);
  }
  return 0;
}
