// Every tag builder takes any texts and ticks without failing, and its tag opens with the
// builder's fixed start and closes with ">", whatever the author typed into a value.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <string_view>

#include "FuzzText.h"
#include "dialogs/logic/CETag.h"
#include "dialogs/logic/CardTag.h"
#include "dialogs/logic/DeckTag.h"
#include "dialogs/logic/ImgTag.h"
#include "dialogs/logic/NaviTag.h"
#include "dialogs/logic/TextTag.h"

namespace {

std::wstring Text(FuzzedDataProvider& in) {
  const std::string bytes = in.ConsumeRandomLengthString(64);
  return FuzzText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void Row(FuzzedDataProvider& in, bool& ticked, std::wstring& value) {
  ticked = in.ConsumeBool();
  value = Text(in);
}

void Row(FuzzedDataProvider& in, NaviRow& row) { Row(in, row.ticked, row.value); }

bool Framed(const std::wstring& tag, std::wstring_view start) {
  return tag.size() > start.size() && tag.compare(0, start.size(), start) == 0 && tag.back() == L'>';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  switch (in.ConsumeIntegralInRange<int>(0, 7)) {
    case 0: {
      DeckState s;
      Row(in, s.version, s.versionText);
      Row(in, s.ttl, s.ttlText);
      Row(in, s.markable, s.markableText);
      Row(in, s.accessDomain, s.accessDomainText);
      Row(in, s.accessPath, s.accessPathText);
      FUZZ_CHECK(Framed(BuildDeckTag(s), L"<HDML"));
      break;
    }
    case 1: {
      CardState s;
      s.kind = Text(in);
      s.name = Text(in);
      Row(in, s.markable, s.markableText);
      Row(in, s.title, s.titleText);
      Row(in, s.key, s.keyText);
      Row(in, s.bookMark, s.bookMarkText);
      Row(in, s.method, s.methodText);
      Row(in, s.defaultValue, s.defaultText);
      Row(in, s.ikey, s.ikeyText);
      Row(in, s.iDefault, s.iDefaultText);
      FUZZ_CHECK(Framed(BuildCardTag(s), L"<" + s.kind));
      FUZZ_CHECK(BuildCardEndTag(s.kind) == L"</" + s.kind + L">");
      break;
    }
    case 2: {
      CEState s;
      s.type = Text(in);
      Row(in, s.task, s.taskText);
      Row(in, s.label, s.labelText);
      Row(in, s.dest, s.destText);
      Row(in, s.value, s.valueText);
      Row(in, s.moji, s.mojiText);
      const std::wstring tag = BuildCETag(s);
      // The choice's own text follows the tag's ">" as it is.
      FUZZ_CHECK(tag.compare(0, 3, L"<CE") == 0);
      FUZZ_CHECK(!s.moji ? tag.back() == L'>' : tag.size() >= s.mojiText.size() + 1 &&
                 tag.compare(tag.size() - s.mojiText.size(), std::wstring::npos, s.mojiText) == 0 &&
                 tag[tag.size() - s.mojiText.size() - 1] == L'>');
      break;
    }
    case 3: {
      ImgState s;
      s.srcText = Text(in);
      Row(in, s.alt, s.altText);
      Row(in, s.icon, s.iconText);
      FUZZ_CHECK(Framed(BuildImgTag(s), L"<IMG"));
      break;
    }
    case 4:
    case 5: {
      NaviState s;
      for (const auto rows : {NaviARows(), NaviActionRows()})
        for (const NaviRowDef& def : rows) Row(in, s.*def.row);
      FUZZ_CHECK(Framed(BuildNaviATag(s), L"<A "));
      FUZZ_CHECK(Framed(BuildNaviActionTag(s), L"<ACTION"));
      break;
    }
    default: {
      const std::wstring name = Text(in);
      const bool close = in.ConsumeBool();
      const TextTags tags = BuildTextTags(name, close);
      FUZZ_CHECK(tags.startTag == L"<" + name + L">");
      FUZZ_CHECK(tags.endTag == (close ? L"</" + name + L">" : L""));
      break;
    }
  }
  return 0;
}
