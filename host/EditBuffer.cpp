#include "EditBuffer.h"
#include <algorithm>
#include <utility>

std::size_t WholeCharPrefix(std::string_view s, std::size_t max) {
  std::size_t i = 0;
  while (i < s.size()) {
    const std::size_t step = IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
    if (i + step > max) break;
    i += step;
  }
  return i;
}

std::size_t EditBuffer::copyFirst(char* out, std::size_t capacity, std::size_t cap) const {
  std::size_t limit = std::min<std::size_t>(capacity - 1, m_text.size());
  // Wine answers an ANSI caller's WM_GETTEXTLENGTH from another process by asking for the
  // whole text (capacity length + 1) and counting its bytes; a copy that the capacity lets
  // hold whole is not capped, so that the length stays true, as on a 95-family TeraPad.
  if (cap && capacity <= m_text.size()) limit = std::min(limit, cap);
  const std::size_t n = charStart(limit);
  std::copy_n(m_text.data(), n, out);
  out[n] = '\0';
  return n;
}

std::size_t EditBuffer::charStart(std::size_t pos) const {
  // The end is always a boundary, even after a lone lead byte: nothing may cut the last byte.
  if (pos >= m_text.size()) return m_text.size();
  // Walking back over lead-range bytes: they pair up as lead+trail from the last byte that
  // cannot be a lead byte, so an odd run means pos sits right after a lead byte. Looking only
  // this far back keeps a caret step cheap in an 8 MB text.
  std::size_t run = 0;
  while (run < pos && IsLeadByte(static_cast<unsigned char>(m_text[pos - 1 - run]))) ++run;
  return run % 2 ? pos - 1 : pos;
}

std::size_t EditBuffer::nextChar(std::size_t pos) const {
  pos = charStart(pos);
  if (pos >= m_text.size()) return m_text.size();
  if (m_text.compare(pos, 2, "\r\n") == 0) return pos + 2;
  if (IsLeadByte(static_cast<unsigned char>(m_text[pos])) && pos + 1 < m_text.size()) return pos + 2;
  return pos + 1;
}

std::size_t EditBuffer::prevChar(std::size_t pos) const {
  pos = charStart(pos);
  if (pos == 0) return 0;
  if (pos >= 2 && m_text.compare(pos - 2, 2, "\r\n") == 0) return pos - 2;
  return charStart(pos - 1);
}

void EditBuffer::setSel(std::size_t anchor, std::size_t caret) {
  m_anchor = charStart(anchor);
  m_caret = charStart(caret);
}

bool EditBuffer::replaceRange(std::size_t from, std::size_t to, std::string_view bytes) {
  if (readOnly) return false;
  from = charStart(from);
  to = charStart(to);
  if (from > to) std::swap(from, to);
  if (from == to && bytes.empty()) return false;
  apply({from, m_text.substr(from, to - from), std::string(bytes), m_anchor, m_caret});
  return true;
}

bool EditBuffer::replaceSel(std::string_view bytes) { return replaceRange(selMin(), selMax(), bytes); }

bool EditBuffer::replaceAll(std::string_view bytes, bool force) {
  if (readOnly && !force) return false;
  if (m_text.empty() && bytes.empty()) return false;
  apply({0, m_text, std::string(bytes), m_anchor, m_caret});
  m_anchor = m_caret = 0;
  return true;
}

void EditBuffer::apply(Change change) {
  m_text.replace(change.pos, change.removed.size(), change.inserted);
  m_anchor = m_caret = change.pos + change.inserted.size();
  m_linesValid = false;
  modified = true;
  m_undo.push_back(std::move(change));
  if (m_depth && m_undo.size() > m_depth) m_undo.pop_front();
}

bool EditBuffer::undo() {
  if (readOnly || m_undo.empty()) return false;
  Change& last = m_undo.back();
  m_text.replace(last.pos, last.inserted.size(), last.removed);
  m_anchor = std::min(last.anchor, m_text.size());
  m_caret = std::min(last.caret, m_text.size());
  m_undo.pop_back();
  m_linesValid = false;
  modified = true;
  return true;
}

void EditBuffer::setUndoDepth(std::size_t depth) {
  m_depth = depth;
  while (m_depth && m_undo.size() > m_depth) m_undo.pop_front();
}

const std::vector<std::size_t>& EditBuffer::lineStarts() const {
  if (!m_linesValid) {
    m_lineStarts.assign(1, 0);
    for (std::size_t p = m_text.find("\r\n"); p != std::string::npos; p = m_text.find("\r\n", p + 2))
      m_lineStarts.push_back(p + 2);
    m_linesValid = true;
  }
  return m_lineStarts;
}

std::size_t EditBuffer::lineCount() const { return lineStarts().size(); }

std::size_t EditBuffer::lineFromChar(std::size_t pos) const {
  const auto& starts = lineStarts();
  return std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin() - 1;
}

std::size_t EditBuffer::lineIndex(std::size_t line) const { return lineStarts()[line]; }

std::size_t EditBuffer::lineLength(std::size_t line) const {
  const auto& starts = lineStarts();
  return line + 1 < starts.size() ? starts[line + 1] - 2 - starts[line] : m_text.size() - starts[line];
}
