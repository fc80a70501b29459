#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "preview/logic/PreviewLayout.h"
#include "preview/logic/PreviewSession.h"
#include "preview/logic/PreviewWatch.h"

namespace {

// cp932 "あ", "い", "う": two half-width columns each.
#define A "\x82\xa0"
#define I "\x82\xa2"
#define U "\x82\xa4"

// A deck of served shape (lower case, unquoted values) with `body` as its first card's content.
std::string Deck(std::string_view card, std::string_view body, std::string_view deckActions = "") {
  return "<hdml version=3.0>\r\n" + std::string(deckActions) + std::string(card) + "\r\n" + std::string(body) +
         "\r\n</display>\r\n<display name=next>\r\nnext card\r\n</display>\r\n</hdml>\r\n";
}

// The screen's text: the rows, the empty rows up to the screen's lines, the soft-key row.
std::string Shown(const std::vector<std::string>& rows, std::string_view soft, int lines) {
  std::string s;
  for (int i = 0; i < lines; ++i) s += (i < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(i)] : "") + "\r\n";
  return s + std::string(soft);
}

Preview::Screen Lay(const std::string& deck, Preview::ScreenSize size, const Preview::Variables* vars = nullptr,
                    size_t caret = 0) {
  const Preview::Cards cards = Preview::FindCards(deck);
  Preview::Context c;
  c.size = size;
  c.variables = vars;
  c.imageCells = [](std::string_view src, int columns) -> std::optional<std::pair<int, int>> {
    if (src == "logo.bmp") return std::pair{std::min(6, columns), 2};
    return std::nullopt;
  };
  c.character = [](uint32_t code) { return code == 0x3042 ? std::string(A) : std::string(); };
  return Preview::LayOut(deck, cards, Preview::CardAt(cards, caret), c);
}

}  // namespace

// One row per rule of the phone's screen: the card's text, the screen's size, what it shows.
TEST(PreviewLayout, EachRuleShowsTheCardAsThePhoneDoes) {
  const Preview::Variables vars{{"who", "Ann"}};
  const struct {
    const char* rule;
    std::string deck;
    Preview::ScreenSize size;
    std::vector<std::string> rows;
    std::string soft;
    int highlighted = -1;
  } cases[] = {
      {"white space collapses; source line breaks are no breaks", Deck("<display>", "one \r\n\t two"), {12, 4}, {"one two"}, "OK"},
      {"<br> breaks, an empty line too", Deck("<display>", "a<br><br>b"), {12, 4}, {"a", "", "b"}, "OK"},
      {"WRAP wraps ASCII at its blanks", Deck("<display>", "alpha beta gamma"), {12, 4}, {"alpha beta", "gamma"}, "OK"},
      {"a word wider than the row is cut at the width", Deck("<display>", "abcdefghijklmnop"), {12, 4}, {"abcdefghijkl", "mnop"}, "OK"},
      {"Japanese wraps between characters, never inside one", Deck("<display>", "x" A I U A I U A), {12, 4},
       {"x" A I U A I, U A}, "OK"},
      {"<line> shows one row cut at the width, marked as going on", Deck("<display>", "<line>" A I U A I U A), {12, 4},
       {A I U A I " >"}, "OK"},
      {"<center> and <right> align their line and end with it", Deck("<display>", "<center>ab<br><right>cd<br>ef"), {12, 4},
       {"     ab", "          cd", "ef"}, "OK"},
      {"<tab> lines form a table, each column as wide as its widest cell",
       Deck("<display>", "a<tab>bb<tab>c<br>aaa<tab>b<tab>c<br>end"), {12, 4}, {"a   bb c", "aaa b  c", "end"}, "OK"},
      {"references are decoded, a bare & is itself", Deck("<display>", "&lt;&gt;&amp;&quot;&dol;x&nbsp;&nbsp;y &#65;&#12354; ?a&b"),
       {20, 4}, {"<>&\"$x  y A" A " ?a&b"}, "OK"},
      {"a variable shows as written, or its value; $$ and $2.50 are dollars",
       Deck("<display>", "$(who) $x $(y:esc) $$ $2.50"), {24, 4}, {"Ann $x $(y:esc) $ $2.50"}, "OK"},
      {"links are items, the first highlighted, its LABEL on ACCEPT",
       Deck("<display>", "<a task=go dest=#next label=Go>one</a> <a dest=#next>two</a>"), {12, 4}, {"one two"}, "Go", 0},
      {"CHOICE entries are numbered, one row each, cut as LINE rows",
       Deck("<choice>", "pick<ce value=a>" A I U A I U "<ce value=b>two"), {12, 4}, {"pick", "1 " A I U A " >", "2 two"}, "OK", 0},
      {"METHOD=ALPHA: no numbers; IDEFAULT highlights", Deck("<choice method=alpha idefault=2>", "<ce>one<ce>two"), {12, 4},
       {"one", "two"}, "OK", 1},
      {"KEY's DEFAULT highlights the entry of that VALUE", Deck("<choice key=k default=b>", "<ce value=a>one<ce value=b label=Pick>two"),
       {12, 4}, {"1 one", "2 two"}, "Pick", 1},
      {"ENTRY: the prompt, then DEFAULT on the input line", Deck("<entry key=n default=Bob>", "Name?"), {12, 4}, {"Name?", "Bob_"}, "OK"},
      {"NOECHO: a star for each character", Deck("<entry key=p default=ab" A " noecho=true>", "Pass"), {12, 4}, {"Pass", "***_"}, "OK"},
      {"an image found is a box, at most the screen's width; else [ALT]; ICON= a small box",
       Deck("<display>", "<img src=logo.bmp alt=Logo><br><img src=none.gif alt=Map><img icon=44 alt=sun>"), {12, 4},
       {"", "", "[Map]" "\x81\xa0"}, "OK"},
      {"the card's ACCEPT label at the left, SOFT1's at the right, both cut",
       Deck("<display>", "<action type=accept task=go dest=#next label=Continue><action type=soft1 task=prev label=" A I U A I U ">x"),
       {12, 4}, {"x"}, "Conti " A I U},
      {"the deck's ACCEPT and SOFT1 when the card has none", Deck("<display>", "x", "<action type=accept task=go dest=#next label=Select>\r\n<action type=soft1 task=prev label=Back>\r\n"),
       {12, 4}, {"x"}, "Selec   Back"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rule);
    const Preview::Screen s = Lay(c.deck, c.size, &vars);
    EXPECT_EQ(Preview::ScreenText(s, 0, c.size), Shown(c.rows, c.soft, c.size.lines));
    EXPECT_EQ(s.highlighted, c.highlighted);
  }
}

// The card of the caret and of a "#name"; a card whose end tag is missing ends where the next
// one begins.
TEST(PreviewLayout, FindsTheCardOfTheCaretAndOfAName) {
  const std::string deck = "<hdml><action type=accept label=Deck>\r\n<display name=a>one\r\n<display name=b>two</display>"
                           "\r\n<choice name=c><ce>x</ce></choice></hdml>";
  const Preview::Cards cards = Preview::FindCards(deck);
  ASSERT_EQ(cards.cards.size(), 3u);
  EXPECT_EQ(deck.substr(cards.cards[0].begin, cards.cards[0].end - cards.cards[0].begin), "<display name=a>one\r\n");
  EXPECT_EQ(deck.substr(cards.deckBegin, cards.deckEnd - cards.deckBegin), "<action type=accept label=Deck>\r\n");
  EXPECT_EQ(Preview::CardAt(cards, 0), 0) << "before every card";
  EXPECT_EQ(Preview::CardAt(cards, deck.find("two")), 1);
  EXPECT_EQ(Preview::CardAt(cards, deck.find("</display>") + 3), 1) << "in its end tag";
  EXPECT_EQ(Preview::CardAt(cards, deck.size()), 2) << "after the deck";
  EXPECT_EQ(Preview::CardNamed(cards, "c"), 2);
  EXPECT_EQ(Preview::CardNamed(cards, "B"), -1) << "names are matched as written";
  EXPECT_EQ(Preview::CardAt(Preview::FindCards("no deck"), 0), -1);
}

// Down goes to the next item while it starts on the screen or just below it, scrolling it into
// view; past the last item it scrolls a row; Up comes back the same way.
TEST(PreviewLayout, ArrowsMoveTheHighlightAndScroll) {
  Preview::Screen s = Lay(Deck("<display>", "<a dest=#next label=One>one</a><br>text<br>text<br>text<br>"
                                            "<a dest=#next>two</a><br>end"), {12, 2});
  ASSERT_EQ(s.items.size(), 2u);
  int top = 0;
  const struct { int delta, highlighted, top; const char* accept; } steps[] = {
      {+1, 0, 1, "One"}, {+1, 0, 2, "One"},   // "two" (row 4) is not yet just below rows 0-1, 1-2
      {+1, 1, 3, "OK"},  {+1, 1, 4, "OK"},  {+1, 1, 4, "OK"},    // the last rows shown: no further
      {-1, 1, 3, "OK"},  {-1, 1, 2, "OK"},  {-1, 1, 1, "OK"},  {-1, 0, 0, "One"}};
  for (const auto& step : steps) {
    Preview::Move(s, 2, step.delta, top);
    EXPECT_EQ(s.highlighted, step.highlighted);
    EXPECT_EQ(top, step.top);
    EXPECT_EQ(s.accept, step.accept);
  }
}

// The watch reads the editor only when its look found a change, and once a second the bytes up
// to the shown card's end, which finds an edit that kept both the length and the caret.
TEST(PreviewWatch, ReadsOnlyWhatAChangeNeeds) {
  struct Model final : Preview::Editor {
    std::string text;
    int64_t caret = 0;
    int texts = 0, prefixes = 0;
    size_t prefixWanted = 0;
    std::optional<TextBytes::Glimpse> Glance() override {
      return TextBytes::Glimpse{static_cast<int64_t>(text.size()), caret, caret};
    }
    void Text(std::string& out) override { ++texts, out = text; }
    std::string Prefix(size_t want) override { return ++prefixes, prefixWanted = want, text.substr(0, want + 1); }
  } ed;
  ed.text = Deck("<display name=a>", "first");
  const size_t secondCard = ed.text.find("<display name=next>");
  Preview::Watch w;
  using Change = Preview::Watch::Change;
  const int shown = 0;
  const struct { const char* step; std::function<void()> edit; Change change; int texts, prefixes; } steps[] = {
      {"the first look reads", [] {}, Change::Text, 1, 0},
      {"nothing changed", [] {}, Change::None, 1, 0},
      {"nothing changed", [] {}, Change::None, 1, 0},
      {"nothing changed", [] {}, Change::None, 1, 0},
      {"the fourth quiet look reads up to the card's end", [] {}, Change::None, 1, 1},
      {"the caret moved: nothing read", [&] { ed.caret = static_cast<int64_t>(secondCard) + 3; }, Change::Caret, 1, 1},
      {"typed: the length changed", [&] { ed.text.insert(secondCard + 25, "x"), ++ed.caret; }, Change::Text, 2, 1},
      {"overtyped in the shown card", [&] { ed.text[ed.text.find("first")] = 'F'; }, Change::None, 2, 1},
      {"", [] {}, Change::None, 2, 1},
      {"", [] {}, Change::None, 2, 1},
      {"found by the verifying read", [] {}, Change::Text, 3, 2},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    s.edit();
    EXPECT_EQ(w.Tick(ed, shown), s.change);
    EXPECT_EQ(ed.texts, s.texts);
    EXPECT_EQ(ed.prefixes, s.prefixes);
  }
  EXPECT_EQ(ed.prefixWanted, w.cards().cards[0].end) << "only the shown card's bytes and those before it";
  EXPECT_EQ(w.text(), ed.text);
  EXPECT_EQ(Preview::CardAt(w.cards(), w.caret()), 1);
}

// The phone's keys through three cards: the typed name and the chosen entry become variables of
// the card shown after them; links that leave the deck, dial or name no card are said; Backspace
// goes back card by card.
TEST(PreviewSession, KeysCarryValuesToTheNextCardsAndGoBack) {
  const std::string deck =
      "<hdml><entry name=ask key=who default=Ann><action type=accept task=go dest=#pick>Name?</entry>"
      "<choice name=pick key=fruit ikey=n><action type=accept task=go dest=#shown><ce value=apple>Apple"
      "<ce value=pear task=go dest=#shown>Pear</choice>"
      "<display name=shown>$(who) $fruit $n<br><a task=go dest=http://example.jp/?a=1&b=2>web</a>"
      "<a task=call number=0123>call</a><a task=go dest=#nowhere>lost</a></display></hdml>";
  const Preview::Cards cards = Preview::FindCards(deck);
  Preview::Session session;
  int card = 0;
  Preview::Screen screen;
  const auto show = [&] {
    Preview::Context c;
    c.size = {12, 4};
    c.variables = &session.variables();
    c.typed = session.typed();
    screen = Preview::LayOut(deck, cards, card, c);
  };
  using Kind = Preview::Outcome::Kind;
  const auto expect = [&](Preview::Outcome o, Kind kind, int toCard = -1, std::string text = "") {
    EXPECT_EQ(o.kind, kind);
    EXPECT_EQ(o.text, text);
    if (kind == Kind::Show) {
      EXPECT_EQ(o.card, toCard);
      card = o.card;
    }
    show();
  };
  show();
  EXPECT_EQ(Preview::RowText(screen.rows[1]), "Ann_");
  expect(session.Type(screen, "Bo" "\x82\xa0"), Kind::Redraw);
  expect(session.Erase(screen), Kind::Redraw);   // the double-byte character goes whole
  expect(session.Type(screen, "b"), Kind::Redraw);
  EXPECT_EQ(Preview::RowText(screen.rows[1]), "Bob_");
  expect(session.Accept(screen, cards, card), Kind::Show, 1);
  EXPECT_EQ(screen.highlighted, 0);
  int top = 0;
  Preview::Move(screen, 4, +1, top);
  expect(session.Accept(screen, cards, card), Kind::Show, 2);   // Pear's own task
  EXPECT_EQ(Preview::RowText(screen.rows[0]), "Bob pear 2");
  expect(session.Accept(screen, cards, card), Kind::LeaveDeck, -1, "http://example.jp/?a=1&b=2");
  Preview::Highlight(screen, 1);
  expect(session.Accept(screen, cards, card), Kind::Call, -1, "0123");
  Preview::Highlight(screen, 2);
  expect(session.Accept(screen, cards, card), Kind::NoCard, -1, "nowhere");
  expect(session.Erase(screen), Kind::Show, 1);
  expect(session.Erase(screen), Kind::Show, 0);
  EXPECT_EQ(Preview::RowText(screen.rows[1]), "Bob_") << "the name given stays the KEY's value";
  expect(session.Erase(screen), Kind::NoBack);
}
