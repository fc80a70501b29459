// The whole road of one toolbar click, from reading the selection to the last EM_SETSEL, against
// the stand-in editor's byte buffer whose answers lie: selections reversed, negative or past the
// text, lengths past the text or negative, WM_GETTEXT counts shorter or longer than what it
// copied, undo shallow or refused, replacements capped as on the 95 family. Its changes are
// honest: what it is asked to do, it does (as far as its cap and undo depth let it).
// On every run: finding the place changes no byte; afterwards the text is the old text with
// the range the click meant replaced by exactly what the dialog meant, byte for byte (a new
// element around the old bytes of the range; a re-edited tag by the new one, its end tag renamed
// with it); a tag re-edited and confirmed without a change gives the same attributes back.
#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "BridgeFuzz.h"
#include "dialogs/logic/CETag.h"
#include "dialogs/logic/CardTag.h"
#include "dialogs/logic/DeckTag.h"
#include "dialogs/logic/ImgTag.h"
#include "dialogs/logic/NaviTag.h"
#include "dialogs/logic/StartTag.h"
#include "dialogs/logic/TextTag.h"
#include "insert/logic/PendingTags.h"

namespace {

// Answers drawn from the rest of the input; once it runs out, every answer is honest.
class LyingEditor final : public FuzzModel {
public:
  explicit LyingEditor(FuzzedDataProvider& in) : m_in(in) {}
  bool backsel = false;   // a backward selection answered as (anchor, caret), as /backsel
  bool undoFails = false;
  bool changed = false;
  bool nt = true;

  // Lengths on the 95 family: a read there deletes what it has read and undoes the deletions,
  // and a long replacement goes in by pieces counted from where the selection starts. When the
  // undo falls short, the length is all that tells what is missing; a selection clamped into a
  // length that the text does not have starts past the text. Either way an editor that lies
  // about its length cannot be served without loss: there its lengths are true.
  int64_t Length() override {
    const int64_t n = ModelEditor::Length();
    if (!nt) return n;
    switch (Lie()) {
      case 1: return n + m_in.ConsumeIntegralInRange<int64_t>(1, 300);
      case 2: return -1;
      case 3: return INT32_MAX;
      default: return n;
    }
  }
  int64_t ReadFirst(char* out, int64_t capacity) override {
    const int64_t n = ModelEditor::ReadFirst(out, capacity);
    switch (Lie()) {
      case 1: return m_in.ConsumeIntegralInRange<int64_t>(-5, n);   // shorter (or nonsense)
      case 2: return n + m_in.ConsumeIntegralInRange<int64_t>(1, 300);   // longer than it copied
      case 3: return INT32_MAX;
      default: return n;
    }
  }
  // The selection lies until the editor's first change: after a replacement nothing is selected,
  // and the caret it then answers is what a piecewise replacement counts its progress by.
  std::pair<int64_t, int64_t> GetSel() override {
    auto sel = ModelEditor::GetSel();
    if (backsel) sel = {static_cast<int64_t>(buf.anchor()), static_cast<int64_t>(buf.caret())};
    if (changed) return sel;
    const auto outside = [&] {
      switch (m_in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: return int64_t{-1};
        case 1: return int64_t{INT32_MIN};
        case 2: return int64_t{INT32_MAX};
        default: return static_cast<int64_t>(buf.size()) + m_in.ConsumeIntegralInRange<int64_t>(1, 300);
      }
    };
    switch (Lie()) {
      case 1: return {sel.second, sel.first};
      case 2: return {outside(), sel.second};
      case 3: return {sel.first, outside()};
      default: return sel;
    }
  }
  void ReplaceSel(const std::string& bytes) override {
    changed = true;
    ModelEditor::ReplaceSel(bytes);
  }
  void Undo() override {
    if (undoFails) return Request();
    ModelEditor::Undo();
  }

private:
  // 0: the truth; otherwise which lie.
  int Lie() { return m_in.remaining_bytes() == 0 ? 0 : m_in.ConsumeIntegralInRange<int>(0, 5) % 4; }
  FuzzedDataProvider& m_in;
};

// What a document is made of, so that short inputs reach tags of every kind, their end tags,
// comments and choice lines; any character or a NUL may come between them. (No lone lead byte:
// one before a "<" would make the "<" its trail byte, which the editor moves every offset onto.)
std::string ConsumeDocument(FuzzedDataProvider& in) {
  static const char* const kPieces[] = {
      "<DISPLAY NAME=c1 TITLE=\"t\">", "</DISPLAY>", "<display title='x'>", "</display >", "<CHOICE>",
      "</CHOICE>", "<CE TYPE=\"A\">", "<ce value=x>", "\r\n", "<!-- c -->", "<A DEST=#x>", "</A>", "<a>",
      "<CENTER>", "</CENTER>", "\x82\xa0", "<IMG SRC=x.bmp ALT=\"y\">", "<HDML VERSION=3.0>", "</HDML>",
      "<ACTION TYPE=ACCEPT TASK=GO DEST=#b>", "<BR>", "<CARD>", "x", "<", ">", "\"", "/", "=", " "};
  std::string doc;
  const size_t n = in.ConsumeIntegralInRange<size_t>(0, 30);
  for (size_t i = 0; i < n && in.remaining_bytes() > 0; ++i) {
    const size_t k = in.ConsumeIntegralInRange<size_t>(0, std::size(kPieces));
    if (k < std::size(kPieces)) doc += kPieces[k];
    else doc += ConsumeCharacters(in, 1) + std::string(in.ConsumeIntegralInRange<int>(0, 7) == 0, '\0');
  }
  return doc;
}

// The buttons' forms as read back; a button opens its own elements again.
struct Button {
  const TagForm* form;
  bool lines, endTag;
};
const Button kButtons[] = {{&kDeckForm, false, false}, {&kCardForm, false, false}, {&kTextForm, false, true},
                           {&kNaviAForm, false, false}, {&kNaviActionForm, false, false}, {&kCEForm, true, false},
                           {&kImgForm, false, false}};

std::span<const std::wstring_view> Elements(const TagForm& form) {
  return form.element.empty() ? form.elements : std::span<const std::wstring_view>(&form.element, 1);
}

// cp932 bytes one to one as UTF-16 code units: the dialogs' rules see ASCII as it is, and no
// delimiter they look for is ever a trail byte.
std::wstring Widen(std::string_view s) {
  std::wstring w;
  for (const char c : s) w += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return w;
}
std::string Narrow(std::wstring_view w) {
  std::string s;
  for (const wchar_t c : w) s += static_cast<char>(c);
  return s;
}

// The controls as a dialog opens: ticked as designed, each list at its first item.
TagState Designed(const TagForm& form) {
  TagState s;
  if (!form.elements.empty()) s.element = std::wstring(form.elements[0]);
  for (const TagRow& row : form.rows)
    s.rows.push_back({!row.optional || row.tickedAtLoad, row.items.empty() ? std::wstring() : std::wstring(row.items[0])});
  return s;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return out;
}

// A start tag's name and attributes (name in lower case, value), in order; order and quoting aside,
// two tags with equal lists say the same.
std::vector<std::string> Attributes(std::string_view tag) {
  const auto read = ReadStartTag(tag);
  FUZZ_CHECK(read.has_value());
  std::vector<std::string> out;
  for (const TagAttribute& a : read->attributes) {
    std::string one = Lower(Part(tag, a.nameBegin, a.nameEnd));
    if (a.hasValue) one.append("=").append(Part(tag, a.valueBegin, a.valueEnd));
    out.push_back(std::move(one));
  }
  std::sort(out.begin(), out.end());
  out.insert(out.begin(), Lower(Part(tag, read->nameBegin, read->nameEnd)));
  return out;
}

std::string NameOf(std::string_view tag) {
  const auto read = ReadStartTag(tag);
  return read ? std::string(Part(tag, read->nameBegin, read->nameEnd)) : std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  TextBytes::Family f = ConsumeFamily(in);
  // Far above any text made here, far below the real limit: a length answered as 2^31 - 1 then
  // costs a 64 KB buffer per read rather than 256 MB.
  f.maxText = 1 << 16;
  LyingEditor ed(in);
  if (!f.nt && in.ConsumeBool()) ed.cap = static_cast<size_t>(f.piecewiseFrom);
  ed.buf.setUndoDepth(in.ConsumeIntegralInRange<size_t>(0, 4));   // 0: unlimited
  ed.undoFails = in.ConsumeIntegralInRange<int>(0, 7) == 0;
  ed.backsel = in.ConsumeBool();
  ed.nt = f.nt;
  ed.buf.replaceAll(ConsumeDocument(in), true);
  ed.buf.emptyUndo();
  ed.buf.setSel(in.ConsumeIntegralInRange<size_t>(0, ed.buf.size()), in.ConsumeIntegralInRange<size_t>(0, ed.buf.size()));
  const Button& button = kButtons[in.ConsumeIntegralInRange<size_t>(0, std::size(kButtons) - 1)];
  const ReadBack readBack{Elements(*button.form), button.lines, button.endTag};
  const int dialog = in.ConsumeIntegralInRange<int>(0, 3);
  const std::string typed = ConsumeCharacters(in, 6);
  const bool moved = in.ConsumeIntegralInRange<int>(0, 7) == 0;
  const size_t movedTo = in.ConsumeIntegralInRange<size_t>(0, ed.buf.size());
  ed.count.limit = 400 + 40 * ed.buf.size();
  TextBytes::Access editor(ed, f);

  const std::string text = ed.buf.text();
  const TagTarget target = FindTagTarget(editor, readBack);
  FUZZ_CHECK(ed.buf.text() == text);   // finding the place changes nothing
  FUZZ_CHECK(0 <= target.selStart && target.selStart <= target.selEnd);
  FUZZ_CHECK(0 <= target.begin && target.begin <= target.end);

  // The dialog: OK without a change, OK with a new element name, or nothing to hand over.
  std::string start, end;
  if (target.edit && !readBack.lines) {
    const TagForm& form = *button.form;
    const std::string again = Narrow(TagFromRows(form, RowsFromTag(form, Widen(target.bytes), Designed(form))));
    FUZZ_CHECK(Attributes(again) == Attributes(target.bytes));   // the round trip
    start = again;
    if (dialog == 1) start = "<CHOICE" + again.substr(1 + NameOf(again).size());
  } else if (target.edit) {
    start = "<CE>" + typed;
  } else if (dialog != 3) {
    start = "<WRAP" + typed + ">";
    if (dialog == 0) end = "</WRAP>";
  }
  if (dialog == 2) start.clear();
  if (moved) ed.buf.setSel(movedTo, movedTo);   // the author clicked elsewhere meanwhile

  const std::string before = ed.buf.text();
  ed.changed = false;
  const auto change = ApplyPendingTags(editor, readBack, target, start, end);
  const std::string& after = ed.buf.text();
  if (!change) {
    FUZZ_CHECK(after == before);
    return 0;
  }
  FUZZ_CHECK(!start.empty());
  const TagTarget& t = change->target;
  FUZZ_CHECK(change->begin <= change->end);
  // A range past the text (the editor claimed a length it does not have) is where the editor
  // puts it: at the text's end.
  const size_t b = std::min(static_cast<size_t>(change->begin), before.size());
  const size_t e = std::min(static_cast<size_t>(change->end), before.size());
  std::string meant;
  if (change->around) {
    meant = start + before.substr(b, e - b) + end;
  } else if (!t.edit) {
    meant = start + before.substr(b, e - b) + end;   // a new element around the range's old bytes
    FUZZ_CHECK(change->bytes == meant);
  } else {
    FUZZ_CHECK(before.compare(b, t.bytes.size(), t.bytes) == 0);   // the tag read is the tag there
    meant = start;
    if (e != static_cast<size_t>(t.end)) {
      // The end tag renamed: the content between as it was, "</" + the new name, the rest of
      // the old end tag as it was.
      const std::string oldName = NameOf(t.bytes), newName = NameOf(start);
      const std::string between = before.substr(static_cast<size_t>(t.end), e - static_cast<size_t>(t.end));
      const size_t close = between.rfind("</");
      FUZZ_CHECK(close != std::string::npos && Lower(between.substr(close + 2, oldName.size())) == Lower(oldName));
      meant += between.substr(0, close) + "</" + newName + between.substr(close + 2 + oldName.size());
    }
    FUZZ_CHECK(change->bytes == meant);
  }
  FUZZ_CHECK(after == before.substr(0, b) + meant + before.substr(e));
  // The caret just before a new element's end tag, or just after a rewritten start tag.
  const size_t caret = t.edit ? b + start.size() : b + meant.size() - end.size();
  FUZZ_CHECK(!ed.buf.hasSelection());
  // (Past a text shorter than the editor claimed, the editor puts the caret where it can.)
  if (static_cast<size_t>(change->end) <= before.size()) FUZZ_CHECK(ed.buf.caret() == ed.buf.charStart(caret));
  return 0;
}
