// The phone's keys on the preview's screen, apart from the window: ACCEPT (Enter) does the
// highlighted item's task or the card's ACCEPT action, after a CHOICE's entry or an ENTRY's text
// has given its KEY (and IKEY) their values; Backspace goes back; typed characters go into an
// ENTRY's input line. What a task does is said as an Outcome; the window shows it.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "preview/logic/PreviewLayout.h"

namespace Preview {

struct Outcome {
  enum class Kind {
    Nothing,     // NOOP, or no task at all
    Show,        // show `card`
    LeaveDeck,   // GO to `text`, a destination outside this deck
    Call,        // dial `text`
    NoCard,      // GO to "#`text`", a card the deck does not have
    NoBack,      // back, with no card to go back to
    Redraw,      // the same card again (an ENTRY's input line changed)
  };
  Kind kind = Kind::Nothing;
  int card = -1;
  std::string text;   // bytes of the deck (cp932)
};

class Session {
public:
  // The caret's card shown afresh: nothing to go back to, nothing typed. The variables stay
  // while the window is open.
  void Restart();
  Outcome Accept(const Screen& screen, const Cards& cards, int shownCard);
  Outcome Back();
  // Characters typed on an ENTRY card (cp932); Nothing on other cards.
  Outcome Type(const Screen& screen, std::string_view chars);
  // Backspace: the last typed character of an ENTRY, else back.
  Outcome Erase(const Screen& screen);

  const Variables& variables() const { return m_variables; }
  const std::string* typed() const { return m_typed ? &*m_typed : nullptr; }

private:
  Outcome Run(const Action& action, const Cards& cards, int shownCard);

  std::vector<int> m_history;
  Variables m_variables;
  std::optional<std::string> m_typed;
};

}  // namespace Preview
