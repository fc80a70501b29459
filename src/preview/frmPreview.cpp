#include "preview/frmPreview.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/frmMain.h"
#include "app/mdlMain.h"
#include "bridge/BesideTeraPad.h"
#include "common/Ansi.h"
#include "common/Guarded.h"
#include "dialogs/TagDialog.h"
#include "preview/PreviewImages.h"
#include "preview/TolvaneScreen.h"
#include "preview/logic/PreviewLayout.h"
#include "preview/logic/PreviewSession.h"
#include "preview/logic/PreviewWatch.h"
#include "res/resource.h"

namespace frmPreview {
namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickInterval = 1000 / Preview::Watch::kTicksPerVerify;

// `cboSize`'s items: half-width columns x text lines. 20 x 8 is what the first au phones with a
// 120-dot screen reported; the smaller ones are the older and smaller screens.
constexpr Preview::ScreenSize kSizes[] = {{12, 4}, {16, 6}, {20, 8}, {24, 10}};
constexpr int kDefaultSize = 2;

struct Form {
  HWND hwnd = nullptr;
  HWND screen = nullptr;
  HWND cboSize = nullptr;
  HWND lblStatus = nullptr;
  TolvaneScreen::View view;
  PreviewImages images;

  Preview::Watch watch;   // what was read from the editor, and what the last look saw

  int card = -1;   // the card on the screen
  Preview::Session session;
};

// The one preview window of the program.
Form form;

HWND Item(int id) { return GetDlgItem(form.hwnd, id); }

Preview::ScreenSize Size() {
  const LRESULT i = SendMessageW(form.cboSize, CB_GETCURSEL, 0, 0);
  return kSizes[i >= 0 && i < static_cast<LRESULT>(std::size(kSizes)) ? i : kDefaultSize];
}

// The deck file's folder, where its pictures are looked for; empty for an unsaved text.
std::wstring DeckFolder() {
  const std::wstring path = gTeraPad->FileName();
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

void Status(const std::wstring& text) { SetWindowTextW(form.lblStatus, text.c_str()); }

// The control, the size choice and the status line under each other; the window around them.
void Arrange() {
  const Preview::ScreenSize size = Size();
  const SIZE screen = TolvaneScreen::PixelSize(form.screen, size);
  RECT unit{7, 4, 40, 24};   // margin, gap; the status line's height
  MapDialogRect(form.hwnd, &unit);
  const int m = unit.left, gap = unit.top;
  RECT combo, label;
  GetWindowRect(form.cboSize, &combo);
  GetWindowRect(Item(IDC_PREVIEW_LBLSIZE), &label);
  const int comboH = combo.bottom - combo.top, labelW = label.right - label.left;
  const int width = std::max<int>(screen.cx, labelW + gap + (combo.right - combo.left));
  int y = m;
  SetWindowPos(form.screen, nullptr, m + (width - screen.cx) / 2, y, screen.cx, screen.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  y += screen.cy + gap;
  SetWindowPos(Item(IDC_PREVIEW_LBLSIZE), nullptr, m, y + 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(form.cboSize, nullptr, m + labelW + gap, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  y += comboH + gap;
  SetWindowPos(form.lblStatus, nullptr, m, y, width, unit.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  y += unit.bottom + m;
  RECT outer{0, 0, width + 2 * m, y};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongW(form.hwnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(form.hwnd, GWL_EXSTYLE)));
  SetWindowPos(form.hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Beside TeraPad's right edge, its top level with TeraPad's, moved the least that keeps it inside
// the work area of TeraPad's monitor (over TeraPad's right part when there is no room beside it).
void PlaceBesideTeraPad() { TagDialog::PlaceBy(form.hwnd, gTeraPad->hwnd(), Placement::BesideRightOf); }

// The system's bytes for a character reference above ASCII; none when it has none.
std::string CharacterBytes(uint32_t code) {
  if (code > 0xFFFF) return {};
  const wchar_t w = static_cast<wchar_t>(code);
  char bytes[4] = {};
  BOOL lost = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &w, 1, bytes, sizeof(bytes), nullptr, &lost);
  return n > 0 && !lost ? std::string(bytes, static_cast<size_t>(n)) : std::string();
}

// `folder`: the deck file's, where its pictures are.
void ShowScreen(const Preview::Screen& screen, bool keepPlace, const std::wstring& folder) {
  const Preview::ScreenSize size = Size();
  const int highlighted = form.view.screen.highlighted, top = form.view.top;
  form.view.screen = screen;
  form.view.size = size;
  form.view.top = 0;
  if (keepPlace) {
    // The same card again (an edit in it, another size): the highlight and the scrolling stay.
    Preview::Highlight(form.view.screen, highlighted >= 0 ? std::min<int>(highlighted, static_cast<int>(screen.items.size()) - 1)
                                                          : screen.highlighted);
    form.view.top = std::clamp(top, 0, std::max(0, static_cast<int>(screen.rows.size()) - size.lines));
  } else if (screen.highlighted >= 0) {
    // A highlighted entry further down (IDEFAULT) is scrolled into view.
    const int last = screen.items[static_cast<size_t>(screen.highlighted)].lastRow;
    form.view.top = std::max(0, std::min(last - size.lines + 1, static_cast<int>(screen.rows.size()) - size.lines));
  }
  form.view.pictures.assign(screen.images.size(), {});
  for (size_t i = 0; i < screen.images.size(); ++i)
    if (screen.images[i].found)
      if (const PreviewImages::Picture* p = form.images.Get(folder, screen.images[i].src))
        form.view.pictures[i] = {p->bitmap.get(), p->size};
  const std::wstring name = screen.name.empty() ? L"(名前なし)" : FromAnsi(screen.name);
  const std::wstring caption = L"プレビュー - " + name;
  wchar_t now[256] = {};
  GetWindowTextW(form.hwnd, now, 256);
  if (caption != now) SetWindowTextW(form.hwnd, caption.c_str());
  TolvaneScreen::SetView(form.screen, &form.view);
  if (screen.kind == Preview::CardKind::NoDisplay) Status(L"NODISPLAY: このカードは表示されず、ACCEPT の動作をすぐ行います。");
}

// Lays out card `card` of the text read last.
void ShowCard(int card, bool keepPlace) {
  form.card = card;
  if (card < 0) {
    form.view.screen = {};
    TolvaneScreen::SetView(form.screen, &form.view);
    SetWindowTextW(form.hwnd, L"プレビュー - (カードなし)");
    return;
  }
  const SIZE cell = TolvaneScreen::Cell(form.screen);
  const std::wstring folder = DeckFolder();
  Preview::Context context;
  context.size = Size();
  context.variables = &form.session.variables();
  context.character = CharacterBytes;
  context.typed = form.session.typed();
  context.imageCells = [&](std::string_view src, int columns) -> std::optional<std::pair<int, int>> {
    const PreviewImages::Picture* p = form.images.Get(folder, src);
    if (!p) return std::nullopt;
    // Never wider than the screen, never enlarged; the box is whole cells.
    const double scale = std::min(1.0, static_cast<double>(columns * cell.cx) / p->size.cx);
    return std::pair{std::max(1, static_cast<int>(std::ceil(p->size.cx * scale / cell.cx))),
                     std::max(1, static_cast<int>(std::ceil(p->size.cy * scale / cell.cy)))};
  };
  ShowScreen(Preview::LayOut(form.watch.text(), form.watch.cards(), card, context), keepPlace, folder);
}

// The card that holds the caret, as the author left it: what the preview goes back to after any
// caret move or edit.
void ShowCaretCard() {
  const int card = Preview::CardAt(form.watch.cards(), form.watch.caret());
  const bool same = card == form.card;
  form.session.Restart();
  Status(L"");
  ShowCard(card, same);
}

// The watch's requests, answered by the bridge.
class BridgeEditor final : public Preview::Editor {
public:
  std::optional<TextBytes::Glimpse> Glance() override { return gTeraPad->Glance(); }
  void Text(std::string& text) override { gTeraPad->TextMbcs(text); }
  std::string Prefix(size_t want) override { return gTeraPad->TextPrefix(static_cast<long>(want)); }
};

void Tick() {
  BridgeEditor editor;
  if (form.watch.Tick(editor, form.card) != Preview::Watch::Change::None) ShowCaretCard();
}

// What a key did, on the screen or on the status line.
void Apply(const Preview::Outcome& o) {
  using Kind = Preview::Outcome::Kind;
  switch (o.kind) {
    case Kind::Nothing: return;
    case Kind::Show: Status(L""); ShowCard(o.card, false); return;
    case Kind::Redraw: ShowCard(form.card, true); return;
    case Kind::LeaveDeck: Status(L"デッキの外へ移動: " + FromAnsi(o.text)); return;
    case Kind::Call: Status(L"電話をかける: " + FromAnsi(o.text)); return;
    case Kind::NoCard: Status(L"カード #" + FromAnsi(o.text) + L" はこのデッキにありません。"); return;
    case Kind::NoBack: Status(L"戻る先のカードはありません。"); return;
  }
}

void OnKey(WPARAM key, bool character) {
  Preview::Screen& s = form.view.screen;
  if (character) {
    const wchar_t c = static_cast<wchar_t>(key);
    return Apply(form.session.Type(s, ToAnsi(std::wstring_view(&c, 1))));
  }
  switch (key) {
    case VK_UP:
    case VK_DOWN:
      Preview::Move(s, form.view.size.lines, key == VK_DOWN ? 1 : -1, form.view.top);
      InvalidateRect(form.screen, nullptr, FALSE);
      return;
    case VK_RETURN: return Apply(form.session.Accept(s, form.watch.cards(), form.card));
    case VK_BACK: return Apply(form.session.Erase(s));
  }
}

// Destroying an owned window activates its owner, TeraPad's main window: its editor is handed
// the keyboard as after every other way out of ours.
void Close() {
  DestroyWindow(form.hwnd);
  frmMain::ReturnToTeraPad();
}

INT_PTR Handle(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      form.hwnd = h;
      form.screen = GetDlgItem(h, IDC_PREVIEW_SCREEN);
      form.cboSize = GetDlgItem(h, IDC_PREVIEW_CBOSIZE);
      form.lblStatus = GetDlgItem(h, IDC_PREVIEW_LBLSTATUS);
      for (const Preview::ScreenSize& s : kSizes) {
        const std::wstring item = std::to_wstring(s.columns) + L" × " + std::to_wstring(s.lines);
        SendMessageW(form.cboSize, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
      }
      SendMessageW(form.cboSize, CB_SETCURSEL, kDefaultSize, 0);
      form.view.key = OnKey;
      Arrange();
      PlaceBesideTeraPad();
      SetTimer(h, kTickTimer, kTickInterval, nullptr);
      return FALSE;   // no focus of ours: TeraPad keeps the keyboard
    }
    case WM_TIMER:
      if (wParam == kTickTimer) Tick();
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_PREVIEW_CBOSIZE:
          if (HIWORD(wParam) == CBN_SELCHANGE) {
            Arrange();
            PlaceBesideTeraPad();
            ShowCard(form.card, true);
          }
          return TRUE;
        case IDOK:   // Enter elsewhere than on the screen: nothing
          return TRUE;
        case IDCANCEL:   // Esc
          Close();
          return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      Close();
      return TRUE;
    case WM_DESTROY:
      KillTimer(h, kTickTimer);
      TolvaneScreen::SetView(form.screen, nullptr);
      return FALSE;
    case WM_NCDESTROY:
      form = Form{};
      return FALSE;
  }
  return FALSE;
}


}  // namespace

void Show() {
  if (!form.hwnd) {
    if (!TolvaneScreen::Register()) return;
    // Owned by TeraPad's main window: it stays in front of TeraPad, and only of TeraPad.
    CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PREVIEW), gTeraPad->hwnd(), GuardedDialogProc<Handle>, 0);
    if (!form.hwnd) return;
  }
  form.watch.Forget();   // read afresh: the preview shows the caret's card now
  Tick();
  if (IsIconic(form.hwnd)) ShowWindow(form.hwnd, SW_SHOWNOACTIVATE);
  ShowWindow(form.hwnd, SW_SHOWNOACTIVATE);
  SetWindowPos(form.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  BesideTeraPad::Join(form.hwnd);   // hidden with TeraPad, disabled under a tag dialog
  frmMain::ReturnToTeraPad();
}

bool PreTranslate(MSG& msg) { return form.hwnd && IsDialogMessageW(form.hwnd, &msg); }

}  // namespace frmPreview
