#include "dialogs/frmImg.h"

#include <commdlg.h>

#include <algorithm>

#include "dialogs/RowDialog.h"
#include "dialogs/logic/ImgTag.h"
#include "res/resource.h"

namespace frmImg {
namespace {

// `CommonDialog1`, the system's file-open dialog. Its file name lives as long as one opening of
// the image dialog: "*.bmp" (which the dialog also takes as its first filter) until a file is
// picked, the last picked path afterwards.
struct CommonDialog1 {
  std::wstring FileName = kImgBrowseFileName;

  // Modal over `owner`; true when a file was picked, FileName then being its full path.
  bool ShowOpen(HWND owner) {
    const std::wstring filter = OpenFileFilter(kImgBrowseFilter);
    std::wstring file = FileName;
    file.resize(std::max<size_t>(FileName.size() + 1, 32768), L'\0');   // room for any long path
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = kImgBrowseTitle;
    // Browsing must not move the process's current folder; a read-only tick means nothing here.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    // On a cancel or a failure the buffer may hold anything (a needed size, half a path).
    if (!GetOpenFileNameW(&ofn)) return false;
    FileName = file.c_str();
    return true;
  }
};

constexpr TagDialog::RowControls kControls[] = {
    {0, IDC_IMG_TXTSRC}, {IDC_IMG_CHKALT, IDC_IMG_TXTALT}, {IDC_IMG_CHKICON, IDC_IMG_TXTICON}};
static_assert(std::size(kControls) == std::size(kImgRows));

struct Form final : TagDialog::RowForm {
  Form() : RowForm(kImgForm, kControls) {}

  std::wstring EndTag() const override { return kImgEndTag; }

  void Command(int id, int code) override {
    if (id == IDC_IMG_CMDBROWSE) {
      if (code == BN_CLICKED) cmdBrowse_Click();
    } else {
      RowForm::Command(id, code);
    }
  }

  // A pick replaces the source with the file's full path, and its change event rebuilds the
  // preview. A cancel leaves the source as the author left it: writing the dialog's file name
  // back would throw away a typed URL and put "*.bmp" into the tag.
  void cmdBrowse_Click() {
    if (m_commonDialog1.ShowOpen(hwnd())) SetText(IDC_IMG_TXTSRC, m_commonDialog1.FileName);
  }

  CommonDialog1 m_commonDialog1;
};

}  // namespace

bool Show(HWND owner) { return TagDialog::Open<Form>(owner, IDD_IMG); }
bool Edit(HWND owner, const TagDialog::Existing& tag) { return TagDialog::Open<Form>(owner, IDD_IMG, &tag); }

}  // namespace frmImg
