// Text, selection and caret through the bridge (NT family: every text in one message),
// against the stand-in editor as its own process; LenMbcs and MidMbcs on their own.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "EditHost.h"
#include "HostProtocol.h"
#include "TestSupport.h"
#include "bridge/clsKeshTeraPad.h"

namespace {

struct Bound {
  HostPad host;
  std::unique_ptr<clsKeshTeraPad> t;
  explicit Bound(std::string_view bytes = {}, const HostPadOptions& options = {}) : host(options) {
    if (!bytes.empty()) host.setBytes(bytes);
    t = std::make_unique<clsKeshTeraPad>();
    t->hwnd(host.main());
  }
};

}  // namespace

TEST(BridgeMbcs, LenMbcsCountsCp932Bytes) {
  struct { const wchar_t* text; long bytes; } cases[] = {
      {L"", 0}, {L"abc", 3}, {L"あい", 4}, {L"aあ\r\n", 5}, {L"ｱｲ", 2} /* half-width kana: 1 byte each */,
  };
  for (const auto& c : cases) EXPECT_EQ(clsKeshTeraPad::LenMbcs(c.text), c.bytes) << c.text;
}

TEST(BridgeMbcs, MidMbcsTakesBytesByOneBasedPosition) {
  struct { const wchar_t* text; long start, length; const wchar_t* expected; } cases[] = {
      {L"abc", 2, -1, L"bc"}, {L"abc", 2, 1, L"b"},  {L"abc", 4, 1, L""},   {L"abc", 1, 99, L"abc"},
      {L"abc", 9, -1, L""},   {L"abc", 1, 0, L""},   {L"あいう", 3, 2, L"い"}, {L"aあb", 2, 2, L"あ"},
      {L"aあb", 4, -1, L"b"}, {L"あいう", 5, -1, L"う"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(clsKeshTeraPad::MidMbcs(c.text, c.start, c.length), c.expected)
        << c.text << " " << c.start << " " << c.length;
}

TEST(BridgeMbcs, MidMbcsRefusesAStartBelowOne) {
  EXPECT_THROW(clsKeshTeraPad::MidMbcs(L"abc", 0, 1), std::invalid_argument);
  EXPECT_THROW(clsKeshTeraPad::MidMbcs(L"abc", -5, -1), std::invalid_argument);
}

TEST(BridgeText, EmptyEditor) {
  Bound b;
  EXPECT_EQ(b.t->Length(), 0);
  EXPECT_EQ(b.t->Text(), L"");
  EXPECT_EQ(b.t->SelText(), L"");
}

TEST(BridgeText, CaretSelectionAndLines) {
  Bound b("0123456789abcdefghij\r\nline2\r\nline3");
  b.host.select(3, 8);
  EXPECT_EQ(b.t->SelStart(), 3);
  EXPECT_EQ(b.t->SelLength(), 5);
  b.t->SelStart(10);
  EXPECT_EQ(b.host.sel(), std::make_pair(10L, 10L));
  EXPECT_EQ(b.t->SelLength(), 0);
  b.t->SelLength(5);
  EXPECT_EQ(b.host.sel(), std::make_pair(10L, 15L));
  EXPECT_EQ(b.t->SelText(), L"abcde");
  b.t->Line(2);
  EXPECT_EQ(b.host.sel(), std::make_pair(29L, 29L));
  EXPECT_EQ(b.t->Line(), 2);
  EXPECT_EQ(b.t->SelSet(22, 24), std::optional<bool>(true));
  EXPECT_EQ(b.t->Line(), 1);
}

TEST(BridgeText, TextGetAndLetWithJapanese) {
  const std::wstring text = L"<HDML VERSION=\"3.0\">\r\n日本語の本文、カナ ｶﾅ、記号①\r\n</HDML>";
  Bound b(Cp932(text));
  EXPECT_EQ(b.t->Length(), static_cast<long>(Cp932(text).size()));
  EXPECT_EQ(b.t->Text(), text);

  const std::wstring replacement = L"<置き換え>\r\nnew";
  b.t->Text(replacement);
  EXPECT_EQ(b.host.bytes(), Cp932(replacement));
  EXPECT_EQ(b.host.sel(), std::make_pair(1L, 1L)) << "Text Let leaves the caret at byte 1";

  b.t->Text(L"");
  EXPECT_EQ(b.host.bytes(), "");
  EXPECT_EQ(b.t->Length(), 0);
}

// The selection is read through a prefix of the text only; its result must be the Part's own,
// MidMbcs of the whole text at the selection.
TEST(BridgeText, SelTextGetMatchesTheWholeTextCutAtTheSelection) {
  const std::string bytes = Cp932(L"ab漢字cdかな\r\nｱｲ字ef");
  struct { long start, end; const wchar_t* expected; } cases[] = {
      {0, 0, L""},       {0, 2, L"ab"},    {2, 6, L"漢字"},  {4, 8, L"字cd"},
      {8, 12, L"かな"},  {12, 16, L"\r\nｱｲ"}, {16, 20, L"字ef"}, {0, 20, L"ab漢字cdかな\r\nｱｲ字ef"},
      {3, 5, nullptr},   {5, 9, nullptr},  {17, 20, nullptr},  // inside a double-byte character
  };
  Bound b(bytes);
  for (const auto& c : cases) {
    b.host.select(c.start, c.end);
    const std::wstring got = b.t->SelText();
    const std::wstring whole = b.t->MidMbcs(b.t->Text(), b.t->SelStart() + 1, b.t->SelLength());
    EXPECT_EQ(got, whole) << c.start << ".." << c.end;
    if (c.expected) {
      EXPECT_EQ(got, c.expected) << c.start << ".." << c.end;
    }
  }
}

// A first read into an empty buffer makes one WM_GETTEXT of capacity 4096 and takes its answer
// for the whole text only when it left room: across processes Wine hands back whole characters,
// so a double-byte character straddling the capacity's end comes back short, and the text must
// then be read again, not cut.
TEST(BridgeText, AReadIntoAKeptBufferIsTheWholeTextAtEveryEdgeOfItsRoom) {
  Bound b;
  for (const size_t ascii : {4091u, 4092u, 4093u, 4094u, 4095u}) {
    for (const std::string& tail : {std::string(), Cp932(L"字"), Cp932(L"字z")}) {
      b.host.setBytes(std::string(ascii, 'a') + tail);
      std::string read;
      b.t->TextMbcs(read);
      EXPECT_EQ(read, b.host.bytes()) << "a first read of " << read.size() << " bytes";
    }
  }
}

TEST(BridgeText, NulBytesCutWhatIsRead) {
  Bound b(std::string("ab\0cd", 5));
  EXPECT_EQ(b.t->Length(), 5);
  EXPECT_EQ(b.t->Text(), L"ab");
  b.host.select(1, 2);
  EXPECT_EQ(b.t->SelText(), L"b");
  b.host.select(3, 5);
  EXPECT_EQ(b.t->SelText(), L"") << "past the NUL, as the whole text cut there gives";
  EXPECT_EQ(b.host.bytes(), std::string("ab\0cd", 5)) << "reading changes nothing";
}

TEST(BridgeText, SelTextLetLeavesTheCaretAfterTheInsertedBytes) {
  struct { std::wstring insert; std::string expected; long caret; } cases[] = {
      {L"<A>選択</A>", Cp932(L"前<A>選択</A>後"), 2 + 11},
      {L"", Cp932(L"前後"), 2},
      {std::wstring(L"x\0y", 3), Cp932(L"前x後"), 3},  // a NUL ends the text, as any single message would
  };
  for (const auto& c : cases) {
    Bound b(Cp932(L"前選択後"));
    b.host.select(2, 6);
    b.t->SelText(c.insert);
    EXPECT_EQ(b.host.bytes(), c.expected);
    EXPECT_EQ(b.host.sel(), std::make_pair(c.caret, c.caret));
  }
}

// Characters without a cp932 form go in as their replacement, and LenMbcs counts exactly that,
// so the caret arithmetic of an insertion stays right.
TEST(BridgeText, CharactersWithoutCp932FormCountAsTheirReplacement) {
  const std::wstring insert = L"a\u00e9\U0001F600\u4E02b";
  Bound b("[]");
  b.host.select(1, 1);
  b.t->SelText(insert);
  const long n = clsKeshTeraPad::LenMbcs(insert);
  EXPECT_EQ(static_cast<long>(b.host.bytes().size()), 2 + n);
  EXPECT_EQ(b.t->SelStart(), 1 + n);
  EXPECT_EQ(b.host.bytes().substr(0, 2), "[a");
  EXPECT_EQ(b.host.bytes().back(), ']');
}

TEST(BridgeEdit, CommandEntry) {
  Bound b("ab\r\ncd\r\nef");
  b.t->Edit(EM_SETSEL, -1L);
  EXPECT_EQ(b.host.sel(), std::make_pair(0L, 10L));
  b.t->Edit(EM_SETSEL, 0L);
  EXPECT_EQ(b.host.sel(), std::make_pair(0L, 3L)) << "line 0 up to the byte before line 1";
  b.t->Edit(EM_SETSEL, std::wstring(L"1"));
  EXPECT_EQ(b.host.sel(), std::make_pair(4L, 7L));
  b.t->Edit(EM_SETSEL, std::wstring(L"not a number"));
  EXPECT_EQ(b.host.sel(), std::make_pair(4L, 7L));

  b.host.select(4, 6);
  b.t->Edit(EM_REPLACESEL, std::wstring(L"置"));
  EXPECT_EQ(b.host.bytes(), Cp932(L"ab\r\n置\r\nef"));
  b.t->Edit(EM_REPLACESEL, 42L);
  EXPECT_EQ(b.host.bytes(), Cp932(L"ab\r\n置42\r\nef"));
  b.t->Edit(EM_UNDO, -1L);
  EXPECT_EQ(b.host.bytes(), Cp932(L"ab\r\n置\r\nef"));
  b.host.select(0, 4);
  b.t->Edit(WM_CLEAR, -1L);
  EXPECT_EQ(b.host.bytes(), Cp932(L"置\r\nef"));
  b.t->Edit(12345, -1L);
  EXPECT_EQ(b.host.bytes(), Cp932(L"置\r\nef"));
}

TEST(BridgeText, ClosedEditorBetweenCallsGivesDefaultsAndDoesNothing) {
  Bound b("text");
  ASSERT_EQ(b.t->SelSet(0, 1), std::optional<bool>(true));
  b.host.close();
  EXPECT_EQ(b.t->Length(), -1);
  EXPECT_EQ(b.t->SelStart(), 0);
  EXPECT_EQ(b.t->SelLength(), 0);
  EXPECT_EQ(b.t->Line(), 0);
  EXPECT_EQ(b.t->Text(), L"");
  EXPECT_EQ(b.t->SelText(), L"");
  EXPECT_EQ(b.t->SelSet(0, 1), std::nullopt);
  b.t->Text(L"x");  // must not reach anything
  b.t->SelText(L"x");
  b.t->SelLength(1);
}

// A host that took fewer bytes than given (here: at most 7 per transfer) is rebuilt from the
// end, piece by piece, with double-byte characters never split.
TEST(BridgeText, TextLetRebuildsWhatACappedHostCut) {
  HostPadOptions options;
  options.cap = 7;
  const std::wstring text = L"a漢字aかなbc\r\nｱ字字字d字efghij字";
  Bound b({}, options);
  b.t->Text(text);
  EXPECT_EQ(b.host.bytes(), Cp932(text));
  EXPECT_EQ(b.host.sel(), std::make_pair(1L, 1L));
}

TEST(BridgeText, TextLetEndsWhenTheHostTakesFewerThanTwoBytes) {
  HostPadOptions options;
  options.cap = 1;
  Bound b("old", options);
  b.t->Text(L"字abc");  // the host takes no byte of 字, then one byte at a time
  EXPECT_LE(b.t->Length(), 1);
}

// The system's own edit control honours EM_REPLACESEL's undo flag: an insertion made through the
// bridge must stay one step that the author can undo, there as in TeraPad.
TEST(BridgeOtherHost, EditControlCanUndoAnInsertion) {
  EditHost host;
  host.set("before after");
  clsKeshTeraPad t;
  t.hwnd(host.main());
  t.SelSet(7, 12);
  t.SelText(L"<B>" + t.SelText() + L"</B>");
  ASSERT_EQ(host.bytes(), "before <B>after</B>");
  SendMessageA(host.edit(), EM_UNDO, 0, 0);
  EXPECT_EQ(host.bytes(), "before after");
}
