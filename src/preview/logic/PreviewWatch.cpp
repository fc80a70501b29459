#include "preview/logic/PreviewWatch.h"

#include <algorithm>

namespace Preview {

void Watch::Read(Editor& editor) {
  editor.Text(m_text);
  m_cards = FindCards(m_text);
}

size_t Watch::caret() const {
  return m_seen ? std::min(static_cast<size_t>(std::max<int64_t>(m_seen->start, 0)), m_text.size()) : 0;
}

Watch::Change Watch::Tick(Editor& editor, int shownCard) {
  const std::optional<TextBytes::Glimpse> now = editor.Glance();
  if (!now) return Change::None;   // the editor is going; the program ends with it
  const bool first = !m_seen;
  const bool lengthChanged = first || now->length != m_seen->length;
  const bool caretMoved = first || now->start != m_seen->start || now->end != m_seen->end;
  m_seen = now;
  if (lengthChanged) {
    m_quietTicks = 0;
    Read(editor);
    return Change::Text;
  }
  if (caretMoved) {
    m_quietTicks = 0;
    return Change::Caret;
  }
  if (++m_quietTicks < kTicksPerVerify) return Change::None;
  m_quietTicks = 0;
  const size_t upTo = shownCard >= 0 && static_cast<size_t>(shownCard) < m_cards.cards.size()
                          ? std::min(m_cards.cards[static_cast<size_t>(shownCard)].end, m_text.size())
                          : m_text.size();
  const std::string prefix = editor.Prefix(upTo);
  if (prefix.size() >= upTo && prefix.compare(0, upTo, m_text, 0, upTo) == 0) return Change::None;
  Read(editor);
  return Change::Text;
}

}  // namespace Preview
