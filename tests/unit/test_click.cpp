// One toolbar click decided and carried out against the stand-in editor's byte buffer: where the
// selection is read from, where the tags go, what a re-edit rewrites. Texts are cp932 bytes.
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "ModelEditor.h"
#include "bridge/logic/EditorAccess.h"
#include "insert/logic/PendingTags.h"

namespace {

bool IsLead(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// An editor holding `text` with bytes [anchor, caret) selected (anchor > caret: backwards); it
// answers EM_GETSEL with `answer` when given.
struct Editor {
  struct Answering final : ModelEditor {
    std::optional<std::pair<int64_t, int64_t>> answer;
    std::pair<int64_t, int64_t> GetSel() override { return answer ? (Request(), *answer) : ModelEditor::GetSel(); }
  } model;
  TextBytes::Family family;
  TextBytes::Access access{model, family};

  Editor(const std::string& text, size_t anchor, size_t caret) {
    family.isLead = IsLead;
    model.buf.replaceAll(text, true);
    model.buf.setSel(anchor, caret);
  }
  const std::string& text() const { return model.buf.text(); }
};

constexpr std::wstring_view kImg[] = {L"IMG"};
constexpr std::wstring_view kCard[] = {L"DISPLAY", L"CHOICE"};
constexpr std::wstring_view kCE[] = {L"CE"};
constexpr std::wstring_view kCenter[] = {L"CENTER"};
const ReadBack kImgButton{kImg}, kCardButton{kCard}, kCEButton{kCE, true}, kTextButton{kCenter, false, true};

// The click as a whole: the place found, the dialog's tags put there.
std::string Click(Editor& ed, const ReadBack& button, const std::string& start, const std::string& end = {}) {
  ApplyPendingTags(ed.access, button, FindTagTarget(ed.access, button), start, end);
  return ed.text();
}

const std::string kBefore = "\x91\x4f", kAiu = "\x82\xa0\x82\xa2\x82\xa4", kAfter = "\x8c\xe3";   // 前 あいう 後

TEST(Click, TheSelectionIsReadOrderedAndInsideTheText) {
  const std::string doc = kBefore + kAiu + kAfter;   // 10 bytes
  const struct { const char* name; std::pair<int64_t, int64_t> answer, selection; } cases[] = {
      {"backwards, as (anchor, caret)", {8, 2}, {2, 8}},
      {"a negative start", {-1, 8}, {0, 8}},
      {"a start past the text, an end before it", {100, 2}, {2, 10}},
      {"both past the text", {INT32_MAX, INT32_MIN}, {0, 10}},
  };
  for (const auto& c : cases) {
    Editor ed(doc, 0, 0);
    ed.model.answer = c.answer;
    EXPECT_EQ(ed.access.Selection(), c.selection) << c.name;
  }
  // From a fault: selected from right to left in an editor answering (anchor, caret), the
  // selection was replaced by the empty tags; an editor answering a start past the text and
  // an end before it lost the text after the selection as well.
  Editor backwards(doc, 8, 2);
  backwards.model.answer = std::pair<int64_t, int64_t>{8, 2};
  EXPECT_EQ(Click(backwards, {}, "<CENTER>", "</CENTER>"), kBefore + "<CENTER>" + kAiu + "</CENTER>" + kAfter);
  EXPECT_EQ(backwards.model.buf.caret(), 16u);
  Editor hostile(doc, 2, 8);
  hostile.model.answer = std::pair<int64_t, int64_t>{100, 2};
  EXPECT_EQ(Click(hostile, {}, "<CENTER>", "</CENTER>"), kBefore + "<CENTER>" + kAiu + kAfter + "</CENTER>");
  EXPECT_EQ(hostile.model.buf.caret(), 18u) << "just before the end tag";
}

TEST(Click, NewTagsGoAfterTheTagHoldingTheCaretHoweverFarItsEndIs) {
  // From faults: the read around the caret not extended past its first 256 bytes put the new
  // tag inside a long start tag; the caret just before an end tag's ">" split "</A>".
  const std::string longTag = "<A DEST=\"#" + std::string(600, 'x') + "\">";
  Editor inLong(longTag + "go</A>", 3, 3);
  EXPECT_EQ(Click(inLong, kImgButton, "<IMG>"), longTag + "<IMG>go</A>");
  Editor beforeGt("<A>go</A>b", 8, 8);
  EXPECT_EQ(Click(beforeGt, kImgButton, "<IMG>"), "<A>go</A><IMG>b");
}

TEST(Click, AReeditRewritesItsOwnTagOnly) {
  // From a fault: a renamed end tag not looked for past the first read left a long card with
  // its old end tag.
  const std::string content = std::string(5000, 'y');
  Editor card("<DISPLAY NAME=c>" + content + "</DISPLAY>z", 3, 3);
  EXPECT_EQ(Click(card, kCardButton, "<CHOICE NAME=\"c\">"), "<CHOICE NAME=\"c\">" + content + "</CHOICE>z");
  EXPECT_EQ(card.model.buf.caret(), 17u) << "just after the start tag";

  // From a fault: OK after the author moved the caret into another tag of the same kind
  // rewrote that other tag.
  Editor two("<IMG SRC=a><IMG SRC=b>", 3, 3);
  const TagTarget first = FindTagTarget(two.access, kImgButton);
  ASSERT_TRUE(first.edit);
  two.model.buf.setSel(14, 14);
  EXPECT_FALSE(ApplyPendingTags(two.access, kImgButton, first, "<IMG SRC=\"z\">", ""));
  EXPECT_EQ(two.text(), "<IMG SRC=a><IMG SRC=b>");

  // From a fault: the text dialog opened on a tag never showed that its end tag is there.
  Editor closed("<CENTER>x</CENTER>", 2, 2), open("<CENTER>x", 2, 2);
  EXPECT_TRUE(FindTagTarget(closed.access, kTextButton).hasEndTag);
  EXPECT_FALSE(FindTagTarget(open.access, kTextButton).hasEndTag);
}

TEST(Click, ChoiceEntriesOpenAgainOnlyAsWholeSelectedLines) {
  const std::string lines = "x<CE>one\r\n<CE>two\r\n";
  const struct { const char* name; size_t start, end; bool edit; } cases[] = {
      {"the second line", 10, 17, true},
      // From faults: a selection from the middle of a line, or the caret in one CE tag, opened
      // the list on it.
      {"from the middle of the first line", 1, 17, false},
      {"the caret in a CE tag", 12, 12, false},
  };
  for (const auto& c : cases) {
    Editor ed(lines, c.start, c.end);
    EXPECT_EQ(FindTagTarget(ed.access, kCEButton).edit, c.edit) << c.name;
  }
}

}  // namespace
