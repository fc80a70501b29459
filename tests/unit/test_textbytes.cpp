#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "ModelEditor.h"
#include "bridge/logic/TextBytes.h"

namespace {

// An editor that changes nothing and answers WM_GETTEXT as one in another process does: whole
// cp932 characters only. It counts the lengths asked.
struct WholeCharacters final : TextBytes::EditorRequests {
  std::string text;
  int lengths = 0;
  explicit WholeCharacters(std::string t) : text(std::move(t)) {}
  static bool Lead(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  }
  bool Present() override { return true; }
  int64_t Length() override { return ++lengths, static_cast<int64_t>(text.size()); }
  int64_t ReadFirst(char* out, int64_t capacity) override {
    size_t n = 0;
    while (n < text.size() && n + (Lead(text[n]) ? 2 : 1) <= static_cast<size_t>(capacity - 1))
      n += Lead(text[n]) ? 2 : 1;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<int64_t>(n);
  }
  std::pair<int64_t, int64_t> GetSel() override { return {0, 0}; }
  void SetSel(int64_t, int64_t) override {}
  void ReplaceSel(const std::string&) override {}
  void Clear() override {}
  void Undo() override {}
  void ScrollCaret() override {}
};

}  // namespace

// From a fault put in by hand that the whole suite let pass: a length answered above the
// bridge's limit on text was taken as it came, and one byte beyond the limit was read.
TEST(TextBytes, ALengthAboveTheLimitOnTextIsTakenAsTheLimit) {
  WholeCharacters ed("abcdefghij");
  for (const bool nt : {true, false}) {
    TextBytes::Family f;
    f.nt = nt;
    f.maxText = 4;
    EXPECT_EQ(TextBytes::GetText(ed, f), "abcd") << (nt ? "NT" : "95 family");
  }
}

// A read into the caller's last reading asks no length when the text fits the room that reading
// gives, and never takes a read cut at the capacity for the whole text: one that ends two bytes
// short (a double-byte character straddling the end, which crosses whole or not at all) is read
// again after the length. Capacity on NT is the last reading's size + 1/8 + 4096.
TEST(TextBytes, AReadIntoTheLastReadingAsksNoLengthYetNeverCutsTheText) {
  const std::string kanji = "\x8a\xbf";   // one double-byte character
  const struct { size_t last; std::string text; int lengths; } cases[] = {
      {0, std::string(4093, 'a'), 0},                       // a first read: capacity 4096
      {0, std::string(4094, 'a'), 1},                       // capacity - 2 bytes: maybe more
      {0, std::string(4093, 'a') + kanji, 1},               // the character straddles the end
      {0, std::string(4092, 'a') + kanji, 1},               // capacity - 2 bytes, a whole character
      {0, std::string(4091, 'a') + kanji, 0},               // capacity - 3
      {8000, std::string(13093, 'b'), 0},                   // 8000 + 1000 + 4096 - 3
      {8000, std::string(13094, 'b'), 1},
      {8000, "short now", 0},                               // the buffer shrinks to the new text
      {8000, std::string("ab\0cd", 5), 0},                  // cut at its NUL, as every read is
  };
  for (const auto& c : cases) {
    WholeCharacters ed(c.text);
    TextBytes::Family f;
    f.isLead = WholeCharacters::Lead;
    std::string kept(c.last, 'z');
    TextBytes::GetText(ed, f, kept);
    EXPECT_EQ(kept, c.text.substr(0, c.text.find('\0'))) << c.last << " then " << c.text.size();
    EXPECT_EQ(ed.lengths, c.lengths) << c.last << " then " << c.text.size();
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

// From the fuzz targets. An editor whose caret answer never moves, over a text that does not grow,
// was fed the whole text two bytes at a time by Text Let, each piece counted as gone in. And tags
// put in around a range with a NUL went end tag first, whose first byte joined a lone lead byte
// before an empty range into one character, so that the start tag landed a byte early.
TEST(TextBytes, NeitherARepeatedAnswerNorALoneLeadByteMisleadsAReplacement) {
  struct Repeating final : TextBytes::EditorRequests {
    int requests = 0;
    bool Present() override { return ++requests, true; }
    int64_t Length() override { return ++requests, 2; }
    int64_t ReadFirst(char*, int64_t) override { return ++requests, 0; }
    std::pair<int64_t, int64_t> GetSel() override { return ++requests, std::pair<int64_t, int64_t>{5, 5}; }
    void SetSel(int64_t, int64_t) override { ++requests; }
    void ReplaceSel(const std::string&) override { ++requests; }
    void Clear() override { ++requests; }
    void Undo() override { ++requests; }
    void ScrollCaret() override { ++requests; }
  } repeating;
  TextBytes::Family f;
  f.nt = false;
  f.isLead = [](char c) { return IsLeadByte(static_cast<unsigned char>(c)); };
  TextBytes::SetText(repeating, f, std::string(3000, 'a'));
  EXPECT_LE(repeating.requests, 30);

  ModelEditor ed;
  ed.buf.replaceAll(std::string("\0\x0b\x82", 3), true);
  TextBytes::InsertAround(ed, f, 3, 3, "<", "_\xf9\x40");
  EXPECT_EQ(ed.buf.text(), std::string("\0\x0b\x82<_\xf9\x40", 7));
}
