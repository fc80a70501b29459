// The bridge's byte work against the model editor (the stand-in editor's own byte buffer).
#include <gtest/gtest.h>

#include "ModelEditor.h"

// From a fault put in by hand that the whole suite let pass: a length answered above the
// bridge's limit on text was taken as it came, and one byte beyond the limit was read.
TEST(TextBytes, ALengthAboveTheLimitOnTextIsTakenAsTheLimit) {
  for (const bool nt : {true, false}) {
    SCOPED_TRACE(nt ? "NT" : "95 family");
    ModelEditor ed;
    ed.buf.replaceAll("abcdefghij", true);
    TextBytes::Family f;
    f.nt = nt;
    f.isLead = IsLeadCp932;
    f.maxText = 4;
    EXPECT_EQ(TextBytes::GetText(ed, f), "abcd");
  }
}
