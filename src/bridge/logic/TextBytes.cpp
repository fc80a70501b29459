// The 95 family moves at most about 32 KB per message, so there long texts travel in pieces.
// Pieces are cut by a forward scan of lead bytes from the start: in cp932 the trail bytes
// 0x81-0x9F and 0xE0-0xFC are valid lead bytes too, so a byte cannot be judged in isolation,
// and a lone lead byte converts differently on different systems.
#include "bridge/logic/TextBytes.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace TextBytes {
namespace {

int64_t Length(EditorRequests& e, const Family& f) { return std::min(e.Length(), f.maxText); }

// Bytes of the whole characters at the start of `bytes` that fit in `limit` bytes.
size_t WholeChars(const Family& f, std::string_view bytes, size_t limit) {
  size_t i = 0;
  while (i < bytes.size()) {
    const size_t w = f.isLead(bytes[i]) ? 2 : 1;
    if (i + w > limit || i + w > bytes.size()) break;
    i += w;
  }
  return i;
}

// Offset of the first character boundary at or after `from`.
size_t BoundaryFrom(const Family& f, std::string_view bytes, size_t from) {
  size_t i = 0;
  while (i < from && i < bytes.size()) i += f.isLead(bytes[i]) ? 2 : 1;
  return std::min(i, bytes.size());
}

void CutAtNul(std::string& s) {
  const auto nul = s.find('\0');
  if (nul != std::string::npos) s.resize(nul);
}
std::string CutAtNul(std::string&& s) {
  CutAtNul(s);
  return std::move(s);
}

// The first bytes of the text into `into` (its storage used again), at most capacity - 1 of
// them. Across processes WM_GETTEXT hands back whole characters only, so the count it returns
// is the one to use.
void ReadFirst(EditorRequests& e, const Family& f, int64_t capacity, std::string& into) {
  capacity = std::min(capacity, f.maxText + 2);
  if (capacity < 1) return into.clear();
  into.resize(static_cast<size_t>(capacity));
  const int64_t got = std::clamp<int64_t>(e.ReadFirst(into.data(), capacity), 0, capacity - 1);
  into.resize(static_cast<size_t>(got));
}
std::string ReadFirst(EditorRequests& e, const Family& f, int64_t capacity) {
  std::string buffer;
  ReadFirst(e, f, capacity, buffer);
  return buffer;
}

// Where the editor's caret stands after a replacement (nothing is selected then): the lower end
// of its answer, whichever order it gives.
int64_t Caret(EditorRequests& e) {
  const auto [a, b] = e.GetSel();
  return std::min(a, b);
}

// Replaces the selection with `bytes`, in pieces of at most `maxPiece` bytes; each piece goes
// in at the caret that the previous one left. A host that takes fewer bytes than given is sent
// the rest again; one that takes none ends it. Returns the bytes that went in. `from`: where the
// selection starts when the caller has just set it (its answer is then not needed); -1: unknown.
size_t PutInPieces(EditorRequests& e, const Family& f, std::string_view bytes, size_t maxPiece, int64_t from = -1) {
  size_t done = 0;
  int64_t caret = Caret(e);
  // The editor may have moved a start inside a double-byte character back onto its lead byte,
  // one byte; an answer further off is no answer.
  if (from >= 0 && (caret > from || caret < from - 1)) caret = from;
  while (done < bytes.size()) {
    const std::string_view rest = bytes.substr(done);
    size_t w = WholeChars(f, rest, maxPiece);
    if (w == 0) w = std::min(rest.size(), maxPiece);  // a lone lead byte: send it as it is
    e.ReplaceSel(std::string(rest.substr(0, w)));
    const int64_t now = Caret(e);
    if (now <= caret) break;
    done += static_cast<size_t>(std::min<int64_t>(now - caret, static_cast<int64_t>(w)));
    caret = now;
  }
  return done;
}

// SelText Let: one replacement where the system allows, else in pieces; `from` as PutInPieces.
void PutSelText(EditorRequests& e, const Family& f, std::string_view bytes, int64_t from) {
  if (f.nt || static_cast<int64_t>(bytes.size()) <= f.piecewiseFrom) {
    e.ReplaceSel(std::string(bytes));
    return;
  }
  PutInPieces(e, f, bytes, static_cast<size_t>(f.pieceMax), from);
}

// After the undos of a piecewise read: the editor must hold the text it held before. A host
// whose undo is shallower than the number of pieces leaves the first pieces missing (undo takes
// the latest deletions back first); those are put back in front, so no text is lost.
void RestoreAfterRead(EditorRequests& e, const Family& f, int64_t before, const std::string& read,
                      const std::vector<size_t>& pieces) {
  const int64_t now = Length(e, f);
  const int64_t readSize = static_cast<int64_t>(read.size());
  if (now == before) {
    const std::string head = ReadFirst(e, f, std::min(readSize, f.piecewiseFrom) + 1);
    if (read.compare(0, head.size(), head) == 0) return;
  }
  int64_t missing = 0;
  for (size_t piece : pieces) {
    missing += static_cast<int64_t>(piece);
    if (missing == before - now) {
      e.SetSel(0, 0);
      PutInPieces(e, f, std::string_view(read).substr(0, static_cast<size_t>(missing)),
                  static_cast<size_t>(f.pieceMax), 0);
      return;
    }
  }
  // Not a state that undo alone leaves: put the read text back only when it was all of it.
  if (readSize == before && now >= 0) {
    e.SetSel(0, -1);
    PutInPieces(e, f, read, static_cast<size_t>(f.pieceMax), 0);
  }
}

// 95 family: WM_GETTEXT cannot copy a long text at once, so read the text from its start in
// pieces, deleting each piece read and undoing all deletions afterwards. Reads until `want`
// bytes (or the whole text) are in hand. Each pass deletes exactly the bytes of the whole
// characters received and checks that the length fell by that much: a host that refuses the
// deletion (read-only) ends the read instead of looping for ever.
std::string ReadInPieces(EditorRequests& e, const Family& f, int64_t want) {
  const auto [selStart, selEnd] = e.GetSel();
  const int64_t before = Length(e, f);
  std::string read;
  std::vector<size_t> pieces;
  int64_t length = before;
  size_t passes = 0;
  while (length > 0 && static_cast<int64_t>(read.size()) < want) {
    std::string piece = ReadFirst(e, f, f.readCapacity);
    const size_t nul = piece.find('\0');
    // The text's last piece is taken whole, a final lone lead byte included.
    const bool last = nul == std::string::npos && static_cast<int64_t>(piece.size()) == length;
    const size_t w = last ? piece.size() : WholeChars(f, piece, nul == std::string::npos ? piece.size() : nul);
    // The result ends at a NUL: the bytes before it are all in hand, a lead byte whose trail
    // byte is the NUL included, and nothing after it needs deleting.
    const size_t keep = nul == std::string::npos ? w : nul;
    if (w == 0) {
      read.append(piece, 0, keep);
      break;
    }
    e.SetSel(0, static_cast<int64_t>(w));
    e.Clear();
    const int64_t after = Length(e, f);
    // A refused deletion (a read-only host) leaves length and selection as they were; anything
    // else changed the text and is undone below, even when the length does not show it.
    if (after == length && e.GetSel() == std::make_pair(int64_t{0}, static_cast<int64_t>(w))) break;
    ++passes;
    if (after != length - static_cast<int64_t>(w)) break;
    read.append(piece, 0, keep);
    pieces.push_back(w);
    length = after;
    if (nul != std::string::npos) break;
  }
  for (size_t i = 0; i < passes; ++i) e.Undo();
  if (passes > 0) RestoreAfterRead(e, f, before, read, pieces);
  e.SetSel(selStart, selEnd);
  return read;
}

// The text's bytes from its start, at least the first `want` of them when it has that many
// (want < 0: the whole text), cut at the first NUL. Nothing past what is wanted needs to
// cross: WM_GETTEXT copies from the start of the text. One byte more than wanted is asked
// for, so that a character straddling the end arrives whole.
std::string ReadTextBytes(EditorRequests& e, const Family& f, int64_t want) {
  want = std::min(want, f.maxText);
  // A prefix that one message can carry (as much as one pass of the piecewise read copies)
  // needs no length first (under Wine an ANSI caller's WM_GETTEXTLENGTH to another process
  // costs a copy of the whole text), and no deletion, which a read-only editor refuses.
  if (want >= 0 && (f.nt || want + 2 <= f.readCapacity)) return CutAtNul(ReadFirst(e, f, want + 2));
  const int64_t n = Length(e, f);
  if (n <= 0) return {};
  const int64_t take = (want < 0 || want >= n) ? n : want + 1;
  if (f.nt || n < f.piecewiseFrom || take < f.piecewiseFrom) return CutAtNul(ReadFirst(e, f, take + 1));
  return CutAtNul(ReadInPieces(e, f, take));
}

// The selected bytes out of the text read up to the selection's end.
std::string_view Selected(std::string_view text, int64_t start, int64_t end) {
  if (start < 0 || end <= start || start >= static_cast<int64_t>(text.size())) return {};
  const size_t from = static_cast<size_t>(start);
  return text.substr(from, std::min<size_t>(static_cast<size_t>(end - start), text.size() - from));
}

std::pair<int64_t, int64_t> Ordered(std::pair<int64_t, int64_t> sel) {
  return sel.first <= sel.second ? sel : std::make_pair(sel.second, sel.first);
}

std::pair<int64_t, int64_t> ClampedTo(int64_t length, int64_t lower, int64_t upper) {
  return {std::clamp<int64_t>(lower, 0, length), std::clamp<int64_t>(upper, 0, length)};
}

std::pair<int64_t, int64_t> ClampedToLength(EditorRequests& e, const Family& f, int64_t lower, int64_t upper) {
  return ClampedTo(std::max<int64_t>(Length(e, f), 0), lower, upper);
}

}  // namespace

std::string GetText(EditorRequests& e, const Family& f) {
  std::string text;
  GetText(e, f, text);
  return text;
}

// Under Wine an ANSI caller's WM_GETTEXTLENGTH to another process costs a copy of the whole text,
// as much as the read itself. A read with room to spare needs no length: WM_GETTEXT copies at
// most capacity - 1 bytes, whole characters only (capacity - 2 when a double-byte character
// straddles the end), so an answer of capacity - 3 bytes or fewer is the whole text. Room is
// not free under Wine either (64 KB of it made the read of a 4 KB text 1.3x as slow), so the
// first capacity is the caller's last reading with an eighth and kRoom more, enough for typing
// and pastes; on the 95 family, what one message carries. A text beyond it is read again after
// its length. A buffer used again also spares the allocation and first touch of fresh memory,
// which a megabyte's read felt.
void GetText(EditorRequests& e, const Family& f, std::string& text) {
  constexpr int64_t kRoom = 4096;   // real decks were 1-2 KB (what the phones took)
  const int64_t last = std::min(static_cast<int64_t>(text.size()), f.maxText);
  const int64_t capacity = std::min(f.nt ? last + last / 8 + kRoom : f.readCapacity, f.maxText + 2);
  ReadFirst(e, f, capacity, text);
  if (static_cast<int64_t>(text.size()) <= capacity - 3) return CutAtNul(text);
  text = ReadTextBytes(e, f, -1);
}

Glimpse Glance(EditorRequests& e, const Family& f) {
  Glimpse g;
  g.length = std::max<int64_t>(Length(e, f), 0);
  const auto [lower, upper] = Ordered(e.GetSel());
  std::tie(g.start, g.end) = ClampedTo(g.length, lower, upper);
  return g;
}

std::string ReadPrefix(EditorRequests& e, const Family& f, int64_t want) {
  return ReadTextBytes(e, f, std::max<int64_t>(want, 0));
}

void ReplaceRange(EditorRequests& e, const Family& f, int64_t start, int64_t end, std::string_view bytes,
                  int64_t back) {
  e.SetSel(start, end);
  PutSelText(e, f, bytes, std::max<int64_t>(std::min(start, end), 0));
  if (!e.Present()) return;
  // From the range asked for, not from the editor's answer, which may be (anchor, caret) or
  // nonsense: the caret `back` bytes before the end of what went in.
  const int64_t caret = std::min<int64_t>(start, end) + static_cast<int64_t>(bytes.size()) - back;
  e.SetSel(caret, caret);
}

void SetText(EditorRequests& e, const Family& f, std::string_view bytes) {
  const int64_t b = static_cast<int64_t>(bytes.size());
  e.SetSel(0, -1);
  e.ReplaceSel(std::string(bytes));
  const int64_t c = e.Present() ? Length(e, f) : -1;
  // The host took fewer bytes than given (a 95-family TeraPad): rebuild the text from its end,
  // c bytes at a time, each piece in front of the last. A host that took fewer than 2 bytes,
  // or an editor that closed, cannot be rebuilt into: stop rather than loop.
  if (b > c && c >= 2) {
    e.Undo();
    e.SetSel(0, -1);
    std::string_view rest = bytes;
    int64_t placed = 0;
    while (!rest.empty()) {
      const size_t from = rest.size() > static_cast<size_t>(c) ? BoundaryFrom(f, rest, rest.size() - c) : 0;
      const std::string_view piece = rest.substr(from);
      if (piece.empty() || PutInPieces(e, f, piece, static_cast<size_t>(c), 0) < piece.size()) break;
      e.SetSel(0, 0);
      rest = rest.substr(0, from);
      // The first piece replaced the whole old text, each later one went in front: the text is
      // what was placed. A caret that seemed to move over a text that did not grow was an
      // answer, not a change (an editor repeating itself would be fed the whole text).
      placed += static_cast<int64_t>(piece.size());
      if (!e.Present() || e.Length() != placed) break;
    }
  }
  if (e.Present()) e.SetSel(1, 1);
}

std::pair<int64_t, int64_t> Selection(EditorRequests& e, const Family& f) {
  auto [lower, upper] = Ordered(e.GetSel());
  // Inside the text when one read of its first `upper` bytes gets them all (and no NUL, which
  // ends every read): under Wine that costs a copy of those bytes, the length a copy of all.
  if (lower >= 0 && upper <= f.maxText && (f.nt || upper + 2 <= f.readCapacity)) {
    const std::string head = ReadFirst(e, f, upper + 1);
    if (static_cast<int64_t>(head.size()) == upper && head.find('\0') == std::string::npos) return {lower, upper};
  }
  return ClampedToLength(e, f, lower, upper);
}

bool SelectionIs(EditorRequests& e, int64_t lower, int64_t upper) {
  return Ordered(e.GetSel()) == std::make_pair(lower, upper);
}

SelectionRead ReadSelection(EditorRequests& e, const Family& f, int64_t past) {
  SelectionRead r;
  auto [lower, upper] = Ordered(e.GetSel());
  past = std::max<int64_t>(past, 0);
  const bool read = lower >= 0 && upper <= f.maxText;
  if (read) {
    // The read that the caller wants anyway tells whether the selection ends inside the text.
    r.text = ReadTextBytes(e, f, upper + past);
    r.whole = static_cast<int64_t>(r.text.size()) <= upper + past;
    if (static_cast<int64_t>(r.text.size()) >= upper) {
      r.lower = lower;
      r.upper = upper;
      return r;
    }
  }
  std::tie(r.lower, r.upper) = ClampedToLength(e, f, lower, upper);
  // A read that fell short (past the text, or a NUL) holds all that any read can give.
  if (!read) {
    r.text = ReadTextBytes(e, f, r.upper + past);
    r.whole = static_cast<int64_t>(r.text.size()) <= r.upper + past;
  }
  return r;
}

std::string GetSelText(EditorRequests& e, const Family& f) {
  const SelectionRead r = ReadSelection(e, f, 0);
  return std::string(Selected(r.text, r.lower, r.upper));
}

void SetSelText(EditorRequests& e, const Family& f, std::string_view bytes) { PutSelText(e, f, bytes, -1); }

void InsertAround(EditorRequests& e, const Family& f, int64_t start, int64_t end, std::string_view startTag,
                  std::string_view endTag) {
  // The start tag first: its "<" is no trail byte, so it never joins a lone lead byte before
  // it into a character; had the end tag gone in first, its first byte could have, and `start`
  // would then stand inside that character, where the editor moves it back a byte.
  if (!e.Present()) return;
  e.SetSel(start, start);
  PutSelText(e, f, startTag, std::max<int64_t>(start, 0));
  // From the range asked for, not from the editor's answer: the caret just before the end tag.
  const int64_t caret = end + static_cast<int64_t>(startTag.size());
  if (!endTag.empty()) {
    if (!e.Present()) return;
    e.SetSel(caret, caret);
    PutSelText(e, f, endTag, std::max<int64_t>(caret, 0));
  }
  e.SetSel(caret, caret);
}

}  // namespace TextBytes
