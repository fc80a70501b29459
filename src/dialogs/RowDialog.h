// A tag dialog described by its row table (dialogs/logic): the controls of each row are read
// into the rows' state for the preview, and a tag being edited is written into them.
#pragma once
#include <span>
#include <string>
#include <vector>

#include "dialogs/TagDialog.h"
#include "dialogs/logic/TagRows.h"
#include "res/resource.h"

namespace TagDialog {

// The controls of one row, in the table's order: its check box and its value control (0: none).
struct RowControls {
  int check;
  int input;
};

// Opens with the rows as designed (Prepare adds what is the dialog's own), or on the tag being
// edited; every change of an input rebuilds the preview; OK hands over the preview and EndTag.
class RowForm : public Form {
public:
  RowForm(const TagForm& form, std::span<const RowControls> controls, int elementControl = 0)
      : m_form(form), m_controls(controls), m_element(elementControl) {}

protected:
  virtual void Prepare() {}                            // pages, tool tips, the dialog's own lists
  virtual std::wstring EndTag() const { return {}; }
  virtual std::wstring Preview() const { return TagFromRows(m_form, ReadRows()); }

  void Form_Load() override;
  void Command(int id, int code) override;
  void cmdOK_Click() override;
  void Reset() const { SetText(IDC_TXTED, Preview()); }

  // Ticks as designed, each list filled and (pickFirst) at its first item.
  void LoadRows(bool pickFirst) const;
  TagState ReadRows() const;
  // The tag's attributes into the controls. A value that a control does not keep as it was
  // given (a list without it, a box that rewrites it) is released: its row unticked, the
  // attribute written back as the author wrote it.
  void LoadTag(std::wstring_view tag);

private:
  void ShowRows(const TagState& s) const;
  void ShowInput(int id, std::wstring_view value) const;

  const TagForm& m_form;
  std::span<const RowControls> m_controls;
  int m_element;                        // the control that chooses the element; 0: fixed
  std::vector<KeptAttribute> m_kept;    // of the tag being edited
};

}  // namespace TagDialog
