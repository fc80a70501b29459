// Decks assembled from what the dialogs write in random states, with texts that hold no double
// quote (which breaks any tag) and no "<" (which starts the author's own mark-up): whatever the
// placement, the checker never calls one of Tolvane's own elements or attributes unknown, nor
// finds a tag of theirs unclosed.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <string_view>

#include "FuzzText.h"
#include "check/logic/HdmlCheck.h"
#include "dialogs/logic/Attribute.h"
#include "dialogs/logic/CETag.h"
#include "dialogs/logic/CardTag.h"
#include "dialogs/logic/DeckTag.h"
#include "dialogs/logic/ImgTag.h"
#include "dialogs/logic/NaviTag.h"
#include "dialogs/logic/TextTag.h"

namespace {

constexpr std::wstring_view kCardKinds[] = {L"DISPLAY", L"CHOICE", L"ENTRY", L"NODISPLAY"};

std::wstring Text(FuzzedDataProvider& in) {
  std::string bytes = in.ConsumeRandomLengthString(16);
  std::erase_if(bytes, [](char c) { return c == '"' || c == '<' || c == '\r' || c == '\n' || c == '\0'; });
  return FuzzText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// A list item of the dialog's own, or typed text.
template <size_t N> std::wstring Pick(FuzzedDataProvider& in, const std::wstring_view (&items)[N]) {
  return in.ConsumeBool() ? std::wstring(items[in.ConsumeIntegralInRange<size_t>(0, N - 1)]) : Text(in);
}

void Row(FuzzedDataProvider& in, bool& ticked, std::wstring& value) {
  ticked = in.ConsumeBool();
  value = Text(in);
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

std::wstring Element(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 6)) {
    case 0: {
      DeckState s;
      Row(in, s.version, s.versionText);
      Row(in, s.ttl, s.ttlText);
      Row(in, s.markable, s.markableText);
      s.markableText = Pick(in, kTrueFalseItems);
      Row(in, s.accessDomain, s.accessDomainText);
      Row(in, s.accessPath, s.accessPathText);
      return BuildDeckTag(s) + Text(in) + kDeckEndTag;
    }
    case 1: {
      CardState s;
      s.kind = kCardKinds[in.ConsumeIntegralInRange<size_t>(0, 3)];
      s.name = Text(in);
      for (auto [tick, value] : {std::pair{&CardState::markable, &CardState::markableText},
                                 {&CardState::title, &CardState::titleText}, {&CardState::key, &CardState::keyText},
                                 {&CardState::bookMark, &CardState::bookMarkText},
                                 {&CardState::method, &CardState::methodText},
                                 {&CardState::defaultValue, &CardState::defaultText},
                                 {&CardState::ikey, &CardState::ikeyText},
                                 {&CardState::iDefault, &CardState::iDefaultText}})
        Row(in, s.*tick, s.*value);
      return BuildCardTag(s) + Text(in) + BuildCardEndTag(s.kind);
    }
    case 2: {
      CEState s;
      s.type = Pick(in, kSoftKeyItems);
      Row(in, s.task, s.taskText);
      s.taskText = Pick(in, kTaskItems);
      Row(in, s.label, s.labelText);
      Row(in, s.dest, s.destText);
      Row(in, s.value, s.valueText);
      Row(in, s.moji, s.mojiText);
      return BuildCETag(s);
    }
    case 3: {
      ImgState s;
      s.srcText = Text(in);
      Row(in, s.alt, s.altText);
      Row(in, s.icon, s.iconText);
      return BuildImgTag(s);
    }
    case 4:
    case 5: {
      const bool link = in.ConsumeBool();
      NaviState s;
      for (const NaviRowDef& def : link ? NaviARows() : NaviActionRows()) Row(in, (s.*def.row).ticked, (s.*def.row).value);
      s.type.value = Pick(in, kSoftKeyItems);
      s.task.value = Pick(in, kTaskItems);
      s.clear.value = Pick(in, kTrueFalseItems);
      s.friendly.value = Pick(in, kTrueFalseItems);
      s.postMethod.value = Pick(in, kPostMethodItems);
      return link ? BuildNaviATag(s) + Text(in) + kNaviAEndTag : BuildNaviActionTag(s);
    }
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
