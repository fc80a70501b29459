#include "check/logic/HdmlCheck.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <cstring>

#include "check/logic/DialogVocabulary.h"

namespace HdmlCheck {
namespace {

using namespace std::string_view_literals;

// cp932 lead bytes. Every byte that the checker looks for (< > " ' & $ = blanks and line ends)
// lies below 0x40, where no trail byte does, so searching for those bytes one by one is safe;
// only letters and "\" can be trail bytes.
bool IsLead(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
// One table lookup per byte in the scanning loops.
enum CharClass : unsigned char {
  kSpace = 1, kLetter = 2, kDigit = 4, kNamePunct = 8,
  kAttrStop = 16,    // ends an attribute name
  kAmp = 32, kDollar = 64,   // noted while a value is read
  kValueStop = 128   // may end a quoted value: a quote or a line end
};
struct CharClasses {
  unsigned char of[256] = {};
  constexpr CharClasses() {
    for (char c : {' ', '\t', '\r', '\n'}) of[static_cast<unsigned char>(c)] |= kSpace | kAttrStop;
    for (int c = 'A'; c <= 'Z'; ++c) of[c] |= kLetter, of[c + 'a' - 'A'] |= kLetter;
    for (int c = '0'; c <= '9'; ++c) of[c] |= kDigit;
    for (char c : {'-', '_', '.', ':'}) of[static_cast<unsigned char>(c)] |= kNamePunct;
    for (char c : {'=', '<', '>', '"', '\''}) of[static_cast<unsigned char>(c)] |= kAttrStop;
    for (char c : {'"', '\'', '\r', '\n'}) of[static_cast<unsigned char>(c)] |= kValueStop;
    of[static_cast<unsigned char>('&')] |= kAmp;
    of[static_cast<unsigned char>('$')] |= kDollar;
  }
};
constexpr CharClasses kClasses;
unsigned ClassOf(char c) { return kClasses.of[static_cast<unsigned char>(c)]; }
bool Is(char c, unsigned mask) { return (ClassOf(c) & mask) != 0; }
bool IsSpace(char c) { return Is(c, kSpace); }
bool IsLetter(char c) { return Is(c, kLetter); }
bool IsDigit(char c) { return Is(c, kDigit); }
bool IsNameChar(char c) { return Is(c, kLetter | kDigit | kNamePunct); }
struct UpperCase {
  char of[256] = {};
  constexpr UpperCase() {
    for (int c = 0; c < 256; ++c) of[c] = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  }
};
constexpr UpperCase kUpper;
char Upper(char c) { return kUpper.of[static_cast<unsigned char>(c)]; }

inline bool Same(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return true;
}

// Names are ASCII by construction (IsNameChar), so they widen one to one.
std::wstring Wide(std::string_view ascii) {
  std::wstring w;
  for (char c : ascii) w += static_cast<wchar_t>(Upper(c));
  return w;
}

enum class Kind {
  Deck,     // HDML
  Card,     // DISPLAY, NODISPLAY, CHOICE, ENTRY
  Entry,    // CE: only in CHOICE, its end tag optional
  Action,   // before the deck's first card, or at the top of a card
  Link,     // A: text of a card, with an end tag
  Inline,   // CENTER, RIGHT, B, I: text of a card
  Image,    // IMG: text of a card, no end tag
  LineMark  // BR, LINE, WRAP, TAB: text of a card that starts a line or a column, no end tag
};

// Elements that never take an end tag; the phone ignores one written anyway.
bool Void(Kind k) { return k == Kind::Action || k == Kind::Image || k == Kind::LineMark; }

// The attributes whose values the checker reads.
enum class Role { Other, Vars, PostData, Ttl, Name, Dest, Next, Cancel, Bookmark, Src, Image, Label, Boolean, Type };

// Values that are a URL or URL data, where "&name=" separates query parameters.
bool IsUrl(Role r) {
  return r == Role::Vars || r == Role::PostData || r == Role::Dest || r == Role::Next || r == Role::Cancel ||
         r == Role::Bookmark || r == Role::Src || r == Role::Image;
}

constexpr size_t kMaxAttributes = 128;

struct ElementDef {
  std::string_view name;
  Kind kind;
  std::vector<std::string> attributes;   // upper case
  std::bitset<kMaxAttributes> takes{};   // by attribute number (Vocabulary)
  size_t index = 0;                      // in the vocabulary's element list
};

// Every element and attribute name the checker knows, found by one hash of the name's letters in
// any case: per tag and attribute the lookup costs the same whatever the tables hold.
class Vocabulary {
public:
  struct Word {
    std::string name;
    const ElementDef* element = nullptr;
    int attribute = -1;
    Role role = Role::Other;
  };

  Vocabulary() {
    BuildElements();
    for (ElementDef& e : m_elements) {
      e.index = static_cast<size_t>(&e - m_elements.data());
      Add(e.name).element = &e;
    }
    static constexpr struct { std::string_view name; Role role; } kRoles[] = {
        {"VARS", Role::Vars},       {"POSTDATA", Role::PostData}, {"TTL", Role::Ttl},
        {"NAME", Role::Name},       {"DEST", Role::Dest},         {"NEXT", Role::Next},
        {"CANCEL", Role::Cancel},   {"BOOKMARK", Role::Bookmark}, {"SRC", Role::Src},
        {"LABEL", Role::Label},     {"MARKABLE", Role::Boolean},  {"PUBLIC", Role::Boolean},
        {"NOECHO", Role::Boolean},  {"EMPTYOK", Role::Boolean},   {"CLEAR", Role::Boolean},
        {"FRIEND", Role::Boolean},  {"IMAGE", Role::Image},       {"TYPE", Role::Type},
        {"GO", Role::Dest}};   // the 2.0 form of TASK=GO DEST=
    for (const auto& r : kRoles) Add(r.name).role = r.role;
    for (ElementDef& e : m_elements) {
      for (const std::string& a : e.attributes) {
        Word& w = Add(a);
        if (w.attribute < 0) w.attribute = m_attributes++;
        if (w.attribute < static_cast<int>(kMaxAttributes)) e.takes.set(static_cast<size_t>(w.attribute));
      }
    }
  }

  // The hash of a name in any letter case, one character at a time (the scanners hash a name
  // while they find its end).
  static size_t Step(size_t h, char c) { return (h ^ static_cast<unsigned char>(Upper(c))) * 16777619u; }
  static constexpr size_t kHashStart = 2166136261u;
  static size_t Hash(std::string_view name) {
    size_t h = kHashStart;
    for (char c : name) h = Step(h, c);
    return h;
  }

  // `hash` is Hash(name).
  const Word* Find(std::string_view name, size_t hash) const {
    if (name.size() > kLongest) return nullptr;
    for (size_t slot = hash & kMask;; slot = (slot + 1) & kMask) {
      if (m_slots[slot] < 0) return nullptr;
      const Word& w = m_words[static_cast<size_t>(m_slots[slot])];
      if (w.name.size() == name.size() && std::equal(name.begin(), name.end(), w.name.begin(),
                                                     [](char a, char upper) { return Upper(a) == upper; }))
        return &w;
    }
  }

  size_t ElementCount() const { return m_elements.size(); }

  // Whether the element takes the attribute; an attribute the table cannot number is taken.
  static bool Takes(const ElementDef& e, const Word* w) {
    if (!w || w->attribute < 0) return false;
    return w->attribute >= static_cast<int>(kMaxAttributes) || e.takes.test(static_cast<size_t>(w->attribute));
  }

private:
  static constexpr size_t kSlots = 512, kMask = kSlots - 1, kLongest = 32;

  // Words are kept in upper case.
  Word& Add(std::string_view name) {
    if (const Word* w = Find(name, Hash(name))) return const_cast<Word&>(*w);
    size_t slot = Hash(name) & kMask;
    while (m_slots[slot] >= 0) slot = (slot + 1) & kMask;
    m_slots[slot] = static_cast<int>(m_words.size());
    m_words.push_back({std::string(name)});
    return m_words.back();
  }

  // Where the HDML documents agree or the phones' 3.x dialect adds (REL, LABEL on CE), what
  // served decks used (au's METHOD=POST with POSTDATA, ACCESSKEY on links, the 2.0 GO= and
  // CALL=), plus what Tolvane's dialogs write for the same element.
  void BuildElements() {
    const std::vector<std::string> task = {"TASK",   "DEST",        "VARS",   "RECEIVE", "RETVALS",  "NEXT",
                                           "CANCEL", "SENDREFERER", "FRIEND", "CLEAR",   "NUMBER",   "REL",
                                           "METHOD", "POSTDATA",    "GO",     "CALL"};
    const std::vector<std::string> card = {"NAME", "TITLE", "BOOKMARK", "MARKABLE"};
    const auto join = [](std::vector<std::string> a, const std::vector<std::string>& b) {
      for (const std::string& s : b)
        if (std::find(a.begin(), a.end(), s) == a.end()) a.push_back(s);
      return a;
    };
    const DialogVocabulary& d = DialogTags();
    const auto cardWith = [&](std::vector<std::string> own) { return join(join(card, own), d.card); };
    m_elements = {
        {"HDML", Kind::Deck, join({"VERSION", "TTL", "PUBLIC", "ACCESSDOMAIN", "ACCESSPATH", "MARKABLE"}, d.deck)},
        {"DISPLAY", Kind::Card, cardWith({})},
        {"NODISPLAY", Kind::Card, cardWith({})},
        {"CHOICE", Kind::Card, cardWith({"METHOD", "KEY", "IKEY", "DEFAULT", "IDEFAULT"})},
        {"ENTRY", Kind::Card, cardWith({"FORMAT", "NOECHO", "EMPTYOK", "KEY", "DEFAULT"})},
        {"CE", Kind::Entry, join(join({"VALUE", "LABEL"}, task), d.ce)},
        {"ACTION", Kind::Action, join(join({"TYPE", "LABEL", "IMAGE"}, task), d.action)},
        {"A", Kind::Link, join(join({"LABEL", "ACCESSKEY"}, task), d.link)},
        {"IMG", Kind::Image, join({"SRC", "ALT", "NAME"}, d.img)},
        {"CENTER", Kind::Inline, {}},
        {"RIGHT", Kind::Inline, {}},
        {"B", Kind::Inline, {}},
        {"I", Kind::Inline, {}},
        {"BR", Kind::LineMark, {}},
        {"LINE", Kind::LineMark, {}},
        {"WRAP", Kind::LineMark, {}},
        {"TAB", Kind::LineMark, {}},
    };
  }

  std::vector<ElementDef> m_elements;   // never resized after construction: Words point into it
  std::vector<Word> m_words;
  std::array<int, kSlots> m_slots = Filled();
  int m_attributes = 0;
  static std::array<int, kSlots> Filled() {
    std::array<int, kSlots> a;
    a.fill(-1);
    return a;
  }
};

const Vocabulary& Words() {
  static const Vocabulary vocabulary;
  return vocabulary;
}

// What a "&" at the start of `s` begins: `length` bytes, `sound` when it is a reference with its
// ";" (`&name;`, `&#code;`) or, in a URL value (`url`), a "&name=" that separates query parameters,
// as served decks wrote their links. Any other "&" makes the deck invalid on the phone.
struct Ampersand {
  size_t length;
  bool sound;
};
Ampersand ReadAmpersand(std::string_view s, bool url) {
  const auto queryNameChar = [](char c) { return c == '_' || c == '-' || c == '.' || c == '%'; };
  size_t r = 1;
  const bool numeric = r < s.size() && s[r] == '#';
  const size_t name = r += numeric;
  while (r < s.size() && (IsLetter(s[r]) || IsDigit(s[r]) || (url && queryNameChar(s[r])))) ++r;
  const bool ends = r > name && r < s.size();
  return {r, ends && (s[r] == ';' || (url && !numeric && s[r] == '='))};
}

// The length of the variable reference at the start of `s` ("$name", "$(name)", "$(name:esc)"),
// 0 when its "$" starts none. A name begins with a letter or "_" and goes on with letters, digits
// and "_" (in parentheses also "-" and "."). Any other "$" is substituted all the same ("$2.50"
// shows ".50"): it is written "&dol;".
size_t VariableLength(std::string_view s) {
  const auto nameStart = [](char c) { return IsLetter(c) || c == '_'; };
  const auto nameChar = [](char c) { return IsLetter(c) || IsDigit(c) || c == '_'; };
  const size_t n = s.size();
  size_t r = 1;
  if (r < n && nameStart(s[r])) {
    while (r < n && nameChar(s[r])) ++r;
    return r;
  }
  if (r >= n || s[r] != '(' || ++r >= n || !nameStart(s[r])) return 0;
  while (r < n && (nameChar(s[r]) || s[r] == '-' || s[r] == '.')) ++r;
  if (r < n && s[r] == ':')
    for (++r; r < n && IsLetter(s[r]);) ++r;
  return r < n && s[r] == ')' ? r + 1 : 0;
}

bool Tracked(Kind k) { return k == Kind::Deck || k == Kind::Card || k == Kind::Link; }

struct Attribute {
  size_t nameBegin = 0, nameEnd = 0;
  size_t valueBegin = 0, valueEnd = 0;   // inside the quotes
  size_t end = 0;                        // after the value and its closing quote
  bool hasValue = false;
  size_t hash = 0;                       // of the name (Vocabulary::Hash)
  unsigned classes = 0;                  // of the value's bytes, or-ed (kAmp, kDollar)
};

class Checker {
public:
  explicit Checker(std::string_view text) : t(text), n(text.size()), m_open(m_words.ElementCount(), 0) {}

  std::vector<Problem> Run() {
    size_t textFrom = 0;
    for (size_t p = 0;;) {
      const size_t q = Find('<', p, n);
      if (q >= n) {
        Text(textFrom, n);
        break;
      }
      if (!IsMarkup(q)) {   // a "<" that starts no tag is text
        p = q + 1;
        continue;
      }
      Text(textFrom, q);
      p = textFrom = Markup(q);
    }
    Finish();
    return std::move(m_problems);
  }

private:
  struct Frame {
    const ElementDef* el;
    size_t begin, end;   // its start tag
    long card;           // index of the card frame it belongs to, -1 for none
    bool text = false;   // the card has text (so no ACTION may follow)
    bool textReported = false;
    // CHOICE: a "</CE>" closed the last entry and no "<CE>" has opened the next; text there
    // belongs to no entry (reported once per gap).
    bool betweenEntries = false, strayReported = false;
  };
  enum class DeckState { Before, Open, After };

  const Vocabulary& m_words = Words();
  std::string_view t;
  size_t n;
  std::vector<Problem> m_problems;
  std::vector<Frame> m_stack;
  std::vector<int> m_open;   // open frames per element, so that an end tag finds its start at once
  DeckState m_deck = DeckState::Before;
  bool m_deckHasCard = false;
  bool m_outside = false;
  size_t m_outsideBegin = 0, m_outsideEnd = 0;
  size_t m_firstBegin = std::string_view::npos, m_firstEnd = 0;
  // Card names and "#name" destinations, matched once the whole text is read.
  // The value's bytes [begin, end) (a destination's name follows its "#"), and for a destination
  // the attribute that holds it.
  struct Ref {
    size_t begin, end;
    uint64_t hash;
    const Vocabulary::Word* attribute = nullptr;
  };
  std::string_view NameOf(const Ref& r) const {
    const size_t from = r.attribute ? r.begin + 1 : r.begin;
    return View(from, r.end);
  }
  // Bytes [b, e) of the text; b <= e <= n.
  std::string_view View(size_t b, size_t e) const { return std::string_view(t.data() + b, e - b); }
  static uint64_t Hash(std::string_view s) {   // FNV-1a
    uint64_t h = 14695981039346656037ull;
    for (char c : s) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
  }
  std::vector<Ref> m_cardNames, m_refs;
  std::vector<Attribute> m_attributes;   // of the tag being read; kept for its capacity

  const ElementDef* Element(std::string_view name, size_t hash) const {
    const Vocabulary::Word* w = m_words.Find(name, hash);
    return w ? w->element : nullptr;
  }

  void Add(size_t begin, size_t end, Severity s, std::string_view rule, std::wstring message) {
    Problem p;
    p.begin = begin;
    p.end = std::max(begin, end);
    p.severity = s;
    p.rule = rule;
    p.message = std::move(message);
    m_problems.push_back(std::move(p));
  }
  void Error(size_t b, size_t e, std::string_view rule, std::wstring m) { Add(b, e, Severity::Error, rule, std::move(m)); }
  void Warn(size_t b, size_t e, std::string_view rule, std::wstring m) { Add(b, e, Severity::Warning, rule, std::move(m)); }

  // The first `c` in [from, to), or `to`. The text between two tags is mostly a few bytes: they
  // are looked at one by one before the library's search is called.
  size_t Find(char c, size_t from, size_t to) const {
    const size_t near = std::min(to, from + 16);
    for (; from < near; ++from)
      if (t[from] == c) return from;
    if (from >= to) return to;
    const void* at = std::memchr(t.data() + from, c, to - from);
    return at ? static_cast<size_t>(static_cast<const char*>(at) - t.data()) : to;
  }

  // "<!--" or "<--" at q (a "<").
  size_t CommentBody(size_t q) const {
    if (q + 3 < n && t[q + 1] == '!' && t[q + 2] == '-' && t[q + 3] == '-') return q + 4;
    if (q + 2 < n && t[q + 1] == '-' && t[q + 2] == '-') return q + 3;
    return 0;
  }
  size_t TrimEnd(size_t from, size_t to) const {
    while (to > from && IsSpace(t[to - 1])) --to;
    return to;
  }

  bool IsMarkup(size_t q) const {
    if (q + 1 >= n) return false;
    if (CommentBody(q)) return true;
    if (t[q + 1] == '/') return q + 2 < n && IsLetter(t[q + 2]);
    return IsLetter(t[q + 1]);
  }

  size_t Markup(size_t q) {
    if (const size_t body = CommentBody(q)) return Comment(q, body);
    if (t[q + 1] == '/') return EndTag(q);
    return StartTag(q);
  }

  // Comments count as white space.
  size_t Comment(size_t q, size_t body) {
    const size_t close = t.find("-->", body);
    if (close != std::string_view::npos) return close + 3;
    Error(q, body, "tag-open", L"コメントが \"-->\" で閉じられていません。");
    return n;
  }

  // Each "&" and "$" in [b, e).
  void Marks(size_t b, size_t e, bool url) {
    for (size_t i = FindMark(b, e); i < e; i = FindMark(i, e))
      i = t[i] == '&' ? Reference(i, e, url) : Dollar(i, e);
  }
  // The first "&" or "$" in [i, e), or `e`; eight bytes at a time. "$" (0x24) and "&" (0x26)
  // differ only in bit 1: a byte is one of them when, that bit cleared, it is 0x24.
  size_t FindMark(size_t i, size_t e) const {
    constexpr uint64_t kOnes = 0x0101010101010101ull, kHigh = kOnes * 0x80;
    for (uint64_t w; i + 8 <= e; i += 8) {
      std::memcpy(&w, t.data() + i, 8);
      const uint64_t x = (w & ~(kOnes * 2)) ^ (kOnes * 0x24);   // a zero byte where a mark is
      if ((x - kOnes) & ~x & kHigh) break;
    }
    while (i < e && (static_cast<unsigned char>(t[i]) & 0xFD) != 0x24) ++i;
    return i;
  }
  // The "&" at `a`, the "$" at `d`, in a run that ends at `e`; each returns where to look on.
  size_t Reference(size_t a, size_t e, bool url) {
    const Ampersand amp = ReadAmpersand(View(a, e), url);
    if (!amp.sound)
      Error(a, a + amp.length, "entity", L"文字参照 \"&…;\" の \";\" がありません (\"&\" そのものは \"&amp;\" と書きます)。");
    return a + amp.length;
  }
  size_t Dollar(size_t d, size_t e) {
    const size_t length = VariableLength(View(d, e));
    if (length == 0) Warn(d, d + 1, "dollar", L"\"$\" の後に変数名がありません (\"$\" そのものは \"&dol;\" と書きます)。");
    return d + std::max<size_t>(length, 1);
  }

  void Text(size_t b, size_t e) {
    while (b < e && IsSpace(t[b])) ++b;
    if (b == e) return;   // most runs between tags: a line end and an indent
    e = TrimEnd(b, e);
    Marks(b, e, false);
    Content(b, e, nullptr);
  }

  void Outside(size_t b, size_t e) {
    if (m_firstBegin == std::string_view::npos) {
      m_firstBegin = b;
      const void* cr = std::memchr(t.data() + b, '\r', e - b);
      m_firstEnd = cr ? static_cast<size_t>(static_cast<const char*>(cr) - t.data()) : e;
    }
    if (!m_outside) m_outsideBegin = b;
    m_outside = true;
    m_outsideEnd = e;
  }

  void FlushOutside() {
    if (m_outside)
      Error(m_outsideBegin, m_outsideEnd, "deck", L"<HDML> ～ </HDML> の外に文字やタグがあります。");
    m_outside = false;
  }

  long CardOfTop() const {
    if (m_stack.empty()) return -1;
    const Frame& top = m_stack.back();
    return top.el->kind == Kind::Card ? static_cast<long>(m_stack.size() - 1) : top.card;
  }

  // Text, or an element that belongs to a card's text (el; nullptr for text itself).
  void Content(size_t b, size_t e, const ElementDef* el) {
    if (m_deck != DeckState::Open) return Outside(b, e);
    if (m_stack.back().el->kind == Kind::Deck) {
      Error(b, e, "place",
            el ? L"<" + Wide(el->name) + L"> はカードの中にしか置けません。" : L"カードの外に本文があります。");
      return;
    }
    const long card = CardOfTop();
    if (card < 0) return;   // inside a link that is itself misplaced: reported there
    Frame& c = m_stack[static_cast<size_t>(card)];
    c.text = true;
    if (c.betweenEntries && !c.strayReported) {
      c.strayReported = true;
      Error(b, e, "place", L"<CHOICE> の中で </CE> の後の本文はどの <CE> にも属しません。");
    }
    if (c.el->name == "NODISPLAY"sv && !c.textReported) {
      c.textReported = true;
      Error(b, e, "nodisplay-text", L"<NODISPLAY> カードには本文を置けません (ACTION だけです)。");
    }
  }

  void Push(const ElementDef* el, size_t b, size_t e) {
    Frame f{el, b, e, CardOfTop()};
    m_stack.push_back(f);
    ++m_open[el->index];
  }

  // Pops the top frame; `matched`: by its own end tag.
  void Pop(bool matched) {
    const Frame f = m_stack.back();
    m_stack.pop_back();
    --m_open[f.el->index];
    if (!matched) {
      const std::wstring name = Wide(f.el->name);
      Error(f.begin, f.end, "end-missing", L"<" + name + L"> の終了タグ </" + name + L"> がありません。");
    }
    if (m_stack.empty()) {   // the deck itself
      m_deck = DeckState::After;
      if (!m_deckHasCard) Error(f.begin, f.end, "no-card", L"デッキにカードがありません。");
    }
  }

  // Reads the attributes from `q` (after the element name) to the closing ">". Returns the
  // position after the tag; `closed` false when a "<" or the end of the text came first.
  size_t ReadAttributes(size_t q, bool& closed) {
    m_attributes.clear();
    closed = false;
    for (;;) {
      while (q < n && IsSpace(t[q])) ++q;
      if (q >= n) return n;
      const char c = t[q];
      if (c == '>') return closed = true, q + 1;
      if (c == '/' && q + 1 < n && t[q + 1] == '>') return closed = true, q + 2;
      if (c == '<') return q;
      size_t r = q, hash = Vocabulary::kHashStart;
      for (; r < n && !Is(t[r], kAttrStop); ++r) {
        hash = Vocabulary::Step(hash, t[r]);
        if (IsLead(t[r]) && r + 1 < n) hash = Vocabulary::Step(hash, t[++r]);
      }
      if (r == q) {   // a stray "=" or quote
        ++q;
        continue;
      }
      Attribute a;
      a.hash = hash;
      a.nameBegin = q;
      a.nameEnd = a.end = q = r;
      if (r < n && t[r] == '=') {
        a.hasValue = true;
        const size_t v = r + 1;
        if (v < n && (t[v] == '"' || t[v] == '\'')) {
          size_t s = v + 1;
          for (; s < n; ++s) {
            const unsigned c = ClassOf(t[s]);
            if ((c & kValueStop) && (t[s] == t[v] || t[s] == '\r' || t[s] == '\n')) break;
            a.classes |= c;
          }
          if (s < n && t[s] == t[v]) {
            a.valueBegin = v + 1;
            a.valueEnd = s;
            a.end = q = s + 1;
          } else {
            // Never closed on its line: the tag is taken to end at the line's first ">" after
            // the quote, so that one slip gives one problem.
            const void* gt = std::memchr(t.data() + v, '>', s - v);
            const size_t stop = gt ? static_cast<size_t>(static_cast<const char*>(gt) - t.data()) : s;
            Error(v, stop, "quote", L"属性値の引用符 (" + std::wstring(1, static_cast<wchar_t>(t[v])) +
                                        L") が閉じられていません。");
            a.valueBegin = v + 1;
            a.valueEnd = a.end = stop;
            m_attributes.push_back(a);
            closed = true;
            return gt ? stop + 1 : stop;
          }
        } else {
          size_t s = v;
          for (; s < n && !IsSpace(t[s]) && t[s] != '>' && t[s] != '<'; ++s) a.classes |= ClassOf(t[s]);
          a.valueBegin = v;
          a.valueEnd = a.end = q = s;
        }
      }
      m_attributes.push_back(a);
    }
  }

  size_t StartTag(size_t q) {
    size_t r = q + 1, hash = Vocabulary::kHashStart;
    for (; r < n && IsNameChar(t[r]); ++r) hash = Vocabulary::Step(hash, t[r]);
    const std::string_view name = View(q + 1, r);
    bool closed = false;
    const size_t e = ReadAttributes(r, closed);
    if (!closed) Error(q, TrimEnd(q, e), "tag-open", L"タグ <" + Wide(name) + L" が \">\" で閉じられていません。");
    const ElementDef* el = Element(name, hash);
    if (!el) {
      Error(q, e, "element", L"<" + Wide(name) + L"> という要素は HDML にありません。");
      if (m_deck != DeckState::Open) Outside(q, e);
      return e;
    }
    bool typed = false;
    for (const Attribute& a : m_attributes) typed |= CheckAttribute(*el, a) == Role::Type;
    if (el->kind == Kind::Action && !typed)
      Warn(q, e, "action-type", L"<ACTION> に TYPE がありません (どのキーにも割り当てられません)。");
    Place(el, q, e);
    return e;
  }

  void Place(const ElementDef* el, size_t q, size_t e) {
    switch (el->kind) {
      case Kind::Deck:
        if (m_deck == DeckState::Before) {
          FlushOutside();
          m_deck = DeckState::Open;
          Push(el, q, e);
        } else if (m_deck == DeckState::Open) {
          // Served decks wrote "<HDML>" where "</HDML>" was meant: the deck stays the one that
          // is open, so that the slip gives this problem and the missing end tag, no more.
          Error(q, e, "place", L"<HDML> の中に <HDML> は置けません。");
        } else {
          Outside(q, e);
        }
        return;
      case Kind::Card:
        if (m_deck != DeckState::Open) return Outside(q, e);
        if (m_stack.back().el->kind == Kind::Deck && m_stack.size() == 1)
          m_deckHasCard = true;
        else
          Error(q, e, "place", L"<" + Wide(el->name) + L"> カードはデッキ (<HDML>) の直下にしか置けません。");
        Push(el, q, e);
        return;
      case Kind::Entry:
        if (m_deck != DeckState::Open) return Outside(q, e);
        if (m_stack.back().el->name == "CHOICE"sv)
          m_stack.back().text = true, m_stack.back().betweenEntries = false;
        else
          Error(q, e, "place", L"<CE> は <CHOICE> カードの中にしか置けません。");
        return;
      case Kind::Action: {
        if (m_deck != DeckState::Open) return Outside(q, e);
        const Frame& top = m_stack.back();
        const bool fits = top.el->kind == Kind::Deck ? !m_deckHasCard : top.el->kind == Kind::Card && !top.text;
        if (!fits)
          Error(q, e, "place", L"<ACTION> はデッキの最初のカードより前か、カードの本文より前にしか置けません。");
        return;
      }
      case Kind::Link:
        Content(q, e, el);
        if (m_deck == DeckState::Open) Push(el, q, e);
        return;
      case Kind::Inline:
      case Kind::Image:
      case Kind::LineMark:
        Content(q, e, el);
        return;
    }
  }

  size_t EndTag(size_t q) {
    size_t r = q + 2, hash = Vocabulary::kHashStart;
    for (; r < n && IsNameChar(t[r]); ++r) hash = Vocabulary::Step(hash, t[r]);
    const std::string_view name = View(q + 2, r);
    while (r < n && t[r] != '>' && t[r] != '<') ++r;
    const bool closed = r < n && t[r] == '>';
    const size_t e = closed ? r + 1 : r;
    if (!closed) Error(q, TrimEnd(q, e), "tag-open", L"タグ </" + Wide(name) + L" が \">\" で閉じられていません。");
    const ElementDef* el = Element(name, hash);
    if (!el) {
      Error(q, e, "element", L"</" + Wide(name) + L"> という要素は HDML にありません。");
    } else if (Void(el->kind)) {
      Warn(q, e, "end-void", L"<" + Wide(el->name) + L"> には終了タグがありません (端末は無視します)。");
    }
    if (m_deck != DeckState::Open) {
      Outside(q, e);
      return e;
    }
    if (el && el->kind == Kind::Entry && m_stack.back().el->name == "CHOICE"sv)
      m_stack.back().betweenEntries = true, m_stack.back().strayReported = false;
    if (!el || !Tracked(el->kind)) return e;
    if (m_open[el->index] == 0) {
      Error(q, e, "end-misnested", L"</" + Wide(el->name) + L"> に対応する開始タグが開いていません。");
      return e;
    }
    while (m_stack.back().el != el) Pop(false);
    Pop(true);
    return e;
  }

  // Returns the attribute's role.
  Role CheckAttribute(const ElementDef& el, const Attribute& a) {
    const std::string_view name = View(a.nameBegin, a.nameEnd);
    const Vocabulary::Word* word = m_words.Find(name, a.hash);
    if (!Vocabulary::Takes(el, word))
      Warn(a.nameBegin, a.end, "attribute",
           L"<" + Wide(el.name) + L"> は属性 " + Wide(name) + L" を取りません (端末は無視します)。");
    const Role role = word ? word->role : Role::Other;
    if (!a.hasValue) return role;
    const std::string_view v = View(a.valueBegin, a.valueEnd);
    // A variable's value is known only on the phone.
    const bool variable = (a.classes & kDollar) != 0;
    // The value itself, or the whole attribute when the value is empty.
    const size_t vb = v.empty() ? a.nameBegin : a.valueBegin, ve = v.empty() ? a.end : a.valueEnd;
    if (a.classes & (kAmp | kDollar)) Marks(a.valueBegin, a.valueEnd, IsUrl(role));
    if (role == Role::Ttl && !variable && (v.empty() || !std::all_of(v.begin(), v.end(), IsDigit)))
      Error(vb, ve, "ttl", L"TTL は秒数を数字だけで書きます (符号や小数点は使えません)。");
    if (role == Role::Boolean && !variable && !Same(v, "TRUE"sv) && !Same(v, "FALSE"sv))
      Error(vb, ve, "boolean", Wide(name) + L" の値は TRUE か FALSE です。");
    if (el.kind == Kind::Card && role == Role::Name) {
      if (v.empty())
        Warn(vb, ve, "name", L"カード名 (NAME) が空です。");
      else if (!variable)
        m_cardNames.push_back({vb, ve, Hash(v)});
    }
    if ((role == Role::Dest || role == Role::Next || role == Role::Cancel || role == Role::Bookmark) &&
        v.size() > 1 && v[0] == '#' && !variable)
      m_refs.push_back({vb, ve, Hash(v.substr(1)), word});
    if (role == Role::Dest || role == Role::Src) {
      if (v.empty())
        Warn(vb, ve, "dest", Wide(name) + L" が空です。");
      else if (!variable && IsLocalPath(v))
        Warn(vb, ve, "dest", Wide(name) + L" がこのパソコンの中のパスです (端末からは届きません)。");
    }
    if (role == Role::Label && (el.kind == Kind::Action || el.kind == Kind::Entry || el.kind == Kind::Link) &&
        !variable && Characters(v) > 5)
      Warn(vb, ve, "label", L"ソフトキーのラベル (LABEL) が 5 文字を超えています (端末によっては切れます)。");
    return role;
  }

  // Characters as the phone shows them: a double-byte character and a reference each count one.
  static size_t Characters(std::string_view v) {
    size_t count = 0;
    for (size_t i = 0; i < v.size(); ++count) {
      if (IsLead(v[i])) {
        i += 2;
      } else if (v[i] == '&') {
        size_t j = i + 1;
        while (j < v.size() && (IsLetter(v[j]) || IsDigit(v[j]) || v[j] == '#')) ++j;
        i = j < v.size() && v[j] == ';' ? j + 1 : i + 1;
      } else {
        ++i;
      }
    }
    return count;
  }

  // A drive path (C:\ or C:/), a UNC path, a file: URL, or anything with a backslash, which no
  // URL holds.
  static bool IsLocalPath(std::string_view v) {
    if (v.size() >= 2 && IsLetter(v[0]) && v[1] == ':') return true;
    if (v.size() >= 5 && Same(v.substr(0, 5), "file:"sv)) return true;
    for (size_t i = 0; i < v.size(); i += IsLead(v[i]) ? 2 : 1)
      if (v[i] == '\\') return true;
    return false;
  }

  void Finish() {
    while (!m_stack.empty()) Pop(false);
    if (m_deck == DeckState::Before) {
      const size_t b = m_firstBegin == std::string_view::npos ? 0 : m_firstBegin;
      Error(b, m_firstBegin == std::string_view::npos ? 0 : m_firstEnd, "deck",
            L"<HDML> 要素がありません。デッキ全体を <HDML> と </HDML> で囲みます。");
    } else {
      FlushOutside();
    }
    MatchNames();
    std::stable_sort(m_problems.begin(), m_problems.end(),
                     [](const Problem& a, const Problem& b) { return a.begin < b.begin; });
    Locate();
  }

  // A name used before warns at each later card; a destination warns when no card has its name.
  // One open-addressed table of the names in text order, so that the first of equal names stays.
  void MatchNames() {
    size_t slots = 16;
    while (slots < 2 * m_cardNames.size()) slots <<= 1;
    std::vector<uint32_t> table(slots, UINT32_MAX);
    // The slot holding `r`'s name, or the empty slot where it would go.
    const auto slotOf = [&](const Ref& r) {
      size_t at = r.hash & (slots - 1);
      while (table[at] != UINT32_MAX &&
             (m_cardNames[table[at]].hash != r.hash || NameOf(m_cardNames[table[at]]) != NameOf(r)))
        at = (at + 1) & (slots - 1);
      return at;
    };
    for (size_t i = 0; i < m_cardNames.size(); ++i) {
      const size_t at = slotOf(m_cardNames[i]);
      if (table[at] == UINT32_MAX)
        table[at] = static_cast<uint32_t>(i);
      else
        Warn(m_cardNames[i].begin, m_cardNames[i].end, "name", L"同じカード名 (NAME) がこのデッキにもう一つあります。");
    }
    for (const Ref& r : m_refs)
      if (table[slotOf(r)] == UINT32_MAX)
        Warn(r.begin, r.end, "dest-card", Wide(r.attribute->name) + L" の指す名前のカードがこのデッキにありません。");
  }

  // Line and column of each problem's first byte, in one walk over the text.
  void Locate() {
    size_t pos = 0;
    long line = 1, column = 1;
    for (Problem& p : m_problems) {
      while (pos < p.begin && pos < n) {
        if (t[pos] == '\r' && pos + 1 < n && t[pos + 1] == '\n') {
          pos += 2;
          ++line;
          column = 1;
        } else {
          pos += IsLead(t[pos]) ? 2 : 1;
          ++column;
        }
      }
      p.line = line;
      p.column = column;
    }
  }
};

}  // namespace

std::vector<Problem> Check(std::string_view bytes) { return Checker(bytes).Run(); }

std::wstring_view SeverityText(Severity s) { return s == Severity::Error ? L"エラー" : L"注意"; }

}  // namespace HdmlCheck
