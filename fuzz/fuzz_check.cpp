// The checker on any bytes at all, and on those bytes many times over: nothing fails, every
// problem lies inside the text and is located, and the problems come in the text's order. The
// repeated text makes work that grows faster than the text show up as libFuzzer's slow units.
#include <string>
#include <string_view>

#include "FuzzText.h"
#include "check/logic/HdmlCheck.h"

namespace {

void CheckOnce(std::string_view text) {
  const auto problems = HdmlCheck::Check(text);
  size_t last = 0;
  for (const HdmlCheck::Problem& p : problems) {
    FUZZ_CHECK(p.begin <= p.end && p.end <= text.size());
    FUZZ_CHECK(p.begin >= last);
    FUZZ_CHECK(p.line >= 1 && p.column >= 1 && !p.rule.empty() && !p.message.empty());
    last = p.begin;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckOnce(text);
  std::string many;
  for (int i = 0; i < 64; ++i) many += text;
  CheckOnce(many);
  return 0;
}
