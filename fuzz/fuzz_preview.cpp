// The preview's layout against any deck bytes, any screen size, any caret and any picture sizes:
// nothing may crash or trip a sanitizer, no row may be wider than the screen, runs stand left to
// right without overlapping, items lie on rows of the screen, and the arrows keep the highlight
// and the scrolling inside it. Then its watch against an editor that answers nonsense (lengths and
// selections of any size and order, texts and prefixes of any length): at most one whole read and
// one prefix read a tick, a whole read only when the tick says the text changed, and a caret
// inside the text it read.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

#include "FuzzText.h"
#include "preview/logic/PreviewLayout.h"
#include "preview/logic/PreviewWatch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  Preview::ScreenSize screen{in.ConsumeIntegralInRange<int>(-5, 300), in.ConsumeIntegralInRange<int>(-5, 40)};
  const int pictureColumns = in.ConsumeIntegralInRange<int>(-3, 400), pictureRows = in.ConsumeIntegralInRange<int>(-3, 100);
  const size_t caret = in.ConsumeIntegral<uint16_t>();
  const int moves = in.ConsumeIntegralInRange<int>(0, 8);
  const std::string deck = in.ConsumeRemainingBytesAsString();

  const Preview::Variables vars{{"a", "x\x82"}, {"b", "\r\n<&>"}, {"c", std::string(50, 'w')}};
  Preview::Context c;
  c.size = screen;
  c.variables = &vars;
  c.imageCells = [&](std::string_view, int columns) -> std::optional<std::pair<int, int>> {
    FUZZ_CHECK(columns >= 2);
    if (pictureColumns < 0) return std::nullopt;
    return std::pair{pictureColumns, pictureRows};
  };
  c.character = [](uint32_t code) { return std::string(code % 3, static_cast<char>(0x81 + code % 5)); };
  const std::string typed = deck.substr(0, 7);
  c.typed = caret % 2 ? &typed : nullptr;

  const Preview::Cards cards = Preview::FindCards(deck);
  for (const Preview::Card& card : cards.cards) FUZZ_CHECK(card.begin < card.end && card.end <= deck.size());
  Preview::Screen s = Preview::LayOut(deck, cards, Preview::CardAt(cards, caret), c);

  const int width = std::clamp(screen.columns, 2, Preview::kMaxColumns);
  const int rows = static_cast<int>(s.rows.size());
  for (const Preview::Row& row : s.rows) {
    int column = 0;
    for (const Preview::Run& run : row.runs) {
      FUZZ_CHECK(run.column >= column);
      column = run.column + static_cast<int>(run.text.size());
      FUZZ_CHECK(column <= width);
      FUZZ_CHECK(run.image < static_cast<int>(s.images.size()) && run.item < static_cast<int>(s.items.size()));
    }
    FUZZ_CHECK(Preview::RowText(row).size() <= static_cast<size_t>(width));
  }
  for (const Preview::Item& item : s.items)
    FUZZ_CHECK(0 <= item.firstRow && item.firstRow <= item.lastRow && (item.lastRow < rows || rows == 0));
  FUZZ_CHECK(Preview::SoftKeyRow(s, screen.columns).size() == static_cast<size_t>(width));
  int top = 0;
  for (int i = 0; i < moves; ++i) {
    Preview::Move(s, screen.lines, i % 3 == 2 ? -1 : 1, top);
    FUZZ_CHECK(top >= 0 && (top < rows || top == 0));
    FUZZ_CHECK(s.highlighted >= -1 && s.highlighted < static_cast<int>(s.items.size()));
  }
  Preview::ScreenText(s, top, screen);

  struct Hostile final : Preview::Editor {
    explicit Hostile(const std::string& bytes) : in(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()) {}
    FuzzedDataProvider in;
    int texts = 0, prefixes = 0;
    std::optional<TextBytes::Glimpse> Glance() override {
      if (in.ConsumeIntegralInRange<int>(0, 15) == 0) return std::nullopt;
      return TextBytes::Glimpse{in.ConsumeIntegralInRange<int64_t>(-2, 40), in.ConsumeIntegralInRange<int64_t>(-2, 40),
                                in.ConsumeIntegralInRange<int64_t>(-2, 40)};
    }
    void Text(std::string& text) override { ++texts, text = in.ConsumeRandomLengthString(60); }
    std::string Prefix(size_t) override { return ++prefixes, in.ConsumeRandomLengthString(60); }
  } editor(deck);
  Preview::Watch watch;
  int card = -1;
  while (editor.in.remaining_bytes() > 0) {
    const int texts = editor.texts, prefixes = editor.prefixes;
    const Preview::Watch::Change change = watch.Tick(editor, card);
    FUZZ_CHECK(editor.texts - texts == (change == Preview::Watch::Change::Text ? 1 : 0));
    FUZZ_CHECK(editor.prefixes - prefixes <= 1);
    FUZZ_CHECK(watch.caret() <= watch.text().size());
    card = Preview::CardAt(watch.cards(), watch.caret());
    Preview::LayOut(watch.text(), watch.cards(), card, c);
  }
  return 0;
}
