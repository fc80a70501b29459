// The one reader of an HDML deck: the editor's bytes (cp932) in, the deck's parts in the order of
// the text out: start tags with their attributes, end tags, text and comments, each with its byte
// range. It reads only the lexical layer: what a tag is, where it ends, which bytes are a name
// and which a value. What the parts mean (which element may stand where, which attribute a tag
// takes) is for its readers: the checker, the preview.
//
// Shapes that phones were really served are read as the phone's gateway read them: names in any
// letter case, values quoted with " or ' or not at all (`<a task=go dest=#top>`), a bare "&" in a
// query string (the reader never decodes references), comments as "<!-- -->" and as the older
// "<-- -->". A Shift_JIS trail byte is never one of the bytes that delimit markup (< > " ' = and
// blanks all lie below 0x40, every trail byte at or above it), so markup is found byte by byte
// and a lone lead byte never hides the ">" after it. A trail byte can look like a letter or "\":
// readers that judge characters (a value's length, a path's backslash) step by CharSize.
//
// Every byte of the text belongs to exactly one part, the parts follow each other without gap,
// and the whole read is linear in the text, whatever the bytes (NULs, lone lead bytes included).
#pragma once
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

namespace Hdml {

// Bytes [begin, end) of the text.
struct Span {
  size_t begin = 0, end = 0;
  size_t size() const { return end - begin; }
  bool empty() const { return end == begin; }
  friend bool operator==(const Span&, const Span&) = default;
};

inline std::string_view View(std::string_view text, Span s) { return text.substr(s.begin, s.size()); }

enum class PartKind : uint8_t {
  Text,       // bytes between markup, blanks and line ends included; a "<" that starts no tag is text
  StartTag,   // "<" and a letter: "<NAME attributes>" (also "<NAME/>")
  EndTag,     // "</" and a letter: "</NAME>"; whatever stands between the name and ">" is skipped
  Comment,    // "<!--" or "<--" up to and including the next "-->"
};

// What went wrong in reading one part. A part with a fault is still a whole part: its range says
// where the reader took it to end, so that one slip gives one fault and what follows is read on.
enum class Fault : uint8_t {
  None,
  // A tag cut before its ">" by a "<" (the next tag) or by the end of the text: the part ends
  // there, the "<" not included.
  TagOpen,
  // A quoted value not closed on its line. The phone's gateway took a line end as its end, so
  // the value (the tag's last attribute) ends at the first ">" after the quote on that line,
  // which also ends the tag, or else at the line end (the tag ends there too, its ">" missing).
  QuoteOpen,
  // "<!--" or "<--" without a "-->" after it: the comment runs to the end of the text.
  CommentOpen,
};

struct Attribute {
  Span name;                 // the name's bytes as written (any case)
  Span value;                // the value's bytes, without its quotes; empty at name.end without "="
  size_t end = 0;            // after the value and its closing quote (name.end without "=")
  size_t nameHash = 0;       // NameHash of the name
  char quote = 0;            // '"' or '\'' when the value was quoted, else 0
  bool hasValue = false;     // "=" followed the name (an empty value is still a value)
  // The value holds a "&" (a reference, or a query string's separator) or a "$" (a variable):
  // noted while it is read, so that readers of values skip the common plain ones at once.
  bool hasAmp = false, hasDollar = false;
};

struct Part {
  PartKind kind = PartKind::Text;
  Fault fault = Fault::None;
  Span range;   // all its bytes: from its "<" to after its ">" (or where the fault ended it)
  // Tags: the element name, the letters, digits and "-_.:" after "<" or "</" (never empty: a
  // tag starts with a letter). Comments: the body between "<!--"/"<--" and "-->" (to the end of
  // the text when CommentOpen). Text: the same as range.
  Span inner;
  size_t nameHash = 0;   // tags: NameHash of the element name
  bool selfClosed = false;   // a start tag ending in "/>"
  // Start tags: its attributes in the order written, attributeCount of them from firstAttribute
  // in the attribute list of the reading that made the part (DeckReader::Attributes for the last
  // part read one at a time, Deck::attributes for a whole reading).
  uint32_t firstAttribute = 0, attributeCount = 0;
};

// The bytes of the lexical layer, one table lookup each.
namespace Bytes {
enum Class : uint8_t {
  kBlank = 1,       // SP, TAB, CR, LF: white space, a delimiter only
  kLetter = 2,      // ASCII letters
  kDigit = 4,       // ASCII digits
  kNamePunct = 8,   // "-_.:", which names hold beside letters and digits
  kLead = 16,       // a cp932 lead byte (0x81-0x9F, 0xE0-0xFC)
  kTrail = 32,      // a byte that may follow a lead byte in one character (0x40-0x7E, 0x80-0xFC)
  kInValue = 64,    // may end a quoted value or be noted in it: quotes, line ends, "&", "$"
  kEndsName = 128,  // ends an attribute's name: blanks, "=", "<", ">", quotes
};
struct Table {
  uint8_t of[256] = {};
  char upper[256] = {};   // ASCII letters in upper case, every other byte itself
  constexpr Table() {
    for (int c = 0; c < 256; ++c) upper[c] = static_cast<char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
    for (char c : {' ', '\t', '\r', '\n'}) of[static_cast<uint8_t>(c)] |= kBlank;
    for (int c = 'A'; c <= 'Z'; ++c) of[c] |= kLetter, of[c + 'a' - 'A'] |= kLetter;
    for (int c = '0'; c <= '9'; ++c) of[c] |= kDigit;
    for (char c : {'-', '_', '.', ':'}) of[static_cast<uint8_t>(c)] |= kNamePunct;
    for (int c = 0x81; c <= 0xFC; ++c)
      if (c <= 0x9F || c >= 0xE0) of[c] |= kLead;
    for (int c = 0x40; c <= 0xFC; ++c)
      if (c != 0x7F) of[c] |= kTrail;
    for (char c : {'"', '\'', '\r', '\n', '&', '$'}) of[static_cast<uint8_t>(c)] |= kInValue;
    for (char c : {' ', '\t', '\r', '\n', '=', '<', '>', '"', '\''}) of[static_cast<uint8_t>(c)] |= kEndsName;
  }
};
inline constexpr Table kTable;
inline bool Is(char c, unsigned mask) { return (kTable.of[static_cast<uint8_t>(c)] & mask) != 0; }
}  // namespace Bytes

inline bool IsBlank(char c) { return Bytes::Is(c, Bytes::kBlank); }
inline bool IsLetter(char c) { return Bytes::Is(c, Bytes::kLetter); }
inline bool IsDigit(char c) { return Bytes::Is(c, Bytes::kDigit); }
inline bool IsNameChar(char c) { return Bytes::Is(c, Bytes::kLetter | Bytes::kDigit | Bytes::kNamePunct); }
inline bool IsLead(char c) { return Bytes::Is(c, Bytes::kLead); }
inline char ToUpper(char c) { return Bytes::kTable.upper[static_cast<uint8_t>(c)]; }
// Bytes in one character at `i`: 2 for a lead byte followed by a valid trail byte, else 1.
inline size_t CharSize(std::string_view t, size_t i) {
  return IsLead(t[i]) && i + 1 < t.size() && Bytes::Is(t[i + 1], Bytes::kTrail) ? 2 : 1;
}

// A case-insensitive hash of a name's bytes (ASCII letters fold to upper case), one byte at a
// time so that a scanner can make it while it finds the name's end; equal names in any case hash
// alike (a trail byte that looks like a letter folds too: a collision at worst, as names are
// compared byte for byte). Readers that look names up in their own tables build them with it.
constexpr size_t kNameHashStart = 2166136261u;
inline size_t NameHashStep(size_t h, char c) { return (h ^ static_cast<uint8_t>(ToUpper(c))) * 16777619u; }
size_t NameHash(std::string_view name);

// Reads a text one part at a time; nothing is kept of parts already read, so that a reader of
// a large deck (the checker) holds no more than one tag. The text must outlive the reader.
class DeckReader {
public:
  explicit DeckReader(std::string_view text) : m_text(text) {}
  // The next part, false at the end of the text. (Inline: the checker reads a part per few
  // bytes of a deck, and the call was a tenth of its time.)
  bool Next(Part& part) {
    const size_t n = m_text.size();
    m_attributes.clear();
    if (m_at >= n) return false;
    if (m_markup != m_at) {
      size_t q = m_at;
      for (;; ++q) {
        q = Find('<', q);
        if (q >= n || (m_opens = OpensAt(q)) != Opens::Nothing) break;
      }
      m_markup = q;
      if (q > m_at) {
        part = Part{};
        part.range = part.inner = {m_at, q};
        m_at = q;
        return true;
      }
    }
    m_at = ReadMarkup(m_at, part);
    return true;
  }
  // The attributes of the part that Next gave last (empty unless it was a start tag); valid until
  // the next call.
  std::span<const Attribute> Attributes() const { return m_attributes; }
  std::string_view text() const { return m_text; }

private:
  enum class Opens : uint8_t { Nothing, StartTag, EndTag, Comment, OldComment };

  // The first `c` at or after `from`, or the text's size. Most runs between two tags are a few
  // bytes (a line end and an indent): those are looked at one by one before memchr is called.
  size_t Find(char c, size_t from) const {
    const size_t n = m_text.size(), near = std::min(n, from + 16);
    for (; from < near; ++from)
      if (m_text[from] == c) return from;
    if (from >= n) return n;
    const void* at = std::memchr(m_text.data() + from, c, n - from);
    return at ? static_cast<size_t>(static_cast<const char*>(at) - m_text.data()) : n;
  }

  // What the "<" at q opens: a start tag ("<" and a letter), an end tag ("</" and a letter) or a
  // comment ("<!--" or "<--"); any other "<" is text, as the gateway showed it.
  Opens OpensAt(size_t q) const {
    const std::string_view t = m_text;
    const size_t n = t.size();
    if (q + 1 >= n) return Opens::Nothing;
    const char c = t[q + 1];
    if (IsLetter(c)) return Opens::StartTag;
    if (c == '/') return q + 2 < n && IsLetter(t[q + 2]) ? Opens::EndTag : Opens::Nothing;
    if (c == '-') return q + 2 < n && t[q + 2] == '-' ? Opens::OldComment : Opens::Nothing;
    if (c == '!') return q + 3 < n && t[q + 2] == '-' && t[q + 3] == '-' ? Opens::Comment : Opens::Nothing;
    return Opens::Nothing;
  }

  // The markup at m_markup, which OpensAt has judged (m_opens); returns the position after it.
  size_t ReadMarkup(size_t q, Part& part);
  size_t ReadElementName(size_t from, Part& part) const;
  size_t ReadStartTag(size_t q, Part& part);
  size_t ReadEndTag(size_t q, Part& part);
  size_t ReadComment(size_t q, size_t body, Part& part);

  std::string_view m_text;
  size_t m_at = 0;
  size_t m_markup = std::string_view::npos;   // where the markup found after a text part starts,
  Opens m_opens = Opens::Nothing;             // and what it opens
  std::vector<Attribute> m_attributes;
};

// A whole reading: every part, and every start tag's attributes in one list.
struct Deck {
  std::vector<Part> parts;
  std::vector<Attribute> attributes;
  std::span<const Attribute> AttributesOf(const Part& p) const {
    return std::span<const Attribute>(attributes).subspan(p.firstAttribute, p.attributeCount);
  }
};
Deck ReadDeck(std::string_view text);

}  // namespace Hdml
