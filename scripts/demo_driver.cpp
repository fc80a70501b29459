// The demo's hands and eyes inside Wine (scripts/demo.sh): finds the stand-in editor and the
// docked toolbar, and prints where a person would click. The clicks themselves are real X input
// made by xdotool from the script.
//   demo_driver select <start> <end>    selects bytes in the editor
//   demo_driver runtool                 runs the editor's tool menu entry; waits for the toolbar
//   demo_driver button <position>       prints "x y": screen centre of the docked button (1-based)
//   demo_driver control <id>            prints "x y": screen centre of the visible control with that
//                                       id in the foreground window (a dialog), its tab pages included
//   demo_driver menuitem <i> <count>   prints "x y": screen centre of item i (0-based) of the popup
//                                       menu that is open, which has count items of one height
//   demo_driver dump <path>             writes the editor's bytes (cp932) to path
//   demo_driver load <path>             replaces the editor's text with the bytes of the file at path
//   demo_driver dialog open|closed      waits up to 5 s until Tolvane shows a dialog, or shows none;
//                                       exits 1 when it did not come to that
//   demo_driver wait                    returns when the editor has been closed
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

#include "HostProtocol.h"

namespace {

HWND WaitForWindow(HWND (*find)(), DWORD ms = 15000) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(50))
    if (HWND h = find()) return h;
  return nullptr;
}

HWND Host() { return FindWindowA(HOSTPAD_MAINCLASS, nullptr); }
HWND HostToolbar() { return FindWindowExA(Host(), nullptr, "TToolbar", nullptr); }
HWND Editor() {
  DWORD zero = 0;
  return reinterpret_cast<HWND>(SendMessageW(Host(), 0x8192, 0, reinterpret_cast<LPARAM>(&zero)));
}

// Tolvane's toolbar: inside the frame that another process docked into the editor's toolbar.
HWND Docked() {
  HWND bar = HostToolbar();
  DWORD hostPid = 0;
  GetWindowThreadProcessId(bar, &hostPid);
  for (HWND h = GetWindow(bar, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != hostPid && IsWindowVisible(h)) return GetWindow(h, GW_CHILD);
  }
  return nullptr;
}

// A dialog that Tolvane (the process of the docked toolbar) shows, if any.
HWND TolvaneDialog() {
  DWORD tolvane = 0;
  if (!GetWindowThreadProcessId(Docked(), &tolvane)) return nullptr;
  for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, L"#32770", nullptr)) != nullptr;) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == tolvane && IsWindowVisible(h)) return h;
  }
  return nullptr;
}
// The desktop stands for "none": WaitForWindow waits for a window that is not null.
HWND NoTolvaneDialog() { return TolvaneDialog() ? nullptr : GetDesktopWindow(); }

// TB_GETITEMRECT writes into the toolbar owner's memory: lend it a RECT there.
RECT ButtonRect(HWND toolbar, int index) {
  RECT rc{};
  DWORD pid = 0;
  GetWindowThreadProcessId(toolbar, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return rc;
  void* remote = VirtualAllocEx(process, nullptr, sizeof(rc), MEM_COMMIT, PAGE_READWRITE);
  SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote));
  ReadProcessMemory(process, remote, &rc, sizeof(rc), nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return rc;
}

struct ControlSearch { int id; HWND found; };

BOOL CALLBACK MatchControl(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<ControlSearch*>(p);
  if (GetDlgCtrlID(h) != s->id || !IsWindowVisible(h)) return TRUE;
  s->found = h;
  return FALSE;
}

// A tab page is a child dialog: its controls are grandchildren of the dialog, so search them all.
HWND VisibleControl(HWND dialog, int id) {
  ControlSearch search{id, nullptr};
  EnumChildWindows(dialog, MatchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void PrintCentre(HWND window, POINT pt) {
  ClientToScreen(window, &pt);
  std::printf("%ld %ld\n", pt.x, pt.y);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2 || !WaitForWindow(Host)) return 2;
  const std::wstring command = argv[1];
  if (command == L"select" && argc == 4) {
    SendMessageW(Editor(), EM_SETSEL, _wtoi(argv[2]), _wtoi(argv[3]));
    return 0;
  }
  if (command == L"runtool") {
    SendMessageW(Host(), HPM_RUNTOOL, 0, 0);
    return WaitForWindow(Docked) ? 0 : 1;
  }
  if (command == L"button" && argc == 3) {
    HWND toolbar = WaitForWindow(Docked);
    if (!toolbar) return 1;
    const RECT rc = ButtonRect(toolbar, _wtoi(argv[2]) - 1);
    PrintCentre(toolbar, {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    return 0;
  }
  if (command == L"control" && argc == 3) {
    HWND control = VisibleControl(GetForegroundWindow(), _wtoi(argv[2]));
    if (!control) return 1;
    RECT rc{};
    GetClientRect(control, &rc);
    PrintCentre(control, {rc.right / 2, rc.bottom / 2});
    return 0;
  }
  if (command == L"menuitem" && argc == 4) {
    HWND menu = WaitForWindow([] {
      HWND m = FindWindowW(L"#32768", nullptr);
      return m && IsWindowVisible(m) ? m : nullptr;
    }, 5000);
    if (!menu) return 1;
    RECT rc{};
    GetWindowRect(menu, &rc);
    const int i = _wtoi(argv[2]), count = std::max(_wtoi(argv[3]), 1);
    std::printf("%ld %ld\n", rc.left + 12, rc.top + (rc.bottom - rc.top) * (2 * i + 1) / (2 * count));
    return 0;
  }
  if (command == L"dump" && argc == 3) {
    std::string path(MAX_PATH * 2, '\0');
    path.resize(WideCharToMultiByte(CP_ACP, 0, argv[2], -1, path.data(), static_cast<int>(path.size()), nullptr, nullptr));
    COPYDATASTRUCT cd{HPCD_DUMPTEXT, static_cast<DWORD>(path.size()), path.data()};
    return SendMessageW(Host(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cd)) ? 0 : 1;
  }
  if (command == L"load" && argc == 3) {
    std::string bytes;
    if (FILE* f = _wfopen(argv[2], L"rb")) {
      for (int c; (c = std::fgetc(f)) != EOF;) bytes += static_cast<char>(c);
      std::fclose(f);
    }
    COPYDATASTRUCT cd{HPCD_SETTEXT, static_cast<DWORD>(bytes.size()), bytes.data()};
    return SendMessageW(Host(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cd)) ? 0 : 1;
  }
  if (command == L"dialog" && argc == 3) {
    const bool open = std::wstring(argv[2]) == L"open";
    return WaitForWindow(open ? TolvaneDialog : NoTolvaneDialog, 5000) ? 0 : 1;
  }
  if (command == L"wait") {
    while (Host()) Sleep(500);
    return 0;
  }
  return 2;
}
