// What both bridge fuzz targets share: the editor families they drive, the cp932 lead-byte
// test, and a count of the requests each operation makes.
#pragma once
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "FuzzText.h"
#include "ModelEditor.h"
#include "bridge/logic/TextBytes.h"

inline bool IsLeadCp932(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// NT; the 95 family with its real limits; the 95 family with the same rules scaled down to a few
// bytes, so that short inputs cross many piece boundaries.
inline TextBytes::Family ConsumeFamily(FuzzedDataProvider& in) {
  TextBytes::Family f;
  f.isLead = IsLeadCp932;
  switch (in.ConsumeIntegralInRange<int>(0, 2)) {
    case 0: break;
    case 1: f.nt = false; break;
    default: {
      f.nt = false;
      const int64_t k = in.ConsumeIntegralInRange<int64_t>(4, 64);
      f.piecewiseFrom = k;
      f.pieceMax = k - 1;
      f.readCapacity = k + 1;
    }
  }
  return f;
}

// Whole cp932 characters (ASCII other than NUL, and lead + trail pairs): what a tag or an
// author's text converted from UTF-16 is made of.
inline std::string ConsumeCharacters(FuzzedDataProvider& in, size_t maxChars) {
  std::string s;
  const size_t n = in.ConsumeIntegralInRange<size_t>(0, maxChars);
  for (size_t i = 0; i < n && in.remaining_bytes() > 0; ++i) {
    const uint8_t b = in.ConsumeIntegral<uint8_t>();
    if (IsLeadByte(b)) {
      s += static_cast<char>(b);
      s += static_cast<char>(in.ConsumeIntegralInRange<uint8_t>(0x40, 0xFC));
    } else {
      s += static_cast<char>(b ? b : 'x');
    }
  }
  return s;
}

// A new tag pair around the selection as a click puts it, on the byte work alone: one replacement
// of the selection read whole, or, when it holds a NUL, the tags put in around it.
inline void WrapSelection(TextBytes::EditorRequests& e, const TextBytes::Family& f, std::string_view startTag,
                          std::string_view endTag) {
  const TextBytes::SelectionRead r = TextBytes::ReadSelection(e, f, 0);
  if (static_cast<int64_t>(r.text.size()) < r.upper) return TextBytes::InsertAround(e, f, r.lower, r.upper, startTag, endTag);
  if (!e.Present()) return;
  const std::string wrapped = std::string(startTag) + r.text.substr(static_cast<size_t>(r.lower), static_cast<size_t>(r.upper - r.lower)) +
                              std::string(endTag);
  TextBytes::ReplaceRange(e, f, r.lower, r.upper, wrapped, static_cast<int64_t>(endTag.size()));
}

// Every request goes through here; an operation that asks more than `limit` stops the fuzzer.
struct RequestCount {
  uint64_t count = 0;
  uint64_t limit = 0;
  void operator()() {
    ++count;
    FUZZ_CHECK(count <= limit);
  }
};

// The model editor with every request counted against a limit, and a misuse trapped.
class FuzzModel : public ModelEditor {
public:
  RequestCount count;

protected:
  void Request() override { ModelEditor::Request(), count(); }
  void Misuse() override { FUZZ_CHECK(false); }
};
