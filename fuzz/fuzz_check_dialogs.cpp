// Decks assembled from what the dialogs write in random states, with texts that hold no double
// quote (which breaks any tag) and no "<" (which starts the author's own mark-up): whatever the
// placement, the checker never calls one of Tolvane's own elements or attributes unknown, nor
// finds a tag of theirs unclosed.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <string_view>

#include "FuzzText.h"
#include "check/logic/HdmlCheck.h"
#include "dialogs/logic/CETag.h"
#include "dialogs/logic/CardTag.h"
#include "dialogs/logic/DeckTag.h"
#include "dialogs/logic/ImgTag.h"
#include "dialogs/logic/NaviTag.h"
#include "dialogs/logic/TextTag.h"

namespace {

std::wstring Text(FuzzedDataProvider& in) {
  std::string bytes = in.ConsumeRandomLengthString(16);
  std::erase_if(bytes, [](char c) { return c == '"' || c == '<' || c == '\r' || c == '\n' || c == '\0'; });
  return FuzzText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// cp932 bytes: ASCII as it is, anything else one double-byte character whose trail byte runs
// through the whole trail range (letters and "\" included).
std::string Cp932(std::wstring_view w) {
  std::string s;
  for (wchar_t c : w) {
    if (c < 0x80) {
      s += static_cast<char>(c);
      continue;
    }
    unsigned trail = 0x40 + (c & 0xFF) % 0xBC;
    if (trail >= 0x7F) ++trail;
    s += static_cast<char>(0x95);
    s += static_cast<char>(trail);
  }
  return s;
}

// A dialog's state at random: each row ticked or not, its value one of its list's items or
// typed text.
TagState State(FuzzedDataProvider& in, const TagForm& form, std::wstring_view element = {}) {
  TagState s;
  s.element = element;
  for (const TagRow& row : form.rows) {
    const bool ticked = in.ConsumeBool();
    s.rows.push_back({ticked, !row.items.empty() && in.ConsumeBool()
                                  ? std::wstring(row.items[in.ConsumeIntegralInRange<size_t>(0, row.items.size() - 1)])
                                  : Text(in)});
  }
  return s;
}

std::wstring Element(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 6)) {
    case 0: return TagFromRows(kDeckForm, State(in, kDeckForm)) + Text(in) + kDeckEndTag;
    case 1: {
      const std::wstring_view kind = kCardKinds[in.ConsumeIntegralInRange<size_t>(0, std::size(kCardKinds) - 1)];
      return TagFromRows(kCardForm, State(in, kCardForm, kind)) + Text(in) + EndTagOf(kind);
    }
    case 2: return BuildCETag(State(in, kCEForm), in.ConsumeBool(), Text(in));
    case 3: return TagFromRows(kImgForm, State(in, kImgForm));
    case 4: return TagFromRows(kNaviAForm, State(in, kNaviAForm)) + Text(in) + kNaviAEndTag;
    case 5: return TagFromRows(kNaviActionForm, State(in, kNaviActionForm));
    default: {
      const TextTags tags = BuildTextTags(kTextTagNames[in.ConsumeIntegralInRange<size_t>(0, 5)], in.ConsumeBool());
      return tags.startTag + Text(in) + tags.endTag;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  std::wstring deck;
  while (in.remaining_bytes() > 0 && deck.size() < 4096) {
    deck += Element(in);
    if (in.ConsumeBool()) deck += L"\r\n";
  }
  for (const HdmlCheck::Problem& p : HdmlCheck::Check(Cp932(deck)))
    FUZZ_CHECK(p.rule != "attribute" && p.rule != "tag-open" && p.rule != "quote" && p.rule != "element");
  return 0;
}
