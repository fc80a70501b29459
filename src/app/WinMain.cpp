// The program's entry: Main, then the message loop for as long as frmMain is loaded.
#include <windows.h>

#include "app/frmMain.h"
#include "app/mdlMain.h"
#include "check/frmCheck.h"
#include "preview/frmPreview.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    Main();
    // frmMain::Unload ends the process itself; the loop only has to run while it is loaded.
    MSG msg{};
    while (frmMain::IsLoaded()) {
      const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      if (got == 0) return static_cast<int>(msg.wParam);
      if (got == -1) return 1;
      if (frmCheck::PreTranslate(msg)) continue;
      if (frmPreview::PreTranslate(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    return 0;
  } catch (...) {
    // Nothing useful can be shown: the only messages this program shows are the start-up ones.
    return 1;
  }
}
