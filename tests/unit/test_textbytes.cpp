// The bridge's byte work against an editor whose answers are fixed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "bridge/logic/TextBytes.h"

namespace {

// Ten ASCII bytes, nothing selected; WM_GETTEXT copies what the capacity holds.
struct TenBytes final : TextBytes::EditorRequests {
  bool Present() override { return true; }
  int64_t Length() override { return 10; }
  int64_t ReadFirst(char* out, int64_t capacity) override {
    const int64_t n = std::min<int64_t>(capacity - 1, 10);
    std::memcpy(out, "abcdefghij", static_cast<size_t>(n));
    return n;
  }
  std::pair<int64_t, int64_t> GetSel() override { return {0, 0}; }
  void SetSel(int64_t, int64_t) override {}
  void ReplaceSel(const std::string&) override {}
  void Clear() override {}
  void Undo() override {}
};

}  // namespace

// From a fault put in by hand that the whole suite let pass: a length answered above the
// bridge's limit on text was taken as it came, and one byte beyond the limit was read.
TEST(TextBytes, ALengthAboveTheLimitOnTextIsTakenAsTheLimit) {
  for (const bool nt : {true, false}) {
    SCOPED_TRACE(nt ? "NT" : "95 family");
    TenBytes ed;
    TextBytes::Family f;
    f.nt = nt;
    f.maxText = 4;
    EXPECT_EQ(TextBytes::GetText(ed, f), "abcd");
  }
}
