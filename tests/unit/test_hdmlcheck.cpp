#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "check/logic/HdmlCheck.h"
#include "dialogs/logic/CETag.h"
#include "dialogs/logic/CardTag.h"
#include "dialogs/logic/DeckTag.h"
#include "dialogs/logic/ImgTag.h"
#include "dialogs/logic/NaviTag.h"
#include "dialogs/logic/TextTag.h"

using HdmlCheck::Check;
using HdmlCheck::Problem;
using HdmlCheck::Severity;

namespace {

// A deck and a card around `body`.
std::string InCard(std::string_view body) {
  return "<HDML VERSION=\"3.0\">\r\n<DISPLAY NAME=\"c1\">\r\n" + std::string(body) + "\r\n</DISPLAY>\r\n</HDML>\r\n";
}

// The tags that the dialogs build hold ASCII here; their cp932 bytes are the same.
std::string Ascii(std::wstring_view w) {
  std::string s;
  for (wchar_t c : w) s += static_cast<char>(c);
  return s;
}

}  // namespace

// Each deck breaks one rule once; "{" and "}" mark the bytes the problem must select.
TEST(HdmlCheck, EachRuleFindsItsOneFaultAndSelectsItsBytes) {
  const struct { std::string deck; std::string_view rule; Severity severity; } cases[] = {
      {"{<DISPLAY NAME=\"a\">}text</DISPLAY>", "deck", Severity::Error},
      {"<HDML><DISPLAY>x</DISPLAY></HDML>\r\n{after the deck}\r\n", "deck", Severity::Error},
      {"{<HDML VERSION=\"3.0\">}\r\n</HDML>", "no-card", Severity::Error},
      {InCard("x{<CHOICE NAME=\"in\">}y</CHOICE>"), "place", Severity::Error},
      {InCard("{<CE VALUE=\"1\">}one"), "place", Severity::Error},
      {InCard("text {<ACTION TYPE=\"ACCEPT\" TASK=\"PREV\">}"), "place", Severity::Error},
      {"<HDML><DISPLAY>x</DISPLAY>{<ACTION TYPE=\"SOFT1\" TASK=\"PREV\" LABEL=\"back\">}<DISPLAY NAME=\"b\">y</DISPLAY></HDML>",
       "place", Severity::Error},
      {"<HDML>{stray words}<DISPLAY>x</DISPLAY></HDML>", "place", Severity::Error},
      {"<HDML><NODISPLAY><ACTION TYPE=\"ACCEPT\" TASK=\"GO\" DEST=\"#c\">{hello}<BR></NODISPLAY>"
       "<DISPLAY NAME=\"c\">x</DISPLAY></HDML>", "nodisplay-text", Severity::Error},
      {InCard("x {<A DEST=\"#c1\">}link"), "end-missing", Severity::Error},
      {"{<HDML>}<DISPLAY>x</DISPLAY>", "end-missing", Severity::Error},
      {InCard("x{</CHOICE>}"), "end-misnested", Severity::Error},
      {InCard("{<BLINK>}x"), "element", Severity::Error},
      {InCard("<A TASK=\"GO\" DEST={\"#c1}>go</A>"), "quote", Severity::Error},
      {InCard("x{<BR}<B>y"), "tag-open", Severity::Error},
      {"<HDML TTL=\"{-90}\"><DISPLAY>x</DISPLAY></HDML>", "ttl", Severity::Error},
      {"<HDML MARKABLE=\"{yes}\"><DISPLAY>x</DISPLAY></HDML>", "boolean", Severity::Error},
      {InCard("Tom {&amp} Jerry"), "entity", Severity::Error},
      {InCard("<IMG SRC=\"a.bmp\" {WIDTH=\"9\"}>"), "attribute", Severity::Warning},
      {"<HDML><DISPLAY {NAME=\"\"}>x</DISPLAY></HDML>", "name", Severity::Warning},
      {"<HDML><DISPLAY NAME=\"a\">x</DISPLAY><DISPLAY NAME=\"{a}\">y</DISPLAY></HDML>", "name", Severity::Warning},
      {InCard("<A TASK=\"GO\" DEST=\"{#nowhere}\">go</A>"), "dest-card", Severity::Warning},
      {InCard("x{</BR>}"), "end-void", Severity::Warning},
      {"<HDML><ACTION TYPE=\"ACCEPT\" TASK=\"PREV\" LABEL=\"{\x96\xdf\x82\xe9\x96\xdf\x82\xe9\x96\xdf\x82\xe9}\">"
       "<DISPLAY>x</DISPLAY></HDML>", "label", Severity::Warning},
      {InCard("<A TASK=\"GO\" {DEST=\"\"}>go</A>"), "dest", Severity::Warning},
      {InCard("<IMG SRC=\"{C:\\img\\a.bmp}\">"), "dest", Severity::Warning},
      {"<HDML><ACTION TYPE=\"HELP\" GO=\"{#gone}\"><DISPLAY>x</DISPLAY></HDML>", "dest-card", Severity::Warning},
      {InCard("a {&}; b"), "entity", Severity::Error},
      {InCard("<A TASK=\"GO\" DEST=\"a.cgi?q=a{&amp}&b=2\">go</A>"), "entity", Severity::Error},
      {InCard("<A TASK=\"GO\" DEST=\"a.cgi?c=3{&new}\">go</A>"), "entity", Severity::Error},
      {InCard("<A TASK=\"GO\" DEST=\"list.cgi?id={$}(id\">go</A>"), "dollar", Severity::Warning},
      {"<HDML><CHOICE>Pick<CE>one</CE>{note}<BR>more<CE>two</CE></CHOICE></HDML>", "place", Severity::Error},
      {"<HDML><DISPLAY><ACTION TYPE=\"ACCEPT\" TASK=\"PREV\">{</ACTION>}x</DISPLAY></HDML>", "end-void", Severity::Warning},
      {"<HDML>{<ACTION TASK=\"PREV\">}<DISPLAY>x</DISPLAY></HDML>", "action-type", Severity::Warning},
  };
  for (const auto& c : cases) {
    std::string deck = c.deck;
    const size_t begin = deck.find('{');
    deck.erase(begin, 1);
    const size_t end = deck.find('}');
    deck.erase(end, 1);
    const auto problems = Check(deck);
    ASSERT_EQ(problems.size(), 1u) << c.rule << " in " << deck << "\nfirst: "
                                   << (problems.empty() ? "" : problems[0].rule);
    EXPECT_EQ(problems[0].rule, c.rule) << deck;
    EXPECT_EQ(problems[0].severity, c.severity) << deck;
    EXPECT_EQ(std::make_pair(problems[0].begin, problems[0].end), std::make_pair(begin, end)) << deck;
    EXPECT_FALSE(problems[0].message.empty());
  }
}

TEST(HdmlCheck, WhatTheDocumentsAllowIsNotAProblem) {
  const std::string decks[] = {
      // variables in text and values, both comment forms, lower case names and values
      "<hdml version=\"3.0\" ttl=\"$(t)\" markable=\"$flag\">\r\n<!-- note -->\r\n<-- old form -->\r\n"
      "<display name=\"top\" markable=\"true\">Hello $name, $(name) $(name:esc)<br>\r\n"
      "<a task=\"go\" dest=\"#$(next)\" label=\"$(long)\">go</a> &lt;&gt;&amp;&dol;&#65;\r\n</display>\r\n</hdml>",
      // deck and card actions, a choice with 3.x entries, forward references, an entry card
      "<HDML VERSION=\"3.0\"><ACTION TYPE=\"HELP\" TASK=\"GO\" DEST=\"#help\">"
      "<CHOICE NAME=\"menu\" KEY=\"k\" METHOD=\"ALPHA\"><ACTION TYPE=\"SOFT1\" TASK=\"GO\" DEST=\"#help\" LABEL=\"Help\">"
      "Pick<CE VALUE=\"1\" LABEL=\"Go\" REL=\"NEXT\" TASK=\"GO\" DEST=\"#help\">One</CE><CE VALUE=\"2\">Two</CHOICE>"
      "<ENTRY NAME=\"help\" KEY=\"q\" FORMAT=\"*M\" NOECHO=\"False\">Name?</ENTRY>"
      "<NODISPLAY NAME=\"init\"><ACTION TYPE=\"ACCEPT\" TASK=\"GO\" DEST=\"http://x/a.hdml?a=1&amp;b=2\" "
      "VARS=\"a=1&b=2\"></NODISPLAY></HDML>",
      // a double-byte character whose trail byte is "\" is no Windows path
      "<HDML><DISPLAY>\x95\x5c<IMG SRC=\"\x95\x5c.bmp\" ALT=\"\x95\x5c\"></DISPLAY></HDML>",
  };
  for (const std::string& deck : decks) {
    const auto problems = Check(deck);
    EXPECT_TRUE(problems.empty()) << deck << "\nfirst: " << problems[0].rule << " at " << problems[0].begin;
  }
}

// Every dialog as it opens (its rows ticked as at load, lists at their first item), with the
// destinations, the source and the names filled in as the author must.
TEST(HdmlCheck, ADeckBuiltFromEveryDialogsDefaultTagsIsClean) {
  const auto opened = [](const TagForm& form, std::wstring_view element, std::wstring_view name = L"NewCard") {
    TagState s;
    s.element = element;
    for (const TagRow& row : form.rows) {
      std::wstring value = row.items.empty() ? L"x" : std::wstring(row.items[0]);
      if (row.name == L"DEST") value = L"#NewCard";
      if (row.name == L"SRC") value = L"logo.bmp";
      if (row.name == L"NAME") value = name;
      if (row.name == L"TTL") value = L"3";
      if (row.name == L"LABEL") value = L"OK";
      s.rows.push_back({row.tickedAtLoad || !row.optional, value});
    }
    return s;
  };
  std::string text;
  for (std::wstring_view name : kTextTagNames) text += Ascii(BuildTextTags(name, false).startTag) + "line\r\n";
  const TagState ce = opened(kCEForm, L"CE");
  const std::string doc =
      Ascii(TagFromRows(kDeckForm, opened(kDeckForm, L""))) + "\r\n" +
      Ascii(TagFromRows(kNaviActionForm, opened(kNaviActionForm, L""))) + "\r\n" +
      Ascii(TagFromRows(kCardForm, opened(kCardForm, kCardKinds[0]))) + "\r\n" + text +
      Ascii(TagFromRows(kImgForm, opened(kImgForm, L""))) + Ascii(TagFromRows(kNaviAForm, opened(kNaviAForm, L""))) +
      "next" + Ascii(kNaviAEndTag) + "\r\n" + Ascii(EndTagOf(kCardKinds[0])) + "\r\n" +
      Ascii(TagFromRows(kCardForm, opened(kCardForm, kCardKinds[1], L"Second"))) + "Pick\r\n" +
      Ascii(BuildCETag(ce, true, L"Item")) + "\r\n" + Ascii(BuildCETag(ce, true, L"Other")) + "\r\n" +
      Ascii(EndTagOf(kCardKinds[1])) + "\r\n" + Ascii(kDeckEndTag) + "\r\n";
  const auto problems = Check(doc);
  EXPECT_TRUE(problems.empty()) << doc << "\nfirst: " << problems[0].rule << " at " << problems[0].begin;
}

// Lines end at CR LF; a double-byte character is one column; problems come in the text's order.
TEST(HdmlCheck, LinesAndColumnsAreTheEditorsAndProblemsFollowTheText) {
  const std::string deck = "<HDML>\r\n<DISPLAY NAME=\"a\">\r\n\x82\xa0\x82\xa2\tx<BLINK>\r\n"
                           "<IMG SRC=\"\">\r\n</DISPLAY>\r\n</HDML>\r\nbye";
  const auto problems = Check(deck);
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_EQ(problems[0].rule, "element");
  EXPECT_EQ(std::make_pair(problems[0].line, problems[0].column), std::make_pair(3L, 5L));
  EXPECT_EQ(problems[1].rule, "dest");
  EXPECT_EQ(std::make_pair(problems[1].line, problems[1].column), std::make_pair(4L, 6L));
  EXPECT_EQ(problems[2].rule, "deck");
  EXPECT_EQ(std::make_pair(problems[2].line, problems[2].column), std::make_pair(7L, 1L));
  EXPECT_EQ(HdmlCheck::SeverityText(problems[0].severity), L"エラー");
  EXPECT_EQ(HdmlCheck::SeverityText(problems[1].severity), L"注意");
}

// Decks in the shapes that au/EZweb sites served (tests/data: cp932, CR LF), each with exactly the
// problems it holds, as "rule:line": none for the valid ones, the intended ones for the faulty.
TEST(HdmlCheck, DecksInTheShapesSitesServedGiveExactlyTheirProblems) {
  const struct { std::string_view file, problems; } decks[] = {
      {"ok-lowercase", ""}, {"ok-menu-accesskey", ""}, {"ok-form-post", ""}, {"ok-nodisplay-vars", ""}, {"ok-bbs-list", ""},
      {"ok-icon-menu", ""}, {"ok-comments", ""}, {"ok-vars-esc", ""}, {"ok-ce-tasks", ""}, {"ok-go-call", ""},
      {"ok-labels-jp", ""}, {"ok-converter", ""}, {"ok-choice-ce-end", ""}, {"ok-entry-login", ""},
      {"bad-xml-prolog", "deck:1"}, {"bad-hdml-for-end", "end-missing:1 place:5"}, {"bad-action-after-prompt", "place:4"},
      {"bad-dollar-price", "dollar:4"}, {"bad-choice-stray-text", "place:6"}, {"bad-end-action", "end-void:3"},
      {"bad-end-img", "end-void:3"}, {"bad-action-no-type", "action-type:3"}, {"bad-title-on-hdml", "attribute:1"},
      {"bad-public-nodisplay", "attribute:2"}, {"bad-end-wrap", "end-void:3"}, {"bad-label-submit", "label:3"},
      {"bad-dest-typo", "dest-card:3"}, {"bad-next-cancel", "dest-card:3 dest-card:3"}, {"bad-file-upper", "dest:3"},
      {"bad-quote-open", "quote:3 dest-card:4"}, {"bad-entity-nbsp", "entity:3"}, {"bad-amp-text", "entity:3"},
      {"bad-amp-query", "entity:3"}, {"bad-comment-open", "end-missing:1 end-missing:2 tag-open:4"},
  };
  const std::string folder = TOLVANE_TEST_DATA;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), std::ssize(decks)) << "a deck left out";
  for (const auto& d : decks) {
    std::ifstream in(folder + std::string(d.file) + ".hdml", std::ios::binary);
    const std::string deck{std::istreambuf_iterator<char>(in), {}};
    ASSERT_NE(deck.find("\r\n"), std::string::npos) << d.file;
    std::string found;
    for (const Problem& p : Check(deck)) found += (found.empty() ? "" : " ") + std::string(p.rule) + ":" + std::to_string(p.line);
    EXPECT_EQ(found, d.problems) << d.file;
  }
}
