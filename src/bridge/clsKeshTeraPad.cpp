// Discovery and identity: binding to a TeraPad main window, its child windows, its paths,
// version numbers and edit mode, and the name of the Windows family we run on.
#include "bridge/clsKeshTeraPad.h"

#include <cstring>
#include <string>

#include "bridge/TeraPadMessages.h"
#include "bridge/logic/OSName.h"
#include "common/Ansi.h"

clsKeshTeraPad::clsKeshTeraPad() {
  m_bDebugStarted = false;
  SearchTeraPad();
  m_bTool = m_bHadTeraPad;
}

clsKeshTeraPad::~clsKeshTeraPad() = default;

void clsKeshTeraPad::SearchTeraPad() { hwnd(GetForegroundWindow()); }

HWND clsKeshTeraPad::hwnd() const { return m_hWndMain; }

void clsKeshTeraPad::hwnd(HWND NewValue) {
  if (!IsTeraPadWindow(NewValue)) return;
  m_hWndMain = NewValue;
  FindChildWindows();
  m_bHadTeraPad = true;
}

bool clsKeshTeraPad::HadTeraPad() {
  m_bHadTeraPad = IsTeraPadWindow(m_hWndMain);
  return m_bHadTeraPad;
}

bool clsKeshTeraPad::Tool() const { return m_bTool; }

std::wstring clsKeshTeraPad::TeraPadPath() const {
  return IsTeraPadWindow(m_hWndMain) ? ChildText(m_hWndExeName) : std::wstring();
}

std::wstring clsKeshTeraPad::FileName() const {
  return IsTeraPadWindow(m_hWndMain) ? ChildText(m_hWndFileName) : std::wstring();
}

std::wstring clsKeshTeraPad::INIPath() const {
  return IsTeraPadWindow(m_hWndMain) ? ChildText(m_hWndIniPath) : std::wstring();
}

// Kept on purpose: TeraPad offers no way to set these, yet callers of the interface may assign
// them, so both setters accept a value, run the validity test as every operation does, and store
// nothing. The test's result has nowhere to go; do not "fix" them into doing more.
void clsKeshTeraPad::INIPath(const std::wstring&) { IsTeraPadWindow(m_hWndMain); }

std::wstring clsKeshTeraPad::Status() const { return {}; }

void clsKeshTeraPad::Status(const std::wstring&) { IsTeraPadWindow(m_hWndMain); }

long clsKeshTeraPad::VerMajor() {
  long v[4];
  HadTeraPad();
  GetFileVersionNumbers(TeraPadPath(), v);
  return v[0];
}

long clsKeshTeraPad::VerMinor() {
  long v[4];
  HadTeraPad();
  GetFileVersionNumbers(TeraPadPath(), v);
  return v[1];
}

long clsKeshTeraPad::VerBeta() {
  long v[4];
  HadTeraPad();
  GetFileVersionNumbers(TeraPadPath(), v);
  return v[3];
}

long clsKeshTeraPad::EditMode() const {
  if (!IsTeraPadWindow(m_hWndMain)) return -1;
  return static_cast<long>(SendMessageA(m_hWndMain, TeraPad::WM_EDITMODE, 0, 0));
}

std::wstring clsKeshTeraPad::GetOSName() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;  // 148
  if (!GetVersionExA(&info)) return {};
  return std::wstring(OSName::FromVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion));
}

bool clsKeshTeraPad::IsTeraPadWindow(HWND h) {
  if (!h) return false;
  // A closed window's handle gives no class name (0 characters), and so fails the test.
  char name[256] = {};
  const int n = GetClassNameA(h, name, 255);
  return n > 0 && std::string(name, n) == "TTeraPadMainForm";
}

void clsKeshTeraPad::FindChildWindows() {
  m_hWndFileName = FindWindowExA(m_hWndMain, nullptr, "TEdit", nullptr);
  m_hWndExeName = FindWindowExA(m_hWndMain, nullptr, "TTeraPadExeName", nullptr);
  m_hWndIniPath = FindWindowExA(m_hWndMain, nullptr, "TTeraPadIniFilePath", nullptr);
}

HWND clsKeshTeraPad::GetEditorWindow() const {
  if (!m_bHadTeraPad) return nullptr;
  LONG zero = 0;
  const LRESULT r = SendMessageA(m_hWndMain, TeraPad::WM_GETEDITOR, 0, reinterpret_cast<LPARAM>(&zero));
  // Window handles carry 32 significant bits; a 32-bit host's answer is sign-extended.
  return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(r)));
}

std::wstring clsKeshTeraPad::TrimNull(const std::wstring& s) {
  const auto nul = s.find(L'\0');
  return nul == std::wstring::npos ? s : s.substr(0, nul);
}

std::wstring clsKeshTeraPad::ChildText(HWND child) {
  if (!child) return {};
  const LRESULT n = SendMessageA(child, WM_GETTEXTLENGTH, 0, 0);
  if (n <= 0) return {};
  std::string buffer(static_cast<size_t>(n) + 1, '\0');
  // Across processes WM_GETTEXT hands back whole characters only: use the count it returns.
  LRESULT got = SendMessageA(child, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
  if (got < 0) got = 0;
  if (got > n) got = n;
  return TrimNull(FromAnsi(std::string_view(buffer.data(), static_cast<size_t>(got))));
}

void clsKeshTeraPad::GetFileVersionNumbers(const std::wstring& path, long v[4]) {
  v[0] = v[1] = v[2] = v[3] = 0;
  const std::string ansiPath = ToAnsi(path);
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(ansiPath.c_str(), &handle);
  if (size < 1) return;
  std::string buffer(size + 1, '\0');
  if (!GetFileVersionInfoA(ansiPath.c_str(), 0, size, buffer.data())) return;
  VS_FIXEDFILEINFO info{};
  void* root = nullptr;
  UINT length = 0;
  if (VerQueryValueA(buffer.data(), "\\", &root, &length) && root)
    std::memcpy(&info, root, length < sizeof info ? length : sizeof info);
  // Signed 32-bit arithmetic, truncating toward zero, as the numbers have always been read.
  const int32_t productMS = static_cast<int32_t>(info.dwProductVersionMS);
  const int32_t fileLS = static_cast<int32_t>(info.dwFileVersionLS);
  v[0] = productMS / 65536;
  v[1] = productMS % 65536;
  v[2] = fileLS / 65536;
  v[3] = fileLS % 65536;
}
