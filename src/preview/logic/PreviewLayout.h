// The phone's screen for one card: from the deck's parts (the one reader, hdml/logic) and a screen
// size in half-width columns and lines, the rows the phone shows, its selectable items, its
// images and its soft-key labels. No windows here: the preview window draws what this lays out.
//
// Everything is cp932 bytes, as the editor holds the deck. A double-byte character takes two
// half-width columns and a single-byte one (ASCII, half-width katakana) one, so a row's width in
// columns is its length in bytes; no row is ever wider than the screen.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Preview {

// Screens are laid out at least 2 columns wide (a double-byte character must fit) and at most
// this wide (a glyph's width is kept in a byte).
inline constexpr int kMaxColumns = 200;

struct ScreenSize {
  int columns = 20;   // half-width columns
  int lines = 8;      // text lines; the soft-key row is drawn below them
};

enum class Style : uint8_t {
  Text,
  Variable,   // a variable without a value in the preview, shown as written ("$name")
  Image,      // an image's box: the window draws the image into it (Screen::images)
  More,       // the mark at the end of a cut <LINE> row: the line goes on
  Input,      // an ENTRY's input line
};

// Bytes of one style on one row.
struct Run {
  int column = 0;   // from the row's left, in half-width columns
  std::string text;   // cp932; as many bytes as columns (an image: its ALT or blanks)
  Style style = Style::Text;
  int item = -1;    // the selectable item (Screen::items) it belongs to
  int image = -1;   // Style::Image: which of Screen::images
};

struct Row {
  std::vector<Run> runs;   // left to right, not overlapping
};

enum class Task : uint8_t { None, Go, Gosub, Prev, Return, Cancel, Noop, Call };

// What a key does: an ACTION of the card or deck, a link (A) or a choice entry (CE). Values are
// the deck's bytes with references decoded and known variables put in.
struct Action {
  Task task = Task::None;
  std::string dest;     // GO, GOSUB
  std::string number;   // CALL
  std::string vars;     // VARS: "name=value&name=value"
  std::string label;    // LABEL, as written (not cut)
  bool present = false;
};

struct Item {
  Action action;
  std::string value;   // CE: VALUE
  int firstRow = 0, lastRow = 0;
};

struct Image {
  std::string src;    // SRC as written (relative to the deck's folder)
  std::string icon;   // ICON as written
  int columns = 0, rows = 0;   // the box it is drawn in
  bool found = false;          // drawn from its file (else its ALT text or the icon's small box)
};

enum class CardKind : uint8_t { None, Display, Choice, Entry, NoDisplay };

struct Screen {
  CardKind kind = CardKind::None;
  std::string name;   // the card's NAME ("" for an unnamed card)
  std::vector<Row> rows;
  std::vector<Item> items;
  std::vector<Image> images;
  int highlighted = -1;   // the highlighted item, -1 without items
  std::string accept, soft1;   // the soft keys' labels as shown (cut)
  Action acceptAction, soft1Action;   // the card's, else the deck's
  std::string key;     // CHOICE and ENTRY: KEY; the chosen VALUE or typed text is its value
  std::string ikey;    // CHOICE: IKEY; the chosen entry's number is its value
  int inputRow = -1;   // ENTRY: the row of the input line
  std::string input;   // ENTRY: the text in it (typed, else the KEY's value or DEFAULT)
};

// One card of the deck: its bytes (start tag to end tag, or to where the next card or the deck's
// end begins when its end tag is missing) and its NAME.
struct Card {
  size_t begin = 0, end = 0;
  std::string name;
};

// The deck's cards in text order, and the bytes between the deck's start tag and its first card
// (where the deck's own ACTIONs stand).
struct Cards {
  std::vector<Card> cards;
  size_t deckBegin = 0, deckEnd = 0;
};

// One pass over the text through the reader; nothing of the parts is kept.
Cards FindCards(std::string_view text);
// The card that holds byte `offset` (the caret): the last card starting at or before it, the
// first card when the offset comes before every card; -1 without cards.
int CardAt(const Cards& cards, size_t offset);
// The card named `name` (as "#name" names it: letter case counts); -1 when there is none.
int CardNamed(const Cards& cards, std::string_view name);

using Variables = std::map<std::string, std::string>;

struct Context {
  ScreenSize size;
  const Variables* variables = nullptr;
  // The box of the image SRC in half-width columns and lines, at most `columns` wide; none when
  // its file is not there or cannot be read (the window asks the file; the tests answer).
  std::function<std::optional<std::pair<int, int>>(std::string_view src, int columns)> imageCells;
  // The cp932 bytes of a character reference "&#n;" above ASCII ("?" when none is given).
  std::function<std::string(uint32_t)> character;
  // An ENTRY's typed text, when the author typed into the preview; else the KEY's value or DEFAULT.
  const std::string* typed = nullptr;
};

// The screen of card `card` (an index into cards.cards) of `text`.
Screen LayOut(std::string_view text, const Cards& cards, int card, const Context& context);

// A soft key's label as the phone shows it: at most five characters and six half-width columns,
// never half a double-byte character.
std::string SoftLabel(std::string_view label);

// The soft-key row: ACCEPT's label at the left, SOFT1's at the right, `columns` wide.
std::string SoftKeyRow(const Screen& screen, int columns);

// The half-width columns of each character of `bytes` (1, or 2 for a double-byte one), in order:
// where a window draws each character.
std::vector<int> CharColumns(std::string_view bytes);

// A row as text: its runs at their columns, blanks between, trailing blanks trimmed.
std::string RowText(const Row& row);

// What the screen shows from row `top`: `lines` rows and the soft-key row, joined by CR LF.
std::string ScreenText(const Screen& screen, int top, ScreenSize size);

// Highlights item `item` (-1: none); the ACCEPT label follows it: the item's LABEL, else the
// card's or the deck's ACCEPT label, else "OK".
void Highlight(Screen& screen, int item);

// Up (-1) or Down (+1) as the phone's arrow keys: to the next item when it starts on the screen
// or on the row just below it (above it, going up), the screen scrolled so that the item shows;
// else one row of scrolling. The screen's highlight and `top` (its first row shown, for a
// screen of `lines` rows) are updated.
void Move(Screen& screen, int lines, int delta, int& top);

// The value of variable references in `value` (an attribute's bytes): "$name", "$(name)",
// "$(name:esc)" and the like take the variable's value ("" when unknown), "$$" is "$";
// character references are decoded.
std::string Substitute(std::string_view value, const Variables* variables, const Context& context);

}  // namespace Preview
