// Text and selection access: the editor control's bytes, selection and caret, in cp932 bytes.
// The byte work lives in TextBytes; this file carries its requests as edit messages.
#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>

#include "bridge/clsKeshTeraPad.h"
#include "bridge/logic/TextBytes.h"
#include "common/Ansi.h"

namespace {

bool IsNT() { return clsKeshTeraPad::GetOSName() == L"WinNT"; }

// The code page of the ANSI conversion (cp932 on the systems TeraPad runs on).
bool IsLead(char c) {
  static const UINT codePage = GetACP();
  return IsDBCSLeadByteEx(codePage, static_cast<BYTE>(c)) != 0;
}

TextBytes::Family HostFamily() {
  TextBytes::Family f;
  f.nt = IsNT();
  f.isLead = IsLead;
  return f;
}

long GetLength(HWND e) { return static_cast<long>(SendMessageA(e, WM_GETTEXTLENGTH, 0, 0)); }

// EM_GETSEL as the editor answers it; the rest of the program sees it only through
// TextBytes::Selection.
std::pair<long, long> GetSel(HWND e) {
  DWORD start = 0, end = 0;
  SendMessageA(e, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<long>(start), static_cast<long>(end)};
}

void SetSel(HWND e, long start, long end) {
  SendMessageA(e, EM_SETSEL, static_cast<WPARAM>(static_cast<LONG_PTR>(start)), static_cast<LPARAM>(end));
}

// wParam TRUE: an edit control that honours the flag keeps the replacement undoable; with FALSE
// the system edit control would also empty its whole undo buffer, the author's earlier steps
// included. An editor that undoes every change anyway is not affected.
void ReplaceSel(HWND e, const std::string& bytes) {
  SendMessageA(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(bytes.c_str()));
}

std::wstring VariantText(const clsKeshTeraPad::Variant& v) {
  if (const long* n = std::get_if<long>(&v)) return std::to_wstring(*n);
  return std::get<std::wstring>(v);
}

// A number as it is, or a text that holds a whole number; anything else gives no number.
std::optional<long> VariantNumber(const clsKeshTeraPad::Variant& v) {
  if (const long* n = std::get_if<long>(&v)) return *n;
  const std::string s = ToAnsi(std::get<std::wstring>(v));
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const auto last = s.find_last_not_of(' ');
  long value = 0;
  const char* begin = s.data() + first;
  const char* end = s.data() + last + 1;
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace

// The byte work's requests, as messages to the editor control. Offsets are TeraPad's 32-bit
// numbers. `Present` is the bridge's validity test and editor lookup, as each public
// operation makes it.
class clsKeshTeraPad::Messages final : public TextBytes::EditorRequests {
public:
  // wideLength: the length asked as a Unicode caller (see Glance).
  Messages(const clsKeshTeraPad& bridge, HWND editor, bool wideLength = false)
      : m_bridge(bridge), m_editor(editor), m_wideLength(wideLength) {}
  bool Present() override { return m_bridge.ValidEditor() != nullptr; }
  int64_t Length() override {
    return m_wideLength ? static_cast<int64_t>(SendMessageW(m_editor, WM_GETTEXTLENGTH, 0, 0)) : GetLength(m_editor);
  }
  int64_t ReadFirst(char* buffer, int64_t capacity) override {
    return SendMessageA(m_editor, WM_GETTEXT, static_cast<WPARAM>(capacity), reinterpret_cast<LPARAM>(buffer));
  }
  std::pair<int64_t, int64_t> GetSel() override { return ::GetSel(m_editor); }
  void SetSel(int64_t start, int64_t end) override {
    ::SetSel(m_editor, static_cast<long>(start), static_cast<long>(end));
  }
  void ReplaceSel(const std::string& bytes) override { ::ReplaceSel(m_editor, bytes); }
  void Clear() override { SendMessageA(m_editor, WM_CLEAR, 0, 0); }
  void Undo() override { SendMessageA(m_editor, EM_UNDO, 0, 0); }
  void ScrollCaret() override { SendMessageA(m_editor, EM_SCROLLCARET, 0, 0); }

private:
  const clsKeshTeraPad& m_bridge;
  HWND m_editor;
  bool m_wideLength;
};

HWND clsKeshTeraPad::ValidEditor() const {
  return IsTeraPadWindow(m_hWndMain) ? GetEditorWindow() : nullptr;
}

long clsKeshTeraPad::Length() const {
  const HWND e = ValidEditor();
  return e ? GetLength(e) : -1;
}

long clsKeshTeraPad::SelStart() const {
  return static_cast<long>(OrderedSelection().first);
}

void clsKeshTeraPad::SelStart(long NewValue) { SelSet(NewValue, NewValue); }

long clsKeshTeraPad::SelLength() const {
  const auto [lower, upper] = OrderedSelection();
  return static_cast<long>(upper - lower);
}

std::pair<int64_t, int64_t> clsKeshTeraPad::Selection() { return OrderedSelection(); }

std::pair<int64_t, int64_t> clsKeshTeraPad::OrderedSelection() const {
  const HWND e = ValidEditor();
  if (!e) return {0, 0};
  Messages m(*this, e);
  return TextBytes::Selection(m, HostFamily());
}

HWND clsKeshTeraPad::SeenEditor() const {
  // The class-name test and IsChild ask the system, not TeraPad: no message crosses for them.
  if (!IsTeraPadWindow(m_hWndMain)) return nullptr;
  if (!m_hWndEditorSeen || !IsChild(m_hWndMain, m_hWndEditorSeen)) m_hWndEditorSeen = GetEditorWindow();
  return m_hWndEditorSeen && IsChild(m_hWndMain, m_hWndEditorSeen) ? m_hWndEditorSeen : nullptr;
}

std::optional<TextBytes::Glimpse> clsKeshTeraPad::Glance() const {
  const HWND e = SeenEditor();
  if (!e) return std::nullopt;
  // Asked as a Unicode caller, an ANSI window's length comes back as it answers it (its bytes; the
  // documents allow a count above the characters'). Asked as an ANSI caller from another
  // process, Wine fetches and converts the whole text to count it: a look that should cost one
  // message would cost a whole read. The 95 family has no Unicode messages.
  const TextBytes::Family family = HostFamily();
  Messages m(*this, e, family.nt);
  return TextBytes::Glance(m, family);
}

void clsKeshTeraPad::SelLength(long NewValue) {
  if (!IsTeraPadWindow(m_hWndMain)) return;
  const long s = SelStart();
  SelSet(s, s + NewValue);
}

long clsKeshTeraPad::Line() const {
  const HWND e = ValidEditor();
  return e ? static_cast<long>(SendMessageA(e, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0)) : 0;
}

void clsKeshTeraPad::Line(long NewValue) {
  const HWND e = ValidEditor();
  if (!e) return;
  SelStart(static_cast<long>(SendMessageA(e, EM_LINEINDEX, static_cast<WPARAM>(static_cast<LONG_PTR>(NewValue)), 0)));
}

std::wstring clsKeshTeraPad::Text() const { return FromAnsi(TextMbcs()); }

std::string clsKeshTeraPad::TextMbcs() const {
  std::string text;
  TextMbcs(text);
  return text;
}

void clsKeshTeraPad::TextMbcs(std::string& text) const {
  const HWND e = SeenEditor();
  if (!e) return text.clear();
  Messages m(*this, e);
  TextBytes::GetText(m, HostFamily(), text);
}

// Everything after a NUL would be lost by any single message anyway; cutting first keeps the
// piece arithmetic about the bytes that really arrive.
void clsKeshTeraPad::Text(const std::wstring& NewValue) {
  const HWND e = ValidEditor();
  if (!e) return;
  Messages m(*this, e);
  TextBytes::SetText(m, HostFamily(), ToAnsi(TrimNull(NewValue)));
}

std::wstring clsKeshTeraPad::SelText() const {
  const HWND e = ValidEditor();
  if (!e) return {};
  Messages m(*this, e);
  return FromAnsi(TextBytes::GetSelText(m, HostFamily()));
}

void clsKeshTeraPad::SelText(const std::wstring& NewValue) {
  const HWND e = ValidEditor();
  if (!e) return;
  Messages m(*this, e);
  TextBytes::SetSelText(m, HostFamily(), ToAnsi(TrimNull(NewValue)));
}

TextBytes::SelectionRead clsKeshTeraPad::ReadSelection(int64_t past) {
  const HWND e = ValidEditor();
  if (!e) return {};
  Messages m(*this, e);
  return TextBytes::Access(m, HostFamily()).ReadSelection(past);
}

bool clsKeshTeraPad::SelectionIs(int64_t lower, int64_t upper) {
  const HWND e = ValidEditor();
  if (!e) return lower == 0 && upper == 0;
  Messages m(*this, e);
  return TextBytes::Access(m, HostFamily()).SelectionIs(lower, upper);
}

std::string clsKeshTeraPad::TextPrefix(int64_t nWant) {
  const HWND e = ValidEditor();
  if (!e) return {};
  Messages m(*this, e);
  return TextBytes::Access(m, HostFamily()).TextPrefix(nWant);
}

void clsKeshTeraPad::ReplaceBytes(int64_t nStart, int64_t nEnd, std::string_view bytes, int64_t nBack) {
  const HWND e = ValidEditor();
  if (!e) return;
  Messages m(*this, e);
  TextBytes::Access(m, HostFamily()).ReplaceBytes(nStart, nEnd, bytes, nBack);
}

void clsKeshTeraPad::InsertAround(int64_t nStart, int64_t nEnd, std::string_view StartTag, std::string_view EndTag) {
  const HWND e = ValidEditor();
  if (!e) return;
  Messages m(*this, e);
  TextBytes::Access(m, HostFamily()).InsertAround(nStart, nEnd, StartTag, EndTag);
}

void clsKeshTeraPad::ShowRange(int64_t nStart, int64_t nEnd) {
  const HWND e = ValidEditor();
  if (!e) return;
  Messages m(*this, e);
  TextBytes::Access(m, HostFamily()).ShowRange(nStart, nEnd);
}

std::optional<bool> clsKeshTeraPad::SelSet(long nStart, long nEnd) {
  const HWND e = ValidEditor();
  if (!e) return std::nullopt;
  SetSel(e, nStart, nEnd);
  return true;
}

void clsKeshTeraPad::Edit(long lMode, const Variant& vAny) {
  const HWND e = ValidEditor();
  if (!e) return;
  switch (lMode) {
    case EM_SETSEL: {
      const auto line = VariantNumber(vAny);
      if (!line) return;
      if (*line < 0) {
        SetSel(e, 0, -1);
      } else {
        const long a = static_cast<long>(SendMessageA(e, EM_LINEINDEX, static_cast<WPARAM>(*line), 0));
        const long b = static_cast<long>(SendMessageA(e, EM_LINEINDEX, static_cast<WPARAM>(*line + 1), 0));
        SetSel(e, a, b - 1);
      }
      return;
    }
    case EM_REPLACESEL: ReplaceSel(e, ToAnsi(VariantText(vAny))); return;
    case EM_UNDO:
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR: SendMessageA(e, static_cast<UINT>(lMode), 0, 0); return;
    default: return;
  }
}

long clsKeshTeraPad::LenMbcs(const std::wstring& sText) { return static_cast<long>(ToAnsi(sText).size()); }

std::wstring clsKeshTeraPad::MidMbcs(const std::wstring& sText, long nStart, long nLength) {
  if (nStart < 1) throw std::invalid_argument("MidMbcs: start below 1");
  const std::string bytes = ToAnsi(sText);
  const size_t from = static_cast<size_t>(nStart - 1);
  if (from >= bytes.size()) return {};
  const size_t rest = bytes.size() - from;
  const size_t count = nLength < 0 ? rest : std::min(rest, static_cast<size_t>(nLength));
  return FromAnsi(std::string_view(bytes).substr(from, count));
}
