#include "hdml/logic/DeckReader.h"

#include <cstring>

namespace Hdml {

size_t NameHash(std::string_view name) {
  size_t h = kNameHashStart;
  for (char c : name) h = NameHashStep(h, c);
  return h;
}

namespace {

// The first `c` in [from, to), or `to`. Most runs between two tags are a few bytes (a line end
// and an indent): those are looked at one by one before the library's search is called.
size_t Find(std::string_view t, char c, size_t from, size_t to) {
  const size_t near = std::min(to, from + 16);
  for (; from < near; ++from)
    if (t[from] == c) return from;
  if (from >= to) return to;
  const void* at = std::memchr(t.data() + from, c, to - from);
  return at ? static_cast<size_t>(static_cast<const char*>(at) - t.data()) : to;
}

// Ends an attribute's name: a blank, "=", "<", ">" or a quote.
bool EndsAttributeName(char c) {
  return IsBlank(c) || c == '=' || c == '<' || c == '>' || c == '"' || c == '\'';
}

}  // namespace

// "<!--" or "<--" at q (a "<"): where the comment's body begins, else 0.
size_t DeckReader::CommentBody(size_t q) const {
  const std::string_view t = m_text;
  const size_t n = t.size();
  if (q + 3 < n && t[q + 1] == '!' && t[q + 2] == '-' && t[q + 3] == '-') return q + 4;
  if (q + 2 < n && t[q + 1] == '-' && t[q + 2] == '-') return q + 3;
  return 0;
}

// A "<" starts markup when a letter (a start tag), "/" and a letter (an end tag) or a comment's
// opening follows it; any other "<" is text, as the gateway showed it.
bool DeckReader::IsMarkup(size_t q) const {
  const std::string_view t = m_text;
  const size_t n = t.size();
  if (q + 1 >= n) return false;
  if (CommentBody(q)) return true;
  if (t[q + 1] == '/') return q + 2 < n && IsLetter(t[q + 2]);
  return IsLetter(t[q + 1]);
}

bool DeckReader::Next(Part& part) {
  const size_t n = m_text.size();
  m_attributes.clear();
  if (m_at >= n) return false;
  part = Part{};
  if (m_markup != m_at) {
    size_t q = m_at;
    for (;; ++q) {
      q = Find(m_text, '<', q, n);
      if (q >= n || IsMarkup(q)) break;
    }
    m_markup = q;
    if (q > m_at) {
      part.kind = PartKind::Text;
      part.range = part.inner = {m_at, q};
      m_at = q;
      return true;
    }
  }
  m_at = ReadMarkup(m_at, part);
  return true;
}

size_t DeckReader::ReadMarkup(size_t q, Part& part) {
  if (const size_t body = CommentBody(q)) return ReadComment(q, body, part);
  if (m_text[q + 1] == '/') return ReadEndTag(q, part);
  return ReadStartTag(q, part);
}

// Comments count as white space; their bodies may hold anything, tags included.
size_t DeckReader::ReadComment(size_t q, size_t body, Part& part) {
  part.kind = PartKind::Comment;
  const size_t close = m_text.find("-->", body);
  if (close == std::string_view::npos) {
    part.fault = Fault::CommentOpen;
    part.range = {q, m_text.size()};
    part.inner = {body, m_text.size()};
  } else {
    part.range = {q, close + 3};
    part.inner = {body, close};
  }
  return part.range.end;
}

size_t DeckReader::ReadEndTag(size_t q, Part& part) {
  const std::string_view t = m_text;
  const size_t n = t.size();
  part.kind = PartKind::EndTag;
  size_t r = q + 2, hash = kNameHashStart;
  for (; r < n && IsNameChar(t[r]); ++r) hash = NameHashStep(hash, t[r]);
  part.inner = {q + 2, r};
  part.nameHash = hash;
  while (r < n && t[r] != '>' && t[r] != '<') ++r;
  const bool closed = r < n && t[r] == '>';
  if (!closed) part.fault = Fault::TagOpen;
  part.range = {q, closed ? r + 1 : r};
  return part.range.end;
}

size_t DeckReader::ReadStartTag(size_t q, Part& part) {
  const std::string_view t = m_text;
  const size_t n = t.size();
  part.kind = PartKind::StartTag;
  size_t r = q + 1, hash = kNameHashStart;
  for (; r < n && IsNameChar(t[r]); ++r) hash = NameHashStep(hash, t[r]);
  part.inner = {q + 1, r};
  part.nameHash = hash;
  const auto done = [&](size_t end, Fault fault) {
    part.range = {q, end};
    part.fault = fault;
    part.attributeCount = static_cast<uint32_t>(m_attributes.size());
    return end;
  };
  for (size_t p = r;;) {
    while (p < n && IsBlank(t[p])) ++p;
    if (p >= n) return done(n, Fault::TagOpen);
    const char c = t[p];
    if (c == '>') return done(p + 1, Fault::None);
    if (c == '/' && p + 1 < n && t[p + 1] == '>') {
      part.selfClosed = true;
      return done(p + 2, Fault::None);
    }
    if (c == '<') return done(p, Fault::TagOpen);
    size_t e = p;
    hash = kNameHashStart;
    for (; e < n && !EndsAttributeName(t[e]); ++e) hash = NameHashStep(hash, t[e]);
    if (e == p) {   // a stray "=" or quote: skipped, as the phone's gateway skipped it
      ++p;
      continue;
    }
    Attribute a;
    a.name = {p, e};
    a.nameHash = hash;
    a.value = {e, e};
    a.end = p = e;
    if (e < n && t[e] == '=') {
      a.hasValue = true;
      const size_t v = e + 1;
      if (v < n && (t[v] == '"' || t[v] == '\'')) {
        a.quote = t[v];
        size_t s = v + 1;
        for (; s < n; ++s) {
          const char b = t[s];
          if (b == a.quote || b == '\r' || b == '\n') break;
          a.hasAmp |= b == '&';
          a.hasDollar |= b == '$';
        }
        if (s < n && t[s] == a.quote) {
          a.value = {v + 1, s};
          a.end = p = s + 1;
        } else {
          // Not closed on its line: the value and the tag end at the line's first ">" after the
          // quote, or at the line end.
          const void* gt = std::memchr(t.data() + v, '>', s - v);
          const size_t stop = gt ? static_cast<size_t>(static_cast<const char*>(gt) - t.data()) : s;
          a.value = {v + 1, stop};
          a.end = stop;
          m_attributes.push_back(a);
          return done(gt ? stop + 1 : stop, Fault::QuoteOpen);
        }
      } else {
        size_t s = v;
        for (; s < n && !IsBlank(t[s]) && t[s] != '>' && t[s] != '<'; ++s) {
          a.hasAmp |= t[s] == '&';
          a.hasDollar |= t[s] == '$';
        }
        a.value = {v, s};
        a.end = p = s;
      }
    }
    m_attributes.push_back(a);
  }
}

Deck ReadDeck(std::string_view text) {
  Deck deck;
  DeckReader reader(text);
  for (Part part; reader.Next(part);) {
    part.firstAttribute = static_cast<uint32_t>(deck.attributes.size());
    const auto attributes = reader.Attributes();
    deck.attributes.insert(deck.attributes.end(), attributes.begin(), attributes.end());
    deck.parts.push_back(part);
  }
  return deck;
}

}  // namespace Hdml
