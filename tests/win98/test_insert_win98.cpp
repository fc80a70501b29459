// The insertion on the 95 family (Wine reports Windows 98 to this program), against an editor
// that accepts at most 32760 bytes per transfer: up to that size the wrapped text goes in as one
// change that one undo takes back; beyond it, in pieces, and the caret still ends before the end tag.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "HostProtocol.h"
#include "TestSupport.h"
#include "app/mdlMain.h"
#include "insert/mdlHDML.h"

namespace {

struct Case {
  const char* name;
  std::string text;       // cp932 bytes
  long selStart, selEnd;
  std::wstring start, end;
};

std::string Repeat(const std::string& unit, size_t times) {
  std::string s;
  for (size_t i = 0; i < times; ++i) s += unit;
  return s;
}

// A 95-family editor (at most 32760 bytes per transfer) holding c's text and selection, and
// c's tags inserted into it; undoBefore, when given, gets the editor's undo count before.
HostPad InsertInto(const Case& c, LRESULT* undoBefore = nullptr) {
  HostPadOptions options;
  options.cap = 32760;
  HostPad host(options);
  host.setBytes(c.text);
  host.select(c.selStart, c.selEnd);
  gTeraPad = std::make_unique<clsKeshTeraPad>();
  gTeraPad->hwnd(host.main());
  gStartTag = c.start;
  gEndTag = c.end;
  if (undoBefore) *undoBefore = host.send(HPM_UNDOCOUNT);
  InsertPendingTags(*gTeraPad);
  return host;
}

TEST(Insert95, WrapsTheSelectionOnceOrInPiecesAndPutsTheCaretBeforeTheEndTag) {
  const std::string kanji = Cp932(L"漢字");                      // 4 bytes
  const std::string small = "ab" + Repeat(kanji, 1000) + "yz";     // a 4000-byte selection
  const std::string large = "ab" + Repeat(kanji, 10000) + "yz";    // 40000 bytes: more than one transfer
  const Case cases[] = {
      {"short ASCII", "xabcy", 1, 4, L"<CENTER>", L"</CENTER>"},
      {"4000 bytes of Japanese", small, 2, 4002, L"<HDML VERSION=\"3.0\">", L"</HDML>"},
      {"no end tag", "abc", 0, 3, L"<BR>", L""},
      // The caret once went back by the end tag's characters, not its bytes.
      {"Japanese end tag", "xabcy", 1, 4, L"<カード>", L"</カード>"},
      {"40000 bytes, in pieces", large, 2, 40002, L"<A LABEL=\"次へ\">", L"</A>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LRESULT undoBefore = 0;
    HostPad host = InsertInto(c, &undoBefore);

    const std::string startBytes = Cp932(c.start), endBytes = Cp932(c.end);
    const std::string selected = c.text.substr(c.selStart, c.selEnd - c.selStart);
    const std::string expected =
        c.text.substr(0, c.selStart) + startBytes + selected + endBytes + c.text.substr(c.selEnd);
    EXPECT_TRUE(host.bytes() == expected) << "got " << host.bytes().size() << " bytes, expected " << expected.size();
    const long caret = c.selStart + static_cast<long>(startBytes.size() + selected.size());
    EXPECT_EQ(host.sel(), std::make_pair(caret, caret));
    if (startBytes.size() + selected.size() + endBytes.size() <= 32760) {
      EXPECT_EQ(host.send(HPM_UNDOCOUNT), undoBefore + 1) << "one change";
      SendMessageW(host.editor(), EM_UNDO, 0, 0);
      EXPECT_TRUE(host.bytes() == c.text) << "one undo takes the insertion back whole";
    }
    EXPECT_EQ(gStartTag, c.start) << "the pending tags are left as they were";
    EXPECT_EQ(gEndTag, c.end);
  }
  gTeraPad.reset();
}

// From a fault: with a NUL in the selection the bytes after it were lost on OK. On the 95
// family a long selection is read in pieces, and the read ends at the NUL just the same.
TEST(Insert95, ANulInTheSelectionLosesNoByteShortOrReadInPieces) {
  const std::string kanji = Cp932(L"漢字");
  const std::string longText = "ab" + Repeat(kanji, 5000) + std::string(1, '\0') + Repeat(kanji, 5000) + "yz";
  const Case cases[] = {
      {"short", std::string("xa\0b\x82\xa0y", 7), 1, 6, L"<CENTER>", L"</CENTER>"},
      {"40000 bytes, NUL in the middle", longText, 2, static_cast<long>(longText.size()) - 2, L"<A>", L"</A>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HostPad host = InsertInto(c);

    const std::string startBytes = Cp932(c.start), endBytes = Cp932(c.end);
    const std::string expected = c.text.substr(0, c.selStart) + startBytes +
                                 c.text.substr(c.selStart, c.selEnd - c.selStart) + endBytes + c.text.substr(c.selEnd);
    EXPECT_TRUE(host.bytes() == expected) << "got " << host.bytes().size() << " bytes, expected " << expected.size();
    const long caret = c.selEnd + static_cast<long>(startBytes.size());
    EXPECT_EQ(host.sel(), std::make_pair(caret, caret));
  }
  gTeraPad.reset();
}

}  // namespace
