#include "dialogs/frmDeck.h"

#include <utility>

#include "dialogs/TagDialog.h"
#include "dialogs/logic/Attribute.h"
#include "dialogs/logic/DeckTag.h"
#include "dialogs/logic/SecCalc.h"
#include "res/resource.h"

namespace frmDeck {
namespace {

constexpr int txtSecCalc(int index) { return IDC_DECK_TXTSECCALC0 + index; }

// Sets a flag for its lifetime and gives back the earlier value, exceptions included.
struct HoldBack {
  explicit HoldBack(bool& flag) : m_flag(flag), m_outer(std::exchange(flag, true)) {}
  ~HoldBack() { m_flag = m_outer; }
  HoldBack(const HoldBack&) = delete;
  HoldBack& operator=(const HoldBack&) = delete;
  bool& m_flag;
  bool m_outer;
};

struct Form final : TagDialog::Form {
  void Form_Load() override {
    AddPages(IDC_DECK_SSTAB1, {{L"デッキ", IDD_DECK_PAGEDECK}, {L"アクセス", IDD_DECK_PAGEACCESS}});
    // Design-time states that a template cannot carry (texts are in the template).
    for (int id : {IDC_DECK_CHKVERSION, IDC_DECK_CHKTTL, IDC_DECK_CHKMARKBLE})
      SendMessageW(Item(id), BM_SETCHECK, BST_CHECKED, 0);
    AddItems(IDC_DECK_CBOVERSION, {L"3.0", L"2.0"});
    AddItems(IDC_DECK_CBOMARKBLE, kTrueFalseItems);
    AddTooltip(IDC_DECK_CHKACCESSDOMAIN, L"主にMARKABLEをFALSEに下場合に利用します。");
    AddTooltip(IDC_DECK_CHKACCESSPATH, L"アクセスできない場合はこのデッキに飛びます。");

    SelectFirst(IDC_DECK_CBOVERSION);
    SelectFirst(IDC_DECK_CBOMARKBLE);
    Reset();
  }

  void Command(int id, int code) override {
    if (id == IDC_DECK_TXTTTL) {
      if (code == EN_CHANGE) txtTTL_Change();
    } else if (id >= txtSecCalc(0) && id <= txtSecCalc(3)) {
      if (code == EN_CHANGE) txtSecCalc_Change(id - txtSecCalc(0));
      if (code == EN_SETFOCUS) txtSecCalc_GotFocus(id - txtSecCalc(0));
    } else if (IsChange(id, code)) {
      Reset();
    }
  }

  void cmdOK_Click() override {
    Reset();
    HandOver(Text(IDC_TXTED), kDeckEndTag);
  }

  void Reset() {
    DeckState s;
    s.version = Ticked(IDC_DECK_CHKVERSION);
    s.versionText = ComboText(IDC_DECK_CBOVERSION);
    s.ttl = Ticked(IDC_DECK_CHKTTL);
    s.ttlText = Text(IDC_DECK_TXTTTL);
    s.markable = Ticked(IDC_DECK_CHKMARKBLE);
    s.markableText = ComboText(IDC_DECK_CBOMARKBLE);
    s.accessDomain = Ticked(IDC_DECK_CHKACCESSDOMAIN);
    s.accessDomainText = Text(IDC_DECK_TXTACCESSDOMAIN);
    s.accessPath = Ticked(IDC_DECK_CHKACCESSPATH);
    s.accessPathText = Text(IDC_DECK_TXTACCESSPATH);
    SetText(IDC_TXTED, BuildDeckTag(s));
  }

  // The two directions call each other: SetText runs the other side's handler before it
  // returns, and the chain stops once a text is assigned that the box already holds.
  // Numbers live in locals, so a nested run leaves the outer run's numbers alone.
  void txtTTL_Change() {
    if (Text(IDC_DECK_TXTTTL).empty()) {
      SetText(IDC_DECK_TXTTTL, L"0");
      SetFocus(Item(IDC_DECK_TXTTTL));
    }
    // A TTL that is no 32-bit whole number leaves the boxes as they are.
    if (const auto boxes = SecCalc::Split(Text(IDC_DECK_TXTTTL))) {
      bool changed = false;
      {
        // Between the four writes the boxes hold a mix of new and old numbers (900 s written
        // over 0:0:0:9 passes through 0:0:15:9). Turned back into a TTL at once, the mix would
        // overwrite the TTL being split, move its caret to the start while the author types,
        // and with numbers of both signs walk down one unit per nested run. So the boxes'
        // way back waits until all four are written, and then runs once.
        const HoldBack hold(m_writingBoxes);
        for (int i = 0; i < 4; ++i)
          changed |= TagDialog::SetTextIfChanged(Item(txtSecCalc(i)), (*boxes)[i]);
      }
      if (changed) SecCalcToTTL();
    }
    Reset();
  }

  void txtSecCalc_Change(int index) {
    for (int i = 0; i < 4; ++i) {
      if (Text(txtSecCalc(i)).empty()) {
        SetText(txtSecCalc(i), L"0");
        SetFocus(Item(txtSecCalc(index)));
      }
    }
    for (SecCalc::Box box : {SecCalc::kHours, SecCalc::kMinutes, SecCalc::kSeconds})
      if (const auto limit = SecCalc::Clamp(box, Text(txtSecCalc(box)))) SetText(txtSecCalc(box), *limit);
    if (!m_writingBoxes) SecCalcToTTL();
  }

  void SecCalcToTTL() {
    // A box that is no number leaves the TTL as it is.
    if (const auto ttl = SecCalc::Join({Text(txtSecCalc(0)), Text(txtSecCalc(1)), Text(txtSecCalc(2)),
                                        Text(txtSecCalc(3))}))
      SetText(IDC_DECK_TXTTTL, *ttl);
  }

  void txtSecCalc_GotFocus(int index) { SendMessageW(Item(txtSecCalc(index)), EM_SETSEL, 0, -1); }

  bool m_writingBoxes = false;   // txtTTL_Change is writing the four boxes
};

}  // namespace

bool Show(HWND owner) {
  Form form;
  return TagDialog::Show(form, owner, IDD_DECK);
}

}  // namespace frmDeck
