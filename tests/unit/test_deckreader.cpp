#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "hdml/logic/DeckReader.h"

namespace {

// A reading as one line per part, every byte taken from the part's own ranges:
//   T|text   S|name attr=value attr="value" attr='value' attr   E|name   C|body
// then "!open", "!quote" or "!comment" for a fault and "/>" for a tag that ends so. The parts
// must follow each other without gap over the whole text.
std::vector<std::string> Parts(std::string_view text) {
  const Hdml::Deck deck = Hdml::ReadDeck(text);
  std::vector<std::string> out;
  size_t at = 0;
  for (const Hdml::Part& p : deck.parts) {
    EXPECT_EQ(p.range.begin, at) << "a gap or an overlap before part " << out.size() << " of " << text;
    at = p.range.end;
    std::string s = std::string(1, "TSEC"[static_cast<int>(p.kind)]) + "|" + std::string(Hdml::View(text, p.inner));
    for (const Hdml::Attribute& a : deck.AttributesOf(p)) {
      const std::string quote = a.quote ? std::string(1, a.quote) : "";
      s += " " + std::string(Hdml::View(text, a.name));
      if (a.hasValue) s += "=" + quote + std::string(Hdml::View(text, a.value)) + quote;
    }
    const char* const faults[] = {"", " !open", " !quote", " !comment"};
    out.push_back(s + (p.selfClosed ? " />" : "") + faults[static_cast<int>(p.fault)]);
  }
  EXPECT_EQ(at, text.size()) << "the parts end before the text: " << text;
  return out;
}

using Lines = std::vector<std::string>;

}  // namespace

// Decks in the shapes real sites served: lower case, unquoted values, query strings with a bare
// "&", variables, single quotes, both comment forms, Shift_JIS text.
TEST(DeckReader, ReadsTheShapesOfServedDecks) {
  const struct { std::string text; Lines parts; } cases[] = {
      {"<hdml version=3.0 ttl=0>\r\n<display name=top>\r\n<a task=go dest=#menu accesskey=1>\x83\x81\x83\x6a\x83\x85\x81\x5b</a>\r\n",
       {"S|hdml version=3.0 ttl=0", "T|\r\n", "S|display name=top", "T|\r\n",
        "S|a task=go dest=#menu accesskey=1", "T|\x83\x81\x83\x6a\x83\x85\x81\x5b", "E|a", "T|\r\n"}},
      {"<A TASK=GO DEST=\"list.cgi?m=h&p=2\" LABEL=\x8e\x9f>next</A>",
       {"S|A TASK=GO DEST=\"list.cgi?m=h&p=2\" LABEL=\x8e\x9f", "T|next", "E|A"}},
      {"<ACTION TYPE=ACCEPT TASK=GO METHOD=POST DEST=a.cgi POSTDATA='k=$(k:esc)&n=$n'>",
       {"S|ACTION TYPE=ACCEPT TASK=GO METHOD=POST DEST=a.cgi POSTDATA='k=$(k:esc)&n=$n'"}},
      {"<ENTRY KEY=q NOECHO\tDEFAULT=\"\"\r\n  FORMAT=*M>",
       {"S|ENTRY KEY=q NOECHO DEFAULT=\"\" FORMAT=*M"}},
      {"<!-- \x95\x5c <a dest=#x> -->x<-- old form -->",
       {"C| \x95\x5c <a dest=#x> ", "T|x", "C| old form "}},
      {"<IMG ICON=44 ALT=\x94\x5c/><BR>&nbsp;<TAB>$2.50 &amp; &dol;</display>",
       {"S|IMG ICON=44 ALT=\x94\x5c/", "S|BR", "T|&nbsp;", "S|TAB", "T|$2.50 &amp; &dol;", "E|display"}},
      {"<BR/></A junk><CE VALUE=x/>",
       {"S|BR />", "E|A", "S|CE VALUE=x/"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Parts(c.text), c.parts) << c.text;
}

// A "<" starts markup only before a letter, "/" and a letter, or a comment's opening.
TEST(DeckReader, ALessThanThatStartsNoTagIsText) {
  const struct { std::string text; Lines parts; } cases[] = {
      {"a < b <3 </ > <!x <-x <", {"T|a < b <3 </ > <!x <-x <"}},
      {"<?xml version=\"1.0\"?>\r\n<HDML>", {"T|<?xml version=\"1.0\"?>\r\n", "S|HDML"}},
      {"x<", {"T|x<"}},
      {std::string("a\0b<B>\0", 7), {std::string("T|a\0b", 5), "S|B", std::string("T|\0", 3)}},
  };
  for (const auto& c : cases) EXPECT_EQ(Parts(c.text), c.parts) << c.text;
}

// A run of text is searched byte by byte for its first bytes and by the library after them:
// every length ends at its tag.
TEST(DeckReader, TextOfEveryLengthEndsAtTheNextTag) {
  for (size_t n = 1; n < 40; ++n) {
    const std::string run(n, 'x');
    EXPECT_EQ(Parts(run + "<BR>" + run), (Lines{"T|" + run, "S|BR", "T|" + run})) << n;
  }
}

// One slip gives one fault, and the next line is read as a tag again.
TEST(DeckReader, AFaultEndsItsPartWhereThePhonesGatewayEndedIt) {
  const struct { std::string text; Lines parts; } cases[] = {
      // a quote left open ends at the line's first ">" after it, or at the line end
      {"<A DEST=\"#x>go</A>\r\n<BR>", {"S|A DEST=\"#x\" !quote", "T|go", "E|A", "T|\r\n", "S|BR"}},
      {"<IMG ALT='a b\r\nSRC=x>", {"S|IMG ALT='a b' !quote", "T|\r\nSRC=x>"}},
      {"<IMG ALT=\"a\nb\">", {"S|IMG ALT=\"a\" !quote", "T|\nb\">"}},
      {"<A LABEL=\"", {"S|A LABEL=\"\" !quote"}},
      // a tag cut by the next "<" or by the end of the text
      {"<BR<B>x", {"S|BR !open", "S|B", "T|x"}},
      {"<A DEST=#x<B>", {"S|A DEST=#x !open", "S|B"}},
      {"</A\r\n<B>", {"E|A !open", "S|B"}},
      {"<HDML VERSION=3.0", {"S|HDML VERSION=3.0 !open"}},
      // a comment without "-->" runs to the end
      {"x<!-- a -- > <B>", {"T|x", "C| a -- > <B> !comment"}},
      {"<--", {"C| !comment"}},
      // stray "=" and quotes are skipped; a name with no "=" has no value
      {"<A =\"x\" B>", {"S|A x B"}},
      {"<A B= C>", {"S|A B= C"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Parts(c.text), c.parts) << c.text;
}

// Every delimiter lies below 0x40, where no trail byte does; a lead byte whose next byte is no
// trail byte is a character of its own and never hides the delimiter after it.
TEST(DeckReader, ShiftJisTrailBytesNeverEndOrHideMarkup) {
  const struct { std::string text; Lines parts; } cases[] = {
      // trail bytes that look like "\", "|" and letters
      {"<IMG SRC=\x95\x5c.bmp ALT=\"\x83\x5c\x83\x7c\x83\x41\">", {"S|IMG SRC=\x95\x5c.bmp ALT=\"\x83\x5c\x83\x7c\x83\x41\""}},
      {"<CE VALUE=\x83\x41>\x83\x41</CE>", {"S|CE VALUE=\x83\x41", "T|\x83\x41", "E|CE"}},
      // a lone lead byte before ">", a quote, "<" and "="
      {"<A X=\x82>y", {"S|A X=\x82", "T|y"}},
      {"<A L=\"\x82\">y", {"S|A L=\"\x82\"", "T|y"}},
      {"\x82<B>", {"T|\x82", "S|B"}},
      {"<A \x82>y", {"S|A \x82", "T|y"}},
      {"<A \x82=\"1\">", {"S|A \x82=\"1\""}},
  };
  for (const auto& c : cases) EXPECT_EQ(Parts(c.text), c.parts) << c.text;
}
