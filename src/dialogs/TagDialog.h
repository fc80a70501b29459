// What every tag dialog shares: modal display from its resource template, owned by the hidden
// main window; the two ways out (OK hands the tags over, Cancel / Esc / close box hand nothing);
// change events that run at once, inside the assignment; tab pages; combo boxes read right.
//
// A dialog unit is a plain state struct derived from TagDialog::Form plus a one-line Show:
//
//   namespace frmX {
//   namespace {
//   struct Form final : TagDialog::Form {
//     void Form_Load() override { SelectFirst(IDC_X_CBOFOO); Reset(); }
//     void Command(int id, int code) override { if (IsChange(id, code)) Reset(); }
//     void cmdOK_Click() override { Reset(); HandOver(Text(IDC_TXTED), L"</X>"); }
//     void Reset() { SetText(IDC_TXTED, BuildXTag(ReadState())); }
//   };
//   }
//   bool Show(HWND owner) { Form form; return TagDialog::Show(form, owner, IDD_X); }
//   }
//
// Esc presses the dialog's IDCANCEL button when its template has one (Windows' own rule); a
// dialog whose Esc must do nothing gives its cmdCancel IDC_CMDCANCEL_NOESC instead. The close
// box always cancels.
#pragma once
#include <windows.h>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/logic/Placement.h"

namespace TagDialog {

std::wstring Text(HWND ctl);
// An EDIT sends EN_CHANGE from inside WM_SETTEXT even when the text is equal; the change rule
// says that assigning an equal text runs nothing. True when the text was changed.
bool SetTextIfChanged(HWND ctl, std::wstring_view text);

// Moves `window` (of its present size) to where `place` (Placement::CentreOver, LowerRightOf,
// BesideRightOf) puts it near `front`'s window, inside the work area of `front`'s monitor (with
// TeraPad on a second monitor, the primary one's would carry it away). Nothing when `front` is
// not a shown window.
void PlaceBy(HWND window, HWND front,
             Placement::Point (*place)(const Placement::Rect& over, int width, int height, const Placement::Rect& work));

// A tag already in the text that a dialog opens on, to change it rather than insert a new one.
struct Existing {
  std::wstring tag;         // the start tag, "<" to ">"; for the choice entries the selected lines
  bool hasEndTag = false;   // its matching end tag follows it
};

// One page of a tab control (`SSTab1`): its caption and the child dialog template it shows.
struct Page {
  const wchar_t* caption;
  int templateId;
};

class Form {
public:
  virtual ~Form() = default;

  HWND hwnd() const { return m_hwnd; }
  // A control of the dialog or of any of its pages (ids are unique within one dialog).
  HWND Item(int id) const;

  std::wstring Text(int id) const;
  // Changes the text only when it differs; the control's change event runs inside this call.
  void SetText(int id, std::wstring_view text) const;
  bool Ticked(int id) const;                 // check box value 1
  // An editable combo's edit shows a picked item only after CBN_SELCHANGE has returned, so
  // while that notification runs this answers the picked item; a drop-down list answers its
  // selected item; otherwise the combo's text.
  std::wstring ComboText(int id) const;
  // The text an input control shows: a combo box's as ComboText reads it, any other's as it is.
  std::wstring InputText(int id) const;
  void AddItems(int comboId, std::span<const std::wstring_view> items) const;
  void AddItems(int comboId, std::initializer_list<std::wstring_view> items) const {
    AddItems(comboId, std::span(items.begin(), items.size()));
  }
  void SelectFirst(int comboId) const;      // CB_SETCURSEL 0 (sends no change event)
  // A tool tip shown while the pointer rests on the control.
  void AddTooltip(int id, const wchar_t* text);

  // Creates the pages of tab control tabId, first page in front. Call from Form_Load, before
  // anything reads the pages' controls.
  void AddPages(int tabId, std::span<const Page> pages);
  void AddPages(int tabId, std::initializer_list<Page> pages) { AddPages(tabId, std::span(pages.begin(), pages.size())); }

  // The tag being edited; nullptr when the dialog makes a new one.
  const Existing* Editing() const { return m_editing; }

  // True for the notifications that are a control's change event: a check box's click, an
  // edit's change, a combo's edit or pick. Notification codes overlap between control kinds
  // (CBN_EDITCHANGE == BN_DOUBLECLICKED), so the control's class decides. `txtEd` is no input.
  bool IsChange(int id, int code) const;

  // The two ways of unloading: OK sets both pending tags; Cancel empties both.
  void HandOver(std::wstring startTag, std::wstring endTag);
  void Cancel();

protected:
  virtual void Form_Load() = 0;              // controls to their designed defaults, then Reset
  virtual void Command(int id, int code) = 0;  // WM_COMMAND of a control, pages included
  virtual void cmdOK_Click() = 0;            // OK button, and Enter where OK is the default
  // Other messages of the dialog (WM_NOTIFY of its own controls, focus...); FALSE = not handled.
  virtual INT_PTR Message(UINT msg, WPARAM wParam, LPARAM lParam) { return FALSE; }

private:
  friend struct Access;
  friend bool Show(Form& form, HWND owner, int templateId, const Existing* editing);
  HWND m_hwnd = nullptr;
  const Existing* m_editing = nullptr;
  HWND m_tab = nullptr;
  HWND m_tooltips = nullptr;      // owned by the dialog: destroyed with it
  std::vector<HWND> m_pages;
  HWND m_selChanging = nullptr;   // combo whose CBN_SELCHANGE is being handled
  HWND m_centreOn = nullptr;      // the window in front when the dialog was asked for (the editor)
};

// Shows `form` modally from dialog template templateId, owned by `owner`; returns when the
// dialog has unloaded: true after OK. A dialog that cannot be created hands nothing over.
// With `editing`, the dialog opens on that tag and its caption says so.
bool Show(Form& form, HWND owner, int templateId, const Existing* editing = nullptr);

// Shows a new form of type F: the one-line Show (editing == nullptr) and Edit of every dialog.
template <class F>
bool Open(HWND owner, int templateId, const Existing* editing = nullptr) {
  F form;
  return Show(form, owner, templateId, editing);
}

// What a dialog's caption gains while it edits a tag that is already in the text.
inline constexpr wchar_t kEditingCaption[] = L" (編集)";

}  // namespace TagDialog
