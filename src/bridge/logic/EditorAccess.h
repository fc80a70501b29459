// The editor as the deciding code sees it: a few requests whose answers the bridge has put in
// order (a selection ordered and inside the text, reads cut where they must be). The bridge
// (clsKeshTeraPad) answers them with TeraPad's edit messages; a fuzz target answers them with a
// model editor that answers nonsense. Everything is cp932 bytes, offsets count bytes from 0.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "bridge/logic/TextBytes.h"

class EditorAccess {
public:
  virtual ~EditorAccess() = default;
  // The selection: 0 <= lower <= upper <= the text's length; (0, 0) without an editor.
  virtual std::pair<int64_t, int64_t> Selection() = 0;
  // The same, with the text's first bytes as TextPrefix(upper + past) gives them, from one read.
  virtual TextBytes::SelectionRead ReadSelection(int64_t past) = 0;
  // Whether the selection is still [lower, upper) (a pair that Selection gave).
  virtual bool SelectionIs(int64_t lower, int64_t upper) = 0;
  // The text's first bytes, at least `want` of them when it has that many, at most want + 1;
  // cut at a NUL. Fewer than want + 1 bytes: that is all there is.
  virtual std::string TextPrefix(int64_t want) = 0;
  // Replaces bytes [start, end) with `bytes` (cut at a NUL), then puts the caret `back` bytes
  // before the end of what went in.
  virtual void ReplaceBytes(int64_t start, int64_t end, std::string_view bytes, int64_t back) = 0;
  // Puts `startTag` before and `endTag` after bytes [start, end) without rewriting them (they
  // hold a NUL, which no string message carries); the caret just before `endTag`.
  virtual void InsertAround(int64_t start, int64_t end, std::string_view startTag, std::string_view endTag) = 0;
  // Selects bytes [start, end) and scrolls them into view.
  virtual void ShowRange(int64_t start, int64_t end) = 0;
};

namespace TextBytes {

// EditorAccess over one editor's requests: what the bridge does for each call once it has found
// the editor.
class Access final : public EditorAccess {
public:
  Access(EditorRequests& e, const Family& f) : m_e(e), m_f(f) {}
  std::pair<int64_t, int64_t> Selection() override { return TextBytes::Selection(m_e, m_f); }
  SelectionRead ReadSelection(int64_t past) override { return TextBytes::ReadSelection(m_e, m_f, past); }
  bool SelectionIs(int64_t lower, int64_t upper) override { return TextBytes::SelectionIs(m_e, lower, upper); }
  std::string TextPrefix(int64_t want) override { return ReadPrefix(m_e, m_f, want); }
  void ReplaceBytes(int64_t start, int64_t end, std::string_view bytes, int64_t back) override {
    ReplaceRange(m_e, m_f, start, end, bytes.substr(0, bytes.find('\0')), back);
  }
  void InsertAround(int64_t start, int64_t end, std::string_view startTag, std::string_view endTag) override {
    TextBytes::InsertAround(m_e, m_f, start, end, startTag.substr(0, startTag.find('\0')),
                            endTag.substr(0, endTag.find('\0')));
  }
  void ShowRange(int64_t start, int64_t end) override {
    m_e.SetSel(start, end);
    m_e.ScrollCaret();
  }

private:
  EditorRequests& m_e;
  Family m_f;
};

}  // namespace TextBytes
