#include "check/frmCheck.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/frmMain.h"
#include "app/mdlMain.h"
#include "bridge/BesideTeraPad.h"
#include "check/logic/HdmlCheck.h"
#include "common/Guarded.h"
#include "dialogs/TagDialog.h"
#include "res/resource.h"

namespace frmCheck {
namespace {

constexpr wchar_t kNothingFound[] = L"問題は見つかりませんでした。";
enum Column { kLine, kColumn, kSeverity, kMessage };

struct Form {
  HWND hwnd = nullptr;
  HWND lstProblems = nullptr;
  std::vector<HdmlCheck::Problem> problems;
  std::string text;   // the editor's text as last read: the next read is sized by it
  SIZE designed{};   // the template's size: the smallest the window may be made
};

// The one check window of the program.
Form form;

HWND Item(int id) { return GetDlgItem(form.hwnd, id); }

// "HDML チェック - " and the name of TeraPad's file, as its own title shows it.
std::wstring Caption() {
  const std::wstring path = gTeraPad->FileName();
  const size_t slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  if (name.empty()) name = L"無題";
  return L"HDML チェック - " + name;
}

void Recheck() {
  SetWindowTextW(form.hwnd, Caption().c_str());
  gTeraPad->TextMbcs(form.text);
  form.problems = HdmlCheck::Check(form.text);
  // One row per problem, or the one row that says there is none. The list asks for the texts of
  // the rows it shows only, so a long list costs nothing to fill.
  const int rows = form.problems.empty() ? 1 : static_cast<int>(form.problems.size());
  ListView_SetItemCountEx(form.lstProblems, rows, 0);
  ListView_SetItemState(form.lstProblems, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(form.lstProblems, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(form.lstProblems, 0, FALSE);
  InvalidateRect(form.lstProblems, nullptr, TRUE);
}

std::wstring Cell(int row, int column) {
  if (form.problems.empty()) return column == kMessage ? kNothingFound : L"";
  if (row < 0 || static_cast<size_t>(row) >= form.problems.size()) return {};
  const HdmlCheck::Problem& p = form.problems[static_cast<size_t>(row)];
  switch (column) {
    case kLine: return std::to_wstring(p.line);
    case kColumn: return std::to_wstring(p.column);
    case kSeverity: return std::wstring(HdmlCheck::SeverityText(p.severity));
    default: return p.message;
  }
}

// The row's bytes selected in the editor and scrolled into view; the editor gets the keyboard.
void TakeRow(int row) {
  if (row < 0 || static_cast<size_t>(row) >= form.problems.size()) return;
  const HdmlCheck::Problem& p = form.problems[static_cast<size_t>(row)];
  gTeraPad->SelSet(static_cast<long>(p.begin), static_cast<long>(p.end));
  gTeraPad->ScrollCaret();
  frmMain::ReturnToTeraPad();
}

// Destroying an owned window activates its owner, TeraPad's main window, which then keeps the
// keyboard itself: its editor is handed the keyboard as after every other way out of ours.
void Close() {
  DestroyWindow(form.hwnd);
  frmMain::ReturnToTeraPad();
}

int SelectedRow() { return ListView_GetNextItem(form.lstProblems, -1, LVNI_SELECTED); }

// The list fills the window below its label; the buttons keep to its lower right corner.
void Layout() {
  RECT client, margin{7, 18, 4, 14}, button{};
  GetClientRect(form.hwnd, &client);
  MapDialogRect(form.hwnd, &margin);   // left: margin, top: the list's top, right: gap, bottom: button height
  const HWND recheck = Item(IDC_CHECK_CMDRECHECK), close = Item(IDCANCEL);
  GetWindowRect(close, &button);
  const int bw = button.right - button.left, bh = margin.bottom, m = margin.left, gap = margin.right;
  const int by = client.bottom - m - bh, top = margin.top;
  SetWindowPos(form.lstProblems, nullptr, m, top, std::max(0L, client.right - 2 * m), std::max(0, by - gap - top),
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(close, nullptr, client.right - m - bw, by, bw, bh, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(recheck, nullptr, client.right - m - 2 * bw - gap, by, bw, bh, SWP_NOZORDER | SWP_NOACTIVATE);
  ListView_SetColumnWidth(form.lstProblems, kMessage, LVSCW_AUTOSIZE_USEHEADER);
}

void AddColumns() {
  const struct { const wchar_t* caption; int width; int format; } columns[] = {
      {L"行", 40, LVCFMT_RIGHT}, {L"桁", 40, LVCFMT_RIGHT}, {L"種類", 50, LVCFMT_LEFT}, {L"内容", 300, LVCFMT_LEFT}};
  for (int i = 0; i < 4; ++i) {
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    c.pszText = const_cast<wchar_t*>(columns[i].caption);
    c.cx = columns[i].width;
    c.fmt = columns[i].format;
    ListView_InsertColumn(form.lstProblems, i, &c);
  }
  ListView_SetExtendedListViewStyle(form.lstProblems, LVS_EX_FULLROWSELECT);
}

// At the lower right of TeraPad's window, kept inside the work area of TeraPad's monitor.
void PlaceOverTeraPad() {
  TagDialog::PlaceBy(form.hwnd, gTeraPad->hwnd(), Placement::LowerRightOf);
}

INT_PTR Handle(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      form.hwnd = h;
      form.lstProblems = GetDlgItem(h, IDC_CHECK_LSTPROBLEMS);
      RECT rc;
      GetWindowRect(h, &rc);
      form.designed = {rc.right - rc.left, rc.bottom - rc.top};
      AddColumns();
      PlaceOverTeraPad();
      Layout();
      return TRUE;
    }
    case WM_SIZE:
      Layout();
      return TRUE;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {form.designed.cx, form.designed.cy};
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:   // Enter: on the list it takes the selected row
          if (GetFocus() == form.lstProblems) TakeRow(SelectedRow());
          return TRUE;
        case IDC_CHECK_CMDRECHECK:
          Recheck();
          return TRUE;
        case IDCANCEL:   // "閉じる", Esc
          Close();
          return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      Close();
      return TRUE;
    case WM_NCDESTROY:
      form = Form{};
      return FALSE;
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
      if (hdr->hwndFrom != form.lstProblems) return FALSE;
      if (hdr->code == LVN_GETDISPINFOW) {
        auto& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
          lstrcpynW(item.pszText, Cell(item.iItem, item.iSubItem).c_str(), item.cchTextMax);
        return TRUE;
      }
      if (hdr->code == LVN_ITEMACTIVATE) {   // double-click
        TakeRow(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
        return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}


}  // namespace

void Show() {
  if (!form.hwnd) {
    // Owned by TeraPad's main window: it stays in front of TeraPad, and only of TeraPad.
    CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_CHECK), gTeraPad->hwnd(), GuardedDialogProc<Handle>, 0);
    if (!form.hwnd) return;
  }
  Recheck();
  if (IsIconic(form.hwnd)) ShowWindow(form.hwnd, SW_RESTORE);
  ShowWindow(form.hwnd, SW_SHOW);
  BesideTeraPad::Join(form.hwnd);   // hidden with TeraPad, disabled under a tag dialog
  SetForegroundWindow(form.hwnd);
  SetFocus(form.lstProblems);
}

bool PreTranslate(MSG& msg) { return form.hwnd && IsDialogMessageW(form.hwnd, &msg); }

}  // namespace frmCheck
