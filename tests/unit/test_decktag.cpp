#include <gtest/gtest.h>

#include "RowState.h"
#include "dialogs/logic/CardTag.h"
#include "dialogs/logic/DeckTag.h"

namespace {
TagState InitialDeck() {
  return State(kDeckForm, {{L"VERSION", true, L"3.0"}, {L"TTL", true, L"3"}, {L"MARKABLE", true, L"True"}});
}
TagState InitialCard() {
  return State(kCardForm, {{L"NAME", true, L"NewCard"}, {L"MARKABLE", true, L"True"}, {L"TITLE", true, L"新しいカード"},
                           {L"METHOD", false, L"NUMBER"}}, L"DISPLAY");
}
}  // namespace

TEST(DeckTag, TickedAttributesInTheirFixedOrder) {
  TagState all = InitialDeck();
  all.rows[RowIndex(kDeckForm, L"ACCESSDOMAIN")] = {true, L"example.jp"};
  all.rows[RowIndex(kDeckForm, L"ACCESSPATH")] = {true, L"/top"};
  TagState raw = InitialDeck();
  raw.rows[RowIndex(kDeckForm, L"VERSION")].value = L"4.0 beta";
  raw.rows[RowIndex(kDeckForm, L"TTL")].value = L"";
  raw.rows[RowIndex(kDeckForm, L"ACCESSPATH")] = {true, L" a\"b&c<>"};

  const struct { const char* what; TagState state; const wchar_t* tag; } cases[] = {
      {"initial", InitialDeck(), LR"(<HDML VERSION="3.0" TTL="3" MARKABLE="True">)"},
      {"all", all,
       LR"(<HDML VERSION="3.0" TTL="3" MARKABLE="True" ACCESSDOMAIN="example.jp" ACCESSPATH="/top">)"},
      {"none, values kept out", TickAll(kDeckForm, all, false), L"<HDML>"},
      {"values as typed", raw, LR"(<HDML VERSION="4.0 beta" TTL="" MARKABLE="True" ACCESSPATH=" a"b&c<>">)"},
  };
  for (const auto& c : cases) EXPECT_EQ(TagFromRows(kDeckForm, c.state), c.tag) << c.what;
}

TEST(CardTag, WrittenOrderAndKind) {
  TagState all = TickAll(kCardForm, InitialCard(), true);
  for (const auto& [name, value] : {std::pair{L"KEY", L"k"}, {L"BOOKMARK", L"b"}, {L"DEFAULT", L"d"},
                                    {L"IKEY", L"i"}, {L"IDEFAULT", L"j"}})
    all.rows[RowIndex(kCardForm, name)].value = value;
  TagState choice = InitialCard();
  choice.element = L"CHOICE";
  choice.rows[RowIndex(kCardForm, L"MARKABLE")].ticked = choice.rows[RowIndex(kCardForm, L"TITLE")].ticked = false;
  TagState empty = InitialCard();
  empty.element = L"";
  empty.rows[RowIndex(kCardForm, L"NAME")].value = L"";

  const struct { const char* what; TagState state; const wchar_t* tag; const wchar_t* end; } cases[] = {
      {"initial", InitialCard(), LR"(<DISPLAY NAME="NewCard" MARKABLE="True" TITLE="新しいカード">)",
       L"</DISPLAY>"},
      // MARKABLE (second page) is written before TITLE (first page).
      {"every box ticked", all,
       LR"(<DISPLAY NAME="NewCard" MARKABLE="True" TITLE="新しいカード" KEY="k" BOOKMARK="b" METHOD="NUMBER" DEFAULT="d" IKEY="i" IDEFAULT="j">)",
       L"</DISPLAY>"},
      {"choice", choice, LR"(<CHOICE NAME="NewCard">)", L"</CHOICE>"},
      {"emptied kind and name", empty, LR"(< NAME="" MARKABLE="True" TITLE="新しいカード">)", L"</>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TagFromRows(kCardForm, c.state), c.tag) << c.what;
    EXPECT_EQ(EndTagOf(c.state.element), c.end) << c.what;
  }
}
