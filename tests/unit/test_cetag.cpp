#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RowState.h"
#include "dialogs/logic/CETag.h"

namespace {
TagState InitialCE() { return State(kCEForm, {{L"TYPE", true, L"ACCEPT"}, {L"TASK", false, L"GO"}, {L"DEST", true, L""}}); }
RowValue& Row(TagState& s, std::wstring_view name) { return s.rows[RowIndex(kCEForm, name)]; }
}  // namespace

TEST(CETag, WrittenOrderAndTheShownText) {
  const std::wstring shown = L"新しい項目";
  TagState all = TickAll(kCEForm, InitialCE(), true);
  Row(all, L"LABEL").value = L"ラベル";
  Row(all, L"DEST").value = L"#next";
  Row(all, L"VALUE").value = L"1";
  TagState typed = InitialCE();
  Row(typed, L"TYPE").value = L"SOFT2";
  Row(typed, L"TASK") = {true, L"go "};
  Row(typed, L"DEST").value = L"a\"b<c>";
  TagState emptied = InitialCE();
  Row(emptied, L"TYPE").value = L"";

  const struct { const char* what; TagState state; bool moji; std::wstring text; const wchar_t* entry; } cases[] = {
      {"initial", InitialCE(), true, shown, LR"(<CE TYPE="ACCEPT" DEST="">新しい項目)"},
      {"every box ticked", all, true, shown,
       LR"(<CE TYPE="ACCEPT" TASK="GO" LABEL="ラベル" DEST="#next" VALUE="1">新しい項目)"},
      {"every box cleared, values kept out", TickAll(kCEForm, all, false), false, shown, LR"(<CE TYPE="ACCEPT">)"},
      {"values not in the lists and text, as typed", typed, true, L" x<BR> ",
       LR"(<CE TYPE="SOFT2" TASK="go " DEST="a"b<c>"> x<BR> )"},
      {"emptied type and text", emptied, true, L"", LR"(<CE TYPE="" DEST="">)"},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildCETag(c.state, c.moji, c.text), c.entry) << c.what;
}

TEST(CEList, UpDownDeleteMoveTheSelectionWithTheEntry) {
  using Entries = std::vector<std::wstring>;
  constexpr int kNone = CEList::kNone;
  const Entries abc{L"A", L"B", L"C"};
  const struct Case {
    const char* what;
    bool (*op)(CEList&);
    Entries before;
    int selected;
    bool changed;
    Entries after;
    int selectedAfter;
  } cases[] = {
      {"up from the middle", MoveUp, abc, 1, true, {L"B", L"A", L"C"}, 0},
      {"down from the first", MoveDown, {L"B", L"A", L"C"}, 0, true, abc, 1},
      {"down from the middle", MoveDown, abc, 1, true, {L"A", L"C", L"B"}, 2},
      {"up from the last", MoveUp, abc, 2, true, {L"A", L"C", L"B"}, 1},
      {"up on the first", MoveUp, abc, 0, false, abc, 0},
      {"down on the last", MoveDown, abc, 2, false, abc, 2},
      {"up on a single entry", MoveUp, {L"A"}, 0, false, {L"A"}, 0},
      {"down on a single entry", MoveDown, {L"A"}, 0, false, {L"A"}, 0},
      {"up with nothing selected", MoveUp, abc, kNone, false, abc, kNone},
      {"down with nothing selected", MoveDown, abc, kNone, false, abc, kNone},
      {"up on an empty list", MoveUp, {}, kNone, false, {}, kNone},
      {"up with a stale selection", MoveUp, abc, 3, false, abc, 3},
      {"down with a stale selection", MoveDown, abc, 7, false, abc, 7},
      // Equal texts: the selected one moves, its twin stays.
      {"up between equal entries", MoveUp, {L"A", L"A", L"B"}, 2, true, {L"A", L"B", L"A"}, 1},
      {"delete the middle", DeleteSelected, abc, 1, true, {L"A", L"C"}, kNone},
      {"delete the last", DeleteSelected, abc, 2, true, {L"A", L"B"}, kNone},
      {"delete the only entry", DeleteSelected, {L"A"}, 0, true, {}, kNone},
      {"delete with nothing selected", DeleteSelected, abc, kNone, false, abc, kNone},
      {"delete on an empty list", DeleteSelected, {}, kNone, false, {}, kNone},
      {"delete with a stale selection", DeleteSelected, abc, 3, false, abc, 3},
  };
  for (const Case& c : cases) {
    CEList list{c.before, c.selected};
    EXPECT_EQ(c.op(list), c.changed) << c.what;
    EXPECT_EQ(list.entries, c.after) << c.what;
    EXPECT_EQ(list.selected, c.selectedAfter) << c.what;
  }
}

TEST(CEList, AddAppendsUnsortedAndKeepsTheSelection) {
  CEList list;
  EXPECT_TRUE(AddEntry(list, L"<CE TYPE=\"SOFT1\">b"));
  list.selected = 0;
  EXPECT_TRUE(AddEntry(list, L"<CE TYPE=\"ACCEPT\">a"));
  EXPECT_TRUE(AddEntry(list, L"<CE TYPE=\"ACCEPT\">a"));   // twice the same: stored twice
  EXPECT_EQ(list.entries, (std::vector<std::wstring>{L"<CE TYPE=\"SOFT1\">b", L"<CE TYPE=\"ACCEPT\">a",
                                                      L"<CE TYPE=\"ACCEPT\">a"}));
  EXPECT_EQ(list.selected, 0);
}

TEST(CEList, JoinPutsCrLfBetweenEntriesOnly) {
  const struct { std::vector<std::wstring> entries; const wchar_t* block; } cases[] = {
      {{}, L""},
      {{L"e1"}, L"e1"},
      {{L"e1", L"e2", L"e3"}, L"e1\r\ne2\r\ne3"},
      {{L"", L"e2"}, L"\r\ne2"},
  };
  for (const auto& c : cases) EXPECT_EQ(JoinEntries(c.entries), c.block) << c.entries.size();
}
