// Reading tags back: the start-tag reader, a dialog's rows filled from a tag, and the places a
// toolbar click finds in the editor's bytes.
#include <gtest/gtest.h>

#include <string>

#include "RowState.h"
#include "dialogs/logic/CardTag.h"
#include "dialogs/logic/DeckTag.h"
#include "dialogs/logic/StartTag.h"
#include "dialogs/logic/TextTag.h"
#include "insert/logic/TagPlace.h"

namespace {
// "NAME" or "NAME=value" for each attribute, the tag's name first, "|" between.
std::string Parts(std::string_view text) {
  bool cut = false;
  const auto tag = ReadStartTag(text, &cut);
  if (!tag) return cut ? "(cut short)" : "(no tag)";
  std::string out(Part(text, tag->nameBegin, tag->nameEnd));
  for (const TagAttribute& a : tag->attributes) {
    out.append("|").append(Part(text, a.nameBegin, a.nameEnd));
    if (a.hasValue) out.append("=").append(Part(text, a.valueBegin, a.valueEnd));
  }
  return out + "@" + std::to_string(tag->end);
}
}  // namespace

TEST(StartTag, NameAttributesAndEndInAnyQuoting) {
  const struct { std::string_view text; const char* parts; } cases[] = {
      {R"(<DISPLAY NAME="c1" foo='x y' BAR=#z baz>text)", "DISPLAY|NAME=c1|foo=x y|BAR=#z|baz@40"},
      {R"(<a href = "x>y" >)", "a|href=x>y@17"},
      {"<BR/>", "BR|/@5"},
      {"<CE TYPE=\"表\\\">", "CE|TYPE=表\\@16"},   // a cp932 trail byte 0x5C is no delimiter
      {R"(<A DEST="x)", "(cut short)"},
      {"<A DEST=x", "(cut short)"},
      {"<A", "(cut short)"},
      {"< A>", "(no tag)"},
      {"<1>", "(no tag)"},
      {"<A <B>", "(no tag)"},
      {"", "(cut short)"},
  };
  for (const auto& c : cases) EXPECT_EQ(Parts(c.text), c.parts) << c.text;
  EXPECT_TRUE(SameName(std::string_view("display"), std::string_view("DISPLAY")));
}

TEST(RowsFromTag, FillsTheRowsAndWritesBackWhatNoRowHolds) {
  const TagState shown = State(kCardForm, {{L"NAME", true, L"NewCard"}, {L"MARKABLE", true, L"True"},
                                           {L"TITLE", true, L"新しいカード"}, {L"METHOD", false, L"NUMBER"}});
  const auto reedit = [&](std::wstring_view tag) { return RowsFromTag(kCardForm, tag, shown); };
  EXPECT_EQ(TagFromRows(kCardForm, reedit(LR"(<DISPLAY NAME="c1" FOO="x" TITLE="t">)")),
            LR"(<DISPLAY NAME="c1" TITLE="t" FOO="x">)");
  // A list without the value, a second TITLE, a value-less KEY: all go back as written, in order.
  TagState s = reedit(LR"(<choice markable='TRUE' title=a Title="b" KEY name="n">)");
  EXPECT_EQ(s.element, L"choice");
  EXPECT_EQ(TagFromRows(kCardForm, s), LR"(<choice NAME="n" TITLE="a" markable='TRUE' Title="b" KEY>)");
  EXPECT_EQ(s.rows[RowIndex(kCardForm, L"METHOD")], (RowValue{false, L"NUMBER"})) << "an absent row keeps what it showed";
  // Ticking a row whose value was written back gives that attribute its new value instead.
  s.rows[RowIndex(kCardForm, L"MARKABLE")].ticked = true;
  ReleaseRow(kCardForm, s, RowIndex(kCardForm, L"TITLE"));
  EXPECT_EQ(TagFromRows(kCardForm, s), LR"(<choice NAME="n" MARKABLE="True" title=a Title="b" KEY>)");
  EXPECT_EQ(TagFromRows(kDeckForm, RowsFromTag(kDeckForm, L"<HDML>", {})), L"<HDML>");
  // From a fault: OK without a change gave a tag the NAME that every new card is written with
  // (NAME=""), which the checker then warned about. Unwritten until the author fills it.
  TagState noName = reedit(LR"(<DISPLAY TITLE="t">)");
  EXPECT_EQ(TagFromRows(kCardForm, noName), LR"(<DISPLAY TITLE="t">)");
  EXPECT_EQ(TagFromRows(kCardForm, reedit(LR"(<DISPLAY NAME="" TITLE="t">)")), LR"(<DISPLAY NAME="" TITLE="t">)");
  noName.rows[RowIndex(kCardForm, L"NAME")].value = L"c";
  EXPECT_EQ(TagFromRows(kCardForm, noName), LR"(<DISPLAY NAME="c" TITLE="t">)");
  EXPECT_EQ(TagFromRows(kCardForm, State(kCardForm, {}, L"DISPLAY")), LR"(<DISPLAY NAME="">)") << "a new card";
  EXPECT_EQ(BuildTextTags(RowsFromTag(kTextForm, L"<wrap ID=1>", {}), true).endTag, L"</wrap>");
}

namespace {
constexpr std::wstring_view kCard[] = {L"DISPLAY", L"CHOICE"};
constexpr std::wstring_view kCE[] = {L"CE"};

std::string Show(TagPlace::Spot s) {
  static const char* kinds[] = {"nothing", "own", "other", "lines", "more"};
  return std::string(kinds[static_cast<int>(s.found)]) + " " + std::to_string(s.begin) + "-" + std::to_string(s.end);
}
}  // namespace

TEST(TagPlace, TheCaretsTagCommentOrNothing) {
  //                           0         1         2         3         4         5
  //                           0123456789012345678901234567890123456789012345678901234567
  const std::string_view doc = R"(<DISPLAY NAME="a>b"><!-- <CE> -->x<A DEST="#">y</A></DISPLAY>)";
  const struct { size_t caret; const char* spot; } cases[] = {
      {0, "nothing 0-0"},   {1, "own 0-20"},     {19, "own 0-20"},   {20, "nothing 0-0"},
      {22, "other 20-33"},  {27, "other 20-33"}, {33, "nothing 0-0"}, {36, "other 34-46"},
      {49, "other 47-51"},  {55, "other 51-61"},
      {60, "other 51-61"},   // from a fault: just before an end tag's ">" counted as after it
  };
  for (const auto& c : cases) EXPECT_EQ(Show(TagPlace::AtCaret(doc, true, c.caret, kCard)), c.spot) << c.caret;
  EXPECT_EQ(Show(TagPlace::AtCaret(doc.substr(0, 10), false, 3, kCard)), "more 0-0") << "the '>' not yet read";
  EXPECT_EQ(Show(TagPlace::AtCaret(doc.substr(0, 10), true, 3, kCard)), "nothing 0-0") << "a tag without '>'";
}

TEST(TagPlace, SelectedTagOrLinesAndTheClosingTag) {
  const std::string_view lines = "<CE TYPE=\"A\">one\r\n<ce>two\r\nthree\r\n";
  const struct { size_t start, end; bool lines; const char* spot; } cases[] = {
      {0, 13, false, "own 0-13"},      {0, 14, false, "nothing 0-0"},
      {0, 25, true, "lines 0-25"},     {0, 27, true, "lines 0-25"},   {18, 25, true, "lines 18-25"},
      {0, 32, true, "nothing 0-0"},    // "three" opens with no tag
      {1, 25, true, "nothing 0-0"},    {0, 20, true, "nothing 0-0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Show(TagPlace::OfSelection(lines, true, c.start, c.end, kCE, c.lines)), c.spot) << c.start << "-" << c.end;
  EXPECT_EQ(Show(TagPlace::OfSelection("x<choice a=1>y", true, 1, 13, kCard, false)), "own 1-13");

  const std::string_view nested = "<CENTER>a<center>b</CENTER><!--</CENTER>-->c</center >d";
  EXPECT_EQ(Show(TagPlace::ClosingTag(nested, true, 8, "CENTER")), "own 44-54");
  EXPECT_EQ(Show(TagPlace::ClosingTag(nested.substr(0, 40), false, 8, "CENTER")), "more 0-0");
  EXPECT_EQ(Show(TagPlace::ClosingTag(nested, true, 27, "DISPLAY")), "nothing 0-0");
}
