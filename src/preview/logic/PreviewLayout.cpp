#include "preview/logic/PreviewLayout.h"

#include <algorithm>
#include <cctype>
#include <span>

#include "hdml/logic/DeckReader.h"

namespace Preview {
namespace {

using namespace std::string_view_literals;

// Whether `name` is `upper` (ASCII upper case) in any letter case: markup and keywords (TASK=go)
// were written in either.
bool SameName(std::string_view name, std::string_view upper) {
  return name.size() == upper.size() &&
         std::equal(name.begin(), name.end(), upper.begin(), [](char a, char u) { return Hdml::ToUpper(a) == u; });
}

// The elements the preview acts on; every other tag is passed over as the phone passes it.
enum class El : uint8_t {
  Other, Hdml, Display, Choice, Entry, NoDisplay, Action, A, Ce, Img, Br, Line, Wrap, Tab, Center, Right
};

El ElementOf(std::string_view name) {
  static constexpr struct { std::string_view name; El el; } kElements[] = {
      {"HDML", El::Hdml},   {"DISPLAY", El::Display}, {"CHOICE", El::Choice}, {"ENTRY", El::Entry},
      {"NODISPLAY", El::NoDisplay}, {"ACTION", El::Action}, {"A", El::A}, {"CE", El::Ce},
      {"IMG", El::Img},     {"BR", El::Br},           {"LINE", El::Line},     {"WRAP", El::Wrap},
      {"TAB", El::Tab},     {"CENTER", El::Center},   {"RIGHT", El::Right}};
  for (const auto& e : kElements)
    if (SameName(name, e.name)) return e.el;
  return El::Other;
}

bool IsCard(El el) { return el == El::Display || el == El::Choice || el == El::Entry || el == El::NoDisplay; }

// A start tag's attributes, looked up by name in any letter case.
class Tag {
public:
  Tag(std::string_view text, const Hdml::Deck& deck, const Hdml::Part& part)
      : m_text(text), m_attributes(deck.AttributesOf(part)) {}
  std::optional<std::string_view> Get(std::string_view upper) const {
    for (const Hdml::Attribute& a : m_attributes)
      if (SameName(Hdml::View(m_text, a.name), upper)) return Hdml::View(m_text, a.value);
    return std::nullopt;
  }
  std::string_view Or(std::string_view upper, std::string_view otherwise = {}) const {
    return Get(upper).value_or(otherwise);
  }

private:
  std::string_view m_text;
  std::span<const Hdml::Attribute> m_attributes;
};

bool IsVariableStart(char c) { return Hdml::IsLetter(c) || c == '_'; }
bool IsVariableChar(char c) { return Hdml::IsLetter(c) || Hdml::IsDigit(c) || c == '_'; }

// "$name", "$(name)" or "$(name:conversion)" at `at` (a "$"): the name, and the bytes it takes.
// The conversion (esc, unesc, noesc) changes how a value travels in a URL, not how it reads on
// the screen, so the preview shows every form alike.
struct VariableRef {
  std::string_view name;
  size_t size = 0;   // 0: no variable starts here
};
VariableRef ReadVariable(std::string_view s, size_t at) {
  size_t i = at + 1;
  if (i < s.size() && s[i] == '(') {
    size_t j = i + 1;
    if (j >= s.size() || !IsVariableStart(s[j])) return {};
    while (j < s.size() && IsVariableChar(s[j])) ++j;
    const std::string_view name = s.substr(i + 1, j - i - 1);
    if (j < s.size() && s[j] == ':')
      for (++j; j < s.size() && Hdml::IsLetter(s[j]);) ++j;
    if (j >= s.size() || s[j] != ')') return {};
    return {name, j + 1 - at};
  }
  if (i >= s.size() || !IsVariableStart(s[i])) return {};
  size_t j = i;
  while (j < s.size() && IsVariableChar(s[j])) ++j;
  return {s.substr(i, j - i), j - at};
}

// "&name;" or "&#n;" at `at` (an "&"): the character's bytes and the bytes the reference takes;
// size 0 when none starts here (a bare "&", as in a query string, is itself).
struct Reference {
  std::string bytes;
  size_t size = 0;
  bool nbsp = false;
};
Reference ReadReference(std::string_view s, size_t at, const Context& context) {
  const size_t semi = s.find(';', at + 1);
  if (semi == std::string_view::npos || semi - at > 10) return {};
  const std::string_view name = s.substr(at + 1, semi - at - 1);
  const size_t size = semi + 1 - at;
  static constexpr struct { std::string_view name; char c; } kNamed[] = {
      {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"dol", '$'}, {"apos", '\''}, {"nbsp", ' '}};
  for (const auto& e : kNamed)
    if (name == e.name) return {std::string(1, e.c), size, e.c == ' '};
  if (name.size() < 2 || name[0] != '#') return {};
  uint32_t code = 0;
  const bool hex = name[1] == 'x' || name[1] == 'X';
  const std::string_view digits = name.substr(hex ? 2 : 1);
  if (digits.empty()) return {};
  for (char c : digits) {
    int d = Hdml::IsDigit(c) ? c - '0' : hex && std::isxdigit(static_cast<unsigned char>(c)) ? (c | 0x20) - 'a' + 10 : -1;
    if (d < 0) return {};
    code = std::min<uint32_t>(code * (hex ? 16 : 10) + static_cast<uint32_t>(d), 0x110000);
  }
  if (code == 0xA0) return {" ", size, true};
  if (code >= 0x20 && code < 0x7F) return {std::string(1, static_cast<char>(code)), size};
  std::string bytes = code >= 0x80 && context.character ? context.character(code) : std::string();
  // One character of the screen: what the system gives for it, when it gives one that fits.
  if (bytes.empty() || bytes.size() > 2 || (bytes.size() == 2) != Hdml::IsLead(bytes[0]) ||
      (bytes.size() == 1 && static_cast<unsigned char>(bytes[0]) < 0x20))
    bytes = "?";
  return {bytes, size};
}

const std::string* ValueOf(const Variables* variables, std::string_view name) {
  if (!variables) return nullptr;
  const auto it = variables->find(std::string(name));
  return it == variables->end() ? nullptr : &it->second;
}

// ---- the rows

enum class Mode : uint8_t { Wrap, Line };
enum class Align : uint8_t { Left, Center, Right };

// One character cell (or an image's box) of a line being laid out.
struct Glyph {
  char bytes[2] = {};
  uint8_t size = 1;    // bytes, and half-width columns, of a character
  Style style = Style::Text;
  bool space = false;    // a collapsed run of white space: where WRAP may break, dropped there
  bool tab = false;      // <TAB>: a column starts
  int item = -1;
  int image = -1;
  int width() const { return size; }
};

struct LogicalLine {
  std::vector<Glyph> glyphs;
  Mode mode = Mode::Wrap;
  Align align = Align::Left;
  bool table = false;
};

class Builder {
public:
  Builder(const Context& context, Screen& screen) : m_context(context), m_screen(screen) {
    m_columns = std::clamp(context.size.columns, 2, kMaxColumns);
    m_lines.emplace_back();
  }

  int columns() const { return m_columns; }

  // <BR>: the line ends here, even an empty one.
  void Break() { NewLine(m_mode); }
  // <LINE> and <WRAP>: a new line in their mode, unless the line is still empty (then only the
  // mode changes): "<BR><WRAP>" and a CE that begins with <WRAP> give no empty row.
  void StartLine(Mode mode) {
    m_mode = mode;
    if (Current().glyphs.empty())
      Current().mode = mode;
    else
      NewLine(mode);
  }
  // A CE: its own line, in LINE mode unless it says <WRAP>.
  void EntryLine() {
    if (!Current().glyphs.empty()) NewLine(Mode::Line);
    Current().mode = m_mode = Mode::Line;
  }
  // After a CE, card text goes on in the card's mode, on a line of its own.
  void EndEntry() {
    m_mode = Mode::Wrap;
    if (!Current().glyphs.empty()) NewLine(Mode::Wrap);
    Current().mode = Mode::Wrap;
  }
  // <CENTER> and <RIGHT> align the line they stand in (the last one in a line wins) and end with
  // it: the next line starts at the left again.
  void SetAlign(Align a) { Current().align = a; }
  void Tab() {
    TrimSpace();
    Glyph g;
    g.tab = true;
    g.size = 0;
    Current().glyphs.push_back(g);
    Current().table = true;
  }

  void SetItem(int item) { m_item = item; }

  // White space collapses to one blank, and a line never starts with one.
  void Space() {
    std::vector<Glyph>& g = Current().glyphs;
    if (g.empty() || g.back().space || g.back().tab) return;
    Glyph s;
    s.bytes[0] = ' ';
    s.space = true;
    s.item = m_item;
    g.push_back(s);
  }

  // Bytes shown as they are (a value, decoded text): a blank in them is a blank on the screen.
  void Chars(std::string_view s, Style style, bool hardBlanks = false) {
    for (size_t i = 0; i < s.size();) {
      const size_t n = Hdml::CharSize(s, i);
      const unsigned char b = static_cast<unsigned char>(s[i]);
      Glyph g;
      g.style = style;
      g.item = m_item;
      if (n == 2) {
        g.bytes[0] = s[i], g.bytes[1] = s[i + 1], g.size = 2;
      } else if (Hdml::IsBlank(s[i]) && !hardBlanks) {
        i += n;
        Space();
        continue;
      } else {
        // A control byte or a lead byte without its trail shows as "?": one column, as drawn.
        g.bytes[0] = b < 0x20 || b == 0x7F || Hdml::IsLead(s[i]) ? '?' : s[i];
      }
      Current().glyphs.push_back(g);
      i += n;
    }
  }

  // Card text: white space collapsed, references decoded, variables shown.
  void Text(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
      const char c = s[i];
      if (Hdml::IsBlank(c)) {
        Space();
        ++i;
      } else if (c == '&') {
        const Reference r = ReadReference(s, i, m_context);
        if (r.size == 0) {
          Chars("&", Style::Text);
          ++i;
        } else {
          Chars(r.bytes, Style::Text, r.nbsp);
          i += r.size;
        }
      } else if (c == '$') {
        i += Variable(s, i);
      } else {
        size_t j = i;
        while (j < s.size() && !Hdml::IsBlank(s[j]) && s[j] != '&' && s[j] != '$') j += Hdml::CharSize(s, j);
        Chars(s.substr(i, j - i), Style::Text);
        i = j;
      }
    }
  }

  // An image's box, or its stand-in.
  void Image(std::string_view src, std::string_view alt, std::string_view icon) {
    Preview::Image img;
    img.src = std::string(src);
    img.icon = std::string(icon);
    std::optional<std::pair<int, int>> cells;
    if (!src.empty() && m_context.imageCells) cells = m_context.imageCells(src, m_columns);
    if (cells) {
      img.found = true;
      img.columns = std::clamp(cells->first, 1, m_columns);
      img.rows = std::clamp(cells->second, 1, 64);
    } else if (!icon.empty()) {
      // au's pictograms are 12 dots square, one full-width character: a small box stands in.
      img.columns = 2;
      img.rows = 1;
    } else {
      // No picture: its ALT in brackets, as text that wraps with the rest.
      Chars("[", Style::Text);
      Chars(alt.empty() ? "IMG"sv : alt, Style::Text, true);
      Chars("]", Style::Text);
      return;
    }
    const int index = static_cast<int>(m_screen.images.size());
    m_screen.images.push_back(std::move(img));
    Glyph g;
    g.style = Style::Image;
    g.image = index;
    g.item = m_item;
    g.size = static_cast<uint8_t>(m_screen.images.back().columns);
    Current().glyphs.push_back(g);
  }

  // Every logical line laid out into rows of the screen's width.
  void Finish() {
    for (size_t i = 0; i < m_lines.size();) {
      if (!m_lines[i].table) {
        Emit(m_lines[i++]);
        continue;
      }
      size_t j = i;
      while (j < m_lines.size() && m_lines[j].table) ++j;
      Table(std::span<LogicalLine>(m_lines).subspan(i, j - i));
      for (; i < j; ++i) Emit(m_lines[i]);
    }
    m_lines.clear();
  }

  // A row of its own (the ENTRY's input line).
  void Row(std::string_view bytes, Style style) {
    Preview::Row row;
    if (!bytes.empty()) row.runs.push_back({0, std::string(bytes), style});
    m_screen.rows.push_back(std::move(row));
  }

private:
  LogicalLine& Current() { return m_lines.back(); }
  void NewLine(Mode mode) {
    TrimSpace();
    m_lines.emplace_back();
    Current().mode = mode;
  }
  void TrimSpace() {
    std::vector<Glyph>& g = Current().glyphs;
    if (!g.empty() && g.back().space) g.pop_back();
  }

  size_t Variable(std::string_view s, size_t at) {
    if (at + 1 < s.size() && s[at + 1] == '$') {
      Chars("$", Style::Text);
      return 2;
    }
    const VariableRef v = ReadVariable(s, at);
    if (v.size == 0) {   // "$2.50": a "$" that starts no variable is itself
      Chars("$", Style::Text);
      return 1;
    }
    if (const std::string* value = ValueOf(m_context.variables, v.name))
      Chars(*value, Style::Text, true);
    else
      Chars(s.substr(at, v.size), Style::Variable, true);
    return v.size;
  }

  // Consecutive lines with <TAB> form a table: the text before the first <TAB> is the first
  // column, and each column is as wide as its widest cell, one blank between columns.
  static void Table(std::span<LogicalLine> lines) {
    std::vector<int> widths;
    const auto cells = [](const LogicalLine& line, auto&& each) {
      int column = 0, width = 0;
      for (const Glyph& g : line.glyphs) {
        if (g.tab) {
          each(column++, width);
          width = 0;
        } else {
          width += g.width();
        }
      }
      each(column, width);
    };
    for (const LogicalLine& line : lines)
      cells(line, [&](int column, int width) {
        if (static_cast<int>(widths.size()) <= column) widths.resize(static_cast<size_t>(column) + 1, 0);
        widths[static_cast<size_t>(column)] = std::max(widths[static_cast<size_t>(column)], width);
      });
    for (LogicalLine& line : lines) {
      std::vector<Glyph> padded;
      int column = 0, width = 0;
      for (const Glyph& g : line.glyphs) {
        if (!g.tab) {
          padded.push_back(g);
          width += g.width();
          continue;
        }
        Glyph pad;   // a blank that stays, at the start of a row too: the columns keep their place
        pad.bytes[0] = ' ';
        for (int w = width; w <= widths[static_cast<size_t>(column)]; ++w) padded.push_back(pad);
        ++column;
        width = 0;
      }
      line.glyphs = std::move(padded);
      line.table = false;
    }
  }

  void Emit(const LogicalLine& line) {
    std::vector<Glyph> row;
    int width = 0;
    const auto flush = [&] {
      while (!row.empty() && row.back().space) width -= row.back().width(), row.pop_back();
      PutRow(row, width, line.align);
      row.clear();
      width = 0;
    };
    if (line.mode == Mode::Line) {
      // "Times Square": one row, cut at the width, its last column marking that it goes on.
      for (size_t i = 0; i < line.glyphs.size(); ++i) {
        const Glyph& g = line.glyphs[i];
        if (row.empty() && g.space) continue;
        if (width + g.width() > m_columns) {
          while (!row.empty() && width > m_columns - 1) width -= row.back().width(), row.pop_back();
          Glyph more;
          more.bytes[0] = '>';
          more.style = Style::More;
          for (; width < m_columns - 1; ++width) {
            Glyph pad;
            pad.bytes[0] = ' ';
            row.push_back(pad);
          }
          row.push_back(more);
          ++width;
          break;
        }
        row.push_back(g);
        width += g.width();
      }
      PutRow(row, width, line.align);
      int tall = 1;
      for (const Glyph& g : row)
        if (g.image >= 0) tall = std::max(tall, m_screen.images[static_cast<size_t>(g.image)].rows);
      for (int r = 1; r < tall; ++r) PutRow({}, 0, Align::Left);
      return;
    }
    // Where the row may be cut: the glyphs from here on go to the next row. At a blank (which is
    // then dropped) and after a double-byte character: Japanese text breaks between any two
    // characters, a run of ASCII only at its blanks (or, a word wider than the row, at the width).
    size_t breakAt = 0;
    const size_t rowsBefore = m_screen.rows.size();
    for (const Glyph& g : line.glyphs) {
      if (row.empty() && g.space) continue;
      // A picture taller than a row stands on rows of its own.
      const bool tall = g.image >= 0 && m_screen.images[static_cast<size_t>(g.image)].rows > 1;
      if (tall && !row.empty()) flush(), breakAt = 0;
      while (!row.empty() && width + g.width() > m_columns) {
        if (g.space || g.size == 2 || row.back().size == 2 || breakAt == 0) {
          flush();
        } else {
          std::vector<Glyph> rest(row.begin() + static_cast<std::ptrdiff_t>(breakAt), row.end());
          row.resize(breakAt);
          width = 0;
          for (const Glyph& r : row) width += r.width();
          flush();
          for (const Glyph& r : rest)
            if (!(row.empty() && r.space)) row.push_back(r), width += r.width();
        }
        breakAt = 0;
      }
      if (row.empty() && g.space) continue;
      row.push_back(g);
      width += g.width();
      if (g.space) breakAt = row.size() - 1;
      else if (g.size == 2 && g.image < 0) breakAt = row.size();
      if (tall) {
        flush();
        for (int r = 1; r < m_screen.images[static_cast<size_t>(g.image)].rows; ++r) PutRow({}, 0, Align::Left, g.item);
        breakAt = 0;
      }
    }
    // The last row; an empty line is one empty row, a line that ended with a picture no more.
    if (!row.empty() || m_screen.rows.size() == rowsBefore) flush();
  }

  // One row of the screen: glyphs merged into runs, placed by the line's alignment.
  void PutRow(const std::vector<Glyph>& glyphs, int width, Align align, int item = -1) {
    const int row = static_cast<int>(m_screen.rows.size());
    Preview::Row out;
    int column = align == Align::Center ? (m_columns - width) / 2 : align == Align::Right ? m_columns - width : 0;
    column = std::max(column, 0);
    for (const Glyph& g : glyphs) {
      if (g.item >= 0) Touch(g.item, row);
      Run* run = out.runs.empty() ? nullptr : &out.runs.back();
      const bool joins = run && g.image < 0 && run->image < 0 && run->style == g.style && run->item == g.item &&
                         run->column + static_cast<int>(run->text.size()) == column;
      if (!joins) {
        out.runs.push_back({column, {}, g.style, g.item, g.image});
        run = &out.runs.back();
      }
      if (g.image >= 0)
        run->text = ImageText(g.image);
      else
        run->text.append(g.bytes, g.size);
      column += g.width();
    }
    if (item >= 0) Touch(item, row);
    m_screen.rows.push_back(std::move(out));
  }

  // A picture's box as text (what a screen reader says): its ALT, cut to the box, blanks after.
  std::string ImageText(int image) const {
    const Preview::Image& img = m_screen.images[static_cast<size_t>(image)];
    std::string text;
    if (!img.found) text = "\x81\xa0";   // "□", the pictogram's box
    text.resize(static_cast<size_t>(img.columns), ' ');
    return text;
  }

  void Touch(int item, int row) {
    Item& it = m_screen.items[static_cast<size_t>(item)];
    if (!m_touched[static_cast<size_t>(item)]) it.firstRow = row, m_touched[static_cast<size_t>(item)] = true;
    it.lastRow = row;
  }

public:
  int AddItem(Item item) {
    m_screen.items.push_back(std::move(item));
    m_touched.push_back(false);
    return static_cast<int>(m_screen.items.size()) - 1;
  }
  // An item without any glyph (an empty link) still has a place: the row it would start.
  void PlaceEmptyItems() {
    for (size_t i = 0; i < m_screen.items.size(); ++i)
      if (!m_touched[i]) m_screen.items[i].firstRow = m_screen.items[i].lastRow = std::max(0, static_cast<int>(m_screen.rows.size()) - 1);
  }

private:
  const Context& m_context;
  Screen& m_screen;
  int m_columns = 20;
  Mode m_mode = Mode::Wrap;
  int m_item = -1;
  std::vector<LogicalLine> m_lines;
  std::vector<bool> m_touched;
};

Task TaskOf(std::string_view task) {
  static constexpr struct { std::string_view name; Task task; } kTasks[] = {
      {"GO", Task::Go},         {"GOSUB", Task::Gosub}, {"PREV", Task::Prev}, {"RETURN", Task::Return},
      {"CANCEL", Task::Cancel}, {"NOOP", Task::Noop},   {"CALL", Task::Call}};
  for (const auto& t : kTasks)
    if (SameName(task, t.name)) return t.task;
  return Task::None;
}

// The task options of an ACTION, A or CE. Without TASK, a DEST still goes there, and the 2.0
// form's GO= and CALL= (which served decks kept using) name their destination themselves.
Action ActionOf(const Tag& tag, const Context& context) {
  Action a;
  a.present = true;
  const auto value = [&](std::string_view name) { return Substitute(tag.Or(name), context.variables, context); };
  a.task = TaskOf(tag.Or("TASK"));
  a.dest = value("DEST");
  a.number = value("NUMBER");
  a.vars = value("VARS");
  a.label = value("LABEL");
  if (a.task == Task::None) {
    if (tag.Get("GO")) a.task = Task::Go, a.dest = value("GO");
    else if (tag.Get("GOSUB")) a.task = Task::Gosub, a.dest = value("GOSUB");
    else if (tag.Get("CALL")) a.task = Task::Call, a.number = value("CALL");
    else if (!a.dest.empty()) a.task = Task::Go;
  }
  return a;
}

// A whole number of at most a few digits, or -1.
int Number(std::string_view s) {
  if (s.empty() || s.size() > 6) return -1;
  int n = 0;
  for (char c : s) {
    if (!Hdml::IsDigit(c)) return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

// The deck's own ACTIONs, before its first card.
void DeckActions(std::string_view text, const Cards& cards, const Context& context, Action& accept, Action& soft1) {
  if (cards.deckEnd <= cards.deckBegin || cards.deckEnd > text.size()) return;
  const std::string_view part = text.substr(cards.deckBegin, cards.deckEnd - cards.deckBegin);
  const Hdml::Deck deck = Hdml::ReadDeck(part);
  for (const Hdml::Part& p : deck.parts) {
    if (p.kind != Hdml::PartKind::StartTag || ElementOf(Hdml::View(part, p.inner)) != El::Action) continue;
    const Tag tag(part, deck, p);
    const std::string_view type = tag.Or("TYPE");
    if (SameName(type, "ACCEPT")) accept = ActionOf(tag, context);
    if (SameName(type, "SOFT1")) soft1 = ActionOf(tag, context);
  }
}

}  // namespace

std::string Substitute(std::string_view value, const Variables* variables, const Context& context) {
  std::string out;
  for (size_t i = 0; i < value.size();) {
    const char c = value[i];
    if (c == '$' && i + 1 < value.size() && value[i + 1] == '$') {
      out += '$';
      i += 2;
    } else if (c == '$') {
      const VariableRef v = ReadVariable(value, i);
      if (v.size == 0) {
        out += '$';
        ++i;
      } else {
        if (const std::string* known = ValueOf(variables, v.name)) out += *known;
        i += v.size;
      }
    } else if (c == '&') {
      const Reference r = ReadReference(value, i, context);
      out += r.size ? r.bytes : "&";
      i += r.size ? r.size : 1;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

Cards FindCards(std::string_view text) {
  Cards cards;
  Hdml::DeckReader reader(text);
  Hdml::Part p;
  bool open = false, deckOpen = false, deckEnded = false;
  while (reader.Next(p)) {
    if (p.kind != Hdml::PartKind::StartTag && p.kind != Hdml::PartKind::EndTag) continue;
    const std::string_view name = Hdml::View(text, p.inner);
    // Most tags of a deck are not cards: the first letter decides without a comparison.
    const char first = Hdml::ToUpper(name[0]);
    if (first != 'D' && first != 'C' && first != 'E' && first != 'N' && first != 'H') continue;
    const El el = ElementOf(name);
    if (el == El::Hdml) {
      if (p.kind == Hdml::PartKind::StartTag && !deckOpen) {
        deckOpen = true;
        cards.deckBegin = cards.deckEnd = p.range.end;
      } else if (p.kind == Hdml::PartKind::EndTag) {
        if (open) cards.cards.back().end = p.range.begin, open = false;
        if (cards.cards.empty() && !deckEnded) cards.deckEnd = p.range.begin;
        deckEnded = true;
      }
      continue;
    }
    if (!IsCard(el)) continue;
    if (p.kind == Hdml::PartKind::EndTag) {
      if (open) cards.cards.back().end = p.range.end, open = false;
      continue;
    }
    if (open) cards.cards.back().end = p.range.begin;
    if (cards.cards.empty() && !deckEnded) cards.deckEnd = std::max(cards.deckBegin, p.range.begin);
    Card c;
    c.begin = p.range.begin;
    c.end = text.size();
    for (const Hdml::Attribute& a : reader.Attributes())
      if (SameName(Hdml::View(text, a.name), "NAME")) c.name = std::string(Hdml::View(text, a.value));
    cards.cards.push_back(std::move(c));
    open = true;
  }
  if (deckOpen && cards.cards.empty() && !deckEnded) cards.deckEnd = text.size();
  return cards;
}

int CardAt(const Cards& cards, size_t offset) {
  if (cards.cards.empty()) return -1;
  const auto after = std::upper_bound(cards.cards.begin(), cards.cards.end(), offset,
                                      [](size_t o, const Card& c) { return o < c.begin; });
  return after == cards.cards.begin() ? 0 : static_cast<int>(after - cards.cards.begin()) - 1;
}

int CardNamed(const Cards& cards, std::string_view name) {
  for (size_t i = 0; i < cards.cards.size(); ++i)
    if (cards.cards[i].name == name) return static_cast<int>(i);
  return -1;
}

Screen LayOut(std::string_view text, const Cards& cards, int card, const Context& context) {
  Screen screen;
  if (card < 0 || static_cast<size_t>(card) >= cards.cards.size()) return screen;
  const Card& c = cards.cards[static_cast<size_t>(card)];
  const size_t end = std::min(c.end, text.size());
  if (c.begin >= end) return screen;
  const std::string_view bytes = text.substr(c.begin, end - c.begin);
  const Hdml::Deck deck = Hdml::ReadDeck(bytes);
  screen.name = c.name;

  Action deckAccept, deckSoft1;
  DeckActions(text, cards, context, deckAccept, deckSoft1);

  Builder b(context, screen);
  std::string entryDefault;
  bool noEcho = false;
  int ikeyValue = -1, idefault = -1;
  std::string keyDefault;
  bool numbered = true;
  int entries = 0, ceItem = -1;
  bool first = true;
  for (const Hdml::Part& p : deck.parts) {
    if (p.kind == Hdml::PartKind::Comment) continue;
    if (p.kind == Hdml::PartKind::Text) {
      if (!first) b.Text(Hdml::View(bytes, p.range));
      continue;
    }
    const std::string_view name = Hdml::View(bytes, p.inner);
    const El el = ElementOf(name);
    if (first) {   // the card's own start tag
      first = false;
      const Tag tag(bytes, deck, p);
      screen.kind = el == El::Choice ? CardKind::Choice : el == El::Entry ? CardKind::Entry
                  : el == El::NoDisplay ? CardKind::NoDisplay : CardKind::Display;
      screen.key = std::string(tag.Or("KEY"));
      screen.ikey = std::string(tag.Or("IKEY"));
      const Variables* vars = context.variables;
      if (screen.kind == CardKind::Choice) {
        numbered = !SameName(tag.Or("METHOD"), "ALPHA");
        if (const std::string* v = ValueOf(vars, screen.ikey); v && !screen.ikey.empty())
          ikeyValue = Number(std::string_view(*v).substr(0, v->find(';')));
        idefault = Number(tag.Or("IDEFAULT"));
        const std::string* kv = screen.key.empty() ? nullptr : ValueOf(vars, screen.key);
        keyDefault = kv ? *kv : Substitute(tag.Or("DEFAULT"), vars, context);
      } else if (screen.kind == CardKind::Entry) {
        const std::string* kv = screen.key.empty() ? nullptr : ValueOf(vars, screen.key);
        entryDefault = context.typed ? *context.typed : kv ? *kv : Substitute(tag.Or("DEFAULT"), vars, context);
        noEcho = SameName(tag.Or("NOECHO"), "TRUE");
      }
      continue;
    }
    if (p.kind == Hdml::PartKind::EndTag) {
      if (el == El::A) b.SetItem(ceItem);
      if (el == El::Ce && ceItem >= 0) b.SetItem(ceItem = -1), b.EndEntry();
      if (IsCard(el)) break;
      continue;
    }
    if (IsCard(el)) break;
    const Tag tag(bytes, deck, p);
    switch (el) {
      case El::Action: {
        const std::string_view type = tag.Or("TYPE");
        if (SameName(type, "ACCEPT")) screen.acceptAction = ActionOf(tag, context);
        if (SameName(type, "SOFT1")) screen.soft1Action = ActionOf(tag, context);
        break;
      }
      case El::A: {
        Item item;
        item.action = ActionOf(tag, context);
        b.SetItem(b.AddItem(std::move(item)));
        break;
      }
      case El::Ce: {
        if (screen.kind != CardKind::Choice) break;
        if (ceItem >= 0) b.SetItem(-1), b.EndEntry();
        Item item;
        item.action = ActionOf(tag, context);
        item.value = Substitute(tag.Or("VALUE"), context.variables, context);
        ceItem = b.AddItem(std::move(item));
        b.EntryLine();
        b.SetItem(ceItem);
        ++entries;
        if (numbered) b.Chars(std::to_string(entries) + " ", Style::Text, true);
        break;
      }
      case El::Img: b.Image(tag.Or("SRC"), Substitute(tag.Or("ALT"), context.variables, context), tag.Or("ICON")); break;
      case El::Br: b.Break(); break;
      case El::Line: b.StartLine(Mode::Line); break;
      case El::Wrap: b.StartLine(Mode::Wrap); break;
      case El::Tab: b.Tab(); break;
      case El::Center: b.SetAlign(Align::Center); break;
      case El::Right: b.SetAlign(Align::Right); break;
      default: break;
    }
  }
  b.Finish();
  b.PlaceEmptyItems();

  if (screen.kind == CardKind::Entry) {
    // The prompt, then the input line: what is typed (or the default) and a "_" cursor, the end
    // of a long text kept in view as the phone keeps its cursor.
    std::string shown;
    if (noEcho) {
      for (size_t i = 0; i < entryDefault.size(); i += Hdml::CharSize(entryDefault, i)) shown += '*';
    } else {
      for (size_t i = 0; i < entryDefault.size();) {   // only what a row can show: no control bytes
        const size_t n = Hdml::CharSize(entryDefault, i);
        const unsigned char ch = static_cast<unsigned char>(entryDefault[i]);
        shown += n == 2 ? entryDefault.substr(i, 2) : std::string(1, ch < 0x20 || ch == 0x7F || Hdml::IsLead(entryDefault[i]) ? '?' : entryDefault[i]);
        i += n;
      }
    }
    screen.input = entryDefault;
    shown += '_';
    size_t from = 0;
    while (shown.size() - from > static_cast<size_t>(b.columns())) from += Hdml::CharSize(shown, from);
    screen.inputRow = static_cast<int>(screen.rows.size());
    b.Row(std::string_view(shown).substr(from), Style::Input);
  }

  int h = -1;
  if (!screen.items.empty()) {
    h = 0;
    if (screen.kind == CardKind::Choice) {
      const int n = static_cast<int>(screen.items.size());
      int byValue = -1;
      for (int i = 0; i < n && !keyDefault.empty() && byValue < 0; ++i)
        if (screen.items[static_cast<size_t>(i)].value == keyDefault) byValue = i;
      if (ikeyValue >= 1 && ikeyValue <= n) h = ikeyValue - 1;
      else if (idefault >= 1 && idefault <= n) h = idefault - 1;
      else if (byValue >= 0) h = byValue;
    }
  }
  if (!screen.acceptAction.present) screen.acceptAction = deckAccept;
  if (!screen.soft1Action.present) screen.soft1Action = deckSoft1;
  screen.soft1 = SoftLabel(screen.soft1Action.label);
  Highlight(screen, h);
  return screen;
}

std::string SoftLabel(std::string_view label) {
  // The documents allow five characters; au's phones gave the label six half-width columns.
  constexpr int kCharacters = 5, kColumns = 6;
  std::string out;
  int characters = 0;
  for (size_t i = 0; i < label.size() && characters < kCharacters;) {
    const size_t n = Hdml::CharSize(label, i);
    if (out.size() + n > static_cast<size_t>(kColumns)) break;
    const unsigned char c = static_cast<unsigned char>(label[i]);
    if (n == 1 && (c < 0x20 || c == 0x7F || Hdml::IsLead(label[i])))
      out += Hdml::IsBlank(label[i]) ? ' ' : '?';
    else
      out.append(label.substr(i, n));
    ++characters;
    i += n;
  }
  return out;
}

std::string SoftKeyRow(const Screen& screen, int columns) {
  columns = std::clamp(columns, 2, kMaxColumns);
  std::string row(static_cast<size_t>(columns), ' ');
  const std::string& soft1 = screen.soft1;
  const size_t right = soft1.size() <= static_cast<size_t>(columns) ? static_cast<size_t>(columns) - soft1.size() : 0;
  row.replace(right, soft1.size(), soft1.substr(0, static_cast<size_t>(columns)));
  // ACCEPT's label keeps to the left of SOFT1's, a blank between, never cutting a character.
  const size_t room = soft1.empty() ? static_cast<size_t>(columns) : (right > 0 ? right - 1 : 0);
  size_t n = 0;
  while (n < screen.accept.size() && n + Hdml::CharSize(screen.accept, n) <= room) n += Hdml::CharSize(screen.accept, n);
  row.replace(0, n, screen.accept.substr(0, n));
  return row;
}

std::vector<int> CharColumns(std::string_view bytes) {
  std::vector<int> columns;
  for (size_t i = 0; i < bytes.size();) {
    const size_t n = Hdml::CharSize(bytes, i);
    columns.push_back(static_cast<int>(n));
    i += n;
  }
  return columns;
}

std::string RowText(const Row& row) {
  std::string out;
  for (const Run& r : row.runs) {
    if (static_cast<int>(out.size()) < r.column) out.resize(static_cast<size_t>(r.column), ' ');
    out += r.text;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string ScreenText(const Screen& screen, int top, ScreenSize size) {
  std::string out;
  const int lines = std::max(size.lines, 1);
  for (int i = 0; i < lines; ++i) {
    const int r = top + i;
    if (r >= 0 && r < static_cast<int>(screen.rows.size())) out += RowText(screen.rows[static_cast<size_t>(r)]);
    out += "\r\n";
  }
  std::string soft = SoftKeyRow(screen, size.columns);
  while (!soft.empty() && soft.back() == ' ') soft.pop_back();
  return out + soft;
}

void Highlight(Screen& screen, int item) {
  screen.highlighted = item >= 0 && item < static_cast<int>(screen.items.size()) ? item : -1;
  std::string_view label = screen.acceptAction.label;
  if (screen.highlighted >= 0 && !screen.items[static_cast<size_t>(item)].action.label.empty())
    label = screen.items[static_cast<size_t>(item)].action.label;
  screen.accept = SoftLabel(label.empty() ? "OK"sv : label);
}

void Move(Screen& screen, int lines, int delta, int& top) {
  lines = std::max(lines, 1);
  const int rows = static_cast<int>(screen.rows.size());
  const int maxTop = std::max(0, rows - lines);
  top = std::clamp(top, 0, maxTop);
  const int n = static_cast<int>(screen.items.size());
  const int next = screen.highlighted + (delta > 0 ? 1 : -1);
  if (n > 0 && next >= 0 && next < n) {
    const Item& it = screen.items[static_cast<size_t>(next)];
    const bool reachable = delta > 0 ? it.firstRow <= top + lines : it.lastRow >= top - 1;
    if (reachable) {
      Highlight(screen, next);
      if (delta > 0) top = std::max(top, std::min(it.lastRow, it.firstRow + lines - 1) - lines + 1);
      else top = std::min(top, it.firstRow);
      top = std::clamp(top, 0, maxTop);
      return;
    }
  }
  top = std::clamp(top + (delta > 0 ? 1 : -1), 0, maxTop);
}

}  // namespace Preview
