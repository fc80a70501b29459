// The stand-in editor's text: cp932 bytes, a selection, and an undo history in which every
// change is its own entry. No Windows here: the editor window (HostEditor) only translates
// messages and keys into these calls.
#pragma once
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// cp932 lead bytes; the byte after a lead byte is its trail byte, whatever its value.
inline bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Length of the longest prefix of s made of whole characters and at most max bytes long.
std::size_t WholeCharPrefix(std::string_view s, std::size_t max);

// What a host with a per-transfer cap (0: none) accepts of a replacement: a whole-character
// prefix of at most cap bytes.
inline std::string_view CapTransfer(std::string_view bytes, std::size_t cap) {
  return cap ? bytes.substr(0, WholeCharPrefix(bytes, cap)) : bytes;
}

class EditBuffer {
public:
  const std::string& text() const { return m_text; }
  std::size_t size() const { return m_text.size(); }

  // The selection runs from the anchor to the caret, in either order.
  std::size_t anchor() const { return m_anchor; }
  std::size_t caret() const { return m_caret; }
  std::size_t selMin() const { return m_anchor < m_caret ? m_anchor : m_caret; }
  std::size_t selMax() const { return m_anchor < m_caret ? m_caret : m_anchor; }
  bool hasSelection() const { return m_anchor != m_caret; }
  std::string selectedText() const { return m_text.substr(selMin(), selMax() - selMin()); }
  // WM_GETTEXT: copies the text's first bytes and a NUL into out (capacity bytes, at least 1)
  // and returns their count: at most capacity - 1, never half a character, and with a
  // per-transfer cap (0: none) at most cap unless the capacity holds the whole text.
  std::size_t copyFirst(char* out, std::size_t capacity, std::size_t cap) const;
  // Offsets are clamped to the text and moved to the start of the character they fall in.
  void setSel(std::size_t anchor, std::size_t caret);

  // Each of these is one undo entry when it changes anything; false when refused or nothing
  // changed. The caret ends after the inserted bytes.
  bool replaceSel(std::string_view bytes);
  bool replaceRange(std::size_t from, std::size_t to, std::string_view bytes);
  // Replaces the whole text; caret at 0. `force` ignores read-only (the test hook's door).
  bool replaceAll(std::string_view bytes, bool force = false);

  bool undo();                                   // the latest change, taken back
  std::size_t undoCount() const { return m_undo.size(); }
  void emptyUndo() { m_undo.clear(); }
  void setUndoDepth(std::size_t depth);          // 0 = unlimited
  std::size_t undoDepth() const { return m_depth; }

  bool modified = false;
  bool readOnly = false;

  // Character steps: a CR LF pair and a double-byte character each count as one step.
  std::size_t charStart(std::size_t pos) const;
  std::size_t nextChar(std::size_t pos) const;
  std::size_t prevChar(std::size_t pos) const;

  // Lines end at CR LF; a text has at least one line.
  std::size_t lineCount() const;
  std::size_t lineFromChar(std::size_t pos) const;
  std::size_t lineIndex(std::size_t line) const;  // caller checks line < lineCount()
  std::size_t lineLength(std::size_t line) const; // without its CR LF

private:
  struct Change {
    std::size_t pos;
    std::string removed, inserted;
    std::size_t anchor, caret;   // selection before the change
  };
  void apply(Change change);
  const std::vector<std::size_t>& lineStarts() const;

  std::string m_text;
  std::size_t m_anchor = 0, m_caret = 0;
  std::deque<Change> m_undo;
  std::size_t m_depth = 0;
  mutable std::vector<std::size_t> m_lineStarts;
  mutable bool m_linesValid = false;
};
