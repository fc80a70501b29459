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
    HostPadOptions options;
    options.cap = 32760;
    HostPad host(options);
    host.setBytes(c.text);
    host.select(c.selStart, c.selEnd);
    gTeraPad = std::make_unique<clsKeshTeraPad>();
    gTeraPad->hwnd(host.main());
    gStartTag = c.start;
    gEndTag = c.end;
    const LRESULT undoBefore = host.send(HPM_UNDOCOUNT);

    InsertPendingTags();

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

}  // namespace
