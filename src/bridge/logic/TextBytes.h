// The bridge's work on the editor's bytes: reading the text (in pieces where one message cannot
// carry it), replacing the selection or the whole text, and wrapping the selection in tags.
// No window messages here: the few requests it makes of the editor go through EditorRequests,
// which clsKeshTeraPad answers with the edit messages and a test answers with a model editor.
// Everything is cp932 bytes; nothing here converts text.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace TextBytes {

// One request per edit message, answered as the editor answers it (possibly nonsense).
class EditorRequests {
public:
  virtual ~EditorRequests() = default;
  virtual bool Present() = 0;                         // the validity test and editor lookup
  virtual int64_t Length() = 0;                       // WM_GETTEXTLENGTH
  // WM_GETTEXT into `buffer` of `capacity` bytes; the editor's count, unchecked.
  virtual int64_t ReadFirst(char* buffer, int64_t capacity) = 0;
  // EM_GETSEL: start, end, as the editor answers them. Only Selection below reads them for the
  // rest of the program: an editor may answer a selection made backwards as (anchor, caret).
  virtual std::pair<int64_t, int64_t> GetSel() = 0;
  virtual void SetSel(int64_t start, int64_t end) = 0;  // EM_SETSEL
  virtual void ReplaceSel(const std::string& bytes) = 0;  // EM_REPLACESEL; bytes hold no NUL
  virtual void Clear() = 0;                           // WM_CLEAR
  virtual void Undo() = 0;                            // EM_UNDO
  virtual void ScrollCaret() = 0;                     // EM_SCROLLCARET
};

// How the editor's system moves text. On NT every text crosses in one message; the 95 family
// reads texts of `piecewiseFrom` bytes or more in pieces (WM_GETTEXT capacity `readCapacity`)
// and sends a replacement longer than `piecewiseFrom` in pieces of at most `pieceMax` bytes.
struct Family {
  bool nt = true;
  bool (*isLead)(char) = nullptr;   // the ANSI code page's lead-byte test
  int64_t piecewiseFrom = 32760;
  int64_t pieceMax = 32759;
  int64_t readCapacity = 32761;
  // No editor holds more text than this (TeraPad's texts stay far below it); a larger length
  // or offset from an editor is taken as this many bytes, so that no answer can make the
  // bridge ask for more memory.
  int64_t maxText = int64_t{256} << 20;
};

// The selection put in order and inside the text: 0 <= lower <= upper <= length. A selection
// made backwards is the same selection; an answer outside the text is clamped into it.
std::pair<int64_t, int64_t> Selection(EditorRequests& e, const Family& f);
// The selection as Selection gives it, with the text's first bytes as ReadPrefix(upper + past)
// gives them, from the one read that also tells whether the selection ends inside the text.
struct SelectionRead {
  int64_t lower = 0, upper = 0;
  std::string text;
  bool whole = false;   // `text` is all there is to read
};
SelectionRead ReadSelection(EditorRequests& e, const Family& f, int64_t past);
// Whether the selection is [lower, upper), in either order: one EM_GETSEL, no read.
bool SelectionIs(EditorRequests& e, int64_t lower, int64_t upper);
// What a watcher asks many times a second: the text's length and the selection, in two requests
// (WM_GETTEXTLENGTH, EM_GETSEL), put in order: the length between 0 and the family's limit, the
// selection's ends inside [0, length], start <= end.
struct Glimpse {
  int64_t length = 0, start = 0, end = 0;
  friend bool operator==(const Glimpse&, const Glimpse&) = default;
};
Glimpse Glance(EditorRequests& e, const Family& f);

// The whole text, cut at its first NUL (no message carries more).
std::string GetText(EditorRequests& e, const Family& f);
// The same into `text`, which holds the caller's last reading (or nothing): its storage is used
// again and its size sizes the first request (GetText in TextBytes.cpp says why).
void GetText(EditorRequests& e, const Family& f, std::string& text);
// Replaces the whole text with `bytes` (no NUL); caret at byte 1 afterwards.
void SetText(EditorRequests& e, const Family& f, std::string_view bytes);
// The selected bytes; only the text up to the selection's end is read.
std::string GetSelText(EditorRequests& e, const Family& f);
// Replaces the selection with `bytes` (no NUL); the caret ends after them.
void SetSelText(EditorRequests& e, const Family& f, std::string_view bytes);
// The text's first bytes, at least `want` of them when it has that many (at most want + 1),
// cut at its first NUL: fewer than want + 1 bytes means that this is all there is.
std::string ReadPrefix(EditorRequests& e, const Family& f, int64_t want);
// Replaces bytes [start, end) with `bytes` (no NUL), then moves the caret `back` bytes before
// where the replacement left it (after what went in). The caller has just found the editor.
void ReplaceRange(EditorRequests& e, const Family& f, int64_t start, int64_t end, std::string_view bytes,
                  int64_t back);
// Puts `startTag` before and `endTag` after bytes [start, end) without rewriting them, the caret
// just before `endTag`: the start tag, then the end tag after the range it moved on; two
// replacements. For a range that no string message can carry whole (it holds a NUL).
void InsertAround(EditorRequests& e, const Family& f, int64_t start, int64_t end, std::string_view startTag,
                  std::string_view endTag);

}  // namespace TextBytes
