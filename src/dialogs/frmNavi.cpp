// The link (frmNaviA) and the action (frmNaviAction) dialog: one form, two row tables.
#include "dialogs/RowDialog.h"
#include "dialogs/frmNaviA.h"
#include "dialogs/frmNaviAction.h"
#include "dialogs/logic/NaviTag.h"
#include "res/resource.h"

namespace {

// The controls of the twelve rows that both write in the same order after their own first
// rows. P is the dialog's control-id prefix (NAVIA, NAVIACTION).
#define NAVI_SHARED_CONTROLS(P)                                                                   \
  {IDC_##P##_CHKVARS, IDC_##P##_TXTVARS}, {IDC_##P##_CHKNEXT, IDC_##P##_TXTNEXT},                 \
  {IDC_##P##_CHKRECEIVE, IDC_##P##_TXTRECEIVE}, {IDC_##P##_CHKCANCEL, IDC_##P##_TXTCANCEL},       \
  {IDC_##P##_CHKCLEAR, IDC_##P##_CBOCLEAR}, {IDC_##P##_CHKSENDREFERER, IDC_##P##_TXTSENDREFERER}, \
  {IDC_##P##_CHKFRIEND, IDC_##P##_CBOFRIEND}, {IDC_##P##_CHKRETVALS, IDC_##P##_TXTRETVALS},       \
  {IDC_##P##_CHKPOSTMETHOD, IDC_##P##_CBOPOSTMETHOD}, {IDC_##P##_CHKPOSTDATA, IDC_##P##_TXTPOSTDATA}, \
  {IDC_##P##_CHKNUMBER, IDC_##P##_TXTNUMBER}, {IDC_##P##_CHKACCEPTCHARSET, IDC_##P##_TXTACCEPTCHARSET}

constexpr TagDialog::RowControls kAControls[] = {
    {IDC_NAVIA_CHKTASK, IDC_NAVIA_CBOTASK}, {IDC_NAVIA_CHKRELNEXT, 0},
    {IDC_NAVIA_CHKLABEL, IDC_NAVIA_TXTLABEL}, {IDC_NAVIA_CHKDEST, IDC_NAVIA_TXTDEST},
    NAVI_SHARED_CONTROLS(NAVIA),
};
static_assert(std::size(kAControls) == NaviRows::kA.size());

constexpr TagDialog::RowControls kActionControls[] = {
    {0, IDC_NAVIACTION_CBOTYPE}, {0, IDC_NAVIACTION_CBOTASK}, {IDC_NAVIACTION_CHKRELNEXT, 0},
    {IDC_NAVIACTION_CHKDEST, IDC_NAVIACTION_TXTDEST}, {IDC_NAVIACTION_CHKLABEL, IDC_NAVIACTION_TXTLABEL},
    NAVI_SHARED_CONTROLS(NAVIACTION),
    {IDC_NAVIACTION_CHKICON, IDC_NAVIACTION_TXTICON}, {IDC_NAVIACTION_CHKSRC, IDC_NAVIACTION_TXTSRC},
};
static_assert(std::size(kActionControls) == NaviRows::kAction.size());

#undef NAVI_SHARED_CONTROLS

constexpr TagDialog::Page kAPages[] = {
    {L"ナビゲーション", IDD_NAVIA_PAGENAVI}, {L"変数", IDD_NAVIA_PAGEVARS}, {L"データ", IDD_NAVIA_PAGEDATA}};
constexpr TagDialog::Page kActionPages[] = {
    {L"ナビゲーション", IDD_NAVIACTION_PAGENAVI}, {L"変数", IDD_NAVIACTION_PAGEVARS},
    {L"データ", IDD_NAVIACTION_PAGEDATA}, {L"画像", IDD_NAVIACTION_PAGEIMAGE}};

struct Navi {
  const TagForm& form;
  std::span<const TagDialog::RowControls> controls;
  int tab;
  std::span<const TagDialog::Page> pages;
  const wchar_t* endTag;
};

constexpr Navi kA{kNaviAForm, kAControls, IDC_NAVIA_SSTAB1, kAPages, kNaviAEndTag};
constexpr Navi kAction{kNaviActionForm, kActionControls, IDC_NAVIACTION_SSTAB1, kActionPages, kNaviActionEndTag};

template <const Navi& N>
struct Form final : TagDialog::RowForm {
  Form() : RowForm(N.form, N.controls) {}
  void Prepare() override { AddPages(N.tab, N.pages); }
  std::wstring EndTag() const override { return N.endTag; }
};

}  // namespace

namespace frmNaviA {
std::span<const TagDialog::RowControls> Controls() { return kAControls; }
bool Show(HWND owner) { return TagDialog::Open<Form<kA>>(owner, IDD_NAVIA); }
bool Edit(HWND owner, const TagDialog::Existing& tag) { return TagDialog::Open<Form<kA>>(owner, IDD_NAVIA, &tag); }
}  // namespace frmNaviA

namespace frmNaviAction {
std::span<const TagDialog::RowControls> Controls() { return kActionControls; }
bool Show(HWND owner) { return TagDialog::Open<Form<kAction>>(owner, IDD_NAVIACTION); }
bool Edit(HWND owner, const TagDialog::Existing& tag) {
  return TagDialog::Open<Form<kAction>>(owner, IDD_NAVIACTION, &tag);
}
}  // namespace frmNaviAction
