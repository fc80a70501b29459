#include "hdml/logic/DeckReader.h"

#include <cstring>

namespace Hdml {

size_t NameHash(std::string_view name) {
  size_t h = kNameHashStart;
  for (char c : name) h = NameHashStep(h, c);
  return h;
}

size_t DeckReader::ReadMarkup(size_t q, Part& part) {
  part = Part{};
  switch (m_opens) {
    case Opens::StartTag: return ReadStartTag(q, part);
    case Opens::EndTag: return ReadEndTag(q, part);
    case Opens::Comment: return ReadComment(q, q + 4, part);
    default: return ReadComment(q, q + 3, part);
  }
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

// The element name from `from` (after "<" or "</") into the part; returns where it ends.
size_t DeckReader::ReadElementName(size_t from, Part& part) const {
  size_t r = from, hash = kNameHashStart;
  for (; r < m_text.size() && IsNameChar(m_text[r]); ++r) hash = NameHashStep(hash, m_text[r]);
  part.inner = {from, r};
  part.nameHash = hash;
  return r;
}

size_t DeckReader::ReadEndTag(size_t q, Part& part) {
  const std::string_view t = m_text;
  const size_t n = t.size();
  part.kind = PartKind::EndTag;
  size_t r = ReadElementName(q + 2, part);
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
  const size_t r = ReadElementName(q + 1, part);
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
    size_t hash = kNameHashStart;
    for (; e < n && !Bytes::Is(t[e], Bytes::kEndsName); ++e) hash = NameHashStep(hash, t[e]);
    if (e == p) {   // a stray "=" or quote: skipped, as the phone's gateway skipped it
      ++p;
      continue;
    }
    Attribute& a = m_attributes.emplace_back();
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
          if (!Bytes::Is(b, Bytes::kInValue)) continue;   // most bytes: one look-up
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
          return done(gt ? stop + 1 : stop, Fault::QuoteOpen);
        }
      } else {
        size_t s = v;
        for (; s < n; ++s) {
          const char b = t[s];
          if (!Bytes::Is(b, Bytes::kBlank | Bytes::kInValue | Bytes::kEndsName)) continue;
          if (IsBlank(b) || b == '>' || b == '<') break;
          a.hasAmp |= b == '&';
          a.hasDollar |= b == '$';
        }
        a.value = {v, s};
        a.end = p = s;
      }
    }
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
