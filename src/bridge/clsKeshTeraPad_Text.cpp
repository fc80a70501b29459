// Text and selection access: the editor control's bytes, selection and caret, in cp932 bytes.
//
// The 95 family moves at most about 32 KB per message, so there long texts travel in pieces.
// Pieces are cut by a forward scan of lead bytes from the start: in cp932 the trail bytes
// 0x81-0x9F and 0xE0-0xFC are valid lead bytes too, so a byte cannot be judged in isolation,
// and a lone lead byte converts differently on different systems.
#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/clsKeshTeraPad.h"
#include "common/Ansi.h"

namespace {

constexpr long kPiecewiseFrom = 32760;  // 95 family: texts this long are read in pieces
constexpr long kPieceMax = 32759;       // 95 family: most bytes sent in one EM_REPLACESEL
constexpr long kReadCapacity = 32761;   // 95 family: WM_GETTEXT capacity of one piece

bool IsNT() { return clsKeshTeraPad::GetOSName() == L"WinNT"; }

// The code page of the ANSI conversion (cp932 on the systems TeraPad runs on).
bool IsLead(char c) {
  static const UINT codePage = GetACP();
  return IsDBCSLeadByteEx(codePage, static_cast<BYTE>(c)) != 0;
}

// Bytes of the whole characters at the start of `bytes` that fit in `limit` bytes.
size_t WholeChars(std::string_view bytes, size_t limit) {
  size_t i = 0;
  while (i < bytes.size()) {
    const size_t w = IsLead(bytes[i]) ? 2 : 1;
    if (i + w > limit || i + w > bytes.size()) break;
    i += w;
  }
  return i;
}

// Offset of the first character boundary at or after `from`.
size_t BoundaryFrom(std::string_view bytes, size_t from) {
  size_t i = 0;
  while (i < from && i < bytes.size()) i += IsLead(bytes[i]) ? 2 : 1;
  return std::min(i, bytes.size());
}

std::string CutAtNul(std::string s) {
  const auto nul = s.find('\0');
  if (nul != std::string::npos) s.resize(nul);
  return s;
}

long GetLength(HWND e) { return static_cast<long>(SendMessageA(e, WM_GETTEXTLENGTH, 0, 0)); }

std::pair<long, long> GetSel(HWND e) {
  DWORD start = 0, end = 0;
  SendMessageA(e, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<long>(start), static_cast<long>(end)};
}

void SetSel(HWND e, long start, long end) {
  SendMessageA(e, EM_SETSEL, static_cast<WPARAM>(static_cast<LONG_PTR>(start)), static_cast<LPARAM>(end));
}

// The first bytes of the text, at most capacity - 1 of them. Across processes WM_GETTEXT
// hands back whole characters only, so the count it returns is the one to use.
std::string GetTextBytes(HWND e, long capacity) {
  if (capacity < 1) return {};
  std::string buffer(static_cast<size_t>(capacity), '\0');
  LRESULT got = SendMessageA(e, WM_GETTEXT, static_cast<WPARAM>(capacity), reinterpret_cast<LPARAM>(buffer.data()));
  got = std::clamp<LRESULT>(got, 0, capacity - 1);
  buffer.resize(static_cast<size_t>(got));
  return buffer;
}

// wParam TRUE: an edit control that honours the flag keeps the replacement undoable; with FALSE
// the system edit control would also empty its whole undo buffer, the author's earlier steps
// included. An editor that undoes every change anyway is not affected.
void ReplaceSel(HWND e, std::string_view bytes) {
  const std::string text(bytes);  // NUL-terminated for the message
  SendMessageA(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

// Replaces the selection with `bytes`, in pieces of at most `maxPiece` bytes; each piece goes
// in at the caret that the previous one left. A host that takes fewer bytes than given is sent
// the rest again; one that takes none ends it. Returns the bytes that went in.
size_t PutInPieces(HWND e, std::string_view bytes, size_t maxPiece) {
  size_t done = 0;
  long caret = GetSel(e).first;
  while (done < bytes.size()) {
    const std::string_view rest = bytes.substr(done);
    size_t w = WholeChars(rest, maxPiece);
    if (w == 0) w = std::min(rest.size(), maxPiece);  // a lone lead byte: send it as it is
    ReplaceSel(e, rest.substr(0, w));
    const long now = GetSel(e).first;
    if (now <= caret) break;
    done += std::min(static_cast<size_t>(now - caret), w);
    caret = now;
  }
  return done;
}

// After the undos of a piecewise read: the editor must hold the text it held before. A host
// whose undo is shallower than the number of pieces leaves the first pieces missing (undo takes
// the latest deletions back first); those are put back in front, so no text is lost.
void RestoreAfterRead(HWND e, long before, const std::string& read, const std::vector<size_t>& pieces) {
  const long now = GetLength(e);
  if (now == before) {
    const std::string head = GetTextBytes(e, std::min<long>(static_cast<long>(read.size()), kPiecewiseFrom) + 1);
    if (read.compare(0, head.size(), head) == 0) return;
  }
  size_t missing = 0;
  for (size_t piece : pieces) {
    missing += piece;
    if (static_cast<long>(missing) == before - now) {
      SetSel(e, 0, 0);
      PutInPieces(e, std::string_view(read).substr(0, missing), kPieceMax);
      return;
    }
  }
  // Not a state that undo alone leaves: put the read text back only when it was all of it.
  if (static_cast<long>(read.size()) == before && now >= 0) {
    SetSel(e, 0, -1);
    PutInPieces(e, read, kPieceMax);
  }
}

// 95 family: WM_GETTEXT cannot copy a long text at once, so read the text from its start in
// pieces, deleting each piece read and undoing all deletions afterwards. Reads until `want`
// bytes (or the whole text) are in hand. Each pass deletes exactly the bytes of the whole
// characters received and checks that the length fell by that much: a host that refuses the
// deletion (read-only) ends the read instead of looping for ever.
std::string ReadInPieces(HWND e, long want) {
  const auto [selStart, selEnd] = GetSel(e);
  const long before = GetLength(e);
  std::string read;
  std::vector<size_t> pieces;
  long length = before;
  int passes = 0;
  while (length > 0 && static_cast<long>(read.size()) < want) {
    std::string piece = GetTextBytes(e, kReadCapacity);
    const size_t nul = piece.find('\0');
    const size_t w = WholeChars(piece, nul == std::string::npos ? piece.size() : nul);
    if (w == 0) break;  // the text goes on past a NUL: the result ends here anyway
    SetSel(e, 0, static_cast<long>(w));
    SendMessageA(e, WM_CLEAR, 0, 0);
    const long after = GetLength(e);
    // A refused deletion (a read-only host) leaves length and selection as they were; anything
    // else changed the text and is undone below, even when the length does not show it.
    if (after == length && GetSel(e) == std::make_pair(0L, static_cast<long>(w))) break;
    ++passes;
    if (after != length - static_cast<long>(w)) break;
    read.append(piece, 0, w);
    pieces.push_back(w);
    length = after;
    if (nul != std::string::npos) break;
  }
  for (int i = 0; i < passes; ++i) SendMessageA(e, EM_UNDO, 0, 0);
  if (passes > 0) RestoreAfterRead(e, before, read, pieces);
  SetSel(e, selStart, selEnd);
  return read;
}

// The text's bytes from its start, at least the first `want` of them when it has that many
// (want < 0: the whole text), cut at the first NUL. Nothing past what is wanted needs to
// cross: WM_GETTEXT copies from the start of the text. One byte more than wanted is asked
// for, so that a character straddling the end arrives whole.
std::string ReadTextBytes(HWND e, long want) {
  // A prefix that one message can carry needs no length first (under Wine an ANSI caller's
  // WM_GETTEXTLENGTH to another process costs a copy of the whole text).
  if (want >= 0 && (IsNT() || want + 1 < kPiecewiseFrom)) return CutAtNul(GetTextBytes(e, want + 2));
  const long n = GetLength(e);
  if (n <= 0) return {};
  const long take = (want < 0 || want >= n) ? n : want + 1;
  if (IsNT() || n < kPiecewiseFrom || take < kPiecewiseFrom) return CutAtNul(GetTextBytes(e, take + 1));
  return CutAtNul(ReadInPieces(e, take));
}

std::wstring VariantText(const clsKeshTeraPad::Variant& v) {
  if (const long* n = std::get_if<long>(&v)) return std::to_wstring(*n);
  return std::get<std::wstring>(v);
}

// A number as it is, or a text that holds a whole number; anything else gives no number.
std::optional<long> VariantNumber(const clsKeshTeraPad::Variant& v) {
  if (const long* n = std::get_if<long>(&v)) return *n;
  const std::string s = ToAnsi(std::get<std::wstring>(v));
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const auto last = s.find_last_not_of(' ');
  long value = 0;
  const char* begin = s.data() + first;
  const char* end = s.data() + last + 1;
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace

HWND clsKeshTeraPad::ValidEditor() const {
  return IsTeraPadWindow(m_hWndMain) ? GetEditorWindow() : nullptr;
}

long clsKeshTeraPad::Length() const {
  const HWND e = ValidEditor();
  return e ? GetLength(e) : -1;
}

long clsKeshTeraPad::SelStart() const {
  const HWND e = ValidEditor();
  if (!e) return 0;
  DWORD start = 0;
  SendMessageA(e, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<long>(start);
}

void clsKeshTeraPad::SelStart(long NewValue) { SelSet(NewValue, NewValue); }

long clsKeshTeraPad::SelLength() const {
  const HWND e = ValidEditor();
  if (!e) return 0;
  const auto [start, end] = GetSel(e);
  return end - start;
}

void clsKeshTeraPad::SelLength(long NewValue) {
  if (!IsTeraPadWindow(m_hWndMain)) return;
  const long s = SelStart();
  SelSet(s, s + NewValue);
}

long clsKeshTeraPad::Line() const {
  const HWND e = ValidEditor();
  return e ? static_cast<long>(SendMessageA(e, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0)) : 0;
}

void clsKeshTeraPad::Line(long NewValue) {
  const HWND e = ValidEditor();
  if (!e) return;
  SelStart(static_cast<long>(SendMessageA(e, EM_LINEINDEX, static_cast<WPARAM>(static_cast<LONG_PTR>(NewValue)), 0)));
}

std::wstring clsKeshTeraPad::Text() const {
  const HWND e = ValidEditor();
  return e ? FromAnsi(ReadTextBytes(e, -1)) : std::wstring();
}

// Everything after a NUL would be lost by any single message anyway; cutting first keeps the
// piece arithmetic below about the bytes that really arrive.
void clsKeshTeraPad::Text(const std::wstring& NewValue) {
  const HWND e = ValidEditor();
  if (!e) return;
  const std::string bytes = ToAnsi(TrimNull(NewValue));
  const long b = static_cast<long>(bytes.size());
  SetSel(e, 0, -1);
  ReplaceSel(e, bytes);
  const long c = Length();
  // The host took fewer bytes than given (a 95-family TeraPad): rebuild the text from its end,
  // c bytes at a time, each piece in front of the last. A host that took fewer than 2 bytes,
  // or an editor that closed, cannot be rebuilt into: stop rather than loop.
  if (b > c && c >= 2) {
    SendMessageA(e, EM_UNDO, 0, 0);
    SetSel(e, 0, -1);
    std::string_view rest = bytes;
    while (!rest.empty()) {
      const size_t from = rest.size() > static_cast<size_t>(c) ? BoundaryFrom(rest, rest.size() - c) : 0;
      const std::string_view piece = rest.substr(from);
      if (piece.empty() || PutInPieces(e, piece, static_cast<size_t>(c)) < piece.size()) break;
      SetSel(e, 0, 0);
      rest = rest.substr(0, from);
      if (Length() < 0) break;
    }
  }
  SelSet(1, 1);
}

std::wstring clsKeshTeraPad::SelText() const {
  const HWND e = ValidEditor();
  if (!e) return {};
  const auto [start, end] = GetSel(e);
  // Read before the text rather than after it: a piecewise read restores the selection.
  const std::string bytes = ReadTextBytes(e, end);
  if (start < 0 || end <= start || static_cast<size_t>(start) >= bytes.size()) return {};
  const size_t from = static_cast<size_t>(start);
  const size_t count = std::min<size_t>(static_cast<size_t>(end - start), bytes.size() - from);
  return FromAnsi(std::string_view(bytes).substr(from, count));
}

void clsKeshTeraPad::SelText(const std::wstring& NewValue) {
  const HWND e = ValidEditor();
  if (!e) return;
  const std::string bytes = ToAnsi(TrimNull(NewValue));
  if (IsNT() || static_cast<long>(bytes.size()) <= kPiecewiseFrom) {
    ReplaceSel(e, bytes);
    return;
  }
  PutInPieces(e, bytes, kPieceMax);
}

std::optional<bool> clsKeshTeraPad::SelSet(long nStart, long nEnd) {
  const HWND e = ValidEditor();
  if (!e) return std::nullopt;
  SetSel(e, nStart, nEnd);
  return true;
}

void clsKeshTeraPad::Edit(long lMode, const Variant& vAny) {
  const HWND e = ValidEditor();
  if (!e) return;
  switch (lMode) {
    case EM_SETSEL: {
      const auto line = VariantNumber(vAny);
      if (!line) return;
      if (*line < 0) {
        SetSel(e, 0, -1);
      } else {
        const long a = static_cast<long>(SendMessageA(e, EM_LINEINDEX, static_cast<WPARAM>(*line), 0));
        const long b = static_cast<long>(SendMessageA(e, EM_LINEINDEX, static_cast<WPARAM>(*line + 1), 0));
        SetSel(e, a, b - 1);
      }
      return;
    }
    case EM_REPLACESEL: ReplaceSel(e, ToAnsi(VariantText(vAny))); return;
    case EM_UNDO:
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR: SendMessageA(e, static_cast<UINT>(lMode), 0, 0); return;
    default: return;
  }
}

long clsKeshTeraPad::LenMbcs(const std::wstring& sText) { return static_cast<long>(ToAnsi(sText).size()); }

std::wstring clsKeshTeraPad::MidMbcs(const std::wstring& sText, long nStart, long nLength) {
  if (nStart < 1) throw std::invalid_argument("MidMbcs: start below 1");
  const std::string bytes = ToAnsi(sText);
  const size_t from = static_cast<size_t>(nStart - 1);
  if (from >= bytes.size()) return {};
  const size_t rest = bytes.size() - from;
  const size_t count = nLength < 0 ? rest : std::min(rest, static_cast<size_t>(nLength));
  return FromAnsi(std::string_view(bytes).substr(from, count));
}
