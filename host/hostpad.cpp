// hostpad: the stand-in for TeraPad. It owns TeraPad's window classes and answers TeraPad's
// messages, so that Tolvane meets a real editor process in tests and in the demo.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>
#include "HostEditor.h"
#include "HostProtocol.h"

namespace {

// TeraPad's own messages to its main window.
constexpr UINT TP_SAVE = 0x8190;
constexpr UINT TP_GETEDITOR = 0x8192;
constexpr UINT TP_GETMODE = 0x8194;
constexpr UINT TP_RELOADINI = 0x465;

constexpr int kStripHeight = 26;
constexpr int kEditorId = 100;
constexpr int kButtonsId = 101;

enum Command : int {
  IDM_SAVE = 200, IDM_EXIT, IDM_UNDO, IDM_CUT, IDM_COPY, IDM_PASTE, IDM_CLEAR, IDM_SELECTALL,
  IDM_NEW, IDM_OPEN, IDM_FIND, IDM_PRINT, IDM_REDO, IDM_BROWSER, IDM_TOOL1 = 300,
};

struct Options {
  std::wstring file, ini, tool;
  long mode = 0;
  std::size_t cap = 0, undo = 0;
  bool readonly = false, noToolbar = false, noIni = false, strip = false, appWindow = false, backsel = false;
};

struct Host {
  Options opt;
  std::wstring exePath, iniPath, filePath, tool;
  HWND main = nullptr, editor = nullptr, strip = nullptr;
  HWND app = nullptr;                    // /appwindow: the application window that owns main
  long mode = 0;
  LRESULT saves = 0, reloads = 0;
  bool flatToolbar = true;
  bool browserMenu = false;
  int indent = 0;                        // of the real toolbar's first button
  bool destroyToolbarOnModeQuestion = false;
};

Host* HostOf(HWND hwnd) { return reinterpret_cast<Host*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

std::string ToAcp(const std::wstring& s) {
  if (s.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring FolderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring FullPath(const std::wstring& path) {
  wchar_t buf[MAX_PATH * 4];
  const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(buf)), buf, nullptr);
  return n && n < std::size(buf) ? std::wstring(buf, n) : path;
}

bool StartsWithI(const std::wstring& s, const wchar_t* prefix) {
  const std::size_t n = std::wcslen(prefix);
  return s.size() >= n && _wcsnicmp(s.c_str(), prefix, n) == 0;
}

Options ParseCommandLine() {
  Options o;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv && i < argc; ++i) {
    const std::wstring a = argv[i];
    const auto value = [&](const wchar_t* sw) { return a.substr(std::wcslen(sw)); };
    const auto number = [&](const wchar_t* sw) { return std::wcstol(value(sw).c_str(), nullptr, 10); };
    if (StartsWithI(a, L"/ini=")) o.ini = value(L"/ini=");
    else if (StartsWithI(a, L"/mode=")) o.mode = number(L"/mode=");
    else if (StartsWithI(a, L"/cap=")) o.cap = static_cast<std::size_t>(std::max(0L, number(L"/cap=")));
    else if (StartsWithI(a, L"/undo=")) o.undo = static_cast<std::size_t>(std::max(0L, number(L"/undo=")));
    else if (StartsWithI(a, L"/tool=")) o.tool = value(L"/tool=");
    else if (_wcsicmp(a.c_str(), L"/readonly") == 0) o.readonly = true;
    else if (_wcsicmp(a.c_str(), L"/notoolbar") == 0) o.noToolbar = true;
    else if (_wcsicmp(a.c_str(), L"/noini") == 0) o.noIni = true;
    else if (_wcsicmp(a.c_str(), L"/strip") == 0) o.strip = true;
    else if (_wcsicmp(a.c_str(), L"/appwindow") == 0) o.appWindow = true;
    else if (_wcsicmp(a.c_str(), L"/backsel") == 0) o.backsel = true;
    else if (_wcsicmp(a.c_str(), L"/ansi") == 0) {}
    else o.file = a;
  }
  LocalFree(argv);
  return o;
}

std::wstring IniString(const Host& h, const wchar_t* section, const wchar_t* key) {
  wchar_t buf[2048] = {};
  GetPrivateProfileStringW(section, key, L"", buf, static_cast<DWORD>(std::size(buf)), h.iniPath.c_str());
  return buf;
}

void WriteDefaultIni(const Host& h) {
  if (GetFileAttributesW(h.iniPath.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  WritePrivateProfileStringW(L"Option", L"FlatToolBar", L"1", h.iniPath.c_str());
  WritePrivateProfileStringW(L"Browser", L"Menu", L"0", h.iniPath.c_str());
  WritePrivateProfileStringW(L"Tools", L"Tool1", L"", h.iniPath.c_str());
  WritePrivateProfileStringW(L"Tools", L"Name1", L"Tolvane", h.iniPath.c_str());
}

// The settings this editor itself honours; 0x465 runs this again.
void ReadSettings(Host& h) {
  const std::wstring flat = IniString(h, L"Option", L"FlatToolBar");
  h.flatToolbar = flat.empty() || flat == L"1";
  h.browserMenu = std::wcstol(IniString(h, L"Browser", L"Menu").c_str(), nullptr, 10) != 0;
  h.tool = h.opt.tool;
  if (h.tool.empty()) h.tool = IniString(h, L"Tools", L"Tool1");
  if (h.tool.empty()) h.tool = L"\"" + FolderOf(h.exePath) + L"\\tolvane.exe\"";
}

// ---- "TToolbar". TeraPad's is a VCL toolbar: one common toolbar control whose buttons are no
// windows, so Tolvane finds nothing to measure in it and takes its fixed positions. The /strip
// kind is a plain strip holding a toolbar window, which Tolvane measures. Tolvane docks its
// frame into either; neither moves or paints over children it did not create.

// TeraPad's buttons end just left of Tolvane's fixed positions: 314, or 369 with the wider set
// that edit mode 1 or the browser menu shows.
constexpr int kFixedLeft = 314, kFixedLeftWide = 369;

// The buttons as TeraPad shows them: file, print, clipboard, undo, search; the wider set adds a
// browser's. Images of the common controls' own strips.
struct HostButton {
  int image;        // STD_* index, or kHist + HIST_* index
  int command;      // 0: a separator
  bool wide;        // only in the wider set
};
constexpr int kHist = 100;
constexpr HostButton kHostButtons[] = {
    {STD_FILENEW, IDM_NEW, false},  {STD_FILEOPEN, IDM_OPEN, false}, {STD_FILESAVE, IDM_SAVE, false},
    {0, 0, false},                  {STD_PRINT, IDM_PRINT, false},   {STD_PRINTPRE, IDM_PRINT, false},
    {0, 0, false},                  {STD_CUT, IDM_CUT, false},       {STD_COPY, IDM_COPY, false},
    {STD_PASTE, IDM_PASTE, false},  {0, 0, false},                   {STD_UNDO, IDM_UNDO, false},
    {STD_REDOW, IDM_REDO, false},   {0, 0, false},                   {STD_FIND, IDM_FIND, false},
    {STD_REPLACE, IDM_FIND, false}, {0, 0, true},                    {kHist + HIST_BACK, IDM_BROWSER, true},
    {kHist + HIST_FORWARD, IDM_BROWSER, true},
};

bool WideButtons(const Host& h) { return h.mode == 1 || h.browserMenu; }

// Shows the wider set or not, and indents the buttons so that the last one ends one pixel left
// of the fixed position that belongs to the set.
void LayOutButtons(Host& h, HWND tb) {
  if (h.opt.strip || !tb) return;
  const bool wide = WideButtons(h);
  int last = 0;
  for (int i = 0; i < static_cast<int>(std::size(kHostButtons)); ++i) {
    const bool shown = !kHostButtons[i].wide || wide;
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_BYINDEX | TBIF_STATE;
    info.fsState = shown ? TBSTATE_ENABLED : TBSTATE_HIDDEN;
    SendMessageW(tb, TB_SETBUTTONINFOW, i, reinterpret_cast<LPARAM>(&info));
    if (shown) last = i;
  }
  RECT rc{};
  SendMessageW(tb, TB_GETITEMRECT, last, reinterpret_cast<LPARAM>(&rc));
  h.indent += (wide ? kFixedLeftWide : kFixedLeft) - 1 - rc.right;
  SendMessageW(tb, TB_SETINDENT, h.indent, 0);
}

LRESULT CALLBACK StripProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_ERASEBKGND: {
    RECT rc;
    GetClientRect(hwnd, &rc);
    FillRect(reinterpret_cast<HDC>(wParam), &rc, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  case WM_COMMAND:
  case WM_NOTIFY:
    return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The /strip kind.
HWND CreateStrip(Host& h) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  RECT rc;
  GetClientRect(h.main, &rc);
  HWND strip = CreateWindowExW(0, L"TToolbar", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                               0, 0, rc.right, kStripHeight, h.main, nullptr, inst, nullptr);
  if (!strip) return nullptr;
  const DWORD style = WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN |
                      CCS_NODIVIDER | (h.flatToolbar ? TBSTYLE_FLAT : 0);
  HWND tb = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", style, 0, 0, 0, 0, strip,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonsId)), inst, nullptr);
  SendMessageW(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(tb, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
  const std::pair<int, int> buttons[] = {
      {STD_FILENEW, IDM_NEW}, {STD_FILEOPEN, IDM_OPEN}, {STD_FILESAVE, IDM_SAVE}, {STD_CUT, IDM_CUT},
      {STD_COPY, IDM_COPY},   {STD_PASTE, IDM_PASTE},   {STD_UNDO, IDM_UNDO},     {STD_FIND, IDM_FIND}};
  std::vector<TBBUTTON> tbb;
  for (const auto& [image, command] : buttons)
    tbb.push_back(TBBUTTON{image, command, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0});
  SendMessageW(tb, TB_ADDBUTTONSW, tbb.size(), reinterpret_cast<LPARAM>(tbb.data()));
  // Sized to its buttons, so the right edge of the windows inside the strip says where our
  // buttons end (Tolvane measures exactly that to sit right of them).
  RECT last{};
  SendMessageW(tb, TB_GETITEMRECT, tbb.size() - 1, reinterpret_cast<LPARAM>(&last));
  SetWindowPos(tb, nullptr, 2, 2, last.right, last.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  return strip;
}

// The real kind: one toolbar control across the top, styled as the VCL makes a TToolBar.
HWND CreateTeraPadToolbar(Host& h) {
  RECT rc;
  GetClientRect(h.main, &rc);
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS |
                      CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | (h.flatToolbar ? TBSTYLE_FLAT : 0);
  HWND tb = CreateWindowExW(0, L"TToolbar", L"", style, 0, 0, rc.right, kStripHeight, h.main, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (!tb) return nullptr;
  SendMessageW(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(tb, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
  const int histFirst = ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(SendMessageW(tb, TB_GETIMAGELIST, 0, 0)));
  SendMessageW(tb, TB_LOADIMAGES, IDB_HIST_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
  std::vector<TBBUTTON> tbb;
  for (const HostButton& b : kHostButtons) {
    const int image = b.image >= kHist ? histFirst + b.image - kHist : b.image;
    tbb.push_back(b.command ? TBBUTTON{image, b.command, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0}
                            : TBBUTTON{0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0});
  }
  SendMessageW(tb, TB_ADDBUTTONSW, tbb.size(), reinterpret_cast<LPARAM>(tbb.data()));
  h.indent = 0;
  return tb;
}

HWND CreateToolbar(Host& h) {
  if (h.opt.strip) return CreateStrip(h);
  HWND tb = CreateTeraPadToolbar(h);
  LayOutButtons(h, tb);
  return tb;
}

// ---- main window "TTeraPadMainForm"

void Layout(Host& h) {
  RECT rc;
  GetClientRect(h.main, &rc);
  int top = 0;
  if (h.strip && IsWindow(h.strip)) {
    SetWindowPos(h.strip, nullptr, 0, 0, rc.right, kStripHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    if (IsWindowVisible(h.strip)) top = kStripHeight;
  }
  if (h.editor) MoveWindow(h.editor, 0, top, rc.right, std::max(0L, rc.bottom - top), TRUE);
}

HWND CreatePathWindow(HWND parent, const char* cls, const std::wstring& text) {
  return CreateWindowExA(0, cls, ToAcp(text).c_str(), WS_CHILD, 0, 0, 0, 0, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(f, &size) && size.QuadPart < (1LL << 30);
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    ok = bytes.empty() || (ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                           read == bytes.size());
  }
  CloseHandle(f);
  return ok;
}

bool LoadFile(Host& h) {
  std::string bytes;
  if (!ReadFileBytes(h.filePath, bytes)) return false;
  EditBuffer* b = HostEditorBuffer(h.editor);
  b->replaceAll(bytes, true);
  b->emptyUndo();
  b->modified = false;
  HostEditorRefresh(h.editor);
  return true;
}

bool WriteFileBytes(const std::string& pathAcp, const std::string& bytes) {
  HANDLE f = CreateFileA(pathAcp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = bytes.empty() ||
                  (WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                   written == bytes.size());
  CloseHandle(f);
  return ok;
}

void Save(Host& h) {
  ++h.saves;
  EditBuffer* b = HostEditorBuffer(h.editor);
  if (!h.filePath.empty() && WriteFileBytes(ToAcp(h.filePath), b->text())) b->modified = false;
}

DWORD RunTool(Host& h) {
  std::wstring cmd = h.tool;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  // Started from the foreground window's own thread, as TeraPad's tool menu does: the new
  // process inherits the right to the foreground and finds this window in front.
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 0;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return pi.dwProcessId;
}

// ---- /appwindow: built as older Delphi programs are. The application window ("TApplication")
// owns the main form and stands for the program on the taskbar; it has no size, so nothing of
// it shows. Minimising the program minimises the application window and hides the form, whose
// owned windows Windows leaves as they are; restoring shows the form again and activates it.

void Minimize(Host& h) {
  SetActiveWindow(h.app);
  ShowWindow(h.app, SW_MINIMIZE);
  ShowWindow(h.main, SW_HIDE);
}

void Restore(Host& h) {
  ShowWindow(h.app, SW_RESTORE);
  ShowWindow(h.main, SW_SHOW);
  SetForegroundWindow(h.main);
}

LRESULT CALLBACK AppProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Host* h = HostOf(hwnd);
  if (h && msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE) return Minimize(*h), 0;
  if (h && msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_RESTORE) return Restore(*h), 0;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND CreateAppWindow(Host& h, HINSTANCE inst, const std::wstring& title) {
  WNDCLASSW app{};
  app.lpfnWndProc = AppProc;
  app.hInstance = inst;
  app.lpszClassName = L"TApplication";
  RegisterClassW(&app);
  h.app = CreateWindowExW(0, L"TApplication", title.c_str(),
                          WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                          GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                          nullptr, inst, nullptr);
  if (!h.app) return nullptr;
  SetWindowLongPtrW(h.app, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&h));
  ShowWindow(h.app, SW_SHOWNA);
  return h.app;
}

bool BringToFront(Host& h) {
  if (h.app && (IsIconic(h.app) || !IsWindowVisible(h.main))) Restore(h);
  if (IsIconic(h.main)) ShowWindow(h.main, SW_RESTORE);
  SetForegroundWindow(h.main);
  SetFocus(h.editor);
  return GetForegroundWindow() == h.main;
}

HMENU BuildMenu(const Host& h) {
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, IDM_SAVE, L"上書き保存(&S)");
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_STRING, IDM_EXIT, L"終了(&X)");
  HMENU edit = CreatePopupMenu();
  AppendMenuW(edit, MF_STRING, IDM_UNDO, L"元に戻す(&U)\tCtrl+Z");
  AppendMenuW(edit, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(edit, MF_STRING, IDM_CUT, L"切り取り(&T)\tCtrl+X");
  AppendMenuW(edit, MF_STRING, IDM_COPY, L"コピー(&C)\tCtrl+C");
  AppendMenuW(edit, MF_STRING, IDM_PASTE, L"貼り付け(&P)\tCtrl+V");
  AppendMenuW(edit, MF_STRING, IDM_CLEAR, L"削除(&D)\tDel");
  AppendMenuW(edit, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(edit, MF_STRING, IDM_SELECTALL, L"すべて選択(&A)\tCtrl+A");
  HMENU tools = CreatePopupMenu();
  std::wstring name = L"&1 ";
  wchar_t buf[256] = {};
  GetPrivateProfileStringW(L"Tools", L"Name1", L"Tolvane", buf, 256, h.iniPath.c_str());
  AppendMenuW(tools, MF_STRING, IDM_TOOL1, (name + buf).c_str());
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"ファイル(&F)");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"編集(&E)");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(tools), L"ツール(&T)");
  return bar;
}

void Command(Host& h, int id) {
  switch (id) {
  case IDM_SAVE: Save(h); break;
  case IDM_EXIT: PostMessageW(h.main, WM_CLOSE, 0, 0); break;
  case IDM_UNDO: SendMessageA(h.editor, EM_UNDO, 0, 0); break;
  case IDM_CUT: SendMessageA(h.editor, WM_CUT, 0, 0); break;
  case IDM_COPY: SendMessageA(h.editor, WM_COPY, 0, 0); break;
  case IDM_PASTE: SendMessageA(h.editor, WM_PASTE, 0, 0); break;
  case IDM_CLEAR: SendMessageA(h.editor, WM_CLEAR, 0, 0); break;
  case IDM_SELECTALL: SendMessageA(h.editor, EM_SETSEL, 0, -1); break;
  case IDM_TOOL1: RunTool(h); break;
  }
  if (id != IDM_EXIT) SetFocus(h.editor);
}

LRESULT CopyData(Host& h, const COPYDATASTRUCT& cd) {
  const std::string data(static_cast<const char*>(cd.lpData), cd.cbData);
  EditBuffer* b = HostEditorBuffer(h.editor);
  switch (cd.dwData) {
  case HPCD_DUMPTEXT:
    return WriteFileBytes(data.substr(0, data.find('\0')), b->text());
  case HPCD_SETTEXT:
    b->replaceAll(data, true);
    HostEditorRefresh(h.editor);
    return TRUE;
  }
  return FALSE;
}

void DestroyToolbar(Host& h) {
  if (h.strip) DestroyWindow(h.strip);
  h.strip = nullptr;
  Layout(h);
}

LRESULT HostMessage(Host& h, UINT msg, WPARAM wParam, LPARAM lParam) {
  EditBuffer* b = HostEditorBuffer(h.editor);
  HostEditorSettings* s = HostEditorSettingsOf(h.editor);
  switch (msg) {
  case TP_GETEDITOR: return reinterpret_cast<LRESULT>(h.editor);
  case TP_GETMODE:
    if (std::exchange(h.destroyToolbarOnModeQuestion, false)) DestroyToolbar(h);
    return h.mode;
  case TP_SAVE: Save(h); return 0;
  case TP_RELOADINI:
    ReadSettings(h);
    LayOutButtons(h, h.strip);
    ++h.reloads;
    return 0;
  case HPM_SHOWTOOLBAR:
    if (h.strip) ShowWindow(h.strip, wParam ? SW_SHOWNA : SW_HIDE);
    Layout(h);
    return 0;
  case HPM_RECREATETOOLBAR: {
    HWND old = h.strip;
    h.strip = CreateToolbar(h);
    if (old) DestroyWindow(old);
    Layout(h);
    return reinterpret_cast<LRESULT>(h.strip);
  }
  case HPM_DESTROYTOOLBAR: DestroyToolbar(h); return 0;
  case HPM_DESTROYTOOLBARONMODE: h.destroyToolbarOnModeQuestion = true; return 0;
  case HPM_SETMODE:
    h.mode = static_cast<long>(wParam);
    LayOutButtons(h, h.strip);
    return 0;
  case HPM_SETCAP: s->cap = wParam; return 0;
  case HPM_SETUNDODEPTH: b->setUndoDepth(wParam); return 0;
  case HPM_SETREADONLY: b->readOnly = wParam != 0; return 0;
  case HPM_RUNTOOL: BringToFront(h); return RunTool(h);
  case HPM_UNDOCOUNT: return static_cast<LRESULT>(b->undoCount());
  case HPM_SAVECOUNT: return h.saves;
  case HPM_RELOADCOUNT: return h.reloads;
  case HPM_SETMODIFY: b->modified = wParam != 0; return 0;
  case HPM_FOREGROUND: return BringToFront(h);
  case HPM_REPAINTTOOLBAR:
    return h.strip && RedrawWindow(h.strip, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  return DefWindowProcW(h.main, msg, wParam, lParam);
}

LRESULT MainMessage(Host& h, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  // No WM_SETFOCUS or WM_ACTIVATE of its own: activated, the main window takes the focus itself
  // (DefWindowProc), not its editor. Whoever hands the activation back must focus the editor.
  case WM_SIZE: Layout(h); return 0;
  case WM_COMMAND: Command(h, LOWORD(wParam)); return 0;
  case WM_SYSCOMMAND:
    if (h.app && (wParam & 0xFFF0) == SC_MINIMIZE) return Minimize(h), 0;
    break;
  case WM_COPYDATA: return CopyData(h, *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
  // Closes without asking anything. The children are destroyed as usual, so a toolbar docked
  // into the strip from another process is destroyed the ordinary way; the main window goes
  // with the process, because destroying a shown top-level window costs two seconds under
  // Wine without a window manager (it waits for one to withdraw the window).
  case WM_CLOSE:
    if (h.strip) DestroyWindow(h.strip);
    h.strip = nullptr;
    PostQuitMessage(0);
    return 0;
  case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return HostMessage(h, msg, wParam, lParam);
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* h = static_cast<Host*>(cs->lpCreateParams);
    h->main = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(h));
  }
  Host* h = HostOf(hwnd);
  if (!h || !h->editor) return DefWindowProcW(hwnd, msg, wParam, lParam);
  try {
    return MainMessage(*h, msg, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

void RegisterClasses(HINSTANCE inst, bool strip) {
  WNDCLASSW main{};
  main.lpfnWndProc = MainProc;
  main.hInstance = inst;
  main.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  main.hCursor = LoadCursor(nullptr, IDC_ARROW);
  main.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  main.lpszClassName = L"" HOSTPAD_MAINCLASS;
  RegisterClassW(&main);

  // "TToolbar" is the one kind this run makes: a superclass of the common toolbar as the VCL
  // registers it, or the plain strip.
  WNDCLASSW toolbar{};
  if (strip) {
    toolbar.lpfnWndProc = StripProc;
    toolbar.hCursor = LoadCursor(nullptr, IDC_ARROW);
  } else {
    GetClassInfoW(inst, TOOLBARCLASSNAMEW, &toolbar);
    toolbar.style &= ~CS_GLOBALCLASS;
  }
  toolbar.hInstance = inst;
  toolbar.lpszClassName = L"TToolbar";
  RegisterClassW(&toolbar);

  // The path windows are ANSI windows: TeraPad's readers take their text as cp932.
  for (const char* name : {"TEdit", "TTeraPadExeName", "TTeraPadIniFilePath"}) {
    WNDCLASSA path{};
    path.lpfnWndProc = DefWindowProcA;
    path.hInstance = inst;
    path.lpszClassName = name;
    RegisterClassA(&path);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  Host h;
  h.opt = ParseCommandLine();
  RegisterClasses(inst, h.opt.strip);
  wchar_t exe[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, exe, static_cast<DWORD>(std::size(exe)));
  h.exePath = exe;
  h.iniPath = FullPath(h.opt.ini.empty() ? FolderOf(h.exePath) + L"\\hostpad.ini" : h.opt.ini);
  h.filePath = h.opt.file.empty() ? std::wstring() : FullPath(h.opt.file);
  h.mode = h.opt.mode;
  WriteDefaultIni(h);
  ReadSettings(h);

  const std::wstring title = (h.filePath.empty() ? std::wstring(L"無題") : h.filePath) + L" - hostpad";
  if (h.opt.appWindow && !CreateAppWindow(h, inst, L"hostpad")) return 1;
  HWND main = CreateWindowExW(0, L"" HOSTPAD_MAINCLASS, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              CW_USEDEFAULT, CW_USEDEFAULT, 760, 540, h.app, BuildMenu(h), inst, &h);
  if (!main) return 1;
  // The strip first: FindWindowEx meets it before any other child.
  if (!h.opt.noToolbar) h.strip = CreateToolbar(h);
  h.editor = CreateHostEditor(main, kEditorId);
  CreatePathWindow(main, "TEdit", h.filePath);
  CreatePathWindow(main, "TTeraPadExeName", h.exePath);
  if (!h.opt.noIni) CreatePathWindow(main, "TTeraPadIniFilePath", h.iniPath);
  if (!h.editor) return 1;

  EditBuffer* b = HostEditorBuffer(h.editor);
  HostEditorSettingsOf(h.editor)->cap = h.opt.cap;
  HostEditorSettingsOf(h.editor)->anchorFirst = h.opt.backsel;
  b->setUndoDepth(h.opt.undo);
  if (!h.filePath.empty()) LoadFile(h);
  b->readOnly = h.opt.readonly;

  Layout(h);
  ShowWindow(main, show);
  UpdateWindow(main);
  SetFocus(h.editor);

  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  // Wine fails GetMessage when a message from another process does not fit on this thread's
  // stack (see the stack size in the build); the exit code tells that from a close.
  return got < 0 ? 3 : 0;
}
