// The bridge's byte work against an editor whose every answer is fuzzed: lengths negative or
// huge, selections reversed or past the end, read counts above the capacity, replacements
// that take fewer bytes or none, undos that do nothing, an editor that goes away. Nothing may
// crash or trip a sanitizer, no buffer may be sized beyond the family's text limit, and every
// operation must end: once the answers stop changing, within a few requests.
#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "BridgeFuzz.h"

namespace {

// Answers drawn from the rest of the input; when it runs out, each request keeps giving its
// last answer, so that a loop which waits for a change would spin for ever and be caught.
class HostileEditor final : public TextBytes::EditorRequests {
public:
  HostileEditor(FuzzedDataProvider& in, int64_t maxText) : m_in(in), m_maxText(maxText) {}
  RequestCount requests;

  bool Present() override {
    requests();
    if (m_in.remaining_bytes() > 0) m_present = m_in.ConsumeIntegralInRange<int>(0, 15) != 0;
    return m_present;
  }
  int64_t Length() override { return requests(), Number(m_length); }
  int64_t ReadFirst(char* out, int64_t capacity) override {
    requests();
    FUZZ_CHECK(capacity >= 1 && capacity <= m_maxText + 2);
    // The transport copies at most `capacity` bytes, whatever count the editor claims.
    const std::string bytes = m_in.ConsumeRandomLengthString(64);
    const size_t n = std::min(bytes.size(), static_cast<size_t>(capacity));
    std::memcpy(out, bytes.data(), n);
    return Number(m_count);
  }
  std::pair<int64_t, int64_t> GetSel() override {
    requests();
    const int64_t start = Number(m_start);
    return {start, Number(m_end)};
  }
  void SetSel(int64_t, int64_t) override { requests(); }
  void ReplaceSel(const std::string& bytes) override {
    requests();
    FUZZ_CHECK(bytes.find('\0') == std::string::npos);
  }
  void Clear() override { requests(); }
  void Undo() override { requests(); }
  void ScrollCaret() override { requests(); }

private:
  // A 32-bit answer, as TeraPad's numbers are: usually small, sometimes anything.
  int64_t Number(int64_t& last) {
    if (m_in.remaining_bytes() == 0) return last;
    switch (m_in.ConsumeIntegralInRange<int>(0, 7)) {
      case 0: last = m_in.ConsumeIntegral<int32_t>(); break;
      case 1: last = -1; break;
      case 2: last = INT32_MAX; break;
      default: last = m_in.ConsumeIntegralInRange<int32_t>(0, 300); break;
    }
    return last;
  }

  FuzzedDataProvider& m_in;
  int64_t m_maxText;
  bool m_present = true;
  int64_t m_length = 0, m_count = 0, m_start = 0, m_end = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  TextBytes::Family f = ConsumeFamily(in);
  // The limit itself is what is checked; a small one keeps each run fast.
  f.maxText = in.ConsumeIntegralInRange<int64_t>(1, 1 << 20);
  const int op = in.ConsumeIntegralInRange<int>(0, 6);
  const std::string bytes = ConsumeCharacters(in, 80);
  const std::string endTag = ConsumeCharacters(in, 8);

  HostileEditor ed(in, f.maxText);
  // Every answer costs input bytes; constant answers must end each loop within a few requests.
  ed.requests.limit = 200 + 20 * in.remaining_bytes();
  switch (op) {
    case 0: {
      // A caller's last reading of any size sizes the first request, never beyond the limit.
      std::string kept(in.ConsumeBool() ? in.ConsumeIntegralInRange<size_t>(0, 1 << 16) : 0, 'k');
      TextBytes::GetText(ed, f, kept);
      FUZZ_CHECK(kept.size() <= static_cast<size_t>(f.maxText) + 1);
      break;
    }
    case 1: TextBytes::SetText(ed, f, bytes); break;
    case 2: TextBytes::GetSelText(ed, f); break;
    case 3: TextBytes::SetSelText(ed, f, bytes); break;
    case 4: {
      // The preview's look: two requests, and a length and selection it can use as they are.
      const TextBytes::Glimpse g = TextBytes::Glance(ed, f);
      FUZZ_CHECK(ed.requests.count == 2);
      FUZZ_CHECK(g.length >= 0 && g.length <= f.maxText);
      FUZZ_CHECK(0 <= g.start && g.start <= g.end && g.end <= g.length);
      break;
    }
    case 5: {   // the preview's read up to the shown card's end
      const int64_t want = in.ConsumeIntegralInRange<int64_t>(-5, 1 << 21);
      FUZZ_CHECK(static_cast<int64_t>(TextBytes::ReadPrefix(ed, f, want).size()) <= std::max<int64_t>(want, 0) + 1);
      break;
    }
    default: WrapSelection(ed, f, "<" + bytes, endTag); break;
  }
  return 0;
}
