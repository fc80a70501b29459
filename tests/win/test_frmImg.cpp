// The image dialog from its real template, driven through its real controls inside its own
// modal loop, and the system's file-open dialog driven the same way inside its own loop.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <functional>
#include <string>

#include "DialogDriver.h"
#include "Docked.h"
#include "dialogs/frmImg.h"
#include "insert/mdlHDML.h"
#include "res/resource.h"

using namespace DialogDriver;

namespace {

struct Img : Dialog {
  std::wstring src() const { return Text(ctl(IDC_IMG_TXTSRC)); }
};

class ImgDialog : public TagDialogTest {};

TEST_F(ImgDialog, OpensAtItsDesignedDefaultsAndOkHandsOverTheBareTag) {
  const bool ok = RunDialog(frmImg::Show, [](HWND dialog) {
    ExpectAsOpened(dialog, {
        {0, L"画像 - <IMG>"},
        {IDC_TXTED, LR"(<IMG SRC="">)"},
        {IDC_IMG_LABEL1, L"画像のURL - &SRC="},
        {IDC_IMG_TXTSRC, L""},
        {IDC_IMG_CMDBROWSE, L"参照(&B)"},
        {IDC_IMG_CHKALT, L"代替テキスト - &ALT=", kUnticked, nullptr, IDC_IMG_TXTALT, L""},
        {IDC_IMG_CHKICON, L"携帯電話内蔵アイコンを指定 - &ICON=", kUnticked, nullptr, IDC_IMG_TXTICON, L""},
        {IDOK, L"OK(&O)"},
        {IDCANCEL, L"キャンセル(&C)"},
    });
    ExpectOwnedFixedFrame(dialog);
    Click(Find(dialog, IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag, LR"(<IMG SRC="">)");
  EXPECT_EQ(gEndTag, L"");
}

TEST_F(ImgDialog, TypedValuesAndTicksGoInInTheirOrderAndEnterPressesOk) {
  const bool ok = RunDialog(frmImg::Show, [](HWND dialog) {
    const Img d{dialog};
    // Label1's access key (Alt+S) moves the focus to txtSrc, the box after it.
    SetFocus(d.ctl(IDC_IMG_TXTALT));
    PostMessageW(GetFocus(), WM_SYSCHAR, L's', 1 | (1 << 29));
    Pump(dialog);
    EXPECT_EQ(GetFocus(), d.ctl(IDC_IMG_TXTSRC));
    Type(dialog, L"img/ロゴ.bmp");
    EXPECT_EQ(d.preview(), LR"(<IMG SRC="img/ロゴ.bmp">)");

    Click(d.ctl(IDC_IMG_CHKICON));
    Click(d.ctl(IDC_IMG_CHKALT));
    EXPECT_EQ(d.preview(), LR"(<IMG SRC="img/ロゴ.bmp" ALT="" ICON="">)") << "empty values, fixed order";
    d.typeInto(IDC_IMG_TXTICON, L"star");
    d.typeInto(IDC_IMG_TXTALT, L" a\"<b> ");
    const std::wstring all = LR"(<IMG SRC="img/ロゴ.bmp" ALT=" a"<b> " ICON="star">)";
    EXPECT_EQ(d.preview(), all);
    // A value stays in its box while unticked and comes back with the tick.
    Click(d.ctl(IDC_IMG_CHKALT));
    EXPECT_EQ(d.preview(), LR"(<IMG SRC="img/ロゴ.bmp" ICON="star">)");
    Click(d.ctl(IDC_IMG_CHKALT));
    EXPECT_EQ(d.preview(), all);
    d.typeInto(IDC_IMG_TXTSRC, L"");
    EXPECT_EQ(d.preview(), LR"(<IMG SRC="" ALT=" a"<b> " ICON="star">)");

    // What is typed into the preview itself does not survive OK.
    d.typeInto(IDC_TXTED, L"<JUNK>");
    SetFocus(d.ctl(IDC_IMG_TXTICON));
    Key(dialog, VK_RETURN);
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag, LR"(<IMG SRC="" ALT=" a"<b> " ICON="star">)");
  EXPECT_EQ(gEndTag, L"");
}

TEST_F(ImgDialog, CancelEscAndCloseBoxHandNothingOver) {
  ExpectCancelEscAndCloseBoxHandNothingOver(
      frmImg::Show, [](HWND dialog) { TypeOver(dialog, Find(dialog, IDC_IMG_TXTSRC), L"a.bmp"); });
}

// --- The file-open dialog ----------------------------------------------------------------

// What the author sees in the file-open dialog when it comes up.
struct FileDialogSeen {
  bool shown = false;
  std::wstring title, fileName, types;
  std::wstring folder;   // as the "look in" box names it
};

HWND FileNameEdit(HWND fileDialog) {
  // The Explorer-style dialog has its file name in the edit of an editable combo (cmb13), which
  // Wine wraps in a ComboBoxEx; the older style has it in edt1.
  const HWND box = GetDlgItem(fileDialog, cmb13);
  if (!box) return GetDlgItem(fileDialog, edt1);
  HWND edit = nullptr;
  EnumChildWindows(box, [](HWND h, LPARAM p) -> BOOL {
    wchar_t cls[16] = {};
    GetClassNameW(h, cls, 16);
    if (lstrcmpiW(cls, L"Edit") != 0) return TRUE;
    *reinterpret_cast<HWND*>(p) = h;
    return FALSE;
  }, reinterpret_cast<LPARAM>(&edit));
  return edit;
}

// Presses cmdBrowse; `user` acts on the file dialog from inside that dialog's own modal loop and
// must close it. Returns what the dialog showed at first.
FileDialogSeen Browse(HWND imgDialog, const std::function<void(HWND)>& user) {
  static HWND s_owner;
  static const std::function<void(HWND)>* s_user;
  static FileDialogSeen* s_seen;
  static DWORD s_start;
  FileDialogSeen seen;
  s_owner = imgDialog;
  s_user = &user;
  s_seen = &seen;
  s_start = GetTickCount();
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND fileDialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND h, LPARAM p) -> BOOL {
      if (GetWindow(h, GW_OWNER) != s_owner || !IsWindowVisible(h)) return TRUE;
      *reinterpret_cast<HWND*>(p) = h;
      return FALSE;
    }, reinterpret_cast<LPARAM>(&fileDialog));
    if (!fileDialog && GetTickCount() - s_start < 5000) return;
    KillTimer(nullptr, id);
    if (!fileDialog) return;
    s_seen->shown = true;
    s_seen->title = Text(fileDialog);
    s_seen->fileName = Text(FileNameEdit(fileDialog));
    s_seen->folder = Text(GetDlgItem(fileDialog, cmb2));
    const HWND types = GetDlgItem(fileDialog, cmb1);
    for (int i = 0, n = static_cast<int>(SendMessageW(types, CB_GETCOUNT, 0, 0)); i < n; ++i) {
      wchar_t item[128] = {};
      SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
      s_seen->types += (i ? L"|" : L"") + std::wstring(item);
    }
    (*s_user)(fileDialog);
    if (IsWindowVisible(fileDialog)) {
      ADD_FAILURE() << "the file dialog was left open";
      PostMessageW(fileDialog, WM_COMMAND, IDCANCEL, 0);
    }
  });
  Click(Find(imgDialog, IDC_IMG_CMDBROWSE));   // returns when the file dialog has closed
  KillTimer(nullptr, timer);
  return seen;
}

// A file name typed into the file dialog's name box, then its Open button pressed.
void TypeAndOpen(HWND fileDialog, std::wstring_view name) {
  TypeOver(fileDialog, FileNameEdit(fileDialog), name);
  Click(GetDlgItem(fileDialog, IDOK));
}

TEST_F(ImgDialog, BrowsePutsThePickedFilesFullPathIntoTheSourceAndCancelLeavesIt) {
  TempDir dir;
  const std::wstring picked = dir.file(L"ロゴ.bmp");
  WriteBytes(picked, "BM");
  const bool ok = RunDialog(frmImg::Show, [&](HWND dialog) {
    const Img d{dialog};
    d.typeInto(IDC_IMG_TXTSRC, L"http://example.jp/a.png");

    FileDialogSeen first = Browse(dialog, [](HWND fileDialog) { Click(GetDlgItem(fileDialog, IDCANCEL)); });
    ASSERT_TRUE(first.shown) << "no file dialog owned by the image dialog came up";
    EXPECT_EQ(first.title, L"画像の参照");
    EXPECT_EQ(first.types, L"白黒ビットマップ(*.bmp)|Portable Network Graphics(*.PNG)");
    EXPECT_EQ(first.fileName, L"*.bmp");
    EXPECT_EQ(d.src(), L"http://example.jp/a.png") << "a cancel keeps what was typed";
    EXPECT_EQ(d.preview(), LR"(<IMG SRC="http://example.jp/a.png">)");

    // Into the folder first (Open on a folder opens it), then the file by its bare name.
    Browse(dialog, [&](HWND fileDialog) {
      TypeAndOpen(fileDialog, dir.path());
      EXPECT_TRUE(IsWindowVisible(fileDialog)) << "Open on a folder goes into it";
      TypeAndOpen(fileDialog, L"ロゴ.bmp");
    });
    EXPECT_EQ(d.src(), picked);
    EXPECT_EQ(d.preview(), L"<IMG SRC=\"" + picked + L"\">");

    // The next browse of this opening starts from the picked file; cancelling it keeps a newly
    // typed source too.
    d.typeInto(IDC_IMG_TXTSRC, L"typed.png");
    FileDialogSeen again = Browse(dialog, [](HWND fileDialog) { Click(GetDlgItem(fileDialog, IDCANCEL)); });
    // The dialog splits the remembered path: it opens the file's folder and names the file.
    EXPECT_EQ(again.fileName, L"ロゴ.bmp");
    EXPECT_EQ(again.folder, dir.path().substr(dir.path().rfind(L'\\') + 1));
    EXPECT_EQ(d.src(), L"typed.png");

    Browse(dialog, [&](HWND fileDialog) { TypeAndOpen(fileDialog, picked); });
    EXPECT_EQ(d.src(), picked);
    Click(d.ctl(IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(gStartTag, L"<IMG SRC=\"" + picked + L"\">");
  EXPECT_EQ(gEndTag, L"");
}

// Every opening starts again from "*.bmp": nothing of an earlier opening's pick is remembered.
TEST_F(ImgDialog, ANewOpeningBrowsesFromStarBmpAgain) {
  TempDir dir;
  const std::wstring picked = dir.file(L"a.PNG");
  WriteBytes(picked, "PNG");
  RunDialog(frmImg::Show, [&](HWND dialog) {
    Browse(dialog, [&](HWND fileDialog) { TypeAndOpen(fileDialog, picked); });
    EXPECT_EQ(Img{dialog}.src(), picked);
    Click(Find(dialog, IDCANCEL));
  });
  RunDialog(frmImg::Show, [&](HWND dialog) {
    const FileDialogSeen seen = Browse(dialog, [](HWND fileDialog) { Click(GetDlgItem(fileDialog, IDCANCEL)); });
    EXPECT_EQ(seen.fileName, L"*.bmp");
    EXPECT_EQ(Img{dialog}.src(), L"");
    Click(Find(dialog, IDCANCEL));
  });
}

// --- End to end: the docked button in the stand-in editor, Japanese text selected ------------

class ImgInsertion : public docked::EndToEnd {};

TEST_F(ImgInsertion, PutsTheTagBeforeTheSelectionAndTheCaretAfterIt) {
  SelectJapanese();
  Command(7, L"画像 - <IMG>", [](HWND dialog) {   // "画像"
    SetWindowTextW(Find(dialog, IDC_IMG_TXTSRC), L"画像/ロゴ.bmp");
    Click(Find(dialog, IDC_IMG_CHKALT));
    EXPECT_EQ(Text(Find(dialog, IDC_TXTED)), LR"(<IMG SRC="画像/ロゴ.bmp" ALT="">)");
    Click(Find(dialog, IDOK));
  });
  // No end tag: the caret stays after the selection.
  ExpectWrapped(Cp932(LR"(<IMG SRC="画像/ロゴ.bmp" ALT="">)"), "");
}

}  // namespace
