#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "ModelEditor.h"
#include "bridge/logic/TextBytes.h"

// From a fault put in by hand that the whole suite let pass: a length answered above the
// bridge's limit on text was taken as it came, and one byte beyond the limit was read.
TEST(TextBytes, ALengthAboveTheLimitOnTextIsTakenAsTheLimit) {
  // An editor of ten ASCII bytes, nothing selected, that changes nothing.
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
    void ScrollCaret() override {}
  } ed;
  for (const bool nt : {true, false}) {
    TextBytes::Family f;
    f.nt = nt;
    f.maxText = 4;
    EXPECT_EQ(TextBytes::GetText(ed, f), "abcd") << (nt ? "NT" : "95 family");
  }
}

// From a fault put in by hand that the whole suite let pass: Text Let rebuilt the text piece by
// piece into an editor that took one byte per replacement, thousands of messages for a text
// that such an editor cannot take whole anyway. One refusal ends it.
TEST(TextBytes, TextLetIntoAnEditorTakingOneBytePerReplacementGivesUpAtOnce) {
  ModelEditor ed;
  ed.cap = 1;
  TextBytes::Family f;
  f.nt = false;
  f.isLead = [](char c) { return IsLeadByte(static_cast<unsigned char>(c)); };
  TextBytes::SetText(ed, f, std::string(3000, 'a'));
  EXPECT_LE(ed.requests, 10u);
}
