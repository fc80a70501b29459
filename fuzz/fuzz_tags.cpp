// Every dialog's row table read both ways: any state its controls can hold becomes a tag, the
// tag read back gives the same state and the same tag, and attributes no row has (written
// after the dialog's own) come back unchanged. Any bytes go into the start-tag reader and the
// click's place finder without a fault, and what they answer lies inside their input.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <string_view>

#include "FuzzText.h"
#include "dialogs/logic/CETag.h"
#include "dialogs/logic/CardTag.h"
#include "dialogs/logic/DeckTag.h"
#include "dialogs/logic/ImgTag.h"
#include "dialogs/logic/NaviTag.h"
#include "dialogs/logic/StartTag.h"
#include "dialogs/logic/TextTag.h"
#include "insert/logic/TagPlace.h"

namespace {

// What a box can hold and a tag can carry back: a double quote in a value ends the value in
// the written tag (values are never escaped), so no state holding one reads back as itself.
std::wstring Value(FuzzedDataProvider& in) {
  const std::string bytes = in.ConsumeRandomLengthString(24);
  std::wstring text = FuzzText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  std::erase(text, L'"');
  std::erase(text, L'\0');
  return text;
}

std::wstring Pick(FuzzedDataProvider& in, std::span<const std::wstring_view> items) {
  return std::wstring(items[in.ConsumeIntegralInRange<size_t>(0, items.size() - 1)]);
}

// A name no dialog row has: "Z" and letters.
std::wstring UnknownName(FuzzedDataProvider& in) {
  std::wstring name = L"Z";
  for (char c : in.ConsumeRandomLengthString(6)) name += static_cast<wchar_t>(L'a' + static_cast<unsigned char>(c) % 26);
  return name;
}

void RoundTrip(FuzzedDataProvider& in, const TagForm& form) {
  TagState s;
  if (form.element.empty()) {
    // An editable kind (the card's) may be any name the reader takes for one.
    s.element = in.ConsumeBool() ? Pick(in, form.elements) : L"K" + UnknownName(in);
  }
  for (const TagRow& row : form.rows) {
    RowValue v{!row.optional || in.ConsumeBool(), {}};
    if (row.input == RowInput::kList) v.value = Pick(in, row.items);
    else if (row.input != RowInput::kFixed) v.value = Value(in);
    s.rows.push_back(v);
  }
  std::wstring tag = TagFromRows(form, s);
  std::wstring extras;
  for (int n = in.ConsumeIntegralInRange<int>(0, 3); n > 0; --n) {
    const std::wstring value = Value(in);
    switch (in.ConsumeIntegralInRange<int>(0, 2)) {
      case 0: extras += L" " + UnknownName(in) + L"=\"" + value + L"\""; break;
      case 1: extras += L" " + UnknownName(in) + L"='" + std::wstring(value.begin(), std::find(value.begin(), value.end(), L'\'')) + L"'"; break;
      default: extras += L" " + UnknownName(in); break;
    }
  }
  tag.insert(tag.size() - 1, extras);

  TagState shown;   // the controls as the dialog opened
  for (const TagRow& row : form.rows) shown.rows.push_back({false, row.input == RowInput::kList ? Pick(in, row.items) : Value(in)});
  const TagState back = RowsFromTag(form, tag, shown);
  if (form.element.empty()) FUZZ_CHECK(back.element == s.element);
  for (size_t i = 0; i < form.rows.size(); ++i) {
    FUZZ_CHECK(back.rows[i].ticked == s.rows[i].ticked);
    if (s.rows[i].ticked) FUZZ_CHECK(back.rows[i].value == s.rows[i].value);
    else FUZZ_CHECK(back.rows[i].value == shown.rows[i].value);
  }
  FUZZ_CHECK(TagFromRows(form, back) == tag);
}

template <class Text>
void CheckTag(const Text& text) {
  bool cut = false;
  const auto tag = ReadStartTag(text, &cut);
  if (!tag) return;
  FUZZ_CHECK(!cut && tag->end <= text.size() && text[tag->end - 1] == '>' && tag->nameEnd <= tag->end);
  for (const TagAttribute& a : tag->attributes)
    FUZZ_CHECK(a.nameBegin <= a.nameEnd && a.nameEnd <= a.valueBegin && a.valueBegin <= a.valueEnd &&
               a.valueEnd <= a.end && a.end < tag->end);
}

constexpr std::wstring_view kSomeNames[] = {L"DISPLAY", L"A", L"CE", L"IMG"};

void Places(FuzzedDataProvider& in) {
  const bool whole = in.ConsumeBool();
  const size_t caret = in.ConsumeIntegral<uint16_t>(), other = in.ConsumeIntegral<uint16_t>();
  const bool lines = in.ConsumeBool();
  const std::string text = in.ConsumeRemainingBytesAsString();
  CheckTag(std::string_view(text));
  CheckTag(FuzzText(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  const auto inside = [&](TagPlace::Spot s) {
    if (s.found != TagPlace::Found::kNothing && s.found != TagPlace::Found::kMore)
      FUZZ_CHECK(s.begin < s.end && s.end <= text.size());
  };
  const TagPlace::Spot at = TagPlace::AtCaret(text, whole, caret, kSomeNames);
  inside(at);
  if (at.found == TagPlace::Found::kOwnTag || at.found == TagPlace::Found::kOtherTag)
    FUZZ_CHECK(at.begin < caret && caret < at.end);
  inside(TagPlace::OfSelection(text, whole, std::min(caret, other), std::max(caret, other), kSomeNames, lines));
  inside(TagPlace::ClosingTag(text, whole, std::min<size_t>(caret, text.size()), "CE"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  static const TagForm* const kForms[] = {&kDeckForm, &kCardForm, &kCEForm, &kImgForm,
                                          &kNaviAForm, &kNaviActionForm, &kTextForm};
  const size_t which = in.ConsumeIntegralInRange<size_t>(0, std::size(kForms));
  if (which == std::size(kForms)) Places(in);
  else RoundTrip(in, *kForms[which]);
  return 0;
}
