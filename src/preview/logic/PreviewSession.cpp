#include "preview/logic/PreviewSession.h"

#include "hdml/logic/DeckReader.h"

namespace Preview {

void Session::Restart() {
  m_history.clear();
  m_typed.reset();
}

Outcome Session::Back() {
  if (m_history.empty()) return {Outcome::Kind::NoBack};
  const int card = m_history.back();
  m_history.pop_back();
  m_typed.reset();
  return {Outcome::Kind::Show, card};
}

Outcome Session::Run(const Action& a, const Cards& cards, int shownCard) {
  // VARS: "name=value&name=value".
  for (std::string_view vars = a.vars; !vars.empty();) {
    const size_t amp = vars.find('&');
    const std::string_view pair = vars.substr(0, amp);
    const size_t eq = pair.find('=');
    if (eq != std::string_view::npos && eq > 0) m_variables[std::string(pair.substr(0, eq))] = std::string(pair.substr(eq + 1));
    if (amp == std::string_view::npos) break;
    vars.remove_prefix(amp + 1);
  }
  switch (a.task) {
    case Task::Go:
    case Task::Gosub: {
      if (a.dest.empty() || a.dest[0] != '#') return {Outcome::Kind::LeaveDeck, -1, a.dest};
      const std::string name = a.dest.substr(1, a.dest.find('?') == std::string::npos ? std::string::npos : a.dest.find('?') - 1);
      const int card = CardNamed(cards, name);
      if (card < 0) return {Outcome::Kind::NoCard, -1, name};
      m_history.push_back(shownCard);
      m_typed.reset();
      return {Outcome::Kind::Show, card};
    }
    case Task::Prev:
    case Task::Return:
    case Task::Cancel: return Back();
    case Task::Call: return {Outcome::Kind::Call, -1, a.number};
    case Task::Noop:
    case Task::None: break;
  }
  return {};
}

Outcome Session::Accept(const Screen& s, const Cards& cards, int shownCard) {
  const Item* item = s.highlighted >= 0 && s.highlighted < static_cast<int>(s.items.size())
                         ? &s.items[static_cast<size_t>(s.highlighted)] : nullptr;
  if (s.kind == CardKind::Choice && item) {
    if (!s.key.empty()) m_variables[s.key] = item->value;
    if (!s.ikey.empty()) m_variables[s.ikey] = std::to_string(s.highlighted + 1);
  }
  // The input line as shown: what was typed, else the KEY's value or DEFAULT.
  if (s.kind == CardKind::Entry && !s.key.empty()) m_variables[s.key] = s.input;
  return Run(item && item->action.task != Task::None ? item->action : s.acceptAction, cards, shownCard);
}

Outcome Session::Type(const Screen& s, std::string_view chars) {
  if (s.kind != CardKind::Entry) return {};
  if (!m_typed) m_typed.emplace();
  *m_typed += chars;
  return {Outcome::Kind::Redraw};
}

Outcome Session::Erase(const Screen& s) {
  if (s.kind != CardKind::Entry || !m_typed || m_typed->empty()) return Back();
  // The last character, a double-byte one whole.
  size_t last = 0;
  for (size_t i = 0; i < m_typed->size(); i += Hdml::CharSize(*m_typed, i)) last = i;
  m_typed->resize(last);
  return {Outcome::Kind::Redraw};
}

}  // namespace Preview
