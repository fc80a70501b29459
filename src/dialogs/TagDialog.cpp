#include "dialogs/TagDialog.h"

#include <commctrl.h>

#include <utility>

#include "dialogs/logic/Placement.h"
#include "insert/mdlHDML.h"
#include "res/resource.h"

namespace TagDialog {

std::wstring Text(HWND ctl) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(ctl)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(ctl, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool SetTextIfChanged(HWND ctl, std::wstring_view text) {
  if (Text(ctl) == text) return false;
  SetWindowTextW(ctl, std::wstring(text).c_str());
  return true;
}

namespace {

bool IsClass(HWND h, const wchar_t* cls) {
  wchar_t name[64] = {};
  GetClassNameW(h, name, 64);
  return lstrcmpiW(name, cls) == 0;
}

std::wstring ListItem(HWND combo, LRESULT index) {
  const LRESULT len = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
  if (len == CB_ERR) return {};
  std::wstring item(static_cast<size_t>(len) + 1, L'\0');
  const LRESULT got = SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data()));
  item.resize(got == CB_ERR ? 0 : static_cast<size_t>(got));
  return item;
}

// The owner is a hidden window at 0,0 of no size; the author looks at the editor, so the dialog
// comes up over the window that was in front.
void CentreOver(HWND dlg, HWND front) {
  PlaceBy(dlg, front, Placement::CentreOver);
}

}  // namespace

void PlaceBy(HWND window, HWND front,
             Placement::Point (*place)(const Placement::Rect& over, int width, int height, const Placement::Rect& work)) {
  RECT over, own;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!front || !IsWindowVisible(front) || !GetWindowRect(front, &over) ||
      !GetMonitorInfoW(MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST), &monitor))
    return;
  GetWindowRect(window, &own);
  const int w = own.right - own.left, h = own.bottom - own.top;
  const RECT& work = monitor.rcWork;
  const Placement::Point at =
      place({over.left, over.top, over.right, over.bottom}, w, h, {work.left, work.top, work.right, work.bottom});
  SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The dialog and page procedures: they keep the Form in the window's user data and are the only
// callers of its protected handlers.
struct Access {
  static void ShowPage(Form& form, int index) {
    for (size_t i = 0; i < form.m_pages.size(); ++i)
      ShowWindow(form.m_pages[i], static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
  }

  // Control notifications of the dialog and of its pages alike, called (never posted) while
  // the control's own message is still running: a change handler runs inside the assignment.
  static void Dispatch(Form& form, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    if (id == IDOK && code == BN_CLICKED) return form.cmdOK_Click();
    if (id == IDCANCEL) {
      // Esc arrives as IDCANCEL too: it cancels only where the template's cmdCancel is IDCANCEL.
      if (GetDlgItem(form.m_hwnd, IDCANCEL)) form.Cancel();
      return;
    }
    if (id == IDC_CMDCANCEL_NOESC && code == BN_CLICKED) return form.Cancel();
    if (code == CBN_SELCHANGE && IsClass(reinterpret_cast<HWND>(lParam), WC_COMBOBOXW)) {
      const HWND outer = std::exchange(form.m_selChanging, reinterpret_cast<HWND>(lParam));
      try {
        form.Command(id, code);
      } catch (...) {
        form.m_selChanging = outer;
        throw;
      }
      form.m_selChanging = outer;
      return;
    }
    form.Command(id, code);
  }

  static INT_PTR Handle(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
      auto* form = reinterpret_cast<Form*>(lParam);
      SetWindowLongPtrW(h, DWLP_USER, lParam);
      form->m_hwnd = h;
      CentreOver(h, form->m_centreOn);
      if (form->m_editing) SetWindowTextW(h, (TagDialog::Text(h) + kEditingCaption).c_str());
      form->Form_Load();
      return TRUE;   // focus to the first control of the tab order
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(h, DWLP_USER));
    if (!form) return FALSE;
    switch (msg) {
      case WM_COMMAND:
        Dispatch(*form, wParam, lParam);
        return TRUE;
      case WM_CLOSE:   // the close box (and Alt+F4) cancels, whatever Esc does
        form->Cancel();
        return TRUE;
      case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (form->m_tab && hdr->hwndFrom == form->m_tab && hdr->code == TCN_SELCHANGE) {
          ShowPage(*form, static_cast<int>(SendMessageW(form->m_tab, TCM_GETCURSEL, 0, 0)));
          return TRUE;
        }
        break;
      }
    }
    return form->Message(msg, wParam, lParam);
  }

  static INT_PTR CALLBACK DialogProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
      return Handle(h, msg, wParam, lParam);
    } catch (...) {
      // No exception crosses the system's dialog manager; the event is dropped, the dialog stays.
      return FALSE;
    }
  }

  static INT_PTR CALLBACK PageProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
      if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(h, DWLP_USER, lParam);
        return FALSE;   // the owning dialog places the focus
      }
      auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(h, DWLP_USER));
      if (form && msg == WM_COMMAND) {
        Dispatch(*form, wParam, lParam);
        return TRUE;
      }
    } catch (...) {
      return FALSE;
    }
    return FALSE;
  }
};

HWND Form::Item(int id) const {
  if (HWND h = GetDlgItem(m_hwnd, id)) return h;
  for (HWND page : m_pages)
    if (HWND h = GetDlgItem(page, id)) return h;
  return nullptr;
}

std::wstring Form::Text(int id) const { return TagDialog::Text(Item(id)); }

void Form::SetText(int id, std::wstring_view text) const { SetTextIfChanged(Item(id), text); }

bool Form::Ticked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::wstring Form::ComboText(int id) const {
  const HWND combo = Item(id);
  const bool dropDownList = (GetWindowLongW(combo, GWL_STYLE) & 3) == CBS_DROPDOWNLIST;
  if (dropDownList || combo == m_selChanging) {
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index != CB_ERR) return ListItem(combo, index);
    if (dropDownList) return {};
  }
  return TagDialog::Text(combo);
}

std::wstring Form::InputText(int id) const {
  return IsClass(Item(id), WC_COMBOBOXW) ? ComboText(id) : Text(id);
}

void Form::AddItems(int comboId, std::span<const std::wstring_view> items) const {
  const HWND combo = Item(comboId);
  for (std::wstring_view item : items)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(item).c_str()));
}

void Form::SelectFirst(int comboId) const { SendMessageW(Item(comboId), CB_SETCURSEL, 0, 0); }

void Form::AddTooltip(int id, const wchar_t* text) {
  if (!m_tooltips)
    m_tooltips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  const HWND ctl = Item(id);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(ctl);
  tool.uId = reinterpret_cast<UINT_PTR>(ctl);
  tool.lpszText = const_cast<wchar_t*>(text);   // copied by the tool tip control
  SendMessageW(m_tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // The pointer over an editable combo box is over its edit child, whose mouse messages never
  // reach the combo's window: the edit needs a tool of its own.
  COMBOBOXINFO combo{sizeof(combo)};
  if (IsClass(ctl, WC_COMBOBOXW) && GetComboBoxInfo(ctl, &combo) && combo.hwndItem && combo.hwndItem != ctl) {
    tool.hwnd = ctl;
    tool.uId = reinterpret_cast<UINT_PTR>(combo.hwndItem);
    SendMessageW(m_tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void Form::AddPages(int tabId, std::span<const Page> pages) {
  m_tab = GetDlgItem(m_hwnd, tabId);
  // The pages are children of the tab control: the tab paints its frame, the page paints over
  // it, and the control-parent style lets Tab and the access keys walk into the pages.
  SetWindowLongW(m_tab, GWL_EXSTYLE, GetWindowLongW(m_tab, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  SetWindowLongW(m_tab, GWL_STYLE, GetWindowLongW(m_tab, GWL_STYLE) | WS_CLIPCHILDREN);
  int index = 0;
  for (const Page& page : pages) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(page.caption);
    SendMessageW(m_tab, TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&item));
  }
  RECT area;
  GetClientRect(m_tab, &area);
  SendMessageW(m_tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (const Page& page : pages) {
    HWND h = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(page.templateId), m_tab,
                                Access::PageProc, reinterpret_cast<LPARAM>(this));
    SetWindowPos(h, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    m_pages.push_back(h);
  }
  SendMessageW(m_tab, TCM_SETCURSEL, 0, 0);
  Access::ShowPage(*this, 0);
}

bool Form::IsChange(int id, int code) const {
  if (id == IDC_TXTED) return false;
  const HWND ctl = Item(id);
  if (IsClass(ctl, WC_EDITW)) return code == EN_CHANGE;
  if (IsClass(ctl, WC_BUTTONW)) return code == BN_CLICKED && id != IDOK && id != IDCANCEL && id != IDC_CMDCANCEL_NOESC;
  if (IsClass(ctl, WC_COMBOBOXW)) return code == CBN_EDITCHANGE || code == CBN_SELCHANGE;
  return false;
}

void Form::HandOver(std::wstring startTag, std::wstring endTag) {
  gStartTag = std::move(startTag);
  gEndTag = std::move(endTag);
  EndDialog(m_hwnd, IDOK);
}

void Form::Cancel() {
  gStartTag.clear();
  gEndTag.clear();
  EndDialog(m_hwnd, IDCANCEL);
}

bool Show(Form& form, HWND owner, int templateId, const Existing* editing) {
  form.m_editing = editing;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  form.m_centreOn = GetForegroundWindow();
  const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner,
                                         Access::DialogProc, reinterpret_cast<LPARAM>(&form));
  if (result != IDOK && result != IDCANCEL) {
    // Never shown (no template, no owner): the tags of an earlier dialog must not be inserted again.
    gStartTag.clear();
    gEndTag.clear();
  }
  return result == IDOK;
}

}  // namespace TagDialog
