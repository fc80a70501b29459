// The preview's watch over the editor: what it reads, and when. A tick looks (the text's length
// and the selection, two messages) and reads the whole text only when the length changed; a caret
// that moved needs no read. An edit that keeps both the length and the caret is found by reading,
// once in `kTicksPerVerify` quiet ticks, the bytes up to the end of the card on the screen (all
// that decides what it shows). The editor is an interface, so that a test can count the reads and
// a fuzzer can answer nonsense.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "bridge/logic/TextBytes.h"
#include "preview/logic/PreviewLayout.h"

namespace Preview {

// What the watch asks of the editor; the bridge answers in the program.
class Editor {
public:
  virtual ~Editor() = default;
  // Length and selection, ordered and inside the text; none when the editor is gone.
  virtual std::optional<TextBytes::Glimpse> Glance() = 0;
  // The whole text, read into `text`, which holds the last reading (the read reuses it).
  virtual void Text(std::string& text) = 0;
  // The text's first bytes: at least `want` of them when it has that many.
  virtual std::string Prefix(size_t want) = 0;
};

class Watch {
public:
  // Four looks a second: the preview follows within half a second; the verifying read comes once
  // a second.
  static constexpr int kTicksPerVerify = 4;

  enum class Change { None, Caret, Text };
  // One look at the editor; `shownCard` is the card on the screen (an index into cards(), or -1).
  Change Tick(Editor& editor, int shownCard);
  // The next tick reads the text afresh.
  void Forget() { m_seen.reset(); }

  const std::string& text() const { return m_text; }
  const Cards& cards() const { return m_cards; }
  // The caret: the selection's start, inside the text last read.
  size_t caret() const;

private:
  void Read(Editor& editor);

  std::string m_text;
  Cards m_cards;
  std::optional<TextBytes::Glimpse> m_seen;
  int m_quietTicks = 0;
};

}  // namespace Preview
