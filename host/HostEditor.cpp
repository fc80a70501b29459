#include "HostEditor.h"
#include <windowsx.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "HostProtocol.h"

namespace {

// Lines longer than this show only their start: the editor has no horizontal scrolling, and
// laying out a whole 8 MB line on every paint would make the window crawl.
constexpr std::size_t kShownBytesPerLine = 4000;
constexpr int kMargin = 4;
constexpr int kTabColumns = 8;

struct Editor {
  HWND hwnd = nullptr;
  EditBuffer buf;
  HostEditorSettings settings;
  HFONT font = nullptr;
  int lineHeight = 16;
  int tabWidth = 64;
  int asciiWidth[256] = {};
  std::size_t topLine = 0;
  int pendingLead = -1;   // lead byte of a double-byte character typed as two WM_CHARs
  bool focused = false;
  bool followPending = false;   // the caret moved; scroll to it at the next paint
};

Editor* From(HWND hwnd) { return reinterpret_cast<Editor*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

bool Shift() { return GetKeyState(VK_SHIFT) < 0; }
bool Ctrl() { return GetKeyState(VK_CONTROL) < 0; }

int VisibleLines(const Editor& ed) {
  RECT rc;
  GetClientRect(ed.hwnd, &rc);
  return std::max(1, static_cast<int>(rc.bottom / ed.lineHeight));
}

// x of every byte boundary of a shown line, from the left margin: x[i] is where byte i starts.
// Widths are measured per character so that drawing, caret and hit testing agree exactly.
std::vector<int> LayoutLine(const Editor& ed, HDC dc, const char* p, std::size_t n) {
  std::vector<int> x(n + 1, 0);
  int at = 0;
  for (std::size_t i = 0; i < n;) {
    const auto b = static_cast<unsigned char>(p[i]);
    std::size_t step = 1;
    int w;
    if (b == '\t') {
      w = ed.tabWidth - at % ed.tabWidth;
    } else if (IsLeadByte(b) && i + 1 < n) {
      SIZE size{};
      GetTextExtentPoint32A(dc, p + i, 2, &size);
      w = size.cx;
      step = 2;
    } else {
      w = ed.asciiWidth[b];
    }
    x[i] = at;
    if (step == 2) x[i + 1] = at;
    at += w;
    i += step;
  }
  x[n] = at;
  return x;
}

struct ShownLine {
  const char* p;
  std::size_t start, n;
};

ShownLine Shown(const Editor& ed, std::size_t line) {
  const std::size_t start = ed.buf.lineIndex(line);
  const std::size_t len = ed.buf.lineLength(line);
  const char* p = ed.buf.text().data() + start;
  return {p, start, WholeCharPrefix(std::string_view(p, len), kShownBytesPerLine)};
}

POINT CaretPoint(const Editor& ed) {
  const std::size_t line = ed.buf.lineFromChar(ed.buf.caret());
  const ShownLine s = Shown(ed, line);
  HDC dc = GetDC(ed.hwnd);
  HGDIOBJ old = SelectObject(dc, ed.font);
  const std::vector<int> x = LayoutLine(ed, dc, s.p, s.n);
  SelectObject(dc, old);
  ReleaseDC(ed.hwnd, dc);
  const std::size_t col = std::min(ed.buf.caret() - s.start, s.n);
  const long row = static_cast<long>(line) - static_cast<long>(ed.topLine);
  return {kMargin + x[col], static_cast<LONG>(row * ed.lineHeight)};
}

std::size_t HitTest(const Editor& ed, int px, int py) {
  const long row = py < 0 ? -1 - (-py - 1) / ed.lineHeight : py / ed.lineHeight;
  const long last = static_cast<long>(ed.buf.lineCount()) - 1;
  const long line = std::clamp(static_cast<long>(ed.topLine) + row, 0L, last);
  const ShownLine s = Shown(ed, static_cast<std::size_t>(line));
  HDC dc = GetDC(ed.hwnd);
  HGDIOBJ old = SelectObject(dc, ed.font);
  const std::vector<int> x = LayoutLine(ed, dc, s.p, s.n);
  SelectObject(dc, old);
  ReleaseDC(ed.hwnd, dc);
  const int want = px - kMargin;
  std::size_t best = 0;
  for (std::size_t i = 0; i <= s.n; ++i) {
    if (i < s.n && i > 0 && x[i] == x[i - 1]) continue;   // a trail byte is no boundary
    if (std::abs(x[i] - want) < std::abs(x[best] - want)) best = i;
  }
  return s.start + best;
}

void UpdateScrollBar(Editor& ed) {
  const std::size_t lines = ed.buf.lineCount();
  const int page = VisibleLines(ed);
  const std::size_t maxTop = lines > static_cast<std::size_t>(page) ? lines - page : 0;
  ed.topLine = std::min(ed.topLine, maxTop);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0,
                static_cast<int>(lines - 1), static_cast<UINT>(page), static_cast<int>(ed.topLine), 0};
  SetScrollInfo(ed.hwnd, SB_VERT, &si, TRUE);
}

void PlaceCaret(Editor& ed) {
  if (!ed.focused) return;
  const POINT pt = CaretPoint(ed);
  SetCaretPos(pt.x, pt.y);
}

void ScrollTo(Editor& ed, std::size_t top) {
  ed.topLine = top;
  UpdateScrollBar(ed);
  InvalidateRect(ed.hwnd, nullptr, FALSE);
  PlaceCaret(ed);
}

// Scrolls so that the caret's line shows.
void FollowCaret(Editor& ed) {
  ed.followPending = false;
  const std::size_t line = ed.buf.lineFromChar(ed.buf.caret());
  const std::size_t page = static_cast<std::size_t>(VisibleLines(ed));
  std::size_t top = ed.topLine;
  if (line < top) top = line;
  else if (line >= top + page) top = line - page + 1;
  ScrollTo(ed, top);
}

// After any change of text or selection. The window catches up when it next paints, so a burst
// of messages (a transfer into an 8 MB text) costs no line counting per message.
void Refresh(Editor& ed) {
  ed.followPending = true;
  InvalidateRect(ed.hwnd, nullptr, FALSE);
}

void CatchUp(Editor& ed) {
  if (ed.followPending) FollowCaret(ed);
}

void MoveCaret(Editor& ed, std::size_t pos, bool extend) {
  ed.buf.setSel(extend ? ed.buf.anchor() : pos, pos);
  Refresh(ed);
}

bool CopySelection(Editor& ed) {
  if (!ed.buf.hasSelection() || !OpenClipboard(ed.hwnd)) return false;
  const std::string s = ed.buf.selectedText();
  EmptyClipboard();
  bool ok = false;
  if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, s.size() + 1)) {
    char* p = static_cast<char*>(GlobalLock(mem));
    std::memcpy(p, s.c_str(), s.size() + 1);
    GlobalUnlock(mem);
    ok = SetClipboardData(CF_TEXT, mem) != nullptr;
    if (!ok) GlobalFree(mem);
  }
  CloseClipboard();
  return ok;
}

void Paste(Editor& ed) {
  if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(ed.hwnd)) return;
  std::string s;
  if (HANDLE mem = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(mem))) {
      s.assign(p, strnlen(p, GlobalSize(mem)));
      GlobalUnlock(mem);
    }
  }
  CloseClipboard();
  if (ed.buf.replaceSel(s)) Refresh(ed);
}

void Clear(Editor& ed) {
  if (ed.buf.replaceSel({})) Refresh(ed);
}

void Type(Editor& ed, std::string_view bytes) {
  if (ed.buf.replaceSel(bytes)) Refresh(ed);
}

void Paint(Editor& ed) {
  CatchUp(ed);
  PAINTSTRUCT ps;
  HDC screen = BeginPaint(ed.hwnd, &ps);
  RECT rc;
  GetClientRect(ed.hwnd, &rc);
  // Drawn off screen and copied in one go, so a repaint never flickers.
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, std::max(1L, rc.right), std::max(1L, rc.bottom));
  HGDIOBJ oldBmp = SelectObject(dc, bmp);
  HGDIOBJ oldFont = SelectObject(dc, ed.font);
  FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
  SetBkMode(dc, OPAQUE);

  const std::size_t selMin = ed.buf.selMin(), selMax = ed.buf.selMax();
  const std::size_t lines = ed.buf.lineCount();
  const std::size_t page = static_cast<std::size_t>(VisibleLines(ed)) + 1;
  for (std::size_t line = ed.topLine; line < lines && line < ed.topLine + page; ++line) {
    const ShownLine s = Shown(ed, line);
    const std::vector<int> x = LayoutLine(ed, dc, s.p, s.n);
    const int y = static_cast<int>(line - ed.topLine) * ed.lineHeight;
    // Runs of equal selection state, split at tabs (a tab is only a gap).
    std::size_t i = 0;
    while (i < s.n) {
      const bool selected = s.start + i >= selMin && s.start + i < selMax;
      std::size_t j = i;
      while (j < s.n && s.p[j] != '\t' && (s.start + j >= selMin && s.start + j < selMax) == selected) ++j;
      const std::size_t end = j == i ? i + 1 : j;   // a lone tab
      SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
      RECT cell{kMargin + x[i], y, kMargin + x[end], y + ed.lineHeight};
      if (s.p[i] == '\t') ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
      else ExtTextOutA(dc, cell.left, y, ETO_OPAQUE, &cell, s.p + i, static_cast<UINT>(end - i), nullptr);
      i = end;
    }
    // A selected line break shows as a small block after the line's text.
    const std::size_t eol = s.start + ed.buf.lineLength(line);
    if (line + 1 < lines && eol >= selMin && eol < selMax) {
      RECT brk{kMargin + x[s.n], y, kMargin + x[s.n] + ed.asciiWidth[' '], y + ed.lineHeight};
      FillRect(dc, &brk, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
  }
  BitBlt(screen, 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBmp);
  DeleteObject(bmp);
  DeleteDC(dc);
  EndPaint(ed.hwnd, &ps);
}

void CreateFontFor(Editor& ed) {
  LOGFONTW lf{};
  lf.lfHeight = -14;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  wcscpy(lf.lfFaceName, L"ＭＳ ゴシック");
  ed.font = CreateFontIndirectW(&lf);
  HDC dc = GetDC(ed.hwnd);
  HGDIOBJ old = SelectObject(dc, ed.font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  ed.lineHeight = std::max(1L, tm.tmHeight);
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    SIZE size{};
    GetTextExtentPoint32A(dc, &c, 1, &size);
    ed.asciiWidth[b] = size.cx;
  }
  ed.tabWidth = std::max(1, kTabColumns * ed.asciiWidth[' ']);
  SelectObject(dc, old);
  ReleaseDC(ed.hwnd, dc);
}

void KeyDown(Editor& ed, WPARAM key) {
  CatchUp(ed);
  EditBuffer& b = ed.buf;
  const bool shift = Shift(), ctrl = Ctrl();
  const std::size_t line = b.lineFromChar(b.caret());
  const auto lineMove = [&](long delta) {
    const POINT pt = CaretPoint(ed);
    return HitTest(ed, pt.x, pt.y + static_cast<int>(delta) * ed.lineHeight);
  };
  switch (key) {
  case VK_LEFT:
    MoveCaret(ed, !shift && b.hasSelection() ? b.selMin() : b.prevChar(b.caret()), shift);
    break;
  case VK_RIGHT:
    MoveCaret(ed, !shift && b.hasSelection() ? b.selMax() : b.nextChar(b.caret()), shift);
    break;
  case VK_UP: MoveCaret(ed, line == 0 ? b.caret() : lineMove(-1), shift); break;
  case VK_DOWN: MoveCaret(ed, line + 1 >= b.lineCount() ? b.caret() : lineMove(1), shift); break;
  case VK_PRIOR: MoveCaret(ed, lineMove(-VisibleLines(ed)), shift); break;
  case VK_NEXT: MoveCaret(ed, lineMove(VisibleLines(ed)), shift); break;
  case VK_HOME: MoveCaret(ed, ctrl ? 0 : b.lineIndex(line), shift); break;
  case VK_END: MoveCaret(ed, ctrl ? b.size() : b.lineIndex(line) + b.lineLength(line), shift); break;
  case VK_DELETE:
    if (shift) {
      if (CopySelection(ed)) Clear(ed);
    } else if (b.hasSelection()) {
      Clear(ed);
    } else if (b.replaceRange(b.caret(), b.nextChar(b.caret()), {})) {
      Refresh(ed);
    }
    break;
  case VK_INSERT:
    if (ctrl) CopySelection(ed);
    else if (shift) Paste(ed);
    break;
  }
}

void Char(Editor& ed, WPARAM ch) {
  EditBuffer& b = ed.buf;
  if (ch > 0xFF) {   // a whole double-byte character in one message: lead byte high
    const char pair[2] = {static_cast<char>(ch >> 8 & 0xFF), static_cast<char>(ch & 0xFF)};
    Type(ed, std::string_view(pair, 2));
    return;
  }
  const auto byte = static_cast<unsigned char>(ch);
  if (ed.pendingLead >= 0) {
    const char pair[2] = {static_cast<char>(ed.pendingLead), static_cast<char>(byte)};
    ed.pendingLead = -1;
    Type(ed, std::string_view(pair, 2));
    return;
  }
  switch (byte) {
  case 0x01: b.setSel(0, b.size()); Refresh(ed); return;         // Ctrl+A
  case 0x03: CopySelection(ed); return;                          // Ctrl+C
  case 0x16: Paste(ed); return;                                  // Ctrl+V
  case 0x18: if (CopySelection(ed)) Clear(ed); return;           // Ctrl+X
  case 0x1A: if (b.undo()) Refresh(ed); return;                  // Ctrl+Z
  case '\b':
    if (b.hasSelection()) Clear(ed);
    else if (b.replaceRange(b.prevChar(b.caret()), b.caret(), {})) Refresh(ed);
    return;
  case '\r': Type(ed, "\r\n"); return;
  case '\t': Type(ed, "\t"); return;
  }
  if (byte < 0x20 || byte == 0x7F) return;
  if (IsLeadByte(byte)) {
    ed.pendingLead = byte;
    return;
  }
  const char c = static_cast<char>(byte);
  Type(ed, std::string_view(&c, 1));
}

LRESULT EditMessage(Editor& ed, UINT msg, WPARAM wParam, LPARAM lParam) {
  EditBuffer& b = ed.buf;
  switch (msg) {
  case WM_GETTEXTLENGTH:
    return static_cast<LRESULT>(b.size());
  case WM_GETTEXT: {
    if (wParam == 0 || !lParam) return 0;
    return static_cast<LRESULT>(b.copyFirst(reinterpret_cast<char*>(lParam), wParam, ed.settings.cap));
  }
  case WM_SETTEXT: {
    const char* s = reinterpret_cast<const char*>(lParam);
    if (!b.replaceAll(s ? std::string_view(s) : std::string_view())) return b.readOnly ? FALSE : TRUE;
    Refresh(ed);
    return TRUE;
  }
  case EM_GETSEL: {
    // A selection made backwards (its caret before its anchor) comes out of anchorFirst with
    // its start the larger number, as custom edit controls may answer.
    const std::size_t s = ed.settings.anchorFirst ? b.anchor() : b.selMin();
    const std::size_t e = ed.settings.anchorFirst ? b.caret() : b.selMax();
    if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(s);
    if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(e);
    return s > 0xFFFF || e > 0xFFFF ? -1 : MAKELONG(s, e);
  }
  case EM_SETSEL: {
    // As EDIT: start -1 drops the selection and keeps the caret; any other negative number,
    // read unsigned, runs past the end and is clamped to the length.
    const auto start = static_cast<UINT>(wParam), end = static_cast<UINT>(lParam);
    if (start == static_cast<UINT>(-1)) b.setSel(b.caret(), b.caret());
    else b.setSel(start, end);
    Refresh(ed);
    return 0;
  }
  case EM_REPLACESEL: {
    const char* s = reinterpret_cast<const char*>(lParam);
    std::string_view bytes = s ? std::string_view(s) : std::string_view();
    if (b.replaceSel(CapTransfer(bytes, ed.settings.cap))) Refresh(ed);
    return 0;
  }
  case EM_LINEINDEX: {
    const std::size_t line = static_cast<int>(wParam) == -1 ? b.lineFromChar(b.caret()) : wParam;
    return line < b.lineCount() ? static_cast<LRESULT>(b.lineIndex(line)) : -1;
  }
  case EM_LINEFROMCHAR: {
    const std::size_t pos = static_cast<int>(wParam) == -1 ? (b.hasSelection() ? b.selMin() : b.caret())
                                                         : std::min<std::size_t>(wParam, b.size());
    return static_cast<LRESULT>(b.lineFromChar(pos));
  }
  case EM_LINELENGTH: {
    if (static_cast<int>(wParam) != -1) {
      return static_cast<LRESULT>(b.lineLength(b.lineFromChar(std::min<std::size_t>(wParam, b.size()))));
    }
    // As EDIT: the unselected bytes of the lines that the selection touches.
    const std::size_t first = b.lineFromChar(b.selMin()), last = b.lineFromChar(b.selMax());
    return static_cast<LRESULT>(b.selMin() - b.lineIndex(first) +
                                b.lineIndex(last) + b.lineLength(last) - b.selMax());
  }
  case EM_GETLINECOUNT: return static_cast<LRESULT>(b.lineCount());
  case EM_GETMODIFY: return b.modified;
  case EM_SETMODIFY: b.modified = wParam != 0; return 0;
  case EM_UNDO:
  case WM_UNDO:
    if (!b.undo()) return FALSE;
    Refresh(ed);
    return TRUE;
  case EM_CANUNDO: return !b.readOnly && b.undoCount() > 0;
  case EM_EMPTYUNDOBUFFER: b.emptyUndo(); return 0;
  case EM_SETREADONLY: b.readOnly = wParam != 0; return TRUE;
  case WM_CUT: if (CopySelection(ed)) Clear(ed); return 0;
  case WM_COPY: CopySelection(ed); return 0;
  case WM_PASTE: Paste(ed); return 0;
  case WM_CLEAR: Clear(ed); return 0;
  }
  return DefWindowProcA(ed.hwnd, msg, wParam, lParam);
}

LRESULT WindowMessage(Editor& ed, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = ed.hwnd;
  switch (msg) {
  case WM_CREATE: CreateFontFor(ed); UpdateScrollBar(ed); return 0;
  case WM_DESTROY: DeleteObject(ed.font); return 0;
  case WM_ERASEBKGND: return 1;
  case WM_PAINT: Paint(ed); return 0;
  case WM_SIZE: UpdateScrollBar(ed); InvalidateRect(hwnd, nullptr, FALSE); return 0;
  case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
  case WM_SETFOCUS:
    ed.focused = true;
    CreateCaret(hwnd, nullptr, 2, ed.lineHeight);
    PlaceCaret(ed);
    ShowCaret(hwnd);
    return 0;
  case WM_KILLFOCUS:
    ed.focused = false;
    DestroyCaret();
    return 0;
  case WM_VSCROLL: {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(hwnd, SB_VERT, &si);
    long top = static_cast<long>(ed.topLine);
    const long page = VisibleLines(ed);
    switch (LOWORD(wParam)) {
    case SB_LINEUP: top -= 1; break;
    case SB_LINEDOWN: top += 1; break;
    case SB_PAGEUP: top -= page; break;
    case SB_PAGEDOWN: top += page; break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: top = si.nTrackPos; break;   // 32-bit, unlike wParam's
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = si.nMax; break;
    }
    ScrollTo(ed, static_cast<std::size_t>(std::max(0L, top)));
    return 0;
  }
  case WM_MOUSEWHEEL: {
    const long top = static_cast<long>(ed.topLine) - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3;
    ScrollTo(ed, static_cast<std::size_t>(std::max(0L, top)));
    return 0;
  }
  case WM_LBUTTONDOWN:
    CatchUp(ed);
    SetFocus(hwnd);
    SetCapture(hwnd);
    MoveCaret(ed, HitTest(ed, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), (wParam & MK_SHIFT) != 0);
    return 0;
  case WM_MOUSEMOVE:
    CatchUp(ed);
    if (GetCapture() == hwnd)
      MoveCaret(ed, HitTest(ed, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), true);
    return 0;
  case WM_LBUTTONUP:
    if (GetCapture() == hwnd) ReleaseCapture();
    return 0;
  case WM_KEYDOWN: KeyDown(ed, wParam); return 0;
  case WM_CHAR: Char(ed, wParam); return 0;
  case WM_IME_CHAR: Char(ed, wParam); return 0;
  }
  return EditMessage(ed, msg, wParam, lParam);
}

LRESULT CALLBACK EditorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* ed = new (std::nothrow) Editor;
    if (!ed) return FALSE;
    ed->hwnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ed));
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  Editor* ed = From(hwnd);
  if (!ed) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    delete ed;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  try {
    return WindowMessage(*ed, msg, wParam, lParam);
  } catch (...) {   // out of memory on a huge text: refuse the message, keep the editor alive
    return 0;
  }
}

bool IsEditor(HWND hwnd) {
  char name[64] = {};
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid == GetCurrentProcessId() && GetClassNameA(hwnd, name, sizeof name) &&
         std::strcmp(name, HOSTPAD_EDITORCLASS) == 0;
}

}  // namespace

HWND CreateHostEditor(HWND parent, int id) {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  if (!GetClassInfoA(inst, HOSTPAD_EDITORCLASS, &wc)) {
    wc.lpfnWndProc = EditorProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    wc.lpszClassName = HOSTPAD_EDITORCLASS;
    RegisterClassA(&wc);
  }
  return CreateWindowExA(WS_EX_CLIENTEDGE, HOSTPAD_EDITORCLASS, "",
                         WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, 0, 0, 100, 100, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
}

EditBuffer* HostEditorBuffer(HWND editor) { return IsEditor(editor) ? &From(editor)->buf : nullptr; }

HostEditorSettings* HostEditorSettingsOf(HWND editor) {
  return IsEditor(editor) ? &From(editor)->settings : nullptr;
}

void HostEditorRefresh(HWND editor) {
  if (IsEditor(editor)) Refresh(*From(editor));
}
