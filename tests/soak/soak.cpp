// The soak (scripts/soak.sh; not part of the test run): Tolvane started from the stand-in
// editor's tool menu, then N cycles of a real click on a docked button, a box of its dialog
// filled, OK and the insertion, every dialog in turn. Prints Tolvane's handle count, USER and
// GDI objects, private bytes and its windows at the start, every 100 cycles and at the end.
//   soak.exe [cycles, default 1000]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "Docked.h"
#include "DialogDriver.h"
#include "dialogs/frmCE.h"
#include "res/resource.h"

namespace {

// Position in the docked toolbar and caption of each dialog's button.
struct Button {
  int index;
  const wchar_t* caption;
  int add = 0;   // a button that takes the filled box into the dialog's list before OK
};
constexpr Button kDialogs[] = {
    {1, L"デッキの設定 - <HDML>"},  {2, L"カードの設定"},         {3, L"テキスト整形"},
    {4, L"ナビゲーション - <A>"},   {5, L"ナビゲーション - <ACTION>"}, {6, L"選択肢の設定", IDC_CE_CMDADD},
    {7, L"画像 - <IMG>"},
};

// Windows of the process, its toolbar docked in the editor included: the USER objects that
// can be counted from outside where GetGuiResources answers nothing.
int WindowsOf(DWORD pid) {
  struct Count { DWORD pid; int n; } count{pid, 0};
  EnumWindows([](HWND top, LPARAM p) -> BOOL {
    auto* c = reinterpret_cast<Count*>(p);
    if (docked::ProcessOf(top) == c->pid) ++c->n;
    EnumChildWindows(top, [](HWND h, LPARAM p) -> BOOL {
      auto* c = reinterpret_cast<Count*>(p);
      if (docked::ProcessOf(h) == c->pid) ++c->n;
      return TRUE;
    }, p);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&count));
  return count.n;
}

// Wine 8 answers 0 for the handle count and for USER and GDI objects, and leaves PrivateUsage
// 0; its PagefileUsage (private bytes on Windows too), working set and the window count move.
void Report(const char* when, int cycle, const docked::Tolvane& tolvane) {
  DWORD handles = 0;
  GetProcessHandleCount(tolvane.handle(), &handles);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(tolvane.handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  std::printf("%-5s %5d  handles %4lu  USER %4lu  GDI %4lu  private %6zu KB  pagefile %6zu KB  "
              "working set %6zu KB  windows %3d\n",
              when, cycle, handles, GetGuiResources(tolvane.handle(), GR_USEROBJECTS),
              GetGuiResources(tolvane.handle(), GR_GDIOBJECTS), memory.PrivateUsage / 1024,
              memory.PagefileUsage / 1024, memory.WorkingSetSize / 1024, WindowsOf(tolvane.pid()));
  std::fflush(stdout);
}

// The editor's length, which changes once the insertion has gone in.
long EditorLength(const HostPad& host) {
  return static_cast<long>(SendMessageA(host.editor(), WM_GETTEXTLENGTH, 0, 0));
}

// The first edit box of the dialog that an author types into (tab pages included), not the
// tag's own box, which OK writes anew.
HWND FirstEditBox(HWND dialog) {
  HWND found = nullptr;
  EnumChildWindows(dialog, [](HWND h, LPARAM p) -> BOOL {
    if (docked::ClassOf(h) != L"Edit" || GetDlgCtrlID(h) == IDC_TXTED || !IsWindowEnabled(h) ||
        (GetWindowLongW(h, GWL_STYLE) & ES_READONLY))
      return TRUE;
    *reinterpret_cast<HWND*>(p) = h;
    return FALSE;
  }, reinterpret_cast<LPARAM>(&found));
  return found;
}

// One command: false (with the reason printed) when something did not happen as it should.
bool Cycle(int cycle, HostPad& host, const docked::Tolvane& tolvane) {
  const Button& b = kDialogs[cycle % std::size(kDialogs)];
  const std::string japanese = Cp932(L"あいう");
  host.setBytes("x" + japanese + "y");
  host.select(1, 7);
  const HWND dialog = docked::OpenByClick(tolvane, b.index, b.caption);
  if (!dialog) return std::printf("cycle %d: button %d opened no dialog\n", cycle, b.index), false;
  if (HWND box = FirstEditBox(dialog)) {
    const std::wstring text = L"ソーク" + std::to_wstring(cycle);
    SetWindowTextW(box, text.c_str());   // arrives at once, as a paste does
  }
  if (b.add) SendMessageW(DialogDriver::Find(dialog, b.add), BM_CLICK, 0, 0);
  SendMessageW(DialogDriver::Find(dialog, IDOK), BM_CLICK, 0, 0);
  if (!WaitFor([&] { return !IsWindow(dialog); }))
    return std::printf("cycle %d: the dialog of button %d did not close\n", cycle, b.index), false;
  if (!WaitFor([&] { return EditorLength(host) > 8; }))   // "x" + 6 bytes + "y" before
    return std::printf("cycle %d: button %d inserted nothing\n", cycle, b.index), false;
  // The caret is placed after the replacement: the next command's selection must not come
  // in between. Idle Tolvane, then a selection that stays as it is for a moment.
  WaitForInputIdle(tolvane.handle(), 2000);
  auto last = host.sel();
  WaitFor([&] {
    Sleep(30);
    const auto now = host.sel();
    return std::exchange(last, now) == now;
  });
  // The tags went in around the selection (or in front of it), every byte of it kept.
  const std::string bytes = host.bytes();
  const bool kept = bytes.find(japanese + "<") != std::string::npos || bytes.find(japanese + "y") != std::string::npos;
  if (bytes.front() != 'x' || bytes.back() != 'y' || !kept)
    return std::printf("cycle %d: button %d left %zu unexpected bytes\n", cycle, b.index, bytes.size()), false;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int cycles = argc > 1 ? std::atoi(argv[1]) : 1000;
  HostPad host;
  docked::Tolvane tolvane = docked::RunFromToolMenu(host);
  if (!tolvane.waitDocked(host)) return std::printf("Tolvane did not dock\n"), 1;
  Report("start", 0, tolvane);
  int failures = 0;
  for (int i = 1; i <= cycles; ++i) {
    if (!Cycle(i, host, tolvane) && ++failures > 10) return std::printf("too many failures\n"), 1;
    if (!tolvane.running()) return std::printf("Tolvane ended at cycle %d\n", i), 1;
    if (i % 100 == 0 && i != cycles) Report("cycle", i, tolvane);
  }
  Report("end", cycles, tolvane);
  std::printf("%d of %d cycles failed\n", failures, cycles);
  return failures ? 1 : 0;
}
