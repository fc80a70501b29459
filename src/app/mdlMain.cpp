// mdlMain: the start-up. Creates the one bridge object, applies the command line and either
// loads the hidden form frmMain or tells the user why TeraPad could not be found.
#include "app/mdlMain.h"

#include "app/frmMain.h"
#include "app/logic/CommandLine.h"

std::unique_ptr<clsKeshTeraPad> gTeraPad;
int32_t gToolbarLeft = -1;
int32_t gToolbarTop = 0;

namespace {

// Handles are 32-bit values even in 64-bit Windows and widen with their sign, as
// LongToHandle does.
HWND HandleFromValue(int32_t value) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(value));
}

void ShowStartupMessage(const wchar_t* text) {
  MessageBoxW(nullptr, text, L"Tolvane", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

void Main() {
  // Created before anything else, while TeraPad, whose tool menu started us, is still in front.
  gTeraPad = std::make_unique<clsKeshTeraPad>();
  gToolbarLeft = -1;
  gToolbarTop = 0;

  const std::wstring text = ArgumentText(GetCommandLineW());
  if (!text.empty()) {
    const StartupArguments arguments = ReadStartupArguments(SplitCommandLine(text));
    // The bridge refuses a handle that is not a TeraPad main window, so the last one that is
    // holds the binding.
    for (int32_t window : arguments.windows) gTeraPad->hwnd(HandleFromValue(window));
    if (arguments.toolbarLeft) gToolbarLeft = *arguments.toolbarLeft;
    if (arguments.toolbarTop) gToolbarTop = *arguments.toolbarTop;
    if (!gTeraPad->HadTeraPad()) {
      ShowStartupMessage(L"TeraPad を捕捉できませんでした。");
      return;
    }
  } else if (!gTeraPad->Tool()) {
    ShowStartupMessage(L"TeraPad のツールメニューから起動してください。");
    return;
  }
  frmMain::Load();
}
