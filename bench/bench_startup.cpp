// Start-up and watching costs, each as a ratio to a baseline measured in the same run:
//  1. tolvane.exe from process start to its toolbar shown inside the editor, against starting a
//     bare Win32 program that shows one window (this program with --bare); and, where the docked
//     toolbar needs it (Wine), from start until its images survive a repaint of the editor's
//     toolbar, i.e. until its pixel format is in place;
//  2. one Timer1 tick (Timer1_Timer, run in this process against the editor), against one
//     cross-process message round trip to the editor.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "Docked.h"
#include "ScreenImages.h"
#include "TestSupport.h"
#include "app/frmMain.h"
#include "app/mdlMain.h"

namespace {

// Tolvane's toolbar inside the editor's, once shown.
HWND DockedOf(HWND bar, DWORD pid) {
  const HWND docked = docked::FindDocked(bar, pid);
  return docked && IsWindowVisible(docked) ? docked : nullptr;
}

// Seconds from CreateProcess until shown() is true; a day when it is not within 10 s.
template <class Shown> double TimeStart(const std::wstring& cmd, Shown shown) {
  const double t0 = Now();
  Process p = Process::Start(cmd);
  while (!shown(p.pid())) {
    if (Now() - t0 > 10) return 86400;
    Sleep(1);
  }
  const double t = Now() - t0;
  p.kill();
  return t;
}

int Bare() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"BareWindow";
  RegisterClassW(&wc);
  CreateWindowExW(0, wc.lpszClassName, L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                  nullptr, wc.hInstance, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--bare") return Bare();
  constexpr int kStarts = 7, kTicks = 2000;
  HostPad host;
  const HWND bar = host.toolbar();
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring tolvane = L"\"" + ExeDir() + L"\\tolvane.exe\" /w=" +
                               std::to_wstring(reinterpret_cast<intptr_t>(host.main()));

  std::vector<double> bare, docked;
  for (int i = 0; i < kStarts; ++i) {
    bare.push_back(TimeStart(L"\"" + std::wstring(self) + L"\" --bare",
                             [](DWORD pid) { return !docked::VisibleWindowsOf(pid).empty(); }));
    docked.push_back(TimeStart(tolvane, [&](DWORD pid) { return DockedOf(bar, pid) != nullptr; }));
  }
  std::printf("start to window shown, median of %d: bare Win32 program %.1f ms, tolvane docked %.1f ms, ratio %.2f\n",
              kStarts, Median(bare) * 1e3, Median(docked) * 1e3, Median(docked) / Median(bare));

  // Images 1..7 are the seven shown buttons'.
  const auto imagesSurviveARepaint = [&](DWORD pid) {
    const HWND toolbar = DockedOf(bar, pid);
    if (!toolbar) return false;
    host.send(HPM_REPAINTTOOLBAR);
    RECT rc;
    GetWindowRect(toolbar, &rc);
    for (int image = 1; image <= 7; ++image)
      if (!ScreenShowsToolbarImage(rc, image)) return false;
    return true;
  };
  std::vector<double> kept;
  for (int i = 0; i < kStarts; ++i) kept.push_back(TimeStart(tolvane, imagesSurviveARepaint));
  std::printf("start to images kept through the editor's repaints, median of %d: %.1f ms, ratio %.2f to the bare "
              "program\n", kStarts, Median(kept) * 1e3, Median(kept) / Median(bare));

  // The tick as tolvane.exe runs it, in this process: the same form, docked into the same editor.
  gTeraPad = std::make_unique<clsKeshTeraPad>();
  gTeraPad->hwnd(host.main());
  gToolbarLeft = -1;
  gToolbarTop = 0;
  frmMain::Load();
  if (!frmMain::IsLoaded() || !IsChild(bar, frmMain::Toolbar())) {
    std::printf("the form did not dock; no tick measured\n");
    return 1;
  }
  double t0 = Now();
  for (int i = 0; i < kTicks; ++i) SendMessageW(host.main(), WM_NULL, 0, 0);
  const double roundTrip = (Now() - t0) / kTicks;
  t0 = Now();
  for (int i = 0; i < kTicks; ++i) SendMessageW(frmMain::Window(), WM_TIMER, 1, 0);
  const double tick = (Now() - t0) / kTicks;
  std::printf("one Timer1 tick %.1f us, one message round trip to the editor %.1f us, ratio %.2f\n", tick * 1e6,
              roundTrip * 1e6, tick / roundTrip);
  return 0;
}
