// One insertion end to end: a real click on the docked button, the dialog filled in as a user
// would, and the editor's bytes and caret afterwards (cp932 byte offsets).
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "Docked.h"
#include "dialogs/frmText.h"
#include "res/resource.h"

using namespace docked;

namespace {

constexpr int kTextButton = 3;   // position 4, "テキスト整形"

// The user's part in the open dialog (another process): picks, ticks, and one way of closing.
using Fill = std::function<void(HWND dialog)>;

void Pick(HWND dlg, int index) {
  HWND combo = GetDlgItem(dlg, IDC_TEXT_CBOTAG);
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_TEXT_CBOTAG, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}
void Click(HWND dlg, int id) { SendMessageW(GetDlgItem(dlg, id), BM_CLICK, 0, 0); }
// A key press arrives at the focused control of the dialog's thread, as from the keyboard.
void Key(HWND dlg, UINT vk) {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof(gui);
  GetGUIThreadInfo(GetWindowThreadProcessId(dlg, nullptr), &gui);
  PostMessageW(gui.hwndFocus ? gui.hwndFocus : dlg, WM_KEYDOWN, vk, 0);
}

class Insertion : public ::testing::Test {
protected:
  HostPad host;
  std::optional<Tolvane> started;

  void SetUp() override {
    started.emplace(RunFromToolMenu(host));
    ASSERT_TRUE(started->waitDocked(host));
  }

  // Clicks "テキスト整形", lets `fill` act on the dialog, waits until it has closed and the
  // editor has settled.
  void Command(const Fill& fill) {
    Tolvane& tolvane = *started;
    const HWND dialog = OpenByClick(tolvane, kTextButton, L"テキスト整形");
    ASSERT_TRUE(dialog);
    fill(dialog);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
    // The insertion runs right after the dialog has gone; the editor answers every message of
    // it before Tolvane's thread is idle again.
    WaitForInputIdle(tolvane.handle(), 2000);
    Sleep(200);
  }
  void Select(const char* cp932, long start, long end) {
    host.setBytes(cp932);
    host.select(start, end);
  }
};

struct Case {
  const char* name;
  const char* text;      // cp932 bytes
  long selStart, selEnd;
  Fill fill;
  const char* expected;  // cp932 bytes
  long caret;
};

TEST_F(Insertion, WrapsTheSelectionAndLeavesTheCaretBeforeTheEndTag) {
  const Case cases[] = {
      {"CENTER with end tag around abc", "xabcy", 1, 4,
       [](HWND d) { Pick(d, 1); Click(d, IDC_TEXT_CHKCLOSETAG); Click(d, IDOK); }, "x<CENTER>abc</CENTER>y", 12},
      {"Japanese selected: only the end tag's bytes count", "\x82\xa0\x82\xa2\x82\xa4", 0, 6,   // あいう
       [](HWND d) { Pick(d, 1); Click(d, IDC_TEXT_CHKCLOSETAG); Click(d, IDOK); },
       "<CENTER>\x82\xa0\x82\xa2\x82\xa4</CENTER>", 14},
      {"nothing selected: both tags at the caret, caret between", "abcdef", 3, 3,
       [](HWND d) { Pick(d, 4); Click(d, IDC_TEXT_CHKCLOSETAG); Click(d, IDOK); }, "abc<WRAP></WRAP>def", 9},
      {"Enter at once: <BR> before the selection, caret after it", "abc", 0, 3,
       [](HWND d) { Key(d, VK_RETURN); }, "<BR>abc", 7},
      {"after Japanese text, before more of it", "\x82\xa0xyz\x82\xa2", 2, 5,
       [](HWND d) { Pick(d, 2); Click(d, IDC_TEXT_CHKCLOSETAG); Click(d, IDOK); },
       "\x82\xa0<RIGHT>xyz</RIGHT>\x82\xa2", 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Select(c.text, c.selStart, c.selEnd);
    const LRESULT undoBefore = host.send(HPM_UNDOCOUNT);
    Command(c.fill);
    EXPECT_EQ(host.bytes(), c.expected);
    EXPECT_EQ(host.sel(), std::make_pair(c.caret, c.caret));
    // One replacement: one undo in the editor takes the insertion back whole.
    EXPECT_EQ(host.send(HPM_UNDOCOUNT), undoBefore + 1);
    SendMessageW(host.editor(), EM_UNDO, 0, 0);
    EXPECT_EQ(host.bytes(), c.text);
  }
}

TEST_F(Insertion, CancelEscAndTheCloseBoxInsertNothingEvenRightAfterAnInsertion) {
  const struct { const char* name; Fill fill; } closings[] = {
      {"Cancel", [](HWND d) { Pick(d, 1); Click(d, IDCANCEL); }},
      {"Esc", [](HWND d) { Click(d, IDC_TEXT_CHKCLOSETAG); Key(d, VK_ESCAPE); }},
      {"close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const auto& closing : closings) {
    SCOPED_TRACE(closing.name);
    Select("abc", 0, 3);
    Command([](HWND d) { Pick(d, 1); Click(d, IDC_TEXT_CHKCLOSETAG); Click(d, IDOK); });
    ASSERT_EQ(host.bytes(), "<CENTER>abc</CENTER>");
    host.select(0, 3);
    const LRESULT undoBefore = host.send(HPM_UNDOCOUNT);
    Command(closing.fill);
    EXPECT_EQ(host.bytes(), "<CENTER>abc</CENTER>");
    EXPECT_EQ(host.sel(), std::make_pair(0L, 3L));
    EXPECT_EQ(host.send(HPM_UNDOCOUNT), undoBefore);
  }
}

// From a fault: with a NUL in the selection the bytes after it were lost on OK (the read
// stops at the NUL, and the replacement rewrote the whole selection with what was read).
// Now the tags go in around the selection, one replacement each, and no byte is touched.
TEST_F(Insertion, ANulInTheSelectionOrBeforeItLosesNoByte) {
  const struct { const char* name; std::string text; long selStart, selEnd; } cases[] = {
      {"NUL inside the selection, Japanese around it", std::string("x\x82\xa0" "a\0b\x82\xa2" "y", 9), 1, 8},
      {"NUL before the selection", std::string("a\0bcd", 5), 2, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host.setBytes(c.text);
    host.select(c.selStart, c.selEnd);
    const LRESULT undoBefore = host.send(HPM_UNDOCOUNT);
    Command([](HWND d) { Pick(d, 1); Click(d, IDC_TEXT_CHKCLOSETAG); Click(d, IDOK); });
    const std::string selected = c.text.substr(c.selStart, c.selEnd - c.selStart);
    EXPECT_EQ(host.bytes(), c.text.substr(0, c.selStart) + "<CENTER>" + selected + "</CENTER>" +
                                c.text.substr(c.selEnd));
    const long caret = c.selEnd + 8;   // before "</CENTER>"
    EXPECT_EQ(host.sel(), std::make_pair(caret, caret));
    EXPECT_EQ(host.send(HPM_UNDOCOUNT), undoBefore + 2);
    SendMessageW(host.editor(), EM_UNDO, 0, 0);
    SendMessageW(host.editor(), EM_UNDO, 0, 0);
    EXPECT_EQ(host.bytes(), c.text);
  }
}

}  // namespace
