// The bridge's byte work against an honest editor: the stand-in editor's own byte buffer, with a
// fuzzed undo depth, per-transfer cap and read-only flag, a text with double-byte characters
// across every piece boundary, lone lead bytes and NULs, and any selection. Each operation is
// checked against a plain model of what it means: the exact bytes afterwards (nothing outside
// the selection changes), a read leaves text and selection as they were, and every operation
// ends within a number of requests bounded by the bytes it moves.
#include <algorithm>
#include <string>

#include "BridgeFuzz.h"

namespace {

std::string CutAtNul(const std::string& s) { return s.substr(0, s.find('\0')); }

// The text: fuzzed bytes (any byte: NULs and lone lead bytes too), repeated up to a fuzzed size
// when the family's limits are the real ones, so that pieces of 32 KB are reached.
std::string ConsumeText(FuzzedDataProvider& in, const TextBytes::Family& f) {
  std::string pattern = in.ConsumeRandomLengthString(256);
  if (f.nt || f.piecewiseFrom < 1000 || pattern.empty()) return pattern;
  const size_t size = in.ConsumeIntegralInRange<size_t>(0, 100000);
  std::string text;
  while (text.size() < size) text += pattern;
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const TextBytes::Family f = ConsumeFamily(in);
  FuzzModel ed;
  // NT carries every text in one message, so only the 95 family has a cap, the size it reads by.
  if (!f.nt && in.ConsumeBool()) ed.cap = static_cast<size_t>(f.piecewiseFrom);
  ed.buf.setUndoDepth(in.ConsumeIntegralInRange<size_t>(0, 6));   // 0: unlimited
  const bool readOnly = in.ConsumeIntegralInRange<int>(0, 7) == 0;
  ed.buf.replaceAll(ConsumeText(in, f), true);
  ed.buf.emptyUndo();
  ed.buf.setSel(in.ConsumeIntegralInRange<size_t>(0, ed.buf.size()), in.ConsumeIntegralInRange<size_t>(0, ed.buf.size()));
  ed.buf.readOnly = readOnly;

  const std::string text = ed.buf.text();
  const size_t s = ed.buf.selMin(), e = ed.buf.selMax();
  const std::string shown = CutAtNul(text);   // what a string message can carry

  const int op = in.ConsumeIntegralInRange<int>(0, 4);
  const std::string bytes = ConsumeCharacters(in, op == 1 || op == 3 ? 200 : 8);
  const std::string endTag = ConsumeCharacters(in, 8);
  // Texts over the limit that one message takes: the pieces are what the requests pay for.
  const size_t moved = text.size() + bytes.size() + endTag.size();
  ed.count.limit = 64 + 16 * (moved / static_cast<size_t>(f.piecewiseFrom - 3) + 1);
  if (f.nt) ed.count.limit = 16;
  // A read-only 95-family editor refuses the deletions of a piecewise read: it cannot be read.
  const bool unreadable = readOnly && !f.nt && text.size() >= static_cast<size_t>(f.piecewiseFrom);

  switch (op) {
    case 0: {
      // Into a new string, or into a caller's last reading of any size, which sizes the read.
      std::string got(in.ConsumeBool() ? in.ConsumeIntegralInRange<size_t>(0, 2 * text.size() + 16) : 0, 'k');
      TextBytes::GetText(ed, f, got);
      if (unreadable) FUZZ_CHECK(shown.compare(0, got.size(), got) == 0);
      else FUZZ_CHECK(got == shown);
      break;
    }
    case 1: {
      TextBytes::SetText(ed, f, bytes);
      FUZZ_CHECK(ed.buf.text() == (readOnly ? text : bytes));
      if (!readOnly) FUZZ_CHECK(!ed.buf.hasSelection());
      break;
    }
    case 2: {
      const std::string got = TextBytes::GetSelText(ed, f);
      const std::string want = s < shown.size() && e > s ? shown.substr(s, std::min(e, shown.size()) - s) : "";
      // A selection that ends below the piecewise threshold crosses in one message, read-only or not.
      if (unreadable && e >= static_cast<size_t>(f.piecewiseFrom)) FUZZ_CHECK(want.compare(0, got.size(), got) == 0);
      else FUZZ_CHECK(got == want);
      break;
    }
    case 3: {
      TextBytes::SetSelText(ed, f, bytes);
      if (readOnly) {
        FUZZ_CHECK(ed.buf.text() == text);
      } else {
        FUZZ_CHECK(ed.buf.text() == text.substr(0, s) + bytes + text.substr(e));
        FUZZ_CHECK(!ed.buf.hasSelection() && ed.buf.caret() == ed.buf.charStart(s + bytes.size()));
      }
      break;
    }
    default: {
      // A start tag is never empty; the end tag may be.
      const std::string startTag = "<" + bytes;
      // (A lone lead byte at the selection's end takes the end tag's first byte as its trail
      // byte: the editor then puts the caret before that character.)
      WrapSelection(ed, f, startTag, endTag);
      if (readOnly) {
        FUZZ_CHECK(ed.buf.text() == text);
      } else {
        // Every byte of the author's stays, NULs and what follows them included.
        FUZZ_CHECK(ed.buf.text() == text.substr(0, s) + startTag + text.substr(s, e - s) + endTag + text.substr(e));
        FUZZ_CHECK(!ed.buf.hasSelection() && ed.buf.caret() == ed.buf.charStart(e + startTag.size()));
      }
      break;
    }
  }
  // A read leaves the text and the selection as they were.
  if (op == 0 || op == 2) FUZZ_CHECK(ed.buf.text() == text && ed.buf.selMin() == s && ed.buf.selMax() == e);
  return 0;
}
