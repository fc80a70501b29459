// The deck reader on any bytes, and on those bytes many times over: nothing fails; the parts
// follow each other without gap from the text's first byte to its last; each part's inner bytes,
// attributes, names and values lie inside it in the text's order; a fault is one its kind can
// have; and reading one part at a time gives the whole reading. The repeated text makes work
// that grows faster than the text show up as libFuzzer's slow units.
#include <string>
#include <string_view>

#include "FuzzText.h"
#include "hdml/logic/DeckReader.h"

namespace {

using Hdml::Fault;
using Hdml::PartKind;
using Hdml::Span;

bool Within(Span inner, Span outer) { return outer.begin <= inner.begin && inner.begin <= inner.end && inner.end <= outer.end; }

void ReadOnce(std::string_view text) {
  const Hdml::Deck deck = Hdml::ReadDeck(text);
  Hdml::DeckReader one(text);
  size_t at = 0;
  for (const Hdml::Part& p : deck.parts) {
    FUZZ_CHECK(p.range.begin == at && p.range.end > at && p.range.end <= text.size());
    at = p.range.end;
    FUZZ_CHECK(Within(p.inner, p.range));
    const bool tag = p.kind == PartKind::StartTag || p.kind == PartKind::EndTag;
    FUZZ_CHECK(!tag || (!p.inner.empty() && text[p.range.begin] == '<'));
    FUZZ_CHECK(p.kind != PartKind::Text || p.inner == p.range);
    FUZZ_CHECK(p.fault == Fault::None || (p.fault == Fault::TagOpen && tag) ||
               (p.fault == Fault::QuoteOpen && p.kind == PartKind::StartTag) ||
               (p.fault == Fault::CommentOpen && p.kind == PartKind::Comment && p.range.end == text.size()));
    FUZZ_CHECK(p.kind == PartKind::StartTag || p.attributeCount == 0);
    size_t last = p.inner.end;
    for (const Hdml::Attribute& a : deck.AttributesOf(p)) {
      FUZZ_CHECK(a.name.begin >= last && !a.name.empty());
      FUZZ_CHECK(a.name.end <= a.value.begin && a.value.end <= a.end && Within({a.name.begin, a.end}, p.range));
      FUZZ_CHECK(a.hasValue || (a.value == Span{a.name.end, a.name.end} && a.end == a.name.end));
      last = a.end;
    }
    Hdml::Part q;
    FUZZ_CHECK(one.Next(q) && q.range == p.range && q.kind == p.kind && one.Attributes().size() == p.attributeCount);
  }
  Hdml::Part q;
  FUZZ_CHECK(at == text.size() && !one.Next(q));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ReadOnce(text);
  std::string many;
  for (int i = 0; i < 64; ++i) many += text;
  ReadOnce(many);
  return 0;
}
