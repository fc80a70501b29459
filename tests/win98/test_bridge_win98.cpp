// The bridge on the 95 family: Wine reports Windows 98 to this program, and the stand-in
// editor accepts at most 32760 bytes per transfer, like a 95-family TeraPad. Long texts
// then travel in pieces: read by deleting and undoing, written piece by piece.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "EditHost.h"
#include "HostProtocol.h"
#include "TestSupport.h"
#include "bridge/clsKeshTeraPad.h"

namespace {

constexpr long kCap = 32760;

struct Bound {
  HostPad host;
  std::unique_ptr<clsKeshTeraPad> t;
  explicit Bound(std::string_view bytes, HostPadOptions options = {}) : host(WithCap(options)) {
    host.setBytes(bytes);
    t = std::make_unique<clsKeshTeraPad>();
    t->hwnd(host.main());
  }
  static HostPadOptions WithCap(HostPadOptions o) {
    if (!o.cap) o.cap = kCap;
    return o;
  }
};

// 字: its trail byte 0x9A is a lead byte too.
constexpr char kJi[] = "\x8E\x9A";
// 蕭: a lead byte from the upper range 0xE0-0xFC.
constexpr char kShou[] = "\xE5\x4A";

// `n` bytes of ASCII with the double-byte character `dbcs` at the given byte offsets.
std::string Text(size_t n, std::initializer_list<size_t> dbcsAt = {}, char fill = 'a', const char* dbcs = kJi) {
  std::string s(n, fill);
  for (size_t at : dbcsAt) s.replace(at, 2, dbcs);
  return s;
}

// A long mixed text whose piece boundaries fall on every kind of byte.
std::string Mixed(size_t n) {
  const std::string unit = Cp932(L"本文abc字\r\nｱｲ漢字x");
  std::string s;
  while (s.size() + unit.size() <= n) s += unit;
  return s + std::string(n - s.size(), 'z');
}

std::string Bracketed(const std::string& s) {
  std::string out;
  out.reserve(s.size() + 2);
  out += '[';
  out += s;
  out += ']';
  return out;
}

// Equal bytes, or where they first differ (long texts would drown the report).
testing::AssertionResult Same(const std::string& got, const std::string& expected) {
  if (got == expected) return testing::AssertionSuccess();
  size_t i = 0;
  while (i < got.size() && i < expected.size() && got[i] == expected[i]) ++i;
  return testing::AssertionFailure() << "got " << got.size() << " bytes, expected " << expected.size()
                                     << "; first difference at byte " << i;
}

}  // namespace

TEST(Bridge95, OsNameIsWin98) { EXPECT_EQ(clsKeshTeraPad::GetOSName(), L"Win98"); }

TEST(Bridge95, TextGetReadsInPiecesAndLeavesTheTextAndSelectionAsTheyWere) {
  struct { const char* name; std::string bytes; } cases[] = {
      {"just below one piece", Text(kCap - 1)},
      {"exactly one piece", Text(kCap)},
      {"straddling the first piece end", Text(70000, {kCap - 1})},
      {"straddling where the second piece ends", Text(70000, {kCap - 2, 2 * kCap - 1})},
      {"mixed, 200 KB", Mixed(200000)},
  };
  for (const auto& c : cases) {
    Bound b(c.bytes);
    b.host.select(5, 9);
    const LRESULT undoBefore = b.host.send(HPM_UNDOCOUNT);
    EXPECT_TRUE(Same(Cp932(b.t->Text()), c.bytes)) << c.name;
    EXPECT_TRUE(Same(b.host.bytes(), c.bytes)) << c.name;
    EXPECT_EQ(b.host.sel(), std::make_pair(5L, 9L)) << c.name;
    // One undo too few once went unseen behind the repair that puts lost pieces back: the text
    // came out right, but the author's undo history gained a deletion and an insertion.
    EXPECT_EQ(b.host.send(HPM_UNDOCOUNT), undoBefore) << c.name;
  }
}

TEST(Bridge95, SelTextGetAnywhereInALongText) {
  const std::string bytes = Mixed(100000);
  Bound b(bytes);
  for (long start : {0L, 100L, 32755L, 65519L, 99980L}) {
    b.host.select(start, start + 20);
    const auto [s, e] = b.host.sel();  // the editor keeps selections on character boundaries
    EXPECT_TRUE(Same(Cp932(b.t->SelText()), bytes.substr(s, e - s))) << start;
    EXPECT_TRUE(Same(b.host.bytes(), bytes)) << start;
    EXPECT_EQ(b.host.sel(), std::make_pair(s, e)) << start;
  }
}

// Undo that reaches back only two changes cannot bring back the first pieces of a five-piece
// read; the bridge puts them back itself. A repair that never matched went unseen while only
// whole texts were read (whose fallback puts the whole text back): a partial read must lose no
// byte either.
TEST(Bridge95, ShallowUndoNeverLosesTheText) {
  HostPadOptions options;
  options.undo = 2;
  const std::string bytes = Mixed(150000);
  for (const bool whole : {true, false}) {
    SCOPED_TRACE(whole ? "Text" : "SelText around byte 70000");
    Bound b(bytes, options);
    b.host.select(whole ? 7 : 70000, whole ? 7 : 70020);
    const auto [s, e] = b.host.sel();
    EXPECT_TRUE(Same(Cp932(whole ? b.t->Text() : b.t->SelText()), whole ? bytes : bytes.substr(s, e - s)));
    EXPECT_TRUE(Same(b.host.bytes(), bytes));
    EXPECT_EQ(b.host.sel(), std::make_pair(s, e));
  }
}

TEST(Bridge95, ReadOnlyHostEndsThePiecewiseRead) {
  HostPadOptions options;
  options.readonly = true;
  const std::string bytes = Text(80000, {100});
  Bound b(bytes, options);
  const std::string got = Cp932(b.t->Text());  // must return at all
  EXPECT_TRUE(Same(got, bytes.substr(0, got.size()))) << "what was read is the text's start";
  EXPECT_TRUE(Same(b.host.bytes(), bytes));
  // SelText once read the whole text instead of stopping at the selection's end, which on a
  // read-only editor gave nothing.
  b.host.select(90, 110);
  EXPECT_TRUE(Same(Cp932(b.t->SelText()), bytes.substr(90, 20)));
  // A selection ending at byte 32759 once read as empty: one message carries it, no deletion needed.
  b.host.select(32739, 32759);
  EXPECT_TRUE(Same(Cp932(b.t->SelText()), bytes.substr(32739, 20)));
}

TEST(Bridge95, NulInALongTextCutsTheReadButKeepsTheText) {
  std::string bytes = Text(40000) + '\0' + Text(40000, {}, 'b');
  Bound b(bytes);
  EXPECT_TRUE(Same(Cp932(b.t->Text()), Text(40000)));
  EXPECT_TRUE(Same(b.host.bytes(), bytes));
}

// The number of messages shows in the undo history: one change per EM_REPLACESEL.
TEST(Bridge95, SelTextLetSendsPiecesOfAtMost32759Bytes) {
  struct { const char* name; std::string insert; long changes; size_t firstPiece; } cases[] = {
      {"32760 bytes in one message", Text(kCap), 1, kCap},
      {"32761 bytes as 32759 and 2", Text(kCap + 1), 2, 32759},
      {"lead byte at the 32759th byte", Text(kCap + 1, {32758}), 2, 32758},
      // A lead-byte test that knew only 0x81-0x9F once cut this one in two.
      {"lead byte 0xE5 at the 32759th byte", Text(kCap + 1, {32758}, 'a', kShou), 2, 32758},
      {"double-byte character after the first piece", Text(kCap + 1, {32759}), 2, 32759},
      {"three pieces", Mixed(70000), 3, 0},
  };
  for (const auto& c : cases) {
    Bound b("[sel]");
    b.host.select(1, 4);
    const long undoBefore = static_cast<long>(b.host.send(HPM_UNDOCOUNT));
    b.t->SelText(FromCp932(c.insert));
    EXPECT_TRUE(Same(b.host.bytes(), Bracketed(c.insert))) << c.name;
    const long caret = 1 + static_cast<long>(c.insert.size());
    EXPECT_EQ(b.host.sel(), std::make_pair(caret, caret)) << c.name;
    EXPECT_EQ(static_cast<long>(b.host.send(HPM_UNDOCOUNT)) - undoBefore, c.changes) << c.name;
    if (c.firstPiece) {
      for (long i = 1; i < c.changes; ++i) SendMessageW(b.host.editor(), EM_UNDO, 0, 0);
      EXPECT_TRUE(Same(b.host.bytes(), Bracketed(c.insert.substr(0, c.firstPiece)))) << c.name;
    }
  }
}

TEST(Bridge95, TextLetRebuildsALongTextThatTheHostCut) {
  for (const std::string& bytes : {Text(1, {}, 'x').append(Mixed(100000)), Text(kCap + 1, {kCap - 1}), Text(kCap * 2 + 1, {1, kCap})}) {
    Bound b("old text");
    b.t->Text(FromCp932(bytes));
    EXPECT_TRUE(Same(b.host.bytes(), bytes)) << bytes.size();
    EXPECT_EQ(b.host.sel(), std::make_pair(1L, 1L));
  }
}


TEST(Bridge95OtherHost, EditControlWithOneUndoLevelKeepsItsText) {
  EditHost host;
  for (size_t size : {40000u, 70000u}) {
    std::string bytes;
    for (size_t i = 0; i < size; ++i) bytes += static_cast<char>('!' + (i * 7 + i / 97) % 90);
    host.set(bytes);
    clsKeshTeraPad t;
    t.hwnd(host.main());
    ASSERT_EQ(t.Length(), static_cast<long>(bytes.size()));
    t.SelSet(3, 5);
    EXPECT_TRUE(Same(Cp932(t.Text()), bytes)) << size;
    EXPECT_TRUE(Same(host.bytes(), bytes)) << size;
    EXPECT_EQ(t.SelStart(), 3);
    EXPECT_EQ(t.SelLength(), 2);
  }
}
