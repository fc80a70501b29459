#include <gtest/gtest.h>

#include "dialogs/logic/CardTag.h"
#include "dialogs/logic/DeckTag.h"

namespace {
DeckState InitialDeck() {
  DeckState s;
  s.versionText = L"3.0";
  s.ttlText = L"3";
  s.markableText = L"True";
  return s;
}
CardState InitialCard() {
  CardState s;
  s.kind = L"DISPLAY";
  s.name = L"NewCard";
  s.markableText = L"True";
  s.titleText = L"新しいカード";
  s.methodText = L"NUMBER";
  return s;
}
}  // namespace

TEST(DeckTag, TickedAttributesInTheirFixedOrder) {
  DeckState all = InitialDeck();
  all.accessDomain = all.accessPath = true;
  all.accessDomainText = L"example.jp";
  all.accessPathText = L"/top";
  DeckState none = all;
  none.version = none.ttl = none.markable = none.accessDomain = none.accessPath = false;
  DeckState raw = InitialDeck();
  raw.versionText = L"4.0 beta";
  raw.ttlText = L"";
  raw.accessPath = true;
  raw.accessPathText = L" a\"b&c<>";

  const struct { const char* what; DeckState state; const wchar_t* tag; } cases[] = {
      {"initial", InitialDeck(), LR"(<HDML VERSION="3.0" TTL="3" MARKABLE="True">)"},
      {"all", all,
       LR"(<HDML VERSION="3.0" TTL="3" MARKABLE="True" ACCESSDOMAIN="example.jp" ACCESSPATH="/top">)"},
      {"none, values kept out", none, L"<HDML>"},
      {"values as typed", raw, LR"(<HDML VERSION="4.0 beta" TTL="" MARKABLE="True" ACCESSPATH=" a"b&c<>">)"},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildDeckTag(c.state), c.tag) << c.what;
}

TEST(CardTag, WrittenOrderAndKind) {
  CardState all = InitialCard();
  all.key = all.bookMark = all.method = all.defaultValue = all.ikey = all.iDefault = true;
  all.keyText = L"k";
  all.bookMarkText = L"b";
  all.defaultText = L"d";
  all.ikeyText = L"i";
  all.iDefaultText = L"j";
  CardState choice = InitialCard();
  choice.kind = L"CHOICE";
  choice.markable = choice.title = false;
  CardState empty = InitialCard();
  empty.kind = L"";
  empty.name = L"";

  const struct { const char* what; CardState state; const wchar_t* tag; const wchar_t* end; } cases[] = {
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
    EXPECT_EQ(BuildCardTag(c.state), c.tag) << c.what;
    EXPECT_EQ(BuildCardEndTag(c.state.kind), c.end) << c.what;
  }
}
