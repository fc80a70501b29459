#include "preview/TolvaneScreen.h"

#include <algorithm>
#include <string>

#include "common/Ansi.h"
#include "common/ScopedHandles.h"

namespace TolvaneScreen {
namespace {

// A grey-green liquid-crystal face with dark segments, as the phones of the time had.
constexpr COLORREF kFace = RGB(0xB4, 0xC8, 0x9A), kInk = RGB(0x1E, 0x2A, 0x1A);
constexpr COLORREF kVariableInk = RGB(0x10, 0x40, 0x9A);   // a variable without a value
constexpr int kMargin = 4, kRuleGap = 3;
constexpr int kFontHeight = 16;   // 8 x 16 half-width cells

struct Control {
  const View* view = nullptr;
  Font font;
  SIZE cell{8, 16};
};

Control* Of(HWND h) { return reinterpret_cast<Control*>(GetWindowLongPtrW(h, GWLP_USERDATA)); }

// The phones' fixed-pitch Gothic; under Wine the prefix maps the name to IPAGothic.
Font MakeFont() {
  return Font(CreateFontW(-kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN,
                          L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF"));   // "ＭＳ ゴシック"
}

std::wstring Shown(const Control& c) {
  if (!c.view) return {};
  return FromAnsi(Preview::ScreenText(c.view->screen, c.view->top, c.view->size));
}

// cp932 bytes at a column: each character in its own cells (a double-byte one in two), whatever
// widths the font would give it.
void DrawText(HDC dc, const Control& c, int x, int y, const std::string& bytes) {
  const std::wstring w = FromAnsi(bytes);
  std::vector<INT> dx;
  for (int columns : Preview::CharColumns(bytes)) dx.push_back(columns * c.cell.cx);
  ExtTextOutW(dc, x, y, 0, nullptr, w.c_str(), static_cast<UINT>(w.size()), dx.size() == w.size() ? dx.data() : nullptr);
}

void Paint(HWND h, HDC target, const Control& c) {
  RECT client;
  GetClientRect(h, &client);
  MemoryDC dc(target);
  Bitmap buffer(CreateCompatibleBitmap(target, client.right, client.bottom));
  // Drawn off screen and put on it in one piece: no flicker while the author types.
  dc.Select(buffer.get());
  Brush face(CreateSolidBrush(kFace));
  FillRect(dc.get(), &client, face.get());
  if (!c.view) {
    BitBlt(target, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
    return;
  }
  SelectObject(dc.get(), c.font.get());
  SetBkMode(dc.get(), TRANSPARENT);
  const View& v = *c.view;
  const Preview::Screen& s = v.screen;
  const int lines = std::max(v.size.lines, 1), cx = c.cell.cx, cy = c.cell.cy;
  Brush ink(CreateSolidBrush(kInk));
  for (int i = 0; i < lines; ++i) {
    const int r = v.top + i;
    if (r < 0 || r >= static_cast<int>(s.rows.size())) continue;
    const int y = kMargin + i * cy;
    for (const Preview::Run& run : s.rows[static_cast<size_t>(r)].runs) {
      const int x = kMargin + run.column * cx;
      const bool lit = run.item >= 0 && run.item == s.highlighted;
      if (run.image >= 0 && static_cast<size_t>(run.image) < v.pictures.size() && v.pictures[static_cast<size_t>(run.image)].bitmap) {
        const Picture& p = v.pictures[static_cast<size_t>(run.image)];
        const Preview::Image& img = s.images[static_cast<size_t>(run.image)];
        const int boxW = img.columns * cx, boxH = img.rows * cy;
        // Never wider than the screen, never enlarged: the layout's box was made from this scale.
        const double scale = std::min(1.0, std::min(static_cast<double>(boxW) / std::max<LONG>(p.size.cx, 1),
                                                    static_cast<double>(boxH) / std::max<LONG>(p.size.cy, 1)));
        MemoryDC picture(dc.get());
        picture.Select(p.bitmap);
        SetStretchBltMode(dc.get(), HALFTONE);
        StretchBlt(dc.get(), x, y, static_cast<int>(p.size.cx * scale), static_cast<int>(p.size.cy * scale), picture.get(),
                   0, 0, p.size.cx, p.size.cy, SRCCOPY);
        if (lit) {
          RECT frame{x, y, x + boxW, y + boxH};
          FrameRect(dc.get(), &frame, ink.get());
        }
        continue;
      }
      // The highlighted item in reverse video.
      if (lit) {
        RECT back{x, y, x + static_cast<int>(run.text.size()) * cx, y + cy};
        FillRect(dc.get(), &back, ink.get());
      }
      SetTextColor(dc.get(), lit ? kFace : run.style == Preview::Style::Variable ? kVariableInk : kInk);
      DrawText(dc.get(), c, x, y, run.text);
    }
  }
  // The rule, and the soft keys' labels under it.
  const int ruleY = kMargin + lines * cy + kRuleGap / 2;
  RECT rule{kMargin, ruleY, client.right - kMargin, ruleY + 1};
  FillRect(dc.get(), &rule, ink.get());
  SetTextColor(dc.get(), kInk);
  DrawText(dc.get(), c, kMargin, kMargin + lines * cy + kRuleGap, Preview::SoftKeyRow(s, v.size.columns));
  if (GetFocus() == h) {
    // Keys go to the preview now (a click put them here): say so with the focus frame.
    RECT focus = client;
    InflateRect(&focus, -1, -1);
    DrawFocusRect(dc.get(), &focus);
  }
  BitBlt(target, 0, 0, client.right, client.bottom, dc.get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK ScreenProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  try {
    Control* c = Of(h);
    switch (msg) {
      case WM_NCCREATE: {
        auto* made = new Control;
        made->font = MakeFont();
        if (HDC dc = GetDC(h)) {
          HGDIOBJ old = SelectObject(dc, made->font.get());
          TEXTMETRICW tm{};
          if (GetTextMetricsW(dc, &tm) && tm.tmAveCharWidth > 0) made->cell = {tm.tmAveCharWidth, tm.tmHeight};
          SelectObject(dc, old);
          ReleaseDC(h, dc);
        }
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
        break;
      }
      case WM_NCDESTROY:
        delete c;
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
        break;
      case WM_ERASEBKGND:
        return 1;   // WM_PAINT covers every pixel
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        if (c) Paint(h, dc, *c);
        EndPaint(h, &ps);
        return 0;
      }
      case WM_GETTEXTLENGTH:
        return c ? static_cast<LRESULT>(Shown(*c).size()) : 0;
      case WM_GETTEXT: {
        if (!c || wParam == 0 || !lParam) return 0;
        const std::wstring text = Shown(*c);
        const size_t n = std::min(text.size(), static_cast<size_t>(wParam) - 1);
        auto* out = reinterpret_cast<wchar_t*>(lParam);
        std::copy_n(text.c_str(), n, out);
        out[n] = L'\0';
        return static_cast<LRESULT>(n);
      }
      case WM_SETTEXT:
        return TRUE;   // it shows the card, not a text of its own
      case WM_GETDLGCODE: {
        // The arrows and typed characters are the phone's keys; so is Enter, which a dialog
        // would otherwise take for its default button.
        LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (const MSG* m = reinterpret_cast<const MSG*>(lParam); m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN)
          code |= DLGC_WANTMESSAGE;
        return code;
      }
      case WM_LBUTTONDOWN:
        SetFocus(h);
        return 0;
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        InvalidateRect(h, nullptr, FALSE);
        return 0;
      case WM_KEYDOWN:
        if (c && c->view && c->view->key &&
            (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_RETURN || wParam == VK_BACK)) {
          c->view->key(wParam, false);
          return 0;
        }
        break;
      case WM_CHAR:
        if (c && c->view && c->view->key && wParam >= 0x20 && wParam != 0x7F) c->view->key(wParam, true);
        return 0;
    }
  } catch (...) {
    // No exception crosses the system's dispatching; the event is dropped.
    return 0;
  }
  return DefWindowProcW(h, msg, wParam, lParam);
}

}  // namespace

bool Register() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, kClassName, &wc)) return true;
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = ScreenProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0;
}

void SetView(HWND control, const View* view) {
  if (Control* c = Of(control)) {
    c->view = view;
    InvalidateRect(control, nullptr, FALSE);
  }
}

SIZE Cell(HWND control) {
  const Control* c = Of(control);
  return c ? c->cell : SIZE{8, 16};
}

SIZE PixelSize(HWND control, Preview::ScreenSize size) {
  const SIZE cell = Cell(control);
  RECT rc{0, 0, 2 * kMargin + std::max(size.columns, 2) * cell.cx,
          2 * kMargin + (std::max(size.lines, 1) + 1) * cell.cy + kRuleGap};
  AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE)));
  return {rc.right - rc.left, rc.bottom - rc.top};
}

}  // namespace TolvaneScreen
